#include "platform/rtf/RtfReader.h"

#include "platform/rtf/RtfModel.h"

#include <QFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QUrl>

#include <algorithm>
#include <array>
#include <new>

namespace rtf {

namespace {

// Lengths in the document are pixels at 96 dpi, as the text edit lays them out: 15 twips.
constexpr double kTwipsPerPixel = 15.0;
constexpr qint64 kMaxFileBytes = 512LL * 1024 * 1024;

double px(double twips)
{
    return twips / kTwipsPerPixel;
}

class Builder {
public:
    // Each body paragraph's runs are freed once written, so the model shrinks as the
    // document grows and the peak stays near the larger of the two.
    Builder(Model& m, QTextDocument* doc) : m_(m), doc_(doc) {}

    void build()
    {
        // Tab stops beyond the paragraph's own are every \deftab from the margin.
        QTextOption option = doc_->defaultTextOption();
        option.setTabStopDistance(px(m_.defaultTab));
        doc_->setDefaultTextOption(option);

        QTextCursor c(doc_);
        c.beginEditBlock();
        addPictures();
        bool fresh = true;
        int after = 0;  // the space after the paragraph before, in the same flow
        for (const Item& item : m_.body) {
            if (item.table) {
                // The layout leaves out an empty block right before a table: an empty
                // paragraph there gets one more block, so that it keeps its height.
                if (!fresh && c.block().length() <= 1)
                    c.insertBlock();
                writeTable(c, m_.tables[item.index], after);
                c.movePosition(QTextCursor::End);
                fresh = true;
                after = 0;
            } else {
                Para& p = m_.paras[item.index];
                writePara(c, p, fresh, false, after);
                after = p.pp.after;
                std::vector<Run>().swap(p.runs);
                fresh = false;
            }
        }
        c.endEditBlock();
    }

private:
    Model& m_;
    QTextDocument* doc_;

    static QString pictureName(size_t i) { return QStringLiteral("rtf-picture:%1").arg(i); }

    void addPictures()
    {
        for (size_t i = 0; i < m_.pictures.size(); ++i)
            doc_->addResource(QTextDocument::ImageResource, QUrl(pictureName(i)), m_.pictures[i].image);
    }

    QColor color(int index) const
    {
        if (index <= 0 || size_t(index) >= m_.colors.size())
            return QColor();
        return m_.colors[size_t(index)];
    }

    QTextCharFormat charFormat(const CharProps& cp, const QString& href) const
    {
        QTextCharFormat f;
        const auto font = m_.fonts.constFind(cp.font >= 0 ? cp.font : m_.defaultFont);
        if (font != m_.fonts.cend() && !font->name.isEmpty())
            f.setFontFamilies(QStringList{font->name});
        f.setFontPointSize(cp.halfPoints / 2.0);
        if (cp.bold)
            f.setFontWeight(QFont::Bold);
        if (cp.italic)
            f.setFontItalic(true);
        if (cp.strike)
            f.setFontStrikeOut(true);
        if (cp.smallCaps)
            f.setFontCapitalization(QFont::SmallCaps);
        else if (cp.allCaps)
            f.setFontCapitalization(QFont::AllUppercase);
        switch (cp.underline) {
        case Underline::None: break;
        case Underline::Dotted: f.setUnderlineStyle(QTextCharFormat::DotLine); break;
        case Underline::Dashed: f.setUnderlineStyle(QTextCharFormat::DashUnderline); break;
        case Underline::Wave: f.setUnderlineStyle(QTextCharFormat::WaveUnderline); break;
        default: f.setUnderlineStyle(QTextCharFormat::SingleUnderline); break;
        }
        if (cp.underline != Underline::None)
            f.setProperty(kUnderlineKindProperty, int(cp.underline));
        if (cp.vertical > 0)
            f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
        else if (cp.vertical < 0)
            f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
        const QColor fg = color(cp.fg);
        if (fg.isValid())
            f.setForeground(fg);
        const QColor bg = color(cp.bg);
        if (bg.isValid())
            f.setBackground(bg);
        if (!href.isEmpty()) {
            f.setAnchor(true);
            f.setAnchorHref(href);
        }
        return f;
    }

