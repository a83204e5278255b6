#pragma once

#include <QString>
#include <QtGlobal>
#include <memory>

// A file open for reading in steps.
class FileReader
{
public:
    virtual ~FileReader() = default;
    virtual qint64 size() const = 0;
    // Reads up to `size` bytes into `data`; the number read, 0 at the end, -1 on failure.
    virtual qint64 read(char* data, qint64 size) = 0;
    virtual QString errorString() const = 0;
};

// A file being written. The bytes go to a hidden temporary file beside the destination,
// which commit() renames over the destination once it is complete and closed. A writer
// destroyed without a successful commit removes its temporary file, so the destination
// holds the old whole file or the new whole file, never a part.
class FileWriter
{
public:
    virtual ~FileWriter() = default;
    // Writes all of `data`; false with errorString() when it could not.
    virtual bool write(const char* data, qint64 size) = 0;
    virtual bool commit() = 0;
    virtual QString errorString() const = 0;
    // Whether the last failure was a full disk (or an exhausted quota).
    virtual bool diskFull() const = 0;
};

// The file operations of the local ad library: reading the media's files, writing whole
// copies, making and removing the folder, deleting files.
class LocalFiles
{
public:
    struct Failure
    {
        QString error;          // the system's reason
        bool diskFull = false;
    };

    virtual ~LocalFiles() = default;
    // Null, with the reason, when the file cannot be opened.
    virtual std::unique_ptr<FileReader> openRead(const QString& path, Failure* failure) = 0;
    // Asks the system to start reading a file that is read next, so that the disk is busy
    // with it while the file before is being copied. Failures are left to openRead().
    virtual void readAhead(const QString& path) = 0;
    virtual std::unique_ptr<FileWriter> openWrite(const QString& path, Failure* failure) = 0;
    // An existing folder is no failure.
    virtual bool makeFolder(const QString& path, QString* error) = 0;
    virtual bool removeFile(const QString& path, QString* error) = 0;
    // Removes an empty folder only.
    virtual bool removeFolder(const QString& path, QString* error) = 0;
    // Whether a file (hidden ones too) exists at exactly this path.
    virtual bool fileExists(const QString& path) = 0;
};
