#pragma once

#include <QImage>
#include <QRectF>
#include <QSizeF>
#include <QString>

// Reads printed PDF files with poppler-utils (pdfinfo, pdftoppm), for print tests.
namespace PdfPage {

struct Info
{
    int pages = -1;         // -1: the file could not be read
    QSizeF pointSize;       // the first page, in points
    QString error;
};

Info info(const QString& pdfFile);

// The first page rendered at `dpi` (null on failure, the reason in *error).
QImage render(const QString& pdfFile, int dpi, QString* error = nullptr);
// Page `page` (from 1) rendered at `dpi`.
QImage renderPage(const QString& pdfFile, int dpi, int page, QString* error = nullptr);

// The text of page `page` (from 1) as pdftotext reads it, lines in reading order
// (null string on failure, the reason in *error).
QString pageText(const QString& pdfFile, int page, QString* error = nullptr);

// The smallest rectangle holding every pixel that is not near white; empty for a blank page.
QRect inkBox(const QImage& page, int tolerance = 24);

// Checks that `page` (rendered at `dpi`) shows `picture` from the top-left corner of
// `printable` (points, relative to the page), as large as fits with its proportions kept,
// and with the picture's colours (each channel within `tolerance`). Returns what is wrong,
// or an empty string.
QString checkAdPage(const QImage& page, int dpi, const QRectF& printable, const QImage& picture,
                    int tolerance = 12);

// A picture of four quadrants in four strong colours (top-left, top-right, bottom-left,
// bottom-right), so that a print shows whether it is whole, upright and unmirrored.
QImage quadrantPicture(const QSize& size);

} // namespace PdfPage
