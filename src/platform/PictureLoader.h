#pragma once

#include "platform/Picture.h"

#include <QSize>
#include <QString>
#include <QStringList>

// Loads BMP and JPEG pictures. A broken, truncated or too large picture fails with a reason.
class PictureLoader
{
public:
    virtual ~PictureLoader() = default;
    // Without viewSize the whole picture is decoded before this returns. With viewSize
    // (device pixels) the answer comes as soon as a copy smoothly scaled to that size is
    // at hand, which a JPEG decodes at a reduced scale; the whole picture is decoded on
    // another thread meanwhile, and whatever needs it waits for it. A picture that fails
    // fails the same either way.
    virtual Picture load(const QString& path, QString* error, const QSize& viewSize = QSize()) = 0;
    // Decodes these pictures ahead, off the GUI thread, so that a later load() of one of
    // them is quick. A picture that is gone or changed by then is read again, so the
    // answer of load() is the same as without it. Pictures not named here are dropped.
    // With scaledSize given, a smoothly scaled copy of that size is made ahead as well.
    virtual void prefetch(const QStringList& paths, const QSize& scaledSize = QSize())
    {
        Q_UNUSED(paths);
        Q_UNUSED(scaledSize);
    }
};
