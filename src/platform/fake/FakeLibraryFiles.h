#pragma once

// Test stand-ins for the local library's file services: the real files on real folders,
// with faults that can be injected by file name (compared without regard to case).

#include "platform/DiskSpace.h"
#include "platform/LocalFiles.h"
#include "platform/qt/QtLocalFiles.h"

#include <QHash>
#include <QStringList>
#include <functional>

class FakeDiskSpace : public DiskSpace
{
public:
    bool diskFreeSpace(const QString& folder, DiskFigures* out, QString* error) override;

    // Plenty of room unless set otherwise: 8 sectors of 512 bytes, a million clusters free.
    DiskFigures figures{8, 512, 1000000, 2000000};
    bool fail = false;
    QStringList asked;      // every folder asked about
};

class FakeLocalFiles : public LocalFiles
{
public:
    std::unique_ptr<FileCopy> openCopy(const QString& source, const QString& destination,
                                       FileFailure* failure) override;
    bool writeFile(const QString& path, const QByteArray& bytes, FileFailure* failure) override;
    bool flush(const QStringList& files, const QString& folder, QString* error) override;
    bool makeFolder(const QString& path, QString* error) override;
    bool removeFile(const QString& path, QString* error) override;
    bool removeFolder(const QString& path, QString* error) override;
    bool fileExists(const QString& path) override { return real.fileExists(path); }
    QStringList leftoverTemporaryFiles(const QString& folder) override { return real.leftoverTemporaryFiles(folder); }

    // Reading these files fails at the first step, with the given reason.
    QHash<QString, QString> failingReads;
    // Writing the copies of these files fails at the first step, with the given reason.
    QHash<QString, QString> failingWrites;
    // These files cannot be deleted.
    QStringList undeletable;
    // The disk holds this many more bytes of copies (all files together); -1: no limit.
    // A step beyond fails after the bytes that fit, with diskFullError and diskFull.
    qint64 spaceLeft = -1;
    QString diskFullError = QStringLiteral("No space left on device");
    // When set, putting the copies on the disk fails with this reason.
    QString flushError;

    // Called before every step of a copy: onRead with the source's path and the bytes
    // copied so far, then onWrite with the destination's path and the bytes of this step
    // (also for a whole file written). The test looks at the window or changes the world there.
    std::function<void(const QString&, qint64)> onRead;
    std::function<void(const QString&, qint64)> onWrite;

    QStringList removedFiles;   // every file deleted, in order
    QStringList committed;      // every copy completed, in order
    QStringList flushed;        // every file and folder put on the disk, in order
    QtLocalFiles real;

    static bool named(const QStringList& names, const QString& path);
    static QString lookUp(const QHash<QString, QString>& byName, const QString& path);
};
