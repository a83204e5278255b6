#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>

class QWidget;

// Rendering helpers for widget tests: paint a widget into an image and look
// at the colours it produced.
namespace WidgetTestUtil {

// The widget painted into an ARGB32 image of its size times devicePixelRatio
// (device pixel ratio set on the image), over a fully transparent background
// so that what the widget leaves unpainted stays transparent.
QImage renderWidget(QWidget* widget, qreal devicePixelRatio = 1.0);

// Colour of one pixel (in the image's own pixels).
QColor pixel(const QImage& image, const QPoint& pos);

// True when every channel of a and b (alpha included) differs by at most tolerance.
bool sameColor(const QColor& a, const QColor& b, int tolerance = 0);

// How many pixels in rect (clipped to the image) are within tolerance of color.
int countColor(const QImage& image, const QRect& rect, const QColor& color, int tolerance = 0);

// A picture made of two vertical halves: left in leftColor, right in rightColor.
QImage twoColorImage(const QSize& size, const QColor& leftColor, const QColor& rightColor);

// Text for failure messages, e.g. "#ff0000 a255".
QByteArray describe(const QColor& color);

} // namespace WidgetTestUtil
