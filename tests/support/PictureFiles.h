#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QSize>

// JPEG files with the extras cameras, scanners and editors put in: an EXIF orientation,
// a colour profile, CMYK as Adobe writes it. Every picture is one colour.
namespace PictureFiles {

// The picture as a JPEG (Qt's writer).
QByteArray jpeg(const QImage& picture, int quality = 95);
QByteArray jpeg(const QSize& size, const QColor& colour, int quality = 95);

// `jpeg` with an EXIF block right after its start that gives this orientation (1 to 8;
// 6: turn 90 degrees clockwise to show).
QByteArray withExifOrientation(const QByteArray& jpeg, int orientation);

// `jpeg` with this ICC profile (APP2 segment) right after its start.
QByteArray withIccProfile(const QByteArray& jpeg, const QByteArray& profile);

// A JPEG of `size` whose numbers are the sRGB colour `srgb` converted to Adobe RGB (1998),
// with the Adobe RGB profile embedded.
QByteArray adobeRgbJpeg(const QSize& size, const QColor& srgb);

// The picture as a CMYK JPEG the way Adobe writes it (inverted values, Adobe marker),
// with no black ink, so it shows the picture's own colours.
QByteArray adobeCmykJpeg(const QImage& picture);

// Whether the colour at `at` is within `tolerance` of `colour` in each channel.
bool near(const QImage& image, const QPoint& at, const QColor& colour, int tolerance = 6);

} // namespace PictureFiles
