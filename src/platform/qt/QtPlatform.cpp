#include "platform/qt/QtPlatform.h"

#include "platform/qt/PictureDecoding.h"
#include "platform/qt/PrefetchCache.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>

// ---- program folder ---------------------------------------------------------

QString resolveProgramFolder(const QString& libraryOption)
{
    if (!libraryOption.isEmpty())
        return QDir::cleanPath(QDir(libraryOption).absolutePath());
    const QString exeDir = QDir::cleanPath(QCoreApplication::applicationDirPath());
    if (QFileInfo(exeDir).isWritable())
        return exeDir;
    return QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

// ---- media candidates -------------------------------------------------------

SystemMediaDrives::SystemMediaDrives(QStringList commandLineRoots, bool scanSystemFolders)
    : m_commandLine(std::move(commandLineRoots)), m_scanSystem(scanSystemFolders)
{
}

QStringList SystemMediaDrives::candidateRoots()
{
    QStringList roots;
    for (const QString& r : m_commandLine)
        roots.append(QDir::cleanPath(QDir(r).absolutePath()));
    if (!m_scanSystem)
        return roots;
    const QString user = qEnvironmentVariable("USER");
    QStringList parents;
    if (!user.isEmpty())
        parents << QStringLiteral("/media/") + user << QStringLiteral("/run/media/") + user;
    parents << QStringLiteral("/media") << QStringLiteral("/mnt");
    for (const QString& parent : parents) {
        const QStringList names = QDir(parent).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        for (const QString& n : names)
            roots.append(parent + QLatin1Char('/') + n);
    }
    roots.append(QStringLiteral("/cdrom"));
    return roots;
}

// ---- settings ---------------------------------------------------------------

namespace {
std::unique_ptr<QSettings> openSettings(const QString& file, const QString& appName)
{
    if (!file.isEmpty())
        return std::make_unique<QSettings>(file, QSettings::IniFormat);
    return std::make_unique<QSettings>(appName, appName);
}
} // namespace

QString QtSettingsStore::getSetting(const QString& appName, const QString& section, const QString& key,
                                    const QString& defaultValue)
{
    auto s = openSettings(m_file, appName);
    const QVariant v = s->value(section + QLatin1Char('/') + key);
    if (!v.isValid())
        return defaultValue;
    // A hand-edited file may hold a list or other odd value: read what text there is.
    if (v.canConvert<QString>())
        return v.toString();
    return v.toStringList().join(QLatin1Char(','));
}

void QtSettingsStore::saveSetting(const QString& appName, const QString& section, const QString& key,
                                  const QString& value)
{
    auto s = openSettings(m_file, appName);
    s->setValue(section + QLatin1Char('/') + key, value);
    s->sync();
}

// ---- instance lock ----------------------------------------------------------

QtInstanceLock::QtInstanceLock(QString lockPath)
    : m_path(std::move(lockPath))
{
    if (m_path.isEmpty()) {
        QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        if (dir.isEmpty())
            dir = QDir::tempPath();
        m_path = dir + QStringLiteral("/VantorraAds.lock");
    }
}

bool QtInstanceLock::anotherInstanceRunning()
{
    if (m_asked)
        return m_other;
    m_asked = true;
    m_lock = std::make_unique<QLockFile>(m_path);
    // tryLock takes over a stale lock left by a process that no longer runs.
    m_other = !m_lock->tryLock(0) && m_lock->error() == QLockFile::LockFailedError;
    return m_other;
}

void QtInstanceLock::release()
{
    if (m_lock)
        m_lock->unlock();
}

// ---- screen -----------------------------------------------------------------

namespace {
QScreen* primary()
{
    return QGuiApplication::primaryScreen();
}
} // namespace

double QtScreenInfo::twipsPerPixelX() const
{
    QScreen* s = primary();
    return s && s->logicalDotsPerInchX() > 0 ? 1440.0 / s->logicalDotsPerInchX() : 15.0;
}

double QtScreenInfo::twipsPerPixelY() const
{
    QScreen* s = primary();
    return s && s->logicalDotsPerInchY() > 0 ? 1440.0 / s->logicalDotsPerInchY() : 15.0;
}

double QtScreenInfo::widthTwips() const
{
    QScreen* s = primary();
    return s ? s->geometry().width() * twipsPerPixelX() : 0.0;
}

double QtScreenInfo::heightTwips() const
{
    QScreen* s = primary();
    return s ? s->geometry().height() * twipsPerPixelY() : 0.0;
}

QRect QtScreenInfo::availableGeometry() const
{
    QScreen* s = primary();
    return s ? s->availableGeometry() : QRect();
}

QVector<QRect> QtScreenInfo::screenGeometries() const
{
    QVector<QRect> rects;
    if (QScreen* p = primary())
        rects.append(p->geometry());
    for (QScreen* s : QGuiApplication::screens()) {
        if (s != primary())
            rects.append(s->geometry());
    }
    return rects;
}

// ---- pointer ----------------------------------------------------------------

void QtMousePointer::setMousePointer(int code)
{
    // The pointer is a property, not a stack: one override at most.
    if (code == Hourglass) {
        if (QApplication::overrideCursor())
            QApplication::changeOverrideCursor(Qt::WaitCursor);
        else
            QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
    }
    m_code = code;
}

// ---- pictures ---------------------------------------------------------------

QtPictureLoader::QtPictureLoader()
    : m_cache(std::make_unique<PrefetchCache>(&picturedecoding::decode))
{
    QImageReader::setAllocationLimit(256);
}

QtPictureLoader::~QtPictureLoader() = default;

Picture QtPictureLoader::load(const QString& path, QString* error, const QSize& viewSize)
{
    return m_cache->open(path, viewSize, error);
}

void QtPictureLoader::prefetch(const QStringList& paths, const QSize& scaledSize)
{
    m_cache->prefetch(paths, scaledSize);
}

QImage QtPictureLoader::decode(const QString& path, QString* error)
{
    QByteArray bytes;
    if (!picturedecoding::readFile(path, &bytes, error))
        return QImage();
    return picturedecoding::decode(bytes, QSize(), nullptr, error);
}

void QtPictureLoader::waitForPrefetch()
{
    m_cache->waitForIdle();
}
