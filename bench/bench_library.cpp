// Speed and memory of copying the ads to the hard drive, driven offscreen through the menu
// and the panel's button, against `cp -r` of the same folder measured in the same run. Both
// read the source from the disk: it is dropped from the page cache before every run.
// Prints one table of figures with their ratios and a last line saying whether every
// target holds (exit code 0 when it does).
#include "BenchSupport.h"
#include "MediaGen.h"
#include "mainwindow/Form1.h"
#include "platform/OptionButton.h"
#include "platform/ThreeDButton.h"
#include "platform/ThreeDPanel.h"
#include "platform/fake/FakeServices.h"
#include "platform/qt/QtLocalFiles.h"
#include "programwide/ProgramState.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr qint64 kSetBytes = 110000000;
constexpr int kRuns = 9;

// Random-looking bytes of scan-sized JPEG files (1.2 to 2.4 MB each) adding up to the set's size.
bool writeAdsFolder(const QString& folder, QString* error)
{
    QDir().mkpath(folder);
    quint64 state = 0x9E3779B97F4A7C15ull;
    auto next = [&state] {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return state;
    };
    qint64 left = kSetBytes;
    QByteArray bytes;
    for (int n = 0; left > 0; ++n) {
        const qint64 size = std::min<qint64>(left, 1200000 + qint64(next() % 1200000));
        bytes.resize(size);
        for (qint64 i = 0; i + 8 <= size; i += 8) {
            const quint64 v = next();
            std::memcpy(bytes.data() + i, &v, 8);
        }
        const QString name = QStringLiteral("%1VaSo%2.jpg").arg(50 + n / 20).arg(n % 20, 2, 10, QLatin1Char('0'));
        QFile f(folder + QLatin1Char('/') + name);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != size || !f.flush()) {
            *error = f.fileName() + QStringLiteral(": ") + f.errorString();
            return false;
        }
        ::fsync(f.handle());   // written back, so that the page cache can let go of it
        left -= size;
    }
    return true;
}

// The source as a cold read: every file dropped from the page cache.
void dropFromPageCache(const QString& folder)
{
    for (const QString& name : QDir(folder).entryList(QDir::Files)) {
        QFile f(folder + QLatin1Char('/') + name);
        if (f.open(QIODevice::ReadOnly))
            ::posix_fadvise(f.handle(), 0, 0, POSIX_FADV_DONTNEED);
    }
}

