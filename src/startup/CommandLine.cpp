#include "startup/CommandLine.h"

#include <QCommandLineParser>

namespace {

// Qt's own options, taken by the window system when it starts; accepted here, not listed.
void addQtOptions(QCommandLineParser& parser)
{
    const QStringList withValue = {"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
                                   "qwindowicon", "qwindowtitle", "display", "geometry", "title", "style",
                                   "stylesheet", "session", "name", "qmljsdebugger", "font", "fn", "bg",
                                   "background", "fg", "foreground", "btn", "button", "visual", "ncols", "cmap",
                                   "im", "inputstyle", "dialogs"};
    const QStringList flags = {"reverse", "widgetcount", "nograb", "dograb", "sync", "testability"};
    for (const QString& o : withValue) {
        QCommandLineOption opt(o, QString(), QStringLiteral("value"));
        opt.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(opt);
    }
    for (const QString& o : flags) {
        QCommandLineOption opt(o);
        opt.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(opt);
    }
}

} // namespace

CommandLine parseCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Vantorra Ads of the 50's & 60's: car advertisements of the model years 1950 to 1969."));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption media(QStringLiteral("media"),
                                   QStringLiteral("Look for the media in <dir> first (may be given more than once)."),
                                   QStringLiteral("dir"));
    const QCommandLineOption library(QStringLiteral("library"),
                                     QStringLiteral("Keep the local copy of the ads in <dir>/ads."),
                                     QStringLiteral("dir"));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and exit."));
    parser.addOption(media);
    parser.addOption(library);
    parser.addOption(help);
    parser.addOption(version);
    addQtOptions(parser);

    CommandLine result;
    QString usage = parser.helpText();
    usage.replace(QLatin1String("<executable_name>"), QLatin1String("vantorraads"));
    if (!usage.endsWith(QLatin1Char('\n')))
        usage += QLatin1Char('\n');
    if (!parser.parse(arguments)) {
        result.exitNow = true;
        result.exitCode = 2;
        result.output = QStringLiteral("vantorraads: %1\n").arg(parser.errorText()) + usage;
        return result;
    }
    if (!parser.positionalArguments().isEmpty()) {
        result.exitNow = true;
        result.exitCode = 2;
        result.output = QStringLiteral("vantorraads: unexpected argument '%1'\n").arg(parser.positionalArguments().first())
            + usage;
        return result;
    }
    if (parser.isSet(help)) {
        result.exitNow = true;
        result.output = usage;
        return result;
    }
    if (parser.isSet(version)) {
        result.exitNow = true;
        result.output = QStringLiteral("vantorraads %1\n").arg(QStringLiteral(VANTORRA_VERSION));
        return result;
    }
    result.mediaRoots = parser.values(media);
    result.library = parser.value(library);
    return result;
}
