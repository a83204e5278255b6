#pragma once

#include <QImage>
#include <QString>

// Loads BMP and JPEG pictures. A broken, truncated or too large picture fails with a reason.
class PictureLoader
{
public:
    virtual ~PictureLoader() = default;
    virtual QImage load(const QString& path, QString* error) = 0;
};
