#include "output/AdPrinting.h"

#include <QPainter>
#include <QPrinter>

QRectF adPlacement(const QSizeF& picture, const QSizeF& printable)
{
    if (picture.isEmpty() || printable.isEmpty())
        return QRectF();
    // Compare the two aspect ratios without dividing, so that the limiting side comes
    // out exactly as the printable size.
    if (printable.width() * picture.height() <= printable.height() * picture.width())
        return QRectF(0, 0, printable.width(), printable.width() * picture.height() / picture.width());
    return QRectF(0, 0, printable.height() * picture.width() / picture.height(), printable.height());
}

QString printerLabel(const QPrinter& printer)
{
    return printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
}

QString printAdPage(QPrinter& printer, const QImage& picture)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return QStringLiteral("The printer \"%1\" could not start the print job.").arg(printerLabel(printer));
    // The painter's origin is the top-left corner of the printable area.
    const QRectF target = adPlacement(picture.size(), printer.pageRect(QPrinter::DevicePixel).size());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // Without this the PDF that goes to the printer holds the picture re-compressed as
    // JPEG, whose colour subsampling smears the colours of small or sharp-edged pictures.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    painter.drawImage(target, picture);
    const bool ended = painter.end();
    if (!ended || printer.printerState() == QPrinter::Error)
        return QStringLiteral("The printer \"%1\" could not finish the print job.").arg(printerLabel(printer));
    return QString();
}
