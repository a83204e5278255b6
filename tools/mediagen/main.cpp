// vantorra-mediagen DIR [--ad-size WxH] [--quality Q] [--centre-block]
// Writes the sample media folder. Runs without a display.

#include "MediaGen.h"

#include <QDir>
#include <QGuiApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char* argv[])
{
    // Drawing text needs a QGuiApplication, and that needs a platform; the
    // offscreen one works with no display at all.
    qputenv("QT_QPA_PLATFORM", "offscreen");

    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    QString dir;
    mediagen::Options options;
    QString error;
    if (!mediagen::parseArguments(arguments, &dir, &options, &error)) {
        std::fprintf(stderr, "vantorra-mediagen: %s\n%s\n", qPrintable(error), qPrintable(mediagen::usage()));
        return 2;
    }

    QGuiApplication app(argc, argv);
    QStringList missing;
    if (!mediagen::fontsAvailable(&missing))
        std::fprintf(stderr, "vantorra-mediagen: warning: fonts not installed: %s (install fonts-dejavu-core)\n",
                     qPrintable(missing.join(QStringLiteral(", "))));

    mediagen::WriteStats stats;
    if (!mediagen::writeSampleMedia(dir, options, &error, &stats)) {
        std::fprintf(stderr, "vantorra-mediagen: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("%s: %d files, %lld bytes\n", qPrintable(QDir::toNativeSeparators(dir)), stats.files,
                static_cast<long long>(stats.bytes));
    return 0;
}
