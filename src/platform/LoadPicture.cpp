#include "platform/LoadPicture.h"

#include "platform/FileLookup.h"
#include "platform/PictureLoader.h"
#include "platform/Services.h"

QImage LoadPicture(Services& s, const QString& root, const QString& relative, QString* error)
{
    const Listing l = s.files.first(root, relative);
    if (l.failed) {
        if (error)
            *error = l.error;
        return QImage();
    }
    if (l.name.isEmpty()) {
        if (error)
            *error = QStringLiteral("File not found");
        return QImage();
    }
    return s.pictures.load(l.path, error);
}
