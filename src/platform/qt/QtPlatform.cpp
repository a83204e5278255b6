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

namespace {

// So many copies at once are not expected; the search for a free number ends there.
constexpr int kMaxCopies = 256;

// "folder/VantorraAds.lock" and 3 give "folder/VantorraAds-3.lock".
QString numberedLockPath(const QString& lockPath, int number)
{
    const QFileInfo info(lockPath);
    return info.path() + QLatin1Char('/') + info.completeBaseName() + QLatin1Char('-') + QString::number(number)
        + QLatin1Char('.') + info.suffix();
}

enum class LockState { Taken, HeldByAnother, Unusable };

// Takes `lock` without waiting. A lock of a process that has ended is taken over, and so
// is one that names this process but that no lock in this process holds (the process id
// of an ended copy given out again).
LockState takeLock(QLockFile& lock)
{
    // A held lock never turns stale by its age alone.
    lock.setStaleLockTime(0);
    if (lock.tryLock(0))
        return LockState::Taken;
    if (lock.error() != QLockFile::LockFailedError)
        return LockState::Unusable;
    qint64 pid = 0;
    QString host, app;
    if (lock.getLockInfo(&pid, &host, &app) && pid == QCoreApplication::applicationPid()
        && lock.removeStaleLockFile() && lock.tryLock(0))
        return LockState::Taken;
    return LockState::HeldByAnother;
}

} // namespace

bool QtInstanceLock::anotherInstanceRunning()
{
    if (m_asked)
        return m_other;
    m_asked = true;
    QDir().mkpath(QFileInfo(m_path).path());
    // Take this copy's lock first, so two copies starting together see each other.
    m_other = takeOwnLock();
    if (!m_other)
        m_other = otherLockHeld();
    return m_other;
}

// Takes the first free numbered lock. True when a lock passed on the way is another copy's.
bool QtInstanceLock::takeOwnLock()
{
    bool other = false;
    for (int n = 1; n <= kMaxCopies; ++n) {
        const QString path = numberedLockPath(m_path, n);
        auto lock = std::make_unique<QLockFile>(path);
        const LockState state = takeLock(*lock);
        if (state == LockState::Taken) {
            m_lock = std::move(lock);
            m_ownPath = path;
            break;
        }
        if (state == LockState::Unusable)
            break; // the folder cannot hold locks: go by the locks that are there
        other = true;
    }
    return other;
}

// Whether any other lock of this name is held: copies with higher numbers, or the single
// lock of an older build. Stale ones found on the way are removed.
bool QtInstanceLock::otherLockHeld() const
{
    const QFileInfo info(m_path);
    const QDir folder(info.path());
    const QStringList names = folder.entryList({info.completeBaseName() + QStringLiteral("*.") + info.suffix()},
                                               QDir::Files | QDir::Hidden, QDir::Name);
    const QString own = m_lock ? QFileInfo(m_ownPath).fileName() : QString();
    for (const QString& name : names) {
        if (name == own)
            continue;
        QLockFile probe(folder.filePath(name));
        const LockState state = takeLock(probe);
        if (state == LockState::HeldByAnother)
            return true;
        if (state == LockState::Taken)
            probe.unlock(); // stale: nobody runs behind it
    }
    return false;
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
    QImageReader::setAllocationLimit(picturedecoding::kAllocationLimitMiB);
}

QtPictureLoader::~QtPictureLoader() = default;

Picture QtPictureLoader::load(const QString& path, QString* error, const QSize& viewSize)
{
    return m_cache->open(path, viewSize, error);
}

void QtPictureLoader::prefetch(const ReadAhead& request)
{
    m_cache->prefetch(request);
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
