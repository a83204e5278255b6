#include "WidgetTestUtil.h"

#include <QPainter>
#include <QWidget>
#include <cmath>
#include <cstdlib>

namespace WidgetTestUtil {

QImage renderWidget(QWidget* widget, qreal devicePixelRatio)
{
    const QSize device(int(std::ceil(widget->width() * devicePixelRatio)),
                       int(std::ceil(widget->height() * devicePixelRatio)));
    QImage image(device, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::transparent);
    widget->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image.convertToFormat(QImage::Format_ARGB32);
}

QColor pixel(const QImage& image, const QPoint& pos)
{
    if (!image.valid(pos))
        return QColor();
    return QColor::fromRgba(image.pixel(pos));
}

bool sameColor(const QColor& a, const QColor& b, int tolerance)
{
    if (!a.isValid() || !b.isValid())
        return false;
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance
        && std::abs(a.blue() - b.blue()) <= tolerance && std::abs(a.alpha() - b.alpha()) <= tolerance;
}

int countColor(const QImage& image, const QRect& rect, const QColor& color, int tolerance)
{
    const QRect area = rect & image.rect();
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (sameColor(QColor::fromRgba(image.pixel(x, y)), color, tolerance))
                ++count;
    return count;
}

QImage twoColorImage(const QSize& size, const QColor& leftColor, const QColor& rightColor)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    const int half = size.width() / 2;
    painter.fillRect(QRect(0, 0, half, size.height()), leftColor);
    painter.fillRect(QRect(half, 0, size.width() - half, size.height()), rightColor);
    return image;
}

QByteArray describe(const QColor& color)
{
    if (!color.isValid())
        return QByteArrayLiteral("(invalid)");
    return color.name().toLatin1() + " a" + QByteArray::number(color.alpha());
}

} // namespace WidgetTestUtil
