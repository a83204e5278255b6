#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

// Loads BMP and JPEG pictures. A broken, truncated or too large picture fails with a reason.
class PictureLoader
{
public:
    virtual ~PictureLoader() = default;
    virtual QImage load(const QString& path, QString* error) = 0;
    // Decodes these pictures ahead, off the GUI thread, so that a later load() of one of
    // them is quick. A picture that is gone or changed by then is read again, so the
    // answer of load() is the same as without it. Pictures not named here are dropped.
    // With scaledSize given, a smoothly scaled copy of that size is made ahead as well.
    virtual void prefetch(const QStringList& paths, const QSize& scaledSize = QSize())
    {
        Q_UNUSED(paths);
        Q_UNUSED(scaledSize);
    }
    // The scaled copy made ahead for a picture load() handed out; null when there is none.
    virtual QImage scaledCopy(const QImage& picture, const QSize& size)
    {
        Q_UNUSED(picture);
        Q_UNUSED(size);
        return QImage();
    }
};
