#include "platform/qt/PictureDecoding.h"

#include <QBuffer>
#include <QColorSpace>
#include <QFile>
#include <QImageReader>
#include <cstring>

namespace picturedecoding {

namespace {

bool standsAlone(uchar marker)
{
    // Markers without a length: start and end of image, restart markers, TEM.
    return marker == 0x01 || marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7);
}

// Below this quality the JPEG reader uses the fast inverse DCT and simple chroma upsampling.
constexpr int kFastDecodeQuality = 49;

// The size to ask a JPEG reader for so that it decodes at half the stored size (libjpeg
// scales in the inverse DCT, in a fraction of the time of a whole decode), or an invalid
// size when the view needs more than half. Half, not less: at a quarter or three eighths the
// small inverse DCTs leave visible ringing at the sharp edges of print, which a smooth
// scale from half the size does not. The reader picks its scale as the smallest multiple
// of 1/8 that reaches the size asked for, so the size asked for is rounded down.
QSize halfScaleDecode(const QByteArray& format, const QSize& stored, const QSize& view)
{
    if (format != "jpeg" || stored.width() / 2 < view.width() || stored.height() / 2 < view.height())
        return QSize();
    return QSize(stored.width() / 2, stored.height() / 2);
}

// A scaled decode is held to the limit of the whole picture as well, so a picture fails or
// loads the same whichever way it is read.
bool tooLarge(const QSize& size)
{
    return qint64(size.width()) * size.height() * 4 > qint64(kAllocationLimitMiB) * 1024 * 1024;
}

} // namespace

bool readFile(const QString& path, QByteArray* bytes, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    *bytes = file.readAll();
    if (file.error() != QFileDevice::NoError || bytes->size() != file.size()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

bool jpegComplete(const QByteArray& bytes)
{
    const auto* p = reinterpret_cast<const uchar*>(bytes.constData());
    const qsizetype n = bytes.size();
    if (n < 4 || p[0] != 0xFF || p[1] != 0xD8)
        return false;
    bool scanSeen = false;
    qsizetype i = 2;
    while (i < n) {
        // Entropy-coded data (and any stray byte) up to the next 0xFF.
        const void* ff = std::memchr(p + i, 0xFF, size_t(n - i));
        if (!ff)
            return false;
        i = static_cast<const uchar*>(ff) - p;
        // A marker may be preceded by any number of fill bytes 0xFF.
        qsizetype m = i + 1;
        while (m < n && p[m] == 0xFF)
            ++m;
        if (m >= n)
            return false;
        const uchar marker = p[m];
        if (marker == 0xD9)
            return scanSeen;
        if (marker == 0x00 || standsAlone(marker)) {
            // A stuffed 0xFF data byte or a restart marker inside the scan data.
            i = m + 1;
            continue;
        }
        if (m + 2 >= n)
            return false;
        const int length = (p[m + 1] << 8) | p[m + 2];
        if (length < 2)
            return false;
        if (marker == 0xDA)
            scanSeen = true;
        i = m + 1 + length;
    }
    return false;
}

QImage toSrgb(QImage image)
{
    const QColorSpace space = image.colorSpace();
    if (image.isNull() || !space.isValid() || space == QColorSpace(QColorSpace::SRgb))
        return image;
    // Only colour pictures: a grey or palette picture with a profile is shown as it is.
    switch (image.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
    case QImage::Format_RGB888:
        image.convertToColorSpace(QColorSpace::SRgb);
        break;
    default:
        break;
    }
    return image;
}

QImage decode(const QByteArray& bytes, const QSize& viewSize, QSize* naturalSize, QString* error)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    const auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return QImage();
    };
    if (reader.format() == "jpeg" && !jpegComplete(bytes))
        return fail(QStringLiteral("Premature end of JPEG file"));

    // The header: the stored size, turned as the EXIF orientation says.
    const QSize stored = reader.size();
    const bool turned = reader.transformation() & QImageIOHandler::TransformationRotate90;
    const QSize natural = turned ? stored.transposed() : stored;
    if (naturalSize)
        *naturalSize = natural;
    if (!viewSize.isEmpty() && stored.isValid()) {
        if (tooLarge(stored))
            return fail(QStringLiteral("The picture is too large to load (%1 x %2 pixels)")
                            .arg(natural.width())
                            .arg(natural.height()));
        // The reader scales before it turns the picture.
        const QSize halved = halfScaleDecode(reader.format(), stored, turned ? viewSize.transposed() : viewSize);
        if (halved.isValid()) {
            reader.setScaledSize(halved);
            // The fast inverse DCT: at half the size its error stays far below what shows.
            reader.setQuality(kFastDecodeQuality);
        }
    }
    QImage image = reader.read();
    if (image.isNull())
        return fail(reader.errorString());
    if (!viewSize.isEmpty() && image.size() != viewSize)
        image = image.scaled(viewSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (naturalSize && !natural.isValid())
        *naturalSize = viewSize.isEmpty() ? image.size() : QSize();
    return toSrgb(std::move(image));
}

} // namespace picturedecoding
