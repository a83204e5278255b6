#include "mainwindow/Form1.h"

#include "platform/ThreeDButton.h"

#include <QAction>

void Form1::connectLibraryEvents()
{
    connect(mnuCopy, &QAction::triggered, this, [this] { mnuCopy_Click(); });
    connect(mnuRemove, &QAction::triggered, this, [this] { mnuRemove_Click(); });
    connect(cmdCopy, &ThreeDButton::clicked, this, [this] { cmdCopy_Click(); });
    connect(cmdCancel, &ThreeDButton::clicked, this, [this] { cmdCancel_Click(); });
}
