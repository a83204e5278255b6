// Bad RTF never crashes, hangs or eats memory: every hand-made nasty file in
// tests/rtf-regress reads and shows what can be read, and so do large inputs made here.
#include "TestFiles.h"
#include "platform/rtf/RtfReader.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>
#include <QTextDocument>

namespace {

const QString regressDir = QStringLiteral(VANTORRA_SOURCE_DIR "/tests/rtf-regress");

} // namespace

class TestRtfBadInput : public QObject
{
    Q_OBJECT

    QString readAll(const QByteArray& data, rtf::ReadResult* result = nullptr)
    {
        QTextDocument doc;
        const rtf::ReadResult r = rtf::read(data, &doc);
        if (result)
            *result = r;
        return rtf::plainText(doc);
    }

private slots:
    void everyRegressionFileReads_data()
    {
        QTest::addColumn<QString>("file");
        const QStringList files = QDir(regressDir).entryList(QDir::Files, QDir::Name);
        QVERIFY(files.size() >= 20);
        for (const QString& f : files)
            QTest::newRow(qPrintable(f)) << f;
    }

    void everyRegressionFileReads()
    {
        QFETCH(QString, file);
        QTextDocument doc;
        const rtf::ReadResult r = rtf::readFile(regressDir + "/" + file, &doc);
        // Layout too must cope with whatever was read.
        doc.setPageSize(QSizeF(600, 800));
        QVERIFY(doc.pageCount() >= 1);
        QVERIFY(!rtf::plainText(doc).isNull() || !r.ok);
    }

