#pragma once

#include "platform/Picture.h"

#include <QDateTime>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QThreadPool>
#include <map>
#include <memory>
#include <mutex>

// Pictures decoded on worker threads: the whole picture of the one on show while a scaled
// copy for the view is decoded at once, and the neighbours a step would show next.
// It holds only the pictures of the latest prefetch request, so its memory stays bounded
// however many pictures are stepped through; a picture handed out lives as long as its
// holders. A held picture is handed out only while its file has the size and modification
// time it had when the decoding began; otherwise the file is read again, so a file that
// is gone or changed fails or succeeds exactly as it would without the cache.
class PrefetchCache
{
public:
    // Decodes the bytes of a picture file: the whole picture when viewSize is empty,
    // otherwise a copy scaled to viewSize, with the whole picture's size in naturalSize.
    using Decoder = QImage (*)(const QByteArray& bytes, const QSize& viewSize, QSize* naturalSize, QString* error);

    explicit PrefetchCache(Decoder decoder);
    ~PrefetchCache();

    // The whole picture of path, decoded: the prefetched one when it is still valid
    // (waiting for it when its decoding is under way), otherwise decoded now.
    Picture take(const QString& path, QString* error);
    // The picture of path for a view of viewSize device pixels, at once: a prefetched
    // picture when it is done; otherwise the scaled copy is decoded now and the whole
    // picture on a worker thread (or by whoever needs it first).
    Picture open(const QString& path, const QSize& viewSize, QString* error);
    // Starts decoding the paths not held yet and drops every picture not named. With
    // scaledSize given, a smoothly scaled copy of that size is made as well.
    void prefetch(const QStringList& paths, const QSize& scaledSize = QSize());
    // Blocks until no decoding is under way (benchmarks and tests).
    void waitForIdle();
    // Paths held or being decoded.
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

    static Stamp stampOf(const QString& path);
    std::shared_ptr<Job> heldJob(const QString& path, const Stamp& stamp) const;
    void start(const std::shared_ptr<Job>& job, int priority);

    Decoder m_decoder;
    mutable std::mutex m_mutex;
    std::map<QString, std::pair<Stamp, std::shared_ptr<Job>>> m_entries;
    QThreadPool m_pool;
};
