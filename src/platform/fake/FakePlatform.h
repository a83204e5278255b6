#pragma once

// Test stand-ins for the small services. Each records what the program did with it.

#include "platform/Clock.h"
#include "platform/InstanceLock.h"
#include "platform/MediaDrives.h"
#include "platform/MousePointer.h"
#include "platform/PictureLoader.h"
#include "platform/ProgramEnd.h"
#include "platform/ProgramFolder.h"
#include "platform/ScreenInfo.h"
#include "platform/SettingsStore.h"
#include "platform/qt/DiskFileLookup.h"
#include "platform/qt/QtPlatform.h"

#include <QMap>
#include <QSet>
#include <QVector>

// Records the end instead of ending the test process.
class FakeProgramEnd : public ProgramEnd
{
public:
    void endNow(int exitCode) override { endedAtOnce = true; code = exitCode; }
    void endOrderly() override { endedOrderly = true; }
    bool hasEnded() const override { return endedAtOnce || endedOrderly; }

    bool endedAtOnce = false;
    bool endedOrderly = false;
    int code = -1;
};

// The real lookup on real folders, with listings that can be made to fail or to
// see nothing, to stand for a drive that becomes unreadable in the middle of a scan.
class FakeFileLookup : public FileLookup
{
public:
    Listing first(const QString& root, const QString& relative) override;
    QStringList all(const QString& root, const QString& relative, bool* failed = nullptr,
                    QString* error = nullptr) override;
    QString folder(const QString& root, const QString& relative) override;

    // Listings of these relative paths (compared without regard to case) fail.
    QSet<QString> failingPaths;
    // Every listing fails while set.
    bool failAll = false;
    // Every listing, in order: root + relative.
    QStringList log;
    DiskFileLookup disk;
};

class FakeProgramFolder : public ProgramFolder
{
public:
    QString path() const override { return folder; }
    QString folder;
};

class FakeMediaDrives : public MediaDrives
{
public:
    QStringList candidateRoots() override { ++passes; return roots; }
    QStringList roots;
    int passes = 0;
};

class FakeSettingsStore : public SettingsStore
{
public:
    // With a backing store set, values are read from and written to it (the map stays empty);
    // the writes are recorded either way.
    SettingsStore* backing = nullptr;
    QString getSetting(const QString& appName, const QString& section, const QString& key,
                       const QString& defaultValue) override;
    void saveSetting(const QString& appName, const QString& section, const QString& key,
                     const QString& value) override;
    QMap<QString, QString> values;  // "app/section/key" -> text
    QStringList writes;             // keys in the order written
};

class FakeInstanceLock : public InstanceLock
{
public:
    bool anotherInstanceRunning() override { ++asked; return otherRunning; }
    bool otherRunning = false;
    int asked = 0;
};

class FakeScreenInfo : public ScreenInfo
{
public:
    // An 800 x 600 screen at 15 twips per pixel unless set otherwise.
    void setPixels(int width, int height, double twipsPerPixel = 15.0);
    double widthTwips() const override { return width; }
    double heightTwips() const override { return height; }
    double twipsPerPixelX() const override { return tppX; }
    double twipsPerPixelY() const override { return tppY; }
    QRect availableGeometry() const override { return available; }
    QVector<QRect> screenGeometries() const override { return screens; }

    double width = 12000, height = 9000, tppX = 15, tppY = 15;
    QRect available{0, 0, 800, 600};
    QVector<QRect> screens{QRect(0, 0, 800, 600)};   // setPixels makes it the one screen set
};

class FakeMousePointer : public MousePointer
{
public:
    void setMousePointer(int code) override { current = code; history.append(code); }
    int mousePointer() const override { return current; }
    int current = Default;
    QVector<int> history;
};

// The real loader, counting loads and able to refuse given files.
class FakePictureLoader : public PictureLoader
{
public:
    Picture load(const QString& path, QString* error, const QSize& viewSize = QSize()) override;
    // Recorded; unless decodeAhead is set the fake decodes nothing ahead, so every load()
    // reads its file. With it set, the real loader decodes ahead and load() uses that.
    void prefetch(const ReadAhead& request) override
    {
        prefetched << request;
        if (decodeAhead)
            real.prefetch(request);
    }
    bool decodeAhead = false;
    QStringList loaded;             // every path asked for, in order
    QList<ReadAhead> prefetched;    // every prefetch request, in order
    QSet<QString> failingNames;     // file names (without folder, any case) that fail
    QtPictureLoader real;
};

class FakeClock : public Clock
{
public:
    // Every read returns current plus stepMs times the number of reads before it.
    QDateTime now() const override { return current.addMSecs(stepMs * reads++); }
    QDateTime current = QDateTime(QDate(2002, 3, 1), QTime(13, 5, 9));
    qint64 stepMs = 0;
    mutable qint64 reads = 0;
};
