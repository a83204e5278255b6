// Speed and memory of the ad browser on scan-sized advertisements, driven offscreen.
// Prints one table of figures with their ratios to baselines measured in this run, and
// a last line saying whether every target holds (exit code 0 when it does).
#include "BenchSupport.h"
#include "MediaGen.h"
#include "mainwindow/Form1.h"
#include "browser/AdFiles.h"
#include "platform/ImageControl.h"
#include "platform/OptionButton.h"
#include "platform/ThreeDButton.h"
#include "platform/fake/FakeServices.h"
#include "programwide/ProgramState.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImageReader>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <iterator>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kYearButton = 13;   // 1963
constexpr int kAdsInYear = 20;
constexpr int kRuns = 5;
constexpr int kOtherYears[] = {58, 60, 61, 62, 64, 66};

double medianMs(int runs, const std::function<void()>& before, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        before();
        QElapsedTimer t;
        t.start();
        work();
        times.push_back(t.nsecsElapsed() / 1e6);
    }
    return median(times);
}

bool writeMedia(const QString& root, QString* error)
{
    // Graphics (and a few small ads) from the sample set; then the ads folder is replaced
    // by one year of scan-sized ads.
    mediagen::Options small;
    small.adSize = QSize(64, 80);
    if (!mediagen::writeSampleMedia(root, small, error))
        return false;
    for (const QString& entry : QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (entry.compare(QLatin1String("ads"), Qt::CaseInsensitive) == 0)
            QDir(root + QLatin1Char('/') + entry).removeRecursively();
    }
    mediagen::Options scan;
    scan.adSize = QSize(2550, 3300);
    scan.jpegQuality = 85;
    for (int n = 0; n < kAdsInYear; ++n) {
        if (!mediagen::writeAdvertisement(root + adFile(63, QStringLiteral("VaSo"), n), QStringLiteral("VaSo"), 1963,
                                          n, scan, error))
            return false;
    }
    // The first ads of the make's other years, for the clicks on a year.
    for (int year : kOtherYears) {
        if (!mediagen::writeAdvertisement(root + adFile(year, QStringLiteral("VaSo"), 0), QStringLiteral("VaSo"),
                                          1900 + year, 0, scan, error))
            return false;
    }
    return true;
}

// An ads folder of `count` files, among them the probed make's.
bool writeLargeFolder(const QString& root, int count, QString* error)
{
    if (!QDir().mkpath(root + QStringLiteral("/ads")))
        return false;
    int written = 0;
    for (const QString& code : mediagen::allMakeCodes()) {
        for (int year = 50; year < 70 && written < count; ++year) {
            for (int n = 0; n < 20 && written < count; ++n, ++written) {
                if (!mediagen::writeBytes(QByteArray(), root + adFile(year, code, n), error))
                    return false;
            }
        }
    }
    for (; written < count; ++written) {
        if (!mediagen::writeBytes(QByteArray(), root + QStringLiteral("/ads/x%1.jpg").arg(written, 6, 10, QChar('0')),
                                  error))
            return false;
    }
    return true;
}

struct Row
{
    const char* figure;
    double value;
    double baseline;
    const char* unit;
    double limit;       // the target for value/baseline, or for value itself when baseline is 0
    bool atLeast = false;  // the target is a floor, not a ceiling
};

