#pragma once

#include <QColor>
#include <QHash>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

// What the parser reads out of an RTF file, before it becomes a QTextDocument. Lengths are
// in twips (1/1440 inch), font sizes in half points, colours are colour table indexes.
namespace rtf {

enum class Underline : quint8 { None, Single, Double, Word, Dotted, Dashed, Wave, Thick };

struct CharProps {
    bool bold = false;
    bool italic = false;
    bool strike = false;
    bool smallCaps = false;
    bool allCaps = false;
    bool hidden = false;
    Underline underline = Underline::None;
    qint8 vertical = 0;  // 1 superscript, -1 subscript
    int font = -1;       // -1: the document's default font
    int halfPoints = 24;
    int fg = 0;          // 0: automatic
    int bg = 0;

    bool operator==(const CharProps& o) const
    {
        return bold == o.bold && italic == o.italic && strike == o.strike && smallCaps == o.smallCaps
            && allCaps == o.allCaps && hidden == o.hidden && underline == o.underline
            && vertical == o.vertical && font == o.font && halfPoints == o.halfPoints && fg == o.fg
            && bg == o.bg;
    }
    bool operator!=(const CharProps& o) const { return !(*this == o); }
};

enum class TabKind : quint8 { Left, Center, Right, Decimal };

struct TabStop {
    int pos = 0;
    TabKind kind = TabKind::Left;

    bool operator==(const TabStop& o) const { return pos == o.pos && kind == o.kind; }
};

enum class Align : quint8 { Left, Center, Right, Justify };

struct ParaProps {
    Align align = Align::Left;
    int left = 0;
    int right = 0;
    int first = 0;
    int before = 0;
    int after = 0;
    int lineSpacing = 0;     // 0 single; > 0 at least; < 0 exactly
    bool lineMultiple = false;
    bool inTable = false;
    bool breakBefore = false;
    TabKind nextTab = TabKind::Left;
    QList<TabStop> tabs;
    int list = 0;            // \ls: the list override the paragraph belongs to, 0 none
    int level = 0;           // \ilvl: its level in the list, 0 to kMaxListLevels - 1
};

struct Run {
    QString text;
    CharProps cp;
    QString href;
    int picture = -1;  // index into Model::pictures; the run is a picture, not text
};

struct Para {
    ParaProps pp;
    bool pageBreakBefore = false;
    bool listText = false;   // the paragraph carries its own list label (\listtext)
    CharProps mark;          // the character format at the paragraph's end, for an empty paragraph's height
    std::vector<Run> runs;
};

enum class Merge : quint8 { None, First, Continue };
enum class VAlign : quint8 { Top, Center, Bottom };

struct CellDef {
    int right = 0;
    Merge hmerge = Merge::None;
    Merge vmerge = Merge::None;
    VAlign valign = VAlign::Top;
    int shading = 0;
    int borders = 0;
    // Space between the cell's edges and its text, -1 where the cell gives none (\clpad*).
    int padding[4] = {-1, -1, -1, -1};  // top, left, bottom, right
};

struct Cell {
    std::vector<Para> paras;
};

struct Row {
    std::vector<CellDef> defs;
    std::vector<Cell> cells;
    Align align = Align::Left;
    int left = 0;
    int gap = 0;
    int padding[4] = {-1, -1, -1, -1};  // the cells' default (\trpadd*): top, left, bottom, right
    bool borders = false;
};

struct Table {
    std::vector<Row> rows;
    qsizetype cells = 0;
};

struct Picture {
    QImage image;
    double width = 0;   // twips
    double height = 0;
};

// One level of a list of the list table (\listlevel).
struct ListLevel {
    int format = 0;          // \levelnfc: 0 1 2 3, 1 I II, 2 i ii, 3 A B, 4 a b, 22 01 02, 23 bullet, 255 none
    int start = 1;           // \levelstartat
    int follow = 0;          // \levelfollow: 0 a tab, 1 a space, 2 nothing after the label
    // \leveltext: the label, with the characters U+0000 to U+0008 standing for the numbers
    // of levels 1 to 9.
    QString text;
};

struct Font {
    QString name;
    int codePage = 0;
};

struct Item {
    bool table = false;
    size_t index = 0;
};

struct Model {
    std::vector<Item> body;
    std::vector<Para> paras;
    std::vector<Table> tables;
    std::vector<Picture> pictures;
    QHash<int, Font> fonts;
    std::vector<QColor> colors;
    int defaultFont = 0;
    int defaultTab = 720;   // \deftab
    // The list table: each list's levels by \listid, and the list each \ls stands for.
    QHash<int, std::vector<ListLevel>> lists;
    QHash<int, int> listOverrides;
    bool header = false;    // the data starts with {\rtf
    bool anything = false;  // some text, picture or table was read
    QStringList notes;
};

// Limits that keep time and memory linear in the file on any input.
constexpr int kMaxDepth = 512;
constexpr int kMaxWordLength = 32;
constexpr int kMaxParamDigits = 10;
constexpr int kMaxFonts = 4096;
constexpr int kMaxColors = 4096;
constexpr int kMaxStyles = 4096;
constexpr int kMaxTabs = 64;
constexpr int kMaxColumns = 64;
constexpr qsizetype kMaxTableCells = 100000;
constexpr qsizetype kMaxPictureBytes = 32 * 1024 * 1024;
constexpr qint64 kMaxAllPicturesBytes = 512LL * 1024 * 1024;
constexpr int kMaxUc = 16;
constexpr int kMaxTwips = 31680 * 2;  // 44 inches
constexpr qsizetype kMaxFieldInstruction = 4096;
constexpr qsizetype kMaxNameLength = 256;
constexpr int kMaxListLevels = 9;
constexpr int kMaxLists = 4096;

// Parses data into model.
void parse(const QByteArray& data, Model& model);

}

namespace rtf {
// Character format property holding the Underline kind, for the kinds Qt draws as a single
// line (double, word).
constexpr int kUnderlineKindProperty = 0x100000 + 1;  // QTextFormat::UserProperty + 1
}
