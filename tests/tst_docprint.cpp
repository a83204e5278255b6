// Printing a rich-text document page by page within one-inch margins, read back from PDF.
#include "PdfPage.h"
#include "TestProgram.h"

#include "documents/RichTextPrinting.h"
#include "platform/fake/FakeOutput.h"
#include "platform/rtf/RtfReader.h"

#include <QPageLayout>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextDocument>

namespace {

constexpr qint32 kInch = 1440;
constexpr int kDpi = 72;            // one pixel of the rendered page is one point
// Letter paper less two inches: nine inches of text per page.
constexpr int kLinesPerPage = 9;

// A PDF printer on letter paper whose unprintable borders are `borders` (inches).
struct PdfPrinter
{
    QTemporaryDir dir;
    QPrinter printer{QPrinter::HighResolution};

    explicit PdfPrinter(const QMarginsF& borders = {})
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.path() + QStringLiteral("/doc.pdf"));
        printer.setPageSize(QPageSize(QPageSize::Letter));
        printer.setPageOrientation(QPageLayout::Portrait);
        printer.setFullPage(false);
        printer.setPageMargins(borders, QPageLayout::Inch);
    }
    QString pdf() const { return printer.outputFileName(); }
};

// `count` paragraphs "Line 001", "Line 002", ..., each exactly one inch high.
void inchLines(QTextDocument& doc, int count)
{
    QTextCursor c(&doc);
    QTextBlockFormat inch;
    inch.setLineHeight(96, QTextBlockFormat::FixedHeight);   // 96 pixels at 96 DPI
    for (int i = 1; i <= count; ++i) {
        if (i > 1)
            c.insertBlock();
        c.setBlockFormat(inch);
        c.insertText(QStringLiteral("Line %1").arg(i, 3, 10, QLatin1Char('0')));
    }
}

// Paragraphs of short words, enough to wrap at the right margin many times over.
void wordsText(QTextDocument& doc, int paragraphs)
{
    QStringList text;
    for (int p = 0; p < paragraphs; ++p)
        text << QString(QStringLiteral("mmm ")).repeated(120).trimmed();
    doc.setPlainText(text.join(QLatin1Char('\n')));
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPointSize(12);
    doc.setDefaultFont(f);
}

QStringList linesOf(const QString& pageText)
{
    static const QRegularExpression line(QStringLiteral("Line \\d{3}"));
    QStringList found;
    for (auto it = line.globalMatch(pageText); it.hasNext();)
        found << it.next().captured();
    return found;
}

QString expectedLine(int i)
{
    return QStringLiteral("Line %1").arg(i, 3, 10, QLatin1Char('0'));
}

// What is wrong with a full page of wrapped words (rendered at 72 DPI, one pixel a point)
// printed within one-inch margins; empty when its ink lies where it should.
QString fullPageOffMargins(const QImage& page)
{
    const int w = page.width(), h = page.height();
    const QRect ink = PdfPage::inkBox(page);
    const QString where = QStringLiteral("page %1 x %2, ink %3,%4 - %5,%6")
                              .arg(w).arg(h).arg(ink.left()).arg(ink.top()).arg(ink.right()).arg(ink.bottom());
    // Glyphs start a little inside their line: allow for the side bearing and the space
    // above the letters, never for text outside the margins.
    const bool left = ink.left() >= 71 && ink.left() <= 75;
    const bool top = ink.top() >= 71 && ink.top() <= 72 + 12;
    const bool right = ink.right() <= w - 72 && ink.right() >= w - 72 - 40;
    // A full page runs down to the bottom margin, less at most one line.
    const bool bottom = ink.bottom() <= h - 72 && ink.bottom() >= h - 72 - 30;
    return left && top && right && bottom ? QString() : where;
}

} // namespace

