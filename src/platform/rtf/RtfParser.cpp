#include "platform/qt/PictureDecoding.h"
#include "platform/rtf/RtfCodePages.h"
#include "platform/rtf/RtfModel.h"

#include <QBuffer>
#include <QImageReader>

#include <algorithm>
#include <array>
#include <string_view>
#include <unordered_map>

namespace rtf {

namespace {

// Where the text of a group goes.
enum class Dest : quint8 {
    Body, Skip, FontTable, FontEntry, ColorTable, StyleSheet, StyleEntry, FieldInst, Picture,
    ListTable, LevelText
};

enum class Kw {
    Upr, Ud, Rtf, Ansi, Mac, Pc, Pca, AnsiCpg, Deff, Uc, U, Bin, Star,
    FontTbl, ColorTbl, StyleSheet, SkipDest, Pict, ShpPict, Field, FldInst, FldRslt, Listtext,
    Plain, B, I, Ul, UlDb, UlW, UlD, UlDash, UlWave, UlTh, UlNone, Strike, Scaps, Caps, Super, Sub,
    NoSupersub, Up, Dn, F, Fs, Cf, Cb, V,
    Pard, Ql, Qc, Qr, Qj, Li, Ri, Fi, Sb, Sa, Sl, SlMult, Tx, Tqc, Tqr, Tqdec, InTbl, PageBB, S,
    Par, Sect, Page, Line, Cell, Row, NestCell, NestRow, Tab,
    Symbol,
    Trowd, Cellx, ClMgf, ClMrg, ClVmgf, ClVmrg, ClVertT, ClVertC, ClVertB, ClCbPat, ClBorder, BrdrNone,
    TrBorder, Trqc, Trqr, Trql, TrLeft, TrGaph,
    FCharset, Cpg, Red, Green, Blue, Cs, Ds, Ts,
    PngBlip, JpegBlip, OtherBlip, PicW, PicH, PicWGoal, PicHGoal, PicScaleX, PicScaleY,
    DefTab, ListTable, ListOverrideTable, List, ListLevel, LevelNfc, LevelStartAt, LevelFollow,
    LevelText, ListId, ListOverride, Ls, Ilvl, ClPad, TrPadd,
};

struct KwEntry {
    Kw kw;
    char16_t symbol = 0;
};

const std::unordered_map<std::string_view, KwEntry>& keywords()
{
    static const std::unordered_map<std::string_view, KwEntry> table = [] {
        std::unordered_map<std::string_view, KwEntry> t = {
            {"upr", {Kw::Upr}}, {"ud", {Kw::Ud}},
            {"rtf", {Kw::Rtf}}, {"ansi", {Kw::Ansi}}, {"mac", {Kw::Mac}}, {"pc", {Kw::Pc}},
            {"pca", {Kw::Pca}}, {"ansicpg", {Kw::AnsiCpg}}, {"deff", {Kw::Deff}}, {"uc", {Kw::Uc}},
            {"u", {Kw::U}}, {"bin", {Kw::Bin}},
            {"fonttbl", {Kw::FontTbl}}, {"colortbl", {Kw::ColorTbl}}, {"stylesheet", {Kw::StyleSheet}},
            {"pict", {Kw::Pict}}, {"shppict", {Kw::ShpPict}}, {"field", {Kw::Field}},
            {"fldinst", {Kw::FldInst}}, {"fldrslt", {Kw::FldRslt}}, {"listtext", {Kw::Listtext}},
            {"pntext", {Kw::Listtext}}, {"result", {Kw::Listtext}},
            {"plain", {Kw::Plain}}, {"b", {Kw::B}}, {"i", {Kw::I}}, {"ul", {Kw::Ul}},
            {"uldb", {Kw::UlDb}}, {"ulw", {Kw::UlW}}, {"uld", {Kw::UlD}}, {"uldash", {Kw::UlDash}},
            {"uldashd", {Kw::UlDash}}, {"uldashdd", {Kw::UlDash}}, {"ulwave", {Kw::UlWave}},
            {"ulth", {Kw::UlTh}}, {"ulnone", {Kw::UlNone}}, {"strike", {Kw::Strike}},
            {"striked", {Kw::Strike}}, {"scaps", {Kw::Scaps}}, {"caps", {Kw::Caps}},
            {"super", {Kw::Super}}, {"sub", {Kw::Sub}}, {"nosupersub", {Kw::NoSupersub}},
            {"up", {Kw::Up}}, {"dn", {Kw::Dn}}, {"f", {Kw::F}}, {"fs", {Kw::Fs}}, {"cf", {Kw::Cf}},
            {"cb", {Kw::Cb}}, {"highlight", {Kw::Cb}}, {"chcbpat", {Kw::Cb}}, {"v", {Kw::V}},
            {"pard", {Kw::Pard}}, {"ql", {Kw::Ql}}, {"qc", {Kw::Qc}}, {"qr", {Kw::Qr}},
            {"qj", {Kw::Qj}}, {"qd", {Kw::Qj}}, {"li", {Kw::Li}}, {"lin", {Kw::Li}},
            {"ri", {Kw::Ri}}, {"rin", {Kw::Ri}}, {"fi", {Kw::Fi}}, {"sb", {Kw::Sb}}, {"sa", {Kw::Sa}},
            {"sl", {Kw::Sl}}, {"slmult", {Kw::SlMult}}, {"tx", {Kw::Tx}}, {"tb", {Kw::Tx}},
            {"tqc", {Kw::Tqc}}, {"tqr", {Kw::Tqr}}, {"tqdec", {Kw::Tqdec}}, {"intbl", {Kw::InTbl}},
            {"pagebb", {Kw::PageBB}}, {"s", {Kw::S}},
            {"par", {Kw::Par}}, {"sect", {Kw::Sect}}, {"column", {Kw::Par}}, {"page", {Kw::Page}},
            {"line", {Kw::Line}}, {"cell", {Kw::Cell}}, {"row", {Kw::Row}},
            {"nestcell", {Kw::NestCell}}, {"nestrow", {Kw::NestRow}}, {"tab", {Kw::Tab}},
            {"emdash", {Kw::Symbol, 0x2014}}, {"endash", {Kw::Symbol, 0x2013}},
            {"emspace", {Kw::Symbol, 0x2003}}, {"enspace", {Kw::Symbol, 0x2002}},
            {"qmspace", {Kw::Symbol, 0x2005}}, {"bullet", {Kw::Symbol, 0x2022}},
            {"lquote", {Kw::Symbol, 0x2018}}, {"rquote", {Kw::Symbol, 0x2019}},
            {"ldblquote", {Kw::Symbol, 0x201C}}, {"rdblquote", {Kw::Symbol, 0x201D}},
            {"zwj", {Kw::Symbol, 0x200D}}, {"zwnj", {Kw::Symbol, 0x200C}},
            {"ltrmark", {Kw::Symbol, 0x200E}}, {"rtlmark", {Kw::Symbol, 0x200F}},
            {"trowd", {Kw::Trowd}}, {"cellx", {Kw::Cellx}}, {"clmgf", {Kw::ClMgf}},
            {"clmrg", {Kw::ClMrg}}, {"clvmgf", {Kw::ClVmgf}}, {"clvmrg", {Kw::ClVmrg}},
            {"clvertalt", {Kw::ClVertT}}, {"clvertalc", {Kw::ClVertC}}, {"clvertalb", {Kw::ClVertB}},
            {"clcbpat", {Kw::ClCbPat}}, {"clbrdrt", {Kw::ClBorder}}, {"clbrdrl", {Kw::ClBorder}},
            {"clbrdrb", {Kw::ClBorder}}, {"clbrdrr", {Kw::ClBorder}}, {"brdrnone", {Kw::BrdrNone}},
            {"brdrnil", {Kw::BrdrNone}}, {"brdrtbl", {Kw::BrdrNone}},
            {"trbrdrt", {Kw::TrBorder}}, {"trbrdrl", {Kw::TrBorder}}, {"trbrdrb", {Kw::TrBorder}},
            {"trbrdrr", {Kw::TrBorder}}, {"trbrdrh", {Kw::TrBorder}}, {"trbrdrv", {Kw::TrBorder}},
            {"trqc", {Kw::Trqc}}, {"trqr", {Kw::Trqr}}, {"trql", {Kw::Trql}},
            {"trleft", {Kw::TrLeft}}, {"trgaph", {Kw::TrGaph}},
            {"fcharset", {Kw::FCharset}}, {"cpg", {Kw::Cpg}}, {"red", {Kw::Red}},
            {"green", {Kw::Green}}, {"blue", {Kw::Blue}}, {"cs", {Kw::Cs}}, {"ds", {Kw::Ds}},
            {"ts", {Kw::Ts}},
            {"pngblip", {Kw::PngBlip}}, {"jpegblip", {Kw::JpegBlip}}, {"emfblip", {Kw::OtherBlip}},
            {"wmetafile", {Kw::OtherBlip}}, {"macpict", {Kw::OtherBlip}},
            {"dibitmap", {Kw::OtherBlip}}, {"wbitmap", {Kw::OtherBlip}},
            {"pmmetafile", {Kw::OtherBlip}}, {"picw", {Kw::PicW}}, {"pich", {Kw::PicH}},
            {"picwgoal", {Kw::PicWGoal}}, {"pichgoal", {Kw::PicHGoal}},
            {"picscalex", {Kw::PicScaleX}}, {"picscaley", {Kw::PicScaleY}},
            {"deftab", {Kw::DefTab}}, {"listtable", {Kw::ListTable}},
            {"listoverridetable", {Kw::ListOverrideTable}}, {"list", {Kw::List}},
            {"listlevel", {Kw::ListLevel}}, {"levelnfc", {Kw::LevelNfc}}, {"levelnfcn", {Kw::LevelNfc}},
            {"levelstartat", {Kw::LevelStartAt}}, {"levelfollow", {Kw::LevelFollow}},
            {"leveltext", {Kw::LevelText}}, {"listid", {Kw::ListId}},
            {"listoverride", {Kw::ListOverride}}, {"ls", {Kw::Ls}}, {"ilvl", {Kw::Ilvl}},
            // Word writes \clpadl for the top padding and \clpadt for the left, and the other
            // writers follow it; the symbol is the index into CellDef::padding.
            {"clpadl", {Kw::ClPad, 0}}, {"clpadt", {Kw::ClPad, 1}}, {"clpadb", {Kw::ClPad, 2}},
            {"clpadr", {Kw::ClPad, 3}}, {"trpaddl", {Kw::TrPadd, 1}}, {"trpaddt", {Kw::TrPadd, 0}},
            {"trpaddb", {Kw::TrPadd, 2}}, {"trpaddr", {Kw::TrPadd, 3}},
        };
        // Destinations whose contents are not part of the body text.
        for (const char* d : {"info", "header", "headerl", "headerr", "headerf", "footer", "footerl",
                 "footerr", "footerf", "footnote", "annotation", "atnid", "atnauthor", "nonshppict",
                 "levelnumbers", "listname", "revtbl", "rsidtbl", "filetbl", "pn", "pnseclvl",
                 "xe", "tc", "txe", "rxe", "template", "generator", "themedata", "colorschememapping",
                 "datastore", "latentstyles", "pgdsctbl", "docvar", "xmlnstbl", "userprops", "objdata",
                 "objclass", "bkmkstart", "bkmkend", "ftnsep", "ftnsepc", "ftncn", "aftnsep",
                 "aftnsepc", "aftncn", "fchars", "lchars", "author", "operator", "title", "subject",
                 "comment", "keywords", "doccomm", "company", "hlinkbase", "mmathPr", "shpinst",
                 "falt", "panose", "listpicture", "do", "nesttableprops", "pgptbl", "protusertbl",
                 "wgrffmtfilter", "fontemb", "fontfile", "mhtmltag", "htmltag", "formfield",
                 "datafield", "sp", "sn", "sv"})
            t.emplace(d, KwEntry{Kw::SkipDest});
        return t;
    }();
    return table;
}

struct State {
    Dest dest = Dest::Body;
    CharProps cp;
    ParaProps pp;
    int uc = 1;
    int field = -1;
    QString href;
    int styleNumber = 0;
    bool paraStyle = true;
    // Inside \upr: the ANSI alternative is skipped, the \ud (Unicode) one read where the
    // group was.
    bool inUpr = false;
    Dest uprDest = Dest::Body;
    // Inside \listtext: the label the writer gave a list paragraph.
    bool listText = false;
};

struct Style {
    CharProps cp;
    ParaProps pp;
};

struct PictureBuild {
    QByteArray data;
    int kind = 0;  // 0 other, 1 png, 2 jpeg
    int picw = 0, pich = 0, goalw = 0, goalh = 0, scalex = 100, scaley = 100;
    int nibble = -1;
    bool tooLarge = false;
};

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Byte classes, looked up rather than compared: text is scanned byte by byte.
struct ByteClasses {
    bool special[256] = {};  // \ { }: end a stretch of text
    bool plain[256] = {};    // printable ASCII but the specials, and tab: go into the text as they are
    bool letter[256] = {};
    bool digit[256] = {};
};

constexpr ByteClasses kBytes = [] {
    ByteClasses c;
    c.special[uchar('\\')] = c.special[uchar('{')] = c.special[uchar('}')] = true;
    for (int b = 0x20; b < 0x80; ++b)
        c.plain[b] = !c.special[b];
    c.plain[uchar('\t')] = true;
    for (int b = 0; b < 26; ++b)
        c.letter['a' + b] = c.letter['A' + b] = true;
    for (int b = '0'; b <= '9'; ++b)
        c.digit[b] = true;
    return c;
}();

bool isLetter(char c)
{
    return kBytes.letter[uchar(c)];
}

bool isDigit(char c)
{
    return kBytes.digit[uchar(c)];
}

int clampTwips(int v)
{
    return std::clamp(v, -kMaxTwips, kMaxTwips);
}

// The link target of a HYPERLINK field instruction: the quoted or bare address, with a
// "\l" anchor as "#anchor". Empty for any other field.
QString hyperlinkTarget(const QString& instruction)
{
    QStringList tokens;
    QString token;
    bool quoted = false, inToken = false;
    for (QChar c : instruction) {
        if (quoted) {
            if (c == u'"') {
                quoted = false;
                tokens << token;
                token.clear();
                inToken = false;
            } else {
                token += c;
            }
        } else if (c == u'"') {
            if (inToken)
                tokens << token;
            token.clear();
            quoted = true;
            inToken = true;
        } else if (c.isSpace()) {
            if (inToken)
                tokens << token;
            token.clear();
            inToken = false;
        } else {
            token += c;
            inToken = true;
        }
    }
    if (inToken)
        tokens << token;
    if (tokens.isEmpty() || tokens.first().compare(u"HYPERLINK", Qt::CaseInsensitive) != 0)
        return QString();
    QString target, anchor;
    for (int i = 1; i < tokens.size(); ++i) {
        const QString& t = tokens.at(i);
        if (t == u"\\l" && i + 1 < tokens.size()) {
            anchor = tokens.at(++i);
        } else if (t.startsWith(u'\\')) {
            if ((t == u"\\o" || t == u"\\t") && i + 1 < tokens.size())
                ++i;
        } else if (target.isEmpty()) {
            target = t;
        }
    }
    if (!anchor.isEmpty())
        target += u'#' + anchor;
    return target;
}

class Parser {
public:
    Parser(const QByteArray& data, Model& model)
        : p_(data.constData()), end_(data.constData() + data.size()), m_(model)
    {
    }

