#pragma once

#include <QByteArray>
#include <QString>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

// Asks the system, on a helper thread of its own, to start reading whole files that are
// read soon, so that the caller does not wait while the system queues the requests.
// Requests are taken in order; failures are left to whoever opens the file later, and
// requests still waiting when the prefetcher goes are dropped.
class FilePrefetcher
{
public:
    FilePrefetcher() = default;
    FilePrefetcher(const FilePrefetcher&) = delete;
    FilePrefetcher& operator=(const FilePrefetcher&) = delete;
    ~FilePrefetcher();

    void prefetch(const QString& path);

private:
    void run();   // the helper thread, started with the first request

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<QByteArray> m_paths;
    bool m_stopping = false;
    std::thread m_thread;
};
