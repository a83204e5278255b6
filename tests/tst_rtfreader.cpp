// The RTF reader, feature by feature, on small documents written inline: what each control
// word does to the text, the character and paragraph formats, tables, pictures and links.
#include "platform/rtf/RtfModel.h"
#include "platform/rtf/RtfReader.h"

#include <QBuffer>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextFrame>
#include <QTextTable>

namespace {

// The format of the first character of the first occurrence of text.
QTextCharFormat formatOf(const QTextDocument& doc, const QString& text)
{
    const QTextCursor found = doc.find(text);
    if (found.isNull())
        return QTextCharFormat();
    QTextCursor c(const_cast<QTextDocument*>(&doc));
    c.setPosition(found.selectionStart() + 1);
    return c.charFormat();
}

QTextBlock blockWith(const QTextDocument& doc, const QString& text)
{
    const QTextCursor found = doc.find(text);
    return found.isNull() ? QTextBlock() : found.block();
}

QTextTable* firstTable(const QTextDocument& doc)
{
    for (QTextFrame* f : doc.rootFrame()->childFrames())
        if (auto* t = qobject_cast<QTextTable*>(f))
            return t;
    return nullptr;
}

// Tab stops as "96L 192C 288R 384D" (pixels, kind), the first `count` of them.
QString tabText(const QList<QTextOption::Tab>& tabs, qsizetype count)
{
    QStringList out;
    for (qsizetype i = 0; i < std::min(count, tabs.size()); ++i) {
        const QTextOption::Tab& t = tabs.at(i);
        const char kind = t.type == QTextOption::LeftTab ? 'L' : t.type == QTextOption::CenterTab ? 'C'
                        : t.type == QTextOption::RightTab ? 'R' : 'D';
        out << QString::number(t.position) + QLatin1Char(kind);
    }
    return out.join(u' ');
}

// A list table of one list (\listid 7, \ls 1) with the levels given, each as its control
// words and its \leveltext.
QByteArray listTable(const QList<QByteArray>& levels)
{
    QByteArray out = R"({\*\listtable{\list\listtemplateid5)";
    for (const QByteArray& level : levels)
        out += "{\\listlevel" + level + "}";
    out += R"({\listname ;}\listid7}}{\*\listoverridetable{\listoverride\listid7\listoverridecount0\ls1}})";
    return out;
}

QByteArray pngHex(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::blue);
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    return bytes.toHex();
}

} // namespace

class TestRtfReader : public QObject
{
    Q_OBJECT

    QTextDocument doc;

