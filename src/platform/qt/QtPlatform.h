#pragma once

// The small real services: program folder, media candidates, settings, instance lock,
// screen, pointer, pictures and clock.

#include "platform/Clock.h"
#include "platform/InstanceLock.h"
#include "platform/MediaDrives.h"
#include "platform/MousePointer.h"
#include "platform/PictureLoader.h"
#include "platform/ProgramFolder.h"
#include "platform/ScreenInfo.h"
#include "platform/SettingsStore.h"

#include <QLockFile>
#include <QStringList>
#include <memory>

class FixedProgramFolder : public ProgramFolder
{
public:
    explicit FixedProgramFolder(QString path) : m_path(std::move(path)) {}
    QString path() const override { return m_path; }

private:
    QString m_path;
};

// The program's folder: the --library folder when given; otherwise the executable's folder
// when the user may write there; otherwise the per-user data folder.
QString resolveProgramFolder(const QString& libraryOption);

// Candidate media roots: every --media folder in the order given, then the folders directly
// under /media/$USER, /run/media/$USER, /media and /mnt (each sorted by name), then /cdrom.
class SystemMediaDrives : public MediaDrives
{
public:
    explicit SystemMediaDrives(QStringList commandLineRoots, bool scanSystemFolders = true);
    QStringList candidateRoots() override;

private:
    QStringList m_commandLine;
    bool m_scanSystem;
};

// QSettings, organisation and application "VantorraAds" (native format), or an INI file.
class QtSettingsStore : public SettingsStore
{
public:
    QtSettingsStore() = default;
    explicit QtSettingsStore(QString iniFile) : m_file(std::move(iniFile)) {}
    QString getSetting(const QString& appName, const QString& section, const QString& key,
                       const QString& defaultValue) override;
    void saveSetting(const QString& appName, const QString& section, const QString& key,
                     const QString& value) override;

private:
    QString m_file;
};

// Whether another copy runs: every running copy holds a QLockFile of its own, numbered
// beside the lock's name ("VantorraAds.lock" in the runtime, or temp, folder stands for
// "VantorraAds-1.lock", "VantorraAds-2.lock", ...), for the life of the process. Another
// copy runs when any other lock file of that name is held. A lock left by a process that
// has ended is stale: it does not count, and is taken over or removed.
class QtInstanceLock : public InstanceLock
{
public:
    explicit QtInstanceLock(QString lockPath = QString());
    // Asked once, at start; later calls give the first answer.
    bool anotherInstanceRunning() override;
    void release();
    QString lockPath() const { return m_path; }
    // The lock file this copy holds; empty before the question or when none could be taken.
    QString ownLockPath() const { return m_lock ? m_ownPath : QString(); }

private:
    bool takeOwnLock();
    bool otherLockHeld() const;

    QString m_path;
    QString m_ownPath;
    std::unique_ptr<QLockFile> m_lock;
    bool m_asked = false;
    bool m_other = false;
};

class QtScreenInfo : public ScreenInfo
{
public:
    double widthTwips() const override;
    double heightTwips() const override;
    double twipsPerPixelX() const override;
    double twipsPerPixelY() const override;
    QRect availableGeometry() const override;
    QVector<QRect> screenGeometries() const override;
};

class QtMousePointer : public MousePointer
{
public:
    void setMousePointer(int code) override;
    int mousePointer() const override { return m_code; }

private:
    int m_code = Default;
};

// QImageReader with EXIF orientation, colour profiles converted to sRGB and a 256 MiB
// decoded-size limit; pictures decoded on worker threads (PrefetchCache).
class PrefetchCache;

class QtPictureLoader : public PictureLoader
{
public:
    QtPictureLoader();
    ~QtPictureLoader() override;
    Picture load(const QString& path, QString* error, const QSize& viewSize = QSize()) override;
    void prefetch(const ReadAhead& request) override;
    // Reads a whole picture now, on any thread.
    static QImage decode(const QString& path, QString* error);
    // Blocks until the pictures asked for ahead are decoded (benchmarks and tests).
    void waitForPrefetch();

private:
    std::unique_ptr<PrefetchCache> m_cache;
};

class SystemClock : public Clock
{
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};
