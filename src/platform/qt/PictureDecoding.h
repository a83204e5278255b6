#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

// Reading picture files with QImageReader: EXIF orientation honoured, an embedded colour
// profile Qt understands converted to sRGB, a cut-off JPEG refused.
namespace picturedecoding {

// The decoded-size limit every picture the program reads is held to (MiB): a picture that
// would take more fails to load like a broken file.
constexpr int kAllocationLimitMiB = 256;

// The whole file, or false with the reason.
bool readFile(const QString& path, QByteArray* bytes, QString* error);

// Whether JPEG bytes run to their end-of-image marker: walks the marker segments and the
// entropy-coded data after each scan, so whatever follows the marker (padding, a
// thumbnail, an editor's trailer) does not matter. A cut-off file has no such marker
// (the JPEG reader itself fills the missing part with grey and calls it a success).
bool jpegComplete(const QByteArray& bytes);

// Decodes the picture in `bytes`. With viewSize empty the whole picture; otherwise a copy
// smoothly scaled to exactly viewSize (as shown, after the EXIF turn), which a JPEG
// decodes at a reduced scale in a fraction of the time. naturalSize (optional) receives
// the size of the whole picture as shown, read from the header.
QImage decode(const QByteArray& bytes, const QSize& viewSize, QSize* naturalSize, QString* error);

// The same colours in sRGB when the picture carries a colour profile Qt can use; any
// other picture is returned as it is.
QImage toSrgb(QImage image);

} // namespace picturedecoding
