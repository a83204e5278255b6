#include "documents/RichTextPrinting.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPrinter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <algorithm>
#include <limits>
#include <memory>
#include <vector>

namespace {

constexpr double kTwipsPerInch = 1440.0;
// The resolution the document's lengths are given in, as the text edit shows them.
constexpr double kScreenDpi = 96.0;

// One laid-out line of the document: where it lies (device pixels from the top of the
// laid-out text) and the position of its first character.
struct LineBox
{
    double top = 0;
    int page = 0;
    int position = 0;
};

// The rectangle to draw in, relative to the printable area, in twips; the margins are
// distances from the edges of the paper, the printable area starts at the printer's
// unprintable left and top borders. Empty, with a reason, when it does not fit.
struct DrawArea
{
    qint64 left = 0, top = 0, right = 0, bottom = 0;
    QString error;
};

qint64 toTwips(double devicePixels, int resolution)
{
    return qRound64(devicePixels * kTwipsPerInch / resolution);
}

double toDevice(qint64 twips, int resolution)
{
    return twips * resolution / kTwipsPerInch;
}

bool fitsInt32(qint64 v)
{
    return v >= std::numeric_limits<qint32>::min() && v <= std::numeric_limits<qint32>::max();
}

DrawArea drawArea(const QPrinter& printer, qint32 leftMargin, qint32 topMargin, qint32 rightMargin,
                  qint32 bottomMargin)
{
    const int res = printer.resolution();
    const QPageLayout layout = printer.pageLayout();
    const QRect paper = layout.fullRectPixels(res);
    const QRect printable = layout.paintRectPixels(res);
    // The unprintable borders at the left and top of the paper, and the paper's size.
    const qint64 leftOffset = toTwips(printable.left() - paper.left(), res);
    const qint64 topOffset = toTwips(printable.top() - paper.top(), res);
    const qint64 paperWidth = toTwips(paper.width(), res);
    const qint64 paperHeight = toTwips(paper.height(), res);

    DrawArea a;
    a.left = qint64(leftMargin) - leftOffset;
    a.top = qint64(topMargin) - topOffset;
    a.right = (paperWidth - rightMargin) - leftOffset;
    a.bottom = (paperHeight - bottomMargin) - topOffset;
    if (!fitsInt32(a.left) || !fitsInt32(a.top) || !fitsInt32(a.right) || !fitsInt32(a.bottom))
        a.error = QStringLiteral("The margins are too large for the paper.");
    else if (a.right <= a.left || a.bottom <= a.top)
        a.error = QStringLiteral("The margins leave no room for the text on the paper.");
    return a;
}

// Every line of the laid-out document with the page it fell on, in document order.
std::vector<LineBox> lineBoxes(const QTextDocument& doc, double pageHeight)
{
    std::vector<LineBox> lines;
    QAbstractTextDocumentLayout* layout = doc.documentLayout();
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const QTextLayout* text = block.layout();
        if (!text)
            continue;
        const double blockTop = layout->blockBoundingRect(block).top();
        for (int i = 0; i < text->lineCount(); ++i) {
            const QTextLine line = text->lineAt(i);
            const double top = blockTop + line.y();
            // The layout moves a line that would cross the foot of a page to the next page,
            // so a line's top tells its page (a line taller than a page is clipped).
            lines.push_back({top, int((top + 0.5) / pageHeight), block.position() + line.textStart()});
        }
    }
    return lines;
}

// The first character after `page`: the lowest position on a later page, or `end`.
int firstCharacterAfter(const std::vector<LineBox>& lines, int page, int end, int* nextPage)
{
    int first = end;
    *nextPage = std::numeric_limits<int>::max();
    for (const LineBox& line : lines) {
        if (line.page <= page)
            continue;
        first = std::min(first, line.position);
        *nextPage = std::min(*nextPage, line.page);
    }
    return first;
}

