#include "platform/qt/QtLocalFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

QString systemError(int err)
{
    return QString::fromLocal8Bit(std::strerror(err));
}

class QtFileReader : public FileReader
{
public:
    explicit QtFileReader(const QString& path) : m_file(path) {}

    bool open()
    {
        if (!m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
            return false;
        // The file is read once from start to end in small steps: have the system read it
        // ahead in large requests instead of ramping up step by step.
        ::posix_fadvise(m_file.handle(), 0, 0, POSIX_FADV_SEQUENTIAL);
        ::posix_fadvise(m_file.handle(), 0, 0, POSIX_FADV_WILLNEED);
        return true;
    }
    qint64 size() const override { return m_file.size(); }
    qint64 read(char* data, qint64 size) override { return m_file.read(data, size); }
    QString errorString() const override { return m_file.errorString(); }

private:
    QFile m_file;
};

class QtFileWriter : public FileWriter
{
public:
    QtFileWriter(const QString& path) : m_path(path), m_file(QtLocalFiles::temporaryPathFor(path)) {}

    ~QtFileWriter() override
    {
        if (m_committed)
            return;
        m_file.close();
        m_file.remove();
    }

    bool open()
    {
        if (m_file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
            return true;
        noteFailure(m_file.errorString());
        return false;
    }

    bool write(const char* data, qint64 size) override
    {
        // An unbuffered write may take only part of the bytes (the last ones that fit);
        // the next attempt then says why the rest do not.
        while (size > 0) {
            const qint64 written = m_file.write(data, size);
            if (written <= 0) {
                noteFailure(m_file.errorString(), m_file.error() == QFileDevice::ResourceError);
                return false;
            }
            data += written;
            size -= written;
        }
        return true;
    }

    bool commit() override
    {
        m_file.close();
        if (m_file.error() != QFileDevice::NoError) {
            noteFailure(m_file.errorString(), m_file.error() == QFileDevice::ResourceError);
            return false;
        }
        // rename() replaces the destination in one step: an old copy stays until the new one is whole.
        if (std::rename(QFile::encodeName(m_file.fileName()).constData(), QFile::encodeName(m_path).constData())
            != 0) {
            const int err = errno;
            noteFailure(systemError(err), err == ENOSPC || err == EDQUOT);
            return false;
        }
        m_committed = true;
        return true;
    }

    QString errorString() const override { return m_error; }
    bool diskFull() const override { return m_diskFull; }

private:
    void noteFailure(const QString& error, bool full = false)
    {
        m_error = error;
        // A quota is as full as a disk for the copy.
        m_diskFull = full || error == systemError(ENOSPC) || error == systemError(EDQUOT);
    }

    QString m_path;
    QFile m_file;
    QString m_error;
    bool m_diskFull = false;
    bool m_committed = false;
};

} // namespace

QString QtLocalFiles::temporaryPathFor(const QString& path)
{
    const QFileInfo info(path);
    return info.path() + QStringLiteral("/.") + info.fileName() + QLatin1Char('.')
        + QString::number(QCoreApplication::applicationPid()) + QStringLiteral(".part");
}

std::unique_ptr<FileReader> QtLocalFiles::openRead(const QString& path, Failure* failure)
{
    auto reader = std::make_unique<QtFileReader>(path);
    if (reader->open())
        return reader;
    if (failure)
        *failure = Failure{reader->errorString(), false};
    return nullptr;
}

void QtLocalFiles::readAhead(const QString& path)
{
    QFile file(path);
    if (file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        ::posix_fadvise(file.handle(), 0, 0, POSIX_FADV_WILLNEED);
}

std::unique_ptr<FileWriter> QtLocalFiles::openWrite(const QString& path, Failure* failure)
{
    auto writer = std::make_unique<QtFileWriter>(path);
    if (writer->open())
        return writer;
    if (failure)
        *failure = Failure{writer->errorString(), writer->diskFull()};
    return nullptr;
}

bool QtLocalFiles::makeFolder(const QString& path, QString* error)
{
    if (QFileInfo(path).isDir() || QDir().mkpath(path))
        return true;
    // mkpath gives no reason; ask for the last step once more to learn it.
    const int err = ::mkdir(QFile::encodeName(path).constData(), 0777) == 0 ? 0 : errno;
    if (err == 0)
        return true;
    if (error)
        *error = systemError(err);
    return false;
}

bool QtLocalFiles::removeFile(const QString& path, QString* error)
{
    QFile file(path);
    if (file.remove())
        return true;
    if (error)
        *error = file.errorString();
    return false;
}

bool QtLocalFiles::removeFolder(const QString& path, QString* error)
{
    if (::rmdir(QFile::encodeName(path).constData()) == 0)
        return true;
    if (error)
        *error = systemError(errno);
    return false;
}

bool QtLocalFiles::fileExists(const QString& path)
{
    return QFileInfo(path).isFile();
}

bool StatvfsDiskSpace::diskFreeSpace(const QString& folder, DiskFigures* figures, QString* error)
{
    // A folder that does not exist yet will be made on the file system of its nearest parent.
    QString probe = QDir::cleanPath(QDir(folder).absolutePath());
    while (!QFileInfo(probe).isDir()) {
        const QString parent = QFileInfo(probe).path();
        if (parent == probe)
            break;
        probe = parent;
    }
    struct statvfs st {};
    if (::statvfs(QFile::encodeName(probe).constData(), &st) != 0) {
        if (error)
            *error = systemError(errno);
        return false;
    }
    figures->sectorsPerCluster = 1;
    figures->bytesPerSector = qint64(st.f_frsize);
    figures->freeClusters = qint64(st.f_bavail);
    figures->totalClusters = qint64(st.f_blocks);
    return true;
}
