#pragma once

#include <QImage>
#include <QRectF>
#include <QSizeF>
#include <QString>

class QPrinter;

// Where a picture goes on the printed page: from the top-left corner of the printable
// area, as large as fits that area with the picture's proportions kept (small pictures
// are enlarged). Same units as `printable`; empty when either size is empty.
QRectF adPlacement(const QSizeF& picture, const QSizeF& printable);

// Prints `picture` on one page of `printer`, placed by adPlacement. Returns an empty
// string when the page was produced, otherwise why not. Whether the printer then took
// the job is the printer service's to say.
QString printAdPage(QPrinter& printer, const QImage& picture);

// How the printer is named in messages: its output file when it prints into one.
QString printerLabel(const QPrinter& printer);
