#include "platform/rtf/RtfCodePages.h"

#include <QByteArray>

#include <algorithm>
#include <cerrno>
#include <iconv.h>
#include <map>
#include <iterator>
#include <mutex>

namespace rtf {

namespace {

// Windows-1252 for 0x80-0x9F; the rest of the page is ISO 8859-1.
const char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QByteArray iconvName(int number)
{
    switch (number) {
    case 10000: return "MACINTOSH";
    case 20127: return "ASCII";
    case 65001: return "UTF-8";
    case 936: return "GBK";
    case 950: return "BIG5";
    default: break;
    }
    if (number >= 28591 && number <= 28599)
        return "ISO-8859-" + QByteArray::number(number - 28590);
    return "CP" + QByteArray::number(number);
}

enum class Conv { Ok, Incomplete, Invalid };

// Converts bytes to one UTF-16 string; Incomplete when the bytes start a longer sequence.
Conv convert(iconv_t cd, const char* bytes, size_t n, QString* out)
{
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char16_t buf[8];
    char* in = const_cast<char*>(bytes);
    size_t inLeft = n;
    char* outp = reinterpret_cast<char*>(buf);
    size_t outLeft = sizeof buf;
    const size_t r = iconv(cd, &in, &inLeft, &outp, &outLeft);
    if (r == static_cast<size_t>(-1))
        return errno == EINVAL ? Conv::Incomplete : Conv::Invalid;
    const size_t units = (sizeof buf - outLeft) / 2;
    *out = QString(reinterpret_cast<const QChar*>(buf), qsizetype(units));
    return units > 0 ? Conv::Ok : Conv::Invalid;
}

} // namespace

QChar cp1252(unsigned char b)
{
    if (b >= 0x80 && b < 0xA0)
        return QChar(kCp1252High[b - 0x80]);
    return QChar(b);
}

namespace {

// The byte tables of one code page as iconv gives them.
struct ByteTables {
    QChar table[256];
    bool lead[256] = {};
};

// Builds the tables of a code page other than cp1252; false when iconv does not know it.
bool buildTables(int number, ByteTables* out)
{
    iconv_t cd = iconv_open("UTF-16LE", iconvName(number).constData());
    if (cd == reinterpret_cast<iconv_t>(-1))
        return false;
    for (int b = 0; b < 256; ++b)
        out->table[b] = cp1252(static_cast<unsigned char>(b));
    for (int b = 0x80; b < 256; ++b) {
        const char c = static_cast<char>(b);
        QString s;
        switch (convert(cd, &c, 1, &s)) {
        case Conv::Ok: out->table[b] = s.at(0); break;
        case Conv::Incomplete: out->lead[b] = true; break;
        case Conv::Invalid: out->table[b] = QChar(0xFFFD); break;
        }
    }
    iconv_close(cd);
    return true;
}

// The tables of a code page, built on first use and kept for the life of the process, like
// the parser's keyword table: they never change. Code page numbers are below 100000, so the
// cache stays bounded; a number iconv does not know is kept as null.
const ByteTables* sharedTables(int number)
{
    static std::mutex mutex;
    static std::map<int, std::unique_ptr<const ByteTables>> cache;
    const std::lock_guard<std::mutex> lock(mutex);
    const auto it = cache.find(number);
    if (it != cache.end())
        return it->second.get();
    auto tables = std::make_unique<ByteTables>();
    if (!buildTables(number, tables.get()))
        tables.reset();
    return cache.emplace(number, std::move(tables)).first->second.get();
}

} // namespace

CodePage::CodePage(int number)
    : number_(number)
{
    for (int b = 0; b < 256; ++b)
        table_[b] = cp1252(static_cast<unsigned char>(b));
    if (number == 1252 || number <= 0)
        return;
    if (const ByteTables* t = sharedTables(number)) {
        std::copy(std::begin(t->table), std::end(t->table), table_);
        std::copy(std::begin(t->lead), std::end(t->lead), lead_);
    }
}

CodePage::~CodePage()
{
    if (iconv_)
        iconv_close(static_cast<iconv_t>(iconv_));
}

QString CodePage::pair(unsigned char lead, unsigned char trail) const
{
    if (!iconvOpened_) {
        iconvOpened_ = true;
        iconv_t cd = iconv_open("UTF-16LE", iconvName(number_).constData());
        if (cd != reinterpret_cast<iconv_t>(-1))
            iconv_ = cd;
    }
    if (!iconv_)
        return QString(QChar(0xFFFD));
    const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
    QString s;
    if (convert(static_cast<iconv_t>(iconv_), bytes, 2, &s) != Conv::Ok)
        return QString(QChar(0xFFFD));
    return s;
}

const CodePage& CodePages::get(int number)
{
    auto it = pages_.find(number);
    if (it == pages_.end())
        it = pages_.emplace(number, std::make_unique<CodePage>(number)).first;
    return *it->second;
}

int codePageOfCharset(int charset)
{
    switch (charset) {
    case 0: return 1252;
    case 77: return 10000;
    case 128: return 932;
    case 129: return 949;
    case 134: return 936;
    case 136: return 950;
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    case 254: return 437;
    case 255: return 850;
    default: return 0;
    }
}

}
