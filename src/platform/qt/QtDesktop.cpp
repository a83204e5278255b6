#include "platform/qt/QtDesktop.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QUrl>

void QtShell::open(const QString& address)
{
    QDesktopServices::openUrl(QUrl(address));
}

QStringList QtHelpFile::candidates() const
{
    const QDir exe(QCoreApplication::applicationDirPath());
    const QString file = QStringLiteral("share/vantorraads/vantorraads.html");
    return {QDir::cleanPath(exe.filePath(file)), QDir::cleanPath(exe.filePath(QStringLiteral("../") + file))};
}