    void run()
    {
        checkHeader();
        while (p_ < end_) {
            const char c = *p_;
            if (c == '{') {
                ++p_;
                openGroup();
            } else if (c == '}') {
                ++p_;
                closeGroup();
            } else if (c == '\\') {
                ++p_;
                controlWord();
            } else if (c == '\r' || c == '\n') {
                ++p_;
            } else {
                plainBytes();
            }
        }
        finish();
    }

private:
    const char* p_;
    const char* end_;
    Model& m_;
    State st_;
    std::vector<State> stack_;
    int overflow_ = 0;
    bool star_ = false;
    int ucSkip_ = 0;
    int pendingLead_ = -1;
    QChar pendingHigh_;

    CodePages codePages_;
    int docCodePage_ = 1252;
    int lastFont_ = -2;
    int lastDocCodePage_ = 0;
    const CodePage* page_ = nullptr;

    // Font, colour and style tables being read.
    int fontNumber_ = 0;
    int fontCodePage_ = 0;
    QString fontName_;
    bool fontCommitted_ = true;
    int red_ = 0, green_ = 0, blue_ = 0;
    bool colorSet_ = false;
    bool styleCommitted_ = false;
    QHash<int, Style> styles_;

    std::vector<QString> fields_;
    PictureBuild pic_;

