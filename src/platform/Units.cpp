#include "platform/Units.h"

#include <cmath>
#include <limits>

QColor vbColor(quint32 bgr)
{
    const int red = int(bgr & 0xFF);
    const int green = int((bgr >> 8) & 0xFF);
    const int blue = int((bgr >> 16) & 0xFF);
    return QColor(red, green, blue);
}

int twipsToPixels(int twips)
{
    return qRound(twips / 15.0);
}

QFont designFont(double pointSize, bool bold, bool italic)
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    if (pointSize > 0)
        font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

int roundHalfEven(double value)
{
    if (std::isnan(value))
        return 0;
    constexpr double lo = double(std::numeric_limits<int>::min());
    constexpr double hi = double(std::numeric_limits<int>::max());
    if (value <= lo)
        return std::numeric_limits<int>::min();
    if (value >= hi)
        return std::numeric_limits<int>::max();
    // nearbyint honours the current rounding mode, which is round-to-nearest-even
    // unless someone changed it; do it by hand so the result never depends on that.
    const double floor = std::floor(value);
    const double diff = value - floor;
    double result = floor;
    if (diff > 0.5)
        result = floor + 1.0;
    else if (diff == 0.5)
        result = std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
    return int(result);
}
