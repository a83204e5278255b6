#include "platform/LoadPicture.h"

#include "platform/FileLookup.h"
#include "platform/PictureLoader.h"
#include "platform/Services.h"

#include <QFile>

namespace {

// Whether every byte of the file can be read.
bool readsWhole(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const qint64 size = file.size();
    qint64 total = 0;
    char buffer[64 * 1024];
    for (;;) {
        const qint64 n = file.read(buffer, sizeof buffer);
        if (n < 0)
            return false;
        if (n == 0)
            return total == size;
        total += n;
    }
}

} // namespace

PictureLoad LoadPicture(Services& s, const QString& root, const QString& relative, const QSize& viewSize)
{
    PictureLoad result;
    const Listing l = s.files.first(root, relative);
    if (l.failed) {
        result.error = l.error;
        return result;
    }
    if (l.name.isEmpty()) {
        result.error = QStringLiteral("File not found");
        return result;
    }
    result.path = l.path;
    result.picture = s.pictures.load(l.path, &result.error, viewSize);
    if (!result.ok())
        result.damaged = readsWhole(l.path);
    return result;
}