    // The paragraph, cell, row and table being built.
    Para para_;
    QString runText_;
    QString chunk_;  // plainBytes' buffer
    CharProps runProps_;
    QString runHref_;
    bool nextPageBreak_ = false;
    std::vector<Para> cellParas_;
    std::vector<Cell> rowCells_;
    std::vector<CellDef> rowDefs_;
    CellDef cellDef_;
    Row rowProps_;
    bool tableOpen_ = false;
    bool lastBorderIsCell_ = true;  // a \brdrnone undoes the border word before it
    int rowBorders_ = 0;

    // The list table being read: the levels of the list being read (its \listid may come
    // after them), and the list of the \listoverride being read.
    bool overrideTable_ = false;
    std::vector<ListLevel> listLevels_;
    int listId_ = -1;
    int overrideList_ = 0;
    // The numbers each list override has reached at each level; 0: not started.
    QHash<int, std::array<int, kMaxListLevels>> listCounters_;
    bool listTextBegun_ = false;
    bool paraPropsTaken_ = false;

    qint64 pictureBytes_ = 0;
    int skippedPictures_ = 0;
    int brokenPictures_ = 0;

    void checkHeader()
    {
        const char* q = p_;
        if (end_ - q >= 3 && uchar(q[0]) == 0xEF && uchar(q[1]) == 0xBB && uchar(q[2]) == 0xBF)
            q += 3;
        while (q < end_ && (*q == ' ' || *q == '\r' || *q == '\n' || *q == '\t'))
            ++q;
        m_.header = end_ - q >= 5 && std::string_view(q, 5) == "{\\rtf";
        if (!m_.header)
            m_.notes << QStringLiteral("The data does not start with an RTF header; read as text.");
        p_ = q;
    }

    // ---- groups -------------------------------------------------------------------------

    void openGroup()
    {
        pendingLead_ = -1;
        ucSkip_ = 0;
        star_ = false;
        if (overflow_ > 0 || int(stack_.size()) >= kMaxDepth) {
            if (overflow_ == 0)
                m_.notes << QStringLiteral("Groups nested deeper than %1 levels were read as one level.").arg(kMaxDepth);
            ++overflow_;
            return;
        }
        stack_.push_back(st_);
        if (st_.dest == Dest::FontTable) {
            st_.dest = Dest::FontEntry;
        } else if (st_.dest == Dest::StyleSheet) {
            st_.dest = Dest::StyleEntry;
            st_.cp = CharProps();
            st_.pp = ParaProps();
            st_.styleNumber = 0;
            st_.paraStyle = true;
            styleCommitted_ = false;
        }
    }

    void closeGroup()
    {
        pendingLead_ = -1;
        ucSkip_ = 0;
        star_ = false;
        if (overflow_ > 0) {
            --overflow_;
            return;
        }
        if (stack_.empty())
            return;
        const Dest closing = st_.dest;
        const State inner = std::move(st_);
        st_ = std::move(stack_.back());
        stack_.pop_back();
        if (closing == Dest::FontEntry && st_.dest != Dest::FontEntry)
            commitFont();
        else if (closing == Dest::StyleEntry && st_.dest == Dest::StyleSheet)
            commitStyle(inner);
        else if (closing == Dest::Picture && st_.dest != Dest::Picture)
            finishPicture(inner);
    }

    // ---- tokens -------------------------------------------------------------------------

