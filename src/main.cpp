#include "platform/Accessibility.h"
#include "platform/qt/QtPlatform.h"
#include "startup/Application.h"
#include "startup/CommandLine.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>

int main(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const CommandLine options = parseCommandLine(arguments);
    if (options.exitNow) {
        std::fputs(options.output.toLocal8Bit().constData(), options.exitCode == 0 ? stdout : stderr);
        return options.exitCode;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VantorraAds"));
    QApplication::setOrganizationName(QStringLiteral("VantorraAds"));
    QApplication::setApplicationVersion(QStringLiteral(VANTORRA_VERSION));
    // The desktop entry and its icon: windows without an icon of their own show it, and
    // Wayland desktops match the windows to the entry by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.tellwind.VantorraAds"));
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/vantorraads-48.png"));
    icon.addFile(QStringLiteral(":/icons/vantorraads-256.png"));
    QApplication::setWindowIcon(icon);
    // The program ends through the main window's close handler, not when the splash goes.
    QApplication::setQuitOnLastWindowClosed(false);
    // Screen readers see the program's own controls with their roles, names and states.
    installAccessibleInterfaces();

    Application program(resolveProgramFolder(options.library), options.mediaRoots);
    program.start();
    return app.exec();
}