    // The paragraph's tab stops, as a word processor sets its tabs: measured from the margin
    // (the layout measures them from the start of the line, here the first line's), with a
    // hanging indent a stop of its own (the list label's tab goes to it), a decimal stop
    // whose text has no decimal point aligning the text's end at the stop, and the default
    // stops every \deftab from the margin after the paragraph's own.
    static QList<QTextOption::Tab> tabStops(const Para& p, int defaultTab)
    {
        const ParaProps& pp = p.pp;
        QList<TabStop> stops = pp.tabs;
        std::stable_sort(stops.begin(), stops.end(), [](const TabStop& a, const TabStop& b) { return a.pos < b.pos; });
        const int left = std::max(pp.left, 0);
        const int start = left + std::max(pp.first, -left);
        if (pp.first < 0 && std::none_of(stops.cbegin(), stops.cend(), [&](const TabStop& t) { return t.pos == left; })) {
            const auto at = std::find_if(stops.begin(), stops.end(), [&](const TabStop& t) { return t.pos > left; });
            stops.insert(at, TabStop{left, TabKind::Left});
        }
        // The stops a tab of the first line can reach: those after the line's start.
        stops.erase(std::remove_if(stops.begin(), stops.end(), [&](const TabStop& t) { return t.pos <= start; }), stops.end());
        if (stops.isEmpty() && start % defaultTab == 0)
            return {};  // the layout's own default stops fall where the word processor's do
        // The text after each tab of the first line, taken to go to the stops in their order.
        QList<bool> point(stops.size(), false);
        QList<bool> used(stops.size(), false);
        qsizetype tab = -1;
        for (const Run& r : p.runs) {
            for (QChar ch : r.text) {
                if (ch == u'\t') {
                    ++tab;
                    if (tab < stops.size())
                        used[tab] = true;
                } else if (ch == QChar(0x2028)) {
                    tab = stops.size();  // later lines: which stop a tab reaches is not known here
                } else if (ch == u'.' && tab >= 0 && tab < stops.size()) {
                    point[tab] = true;
                }
            }
        }
        QList<QTextOption::Tab> tabs;
        for (qsizetype k = 0; k < stops.size(); ++k) {
            const double at = px(stops[k].pos - start);
            TabKind kind = stops[k].kind;
            if (kind == TabKind::Decimal && used[k] && !point[k])
                kind = TabKind::Right;
            switch (kind) {
            case TabKind::Left: tabs << QTextOption::Tab(at, QTextOption::LeftTab); break;
            case TabKind::Center: tabs << QTextOption::Tab(at, QTextOption::CenterTab); break;
            case TabKind::Right: tabs << QTextOption::Tab(at, QTextOption::RightTab); break;
            case TabKind::Decimal: tabs << QTextOption::Tab(at, QTextOption::DelimiterTab, QChar(u'.')); break;
            }
        }
        // Default stops over the widest paper, where the layout's own would be off the grid.
        if (start % defaultTab != 0) {
            const int last = stops.isEmpty() ? start : std::max(stops.back().pos, start);
            for (int at = (last / defaultTab + 1) * defaultTab; at <= kMaxTwips / 2 && tabs.size() < kMaxTabs; at += defaultTab)
                tabs << QTextOption::Tab(px(at - start), QTextOption::LeftTab);
        }
        return tabs;
    }

    // previousAfter: the space after the paragraph before in the same flow; a word
    // processor puts both that and this paragraph's space before between them, where the
    // layout would take the larger of the two.
    QTextBlockFormat blockFormat(const Para& p, int previousAfter = 0) const
    {
        const ParaProps& pp = p.pp;
        QTextBlockFormat b;
        switch (pp.align) {
        case Align::Left: b.setAlignment(Qt::AlignLeft); break;
        case Align::Center: b.setAlignment(Qt::AlignHCenter); break;
        case Align::Right: b.setAlignment(Qt::AlignRight); break;
        case Align::Justify: b.setAlignment(Qt::AlignJustify); break;
        }
        b.setLeftMargin(px(std::max(pp.left, 0)));
        b.setRightMargin(px(std::max(pp.right, 0)));
        b.setTextIndent(px(std::max(pp.first, -std::max(pp.left, 0))));
        b.setTopMargin(px(pp.before + (p.pageBreakBefore || pp.breakBefore ? 0 : previousAfter)));
        b.setBottomMargin(px(pp.after));
        if (pp.lineSpacing != 0) {
            if (pp.lineMultiple)
                b.setLineHeight(std::abs(pp.lineSpacing) * 100.0 / 240.0, QTextBlockFormat::ProportionalHeight);
            else if (pp.lineSpacing > 0)
                b.setLineHeight(px(pp.lineSpacing), QTextBlockFormat::MinimumHeight);
            else
                b.setLineHeight(px(-pp.lineSpacing), QTextBlockFormat::FixedHeight);
        }
        const QList<QTextOption::Tab> tabs = tabStops(p, std::max(m_.defaultTab, 1));
        if (!tabs.isEmpty())
            b.setTabPositions(tabs);
        if (p.pageBreakBefore || pp.breakBefore)
            b.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        return b;
    }

