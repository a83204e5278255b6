#pragma once

#include <QDateTime>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QThreadPool>
#include <condition_variable>
#include <map>
#include <mutex>

// Pictures decoded ahead on worker threads. It holds only the pictures of the latest
// prefetch request, so its memory stays bounded however many pictures are stepped through.
// A held picture is handed out only while its file has the size and modification time it
// had when the decoding began; otherwise the file is decoded again, so a file that is gone
// or changed fails or succeeds exactly as it would without the cache.
class PrefetchCache
{
public:
    using Decoder = QImage (*)(const QString& path, QString* error);

    explicit PrefetchCache(Decoder decoder);
    ~PrefetchCache();

    // The picture of path: the prefetched one when it is still valid (waiting for it when
    // its decoding is under way), otherwise decoded now on the calling thread.
    QImage take(const QString& path, QString* error);
    // Starts decoding the paths not held yet and drops every picture not named. With
    // scaledSize given, a smoothly scaled copy of that size is made as well.
    void prefetch(const QStringList& paths, const QSize& scaledSize = QSize());
    // The scaled copy of a picture take() handed out, when one of that size was made.
    QImage scaledCopy(const QImage& picture, const QSize& size) const;
    // Blocks until no decoding is under way (benchmarks and tests).
    void waitForIdle();
    // Paths held or being decoded.
    int held() const;

private:
    struct Stamp
    {
        qint64 size = -1;
        QDateTime modified;
        bool valid() const { return size >= 0; }
        bool operator==(const Stamp& o) const { return size == o.size && modified == o.modified; }
    };
    struct Entry
    {
        Stamp stamp;
        QImage image;
        QSize scaledSize;
        QImage scaled;
        bool ready = false;
        quint64 generation = 0;
    };

    static Stamp stampOf(const QString& path);
    void decodeInBackground(const QString& path, quint64 generation, QSize scaledSize);

    Decoder m_decoder;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::map<QString, Entry> m_entries;
    quint64 m_generation = 0;
    QThreadPool m_pool;
};