    void controlWord()
    {
        if (p_ >= end_)
            return;
        const char c = *p_;
        if (!isLetter(c)) {
            ++p_;
            controlSymbol(c);
            return;
        }
        const char* start = p_;
        while (p_ < end_ && isLetter(*p_))
            ++p_;
        const std::string_view word(start, std::min<size_t>(p_ - start, kMaxWordLength));
        bool hasParam = false;
        bool negative = false;
        if (p_ + 1 < end_ && *p_ == '-' && isDigit(p_[1])) {
            negative = true;
            ++p_;
        }
        long long value = 0;
        int digits = 0;
        while (p_ < end_ && isDigit(*p_)) {
            if (digits < kMaxParamDigits)
                value = value * 10 + (*p_ - '0');
            ++digits;
            ++p_;
            hasParam = true;
        }
        if (negative)
            value = -value;
        value = std::clamp<long long>(value, -2147483647LL, 2147483647LL);
        if (p_ < end_ && *p_ == ' ')
            ++p_;
        handleWord(word, hasParam, int(value));
    }

    void controlSymbol(char c)
    {
        if (c == '\'') {
            int hi = p_ < end_ ? hexValue(*p_) : -1;
            int lo = p_ + 1 < end_ ? hexValue(p_[1]) : -1;
            if (hi < 0) {
                star_ = false;
                return;
            }
            ++p_;
            int value = hi;
            if (lo >= 0) {
                ++p_;
                value = hi * 16 + lo;
            }
            if (ucSkip_ > 0) {
                --ucSkip_;
                return;
            }
            addByte(uchar(value));
            return;
        }
        if (c == '*') {
            star_ = true;
            return;
        }
        if (ucSkip_ > 0) {
            --ucSkip_;
            return;
        }
        star_ = false;
        switch (c) {
        case '\\': case '{': case '}': addChar(QChar(c)); break;
        case '~': addChar(QChar(0x00A0)); break;
        case '-': addChar(QChar(0x00AD)); break;
        case '_': addChar(QChar(0x2011)); break;
        case '\t': addChar(QChar(u'\t')); break;
        case '\r': case '\n': endParagraph(); break;
        default: break;
        }
    }

    void plainBytes()
    {
        if (st_.dest == Dest::Skip) {
            while (p_ < end_ && !kBytes.special[uchar(*p_)])
                ++p_;
            return;
        }
        if (st_.dest == Dest::Picture) {
            while (p_ < end_ && !kBytes.special[uchar(*p_)])
                pictureHex(*p_++);
            return;
        }
        if (ucSkip_ > 0) {
            --ucSkip_;
            ++p_;
            return;
        }
        // A run of ordinary characters goes out in one piece, gathered in a buffer that is
        // kept from one run to the next rather than allocated for each.
        QString& chunk = chunk_;
        chunk.resize(0);
        const char* start = p_;
        while (p_ < end_) {
            if (pendingLead_ < 0 && kBytes.plain[uchar(*p_)]) {
                const char* q = p_ + 1;
                while (q < end_ && kBytes.plain[uchar(*q)])
                    ++q;
                chunk += QLatin1String(p_, q - p_);
                p_ = q;
            } else {
                const uchar b = uchar(*p_);
                if (kBytes.special[b])
                    break;
                ++p_;
                if (b == '\t') {
                    chunk += QChar(u'\t');
                } else if (b >= 0x80 || pendingLead_ >= 0) {
                    if (!chunk.isEmpty()) {
                        addText(chunk);
                        chunk.resize(0);
                    }
                    addByte(b);
                }
            }
            if (p_ - start > 65536 && !chunk.isEmpty()) {
                addText(chunk);
                chunk.resize(0);
                start = p_;
            }
        }
        if (!chunk.isEmpty())
            addText(chunk);
    }

    // ---- text ---------------------------------------------------------------------------

    const CodePage& codePage()
    {
        const int font = st_.cp.font >= 0 ? st_.cp.font : m_.defaultFont;
        if (!page_ || font != lastFont_ || docCodePage_ != lastDocCodePage_) {
            int number = docCodePage_;
            const auto it = m_.fonts.constFind(font);
            if (it != m_.fonts.cend() && it->codePage > 0)
                number = it->codePage;
            page_ = &codePages_.get(number);
            lastFont_ = font;
            lastDocCodePage_ = docCodePage_;
        }
        return *page_;
    }

    void addByte(uchar b)
    {
        if (st_.dest == Dest::FontTable || st_.dest == Dest::FontEntry) {
            // Font names are in the font's own code page.
            const CodePage& page = codePages_.get(fontCodePage_ > 0 ? fontCodePage_ : docCodePage_);
            addChar(page.byte(b));
            return;
        }
        if (st_.dest == Dest::LevelText && b < 0x20) {
            addChar(QChar(b));  // a label's length, or the place of a level's number
            return;
        }
        const CodePage& page = codePage();
        if (pendingLead_ >= 0) {
            const uchar lead = uchar(pendingLead_);
            pendingLead_ = -1;
            addText(page.pair(lead, b));
            return;
        }
        if (page.isLead(b)) {
            pendingLead_ = b;
            return;
        }
        if (b < 0x20) {
            if (b == '\t')
                addChar(QChar(u'\t'));
            return;
        }
        addChar(page.byte(b));
    }

    void addUnicode(int value)
    {
        if (value < 0)
            value += 65536;
        if (value < 0 || value > 0xFFFF)
            return;
        const QChar c{char16_t(value)};
        if (c.isHighSurrogate()) {
            if (!pendingHigh_.isNull())
                addChar(QChar(0xFFFD));
            pendingHigh_ = c;
            return;
        }
        if (c.isLowSurrogate()) {
            if (pendingHigh_.isNull()) {
                addChar(QChar(0xFFFD));
                return;
            }
            const QChar pair[2] = {pendingHigh_, c};
            pendingHigh_ = QChar();
            addText(QStringView(pair, 2));
            return;
        }
        if (value == 0 || (value < 0x20 && value != '\t'))
            return;
        if (value >= 0xF020 && value <= 0xF0FF) {
            addChar(symbolFontChar(uchar(value - 0xF000)));
            return;
        }
        addChar(c);
    }

    // Writers put symbol-font characters (list bullets mostly) in the private-use range
    // U+F020-U+F0FF; shown as the characters they stand for.
    static QChar symbolFontChar(uchar b)
    {
        switch (b) {
        case 0xB7: return QChar(0x2022);
        case 0xA7: return QChar(0x25AA);
        case 0xD8: return QChar(0x27A2);
        case 0xFC: return QChar(0x2713);
        case 0x6F: return QChar(0x25E6);
        default: break;
        }
        return cp1252(b);
    }

    void addChar(QChar c) { addText(QStringView(&c, 1)); }