// The layout takes a paragraph's left and right margins and its first-line indent in the
// paint device's pixels, where it scales the other lengths (spaces above and below, tab
// stops, fonts) from the screen's 96 dots an inch to the device. The document's lengths are
// for the screen, so these three are scaled here.
void scaleIndents(QTextDocument& doc, qreal scale)
{
    if (qFuzzyCompare(scale, 1.0))
        return;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        QTextBlockFormat format = block.blockFormat();
        if (format.leftMargin() == 0 && format.rightMargin() == 0 && format.textIndent() == 0)
            continue;
        format.setLeftMargin(format.leftMargin() * scale);
        format.setRightMargin(format.rightMargin() * scale);
        format.setTextIndent(format.textIndent() * scale);
        QTextCursor(block).setBlockFormat(format);
    }
}

// A word processor puts the space before the first paragraph above it at the top of the
// first page; the layout leaves out the top margin of a frame's first block. An empty block
// of no height before it makes its top margin count.
void keepFirstSpaceBefore(QTextDocument& doc)
{
    const QTextFrame::iterator first = doc.rootFrame()->begin();
    if (first.atEnd() || first.currentFrame())
        return;
    const QTextBlock block = first.currentBlock();
    if (block.blockFormat().topMargin() <= 0)
        return;
    QTextCursor c(block);
    c.insertBlock(block.blockFormat(), block.charFormat());
    QTextBlockFormat none;
    none.setLineHeight(0, QTextBlockFormat::FixedHeight);
    c.movePosition(QTextCursor::Start);
    c.setBlockFormat(none);
}

void renderPage(QPainter& painter, QTextDocument& doc, const QRectF& area, int page)
{
    const double height = area.height();
    const QRectF slice(0, page * height, area.width(), height);
    painter.save();
    painter.translate(area.left(), area.top() - slice.top());
    painter.setClipRect(slice);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = slice;
    context.palette.setColor(QPalette::Text, Qt::black);
    doc.documentLayout()->draw(&painter, context);
    painter.restore();
}

QString printerName(const QPrinter& printer)
{
    return printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
}

} // namespace

RichTextPrint PrintRichText(QPrinter& printer, const QTextDocument& document, qint32 leftMargin,
                            qint32 topMargin, qint32 rightMargin, qint32 bottomMargin)
{
    RichTextPrint result;
    const DrawArea a = drawArea(printer, leftMargin, topMargin, rightMargin, bottomMargin);
    if (!a.error.isEmpty()) {
        result.error = a.error;
        return result;
    }
    const int res = printer.resolution();
    const QRectF area(toDevice(a.left, res), toDevice(a.top, res), toDevice(a.right - a.left, res),
                      toDevice(a.bottom - a.top, res));

    // The document laid out for the printer, its pages the size of the draw area.
    std::unique_ptr<QTextDocument> doc(document.clone());
    doc->documentLayout()->setPaintDevice(&printer);
    doc->setUndoRedoEnabled(false);
    doc->setDocumentMargin(0);
    // Indents are horizontal lengths: the device's horizontal resolution scales them.
    scaleIndents(*doc, printer.logicalDpiX() / kScreenDpi);
    keepFirstSpaceBefore(*doc);
    doc->setPageSize(area.size());
    doc->documentLayout()->pageCount(); // finishes the layout
    const std::vector<LineBox> lines = lineBoxes(*doc, area.height());
    // Counted as the line positions count, so the stop test below compares like with like.
    const int length = doc->characterCount() - 1;

    // Starts the print document.
    QPainter painter;
    if (!painter.begin(&printer)) {
        result.error = QStringLiteral("The printer \"%1\" could not start the print job.").arg(printerName(printer));
        return result;
    }
    int page = 0;
    for (;;) {
        renderPage(painter, *doc, area, page);
        ++result.pages;
        // Ends when nothing is left; pages that would add no character are skipped.
        int nextPage = 0;
        if (firstCharacterAfter(lines, page, length, &nextPage) >= length)
            break;
        if (!printer.newPage()) {
            result.error = QStringLiteral("The printer \"%1\" could not start a new page.").arg(printerName(printer));
            painter.end();
            return result;
        }
        page = nextPage;
    }
    // Sends all the pages to the printer.
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        result.error = QStringLiteral("The printer \"%1\" could not finish the print job.").arg(printerName(printer));
    return result;
}
