#include "platform/qt/FilePrefetcher.h"

#include <QFile>

#include <fcntl.h>
#include <unistd.h>

FilePrefetcher::~FilePrefetcher()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

void FilePrefetcher::prefetch(const QString& path)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_paths.push_back(QFile::encodeName(path));
        if (!m_thread.joinable())
            m_thread = std::thread([this] { run(); });
    }
    m_changed.notify_all();
}

void FilePrefetcher::run()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_stopping || !m_paths.empty(); });
        if (m_stopping)
            return;
        const QByteArray path = m_paths.front();
        m_paths.pop_front();
        lock.unlock();
        const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
        if (fd >= 0) {
            ::posix_fadvise(fd, 0, 0, POSIX_FADV_WILLNEED);
            ::close(fd);
        }
        lock.lock();
    }
}
