#include "PictureFiles.h"

#include <QBuffer>
#include <QColorSpace>
#include <QImageWriter>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

namespace PictureFiles {

namespace {

// A marker segment: 0xFF, the marker, the length (counting itself) and the payload.
QByteArray segment(uchar marker, const QByteArray& payload)
{
    const int length = int(payload.size()) + 2;
    QByteArray s;
    s.append(char(0xFF)).append(char(marker)).append(char(length >> 8)).append(char(length & 0xFF));
    return s + payload;
}

QByteArray afterStart(const QByteArray& jpeg, const QByteArray& inserted)
{
    return jpeg.left(2) + inserted + jpeg.mid(2);
}

} // namespace

QByteArray jpeg(const QImage& picture, int quality)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(quality);
    writer.write(picture);
    return bytes;
}

QByteArray jpeg(const QSize& size, const QColor& colour, int quality)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(colour);
    return jpeg(picture, quality);
}

QByteArray withExifOrientation(const QByteArray& jpeg, int orientation)
{
    // "Exif", a little-endian TIFF header and one directory with the orientation tag.
    const char tiff[] = {'I', 'I', 0x2A, 0, 8, 0, 0, 0,                   // header, directory at 8
                         1, 0,                                           // one entry
                         0x12, 0x01, 3, 0, 1, 0, 0, 0, char(orientation), 0, 0, 0,  // 0x0112 SHORT 1
                         0, 0, 0, 0};                                    // no next directory
    const QByteArray payload = QByteArray("Exif\0\0", 6) + QByteArray(tiff, sizeof tiff);
    return afterStart(jpeg, segment(0xE1, payload));
}

QByteArray withIccProfile(const QByteArray& jpeg, const QByteArray& profile)
{
    const QByteArray payload = QByteArray("ICC_PROFILE\0", 12) + char(1) + char(1) + profile;
    return afterStart(jpeg, segment(0xE2, payload));
}

QByteArray adobeRgbJpeg(const QSize& size, const QColor& srgb)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(srgb);
    picture.setColorSpace(QColorSpace::SRgb);
    const QImage adobe = picture.convertedToColorSpace(QColorSpace::AdobeRgb);
    const QByteArray bytes = jpeg(adobe, 100);
    // Qt's writer embeds the profile of the picture; make sure it is there.
    if (bytes.contains("ICC_PROFILE"))
        return bytes;
    return withIccProfile(bytes, QColorSpace(QColorSpace::AdobeRgb).iccProfile());
}

QByteArray adobeCmykJpeg(const QImage& picture)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    jpeg_compress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &out, &size);
    cinfo.image_width = JDIMENSION(rgb.width());
    cinfo.image_height = JDIMENSION(rgb.height());
    cinfo.input_components = 4;
    cinfo.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&cinfo);   // CMYK in, CMYK stored, with the Adobe marker
    jpeg_set_quality(&cinfo, 95, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    QByteArray row(rgb.width() * 4, 0);
    while (cinfo.next_scanline < cinfo.image_height) {
        const auto* in = reinterpret_cast<const QRgb*>(rgb.constScanLine(int(cinfo.next_scanline)));
        for (int x = 0; x < rgb.width(); ++x) {
            // Inverted, as Adobe stores it: 255 is no ink. Cyan takes away red, and so on.
            row[4 * x] = char(qRed(in[x]));
            row[4 * x + 1] = char(qGreen(in[x]));
            row[4 * x + 2] = char(qBlue(in[x]));
            row[4 * x + 3] = char(255);
        }
        JSAMPROW rows[1] = {reinterpret_cast<JSAMPROW>(row.data())};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    const QByteArray bytes(reinterpret_cast<const char*>(out), qsizetype(size));
    std::free(out);
    jpeg_destroy_compress(&cinfo);
    return bytes;
}

bool near(const QImage& image, const QPoint& at, const QColor& colour, int tolerance)
{
    if (!image.valid(at))
        return false;
    const QColor c = image.pixelColor(at);
    return qAbs(c.red() - colour.red()) <= tolerance && qAbs(c.green() - colour.green()) <= tolerance
           && qAbs(c.blue() - colour.blue()) <= tolerance;
}

} // namespace PictureFiles
