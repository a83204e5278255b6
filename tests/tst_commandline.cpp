// The command line, read before the window system starts.
#include "startup/CommandLine.h"

#include <QTest>

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void parse_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("media");
        QTest::addColumn<QString>("library");
        QTest::addColumn<bool>("exitNow");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("outputHas");
        QTest::newRow("nothing") << QStringList{} << QStringList{} << "" << false << 0 << "";
        QTest::newRow("media twice, in order") << QStringList{"--media", "/b", "--media=/a"} << QStringList{"/b", "/a"}
                                               << "" << false << 0 << "";
        QTest::newRow("library") << QStringList{"--library", "/lib"} << QStringList{} << "/lib" << false << 0 << "";
        QTest::newRow("help") << QStringList{"--help"} << QStringList{} << "" << true << 0 << "--media <dir>";
        QTest::newRow("version") << QStringList{"--version"} << QStringList{} << "" << true << 0 << "vantorraads";
        QTest::newRow("wrong option") << QStringList{"--colour"} << QStringList{} << "" << true << 2 << "colour";
        QTest::newRow("media without a folder") << QStringList{"--media"} << QStringList{} << "" << true << 2 << "--media";
        QTest::newRow("stray argument") << QStringList{"stray"} << QStringList{} << "" << true << 2 << "stray";
        QTest::newRow("Qt option") << QStringList{"-platform", "offscreen"} << QStringList{} << "" << false << 0 << "";
    }
    void parse()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, media);
        QFETCH(QString, library);
        QFETCH(bool, exitNow);
        QFETCH(int, exitCode);
        QFETCH(QString, outputHas);
        const CommandLine c = parseCommandLine(QStringList{"vantorraads"} + arguments);
        QCOMPARE(c.mediaRoots, media);
        QCOMPARE(c.library, library);
        QCOMPARE(c.exitNow, exitNow);
        QCOMPARE(c.exitCode, exitCode);
        QVERIFY2(c.output.contains(outputHas), qPrintable(c.output));
        if (exitCode == 2) {
            // One line of error, then the usage.
            QVERIFY(c.output.section('\n', 1).contains("Usage"));
        }
    }
};

QTEST_APPLESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
