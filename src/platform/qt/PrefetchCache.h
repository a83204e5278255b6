#pragma once

#include "platform/Picture.h"
#include "platform/PictureLoader.h"

#include <QDateTime>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QThreadPool>
#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

// Pictures decoded on worker threads, in two stages: the copy for the stretched view (a
// JPEG decodes it at a reduced scale in a fraction of the time) and the whole picture.
// The view copies have workers of their own, so a whole picture under way never holds
// up the copy a step is about to show; the latest request's pictures come first, in the
// order it names them, and decodings that request no longer names are not begun.
//
// It holds only the pictures of the latest request (and those loaded since), so its
// memory stays bounded however many pictures are stepped through; the whole picture of
// one that is only wanted for the view any more is let go. A picture handed out lives as
// long as its holders. A held picture is handed out only while its file has the size and
// modification time it had when it was read; otherwise the file is read again, so a file
// that is gone or changed fails or succeeds exactly as it would without the cache.
class PrefetchCache
{
public:
    // Decodes the bytes of a picture file: the whole picture when viewSize is empty,
    // otherwise a copy scaled to viewSize, with the whole picture's size in naturalSize.
    using Decoder = QImage (*)(const QByteArray& bytes, const QSize& viewSize, QSize* naturalSize, QString* error);

    // How long the requests must pause before the later wholes are begun.
    static constexpr int kQuietMs = 250;

    // viewWorkers: threads for the view copies (the whole pictures have one of their own).
    explicit PrefetchCache(Decoder decoder, int viewWorkers = 2, int quietMs = kQuietMs);
    ~PrefetchCache();

    // The whole picture of path, decoded: the held one when it is still valid (waiting for
    // it when its decoding is under way), otherwise decoded now.
    Picture take(const QString& path, QString* error);
    // The picture of path for a view of viewSize device pixels, as soon as its view copy
    // is at hand: a held copy when it is done; the one under way when a worker has begun
    // it; otherwise decoded now, on the caller's thread. The whole picture follows when
    // something needs it or a request asks for it.
    Picture open(const QString& path, const QSize& viewSize, QString* error);
    // Replaces the request before: see ReadAhead.
    void prefetch(const ReadAhead& request);
    // Blocks until no decoding is under way or waiting (benchmarks and tests).
    void waitForIdle();
    // Paths held.
    int held() const;

    class Job;

private:
    struct Stamp
    {
        qint64 size = -1;
        QDateTime modified;
        bool valid() const { return size >= 0; }
        bool operator==(const Stamp& o) const { return size == o.size && modified == o.modified; }
    };
    enum class Lane { Views, Wholes };
    struct Task
    {
        std::weak_ptr<Job> job;
        bool later = false;   // waits for the requests to pause
    };

    static Stamp stampOf(const QString& path);
    std::shared_ptr<Job> heldJob(const QString& path, const Stamp& stamp) const;
    // The job that stands for path in the cache: the held one, or a new one held from now.
    std::shared_ptr<Job> jobFor(const QString& path, const Stamp& stamp);
    void startWorkers();
    void work(Lane lane);
    std::vector<Task>& queue(Lane lane) { return lane == Lane::Views ? m_viewQueue : m_wholeQueue; }

    Decoder m_decoder;
    const int m_viewWorkers;
    const std::chrono::milliseconds m_quiet;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::map<QString, std::pair<Stamp, std::shared_ptr<Job>>> m_entries;
    std::vector<Task> m_viewQueue;    // most wanted first
    std::vector<Task> m_wholeQueue;
    int m_viewRunning = 0;            // workers of each lane started and not returned
    int m_wholeRunning = 0;
    std::chrono::steady_clock::time_point m_lastRequest;
    bool m_closing = false;
    QThreadPool m_viewPool;
    QThreadPool m_wholePool;
};
