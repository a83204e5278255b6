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
        const QList<QTextOption::Tab> tabs = f.tabPositions();
        QCOMPARE(tabs.size(), 4);
        QCOMPARE(tabs[0].position, 48.0);
        QCOMPARE(tabs[0].type, QTextOption::LeftTab);
        QCOMPARE(tabs[1].type, QTextOption::CenterTab);
        QCOMPARE(tabs[1].position, 192.0);
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
        QCOMPARE(blockWith(doc, "four").blockFormat().pageBreakPolicy(), QTextFormat::PageBreak_Auto);
        doc.setPageSize(QSizeF(600, 800));
        QCOMPARE(doc.pageCount(), 3);
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
