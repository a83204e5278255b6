#pragma once

#include <QImage>
#include <QString>

struct Services;

// Loads root + relative (every component matched without regard to case). A missing file,
// an unreadable root or a broken picture gives a null image and the reason.
QImage LoadPicture(Services& s, const QString& root, const QString& relative, QString* error);
