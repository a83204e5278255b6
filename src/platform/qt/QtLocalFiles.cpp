#include "platform/qt/QtLocalFiles.h"

#include "platform/qt/SystemError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

// A source file read in order with the system's own calls: the copy loop asks for many
// small steps, and each costs no more than the one read() it needs.
class QtFileReader : public FileReader
{
public:
    ~QtFileReader() override
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }

    bool open(const QString& path)
    {
        m_fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
        struct stat st {};
        if (m_fd < 0 || ::fstat(m_fd, &st) != 0) {
            m_error = systemError(errno);
            return false;
        }
        m_size = qint64(st.st_size);
        // The file is read once from start to end in small steps: have the system read it
        // ahead in large requests instead of ramping up step by step.
        ::posix_fadvise(m_fd, 0, 0, POSIX_FADV_SEQUENTIAL);
        return true;
    }
    qint64 size() const override { return m_size; }
    qint64 read(char* data, qint64 size) override
    {
        for (;;) {
            const ssize_t n = ::read(m_fd, data, std::size_t(size));
            if (n >= 0)
                return n;
            if (errno != EINTR) {
                m_error = systemError(errno);
                return -1;
            }
        }
    }
    QString errorString() const override { return m_error; }

private:
    int m_fd = -1;
    qint64 m_size = 0;
    QString m_error;
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
    auto reader = std::make_unique<QtFileReader>();
    if (reader->open(path))
        return reader;
    if (failure)
        *failure = Failure{reader->errorString(), false};
    return nullptr;
}

void QtLocalFiles::readAhead(const QString& path)
{
    m_prefetcher.prefetch(path);
}

std::unique_ptr<FileWriter> QtLocalFiles::openWrite(const QString& path, Failure* failure)
{
    return WriteBehindFile::open(path, temporaryPathFor(path), m_writeBlocks, failure);
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
