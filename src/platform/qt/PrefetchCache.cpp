#include "platform/qt/PrefetchCache.h"

#include "platform/qt/PictureDecoding.h"

#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <algorithm>

#ifdef Q_OS_LINUX
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace {

// The whole pictures are background work: a step, a year or a zoom on the GUI thread and
// the view copies come first when they compete for a processor. (Qt's thread priorities
// do nothing under Linux's normal scheduling; a thread's nice value does.)
void yieldToForegroundWork()
{
#ifdef Q_OS_LINUX
    setpriority(PRIO_PROCESS, id_t(syscall(SYS_gettid)), 10);
#endif
}

} // namespace

// One picture's two decodings: the copy for the view and the whole picture. Each runs
// once, on a worker thread or on the first thread that needs it before a worker has taken
// it up; whoever needs one under way waits for it.
class PrefetchCache::Job : public PictureSource
{
public:
    enum Stage { View, Whole };

    Job(QString path, Decoder decoder, QSize viewSize)
        : m_path(std::move(path)), m_decoder(decoder), m_viewSize(viewSize)
    {
    }

    // Whether the stage is still to be begun.
    bool wants(Stage stage) const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return stage == View ? m_view == Idle && !m_viewSize.isEmpty() : m_whole == Idle;
    }

    // A view copy of this size from now on; one of another size is made again.
    void wantView(const QSize& size)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_viewSize == size || m_view == Running)
            return;
        m_viewSize = size;
        m_scaled = QImage();
        m_view = Idle;
    }

    // Lets the whole picture go (it is decoded again when something needs it).
    void dropWhole()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_whole != Done)
            return;
        m_image = QImage();
        m_wholeError.clear();
        m_whole = Idle;
    }

    // Decodes the stage now unless that is done or under way.
    void run(Stage stage) const
    {
        if (stage == View)
            runView();
        else
            runWhole();
    }

    // The copy for the view (null when the picture does not decode, with the reason).
    QImage viewCopy(QString* error) const
    {
        for (;;) {
            runView();
            std::unique_lock<std::mutex> lock(m_mutex);
            m_done.wait(lock, [this] { return m_view != Running; });
            if (m_view == Done || m_viewSize.isEmpty()) {
                if (m_scaled.isNull() && error)
                    *error = m_viewError;
                return m_scaled;
            }
        }
    }

    QString wholeError() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_wholeError;
    }

    QSize size() const override
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_natural.isValid())
                return m_natural;
        }
        bool hasView;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            hasView = !m_viewSize.isEmpty();
        }
        if (hasView) {
            viewCopy(nullptr);
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_natural.isValid())
                return m_natural;
        }
        return image().size();
    }

    QImage image() const override
    {
        for (;;) {
            runWhole();
            std::unique_lock<std::mutex> lock(m_mutex);
            m_done.wait(lock, [this] { return m_whole != Running; });
            // Let go again between the decoding and here: decode once more.
            if (m_whole == Done)
                return m_image;
        }
    }

    bool isReady() const override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_whole == Done;
    }

    QImage scaledCopy(const QSize& size) const override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_view == Done && m_scaled.size() == size ? m_scaled : QImage();
    }

private:
    enum State { Idle, Running, Done };

    void runView() const
    {
        QSize size;
        QImage whole;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_view != Idle || m_viewSize.isEmpty())
                return;
            m_view = Running;
            size = m_viewSize;
            if (m_whole == Done)
                whole = m_image;
        }
        QString error;
        QSize natural;
        QImage scaled;
        if (!whole.isNull()) {
            // The whole picture is at hand already: scaling it is quicker than decoding.
            natural = whole.size();
            scaled = whole.size() == size ? whole : whole.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        } else {
            QByteArray bytes;
            if (picturedecoding::readFile(m_path, &bytes, &error))
                scaled = m_decoder(bytes, size, &natural, &error);
        }
        std::lock_guard<std::mutex> lock(m_mutex);
        m_scaled = std::move(scaled);
        m_viewError = error;
        if (!m_scaled.isNull() && natural.isValid())
            m_natural = natural;
        m_view = Done;
        m_done.notify_all();
    }

    void runWhole() const
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_whole != Idle)
                return;
            m_whole = Running;
        }
        QString error;
        QByteArray bytes;
        QImage image;
        if (picturedecoding::readFile(m_path, &bytes, &error))
            image = m_decoder(bytes, QSize(), nullptr, &error);
        std::lock_guard<std::mutex> lock(m_mutex);
        m_image = std::move(image);
        m_wholeError = error;
        if (!m_image.isNull())
            m_natural = m_image.size();
        m_whole = Done;
        m_done.notify_all();
    }

    const QString m_path;
    const Decoder m_decoder;
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_done;
    QSize m_viewSize;
    mutable State m_view = Idle;
    mutable State m_whole = Idle;
    mutable QSize m_natural;
    mutable QImage m_scaled;
    mutable QImage m_image;
    mutable QString m_viewError;
    mutable QString m_wholeError;
};

PrefetchCache::PrefetchCache(Decoder decoder, int viewWorkers, int quietMs)
    : m_decoder(decoder), m_viewWorkers(qMax(1, viewWorkers)), m_quiet(quietMs)
{
    m_viewPool.setMaxThreadCount(m_viewWorkers);
    // One whole picture at a time: each takes as long as several view copies.
    m_wholePool.setMaxThreadCount(1);
}

