#pragma once

#include <QString>
#include <QtGlobal>

class QPrinter;
class QTextDocument;

// What a print of a document came to: the pages produced, or why it failed.
struct RichTextPrint
{
    int pages = 0;
    QString error;      // empty when every page was produced
};

// Prints the whole of `document` on `printer`, page by page, within margins given in twips
// from the edges of the paper (the printer's unprintable borders are allowed for). Each
// page starts with the first line that did not fit on the one before; an empty document
// prints one blank page. Whether the printer then took the job is the printer service's
// to say.
RichTextPrint PrintRichText(QPrinter& printer, const QTextDocument& document, qint32 leftMargin,
                            qint32 topMargin, qint32 rightMargin, qint32 bottomMargin);