    // fresh: the cursor's block is empty and unused, the paragraph takes it over. The first
    // block of a table cell carries the cell's own format, which stays as it is.
    void writePara(QTextCursor& c, const Para& p, bool fresh, bool cellStart = false, int previousAfter = 0) const
    {
        const QTextBlockFormat bf = blockFormat(p, previousAfter);
        const QTextCharFormat first = p.runs.empty() ? charFormat(p.mark, QString())
                                                     : charFormat(p.runs.front().cp, QString());
        if (fresh) {
            c.setBlockFormat(bf);
            if (!cellStart)
                c.setBlockCharFormat(first);
        } else {
            c.insertBlock(bf, first);
        }
        for (const Run& r : p.runs) {
            if (r.picture >= 0) {
                const Picture& pic = m_.pictures[size_t(r.picture)];
                QTextImageFormat f;
                f.merge(charFormat(r.cp, r.href));
                f.setName(pictureName(size_t(r.picture)));
                f.setWidth(px(pic.width));
                f.setHeight(px(pic.height));
                c.insertImage(f);
            } else {
                c.insertText(r.text, charFormat(r.cp, r.href));
            }
        }
    }

    void writeParas(QTextCursor c, const std::vector<const Cell*>& cells) const
    {
        bool fresh = true;
        int after = 0;
        for (const Cell* cell : cells) {
            for (const Para& p : cell->paras) {
                writePara(c, p, fresh, fresh, after);
                after = p.pp.after;
                fresh = false;
            }
        }
    }

    struct Placed {
        int row = 0;
        int col = 0;
        int rowSpan = 1;
        int colSpan = 1;
        const CellDef* def = nullptr;
        std::vector<const Cell*> contents;
    };

    static bool hasText(const Cell& cell)
    {
        for (const Para& p : cell.paras)
            if (!p.runs.empty())
                return true;
        return false;
    }

    // The right boundaries of a row's cells, rising, one for every cell read (definitions
    // beyond them make no cells, so a few bytes cannot ask for thousands of cells).
    static std::vector<int> rowBoundaries(const Row& row)
    {
        const size_t n = std::min<size_t>(row.cells.size(), kMaxColumns);
        std::vector<int> rights(n);
        int prev = row.left;
        for (size_t i = 0; i < n; ++i) {
            int right = i < row.defs.size() ? row.defs[i].right : prev + 1440;
            right = std::max(right, prev + 1);
            rights[i] = right;
            prev = right;
        }
        return rights;
    }

    // The space between a cell's edges and its text, in twips: the cell's own, the row's
    // default, or (left and right) half the gap between cells. The space before the cell's
    // first paragraph and after its last one is inside the cell as well.
    static std::array<int, 4> cellPadding(const Row& row, const CellDef& def, const std::vector<const Cell*>& contents)
    {
        std::array<int, 4> pad{};
        for (int k = 0; k < 4; ++k) {
            const int fallback = k == 1 || k == 3 ? row.gap : 0;
            pad[size_t(k)] = def.padding[k] >= 0 ? def.padding[k] : row.padding[k] >= 0 ? row.padding[k] : fallback;
        }
        for (const Cell* cell : contents) {
            if (!cell->paras.empty()) {
                pad[0] += cell->paras.front().pp.before;
                break;
            }
        }
        for (auto it = contents.rbegin(); it != contents.rend(); ++it) {
            if (!(*it)->paras.empty()) {
                pad[2] += (*it)->paras.back().pp.after;
                break;
            }
        }
        return pad;
    }

