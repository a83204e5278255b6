#pragma once

#include "platform/Picture.h"

#include <QSize>
#include <QString>
#include <QStringList>

// What to decode ahead of need, each list most wanted first. A path may stand in more
// than one list.
struct ReadAhead
{
    // The size (device pixels) of the copies made for the stretched view.
    QSize viewSize;
    // A copy for the stretched view is all that is wanted; the whole picture is decoded when
    // something needs it.
    QStringList views;
    // The whole picture is wanted soon (the zoomed view steps to these).
    QStringList wholes;
    // The whole picture, once the requests have paused for a moment: zooming, printing or
    // copying may follow, and a user stepping quickly needs the time for the views.
    QStringList laterWholes;

    bool isEmpty() const { return views.isEmpty() && wholes.isEmpty() && laterWholes.isEmpty(); }
};

// Loads BMP and JPEG pictures. A broken, truncated or too large picture fails with a reason.
class PictureLoader
{
public:
    virtual ~PictureLoader() = default;
    // Without viewSize the whole picture is decoded before this returns. With viewSize
    // (device pixels) the answer comes as soon as a copy smoothly scaled to that size is
    // at hand, which a JPEG decodes at a reduced scale; the whole picture is decoded when
    // something needs it, and whatever needs it waits for it. A picture that fails fails
    // the same either way.
    virtual Picture load(const QString& path, QString* error, const QSize& viewSize = QSize()) = 0;
    // Decodes these pictures ahead, off the GUI thread, so that a later load() of one of
    // them is quick. A picture that is gone or changed by then is read again, so the
    // answer of load() is the same as without it. Every request replaces the one before:
    // pictures it does not name are dropped, and decodings of them not begun yet are not
    // done.
    virtual void prefetch(const ReadAhead& request) { Q_UNUSED(request); }
};
