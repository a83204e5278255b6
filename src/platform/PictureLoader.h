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
    virtual void prefetch(const QStringList& paths) { Q_UNUSED(paths); }
};
