#include "platform/qt/PrefetchCache.h"

#include <QFileInfo>
#include <QSet>

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

QImage PrefetchCache::take(const QString& path, QString* error)
{
    const Stamp now = stampOf(path);
    if (now.valid()) {
        std::unique_lock<std::mutex> lock(m_mutex);
        auto it = m_entries.find(path);
        if (it != m_entries.end() && it->second.stamp == now) {
            const quint64 generation = it->second.generation;
            m_changed.wait(lock, [&] {
                auto e = m_entries.find(path);
                return e == m_entries.end() || e->second.generation != generation || e->second.ready;
            });
            it = m_entries.find(path);
            if (it != m_entries.end() && it->second.generation == generation && !it->second.image.isNull())
                return it->second.image;
        }
    }
    return m_decoder(path, error);
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
        if (it != m_entries.end() && it->second.stamp == stamp && it->second.scaledSize == scaledSize)
            continue;
        Entry& e = m_entries[path];
        e = Entry{stamp, QImage(), scaledSize, QImage(), false, ++m_generation};
        const quint64 generation = e.generation;
        m_pool.start([this, path, generation, scaledSize] { decodeInBackground(path, generation, scaledSize); });
    }
    m_changed.notify_all();
}

void PrefetchCache::decodeInBackground(const QString& path, quint64 generation, QSize scaledSize)
{
    {
        // Dropped before its turn came: nothing to do.
        std::lock_guard<std::mutex> lock(m_mutex);
        auto it = m_entries.find(path);
        if (it == m_entries.end() || it->second.generation != generation)
            return;
    }
    QImage image = m_decoder(path, nullptr);
    QImage scaled;
    if (!image.isNull() && !scaledSize.isEmpty())
        scaled = image.scaled(scaledSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_entries.find(path);
    if (it != m_entries.end() && it->second.generation == generation) {
        it->second.image = std::move(image);
        it->second.scaled = std::move(scaled);
        it->second.ready = true;
    }
    m_changed.notify_all();
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

QImage PrefetchCache::scaledCopy(const QImage& picture, const QSize& size) const
{
    if (picture.isNull())
        return QImage();
    std::lock_guard<std::mutex> lock(m_mutex);
    for (const auto& [path, e] : m_entries) {
        if (e.ready && e.image.cacheKey() == picture.cacheKey() && e.scaled.size() == size)
            return e.scaled;
    }
    return QImage();
}
