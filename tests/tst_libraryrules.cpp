// The figures, formats and orders of the copy to the hard drive, as plain functions.
#include "library/LibraryRules.h"
#include "platform/Units.h"

#include <QTest>

class TestLibraryRules : public QObject
{
    Q_OBJECT

private slots:
    void dropLastChar_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("path") << "/opt/vantorra/" << "/opt/vantorra";
        QTest::newRow("one character") << "x" << "";
        QTest::newRow("empty") << "" << "";
    }
    void dropLastChar()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(DropLastChar(text), expected);
    }

    void kilobyteScaling_data()
    {
        QTest::addColumn<qint64>("clusters");
        QTest::addColumn<qint64>("sectorsPerCluster");
        QTest::addColumn<qint64>("bytesPerSector");
        QTest::addColumn<qint64>("expected");
        QTest::newRow("13,000 clusters of 8 x 512") << qint64(13000) << qint64(8) << qint64(512) << qint64(49152);
        QTest::newRow("under one group") << qint64(1023) << qint64(8) << qint64(512) << qint64(0);
        QTest::newRow("the division truncates") << qint64(2047) << qint64(1) << qint64(4096) << qint64(4096);
        // 16 TiB of 4 KiB clusters: the figures pass 32 bits without overflow.
        QTest::newRow("large file system") << (qint64(1) << 32) << qint64(1) << qint64(4096) << (qint64(1) << 34);
    }
    void kilobyteScaling()
    {
        QFETCH(qint64, clusters);
        QFETCH(qint64, sectorsPerCluster);
        QFETCH(qint64, bytesPerSector);
        QFETCH(qint64, expected);
        QCOMPARE(kilobyteScaled(clusters, sectorsPerCluster, bytesPerSector), expected);
    }

    void figureFormat_data()
    {
        QTest::addColumn<qint64>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("zero is empty") << qint64(0) << "";
        QTest::newRow("one digit") << qint64(7) << "7";
        QTest::newRow("three digits") << qint64(999) << "999";
        QTest::newRow("four digits") << qint64(1000) << "1,000";
        QTest::newRow("free") << qint64(49152000) << "49,152,000";
        QTest::newRow("shortfall") << qint64(60848000) << "60,848,000";
        QTest::newRow("set size") << qint64(110000000) << "110,000,000";
        QTest::newRow("past the pattern") << qint64(1234567890) << "1,234,567,890";
        QTest::newRow("negative") << qint64(-1500) << "-1,500";
    }
    void figureFormat()
    {
        QFETCH(qint64, value);
        QFETCH(QString, expected);
        QCOMPARE(formatFigure(value), expected);
    }

    void shortfallMessage()
    {
        QCOMPARE(spaceShortfallText(49152000),
                 QString("Not enough available hard disk space to copy Ads.\r\n\r\nFree some up and try again.\r\n\r\n"
                         "You have:  49,152,000 bytes\r\n\r\nYou need:   60,848,000 bytes more\r\n\r\n"
                         "For a total of:   110,000,000 bytes free.\r\n"));
        // Nothing free: the figure is an empty text.
        QVERIFY(spaceShortfallText(0).contains("\r\nYou have:   bytes\r\n"));
        QVERIFY(spaceShortfallText(0).contains("\r\nYou need:   110,000,000 bytes more\r\n"));
    }

    // The captions the gauges show: the percentage kept as a whole number, halves to even.
    void filePercentages_data()
    {
        QTest::addColumn<qint64>("chunks");
        QTest::addColumn<qint64>("length");
        QTest::addColumn<int>("caption");
        QTest::newRow("60,000 first") << qint64(1) << qint64(60000) << 42;
        QTest::newRow("60,000 second") << qint64(2) << qint64(60000) << 83;
        QTest::newRow("50,000 first") << qint64(1) << qint64(50000) << 50;
        QTest::newRow("50,000 second") << qint64(2) << qint64(50000) << 100;
        QTest::newRow("200,000 third") << qint64(3) << qint64(200000) << 38;   // 37.5 rounds to even
    }
    void filePercentages()
    {
        QFETCH(qint64, chunks);
        QFETCH(qint64, length);
        QFETCH(int, caption);
        QCOMPARE(roundHalfEven(filePercent(chunks, length)), caption);
    }

    void overallPercentages()
    {
        QCOMPARE(overallPercent(AdSetBytes), 0.0);
        QCOMPARE(overallPercent(AdSetBytes - 55000000), 50.0);
        QCOMPARE(overallPercent(0), 100.0);
        // More copied than the set's size: past 100 (the gauge shows 100).
        QVERIFY(overallPercent(-CopyChunkSize) > 100.0);
        QCOMPARE(roundHalfEven(overallPercent(AdSetBytes - CopyChunkSize)), 0);
    }

    void codeUnitOrder()
    {
        QStringList names = {"b.jpg", "B.jpg", "a.jpg", "55VaSo01.jpg", "55VASO00.jpg", "_x.jpg", "55VaSo00.jpg",
                             QString::fromUtf8("\xc3\xa9.jpg")};
        sortByCodeUnits(names);
        const QStringList expected = {"55VASO00.jpg", "55VaSo00.jpg", "55VaSo01.jpg", "B.jpg", "_x.jpg", "a.jpg",
                                      "b.jpg", QString::fromUtf8("\xc3\xa9.jpg")};
        QCOMPARE(names, expected);
    }

    void failureMessages()
    {
        const QString full = copyFailureText(3, 4, "55VaSo01.jpg", "No space left on device", true);
        QVERIFY(full.startsWith("The hard disk is full. Free some up and try again.\r\n\r\n"));
        QVERIFY(full.contains("3 of 4 Ads could not be copied to the hard drive.\r\n\r\n"
                              "55VaSo01.jpg: No space left on device"));
        QVERIFY(!full.contains("successfully"));
        const QString one = copyFailureText(1, 9, "55VaSo02.jpg", "Input/output error", false);
        QVERIFY(one.startsWith("1 of 9 Ads could not be copied"));
        QVERIFY(!one.contains("full"));
    }
};

QTEST_APPLESS_MAIN(TestLibraryRules)
#include "tst_libraryrules.moc"