    void addText(QStringView s)
    {
        if (!pendingHigh_.isNull()) {
            pendingHigh_ = QChar();
            addChar(QChar(0xFFFD));
        }
        switch (st_.dest) {
        case Dest::Body:
            addBody(s);
            break;
        case Dest::FontTable:
        case Dest::FontEntry:
            for (QChar c : s) {
                if (c == u';')
                    commitFont();
                else if (fontName_.size() < kMaxNameLength)
                    fontName_ += c;
            }
            break;
        case Dest::ColorTable:
            for (QChar c : s)
                if (c == u';')
                    commitColor();
            break;
        case Dest::StyleEntry:
            if (s.contains(u';'))
                commitStyle(st_);
            break;
        case Dest::LevelText:
            if (!listLevels_.empty() && listLevels_.back().text.size() < kMaxNameLength) {
                listLevels_.back().text += s;
                syncList();
            }
            break;
        case Dest::FieldInst:
            if (st_.field >= 0 && fields_[size_t(st_.field)].size() < kMaxFieldInstruction)
                fields_[size_t(st_.field)] += s;
            break;
        default:
            break;
        }
    }

    void addBody(QStringView s)
    {
        if (st_.cp.hidden)
            return;
        if (st_.listText && !listTextBegun_) {
            // Writers put a space before the label; a word processor sets the label at the
            // paragraph's first-line indent.
            while (!s.isEmpty() && s.front() == u' ')
                s = s.mid(1);
            if (s.isEmpty())
                return;
            listTextBegun_ = true;
        }
        takeParaProps();
        if (!runText_.isEmpty() && (runProps_ != st_.cp || runHref_ != st_.href))
            flushRun();
        if (runText_.isEmpty()) {
            runProps_ = st_.cp;
            runHref_ = st_.href;
        }
        runText_ += s;
    }

    void flushRun()
    {
        if (runText_.isEmpty())
            return;
        Run r;
        r.text = std::move(runText_);
        r.cp = runProps_;
        r.href = runHref_;
        para_.runs.push_back(std::move(r));
        runText_ = QString();
    }

    // ---- lists --------------------------------------------------------------------------

    // The list being read, under its \listid once that is known.
    void syncList()
    {
        if (listId_ >= 0)
            m_.lists.insert(listId_, listLevels_);
    }

    static QString roman(int n, bool upper)
    {
        static const std::pair<int, const char*> parts[] = {{1000, "m"}, {900, "cm"}, {500, "d"},
            {400, "cd"}, {100, "c"}, {90, "xc"}, {50, "l"}, {40, "xl"}, {10, "x"}, {9, "ix"},
            {5, "v"}, {4, "iv"}, {1, "i"}};
        QString out;
        for (const auto& [value, digits] : parts) {
            while (n >= value) {
                out += QLatin1String(digits);
                n -= value;
            }
        }
        return upper ? out.toUpper() : out;
    }

    // A list number as the level's format writes it.
    static QString listNumber(int n, int format)
    {
        switch (format) {
        case 1: case 2:
            return n > 0 && n < 4000 ? roman(n, format == 1) : QString::number(n);
        case 3: case 4: {
            if (n <= 0)
                return QString::number(n);
            // A to Z, then AA to ZZ, and so on, as word processors count.
            const QChar letter(char16_t((format == 3 ? u'A' : u'a') + (n - 1) % 26));
            return QString((n - 1) / 26 + 1, letter);
        }
        case 5: {
            const int tens = n % 100;
            const char* suffix = (tens >= 11 && tens <= 13) ? "th"
                : n % 10 == 1 ? "st" : n % 10 == 2 ? "nd" : n % 10 == 3 ? "rd" : "th";
            return QString::number(n) + QLatin1String(suffix);
        }
        case 22: return n >= 0 && n < 10 ? QStringLiteral("0%1").arg(n) : QString::number(n);
        case 23: case 255: return QString();
        default: return QString::number(n);
        }
    }

    // The label of a list paragraph that brings none of its own, from the list table: its
    // level's number counted on, the numbers of the levels below it started again.
    void addListLabel()
    {
        const int ls = para_.pp.list;
        const int level = para_.pp.level;
        const auto list = m_.lists.constFind(m_.listOverrides.value(ls, -1));
        if (list == m_.lists.cend() || size_t(level) >= list->size())
            return;
        if (listCounters_.size() >= kMaxLists && !listCounters_.contains(ls))
            return;
        std::array<int, kMaxListLevels>& counters = listCounters_[ls];
        const ListLevel& def = (*list)[size_t(level)];
        counters[size_t(level)] = counters[size_t(level)] > 0 ? counters[size_t(level)] + 1 : std::max(def.start, 1);
        for (int k = level + 1; k < kMaxListLevels; ++k)
            counters[size_t(k)] = 0;
        if (def.text.isEmpty())
            return;
        // The first character is the length of the label.
        const QString pattern = def.text.mid(1, def.text.at(0).unicode());
        QString label;
        for (QChar c : pattern) {
            const int k = c.unicode();
            if (k < kMaxListLevels) {
                if (size_t(k) < list->size()) {
                    const ListLevel& other = (*list)[size_t(k)];
                    label += listNumber(counters[size_t(k)] > 0 ? counters[size_t(k)] : std::max(other.start, 1), other.format);
                }
            } else if (k >= 0x20) {
                label += c;
            }
        }
        if (def.follow == 0)
            label += u'\t';
        else if (def.follow == 1)
            label += u' ';
        if (label.isEmpty())
            return;
        Run r;
        r.text = label;
        r.cp = para_.runs.empty() ? st_.cp : para_.runs.front().cp;
        r.cp.underline = Underline::None;
        para_.runs.insert(para_.runs.begin(), std::move(r));
    }

    // ---- paragraphs and tables ----------------------------------------------------------

    bool paraHasContent() const { return !runText_.isEmpty() || !para_.runs.empty(); }

    // A paragraph is laid out with the properties in effect where its text begins (not
    // counting its list label), as LibreOffice reads RTF: a \sa written after the text,
    // before the \par, is not the paragraph's.
    void takeParaProps()
    {
        if (paraPropsTaken_ || st_.listText)
            return;
        para_.pp = st_.pp;
        paraPropsTaken_ = true;
    }

    void takeParagraph(std::vector<Para>& into)
    {
        flushRun();
        if (!paraPropsTaken_) {
            para_.pp = st_.pp;
        } else {
            para_.pp.inTable = st_.pp.inTable;
            para_.pp.breakBefore = para_.pp.breakBefore || st_.pp.breakBefore;
        }
        paraPropsTaken_ = false;
        para_.mark = st_.cp;
        if (para_.pp.list > 0 && !para_.listText)
            addListLabel();
        into.push_back(std::move(para_));
        para_ = Para();
        para_.pageBreakBefore = nextPageBreak_;
        nextPageBreak_ = false;
        m_.anything = true;
    }

