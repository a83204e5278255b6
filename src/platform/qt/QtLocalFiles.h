#pragma once

#include "platform/DiskSpace.h"
#include "platform/LocalFiles.h"
#include "platform/qt/FilePrefetcher.h"
#include "platform/qt/WriteBehindFile.h"

// The real disk. Sources are read unbuffered with sequential read-ahead, and the files read
// next are read ahead by a helper thread; copies are written behind the caller by a helper
// thread each (WriteBehindFile), to ".<name>.<pid>.part" beside the destination, and renamed
// over it when whole.
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

private:
    FilePrefetcher m_prefetcher;
    std::shared_ptr<BlockPool> m_writeBlocks = WriteBehindFile::makeBlockPool();
};

// statvfs on the folder, or on its nearest existing parent when it does not exist yet:
// one sector per cluster of f_frsize bytes, f_bavail free and f_blocks in all.
class StatvfsDiskSpace : public DiskSpace
{
public:
    bool diskFreeSpace(const QString& folder, DiskFigures* figures, QString* error) override;
};