// Peak signal-to-noise ratio of two pictures of one size over their red, green and blue.
double psnr(const QImage& a, const QImage& b)
{
    if (a.isNull() || a.size() != b.size())
        return 0;
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int row = 0; row < x.height(); ++row) {
        const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
        const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col) {
            const double dr = qRed(p[col]) - qRed(q[col]);
            const double dg = qGreen(p[col]) - qGreen(q[col]);
            const double db = qBlue(p[col]) - qBlue(q[col]);
            sum += dr * dr + dg * dg + db * db;
        }
    }
    const double mse = sum / (3.0 * x.width() * x.height());
    return mse <= 0 ? 99.0 : 10.0 * std::log10(255.0 * 255.0 / mse);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);

    QTemporaryDir dir;
    const QString media = dir.filePath(QStringLiteral("media"));
    const QString program = dir.filePath(QStringLiteral("program"));
    const QString large = dir.filePath(QStringLiteral("large"));
    QDir().mkpath(program);
    QString error;
    std::printf("Writing %d ads of 2550 x 3300 and a folder of 24000 files...\n",
                kAdsInYear + int(std::size(kOtherYears)));
    std::fflush(stdout);
    if (!writeMedia(media, &error) || !writeLargeFolder(large, 24000, &error)) {
        std::fprintf(stderr, "Cannot write the benchmark media: %s\n", qPrintable(error));
        return 2;
    }

    FakeServices fake;
    fake.drives.roots = {media};
    fake.folder.folder = program;
    fake.screen.setPixels(1024, 768);
    fake.pictures.decodeAhead = true;
    ProgramState g;
    // The hand-over after the splash: the window made, loaded, the first parent chosen, shown.
    QElapsedTimer handOver;
    handOver.start();
    Form1 form(g, fake.services());
    if (!form.Form_Load()) {
        std::fprintf(stderr, "The media was not accepted.\n");
        return 2;
    }
    form.optParent[0]->setChecked(true);
    form.show();
    QCoreApplication::processEvents();
    const double handOverMs = handOver.nsecsElapsed() / 1e6;
    form.Option1[1]->setChecked(true);  // Solenne, "VaSo"
    QCoreApplication::processEvents();

    auto settle = [&] { fake.pictures.real.waitForPrefetch(); };
    const QString first = media + adFile(63, QStringLiteral("VaSo"), 0);

    // Baseline: a full decode of the same file.
    const double decodeMs = medianMs(kRuns, settle, [&] {
        QImageReader reader(first);
        reader.setAutoTransform(true);
        const QImage image = reader.read();
        if (image.isNull())
            std::fprintf(stderr, "Cannot decode %s\n", qPrintable(first));
    });

    // 1. A click on another year, its first ad read ahead, to the stretched picture
    // painted in Image1 (ending on the year of the steps below).
    int click = 0;
    const double showYearMs = medianMs(kRuns * 2, settle, [&] {
        const int year = ++click < kRuns * 2 ? kOtherYears[click % std::size(kOtherYears)] : 63;
        form.cmdYear[year - 50]->click();
        form.Image1->repaint();
    });
    // The picture painted there against the whole picture scaled smoothly to that size.
    settle();
    const QImage painted = form.Image1->scaledPixmap().toImage();
    const QImage reference = QImageReader(first).read().scaled(form.Image1->deviceSize(), Qt::IgnoreAspectRatio,
                                                                Qt::SmoothTransformation);
    const double quality = psnr(painted, reference);
    const double residentWithYear = residentMb();

    // 2. A step to a neighbour decoded ahead.
    const double stepMs = medianMs(kRuns, settle, [&] {
        form.ShowNextAd();
        form.Image1->repaint();
    });

    // 2b. A step right after another: three ads on are decoded ahead, so it finds its ad
    // ready.
    const double rapidStepMs = medianMs(
        kRuns,
        [&] {
            settle();
            form.ShowNextAd();
            form.Image1->repaint();
        },
        [&] {
            form.ShowNextAd();
            form.Image1->repaint();
        });

    // 2c. The fourth step in a row: its ad's decoding began with the first.
    const double fourthStepMs = medianMs(
        kRuns,
        [&] {
            settle();
            for (int i = 0; i < 3; ++i) {
                form.ShowNextAd();
                form.Image1->repaint();
            }
        },
        [&] {
            form.ShowNextAd();
            form.Image1->repaint();
        });

    // 2d. The zoomed view: the whole pictures of both neighbours read ahead.
    form.cmdZoom->click();
    QCoreApplication::processEvents();
    settle();
    const double residentZoomed = residentMb();
    form.cmdZoomOut->click();
    settle();

    // 3. Year availability and the count on a folder of 24000 files, after its first read.
    const QString mediaRoot = g.MediaRoot;
    const QString localRoot = g.LocalRoot;
    g.MediaRoot = large;
    g.LocalRoot = large;
    form.EnableAdYears();
    const double probesMs = medianMs(21, [] {}, [&] {
        form.EnableAdYears();
        countAds([&](int n) { return probeOf(fake.files.first(g.LocalRoot, adFile(55, g.MakeCode, n))); });
    });
    g.MediaRoot = mediaRoot;
    g.LocalRoot = localRoot;

    // 4. Resident memory over 200 steps.
    form.cmdYear[kYearButton]->click();
    settle();
    fake.pictures.loaded.clear();
    fake.pictures.prefetched.clear();
    const double before = residentMb();
    for (int i = 0; i < 200; ++i) {
        form.ShowNextAd();
        form.Image1->repaint();
        QCoreApplication::processEvents();
        fake.pictures.loaded.clear();
        fake.pictures.prefetched.clear();
        fake.files.log.clear();
    }
    settle();
    const double after = residentMb();

    const std::vector<Row> rows = {
        {"hand-over: main window loaded and shown", handOverMs, 0, "ms", 0},
        {"full decode with QImageReader (baseline)", decodeMs, 0, "ms", 0},
        {"ShowYear, another year read ahead", showYearMs, 0, "ms", 20.0},
        {"stretched picture against full decode, PSNR", quality, 0, "dB", 38.0, true},
        {"ShowNextAd to a neighbour decoded ahead", stepMs, 0, "ms", 16.0},
        {"ShowNextAd right after another step", rapidStepMs, decodeMs, "ms", 0.6},
        {"ShowNextAd, the fourth step in a row", fourthStepMs, decodeMs, "ms", 0.6},
        {"EnableAdYears + count, 24000 files", probesMs, 0, "ms", 2.0},
        {"resident memory with a year on show", residentWithYear, 0, "MB", 200.0},
        {"resident memory zoomed in, neighbours ahead", residentZoomed, 0, "MB", 0},
        {"resident memory growth over 200 steps", after - before, 0, "MB", 100.0},
    };
    bool allHold = fake.boxes.calls.isEmpty();
    std::printf("\n%-44s %10s %10s %8s %8s  %s\n", "figure", "value", "baseline", "ratio", "target", "holds");
    for (const Row& r : rows) {
        const bool ratio = r.baseline > 0;
        const double measured = ratio ? r.value / r.baseline : r.value;
        const bool holds = r.limit <= 0 || (r.atLeast ? measured >= r.limit : measured <= r.limit);
        allHold = allHold && holds;
        std::printf("%-44s %8.2f%-2s %8.2f%-2s %8s %8s  %s\n", r.figure, r.value, r.unit,
                    ratio ? r.baseline : 0.0, ratio ? "ms" : "  ",
                    ratio ? qPrintable(QString::number(measured, 'f', 2)) : "-",
                    r.limit > 0 ? qPrintable((r.atLeast ? QStringLiteral(">=") : QString())
                                             + QString::number(r.limit, 'f', r.atLeast ? 0 : 2)
                                             + (ratio ? "x" : r.unit))
                                : "-",
                    r.limit > 0 ? (holds ? "yes" : "NO") : "");
    }
    std::printf("resident memory: %.1f MB before the steps, %.1f MB after\n", before, after);
    if (!fake.boxes.calls.isEmpty())
        std::printf("unexpected message boxes: %d\n", int(fake.boxes.calls.size()));
    std::printf("%s\n", allHold ? "All targets hold." : "Some targets do NOT hold.");
    return allHold ? 0 : 1;
}
