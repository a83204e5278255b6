#pragma once

#include "platform/DiskSpace.h"
#include "platform/LocalFiles.h"

// The real disk. A copy is made inside the kernel (copy_file_range), step by step, to
// ".<name>.<pid>.part" beside the destination, and renamed over it when whole; where the
// kernel cannot copy between the two files (another file system, one that does not
// support it) the steps are read and written through one buffer instead.
class QtLocalFiles : public LocalFiles
{
public:
    std::unique_ptr<FileCopy> openCopy(const QString& source, const QString& destination,
                                       FileFailure* failure) override;
    bool writeFile(const QString& path, const QByteArray& bytes, FileFailure* failure) override;
    bool flush(const QStringList& files, const QString& folder, QString* error) override;
    bool makeFolder(const QString& path, QString* error) override;
    bool removeFile(const QString& path, QString* error) override;
    bool removeFolder(const QString& path, QString* error) override;
    bool fileExists(const QString& path) override;
    QStringList leftoverTemporaryFiles(const QString& folder) override;

    // The hidden name a copy of `path` is written under until it is complete.
    static QString temporaryPathFor(const QString& path);
    // The process whose copy a temporary file's name says it is, or 0 for a name that is
    // not one of the program's temporary files.
    static qint64 temporaryFileOwner(const QString& name);

private:
    QByteArray m_buffer;   // the steps of copies the kernel cannot make, reused for every file
};

// statvfs on the folder, or on its nearest existing parent when it does not exist yet:
// one sector per cluster of f_frsize bytes, f_bavail free and f_blocks in all.
class StatvfsDiskSpace : public DiskSpace
{
public:
    bool diskFreeSpace(const QString& folder, DiskFigures* figures, QString* error) override;
};
