#include "platform/qt/QtServices.h"

QtServices::QtServices(const QString& programFolder, const QStringList& mediaRoots)
    : m_end([this] { m_lock.release(); })
    , m_folder(programFolder)
    , m_drives(mediaRoots)
    , m_services{m_boxes, m_end, m_files, m_folder, m_drives, m_settings, m_lock, m_screen, m_pointer,
                 m_pictures, m_clock,
                 m_printer, m_clipboard, m_popups, m_commonDialog, m_shell, m_help, m_diskSpace, m_localFiles}
{
}
