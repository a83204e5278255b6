#include "MediaBuilder.h"

#include "MediaGen.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QtDebug>

#include <cstdlib>

MediaBuilder::MediaBuilder(const QString& root) : m_root(QDir(root).absolutePath())
{
    if (!QDir().mkpath(m_root))
        record(false, QStringLiteral("%1: cannot create folder").arg(m_root));
}

MediaBuilder& MediaBuilder::ad(const QString& fileName, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colourFor(fileName));
    QString error;
    record(mediagen::writeJpeg(image, adPath(fileName), 95, &error), error);
    return *this;
}

MediaBuilder& MediaBuilder::adsFolderName(const QString& name)
{
    m_adsFolder = name;
    return *this;
}

MediaBuilder& MediaBuilder::graphics()
{
    const QDir root(m_root);
    for (const QString& file : mediagen::companyPictureFiles()) {
        QImage image(companyPictureSize, QImage::Format_RGB32);
        image.fill(colourFor(QFileInfo(file).fileName()));
        QString error;
        const bool bmp = file.endsWith(QLatin1String(".bmp"), Qt::CaseInsensitive);
        record(bmp ? mediagen::writeBmp(image, root.filePath(file), &error)
                   : mediagen::writeJpeg(image, root.filePath(file), 95, &error),
               error);
    }
    for (const QString& file : mediagen::emblemFiles()) {
        QImage image(emblemSize, QImage::Format_Indexed8);
        image.setColorTable({colourFor(QFileInfo(file).fileName()).rgb()});
        image.fill(0);
        QString error;
        record(mediagen::writeBmp(image, root.filePath(file), &error), error);
    }
    return *this;
}

MediaBuilder& MediaBuilder::richText()
{
    const QStringList files = mediagen::richTextFiles();
    file(files.value(0), mediagen::noticeRtf());
    file(files.value(1), mediagen::registerRtf());
    return *this;
}

MediaBuilder& MediaBuilder::file(const QString& relativePath, const QByteArray& bytes)
{
    QString error;
    record(mediagen::writeBytes(bytes, QDir(m_root).filePath(relativePath), &error), error);
    return *this;
}

QString MediaBuilder::root() const
{
    return m_root;
}

QString MediaBuilder::adsFolder() const
{
    return QDir(m_root).filePath(m_adsFolder);
}

QString MediaBuilder::adPath(const QString& fileName) const
{
    return QDir(adsFolder()).filePath(fileName);
}

bool MediaBuilder::ok() const
{
    return m_error.isEmpty();
}

QString MediaBuilder::error() const
{
    return m_error;
}

QColor MediaBuilder::colourFor(const QString& fileName)
{
    // Hue, saturation and value from a digest of the name: names that differ
    // only in one digit still land far apart. Saturation and value stay in a
    // middle band so the colour survives JPEG's chroma subsampling.
    const QByteArray d = QCryptographicHash::hash(fileName.toUtf8(), QCryptographicHash::Sha1);
    const int hue = ((quint8(d[0]) << 8) | quint8(d[1])) % 360;
    const int saturation = 150 + quint8(d[2]) % 90;
    const int value = 140 + quint8(d[3]) % 100;
    return QColor::fromHsv(hue, saturation, value);
}

bool MediaBuilder::shows(const QImage& image, const QString& fileName, int tolerance)
{
    if (image.isNull())
        return false;
    const QColor got = image.pixelColor(image.width() / 2, image.height() / 2);
    const QColor want = colourFor(fileName);
    return std::abs(got.red() - want.red()) <= tolerance && std::abs(got.green() - want.green()) <= tolerance &&
           std::abs(got.blue() - want.blue()) <= tolerance;
}

bool MediaBuilder::record(bool ok, const QString& error)
{
    if (!ok) {
        qWarning("MediaBuilder: %s", qPrintable(error));
        if (m_error.isEmpty())
            m_error = error;
    }
    return ok;
}