    void endParagraph()
    {
        if (st_.dest != Dest::Body)
            return;
        if (st_.pp.inTable) {
            takeParagraph(cellParas_);
            return;
        }
        if (!cellParas_.empty() || !rowCells_.empty())
            endRow(false);
        tableOpen_ = false;
        m_.body.push_back({false, m_.paras.size()});
        takeParagraph(m_.paras);
    }

    // Ends a cell; takeCurrent: the paragraph being read belongs to it.
    void endCell(bool takeCurrent = true)
    {
        if (st_.dest != Dest::Body)
            return;
        if (takeCurrent && (paraHasContent() || cellParas_.empty()))
            takeParagraph(cellParas_);
        if (int(rowCells_.size()) >= kMaxColumns) {
            auto& last = rowCells_.back().paras;
            std::move(cellParas_.begin(), cellParas_.end(), std::back_inserter(last));
        } else {
            rowCells_.push_back(Cell{std::move(cellParas_)});
        }
        cellParas_.clear();
    }

    void endRow(bool takeCurrent = true)
    {
        if ((takeCurrent && paraHasContent()) || !cellParas_.empty())
            endCell(takeCurrent);
        if (rowCells_.empty())
            return;
        Row row = rowProps_;
        row.defs = rowDefs_;
        row.cells = std::move(rowCells_);
        rowCells_.clear();
        const qsizetype width = qsizetype(row.cells.size());
        if (!tableOpen_ || m_.tables.back().cells + width > kMaxTableCells) {
            m_.tables.emplace_back();
            m_.body.push_back({true, m_.tables.size() - 1});
            tableOpen_ = true;
        }
        Table& t = m_.tables.back();
        t.cells += width;
        t.rows.push_back(std::move(row));
        m_.anything = true;
    }

    void pageBreak()
    {
        if (st_.dest != Dest::Body)
            return;
        if (paraHasContent()) {
            endParagraph();
            para_.pageBreakBefore = true;
        } else {
            para_.pageBreakBefore = true;
        }
    }

    // ---- tables of the header -------------------------------------------------------------

    void commitFont()
    {
        if (!fontCommitted_ && m_.fonts.size() < kMaxFonts) {
            Font f;
            f.name = fontName_.trimmed();
            f.codePage = fontCodePage_;
            m_.fonts.insert(fontNumber_, f);
            page_ = nullptr;
        }
        fontCommitted_ = true;
        fontName_.clear();
        fontCodePage_ = 0;
    }

    void commitColor()
    {
        if (int(m_.colors.size()) < kMaxColors)
            m_.colors.push_back(colorSet_ ? QColor(red_, green_, blue_) : QColor());
        red_ = green_ = blue_ = 0;
        colorSet_ = false;
    }

    void commitStyle(const State& s)
    {
        if (styleCommitted_)
            return;
        styleCommitted_ = true;
        if (s.paraStyle && styles_.size() < kMaxStyles)
            styles_.insert(s.styleNumber, Style{s.cp, s.pp});
    }

    // ---- pictures -----------------------------------------------------------------------

    void pictureHex(char c)
    {
        const int v = hexValue(c);
        if (v < 0 || pic_.tooLarge)
            return;
        if (pic_.nibble < 0) {
            pic_.nibble = v;
            return;
        }
        if (pic_.data.size() >= kMaxPictureBytes) {
            pic_.tooLarge = true;
            return;
        }
        pic_.data.append(char(pic_.nibble * 16 + v));
        pic_.nibble = -1;
    }

    void finishPicture(const State& inner)
    {
        PictureBuild pic = std::move(pic_);
        pic_ = PictureBuild();
        if (pic.kind == 0) {
            ++skippedPictures_;
            return;
        }
        if (pic.tooLarge) {
            ++brokenPictures_;
            return;
        }
        QBuffer buffer(&pic.data);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer, pic.kind == 1 ? "png" : "jpeg");
        reader.setAllocationLimit(picturedecoding::kAllocationLimitMiB);
        // Many pictures together may not take more than the budget either.
        const QSize size = reader.size();
        const qint64 bytes = qint64(std::max(size.width(), 0)) * std::max(size.height(), 0) * 4;
        if (pictureBytes_ + bytes > kMaxAllPicturesBytes) {
            ++brokenPictures_;
            return;
        }
        QImage image;
        if (!reader.read(&image) || image.isNull()) {
            ++brokenPictures_;
            return;
        }
        pictureBytes_ += image.sizeInBytes();
        if (pictureBytes_ > kMaxAllPicturesBytes) {
            ++brokenPictures_;
            return;
        }
        Picture out;
        out.image = std::move(image);
        const double scalex = std::clamp(pic.scalex, 1, 1000) / 100.0;
        const double scaley = std::clamp(pic.scaley, 1, 1000) / 100.0;
        // Without a goal size the picture is shown at 96 dpi: 15 twips a pixel.
        out.width = (pic.goalw > 0 ? pic.goalw : out.image.width() * 15.0) * scalex;
        out.height = (pic.goalh > 0 ? pic.goalh : out.image.height() * 15.0) * scaley;
        out.width = std::min<double>(out.width, kMaxTwips);
        out.height = std::min<double>(out.height, kMaxTwips);
        m_.pictures.push_back(std::move(out));
        if (inner.cp.hidden)
            return;
        flushRun();
        Run r;
        r.cp = inner.cp;
        r.href = inner.href;
        r.picture = int(m_.pictures.size() - 1);
        takeParaProps();
        para_.runs.push_back(std::move(r));
    }

    void skipBinary(int n)
    {
        const qsizetype count = std::min<qsizetype>(std::max(n, 0), end_ - p_);
        if (st_.dest == Dest::Picture && !pic_.tooLarge) {
            if (pic_.data.size() + count > kMaxPictureBytes)
                pic_.tooLarge = true;
            else
                pic_.data.append(p_, count);
        }
        p_ += count;
    }

    // ---- control words ------------------------------------------------------------------

    void setDest(Dest d) { st_.dest = d; }

