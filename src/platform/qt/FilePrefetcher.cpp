#include "platform/qt/FilePrefetcher.h"

#include <QFile>

#include <fcntl.h>
#include <unistd.h>

FilePrefetcher::FilePrefetcher()
{
    // One thread: the requests are passed on in the order they were made.
    m_pool.setMaxThreadCount(1);
}

FilePrefetcher::~FilePrefetcher()
{
    m_pool.clear();
    m_pool.waitForDone();
}

void FilePrefetcher::prefetch(const QString& path)
{
    m_pool.start([path = QFile::encodeName(path)] {
        const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
        if (fd >= 0) {
            ::posix_fadvise(fd, 0, 0, POSIX_FADV_WILLNEED);
            ::close(fd);
        }
    });
}
