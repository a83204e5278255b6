#include "platform/qt/QtLocalFiles.h"

#include "platform/qt/SystemError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

// The largest step read and written at once where the kernel cannot copy.
constexpr qint64 kLargestStep = 256 * 1024;

FileFailure failureOf(int error)
{
    if (error == 0)
        error = EIO;
    // A quota is as full as a disk for a copy.
    return FileFailure{systemError(error), error == ENOSPC || error == EDQUOT};
}

// How copy_file_range says that it cannot copy between these two files (another file
// system, one that has no such copy, an old kernel): read() and write() can.
bool kernelCannotCopy(int error)
{
    return error == EXDEV || error == EINVAL || error == ENOSYS || error == EOPNOTSUPP;
}

// Writes all of `data`: 0, or the system's error number. A write that takes only part of
// the bytes (the last ones that fit) is followed by one that says why the rest do not.
int writeFully(int fd, const char* data, qint64 size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, std::size_t(size));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return EIO;
        data += n;
        size -= n;
    }
    return 0;
}

// The bytes and the entry of an open file or folder on the disk: 0, or the error number.
int syncPath(const QString& path, int flags)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | flags);
    if (fd < 0)
        return errno;
    const int err = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    return err;
}

class QtFileCopy : public FileCopy
{
public:
    explicit QtFileCopy(QByteArray& buffer) : m_buffer(buffer) {}
    ~QtFileCopy() override
    {
        if (m_in >= 0)
            ::close(m_in);
        if (m_out >= 0)
            ::close(m_out);
        if (!m_committed && !m_temporary.isEmpty())
            ::unlink(m_temporary.constData());
    }

    bool open(const QString& source, const QString& destination)
    {
        m_in = ::open(QFile::encodeName(source).constData(), O_RDONLY | O_CLOEXEC);
        struct stat st {};
        if (m_in < 0 || ::fstat(m_in, &st) != 0)
            return fail(errno);
        m_size = qint64(st.st_size);
        // Read once from start to end: the system reads ahead in large requests.
        ::posix_fadvise(m_in, 0, 0, POSIX_FADV_SEQUENTIAL);
        const QByteArray temporary = QFile::encodeName(QtLocalFiles::temporaryPathFor(destination));
        m_out = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (m_out < 0)
            return fail(errno);
        m_temporary = temporary;
        m_destination = QFile::encodeName(destination);
        return true;
    }

    qint64 size() const override { return m_size; }

    bool copy(qint64 size) override
    {
        while (size > 0) {
            if (m_inKernel) {
                const ssize_t n = ::copy_file_range(m_in, nullptr, m_out, nullptr, std::size_t(size), 0);
                if (n > 0) {
                    size -= n;
                    continue;
                }
                if (n < 0 && errno == EINTR)
                    continue;
                if (n < 0 && !kernelCannotCopy(errno))
                    return fail(errno);
                // Refused, or nothing copied (the source's end, or a file system that copies
                // nothing this way): read() and write() go on from here and tell which.
                m_inKernel = false;
            }
            const qint64 step = std::min(size, kLargestStep);
            if (m_buffer.size() < step)
                m_buffer.resize(step);
            const ssize_t got = ::read(m_in, m_buffer.data(), std::size_t(step));
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                return fail(errno);
            if (got == 0) {
                m_failure = FileFailure{QStringLiteral("The file ended before its last byte could be read"), false};
                return false;
            }
            if (const int err = writeFully(m_out, m_buffer.constData(), got))
                return fail(err);
            size -= got;
        }
        return true;
    }

    bool commit() override
    {
        const int closed = ::close(m_out);
        const int closeError = errno;
        m_out = -1;
        if (closed != 0)
            return fail(closeError);
        // rename() replaces the destination in one step: an old copy stays until the new one is whole.
        if (std::rename(m_temporary.constData(), m_destination.constData()) != 0)
            return fail(errno);
        m_committed = true;
        return true;
    }

    FileFailure failure() const override { return m_failure; }

private:
    bool fail(int error)
    {
        m_failure = failureOf(error);
        return false;
    }

    QByteArray& m_buffer;
    int m_in = -1;
    int m_out = -1;
    qint64 m_size = 0;
    bool m_inKernel = true;
    bool m_committed = false;
    QByteArray m_temporary;
    QByteArray m_destination;
    FileFailure m_failure;
};

} // namespace

QString QtLocalFiles::temporaryPathFor(const QString& path)
{
    const QFileInfo info(path);
    return info.path() + QStringLiteral("/.") + info.fileName() + QLatin1Char('.')
        + QString::number(QCoreApplication::applicationPid()) + QStringLiteral(".part");
}

qint64 QtLocalFiles::temporaryFileOwner(const QString& name)
{
    static const QRegularExpression pattern(QStringLiteral("^\\.[^/]+\\.([1-9][0-9]{0,9})\\.part$"));
    const QRegularExpressionMatch match = pattern.match(name);
    return match.hasMatch() ? match.captured(1).toLongLong() : 0;
}

std::unique_ptr<FileCopy> QtLocalFiles::openCopy(const QString& source, const QString& destination,
                                                 FileFailure* failure)
{
    auto copy = std::make_unique<QtFileCopy>(m_buffer);
    if (copy->open(source, destination))
        return copy;
    if (failure)
        *failure = copy->failure();
    return nullptr;
}

bool QtLocalFiles::writeFile(const QString& path, const QByteArray& bytes, FileFailure* failure)
{
    const QByteArray temporary = QFile::encodeName(temporaryPathFor(path));
    const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    int err = fd < 0 ? errno : writeFully(fd, bytes.constData(), bytes.size());
    if (fd >= 0 && err == 0 && ::fsync(fd) != 0)
        err = errno;
    if (fd >= 0 && ::close(fd) != 0 && err == 0)
        err = errno;
    if (err == 0 && std::rename(temporary.constData(), QFile::encodeName(path).constData()) != 0)
        err = errno;
    if (err == 0)
        err = syncPath(QFileInfo(path).path(), O_DIRECTORY);
    if (err == 0)
        return true;
    ::unlink(temporary.constData());
    if (failure)
        *failure = failureOf(err);
    return false;
}

bool QtLocalFiles::flush(const QStringList& files, const QString& folder, QString* error)
{
    int err = 0;
    for (const QString& file : files) {
        if ((err = syncPath(file, 0)) != 0)
            break;
    }
    if (err == 0)
        err = syncPath(folder, O_DIRECTORY);
    if (err != 0 && error)
        *error = systemError(err);
    return err == 0;
}

QStringList QtLocalFiles::leftoverTemporaryFiles(const QString& folder)
{
    QStringList paths;
    const QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        const qint64 owner = temporaryFileOwner(name);
        // A process that is still there (another user's answers EPERM) may still be writing it.
        if (owner > 0 && ::kill(pid_t(owner), 0) != 0 && errno == ESRCH)
            paths.append(folder + QLatin1Char('/') + name);
    }
    return paths;
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
