// The RTF reader against RTF written by real producers (pandoc, LibreOffice, latex2rtf,
// enscript): the text rtfdump prints and the reader holds matches LibreOffice's own plain
// text of each file, and a long document takes as many pages as LibreOffice gives it.
#include "TestFiles.h"
#include "platform/rtf/RtfReader.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

namespace {

const QString corpusDir = QStringLiteral(VANTORRA_SOURCE_DIR "/tests/rtf-corpus");

// Whitespace runs (LibreOffice writes runs of spaces with U+2006 between) become one space.
// Bullet glyphs count as one: LibreOffice draws list labels from its list table, the reader
// shows the label text the writer stored.
QString normalised(QString s)
{
    s.remove(QChar(0xFEFF));
    s.replace(QRegularExpression(QStringLiteral("[\u2022\u25E6\u25AA\u00B7\u2013\u2212\uF0B7]")), QStringLiteral("*"));
    s.replace(QRegularExpression(QStringLiteral("[\\s\u00A0\u2000-\u200A\u2028]+")), QStringLiteral(" "));
    return s.trimmed();
}

} // namespace

class TestRtfCorpus : public QObject
{
    Q_OBJECT

private slots:
    void matchesLibreOfficeText_data()
    {
        QTest::addColumn<QString>("name");
        const QStringList files = QDir(corpusDir).entryList({"*.rtf"}, QDir::Files, QDir::Name);
        QVERIFY(files.size() >= 6);
        for (const QString& f : files)
            QTest::newRow(qPrintable(f)) << f.chopped(4);
    }

    void matchesLibreOfficeText()
    {
        QFETCH(QString, name);
        const QString reference = normalised(QString::fromUtf8(fileBytes(corpusDir + "/" + name + ".txt")));
        QVERIFY(!reference.isEmpty());

        QTextDocument doc;
        const rtf::ReadResult r = rtf::readFile(corpusDir + "/" + name + ".rtf", &doc);
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(normalised(rtf::plainText(doc)), reference);

        QProcess dump;
        dump.start(QStringLiteral(RTFDUMP_PATH), {corpusDir + "/" + name + ".rtf"});
        QVERIFY(dump.waitForFinished(60000));
        QCOMPARE(dump.exitStatus(), QProcess::NormalExit);
        QCOMPARE(dump.exitCode(), 0);
        const QString printed = QString::fromUtf8(dump.readAllStandardOutput());
        QCOMPARE(printed, rtf::plainText(doc) + u'\n');
    }

    void pageCountMatchesLibreOffice()
    {
        const int expected = QString::fromLatin1(fileBytes(corpusDir + "/libreoffice-long.pages")).trimmed().toInt();
        QVERIFY(expected > 10);
        QTextDocument doc;
        QVERIFY(rtf::readFile(corpusDir + "/libreoffice-long.rtf", &doc).ok);
        // US Letter with one-inch margins: a text area of 6.5 x 9 inches at 96 dpi.
        doc.setDocumentMargin(0);
        doc.setPageSize(QSizeF(6.5 * 96, 9 * 96));
        const int pages = doc.pageCount();
        QVERIFY2(qAbs(pages - expected) <= 1, qPrintable(QString("%1 pages, LibreOffice %2").arg(pages).arg(expected)));
    }

    void rtfdumpReportsAnUnreadableFile()
    {
        QTemporaryDir dir;
        QProcess dump;
        dump.start(QStringLiteral(RTFDUMP_PATH), {dir.filePath("missing.rtf")});
        QVERIFY(dump.waitForFinished(60000));
        QCOMPARE(dump.exitCode(), 1);
        QVERIFY(dump.readAllStandardOutput().isEmpty());
        const QString err = QString::fromUtf8(dump.readAllStandardError());
        QCOMPARE(err.count(u'\n'), 1);
        QVERIFY2(err.contains("No such file or directory"), qPrintable(err));
        QVERIFY(err.contains("missing.rtf"));
    }
};

QTEST_MAIN(TestRtfCorpus)
#include "tst_rtfcorpus.moc"