    QString read(const QByteArray& rtf)
    {
        const rtf::ReadResult r = rtf::read(rtf, &doc);
        if (!r.ok)
            qWarning() << "read failed:" << r.error;
        return rtf::plainText(doc);
    }

private slots:
    void text_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("expected");
        QTest::newRow("escapes") << QByteArray(R"({\rtf1 a\\b\{c\}d})") << QString("a\\b{c}d");
        QTest::newRow("symbols") << QByteArray(R"({\rtf1 \emdash\endash\lquote\rquote\ldblquote\rdblquote\bullet})")
                                 << QString::fromUtf8("—–‘’“”•");
        QTest::newRow("tab and spaces") << QByteArray(R"({\rtf1 a\tab b\~c\_d\-e})")
                                        << QString::fromUtf8("a\tb\u00A0c\u2011d\u00ADe");
        QTest::newRow("line break") << QByteArray(R"({\rtf1 one\line two})") << QString("one\ntwo");
        QTest::newRow("paragraphs") << QByteArray("{\\rtf1 one\\par two\\par three}") << QString("one\ntwo\nthree");
        QTest::newRow("newlines in source are not text") << QByteArray("{\\rtf1 one\r\ntwo}") << QString("onetwo");
        QTest::newRow("cp1252 hex") << QByteArray(R"({\rtf1\ansi caf\'e9 \'80 \'93q\'94})") << QString::fromUtf8("café € “q”");
        QTest::newRow("cp1251 hex") << QByteArray(R"({\rtf1\ansi\ansicpg1251 \'cc\'ee\'f1\'ea\'e2\'e0})") << QString::fromUtf8("Москва");
        QTest::newRow("cp1250 hex") << QByteArray(R"({\rtf1\ansi\ansicpg1250 \'8akoda})") << QString::fromUtf8("Škoda");
        QTest::newRow("font charset wins") << QByteArray(R"({\rtf1\ansi{\fonttbl{\f0 Arial;}{\f1\fcharset204 Arial Cyr;}}\f0 \'e9 {\f1 \'e9}})")
                                           << QString::fromUtf8("é й");
        QTest::newRow("raw 8-bit bytes") << QByteArray("{\\rtf1\\ansi caf\xe9 \x80}") << QString::fromUtf8("café €");
        QTest::newRow("pc code page") << QByteArray(R"({\rtf1\pc \'82})") << QString::fromUtf8("é");
        QTest::newRow("shift-jis pair") << QByteArray(R"({\rtf1\ansi\ansicpg932 \'82\'a0})") << QString::fromUtf8("あ");
        QTest::newRow("unicode uc1") << QByteArray(R"({\rtf1 \u8364?x})") << QString::fromUtf8("€x");
        QTest::newRow("unicode uc0") << QByteArray(R"({\rtf1\uc0 \u8364 x})") << QString::fromUtf8("€x");
        QTest::newRow("unicode uc2 skips hex") << QByteArray(R"({\rtf1\uc2 \u8364\'80\'80x})") << QString::fromUtf8("€x");
        QTest::newRow("uc is scoped to the group") << QByteArray(R"({\rtf1 {\uc2 \u233 ab}\u233 ab})") << QString::fromUtf8("ééb");
        QTest::newRow("negative unicode") << QByteArray(R"({\rtf1 \u-3913?})") << QString(QChar(0x2022));
        QTest::newRow("surrogate pair") << QByteArray(R"({\rtf1 \u-10179?\u-8704?})") << QString::fromUtf8("😀");
        QTest::newRow("lone surrogate") << QByteArray(R"({\rtf1 a\u-10179?b})") << QString::fromUtf8("a\uFFFDb");
        QTest::newRow("unknown starred destination") << QByteArray(R"({\rtf1 a{\*\foo hidden {nested}}b})") << QString("ab");
        QTest::newRow("unknown word keeps text") << QByteArray(R"({\rtf1 a{\foo shown}b})") << QString("ashownb");
        QTest::newRow("header footer info") << QByteArray(R"({\rtf1{\info{\title T}}{\header H}{\footer F}{\footnote N}body})") << QString("body");
        QTest::newRow("tables of fonts colours styles") << QByteArray(R"({\rtf1{\fonttbl{\f0 Arial;}}{\colortbl;\red1\green2\blue3;}{\stylesheet{\s1 heading;}}x})") << QString("x");
        QTest::newRow("unicode alternative") << QByteArray(R"({\rtf1 a{\upr{ansi}{\*\ud{\u8364?}}}b})") << QString::fromUtf8("a€b");
        QTest::newRow("hidden text") << QByteArray(R"({\rtf1 a{\v hidden}b})") << QString("ab");
        QTest::newRow("list labels") << QByteArray(R"({\rtf1{\*\listtable{\list{\listlevel{\leveltext\'02\'00.;}}\listid1}}{\listtext 1.\tab}Item\par{\pntext\'b7\tab}Old})")
                                     << QString::fromUtf8("1.\tItem\n·\tOld");
        QTest::newRow("field instruction hidden") << QByteArray(R"({\rtf1 {\field{\*\fldinst PAGE}{\fldrslt 7}}})") << QString("7");
        QTest::newRow("shppict shown once") << (QByteArray(R"({\rtf1 a{\*\shppict{\pict\pngblip )") + pngHex(2, 2)
                                               + R"(}}{\nonshppict{\pict\pngblip )" + pngHex(2, 2) + "}}b}")
                                            << QString("ab");
        QTest::newRow("no closing brace") << QByteArray(R"({\rtf1 a\par {\b b)") << QString("a\nb");
    }

    void text()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, expected);
        QCOMPARE(read(rtf), expected);
    }

    void characterFormats()
    {
        read(R"({\rtf1{\fonttbl{\f0\froman Times New Roman;}{\f1\fswiss Arial;}}{\colortbl;\red255\green0\blue0;\red0\green0\blue255;})"
             R"(\deff0 plain {\b bold} {\i italic} {\ul single} {\uldb double} {\ulw words} {\strike struck} {\scaps caps} )"
             R"({\super sup} {\sub sub} {\f1 arial} {\fs40 big} {\cf1 red} {\cb2 blueback} {\b\i\plain reset} {\b0 notbold}})");
        QVERIFY(formatOf(doc, "bold").font().bold());
        QVERIFY(!formatOf(doc, "plain").font().bold());
        QVERIFY(formatOf(doc, "italic").fontItalic());
        QCOMPARE(formatOf(doc, "single").underlineStyle(), QTextCharFormat::SingleUnderline);
        QCOMPARE(formatOf(doc, "double").property(rtf::kUnderlineKindProperty).toInt(), int(rtf::Underline::Double));
        QCOMPARE(formatOf(doc, "words").property(rtf::kUnderlineKindProperty).toInt(), int(rtf::Underline::Word));
        QVERIFY(formatOf(doc, "struck").fontStrikeOut());
        QCOMPARE(formatOf(doc, "caps").fontCapitalization(), QFont::SmallCaps);
        QCOMPARE(formatOf(doc, "sup").verticalAlignment(), QTextCharFormat::AlignSuperScript);
        QCOMPARE(formatOf(doc, "sub").verticalAlignment(), QTextCharFormat::AlignSubScript);
        QCOMPARE(formatOf(doc, "plain").fontFamilies().toStringList(), QStringList{"Times New Roman"});
        QCOMPARE(formatOf(doc, "arial").fontFamilies().toStringList(), QStringList{"Arial"});
        QCOMPARE(formatOf(doc, "plain").fontPointSize(), 12.0);
        QCOMPARE(formatOf(doc, "big").fontPointSize(), 20.0);
        QCOMPARE(formatOf(doc, "red").foreground().color(), QColor(255, 0, 0));
        QCOMPARE(formatOf(doc, "blueback").background().color(), QColor(0, 0, 255));
        const QTextCharFormat reset = formatOf(doc, "reset");
        QVERIFY(!reset.font().bold());
        QVERIFY(!reset.fontItalic());
        QVERIFY(!formatOf(doc, "notbold").font().bold());
    }

    void runsAreBatched()
    {
        // One run a format change, not one a character.
        read(R"({\rtf1 aaaa{\b bbbb}cccc\b\b\b dddd})");
        int fragments = 0;
        for (auto it = doc.begin().begin(); !it.atEnd(); ++it)
            ++fragments;
        QCOMPARE(fragments, 4);
    }

    void alignment_data()
    {
        QTest::addColumn<QByteArray>("word");
        QTest::addColumn<int>("alignment");
        QTest::newRow("left") << QByteArray("\\ql") << int(Qt::AlignLeft);
        QTest::newRow("centre") << QByteArray("\\qc") << int(Qt::AlignHCenter);
        QTest::newRow("right") << QByteArray("\\qr") << int(Qt::AlignRight);
        QTest::newRow("justified") << QByteArray("\\qj") << int(Qt::AlignJustify);
    }

    void alignment()
    {
        QFETCH(QByteArray, word);
        QFETCH(int, alignment);
        read("{\\rtf1 first\\par\\pard" + word + " target\\par\\pard after}");
        QCOMPARE(int(blockWith(doc, "target").blockFormat().alignment() & Qt::AlignHorizontal_Mask), alignment);
        QCOMPARE(int(blockWith(doc, "after").blockFormat().alignment() & Qt::AlignHorizontal_Mask), int(Qt::AlignLeft));
    }

    void paragraphFormats()
    {
        // 1440 twips = one inch = 96 pixels.
        read(R"({\rtf1\pard\li1440\ri720\fi-360\sb240\sa120\sl360\slmult1\tx720\tqc\tx2880\tqr\tx4320\tqdec\tx5760 indented\par)"
             R"(\pard\sl-480 exact\par\pard plain\par{\pard\qc grouped\par}still left\par})");
        const QTextBlockFormat f = blockWith(doc, "indented").blockFormat();
        QCOMPARE(f.leftMargin(), 96.0);
        QCOMPARE(f.rightMargin(), 48.0);
        QCOMPARE(f.textIndent(), -24.0);
        QCOMPARE(f.topMargin(), 16.0);
        QCOMPARE(f.bottomMargin(), 8.0);
        QCOMPARE(f.lineHeightType(), int(QTextBlockFormat::ProportionalHeight));
        QCOMPARE(f.lineHeight(), 150.0);
        // Tab stops from the first line's start (1080 twips): the stop at 720 lies before it,
        // the hanging indent at 1440 is a stop of its own.
        const QList<QTextOption::Tab> tabs = f.tabPositions();
        QVERIFY(tabs.size() >= 4);
        QCOMPARE(tabs[0].position, 24.0);
        QCOMPARE(tabs[0].type, QTextOption::LeftTab);
        QCOMPARE(tabs[1].type, QTextOption::CenterTab);
        QCOMPARE(tabs[1].position, 120.0);
        QCOMPARE(tabs[2].type, QTextOption::RightTab);
        QCOMPARE(tabs[3].type, QTextOption::DelimiterTab);
        QCOMPARE(tabs[3].delimiter, QChar(u'.'));
        const QTextBlockFormat exact = blockWith(doc, "exact").blockFormat();
        QCOMPARE(exact.lineHeightType(), int(QTextBlockFormat::FixedHeight));
        QCOMPARE(exact.lineHeight(), 32.0);
        QCOMPARE(blockWith(doc, "plain").blockFormat().leftMargin(), 0.0);
        QCOMPARE(blockWith(doc, "grouped").blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QCOMPARE(blockWith(doc, "still").blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    }

    void pageBreakStartsTheNextParagraphOnANewPage()
    {
        read(R"({\rtf1 one\page two\par\pard\pagebb three\par four})");
        QCOMPARE(rtf::plainText(doc), QString("one\ntwo\nthree\nfour"));
        QCOMPARE(blockWith(doc, "one").blockFormat().pageBreakPolicy(), QTextFormat::PageBreak_Auto);
        QCOMPARE(blockWith(doc, "two").blockFormat().pageBreakPolicy(), QTextFormat::PageBreak_AlwaysBefore);
        QCOMPARE(blockWith(doc, "three").blockFormat().pageBreakPolicy(), QTextFormat::PageBreak_AlwaysBefore);
        // \pagebb holds until \pard, as for any paragraph property (LibreOffice prints
        // four pages).
        QCOMPARE(blockWith(doc, "four").blockFormat().pageBreakPolicy(), QTextFormat::PageBreak_AlwaysBefore);
        doc.setPageSize(QSizeF(600, 800));
        QCOMPARE(doc.pageCount(), 4);
    }

    void stylesheetStyles()
    {
        read(R"({\rtf1{\stylesheet{\s0 Normal;}{\s1\qc\b\fs36 heading 1;}{\*\cs10 Default Font;}}\pard\s1 Title\par\pard\plain body})");
        QCOMPARE(blockWith(doc, "Title").blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QVERIFY(formatOf(doc, "Title").font().bold());
        QCOMPARE(formatOf(doc, "Title").fontPointSize(), 18.0);
        QVERIFY(!formatOf(doc, "body").font().bold());
        QCOMPARE(rtf::plainText(doc), QString("Title\nbody"));
    }

    void hyperlink()
    {
        read(R"({\rtf1 see {\field{\*\fldinst{HYPERLINK "https://example.org/a?b=1"}}{\fldrslt{\ul the page}}} )"
             R"(and {\field{\*\fldinst HYPERLINK \\l "part2"}{\fldrslt part two}} done})");
        QCOMPARE(rtf::plainText(doc), QString("see the page and part two done"));
        const QTextCharFormat link = formatOf(doc, "the page");
        QVERIFY(link.isAnchor());
        QCOMPARE(link.anchorHref(), QString("https://example.org/a?b=1"));
        QCOMPARE(formatOf(doc, "part two").anchorHref(), QString("#part2"));
        QVERIFY(!formatOf(doc, "done").isAnchor());
    }

    void pictureSizeAndKinds()
    {
        const rtf::ReadResult r = rtf::read(QByteArray(R"({\rtf1 a{\*\shppict{\pict\pngblip\picw20\pich10\picwgoal2880\pichgoal1440 )")
                                                + pngHex(20, 10) + R"(}}{\nonshppict{\pict\wmetafile8 0102}}b{\pict\jpegblip )"
                                                + QByteArray("ffd8ffe0").repeated(4) + R"(}{\pict\emfblip 0102}c})",
                                            &doc);
        QVERIFY(r.ok);
        QCOMPARE(rtf::plainText(doc), QString("abc"));
        QTextImageFormat image;
        int images = 0;
        for (auto it = doc.begin().begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().isImageFormat()) {
                image = it.fragment().charFormat().toImageFormat();
                ++images;
            }
        }
        QCOMPARE(images, 1);
        QCOMPARE(image.width(), 192.0);  // 2 inches at 96 dpi
        QCOMPARE(image.height(), 96.0);
        const QImage shown = doc.resource(QTextDocument::ImageResource, QUrl(image.name())).value<QImage>();
        QCOMPARE(shown.size(), QSize(20, 10));
        // The skipped pictures are named in the note.
        QVERIFY2(r.error.contains("could not be decoded"), qPrintable(r.error));
        QVERIFY2(r.error.contains("other than PNG or JPEG"), qPrintable(r.error));
    }

    void pictureWithoutGoalUsesItsPixels()
    {
        read(QByteArray(R"({\rtf1 {\pict\pngblip )") + pngHex(30, 15) + "}}");
        const QTextCharFormat f = formatOf(doc, QString(QChar::ObjectReplacementCharacter));
        QVERIFY(f.isImageFormat());
        QCOMPARE(f.toImageFormat().width(), 30.0);
        QCOMPARE(f.toImageFormat().height(), 15.0);
    }

    void table()
    {
        read(R"({\rtf1{\colortbl;\red200\green200\blue200;}before\par\trowd\trqc\trgaph108\clbrdrt\brdrs\clcbpat1\cellx2000\clvertalc\cellx4000\cellx6000)"
             R"(\pard\intbl a1\cell\pard\intbl\qr a2\cell a3\cell\row)"
             R"(\trowd\cellx2000\cellx4000\cellx6000\pard\intbl b1\cell b2\par more\cell b3\cell\row\pard after\par})");
        QTextTable* t = firstTable(doc);
        QVERIFY(t);
        QCOMPARE(t->rows(), 2);
        QCOMPARE(t->columns(), 3);
        QCOMPARE(t->format().alignment(), Qt::AlignHCenter);
        QVERIFY(t->format().border() > 0);
        auto cellText = [&](int r, int c) {
            QTextCursor cur = t->cellAt(r, c).firstCursorPosition();
            cur.setPosition(t->cellAt(r, c).lastCursorPosition().position(), QTextCursor::KeepAnchor);
            return cur.selectedText().replace(QChar::ParagraphSeparator, u'|');
        };
        QCOMPARE(cellText(0, 0), QString("a1"));
        QCOMPARE(cellText(0, 2), QString("a3"));
        QCOMPARE(cellText(1, 1), QString("b2|more"));
        QCOMPARE(t->cellAt(0, 1).firstCursorPosition().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
        QCOMPARE(t->cellAt(0, 1).format().verticalAlignment(), QTextCharFormat::AlignMiddle);
        QVERIFY(t->cellAt(0, 0).format().background().style() != Qt::NoBrush);
        QCOMPARE(rtf::plainText(doc), QString("before\na1\ta2\ta3\nb1\tb2 more\tb3\nafter"));
    }

    void mergedCells()
    {
        // Horizontal: \clmgf/\clmrg and a cell twice as wide as the cells below it.
        // Vertical: \clvmgf/\clvmrg.
        read(R"({\rtf1\trowd\clmgf\cellx1000\clmrg\cellx2000\cellx3000\intbl wide\cell\cell c\cell\row)"
             R"(\trowd\clvmgf\cellx1000\cellx2000\cellx3000\intbl tall\cell x\cell y\cell\row)"
             R"(\trowd\clvmrg\cellx1000\cellx3000\intbl\cell span\cell\row\pard end})");
        QTextTable* t = firstTable(doc);
        QVERIFY(t);
        QCOMPARE(t->columns(), 3);
        QCOMPARE(t->rows(), 3);
        QCOMPARE(t->cellAt(0, 0).columnSpan(), 2);
        QCOMPARE(t->cellAt(1, 0).rowSpan(), 2);
        QCOMPARE(t->cellAt(2, 1).columnSpan(), 2);
        QCOMPARE(rtf::plainText(doc), QString("\nwide\tc\ntall\tx\ty\nspan\nend"));
    }

    // Tab stops are measured from the margin, the layout's from the start of the line.
    void tabStops_data()
    {
        QTest::addColumn<QByteArray>("words");
        QTest::addColumn<QString>("tabs");   // the first stops, in pixels at 96 DPI
        QTest::newRow("left stop from the margin") << QByteArray(R"(\tx1440 a\tab b)") << QString("96L");
        QTest::newRow("sorted") << QByteArray(R"(\tx2880\tx1440 a)") << QString("96L 192L");
        QTest::newRow("centre right decimal") << QByteArray(R"(\tqc\tx2880\tqr\tx4320\tqdec\tx5760 a\tab b\tab c\tab 1.5)")
                                               << QString("192C 288R 384D");
        QTest::newRow("decimal without a point is right") << QByteArray(R"(\tqdec\tx2880 a\tab 125)") << QString("192R");
        QTest::newRow("decimal stop not reached stays") << QByteArray(R"(\tx1440\tqdec\tx2880 a\tab 125)") << QString("96L 192D");
        QTest::newRow("from a first-line indent") << QByteArray(R"(\li720\fi360\tx2160 a\tab b)") << QString("72L 120L 168L");
        QTest::newRow("hanging indent is a stop") << QByteArray(R"(\li720\fi-360 1.\tab text)") << QString("24L 72L");
        QTest::newRow("hanging indent with its own stop") << QByteArray(R"(\li720\fi-360\tx720 1.\tab text)") << QString("24L 72L");
        QTest::newRow("stop before the line start passed over") << QByteArray(R"(\li2880\tx1440\tx4320 a\tab b)") << QString("96L");
        QTest::newRow("default stops from the margin") << QByteArray(R"(\li360 a\tab b)") << QString("24L 72L 120L");
        QTest::newRow("no stops on the default grid") << QByteArray(R"(\li1440 a\tab b)") << QString();
    }

    void tabStops()
    {
        QFETCH(QByteArray, words);
        QFETCH(QString, tabs);
        read("{\\rtf1\\pard" + words + "\\par}");
        const QList<QTextOption::Tab> stops = doc.firstBlock().blockFormat().tabPositions();
        QCOMPARE(tabText(stops, tabs.count(u' ') + (tabs.isEmpty() ? 0 : 1)), tabs);
        if (tabs.isEmpty())
            QVERIFY(stops.isEmpty());
    }

    void defaultTabWidth_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<double>("distance");   // pixels
        QTest::newRow("half an inch unless told") << QByteArray(R"({\rtf1 a\tab b})") << 48.0;
        QTest::newRow("deftab") << QByteArray(R"({\rtf1\deftab360 a\tab b})") << 24.0;
        QTest::newRow("LibreOffice's 1.25 cm") << QByteArray(R"({\rtf1\deftab709 a})") << 709 / 15.0;
    }

    void defaultTabWidth()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(double, distance);
        read(rtf);
        QCOMPARE(doc.defaultTextOption().tabStopDistance(), distance);
    }

    // Space before and after, and line spacing: control words to block format values.
    void spacing_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<double>("top");       // of the paragraph "two", pixels
        QTest::addColumn<double>("bottom");
        QTest::addColumn<int>("heightType");
        QTest::addColumn<double>("height");
        const int single = QTextBlockFormat::SingleHeight;
        QTest::newRow("after and before add up") << QByteArray(R"({\rtf1\pard\sa240 one\par\pard\sb120\sa60 two\par})")
                                                 << 24.0 << 4.0 << single << 0.0;
        QTest::newRow("a page break starts afresh") << QByteArray(R"({\rtf1\pard\sa240 one\par\pard\pagebb\sb120 two\par})")
                                                    << 8.0 << 0.0 << single << 0.0;
        QTest::newRow("spacing after the text is not the paragraph's") << QByteArray(R"({\rtf1\pard one\sa240\par\pard two\sb240\par})")
                                                                        << 0.0 << 0.0 << single << 0.0;
        QTest::newRow("exactly") << QByteArray(R"({\rtf1\pard\sl-360 two\par})") << 0.0 << 0.0
                                 << int(QTextBlockFormat::FixedHeight) << 24.0;
        QTest::newRow("at least") << QByteArray(R"({\rtf1\pard\sl360\slmult0 two\par})") << 0.0 << 0.0
                                  << int(QTextBlockFormat::MinimumHeight) << 24.0;
        QTest::newRow("double") << QByteArray(R"({\rtf1\pard\sl480\slmult1 two\par})") << 0.0 << 0.0
                                << int(QTextBlockFormat::ProportionalHeight) << 200.0;
        QTest::newRow("1.15 lines") << QByteArray(R"({\rtf1\pard\sl276\slmult1\sb120\sa200 two\par})") << 8.0 << 200 / 15.0
                                    << int(QTextBlockFormat::ProportionalHeight) << 115.0;
        QTest::newRow("pard ends the spacing") << QByteArray(R"({\rtf1\pard\sl480\slmult1 one\par\pard two\par})") << 0.0 << 0.0
                                               << single << 0.0;
    }

    void spacing()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(double, top);
        QFETCH(double, bottom);
        QFETCH(int, heightType);
        QFETCH(double, height);
        read(rtf);
        const QTextBlockFormat f = blockWith(doc, "two").blockFormat();
        QCOMPARE(f.topMargin(), top);
        QCOMPARE(f.bottomMargin(), bottom);
        QCOMPARE(f.lineHeightType(), heightType);
        if (heightType != QTextBlockFormat::SingleHeight)
            QCOMPARE(f.lineHeight(), height);
    }

    // Numbers of list paragraphs that bring no \listtext, from the list table.
    void listNumbers_data()
    {
        QTest::addColumn<QByteArray>("table");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("text");
        const QByteArray decimal = listTable({R"(\levelnfc0\levelstartat1{\leveltext\'02\'00.;}{\levelnumbers\'01;})"});
        QTest::newRow("decimal") << decimal << QByteArray(R"(\pard\ls1 A\par\pard\ls1 B\par)") << QString("1.\tA\n2.\tB");
        QTest::newRow("own label wins") << decimal << QByteArray(R"(\pard{\listtext  7.\tab}\ls1 A\par\pard\ls1 B\par)")
                                        << QString("7.\tA\n1.\tB");
        QTest::newRow("unknown override") << decimal << QByteArray(R"(\pard\ls9 A\par)") << QString("A");
        QTest::newRow("no list") << decimal << QByteArray(R"(\pard\ls1 A\par\pard plain\par)") << QString("1.\tA\nplain");
        const QByteArray outline = listTable({
            R"(\levelnfc0{\leveltext\'02\'00.;})",
            R"(\levelnfc0\levelfollow1{\leveltext\'04\'00.\'01.;})",
            R"(\levelnfc2\levelfollow2{\leveltext\'02\'02);})"});
        QTest::newRow("levels counted and started again") << outline
            << QByteArray(R"(\pard\ls1 A\par\pard\ls1\ilvl1 B\par\pard\ls1\ilvl1 C\par\pard\ls1\ilvl2 D\par\pard\ls1 E\par\pard\ls1\ilvl1 F\par)")
            << QString("1.\tA\n1.1. B\n1.2. C\ni)D\n2.\tE\n2.1. F");
        QTest::newRow("letters and romans") << listTable({
            R"(\levelnfc3{\leveltext\'02\'00.;})", R"(\levelnfc4{\leveltext\'02\'01);})",
            R"(\levelnfc1\levelstartat4{\leveltext\'02\'02.;})"})
            << QByteArray(R"(\pard\ls1 A\par\pard\ls1\ilvl1 B\par\pard\ls1\ilvl1 C\par\pard\ls1\ilvl2 D\par\pard\ls1\ilvl2 E\par)")
            << QString("A.\tA\na)\tB\nb)\tC\nIV.\tD\nV.\tE");
        QTest::newRow("starts at five") << listTable({R"(\levelnfc0\levelstartat5{\leveltext\'02\'00.;})"})
            << QByteArray(R"(\pard\ls1 A\par\pard\ls1 B\par)") << QString("5.\tA\n6.\tB");
        QTest::newRow("bullet") << listTable({R"(\levelnfc23{\leveltext\'01\u8226 ?;})"})
            << QByteArray(R"(\pard\ls1 A\par)") << QString::fromUtf8("\u2022\tA");
        QTest::newRow("after letter z") << listTable({R"(\levelnfc4\levelstartat26{\leveltext\'02\'00.;})"})
            << QByteArray(R"(\pard\ls1 A\par\pard\ls1 B\par)") << QString("z.\tA\naa.\tB");
    }

    void listNumbers()
    {
        QFETCH(QByteArray, table);
        QFETCH(QByteArray, body);
        QFETCH(QString, text);
        QCOMPARE(read("{\\rtf1" + table + body + "}"), text);
    }

    // Column widths come from \cellx; the cells' padding from \clpad (as Word writes it:
    // \clpadl is the top), the row's \trpadd or half the gap, with the space before the
    // first paragraph and after the last inside it; the space after the paragraph above
    // the table comes before it.
    void tableCellSpacing()
    {
        read(R"({\rtf1\pard\sa240 above\par\trowd\trgaph150\trpaddt30\clpadl60\clpadt90\cellx1500\cellx4500)"
             R"(\pard\intbl\sb120 a\cell\pard\intbl\sa300 b\cell\row\pard below\par})");
        QTextTable* t = firstTable(doc);
        QVERIFY(t);
        const QList<QTextLength> widths = t->format().columnWidthConstraints();
        QCOMPARE(widths.size(), 2);
        QCOMPARE(widths[0], QTextLength(QTextLength::FixedLength, 100));
        QCOMPARE(widths[1], QTextLength(QTextLength::FixedLength, 200));
        QCOMPARE(t->format().topMargin(), 16.0);
        const QTextTableCellFormat a = t->cellAt(0, 0).format().toTableCellFormat();
        QCOMPARE(a.topPadding(), 4.0 + 8.0);
        QCOMPARE(a.leftPadding(), 6.0);
        QCOMPARE(a.rightPadding(), 10.0);
        QCOMPARE(a.bottomPadding(), 0.0);
        const QTextTableCellFormat b = t->cellAt(0, 1).format().toTableCellFormat();
        QCOMPARE(b.topPadding(), 2.0);
        QCOMPARE(b.leftPadding(), 10.0);
        QCOMPARE(b.bottomPadding(), 20.0);
    }

    void readFileReportsTheSystemsReason()
    {
        QTemporaryDir dir;
        const rtf::ReadResult missing = rtf::readFile(dir.filePath("none.rtf"), &doc);
        QVERIFY(!missing.ok);
        QFile probe(dir.filePath("none.rtf"));
        QVERIFY(!probe.open(QIODevice::ReadOnly));
        QCOMPARE(missing.error, probe.errorString());

        QFile f(dir.filePath("a.rtf"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(R"({\rtf1 from a file})");
        f.close();
        QVERIFY(rtf::readFile(f.fileName(), &doc).ok);
        QCOMPARE(rtf::plainText(doc), QString("from a file"));
    }

    void emptyAndNonRtf()
    {
        read(R"({\rtf1 old})");
        const rtf::ReadResult empty = rtf::read(QByteArray(), &doc);
        QVERIFY(!empty.ok);
        QVERIFY(!empty.error.isEmpty());
        QVERIFY(doc.isEmpty());  // the old contents are replaced
        const rtf::ReadResult text = rtf::read("plain words", &doc);
        QVERIFY(text.ok);
        QVERIFY(text.error.contains("RTF header"));
        QCOMPARE(rtf::plainText(doc), QString("plain words"));
    }

    void replacesContentsAndKeepsUndoSetting()
    {
        doc.setUndoRedoEnabled(true);
        read(R"({\rtf1 first})");
        read(R"({\rtf1 second})");
        QCOMPARE(rtf::plainText(doc), QString("second"));
        QVERIFY(doc.isUndoRedoEnabled());
        QVERIFY(!doc.isUndoAvailable());
    }
};

QTEST_MAIN(TestRtfReader)
#include "tst_rtfreader.moc"