class TestDocPrint : public QObject
{
    Q_OBJECT

private slots:
    void pageCounts_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("pages");
        QTest::newRow("empty: one blank page") << 0 << 1;
        QTest::newRow("short") << 3 << 1;
        QTest::newRow("exactly one page") << kLinesPerPage << 1;
        QTest::newRow("one line more") << kLinesPerPage + 1 << 2;
        QTest::newRow("exactly three pages") << 3 * kLinesPerPage << 3;
        QTest::newRow("long") << 100 << 12;
    }

    // Each page starts with the first line that did not fit on the one before: every line
    // is printed once, in order, and no page is blank but the empty document's.
    void pageCounts()
    {
        QFETCH(int, lines);
        QFETCH(int, pages);
        QTextDocument doc;
        inchLines(doc, lines);
        PdfPrinter p;
        const RichTextPrint result = PrintRichText(p.printer, doc, kInch, kInch, kInch, kInch);
        QVERIFY2(result.error.isEmpty(), qPrintable(result.error));
        QCOMPARE(result.pages, pages);
        const PdfPage::Info info = PdfPage::info(p.pdf());
        QVERIFY2(info.pages >= 0, qPrintable(info.error));
        QCOMPARE(info.pages, pages);

        int next = 1;
        for (int page = 1; page <= pages; ++page) {
            QString error;
            const QString text = PdfPage::pageText(p.pdf(), page, &error);
            QVERIFY2(!text.isNull(), qPrintable(error));
            const QStringList found = linesOf(text);
            if (lines > 0)
                QVERIFY2(!found.isEmpty(), qPrintable(QStringLiteral("page %1 is blank").arg(page)));
            for (const QString& l : found)
                QCOMPARE(l, expectedLine(next++));
            if (page < pages)
                QCOMPARE(found.size(), kLinesPerPage);
        }
        QCOMPARE(next, lines + 1);
    }

    void emptyDocumentPageIsBlank()
    {
        QTextDocument doc;
        PdfPrinter p;
        QCOMPARE(PrintRichText(p.printer, doc, kInch, kInch, kInch, kInch).pages, 1);
        QString error;
        const QImage page = PdfPage::render(p.pdf(), kDpi, &error);
        QVERIFY2(!page.isNull(), qPrintable(error));
        QVERIFY(PdfPage::inkBox(page).isEmpty());
    }

    // The text keeps one inch from every edge of the paper, whatever unprintable borders
    // the printer has (a quarter inch at the left: the text starts 1080 twips inside them).
    void marginsFromThePaperEdges_data()
    {
        QTest::addColumn<QMarginsF>("borders");   // inches
        QTest::newRow("no borders") << QMarginsF();
        QTest::newRow("quarter inch at the left") << QMarginsF(0.25, 0, 0, 0);
        QTest::newRow("uneven borders") << QMarginsF(0.25, 0.5, 0.3, 0.4);
    }

    void marginsFromThePaperEdges()
    {
        QFETCH(QMarginsF, borders);
        QTextDocument doc;
        wordsText(doc, 12);
        PdfPrinter p(borders);
        const RichTextPrint result = PrintRichText(p.printer, doc, kInch, kInch, kInch, kInch);
        QVERIFY2(result.error.isEmpty(), qPrintable(result.error));
        QVERIFY(result.pages >= 2);

        // Letter paper at 72 DPI: 612 x 792; one inch is 72.
        QString error;
        const QImage page = PdfPage::renderPage(p.pdf(), kDpi, 1, &error);
        QVERIFY2(!page.isNull(), qPrintable(error));
        QCOMPARE(page.size(), QSize(612, 792));
        const QString wrong = fullPageOffMargins(page);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    }

    // The document is laid out on the paper of the printer it goes to: its lines run from
    // one inch inside the left edge of that paper to one inch inside its right edge, its
    // pages down to one inch above its foot.
    void onThePrintersOwnPaper_data()
    {
        QTest::addColumn<QPageSize>("size");
        QTest::addColumn<QPageLayout::Orientation>("orientation");
        QTest::addColumn<QSize>("points");
        const QPageSize letter(QPageSize::Letter), a4(QPageSize::A4);
        QTest::newRow("Letter") << letter << QPageLayout::Portrait << QSize(612, 792);
        QTest::newRow("Letter landscape") << letter << QPageLayout::Landscape << QSize(792, 612);
        QTest::newRow("A4") << a4 << QPageLayout::Portrait << QSize(595, 842);
        QTest::newRow("A4 landscape") << a4 << QPageLayout::Landscape << QSize(842, 595);
    }

    void onThePrintersOwnPaper()
    {
        QFETCH(QPageSize, size);
        QFETCH(QPageLayout::Orientation, orientation);
        QFETCH(QSize, points);
        FakePrinter printer;
        printer.standFor({size, orientation});
        QTextDocument doc;
        wordsText(doc, 12);
        const RichTextPrint result = PrintRichText(printer.printer(), doc, kInch, kInch, kInch, kInch);
        QVERIFY2(result.error.isEmpty(), qPrintable(result.error));
        QVERIFY(result.pages >= 2);

        const PdfPage::Info info = PdfPage::info(printer.pdfFile());
        QVERIFY2(info.pages == result.pages, qPrintable(info.error));
        QVERIFY2(std::abs(info.pointSize.width() - points.width()) <= 1
                     && std::abs(info.pointSize.height() - points.height()) <= 1,
                 qPrintable(QStringLiteral("page %1 x %2").arg(info.pointSize.width()).arg(info.pointSize.height())));
        QString error;
        const QImage page = PdfPage::renderPage(printer.pdfFile(), kDpi, 1, &error);
        QVERIFY2(!page.isNull(), qPrintable(error));
        const QString wrong = fullPageOffMargins(page);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    }

    void marginsThatLeaveNoRoomAreRefused_data()
    {
        QTest::addColumn<qint32>("left");
        QTest::addColumn<qint32>("right");
        QTest::newRow("wider than the paper") << 9000 << 9000;
        QTest::newRow("overflowing") << std::numeric_limits<qint32>::max() << kInch;
        QTest::newRow("negative overflow") << kInch << std::numeric_limits<qint32>::min();
    }

    void marginsThatLeaveNoRoomAreRefused()
    {
        QFETCH(qint32, left);
        QFETCH(qint32, right);
        QTextDocument doc;
        inchLines(doc, 3);
        PdfPrinter p;
        const RichTextPrint result = PrintRichText(p.printer, doc, left, kInch, right, kInch);
        QVERIFY(!result.error.isEmpty());
        QCOMPARE(result.pages, 0);
        QVERIFY(!QFile::exists(p.pdf()));
    }

    void printerThatCannotStartIsReported()
    {
        QTextDocument doc;
        inchLines(doc, 3);
        PdfPrinter p;
        p.printer.setOutputFileName(p.dir.path() + QStringLiteral("/no-such-folder/doc.pdf"));
        const RichTextPrint result = PrintRichText(p.printer, doc, kInch, kInch, kInch, kInch);
        QVERIFY2(result.error.contains(QStringLiteral("could not start")), qPrintable(result.error));
    }

    // Paragraph indents, tab stops and the space before the first paragraph are where a word
    // processor puts them on paper (at 72 DPI one pixel is a point; one inch margins).
    void paragraphLayoutOnPaper_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<int>("left");   // where the ink starts, points from the paper's edges
        QTest::addColumn<int>("top");
        QTest::newRow("left indent") << QByteArray(R"({\rtf1\pard\li1440 MMMM\par})") << 144 << 72;
        QTest::newRow("first-line indent") << QByteArray(R"({\rtf1\pard\fi720 MMMM\par})") << 108 << 72;
        QTest::newRow("hanging indent and its tab") << QByteArray(R"({\rtf1\pard\li2160\fi-1440\tab MMMM\par})") << 180 << 72;
        QTest::newRow("tab stop from the margin") << QByteArray(R"({\rtf1\pard\li720\tx2880\tab MMMM\par})") << 216 << 72;
        QTest::newRow("space before the first paragraph") << QByteArray(R"({\rtf1\pard\sb1440 MMMM\par})") << 72 << 144;
    }

    void paragraphLayoutOnPaper()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(int, left);
        QFETCH(int, top);
        QTextDocument doc;
        QVERIFY(rtf::read(rtf, &doc).ok);
        PdfPrinter p;
        const RichTextPrint result = PrintRichText(p.printer, doc, kInch, kInch, kInch, kInch);
        QVERIFY2(result.error.isEmpty(), qPrintable(result.error));
        QString error;
        const QImage page = PdfPage::renderPage(p.pdf(), kDpi, 1, &error);
        QVERIFY2(!page.isNull(), qPrintable(error));
        const QRect ink = PdfPage::inkBox(page);
        const QString where = QStringLiteral("ink at %1,%2").arg(ink.left()).arg(ink.top());
        // The side bearing of the letters, and the space above capitals in their line.
        QVERIFY2(ink.left() >= left - 1 && ink.left() <= left + 3, qPrintable(where));
        QVERIFY2(ink.top() >= top && ink.top() <= top + 6, qPrintable(where));
    }

    // The media's documents, read by the RTF reader, print whole.
    void mediaDocumentsPrint()
    {
        TestProgram t;
        MediaBuilder media = t.media();
        media.richText();
        QVERIFY(media.ok());
        for (const QString& name : {QStringLiteral("RichText/notice.rtf"), QStringLiteral("RichText/Register.rtf")}) {
            QTextDocument doc;
            const rtf::ReadResult read = rtf::readFile(t.mediaRoot() + QLatin1Char('/') + name, &doc);
            QVERIFY2(read.ok, qPrintable(read.error));
            PdfPrinter p;
            const RichTextPrint result = PrintRichText(p.printer, doc, kInch, kInch, kInch, kInch);
            QVERIFY2(result.error.isEmpty(), qPrintable(result.error));
            QVERIFY(result.pages >= 1);
            QString all;
            for (int page = 1; page <= result.pages; ++page)
                all += PdfPage::pageText(p.pdf(), page);
            const QString simplified = all.simplified();
            // The first and the last paragraph are on paper.
            const QStringList paragraphs = rtf::plainText(doc).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
            QVERIFY(!paragraphs.isEmpty());
            QVERIFY2(simplified.contains(paragraphs.first().simplified()), qPrintable(simplified));
            QVERIFY2(simplified.contains(paragraphs.last().simplified().left(30)), qPrintable(simplified));
        }
    }
};

VANTORRA_TEST_MAIN(TestDocPrint)
#include "tst_docprint.moc"
