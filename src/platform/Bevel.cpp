#include "platform/Bevel.h"

#include <QPainter>
#include <QPalette>

namespace {

// One ring of the edge: top and left lines in topLeft, bottom and right in bottomRight.
void drawRing(QPainter* painter, const QRect& r, const QColor& topLeft, const QColor& bottomRight)
{
    if (r.width() <= 0 || r.height() <= 0)
        return;
    painter->fillRect(QRect(r.left(), r.top(), r.width(), 1), topLeft);
    painter->fillRect(QRect(r.left(), r.top(), 1, r.height()), topLeft);
    painter->fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
    painter->fillRect(QRect(r.right(), r.top(), 1, r.height()), bottomRight);
}

} // namespace

QRect drawBevel(QPainter* painter, const QRect& rect, const QPalette& palette, bool sunken)
{
    const QColor light = palette.color(QPalette::Light);
    const QColor midlight = palette.color(QPalette::Midlight);
    const QColor dark = palette.color(QPalette::Dark);
    const QColor shadow = palette.color(QPalette::Shadow);

    const QRect outer = rect;
    const QRect inner = rect.adjusted(1, 1, -1, -1);
    if (sunken) {
        drawRing(painter, outer, shadow, light);
        drawRing(painter, inner, dark, midlight);
    } else {
        drawRing(painter, outer, light, shadow);
        drawRing(painter, inner, midlight, dark);
    }
    return rect.adjusted(BevelWidth, BevelWidth, -BevelWidth, -BevelWidth);
}
