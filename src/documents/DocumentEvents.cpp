#include "mainwindow/Form1.h"

#include <QAction>

void Form1::connectDocumentEvents()
{
    connect(mnuNotice, &QAction::triggered, this, [this] { mnuNotice_Click(); });
    connect(mnuRegister, &QAction::triggered, this, [this] { mnuRegister_Click(); });
    connect(mnuContents, &QAction::triggered, this, [this] { mnuContents_Click(); });
    connect(mnuTellwindSoftware, &QAction::triggered, this, [this] { mnuTellwindSoftware_Click(); });
    connect(mnuRegisterOL, &QAction::triggered, this, [this] { mnuRegisterOL_Click(); });
    connect(mnuAbout, &QAction::triggered, this, [this] { mnuAbout_Click(); });
}
