#pragma once

#include "platform/Services.h"
#include "platform/qt/DiskFileLookup.h"
#include "platform/qt/QtDesktop.h"
#include "platform/qt/QtLocalFiles.h"
#include "platform/qt/QtMessageBoxes.h"
#include "platform/qt/QtOutput.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/QtProgramEnd.h"

// Owns the real platform services of one run of the program.
class QtServices
{
public:
    QtServices(const QString& programFolder, const QStringList& mediaRoots);
    Services& services() { return m_services; }
    QtInstanceLock& instanceLock() { return m_lock; }

private:
    QtMessageBoxes m_boxes;
    QtInstanceLock m_lock;
    QtProgramEnd m_end;
    DiskFileLookup m_files;
    FixedProgramFolder m_folder;
    SystemMediaDrives m_drives;
    QtSettingsStore m_settings;
    QtScreenInfo m_screen;
    QtMousePointer m_pointer;
    QtPictureLoader m_pictures;
    SystemClock m_clock;
    QtPrinter m_printer;
    QtClipboard m_clipboard;
    QtPopupMenus m_popups;
    QtCommonDialog m_commonDialog;
    QtShell m_shell;
    QtHelpFile m_help;
    StatvfsDiskSpace m_diskSpace;
    QtLocalFiles m_localFiles;
    Services m_services;
};
