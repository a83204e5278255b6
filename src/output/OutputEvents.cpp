#include "mainwindow/Form1.h"

#include "platform/ImageControl.h"
#include "platform/PictureBox.h"
#include "platform/Services.h"

#include <QAction>

void Form1::connectOutputEvents()
{
    dlgCommon1 = &m_s.commonDialog;

    connect(Image1, &ImageControl::mouseUp, this,
            [this](int button, int shift, double x, double y) { Image1_MouseUp(button, shift, x, y); });
    connect(picDest, &PictureBox::mouseUp, this,
            [this](int button, int shift, double x, double y) { picDest_MouseUp(button, shift, x, y); });
    for (int i = 1; i <= 2; ++i)
        connect(mnuPrintCopy[i], &QAction::triggered, this, [this, i] { mnuPrintCopy_Click(i); });
    connect(mnuPrint, &QAction::triggered, this, [this] { mnuPrint_Click(); });
    connect(mnuClip, &QAction::triggered, this, [this] { mnuClip_Click(); });
    connect(mnuSetup, &QAction::triggered, this, [this] { mnuSetup_Click(); });
}