    void handleWord(std::string_view word, bool hasParam, int value)
    {
        pendingLead_ = -1;
        const auto& table = keywords();
        const auto it = table.find(word);
        const bool star = star_;
        star_ = false;
        if (it == table.end()) {
            if (ucSkip_ > 0)
                --ucSkip_;
            else if (star && st_.dest != Dest::Skip)
                setDest(Dest::Skip);
            return;
        }
        const Kw kw = it->second.kw;
        if (kw == Kw::Bin) {
            if (ucSkip_ > 0)
                --ucSkip_;
            skipBinary(hasParam ? value : 0);
            return;
        }
        if (kw == Kw::Ud && st_.inUpr) {
            st_.dest = st_.uprDest;
            return;
        }
        if (st_.dest == Dest::Skip)
            return;
        if (ucSkip_ > 0) {
            --ucSkip_;
            return;
        }
        const int param = hasParam ? value : 1;
        const bool on = !hasParam || value != 0;
        switch (kw) {
        case Kw::Rtf: case Kw::Ansi: case Kw::Ud: break;
        case Kw::Upr:
            st_.inUpr = true;
            st_.uprDest = st_.dest;
            setDest(Dest::Skip);
            break;
        case Kw::Mac: docCodePage_ = 10000; break;
        case Kw::Pc: docCodePage_ = 437; break;
        case Kw::Pca: docCodePage_ = 850; break;
        case Kw::AnsiCpg:
            if (hasParam && value > 0 && value < 100000)
                docCodePage_ = value;
            break;
        case Kw::Deff: m_.defaultFont = param; page_ = nullptr; break;
        case Kw::Uc: st_.uc = std::clamp(value, 0, kMaxUc); break;
        case Kw::U:
            addUnicode(value);
            ucSkip_ = st_.uc;
            break;
        case Kw::FontTbl: setDest(Dest::FontTable); fontCommitted_ = true; break;
        case Kw::ColorTbl: setDest(Dest::ColorTable); break;
        case Kw::StyleSheet: setDest(Dest::StyleSheet); break;
        case Kw::SkipDest: setDest(Dest::Skip); break;
        case Kw::Pict:
            if (st_.dest == Dest::Body) {
                setDest(Dest::Picture);
                pic_ = PictureBuild();
            }
            break;
        case Kw::ShpPict: break;
        case Kw::Listtext:
            if (st_.dest == Dest::Body) {
                st_.listText = true;
                para_.listText = true;
                listTextBegun_ = false;
            }
            break;
        case Kw::DefTab:
            if (hasParam && value > 0)
                m_.defaultTab = std::min(value, kMaxTwips);
            break;
        case Kw::ListTable: setDest(Dest::ListTable); overrideTable_ = false; break;
        case Kw::ListOverrideTable: setDest(Dest::ListTable); overrideTable_ = true; break;
        case Kw::List:
            if (st_.dest == Dest::ListTable && !overrideTable_) {
                listLevels_.clear();
                listId_ = -1;
            }
            break;
        case Kw::ListLevel:
            if (st_.dest == Dest::ListTable && !overrideTable_ && listLevels_.size() < size_t(kMaxListLevels)) {
                listLevels_.emplace_back();
                syncList();
            }
            break;
        case Kw::LevelNfc: case Kw::LevelStartAt: case Kw::LevelFollow:
            if (st_.dest == Dest::ListTable && !overrideTable_ && !listLevels_.empty()) {
                ListLevel& l = listLevels_.back();
                if (kw == Kw::LevelNfc)
                    l.format = std::clamp(value, 0, 255);
                else if (kw == Kw::LevelStartAt)
                    l.start = std::clamp(value, 0, 32767);
                else
                    l.follow = std::clamp(value, 0, 2);
                syncList();
            }
            break;
        case Kw::LevelText:
            if (st_.dest == Dest::ListTable && !overrideTable_ && !listLevels_.empty()) {
                listLevels_.back().text.clear();
                setDest(Dest::LevelText);
            }
            break;
        case Kw::ListId:
            if (st_.dest != Dest::ListTable)
                break;
            if (overrideTable_) {
                overrideList_ = value;
            } else if (m_.lists.size() < kMaxLists) {
                listId_ = value;
                syncList();
            }
            break;
        case Kw::ListOverride:
            if (st_.dest == Dest::ListTable)
                overrideList_ = 0;
            break;
        case Kw::Ls:
            if (st_.dest == Dest::ListTable) {
                if (overrideTable_ && value > 0 && m_.listOverrides.size() < kMaxLists)
                    m_.listOverrides.insert(value, overrideList_);
            } else {
                st_.pp.list = std::max(value, 0);
            }
            break;
        case Kw::Ilvl:
            if (st_.dest != Dest::ListTable)
                st_.pp.level = std::clamp(value, 0, kMaxListLevels - 1);
            break;
        case Kw::Field:
            if (st_.dest == Dest::Body && fields_.size() < (1u << 20)) {
                st_.field = int(fields_.size());
                fields_.emplace_back();
            }
            break;
        case Kw::FldInst:
            setDest(st_.dest == Dest::Body && st_.field >= 0 ? Dest::FieldInst : Dest::Skip);
            break;
        case Kw::FldRslt:
            if (st_.dest == Dest::Body && st_.field >= 0) {
                const QString target = hyperlinkTarget(fields_[size_t(st_.field)]);
                if (!target.isEmpty())
                    st_.href = target;
            }
            break;
        default:
            handleFormatting(kw, it->second.symbol, hasParam, value, param, on);
            break;
        }
    }

