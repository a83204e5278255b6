#pragma once

#include "platform/Picture.h"

#include <QSize>
#include <QString>

struct Services;

// What loading a picture gave.
struct PictureLoad
{
    Picture picture;   // null when it failed
    QString path;      // the file found; empty when none was
    QString error;     // why it failed
    // The file was found and its bytes read, but they do not make a picture: trying again
    // cannot help (a missing file or an unreadable media can come back).
    bool damaged = false;

    bool ok() const { return !picture.isNull(); }
};

// Loads root + relative (every component matched without regard to case). A missing file,
// an unreadable root or a broken picture fails with the reason. viewSize: see
// PictureLoader::load.
PictureLoad LoadPicture(Services& s, const QString& root, const QString& relative, const QSize& viewSize = QSize());
