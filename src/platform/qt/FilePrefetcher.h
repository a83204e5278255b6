#pragma once

#include <QString>
#include <QThreadPool>

// Asks the system, on a worker thread of its own, to start reading whole files that are
// read soon, so that the caller does not wait while the system queues the requests.
// Requests are taken in order; failures are left to whoever opens the file later, and
// requests still waiting when the prefetcher goes are dropped.
class FilePrefetcher
{
public:
    FilePrefetcher();
    ~FilePrefetcher();

    void prefetch(const QString& path);

private:
    QThreadPool m_pool;
};