PrefetchCache::~PrefetchCache()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_closing = true;
        m_viewQueue.clear();
        m_wholeQueue.clear();
        m_entries.clear();
    }
    m_wake.notify_all();
    // A decoding under way ends first; its picture lives on with whoever holds it.
    m_viewPool.waitForDone();
    m_wholePool.waitForDone();
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

std::shared_ptr<PrefetchCache::Job> PrefetchCache::jobFor(const QString& path, const Stamp& stamp)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto& entry = m_entries[path];
    if (!entry.second || !(entry.first == stamp))
        entry = {stamp, std::make_shared<Job>(path, m_decoder, QSize())};
    return entry.second;
}

Picture PrefetchCache::take(const QString& path, QString* error)
{
    const Stamp stamp = stampOf(path);
    // A file that is not there is not held: the read below fails with the system's reason.
    const std::shared_ptr<Job> job = stamp.valid() ? jobFor(path, stamp) : std::make_shared<Job>(path, m_decoder, QSize());
    if (job->image().isNull()) {
        if (error)
            *error = job->wholeError();
        return Picture();
    }
    return Picture(std::shared_ptr<const PictureSource>(job));
}

Picture PrefetchCache::open(const QString& path, const QSize& viewSize, QString* error)
{
    if (viewSize.isEmpty())
        return take(path, error);
    const Stamp stamp = stampOf(path);
    const std::shared_ptr<Job> job = stamp.valid() ? jobFor(path, stamp) : std::make_shared<Job>(path, m_decoder, QSize());
    job->wantView(viewSize);
    const QImage scaled = job->viewCopy(error);
    if (scaled.isNull())
        return Picture();
    return Picture(std::shared_ptr<const PictureSource>(job), scaled);
}

void PrefetchCache::prefetch(const ReadAhead& request)
{
    // The files are looked at before the lock is taken: the workers need it meanwhile.
    QHash<QString, Stamp> stamps;
    for (const QStringList* list : {&request.views, &request.wholes, &request.laterWholes}) {
        for (const QString& path : *list) {
            if (!stamps.contains(path))
                stamps.insert(path, stampOf(path));
        }
    }
    const QSet<QString> wholes = [&] {
        QSet<QString> s(request.wholes.begin(), request.wholes.end());
        for (const QString& path : request.laterWholes)
            s.insert(path);
        return s;
    }();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_lastRequest = std::chrono::steady_clock::now();
        for (auto it = m_entries.begin(); it != m_entries.end();) {
            const Stamp stamp = stamps.value(it->first);
            if (stamp.valid() && it->second.first == stamp) {
                // Only the view is wanted: the whole picture goes unless someone holds it.
                if (!wholes.contains(it->first) && it->second.second.use_count() == 1)
                    it->second.second->dropWhole();
                ++it;
            } else {
                it = m_entries.erase(it);
            }
        }
        auto held = [this, &stamps](const QString& path) -> std::shared_ptr<Job> {
            const Stamp stamp = stamps.value(path);
            if (!stamp.valid())
                return nullptr;
            auto& entry = m_entries[path];
            if (!entry.second)
                entry = {stamp, std::make_shared<Job>(path, m_decoder, QSize())};
            return entry.second;
        };
        m_viewQueue.clear();
        m_wholeQueue.clear();
        for (const QString& path : request.views) {
            if (const std::shared_ptr<Job> job = held(path)) {
                job->wantView(request.viewSize);
                if (job->wants(Job::View))
                    m_viewQueue.push_back({job, false});
            }
        }
        for (const QStringList* list : {&request.wholes, &request.laterWholes}) {
            for (const QString& path : *list) {
                if (const std::shared_ptr<Job> job = held(path); job && job->wants(Job::Whole))
                    m_wholeQueue.push_back({job, list == &request.laterWholes});
            }
        }
        startWorkers();
    }
    m_wake.notify_all();
}

void PrefetchCache::startWorkers()
{
    while (m_viewRunning < m_viewWorkers && m_viewRunning < int(m_viewQueue.size())) {
        ++m_viewRunning;
        m_viewPool.start([this] { work(Lane::Views); });
    }
    if (m_wholeRunning == 0 && !m_wholeQueue.empty()) {
        ++m_wholeRunning;
        m_wholePool.start([this] { work(Lane::Wholes); });
    }
}

void PrefetchCache::work(Lane lane)
{
    if (lane == Lane::Wholes)
        yieldToForegroundWork();
    int& running = lane == Lane::Views ? m_viewRunning : m_wholeRunning;
    for (;;) {
        std::shared_ptr<Job> job;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            std::vector<Task>& tasks = queue(lane);
            while (!job) {
                if (m_closing || tasks.empty()) {
                    --running;
                    return;
                }
                if (tasks.front().later) {
                    const auto due = m_lastRequest + m_quiet;
                    if (std::chrono::steady_clock::now() < due) {
                        // A new request wakes this up: it may have more urgent work.
                        m_wake.wait_until(lock, due);
                        continue;
                    }
                }
                job = tasks.front().job.lock();
                tasks.erase(tasks.begin());
                if (job && !job->wants(lane == Lane::Views ? Job::View : Job::Whole))
                    job.reset();
            }
        }
        job->run(lane == Lane::Views ? Job::View : Job::Whole);
    }
}

void PrefetchCache::waitForIdle()
{
    m_viewPool.waitForDone();
    m_wholePool.waitForDone();
}

int PrefetchCache::held() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return int(m_entries.size());
}