    void handleFormatting(Kw kw, char16_t symbol, bool hasParam, int value, int param, bool on)
    {
        CharProps& cp = st_.cp;
        ParaProps& pp = st_.pp;
        switch (kw) {
        case Kw::Plain: cp = CharProps(); break;
        case Kw::B: cp.bold = on; break;
        case Kw::I: cp.italic = on; break;
        case Kw::Ul: cp.underline = on ? Underline::Single : Underline::None; break;
        case Kw::UlDb: cp.underline = on ? Underline::Double : Underline::None; break;
        case Kw::UlW: cp.underline = on ? Underline::Word : Underline::None; break;
        case Kw::UlD: cp.underline = on ? Underline::Dotted : Underline::None; break;
        case Kw::UlDash: cp.underline = on ? Underline::Dashed : Underline::None; break;
        case Kw::UlWave: cp.underline = on ? Underline::Wave : Underline::None; break;
        case Kw::UlTh: cp.underline = on ? Underline::Thick : Underline::None; break;
        case Kw::UlNone: cp.underline = Underline::None; break;
        case Kw::Strike: cp.strike = on; break;
        case Kw::Scaps: cp.smallCaps = on; break;
        case Kw::Caps: cp.allCaps = on; break;
        case Kw::Super: cp.vertical = 1; break;
        case Kw::Sub: cp.vertical = -1; break;
        case Kw::NoSupersub: cp.vertical = 0; break;
        case Kw::Up: cp.vertical = value != 0 || !hasParam ? 1 : 0; break;
        case Kw::Dn: cp.vertical = value != 0 || !hasParam ? -1 : 0; break;
        case Kw::V: cp.hidden = on; break;
        case Kw::F:
            if (st_.dest == Dest::FontTable || st_.dest == Dest::FontEntry) {
                commitFont();
                fontNumber_ = param;
                fontCommitted_ = false;
            } else {
                cp.font = std::max(param, 0);
            }
            break;
        case Kw::FCharset: fontCodePage_ = codePageOfCharset(value); break;
        case Kw::Cpg:
            if (hasParam && value > 0 && value < 100000)
                fontCodePage_ = value;
            break;
        case Kw::Fs: cp.halfPoints = hasParam && value > 0 ? std::min(value, 3276) : 24; break;
        case Kw::Cf: cp.fg = std::max(param, 0); break;
        case Kw::Cb: cp.bg = std::max(param, 0); break;
        case Kw::Red: red_ = std::clamp(value, 0, 255); colorSet_ = true; break;
        case Kw::Green: green_ = std::clamp(value, 0, 255); colorSet_ = true; break;
        case Kw::Blue: blue_ = std::clamp(value, 0, 255); colorSet_ = true; break;
        case Kw::Pard: pp = ParaProps(); break;
        case Kw::Ql: pp.align = Align::Left; break;
        case Kw::Qc: pp.align = Align::Center; break;
        case Kw::Qr: pp.align = Align::Right; break;
        case Kw::Qj: pp.align = Align::Justify; break;
        case Kw::Li: pp.left = clampTwips(value); break;
        case Kw::Ri: pp.right = clampTwips(value); break;
        case Kw::Fi: pp.first = clampTwips(value); break;
        case Kw::Sb: pp.before = std::clamp(value, 0, kMaxTwips); break;
        case Kw::Sa: pp.after = std::clamp(value, 0, kMaxTwips); break;
        case Kw::Sl: pp.lineSpacing = clampTwips(value); break;
        case Kw::SlMult: pp.lineMultiple = on; break;
        case Kw::Tqc: pp.nextTab = TabKind::Center; break;
        case Kw::Tqr: pp.nextTab = TabKind::Right; break;
        case Kw::Tqdec: pp.nextTab = TabKind::Decimal; break;
        case Kw::Tx:
            if (pp.tabs.size() < kMaxTabs)
                pp.tabs.append(TabStop{std::clamp(value, 0, kMaxTwips), pp.nextTab});
            pp.nextTab = TabKind::Left;
            break;
        case Kw::InTbl: pp.inTable = on; break;
        case Kw::PageBB: pp.breakBefore = on; break;
        case Kw::S:
            if (st_.dest == Dest::StyleEntry) {
                st_.styleNumber = param;
                st_.paraStyle = true;
            } else if (st_.dest == Dest::Body) {
                const auto it = styles_.constFind(param);
                if (it != styles_.cend()) {
                    const bool inTable = pp.inTable;
                    pp = it->pp;
                    pp.inTable = inTable;
                    cp = it->cp;
                }
            }
            break;
        case Kw::Cs: case Kw::Ds: case Kw::Ts:
            if (st_.dest == Dest::StyleEntry)
                st_.paraStyle = false;
            break;
        case Kw::Par: endParagraph(); break;
        case Kw::Sect: endParagraph(); break;
        case Kw::Page: pageBreak(); break;
        case Kw::Line: addChar(QChar(0x2028)); break;
        case Kw::Tab: addChar(QChar(u'\t')); break;
        case Kw::Cell: endCell(); break;
        case Kw::Row: if (st_.dest == Dest::Body) endRow(); break;
        case Kw::NestCell: addChar(QChar(u'\t')); break;
        case Kw::NestRow: endParagraph(); break;
        case Kw::Symbol: addChar(QChar(symbol)); break;
        case Kw::Trowd:
            rowDefs_.clear();
            cellDef_ = CellDef();
            rowProps_ = Row();
            break;
        case Kw::Cellx:
            cellDef_.right = clampTwips(value);
            if (int(rowDefs_.size()) < kMaxColumns)
                rowDefs_.push_back(cellDef_);
            cellDef_ = CellDef();
            break;
        case Kw::ClMgf: cellDef_.hmerge = Merge::First; break;
        case Kw::ClMrg: cellDef_.hmerge = Merge::Continue; break;
        case Kw::ClVmgf: cellDef_.vmerge = Merge::First; break;
        case Kw::ClVmrg: cellDef_.vmerge = Merge::Continue; break;
        case Kw::ClVertT: cellDef_.valign = VAlign::Top; break;
        case Kw::ClVertC: cellDef_.valign = VAlign::Center; break;
        case Kw::ClVertB: cellDef_.valign = VAlign::Bottom; break;
        case Kw::ClCbPat: cellDef_.shading = std::max(value, 0); break;
        case Kw::ClBorder: ++cellDef_.borders; lastBorderIsCell_ = true; break;
        case Kw::TrBorder: ++rowBorders_; lastBorderIsCell_ = false; rowProps_.borders = true; break;
        case Kw::BrdrNone:
            if (lastBorderIsCell_ && cellDef_.borders > 0)
                --cellDef_.borders;
            else if (!lastBorderIsCell_ && rowBorders_ > 0 && --rowBorders_ == 0)
                rowProps_.borders = false;
            break;
        case Kw::Trqc: rowProps_.align = Align::Center; break;
        case Kw::Trqr: rowProps_.align = Align::Right; break;
        case Kw::Trql: rowProps_.align = Align::Left; break;
        case Kw::TrLeft: rowProps_.left = clampTwips(value); break;
        case Kw::TrGaph: rowProps_.gap = std::clamp(value, 0, 1440); break;
        case Kw::ClPad: cellDef_.padding[symbol & 3] = std::clamp(value, 0, 1440); break;
        case Kw::TrPadd: rowProps_.padding[symbol & 3] = std::clamp(value, 0, 1440); break;
        case Kw::PngBlip: pic_.kind = 1; break;
        case Kw::JpegBlip: pic_.kind = 2; break;
        case Kw::OtherBlip: pic_.kind = 0; break;
        case Kw::PicW: pic_.picw = std::clamp(value, 0, kMaxTwips); break;
        case Kw::PicH: pic_.pich = std::clamp(value, 0, kMaxTwips); break;
        case Kw::PicWGoal: pic_.goalw = std::clamp(value, 0, kMaxTwips); break;
        case Kw::PicHGoal: pic_.goalh = std::clamp(value, 0, kMaxTwips); break;
        case Kw::PicScaleX: pic_.scalex = value; break;
        case Kw::PicScaleY: pic_.scaley = value; break;
        default: break;
        }
    }

    void finish()
    {
        // A document may end without closing its groups; what was read still counts.
        while (!stack_.empty() && st_.dest != Dest::Body) {
            st_ = std::move(stack_.back());
            stack_.pop_back();
        }
        st_.dest = Dest::Body;
        if (paraHasContent()) {
            if (st_.pp.inTable) {
                endRow();
            } else {
                endParagraph();
            }
        }
        if (!cellParas_.empty() || !rowCells_.empty())
            endRow();
        if (skippedPictures_ > 0)
            m_.notes << QStringLiteral("%1 picture(s) in a format other than PNG or JPEG were skipped.").arg(skippedPictures_);
        if (brokenPictures_ > 0)
            m_.notes << QStringLiteral("%1 picture(s) could not be decoded and were skipped.").arg(brokenPictures_);
    }
};

} // namespace

void parse(const QByteArray& data, Model& model)
{
    Parser(data, model).run();
}

}