    // before: the space after the paragraph above the table.
    void writeTable(QTextCursor& c, const Table& t, int before) const
    {
        if (t.rows.empty())
            return;
        // The column grid: every cell boundary of every row, so cells of differing widths span
        // the columns they cover.
        std::vector<std::vector<int>> bounds;
        std::vector<int> grid;
        size_t widest = 1;
        for (const Row& row : t.rows) {
            bounds.push_back(rowBoundaries(row));
            grid.insert(grid.end(), bounds.back().begin(), bounds.back().end());
            widest = std::max(widest, bounds.back().size());
        }
        std::sort(grid.begin(), grid.end());
        grid.erase(std::unique(grid.begin(), grid.end()), grid.end());
        const bool useGrid = !grid.empty() && grid.size() <= size_t(kMaxColumns);
        const int cols = int(useGrid ? grid.size() : widest);
        const int rows = int(t.rows.size());

        std::vector<Placed> placed;
        std::vector<int> occupied(size_t(rows) * size_t(cols), -1);
        std::vector<int> vOrigin(size_t(cols), -1);
        static const CellDef kNoDef;
        static const Cell kEmpty;
        for (int r = 0; r < rows; ++r) {
            const Row& row = t.rows[size_t(r)];
            const std::vector<int>& rights = bounds[size_t(r)];
            int rowStart = -1;  // first placed index of this row
            for (size_t i = 0; i < rights.size(); ++i) {
                const CellDef* def = i < row.defs.size() ? &row.defs[i] : &kNoDef;
                const Cell* cell = i < row.cells.size() ? &row.cells[i] : &kEmpty;
                int col = int(i), span = 1;
                if (useGrid) {
                    col = i == 0 ? 0 : int(std::lower_bound(grid.begin(), grid.end(), rights[i - 1]) - grid.begin()) + 1;
                    const int last = int(std::lower_bound(grid.begin(), grid.end(), rights[i]) - grid.begin());
                    span = std::max(1, last - col + 1);
                }
                if (col >= cols)
                    col = cols - 1;
                span = std::min(span, cols - col);
                // A continued horizontal merge widens the cell before it.
                if (def->hmerge == Merge::Continue && rowStart >= 0) {
                    Placed& prev = placed.back();
                    if (prev.col + prev.colSpan == col) {
                        prev.colSpan += span;
                        if (hasText(*cell))
                            prev.contents.push_back(cell);
                        for (int k = col; k < col + span; ++k)
                            vOrigin[size_t(k)] = -1;
                        continue;
                    }
                }
                // A continued vertical merge lengthens the cell above.
                if (def->vmerge == Merge::Continue && vOrigin[size_t(col)] >= 0) {
                    Placed& origin = placed[size_t(vOrigin[size_t(col)])];
                    if (origin.row + origin.rowSpan == r) {
                        origin.rowSpan += 1;
                        if (hasText(*cell))
                            origin.contents.push_back(cell);
                        continue;
                    }
                }
                while (col < cols && occupied[size_t(r) * cols + size_t(col)] >= 0)
                    ++col;
                if (col >= cols) {
                    if (rowStart >= 0 && hasText(*cell))
                        placed.back().contents.push_back(cell);
                    continue;
                }
                span = std::min(span, cols - col);
                Placed p;
                p.row = r;
                p.col = col;
                p.colSpan = span;
                p.def = def;
                p.contents.push_back(cell);
                for (int k = col; k < col + span; ++k)
                    occupied[size_t(r) * cols + size_t(k)] = int(placed.size());
                for (int k = col; k < col + span; ++k)
                    vOrigin[size_t(k)] = def->vmerge == Merge::First ? int(placed.size()) : -1;
                if (rowStart < 0)
                    rowStart = int(placed.size());
                placed.push_back(std::move(p));
            }
        }

        QTextTableFormat tf;
        const Row& first = t.rows.front();
        bool borders = false;
        for (const Row& row : t.rows) {
            borders = borders || row.borders;
            for (const CellDef& d : row.defs)
                borders = borders || d.borders > 0;
        }
        tf.setBorder(borders ? 1 : 0);
        tf.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        tf.setBorderCollapse(true);
        tf.setCellSpacing(0);
        tf.setCellPadding(std::max(1.0, px(first.gap)));
        tf.setTopMargin(px(before));
        if (first.align == Align::Center)
            tf.setAlignment(Qt::AlignHCenter);
        else if (first.align == Align::Right)
            tf.setAlignment(Qt::AlignRight);
        if (useGrid) {
            QList<QTextLength> widths;
            int prev = std::min(first.left, grid.front() - 1);
            for (int g : grid) {
                widths << QTextLength(QTextLength::FixedLength, px(g - prev));
                prev = g;
            }
            tf.setColumnWidthConstraints(widths);
        }
        QTextTable* table = c.insertTable(rows, cols, tf);
        for (const Placed& p : placed) {
            const int rs = std::min(p.rowSpan, rows - p.row);
            if (rs > 1 || p.colSpan > 1)
                table->mergeCells(p.row, p.col, rs, p.colSpan);
        }
        for (const Placed& p : placed) {
            QTextTableCell cell = table->cellAt(p.row, p.col);
            if (!cell.isValid())
                continue;
            QTextTableCellFormat cf = cell.format().toTableCellFormat();
            if (p.def->valign == VAlign::Center)
                cf.setVerticalAlignment(QTextCharFormat::AlignMiddle);
            else if (p.def->valign == VAlign::Bottom)
                cf.setVerticalAlignment(QTextCharFormat::AlignBottom);
            const QColor shade = color(p.def->shading);
            if (shade.isValid())
                cf.setBackground(shade);
            const std::array<int, 4> pad = cellPadding(t.rows[size_t(p.row)], *p.def, p.contents);
            cf.setTopPadding(px(pad[0]));
            cf.setLeftPadding(px(pad[1]));
            cf.setBottomPadding(px(pad[2]));
            cf.setRightPadding(px(pad[3]));
            cell.setFormat(cf);
            writeParas(cell.firstCursorPosition(), p.contents);
        }
    }
};

QString blockText(const QTextBlock& b)
{
    QString s = b.text();
    s.replace(QChar(0x2028), QChar(u'\n'));
    s.remove(QChar::ObjectReplacementCharacter);
    return s;
}

void frameLines(const QTextFrame* frame, QStringList& lines);

QString cellText(const QTextTableCell& cell)
{
    QStringList parts;
    for (auto it = cell.begin(); !it.atEnd(); ++it) {
        if (const QTextFrame* f = it.currentFrame()) {
            QStringList inner;
            frameLines(f, inner);
            parts << inner.join(u' ');
        } else {
            parts << blockText(it.currentBlock());
        }
    }
    return parts.join(u' ');
}

void tableLines(const QTextTable* t, QStringList& lines)
{
    for (int r = 0; r < t->rows(); ++r) {
        QStringList cells;
        for (int c = 0; c < t->columns(); ++c) {
            const QTextTableCell cell = t->cellAt(r, c);
            if (cell.row() != r || cell.column() != c)
                continue;
            cells << cellText(cell);
        }
        lines << cells.join(u'\t');
    }
}

void frameLines(const QTextFrame* frame, QStringList& lines)
{
    for (auto it = frame->begin(); !it.atEnd(); ++it) {
        if (const QTextFrame* f = it.currentFrame()) {
            if (const auto* t = qobject_cast<const QTextTable*>(f))
                tableLines(t, lines);
            else
                frameLines(f, lines);
        } else {
            lines << blockText(it.currentBlock());
        }
    }
}

bool blank(const QByteArray& data)
{
    for (char c : data)
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n' && c != '\0')
            return false;
    return true;
}

} // namespace

ReadResult read(const QByteArray& data, QTextDocument* doc)
{
    ReadResult result;
    if (!doc) {
        result.error = QStringLiteral("No document to read into.");
        return result;
    }
    const bool undo = doc->isUndoRedoEnabled();
    doc->setUndoRedoEnabled(false);
    doc->clear();
    try {
        Model model;
        parse(data, model);
        Builder(model, doc).build();
        if (blank(data)) {
            result.error = QStringLiteral("The file is empty.");
        } else if (!model.header && !model.anything) {
            result.error = QStringLiteral("The file is not an RTF document.");
        } else {
            result.ok = true;
            result.error = model.notes.join(u' ');
        }
    } catch (const std::bad_alloc&) {
        doc->clear();
        result.error = QStringLiteral("There is not enough memory to read the document.");
    } catch (...) {
        doc->clear();
        result.error = QStringLiteral("The document could not be read.");
    }
    doc->setUndoRedoEnabled(undo);
    return result;
}

ReadResult readFile(const QString& path, QTextDocument* doc)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ReadResult r;
        r.error = file.errorString();
        return r;
    }
    if (file.size() > kMaxFileBytes) {
        ReadResult r;
        r.error = QStringLiteral("The file is too large to read (more than %1 MB).").arg(kMaxFileBytes >> 20);
        return r;
    }
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        ReadResult r;
        r.error = file.errorString();
        return r;
    }
    return read(data, doc);
}

QString plainText(const QTextDocument& doc)
{
    QStringList lines;
    frameLines(doc.rootFrame(), lines);
    return lines.join(u'\n');
}

}
