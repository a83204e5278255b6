#include "platform/fake/FakePlatform.h"

#include <QFileInfo>

namespace {
bool isFailing(const QSet<QString>& failing, const QString& relative)
{
    const QString folded = DiskFileLookup::foldCase(relative);
    for (const QString& f : failing) {
        if (DiskFileLookup::foldCase(f) == folded)
            return true;
    }
    return false;
}
} // namespace

Listing FakeFileLookup::first(const QString& root, const QString& relative)
{
    log.append(root + relative);
    if (failAll || isFailing(failingPaths, relative)) {
        Listing l;
        l.failed = true;
        l.error = QStringLiteral("Device not ready");
        return l;
    }
    return disk.first(root, relative);
}

QStringList FakeFileLookup::all(const QString& root, const QString& relative, bool* failed, QString* error)
{
    log.append(root + relative);
    if (failAll || isFailing(failingPaths, relative)) {
        if (failed)
            *failed = true;
        if (error)
            *error = QStringLiteral("Device not ready");
        return {};
    }
    return disk.all(root, relative, failed, error);
}

QString FakeFileLookup::folder(const QString& root, const QString& relative)
{
    log.append(root + relative);
    if (failAll || isFailing(failingPaths, relative))
        return QString();
    return disk.folder(root, relative);
}

QString FakeSettingsStore::getSetting(const QString& appName, const QString& section, const QString& key,
                                      const QString& defaultValue)
{
    if (backing)
        return backing->getSetting(appName, section, key, defaultValue);
    return values.value(appName + QLatin1Char('/') + section + QLatin1Char('/') + key, defaultValue);
}

void FakeSettingsStore::saveSetting(const QString& appName, const QString& section, const QString& key,
                                    const QString& value)
{
    writes.append(key);
    if (backing) {
        backing->saveSetting(appName, section, key, value);
        return;
    }
    values.insert(appName + QLatin1Char('/') + section + QLatin1Char('/') + key, value);
}

void FakeScreenInfo::setPixels(int w, int h, double twipsPerPixel)
{
    width = w * twipsPerPixel;
    height = h * twipsPerPixel;
    tppX = tppY = twipsPerPixel;
    available = QRect(0, 0, w, h);
    screens = {QRect(0, 0, w, h)};
}

Picture FakePictureLoader::load(const QString& path, QString* error, const QSize& viewSize)
{
    loaded.append(path);
    const QString name = DiskFileLookup::foldCase(QFileInfo(path).fileName());
    for (const QString& f : failingNames) {
        if (DiskFileLookup::foldCase(f) == name) {
            if (error)
                *error = QStringLiteral("Unsupported image format");
            return Picture();
        }
    }
    return real.load(path, error, viewSize);
}
