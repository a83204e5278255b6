#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <memory>

// Why a file operation failed.
struct FileFailure
{
    QString error;          // the system's reason
    bool diskFull = false;  // a full disk (or an exhausted quota)
};

// A copy of one file being made in steps. The bytes go from the source to a hidden
// temporary file beside the destination, which commit() renames over the destination
// once every byte is there. A copy destroyed without a successful commit removes its
// temporary file, so the destination holds the old whole file or the new whole file,
// never a part.
class FileCopy
{
public:
    virtual ~FileCopy() = default;
    // The source's length in bytes.
    virtual qint64 size() const = 0;
    // Copies the next `size` bytes of the source; false, with failure(), when they could
    // not all be copied (the source ended early, could not be read, or the copy not written).
    virtual bool copy(qint64 size) = 0;
    virtual bool commit() = 0;
    virtual FileFailure failure() const = 0;
};

// The file operations of the local ad library: copying the media's files, making and
// removing the folder, deleting files, and making what was written durable.
class LocalFiles
{
public:
    virtual ~LocalFiles() = default;
    // Null, with the reason, when the source cannot be opened or the copy not begun.
    virtual std::unique_ptr<FileCopy> openCopy(const QString& source, const QString& destination,
                                               FileFailure* failure) = 0;
    // Writes a whole small file under a temporary name and renames it over `path` once it
    // is on the disk.
    virtual bool writeFile(const QString& path, const QByteArray& bytes, FileFailure* failure) = 0;
    // Puts the files' bytes and the folder's entries on the disk (not only in memory), so
    // that they survive a power loss.
    virtual bool flush(const QStringList& files, const QString& folder, QString* error) = 0;
    // An existing folder is no failure.
    virtual bool makeFolder(const QString& path, QString* error) = 0;
    virtual bool removeFile(const QString& path, QString* error) = 0;
    // Removes an empty folder only.
    virtual bool removeFolder(const QString& path, QString* error) = 0;
    // Whether a file (hidden ones too) exists at exactly this path.
    virtual bool fileExists(const QString& path) = 0;
    // The full paths of the temporary files in `folder` that copies of this program left
    // behind when their process ended before they were whole (killed, or a power loss).
    virtual QStringList leftoverTemporaryFiles(const QString& folder) = 0;
};