// Every file of a folder, and the folder, put on the disk: what the program does with its
// copies before it says they are done, and cp does not.
void syncFolder(const QString& folder)
{
    for (const QString& name : QDir(folder).entryList(QDir::Files)) {
        QFile f(folder + QLatin1Char('/') + name);
        if (f.open(QIODevice::ReadOnly))
            ::fsync(f.handle());
    }
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// The least any copy in the program's steps can take: every file copied by copy_file_range
// in steps of 25,000 bytes, one call a step, with nothing else between the calls (no
// progress, no events, no temporary name, nothing put on the disk). False on a failure.
bool copyInSteps(const QString& from, const QString& to)
{
    QDir().mkpath(to);
    for (const QString& name : QDir(from).entryList(QDir::Files)) {
        const int in = ::open(QFile::encodeName(from + QLatin1Char('/') + name).constData(), O_RDONLY | O_CLOEXEC);
        const int out = ::open(QFile::encodeName(to + QLatin1Char('/') + name).constData(),
                               O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        bool ok = in >= 0 && out >= 0;
        ::posix_fadvise(in, 0, 0, POSIX_FADV_SEQUENTIAL);
        for (ssize_t n = 1; ok && n > 0;) {
            n = ::copy_file_range(in, nullptr, out, nullptr, 25000, 0);
            ok = n >= 0;
        }
        if (in >= 0)
            ::close(in);
        if (out >= 0)
            ::close(out);
        if (!ok)
            return false;
    }
    return true;
}

long maxRssKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// User and system time of this process or of its finished children.
double cpuMs(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3
        + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

// Counts the paints of a widget and the shortest time between two of them.
class PaintCounter : public QObject
{
public:
    int paints = 0;
    double shortestGapMs = 1e9;
    void reset()
    {
        paints = 0;
        m_last.invalidate();
    }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::Paint)
            return false;
        ++paints;
        if (m_last.isValid())
            shortestGapMs = std::min(shortestGapMs, m_last.nsecsElapsed() / 1e6);
        m_last.start();
        return false;
    }

private:
    QElapsedTimer m_last;
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);

    // On the disk, not in memory: the temporary folder beside the build unless TMPDIR says otherwise.
    QTemporaryDir dir;
    const QString media = dir.filePath(QStringLiteral("media"));
    const QString ads = media + QStringLiteral("/ads");
    QString error;
    std::printf("Writing a media folder of %s bytes of ads...\n", "110,000,000");
    std::fflush(stdout);
    mediagen::Options small;
    small.adSize = QSize(64, 80);
    if (!mediagen::writeSampleMedia(media, small, &error)) {
        std::fprintf(stderr, "Cannot write the benchmark media: %s\n", qPrintable(error));
        return 2;
    }
    // The sample's own ads folder, however it is spelled, gives way to the set of scan-sized files.
    for (const QString& entry : QDir(media).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (entry.compare(QLatin1String("ads"), Qt::CaseInsensitive) == 0)
            QDir(media + QLatin1Char('/') + entry).removeRecursively();
    }
    if (!writeAdsFolder(ads, &error)) {
        std::fprintf(stderr, "Cannot write the benchmark media: %s\n", qPrintable(error));
        return 2;
    }
    const int files = int(QDir(ads).entryList(QDir::Files).size());

    // The program on fakes, except for the real disk: real files and the real free-space query.
    FakeServices fake;
    QtLocalFiles localFiles;
    StatvfsDiskSpace diskSpace;
    Services services{fake.boxes,    fake.end,      fake.files,        fake.folder,   fake.drives,
                      fake.settings, fake.instance, fake.screen,       fake.pointer,  fake.pictures,
                      fake.clock,    fake.printer,  fake.clipboard,    fake.popups,   fake.commonDialog,
                      fake.shell,    fake.help,     diskSpace,         localFiles};
    fake.drives.roots = {media};
    fake.folder.folder = dir.filePath(QStringLiteral("program0"));
    fake.screen.setPixels(1024, 768);
    ProgramState g;
    Form1 form(g, services);
    if (!form.Form_Load()) {
        std::fprintf(stderr, "The media was not accepted.\n");
        return 2;
    }
    form.optParent[0]->setChecked(true);
    form.show();
    QCoreApplication::processEvents();
    PaintCounter paints;
    form.ProgressGuage->installEventFilter(&paints);

    const long maxRssBefore = maxRssKb();
    const double rssBefore = residentMb();
    // copyMs: from the click on "Copy Ads" to its message; markedMs: to the end of the run,
    // the copies on the disk and the library marked complete.
    std::vector<double> cpMs, cpSyncedMs, stepsMs, copyMs, markedMs, cpCpuMs, copyCpuMs, windowCpuMs, paintRates;
    bool allCopied = true;
    auto runCp = [&](int run) {
        // cp -r, cold source, into a new folder.
        const QString cpTarget = dir.filePath(QStringLiteral("cp%1").arg(run));
        ::sync();
        dropFromPageCache(ads);
        QElapsedTimer t;
        const double cpCpuBefore = cpuMs(RUSAGE_CHILDREN);
        t.start();
        const int cpExit = QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-r"), ads, cpTarget});
        cpMs.push_back(t.nsecsElapsed() / 1e6);
        cpCpuMs.push_back(cpuMs(RUSAGE_CHILDREN) - cpCpuBefore);
        syncFolder(cpTarget);
        cpSyncedMs.push_back(t.nsecsElapsed() / 1e6);
        return cpExit == 0;
    };
    auto runSteps = [&](int run) {
        const QString target = dir.filePath(QStringLiteral("steps%1").arg(run));
        ::sync();
        dropFromPageCache(ads);
        QElapsedTimer t;
        t.start();
        const bool ok = copyInSteps(ads, target);
        stepsMs.push_back(t.nsecsElapsed() / 1e6);
        return ok;
    };
    auto runCopyAds = [&](int run) {
        // The program, cold source, into a new program folder: menu, then "Copy Ads".
        fake.folder.folder = dir.filePath(QStringLiteral("program%1").arg(run));
        QDir().mkpath(fake.folder.folder);
        ::sync();
        dropFromPageCache(ads);
        fake.boxes.answer(MsgBox::Ok);
        form.mnuCopy->trigger();
        paints.reset();
        QElapsedTimer t;
        const double cpuBefore = cpuMs(RUSAGE_SELF);
        const double windowCpuBefore = cpuMs(RUSAGE_THREAD);
        double ms = 0;
        fake.boxes.onShow = [&](const FakeMessageBoxes::Call&) { ms = t.nsecsElapsed() / 1e6; };
        t.start();
        form.cmdCopy->click();
        markedMs.push_back(t.nsecsElapsed() / 1e6);
        fake.boxes.onShow = nullptr;
        copyCpuMs.push_back(cpuMs(RUSAGE_SELF) - cpuBefore);
        windowCpuMs.push_back(cpuMs(RUSAGE_THREAD) - windowCpuBefore);
        copyMs.push_back(ms);
        // The first paint comes with the first chunk; the rate is that of the repaints after it.
        paintRates.push_back(std::max(0, paints.paints - 1) / (ms / 1000.0));
        allCopied = allCopied && fake.boxes.calls.size() == run + 1
            && fake.boxes.calls.last().text.startsWith(QStringLiteral("Ads successfully copied!"))
            && QDir(fake.folder.folder + QStringLiteral("/ads")).entryList(QDir::Files).size() == files;
    };
    // Every copy goes to a folder of its own, removed only after the last run: a file system
    // makes new files more slowly right after many were deleted, and neither side should pay
    // for the other's deletions. The two take turns going first.
    for (int run = 0; run < kRuns; ++run) {
        if (run % 2 == 1)
            runCopyAds(run);
        if (!runSteps(run)) {
            std::fprintf(stderr, "copy_file_range in steps failed\n");
            return 2;
        }
        if (!runCp(run)) {
            std::fprintf(stderr, "cp -r failed\n");
            return 2;
        }
        if (run % 2 == 0)
            runCopyAds(run);
    }
    const long maxRssAfter = maxRssKb();
    const double rssAfter = residentMb();
    for (int run = 0; run < kRuns; ++run) {
        QDir(dir.filePath(QStringLiteral("cp%1").arg(run))).removeRecursively();
        QDir(dir.filePath(QStringLiteral("steps%1").arg(run))).removeRecursively();
        QDir(dir.filePath(QStringLiteral("program%1").arg(run))).removeRecursively();
    }

    const double cp = median(cpMs);
    const double copy = median(copyMs);
    // Each run's pair is measured back to back, so the median of the pairs' ratios is what
    // the target is held against: slow changes of the machine's speed cancel out in it.
    std::vector<double> ratios;
    for (int i = 0; i < kRuns; ++i)
        ratios.push_back(copyMs[i] / cpMs[i]);
    const double ratio = median(ratios);
    const double paintRate = median(paintRates);
    const double rssGrowthMb = (maxRssAfter - maxRssBefore) / 1024.0;
    const bool speedHolds = ratio <= 1.1;
    const bool paintHolds = paintRate <= 35;
    const bool memoryHolds = rssGrowthMb <= 8;

    std::printf("\n%d files, %s bytes; source dropped from the page cache before every run; medians of %d runs\n"
                "(the ratio: the median of each run's pair)\n",
                files, "110,000,000", kRuns);
    std::printf("%-46s %10.1f ms\n", "cp -r (baseline)", cp);
    std::printf("%-46s %10.1f ms   ratio %.2f (target <= 1.10)  %s\n", "Copy Ads to its message, panel updating", copy, ratio,
                speedHolds ? "holds" : "does NOT hold");
    std::printf("%-46s %10.2f\n", "(ratio of the medians)", copy / cp);
    std::vector<double> stepRatios;
    for (int i = 0; i < kRuns; ++i)
        stepRatios.push_back(stepsMs[i] / cpMs[i]);
    std::printf("%-46s %10.1f ms   ratio %.2f (the least a copy in these steps takes)\n",
                "copy_file_range in 25,000-byte steps alone", median(stepsMs), median(stepRatios));
    std::vector<double> syncedRatios;
    for (int i = 0; i < kRuns; ++i)
        syncedRatios.push_back(markedMs[i] / cpSyncedMs[i]);
    std::printf("%-46s %10.1f ms\n", "cp -r, then its copies synced", median(cpSyncedMs));
    std::printf("%-46s %10.1f ms   ratio %.2f to cp -r and its sync\n",
                "Copy Ads to the end, copies on the disk", median(markedMs), median(syncedRatios));
    std::printf("%-46s %10.1f ms / %.1f ms (window thread %.1f ms)\n", "processor time, cp -r / Copy Ads",
                median(cpCpuMs), median(copyCpuMs), median(windowCpuMs));
    double load[3] = {0, 0, 0};
    getloadavg(load, 3);
    std::printf("%-46s %10.2f\n", "load average of the machine", load[0]);
    std::printf("%-46s %10.1f /s   (target <= 35)  %s\n", "per-file gauge repaints during the copy", paintRate,
                paintHolds ? "holds" : "does NOT hold");
    std::printf("%-46s %10.1f ms\n", "shortest time between two gauge paints", paints.shortestGapMs);
    std::printf("%-46s %7ld KB -> %ld KB  growth %.1f MB (target <= 8)  %s\n", "maxrss before/after the copies",
                maxRssBefore, maxRssAfter, rssGrowthMb, memoryHolds ? "holds" : "does NOT hold");
    std::printf("%-46s %10.1f MB -> %.1f MB\n", "resident before/after", rssBefore, rssAfter);
    std::printf("runs (cp / Copy Ads to the message / to the end, ms):");
    for (int i = 0; i < kRuns; ++i)
        std::printf("  %.0f / %.0f / %.0f", cpMs[i], copyMs[i], markedMs[i]);
    std::printf("\n");
    if (!allCopied) {
        std::printf("A run did not copy every file or did not say so:\n");
        for (const auto& call : fake.boxes.calls)
            std::printf("  box: %s\n", qPrintable(call.text));
    }
    const bool allHold = speedHolds && paintHolds && memoryHolds && allCopied;
    std::printf("%s\n", allHold ? "All targets hold." : "Some targets do NOT hold.");
    return allHold ? 0 : 1;
}
