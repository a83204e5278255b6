#pragma once

#include <QRect>
#include <QVector>

// The primary screen, measured in twips as the program's geometry code expects.
class ScreenInfo
{
public:
    virtual ~ScreenInfo() = default;
    virtual double widthTwips() const = 0;       // Screen.Width
    virtual double heightTwips() const = 0;      // Screen.Height
    virtual double twipsPerPixelX() const = 0;
    virtual double twipsPerPixelY() const = 0;
    virtual QRect availableGeometry() const = 0; // in pixels, the part windows may use
    // Every screen of the desktop, in pixels, in the desktop's coordinates (primary first).
    virtual QVector<QRect> screenGeometries() const = 0;
};
