#include "programwide/Artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

const QColor kCream(246, 236, 212);
const QColor kInk(60, 40, 30);
const QColor kRedInk(178, 34, 34);

// A side view of a car of the period, fitted into `box`.
void drawCar(QPainter& p, const QRectF& box, const QColor& body)
{
    const double w = box.width(), h = box.height(), x = box.x(), y = box.y();
    QPainterPath hull;
    hull.moveTo(x + 0.02 * w, y + 0.70 * h);
    hull.lineTo(x + 0.04 * w, y + 0.48 * h);
    hull.lineTo(x + 0.28 * w, y + 0.42 * h);
    hull.lineTo(x + 0.38 * w, y + 0.16 * h);
    hull.lineTo(x + 0.66 * w, y + 0.16 * h);
    hull.lineTo(x + 0.78 * w, y + 0.42 * h);
    hull.lineTo(x + 0.97 * w, y + 0.36 * h);   // the tail fin
    hull.lineTo(x + 0.98 * w, y + 0.70 * h);
    hull.closeSubpath();
    p.setPen(QPen(kInk, qMax(1.0, w / 200)));
    p.setBrush(body);
    p.drawPath(hull);

    p.setBrush(QColor(200, 225, 240));
    p.drawRect(QRectF(x + 0.41 * w, y + 0.20 * h, 0.11 * w, 0.20 * h));
    p.drawRect(QRectF(x + 0.54 * w, y + 0.20 * h, 0.10 * w, 0.20 * h));

    p.setBrush(QColor(215, 215, 220));         // chrome strip
    p.drawRect(QRectF(x + 0.03 * w, y + 0.56 * h, 0.94 * w, 0.04 * h));

    p.setBrush(QColor(30, 30, 30));
    const double r = 0.10 * w;
    for (double cx : {0.22, 0.78}) {
        p.drawEllipse(QPointF(x + cx * w, y + 0.72 * h), r, r);
        p.setBrush(QColor(235, 235, 235));
        p.drawEllipse(QPointF(x + cx * w, y + 0.72 * h), r * 0.45, r * 0.45);
        p.setBrush(QColor(30, 30, 30));
    }
}

QImage paper(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    QPainter p(&img);
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0, kCream);
    g.setColorAt(1, kCream.darker(108));
    p.fillRect(img.rect(), g);
    p.setPen(QPen(kInk, 3));
    p.drawRect(img.rect().adjusted(6, 6, -7, -7));
    return img;
}

QFont serif(int pixels, bool bold = true, bool italic = false)
{
    QFont f(QStringLiteral("DejaVu Serif"));
    f.setStyleHint(QFont::Serif);
    f.setPixelSize(pixels);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

} // namespace

QImage splashPicture()
{
    QImage img = paper(613, 378);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(kRedInk);
    p.setFont(serif(40, true, true));
    p.drawText(QRect(0, 20, 613, 50), Qt::AlignCenter, QStringLiteral("Vantorra Ads"));
    p.setFont(serif(26, true, true));
    p.drawText(QRect(0, 70, 613, 36), Qt::AlignCenter, QStringLiteral("of the 50's & 60's"));
    drawCar(p, QRectF(130, 120, 353, 170), QColor(64, 130, 109));
    p.setPen(kInk);
    p.setFont(serif(15, false, true));
    p.drawText(QRect(0, 300, 613, 30), Qt::AlignCenter,
               QStringLiteral("Twenty model years of automobile advertising"));
    p.setFont(serif(12, false));
    p.drawText(QRect(0, 330, 613, 24), Qt::AlignCenter, QStringLiteral("Tellwind Software  \u00b7  v1.00"));
    return img;
}

QImage formIconPicture()
{
    QImage img(32, 32, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(kCream);
    p.setPen(QPen(kInk, 1));
    p.drawRoundedRect(QRectF(0.5, 0.5, 31, 31), 4, 4);
    drawCar(p, QRectF(2, 8, 28, 16), kRedInk);
    return img;
}

QImage image1DesignPicture()
{
    QImage img = paper(475, 555);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(kRedInk);
    p.setFont(serif(34, true, true));
    p.drawText(QRect(0, 40, 475, 50), Qt::AlignCenter, QStringLiteral("Vantorra Ads"));
    drawCar(p, QRectF(60, 180, 355, 170), QColor(120, 90, 160));
    return img;
}

QImage copyPanelPicture()
{
    QImage img = paper(360, 119);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    drawCar(p, QRectF(20, 15, 150, 80), QColor(200, 120, 40));
    p.setPen(kInk);
    p.setFont(serif(16, true, true));
    p.drawText(QRect(180, 0, 170, 119), Qt::AlignCenter, QStringLiteral("CD-ROM \u2192 disk"));
    return img;
}

QImage printerPicture()
{
    QImage img(16, 16, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.setBrush(Qt::white);
    p.drawRect(4, 1, 7, 5);                      // the sheet going in
    p.setBrush(QColor(192, 192, 192));
    p.drawRect(1, 6, 13, 6);                     // the body
    p.setBrush(Qt::white);
    p.drawRect(4, 10, 7, 4);                     // the sheet coming out
    p.setPen(QColor(0, 160, 0));
    p.drawPoint(12, 8);                          // the power light
    p.setPen(QColor(40, 40, 40));
    p.drawLine(5, 12, 9, 12);                    // a line of print
    return img;
}

QImage aboutPicture()
{
    // The About box shows this picture unscaled in a box of 161 x 81 pixels: everything
    // that matters is drawn inside that part.
    QImage img(170, 85, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, 85);
    g.setColorAt(0, kCream);
    g.setColorAt(1, kCream.darker(108));
    p.fillRect(img.rect(), g);
    p.setPen(QPen(kInk, 2));
    p.drawRect(QRectF(3, 3, 155, 75));
    drawCar(p, QRectF(10, 12, 84, 44), QColor(64, 130, 109));
    p.setPen(kRedInk);
    p.setFont(serif(14, true, true));
    p.drawText(QRect(94, 8, 62, 26), Qt::AlignCenter, QStringLiteral("1950"));
    p.drawText(QRect(94, 32, 62, 26), Qt::AlignCenter, QStringLiteral("1969"));
    p.setPen(kInk);
    p.setFont(serif(9, false, true));
    p.drawText(QRect(6, 58, 149, 16), Qt::AlignCenter, QStringLiteral("Tellwind Software"));
    return img;
}
