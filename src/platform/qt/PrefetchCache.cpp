#include "platform/qt/PrefetchCache.h"

#include "platform/qt/PictureDecoding.h"

#include <QFileInfo>
#include <QSet>
#include <condition_variable>

// One picture's decoding. It runs once, on a worker thread or on the first thread that
// needs the picture before a worker has taken it up.
class PrefetchCache::Job : public PictureSource
{
public:
    // bytes: the file's contents when they were read already; scaled: a copy of scaledSize
    // made already.
    Job(QString path, Decoder decoder, QSize scaledSize, QByteArray bytes = QByteArray(), QImage scaled = QImage())
        : m_path(std::move(path)), m_decoder(decoder), m_scaledSize(scaledSize), m_bytes(std::move(bytes)),
          m_scaled(std::move(scaled))
    {
    }

    // Decodes now unless that is done or under way.
    void run() const
    {
        QByteArray bytes;
        bool scaledAlready = false;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_state != Waiting)
                return;
            m_state = Running;
            bytes = std::move(m_bytes);
            m_bytes = QByteArray();
            scaledAlready = !m_scaled.isNull();
        }
        QString error;
        QImage image;
        if (bytes.isEmpty() && !picturedecoding::readFile(m_path, &bytes, &error))
            image = QImage();
        else
            image = m_decoder(bytes, QSize(), nullptr, &error);
        QImage scaled;
        if (!image.isNull() && !m_scaledSize.isEmpty() && !scaledAlready)
            scaled = image.scaled(m_scaledSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        std::lock_guard<std::mutex> lock(m_mutex);
        m_image = std::move(image);
        if (!scaledAlready)
            m_scaled = std::move(scaled);
        m_error = error;
        m_state = Done;
        m_done.notify_all();
    }

    // The natural size, when a scaled decode has read it from the header already.
    void knowSize(const QSize& size)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_state != Done)
            m_size = size;
    }

    QString error() const
    {
        finish();
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_error;
    }

    QSize size() const override
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_state == Done)
                return m_image.size();
            if (m_size.isValid())
                return m_size;
        }
        finish();
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_image.size();
    }

    QImage image() const override
    {
        finish();
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_image;
    }

    bool isReady() const override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_state == Done;
    }

    QImage scaledCopy(const QSize& size) const override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_state == Done && m_scaled.size() == size ? m_scaled : QImage();
    }

    QSize scaledSize() const { return m_scaledSize; }

private:
    enum State { Waiting, Running, Done };

    // Decodes here when no worker has begun, otherwise waits for the worker.
    void finish() const
    {
        run();
        std::unique_lock<std::mutex> lock(m_mutex);
        m_done.wait(lock, [this] { return m_state == Done; });
    }

    const QString m_path;
    const Decoder m_decoder;
    const QSize m_scaledSize;
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_done;
    mutable State m_state = Waiting;
    mutable QByteArray m_bytes;
    QSize m_size;
    mutable QImage m_image;
    mutable QImage m_scaled;
    mutable QString m_error;
};

PrefetchCache::PrefetchCache(Decoder decoder)
    : m_decoder(decoder)
{
    // Two neighbours are asked for at a time; decode them side by side.
    m_pool.setMaxThreadCount(2);
}

PrefetchCache::~PrefetchCache()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_entries.clear();
    }
    // Jobs still waiting run on whichever thread asks for their picture.
    m_pool.clear();
    m_pool.waitForDone();
}

PrefetchCache::Stamp PrefetchCache::stampOf(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return {};
    return {info.size(), info.lastModified()};
}

std::shared_ptr<PrefetchCache::Job> PrefetchCache::heldJob(const QString& path, const Stamp& stamp) const
{
    if (!stamp.valid())
        return nullptr;
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto it = m_entries.find(path);
    if (it == m_entries.end() || !(it->second.first == stamp))
        return nullptr;
    return it->second.second;
}

void PrefetchCache::start(const std::shared_ptr<Job>& job, int priority)
{
    // The worker holds the job weakly: a job nobody wants any more is not decoded.
    const std::weak_ptr<Job> weak = job;
    m_pool.start(
        [weak] {
            if (const std::shared_ptr<Job> j = weak.lock())
                j->run();
        },
        priority);
}

Picture PrefetchCache::take(const QString& path, QString* error)
{
    std::shared_ptr<Job> job = heldJob(path, stampOf(path));
    if (!job)
        job = std::make_shared<Job>(path, m_decoder, QSize());
    const QImage image = job->image();
    if (image.isNull()) {
        if (error)
            *error = job->error();
        return Picture();
    }
    return Picture(std::shared_ptr<const PictureSource>(job));
}

Picture PrefetchCache::open(const QString& path, const QSize& viewSize, QString* error)
{
    if (viewSize.isEmpty())
        return take(path, error);
    const Stamp stamp = stampOf(path);
    std::shared_ptr<Job> job = heldJob(path, stamp);
    if (job && job->isReady())
        return take(path, error);

    // The view's copy now; the whole picture from the bytes read for it.
    QByteArray bytes;
    if (!picturedecoding::readFile(path, &bytes, error))
        return Picture();
    QSize natural;
    const QImage scaled = m_decoder(bytes, viewSize, &natural, error);
    if (scaled.isNull())
        return Picture();
    if (!job) {
        job = std::make_shared<Job>(path, m_decoder, viewSize, std::move(bytes), scaled);
        // Held like a neighbour, so a step back to it finds it; ahead of the neighbours
        // waiting for a worker.
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_entries[path] = {stamp, job};
        }
        start(job, 1);
    }
    if (natural.isValid())
        job->knowSize(natural);
    return Picture(std::shared_ptr<const PictureSource>(job), scaled);
}

void PrefetchCache::prefetch(const QStringList& paths, const QSize& scaledSize)
{
    const QSet<QString> wanted(paths.begin(), paths.end());
    std::lock_guard<std::mutex> lock(m_mutex);
    for (auto it = m_entries.begin(); it != m_entries.end();) {
        if (wanted.contains(it->first))
            ++it;
        else
            it = m_entries.erase(it);
    }
    for (const QString& path : wanted) {
        const Stamp stamp = stampOf(path);
        if (!stamp.valid())
            continue;
        auto it = m_entries.find(path);
        if (it != m_entries.end() && it->second.first == stamp && it->second.second->scaledSize() == scaledSize)
            continue;
        auto job = std::make_shared<Job>(path, m_decoder, scaledSize);
        m_entries[path] = {stamp, job};
        start(job, 0);
    }
}

void PrefetchCache::waitForIdle()
{
    m_pool.waitForDone();
}

int PrefetchCache::held() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return int(m_entries.size());
}