    // What each nasty file still shows.
    void showsWhatCanBeRead_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("deep nesting") << "deep-nesting-100000.rtf" << QStringList{"start", "deep text", "end"};
        QTest::newRow("unbalanced open") << "unbalanced-open.rtf" << QStringList{"bold more text", "second paragraph"};
        QTest::newRow("unbalanced close") << "unbalanced-close.rtf" << QStringList{"text", "after", "more"};
        QTest::newRow("huge bin") << "huge-bin.rtf" << QStringList{"before"};
        QTest::newRow("negative bin") << "negative-bin.rtf" << QStringList{"before", "after"};
        QTest::newRow("huge uc") << "huge-uc.rtf" << QStringList{QString::fromUtf8("€"), "visible"};
        QTest::newRow("bad hex") << "bad-hex.rtf" << QStringList{"a", "b", "c", "d", "e"};
        QTest::newRow("nul bytes") << "nul-bytes.rtf" << QStringList{"name", "text", "x", "y"};
        QTest::newRow("giant numbers") << "giant-numbers.rtf" << QStringList{"big numbers"};
        QTest::newRow("huge cellx count") << "huge-cellx-count.rtf" << QStringList{"c", "after"};
        QTest::newRow("ragged table") << "ragged-table.rtf" << QStringList{"a", "e", "f", "g", "after"};
        QTest::newRow("truncated picture") << "truncated-picture.rtf" << QStringList{"before", "after"};
        QTest::newRow("corrupt jpeg") << "corrupt-jpeg.rtf" << QStringList{"before", "after"};
        QTest::newRow("picture claiming 100000 px") << "picture-huge-dimensions.rtf" << QStringList{"x", "y"};
        QTest::newRow("missing header") << "missing-header.rtf" << QStringList{"Just some plain text", "brace"};
        QTest::newRow("out of range references") << "out-of-range-refs.rtf" << QStringList{"text"};
        QTest::newRow("many fonts") << "many-fonts.rtf" << QStringList{"text"};
        QTest::newRow("long control word") << "long-control-word.rtf" << QStringList{"text"};
        QTest::newRow("fields without result") << "field-without-result.rtf" << QStringList{"orphan", "text"};
        QTest::newRow("unpaired surrogates") << "surrogates-unpaired.rtf" << QStringList{"a", "b", "c", "d"};
        QTest::newRow("truncated double byte") << "dbcs-truncated.rtf" << QStringList{QString::fromUtf8("あ"), "lead at end"};
        QTest::newRow("row without cells") << "row-without-cells.rtf" << QStringList{"text"};
    }

    void showsWhatCanBeRead()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, shown);
        rtf::ReadResult r;
        const QString text = readAll(fileBytes(regressDir + "/" + file), &r);
        QVERIFY2(r.ok, qPrintable(r.error));
        for (const QString& s : shown)
            QVERIFY2(text.contains(s), qPrintable(QString("'%1' not in: %2").arg(s, text.left(300))));
    }

    void nothingToRead()
    {
        rtf::ReadResult r;
        readAll(fileBytes(regressDir + "/empty.rtf"), &r);
        QVERIFY(!r.ok);
        QVERIFY(!r.error.isEmpty());
        readAll(fileBytes(regressDir + "/only-braces.rtf"), &r);
        QVERIFY(!r.ok);
    }

    void oneMegabyteParagraph()
    {
        QByteArray rtf = "{\\rtf1 ";
        const QByteArray words = "word {\\b bold} \\'e9\\u8364? ";
        int repeats = 0;
        for (; rtf.size() < 1024 * 1024; ++repeats)
            rtf += words;
        rtf += "end}";
        const QString text = readAll(rtf);
        QCOMPARE(text.count(u'\n'), 0);
        QVERIFY(text.endsWith("end"));
        QCOMPARE(text.count(QStringLiteral("bold")), repeats);
    }

    void hundredThousandNestedGroups()
    {
        const int n = 100000;
        const QByteArray rtf = "{\\rtf1 " + QByteArray("{\\b ").repeated(n) + "inside" + QByteArray("}").repeated(n) + " outside}";
        rtf::ReadResult r;
        const QString text = readAll(rtf, &r);
        QVERIFY(r.ok);
        QCOMPARE(text, QString("inside outside"));
        // Sequential groups, each closed, as many as that.
        const QByteArray flat = "{\\rtf1 " + QByteArray("{\\i x}").repeated(n) + "}";
        QCOMPARE(readAll(flat).size(), n);
    }

    void hugeTable()
    {
        // 4000 rows of 40 cells: more cells than one table holds, so it is split, not refused.
        QByteArray row = "\\trowd";
        for (int c = 1; c <= 40; ++c)
            row += "\\cellx" + QByteArray::number(c * 200);
        row += "\\pard\\intbl " + QByteArray("x\\cell ").repeated(40) + "\\row\n";
        const QByteArray rtf = "{\\rtf1 " + row.repeated(4000) + "\\pard after}";
        const QString text = readAll(rtf);
        QCOMPARE(text.count(u'x'), 4000 * 40);
        QVERIFY(text.endsWith("after"));
    }

    // Code page tables are shared by every document read: documents in different code
    // pages, read one after the other, each keep their own, also for double-byte pairs
    // and for text bytes (tabs, ASCII) between a lead byte and its trail.
    void codePagesAcrossDocuments()
    {
        const QList<QPair<QByteArray, QString>> documents = {
            {"{\\rtf1\\ansi\\ansicpg1251 \\'e0\xe0}", QString::fromUtf8("аа")},
            {"{\\rtf1\\ansi\\ansicpg932 \\'82\\'a0\x88\x9f x}", QString::fromUtf8("あ亜 x")},
            {"{\\rtf1\\ansi\\ansicpg1253 \\'e1}", QString::fromUtf8("α")},
            {"{\\rtf1\\ansi\\ansicpg932 \x82\t\xa0}", QString::fromUtf8("\tあ")},
            {"{\\rtf1\\ansi\\ansicpg99999 \\'e0}", QString::fromUtf8("à")},
            {"{\\rtf1\\ansi\\ansicpg1251 \\'e0}", QString::fromUtf8("а")},
        };
        for (int round = 0; round < 2; ++round) {
            for (const auto& [rtf, text] : documents)
                QCOMPARE(readAll(rtf), text);
        }
    }

    void hugePictureDataIsBounded()
    {
        // 40 MB of hex picture data: more than a picture may hold; skipped, the text stays.
        const QByteArray rtf = "{\\rtf1 before {\\pict\\pngblip " + QByteArray("89").repeated(40 * 1024 * 1024 / 2) + "} after}";
        rtf::ReadResult r;
        const QString text = readAll(rtf, &r);
        QCOMPARE(text, QString("before  after"));
        QVERIFY(r.error.contains("picture"));
    }
};

QTEST_MAIN(TestRtfBadInput)
#include "tst_rtfbadinput.moc"
