#pragma once

#include "platform/DiskSpace.h"
#include "platform/LocalFiles.h"

// QFile on the real disk. Sources are read unbuffered with sequential read-ahead; copies
// are written unbuffered to ".<name>.<pid>.part" beside the destination and renamed over it.
class QtLocalFiles : public LocalFiles
{
public:
    std::unique_ptr<FileReader> openRead(const QString& path, Failure* failure) override;
    void readAhead(const QString& path) override;
    std::unique_ptr<FileWriter> openWrite(const QString& path, Failure* failure) override;
    bool makeFolder(const QString& path, QString* error) override;
    bool removeFile(const QString& path, QString* error) override;
    bool removeFolder(const QString& path, QString* error) override;
    bool fileExists(const QString& path) override;

    // The hidden name a copy of `path` is written under until it is complete.
    static QString temporaryPathFor(const QString& path);
};

// statvfs on the folder, or on its nearest existing parent when it does not exist yet:
// one sector per cluster of f_frsize bytes, f_bavail free and f_blocks in all.
class StatvfsDiskSpace : public DiskSpace
{
public:
    bool diskFreeSpace(const QString& folder, DiskFigures* figures, QString* error) override;
};
