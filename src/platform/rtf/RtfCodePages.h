#pragma once

#include <QChar>
#include <QString>

#include <map>
#include <memory>

namespace rtf {

// One Windows code page: a table for its single bytes and, for the East Asian double-byte
// pages, which bytes lead a pair. Tables come from glibc's iconv, built once per process for
// each code page (opening a converter loads its module, which costs more than reading a
// short document); a code page iconv does not know falls back to the built-in cp1252 table.
// Pairs are converted by a converter of the document's own, opened on the first pair.
class CodePage {
public:
    explicit CodePage(int number);
    ~CodePage();
    CodePage(const CodePage&) = delete;
    CodePage& operator=(const CodePage&) = delete;

    QChar byte(unsigned char b) const { return table_[b]; }
    bool isLead(unsigned char b) const { return lead_[b]; }
    // The character a lead byte and its trail byte stand for (U+FFFD when they do not pair).
    QString pair(unsigned char lead, unsigned char trail) const;

private:
    int number_;
    QChar table_[256];
    bool lead_[256] = {};
    mutable void* iconv_ = nullptr;
    mutable bool iconvOpened_ = false;
};

// The code pages one document uses, each built once on first use.
class CodePages {
public:
    const CodePage& get(int number);

private:
    std::map<int, std::unique_ptr<CodePage>> pages_;
};

// The character of a byte in Windows-1252.
QChar cp1252(unsigned char b);

// The Windows code page of an RTF \fcharset value (0 when the charset names none).
int codePageOfCharset(int charset);

}
