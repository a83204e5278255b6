#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>

// Writes small media folders for tests. Every picture is a real file in its
// real format, filled with one colour derived from its file name, so a test
// can tell which file ended up on screen:
//
//     MediaBuilder media(dir.path());
//     media.ad("55VaSo00.jpg").ad("55VaSo01.jpg").graphics().richText();
//     ...
//     QVERIFY(MediaBuilder::shows(shownImage, "55VaSo01.jpg"));
//
// A failed write is reported with qWarning and remembered: check ok().
class MediaBuilder
{
public:
    explicit MediaBuilder(const QString& root);   // created if missing

    // root/<ads folder>/<fileName> as a small JPEG of colourFor(fileName).
    MediaBuilder& ad(const QString& fileName, QSize size = {40, 60});
    // The folder ad() writes into, relative to the root; "ads" until changed.
    MediaBuilder& adsFolderName(const QString& name);
    // The four company pictures (BMP or JPEG as their names say) and an
    // 8-bit BMP emblem for every make, small, in root/Graphics.
    MediaBuilder& graphics();
    // RichText/notice.rtf and RichText/Register.rtf with the real documents.
    MediaBuilder& richText();
    // Any file with any bytes (broken pictures, stray files, ...).
    MediaBuilder& file(const QString& relativePath, const QByteArray& bytes);

    QString root() const;
    QString adsFolder() const;                    // absolute path of the ads folder
    QString adPath(const QString& fileName) const;
    bool ok() const;
    QString error() const;                        // the first failure, if any

    // The fill colour of a picture written for `fileName` (letter case matters).
    static QColor colourFor(const QString& fileName);
    // Whether the middle of `image` has the colour of `fileName`, allowing for
    // JPEG and scaling losses.
    static bool shows(const QImage& image, const QString& fileName, int tolerance = 12);

    static constexpr QSize companyPictureSize{30, 38};
    static constexpr QSize emblemSize{16, 16};

private:
    bool record(bool ok, const QString& error);

    QString m_root;
    QString m_adsFolder = QStringLiteral("ads");
    QString m_error;
};
