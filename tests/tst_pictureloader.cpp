// Reading pictures: broken files fail with a reason, true colours, EXIF orientation, the
// quick scaled copy, and decoding ahead never changes what a load answers.
#include "MediaBuilder.h"
#include "PictureFiles.h"
#include "platform/qt/PictureDecoding.h"
#include "platform/qt/PrefetchCache.h"
#include "platform/qt/QtPlatform.h"

#include <QAtomicInt>
#include <QBuffer>
#include <QImageWriter>
#include <QColorSpace>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>
#include <QTest>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

QAtomicInt decodes;

QImage countingDecode(const QByteArray& bytes, const QSize& viewSize, QSize* naturalSize, QString* error)
{
    decodes.fetchAndAddRelaxed(1);
    return picturedecoding::decode(bytes, viewSize, naturalSize, error);
}

// A decoder that names what it decodes, in order, and can be held at its start.
std::mutex gateMutex;
std::condition_variable gateChanged;
bool gateOpen = true;
int insideGate = 0;
QHash<QByteArray, QString> namesByBytes;
QStringList decoded;  // "55VaSo01.jpg view" or "55VaSo01.jpg whole", in the order begun

QImage namingDecode(const QByteArray& bytes, const QSize& viewSize, QSize* naturalSize, QString* error)
{
    {
        std::unique_lock<std::mutex> lock(gateMutex);
        decoded << namesByBytes.value(bytes) + (viewSize.isEmpty() ? " whole" : " view");
        ++insideGate;
        gateChanged.notify_all();
        gateChanged.wait(lock, [] { return gateOpen; });
        --insideGate;
    }
    return picturedecoding::decode(bytes, viewSize, naturalSize, error);
}

void setGate(bool open)
{
    std::lock_guard<std::mutex> lock(gateMutex);
    gateOpen = open;
    gateChanged.notify_all();
}

// Waits until a decoding is held at the gate.
bool heldAtGate()
{
    std::unique_lock<std::mutex> lock(gateMutex);
    return gateChanged.wait_for(lock, std::chrono::seconds(20), [] { return insideGate > 0; });
}

QStringList decodedNow()
{
    std::lock_guard<std::mutex> lock(gateMutex);
    return decoded;
}

// Ads under `dir`, known to namingDecode by their bytes; their paths.
QStringList namedAds(MediaBuilder& media, const QStringList& names)
{
    QStringList paths;
    for (const QString& name : names) {
        media.ad(name);
        QFile f(media.adPath(name));
        if (f.open(QIODevice::ReadOnly))
            namesByBytes.insert(f.readAll(), name);
        paths << media.adPath(name);
    }
    return paths;
}

ReadAhead views(const QStringList& paths)
{
    ReadAhead request;
    request.viewSize = QSize(43, 57);
    request.views = paths;
    return request;
}

const QColor kSrgbGreen(40, 170, 60);
// The view size a test asks for: a quarter of the pictures below, and not a plain fraction.
const QSize kView(43, 57);

bool write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// A request for the whole pictures of these paths, now.
ReadAhead wholes(const QStringList& paths)
{
    ReadAhead request;
    request.wholes = paths;
    return request;
}

QPoint middle(const QImage& image)
{
    return QPoint(image.width() / 2, image.height() / 2);
}

// A real JPEG whose frame header is changed to claim width x height.
QByteArray claiming(QByteArray jpeg, int width, int height)
{
    const int sof = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
    if (sof < 0)
        return QByteArray();
    jpeg[sof + 5] = char(height >> 8);
    jpeg[sof + 6] = char(height & 0xFF);
    jpeg[sof + 7] = char(width >> 8);
    jpeg[sof + 8] = char(width & 0xFF);
    return jpeg;
}

} // namespace

class TestPictureLoader : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        decodes = 0;
        setGate(true);
        std::lock_guard<std::mutex> lock(gateMutex);
        decoded.clear();
        namesByBytes.clear();
    }

    void brokenPicturesFail_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("scaled");
        QImage good(64, 64, QImage::Format_RGB32);
        good.fill(Qt::red);
        QTemporaryDir dir;
        QVERIFY(good.save(dir.filePath("g.jpg"), "JPEG"));
        QFile f(dir.filePath("g.jpg"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray whole = f.readAll();
        // Each both whole and for a view: the quick scaled decode refuses the same files.
        for (bool scaled : {false, true}) {
            const char* how = scaled ? ", scaled" : "";
            QTest::addRow("empty%s", how) << QByteArray() << scaled;
            QTest::addRow("not a picture%s", how) << QByteArray("plain text, not a picture at all") << scaled;
            QTest::addRow("truncated%s", how) << whole.left(whole.size() / 2) << scaled;
            QTest::addRow("cut off just before its end%s", how) << whole.left(whole.size() - 2) << scaled;
            // 9000 x 9000 at 4 bytes a pixel passes the 256 MiB limit; the reader must refuse
            // it before allocating anything.
            QTest::addRow("too large when decoded%s", how) << claiming(whole, 9000, 9000) << scaled;
        }
    }
    void brokenPicturesFail()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, scaled);
        QTemporaryDir dir;
        MediaBuilder(dir.path()).file("ads/55VaSo00.jpg", bytes);
        QtPictureLoader loader;
        QString error;
        const Picture picture = loader.load(dir.filePath("ads/55VaSo00.jpg"), &error, scaled ? kView : QSize());
        QVERIFY(picture.isNull());
        QVERIFY(!error.isEmpty());
    }

    // A valid JPEG followed by more than a KiB of other data (a thumbnail, padding, an
    // editor's trailer) was refused as cut off, because only the last KiB was searched
    // for the end-of-image marker.
    void jpegWithLongTrailerWasRefusedAsCutOff_data()
    {
        QTest::addColumn<bool>("scaled");
        QTest::newRow("whole") << false;
        QTest::newRow("scaled for the view") << true;
    }
    void jpegWithLongTrailerWasRefusedAsCutOff()
    {
        QFETCH(bool, scaled);
        QTemporaryDir dir;
        const QString path = dir.filePath("55VaSo00.jpg");
        QVERIFY(write(path, PictureFiles::jpeg({172, 228}, kSrgbGreen) + QByteArray(4096, 'x')));
        QtPictureLoader loader;
        QString error;
        const Picture picture = loader.load(path, &error, scaled ? kView : QSize());
        QVERIFY2(!picture.isNull(), qPrintable(error));
        QCOMPARE(picture.size(), QSize(172, 228));
        QVERIFY(PictureFiles::near(picture.image(), {86, 114}, kSrgbGreen));
    }

    void jpegComplete_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("complete");
        QImage noisy(64, 48, QImage::Format_RGB32);
        for (int y = 0; y < noisy.height(); ++y)
            for (int x = 0; x < noisy.width(); ++x)
                noisy.setPixel(x, y, qRgb((x * 37 + y * 11) & 0xFF, (x * y) & 0xFF, (x * 5 + y * 90) & 0xFF));
        const QByteArray plain = PictureFiles::jpeg(noisy, 90);
        QByteArray progressive;
        {
            QBuffer buffer(&progressive);
            buffer.open(QIODevice::WriteOnly);
            QImageWriter writer(&buffer, "jpeg");
            writer.setProgressiveScanWrite(true);
            QVERIFY(writer.write(noisy));
        }
        QTest::newRow("whole") << plain << true;
        QTest::newRow("trailing data") << plain + QByteArray(5000, '\0') << true;
        QTest::newRow("trailing bytes 0xFF") << plain + QByteArray(3000, char(0xFF)) << true;
        QTest::newRow("with EXIF and profile") << PictureFiles::withIccProfile(
            PictureFiles::withExifOrientation(plain, 6), QColorSpace(QColorSpace::AdobeRgb).iccProfile()) << true;
        QTest::newRow("progressive") << progressive << true;
        QTest::newRow("progressive, last scan cut") << progressive.left(progressive.size() - 40) << false;
        QTest::newRow("cut in the scan data") << plain.left(plain.size() * 2 / 3) << false;
        QTest::newRow("cut before the end marker") << plain.left(plain.size() - 2) << false;
        QTest::newRow("cut in a header segment") << plain.left(30) << false;
        QTest::newRow("only start and end") << QByteArray("\xFF\xD8\xFF\xD9", 4) << false;
        QTest::newRow("not a JPEG") << QByteArray("BM not a jpeg at all") << false;
    }
    void jpegComplete()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, complete);
        QCOMPARE(picturedecoding::jpegComplete(bytes), complete);
    }

    // ---- the view's copy at once, the whole picture after ----

    void aViewLoadGivesTheScaledCopyAndTheWholePicture()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("55VaSo00.jpg");
        QImage halves(172, 228, QImage::Format_RGB32);
        halves.fill(Qt::blue);
        for (int y = 114; y < 228; ++y)
            for (int x = 0; x < 172; ++x)
                halves.setPixel(x, y, qRgb(250, 200, 0));
        QVERIFY(write(path, PictureFiles::jpeg(halves)));
        QtPictureLoader loader;
        QString error;
        const Picture picture = loader.load(path, &error, kView);
        QVERIFY2(!picture.isNull(), qPrintable(error));
        QCOMPARE(picture.size(), QSize(172, 228));
        const QImage copy = picture.scaledCopy(kView);
        QCOMPARE(copy.size(), kView);
        QVERIFY(PictureFiles::near(copy, {21, 10}, Qt::blue, 12));
        QVERIFY(PictureFiles::near(copy, {21, 50}, QColor(250, 200, 0), 12));
        const QImage whole = picture.image();
        QCOMPARE(whole.size(), QSize(172, 228));
        QVERIFY(PictureFiles::near(whole, {80, 50}, Qt::blue, 12));
        QVERIFY(PictureFiles::near(whole, {80, 200}, QColor(250, 200, 0), 12));
        // Another view size has no ready copy.
        QVERIFY(picture.scaledCopy(QSize(40, 40)).isNull());
    }

    void aDecodingNobodyStartedIsDoneByWhoeverNeedsIt()
    {
        QTemporaryDir dir;
        MediaBuilder media(dir.path());
        media.ad("55VaSo01.jpg", {400, 500});
        QString error;
        Picture picture;
        {
            PrefetchCache cache(&countingDecode);
            picture = cache.open(media.adPath("55VaSo01.jpg"), kView, &error);
        }
        // The cache is gone, and with it its workers; the picture still comes.
        QVERIFY(MediaBuilder::shows(picture.image(), "55VaSo01.jpg"));
        QCOMPARE(picture.size(), QSize(400, 500));
    }

    // ---- colours and orientation ----

    // A picture saved with a colour profile is shown, printed and copied in sRGB; one whose
    // profile Qt cannot use shows its numbers as they are.
    void colourProfiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QColor>("shown");
        QTest::addColumn<bool>("scaled");
        const QByteArray adobe = PictureFiles::adobeRgbJpeg({172, 228}, kSrgbGreen);
        const QByteArray broken = PictureFiles::withIccProfile(PictureFiles::jpeg({172, 228}, QColor(101, 168, 71)),
                                                               QByteArray("not a colour profile at all"));
        for (bool scaled : {false, true}) {
            const char* how = scaled ? ", scaled" : "";
            QTest::addRow("Adobe RGB%s", how) << adobe << kSrgbGreen << scaled;
            QTest::addRow("unusable profile%s", how) << broken << QColor(101, 168, 71) << scaled;
        }
    }
    void colourProfiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QColor, shown);
        QFETCH(bool, scaled);
        QTemporaryDir dir;
        const QString path = dir.filePath("55VaSo00.jpg");
        QVERIFY(write(path, bytes));
        QtPictureLoader loader;
        QString error;
        const Picture picture = loader.load(path, &error, scaled ? kView : QSize());
        QVERIFY2(!picture.isNull(), qPrintable(error));
        const QImage whole = picture.image();
        QVERIFY2(PictureFiles::near(whole, middle(whole), shown),
                 qPrintable(QColor(whole.pixel(middle(whole))).name() + " instead of " + shown.name()));
        if (scaled) {
            const QImage copy = picture.scaledCopy(kView);
            QVERIFY2(PictureFiles::near(copy, middle(copy), shown), qPrintable(QColor(copy.pixel(middle(copy))).name()));
        }
    }

    void cmykShowsTheColoursOfItsRgbTwin_data()
    {
        QTest::addColumn<bool>("scaled");
        QTest::newRow("whole") << false;
        QTest::newRow("scaled") << true;
    }
    void cmykShowsTheColoursOfItsRgbTwin()
    {
        QFETCH(bool, scaled);
        QImage twin(172, 228, QImage::Format_RGB32);
        twin.fill(QColor(200, 60, 30));
        for (int y = 114; y < 228; ++y)
            for (int x = 0; x < 172; ++x)
                twin.setPixel(x, y, qRgb(30, 90, 210));
        QTemporaryDir dir;
        QVERIFY(write(dir.filePath("cmyk.jpg"), PictureFiles::adobeCmykJpeg(twin)));
        QVERIFY(write(dir.filePath("rgb.jpg"), PictureFiles::jpeg(twin)));
        QtPictureLoader loader;
        QString error;
        const QSize view = scaled ? kView : QSize();
        const Picture cmyk = loader.load(dir.filePath("cmyk.jpg"), &error, view);
        QVERIFY2(!cmyk.isNull(), qPrintable(error));
        const Picture rgb = loader.load(dir.filePath("rgb.jpg"), &error, view);
        QCOMPARE(cmyk.size(), rgb.size());
        const QImage a = scaled ? cmyk.scaledCopy(kView) : cmyk.image();
        const QImage b = scaled ? rgb.scaledCopy(kView) : rgb.image();
        for (const QPoint at : {QPoint(a.width() / 2, a.height() / 4), QPoint(a.width() / 2, a.height() * 3 / 4)})
            QVERIFY2(PictureFiles::near(a, at, b.pixelColor(at), 8),
                     qPrintable(a.pixelColor(at).name() + " against " + b.pixelColor(at).name()));
    }

    void exifOrientationIsHonoured_data()
    {
        QTest::addColumn<bool>("scaled");
        QTest::newRow("whole") << false;
        QTest::newRow("scaled") << true;
    }
    void exifOrientationIsHonoured()
    {
        QFETCH(bool, scaled);
        // Stored 228 wide and 172 tall, red on the left; orientation 6 turns it a quarter
        // clockwise, so it shows 172 x 228 with red on top.
        QImage stored(228, 172, QImage::Format_RGB32);
        stored.fill(Qt::blue);
        for (int y = 0; y < 172; ++y)
            for (int x = 0; x < 114; ++x)
                stored.setPixel(x, y, qRgb(220, 0, 0));
        QTemporaryDir dir;
        const QString path = dir.filePath("turned.jpg");
        QVERIFY(write(path, PictureFiles::withExifOrientation(PictureFiles::jpeg(stored), 6)));
        QtPictureLoader loader;
        QString error;
        const Picture picture = loader.load(path, &error, scaled ? kView : QSize());
        QVERIFY2(!picture.isNull(), qPrintable(error));
        QCOMPARE(picture.size(), QSize(172, 228));
        const QImage shown = scaled ? picture.scaledCopy(kView) : picture.image();
        QVERIFY(!shown.isNull());
        QVERIFY(PictureFiles::near(shown, {shown.width() / 2, shown.height() / 5}, QColor(220, 0, 0), 12));
        QVERIFY(PictureFiles::near(shown, {shown.width() / 2, shown.height() * 4 / 5}, Qt::blue, 12));
        QCOMPARE(picture.image().size(), QSize(172, 228));
    }

    void aPrefetchedPictureIsNotDecodedAgain()
    {
        QTemporaryDir dir;
        MediaBuilder media(dir.path());
        media.ad("55VaSo01.jpg").ad("55VaSo02.jpg");
        PrefetchCache cache(&countingDecode);
        cache.prefetch(wholes({media.adPath("55VaSo01.jpg"), media.adPath("55VaSo02.jpg")}));
        cache.waitForIdle();
        QCOMPARE(int(decodes), 2);
        QString error;
        QVERIFY(MediaBuilder::shows(cache.take(media.adPath("55VaSo02.jpg"), &error).image(), "55VaSo02.jpg"));
        QVERIFY(MediaBuilder::shows(cache.take(media.adPath("55VaSo01.jpg"), &error).image(), "55VaSo01.jpg"));
        QCOMPARE(int(decodes), 2);
        // Asking again for what is held starts nothing new.
        cache.prefetch(wholes({media.adPath("55VaSo01.jpg")}));
        cache.waitForIdle();
        QCOMPARE(int(decodes), 2);
        QCOMPARE(cache.held(), 1);
    }

    void aChangedFileIsReadAgain()
    {
        QTemporaryDir dir;
        MediaBuilder media(dir.path());
        media.ad("55VaSo01.jpg", {40, 60});
        PrefetchCache cache(&countingDecode);
        cache.prefetch(wholes({media.adPath("55VaSo01.jpg")}));
        cache.waitForIdle();
        // Another picture under the same name, of another size.
        QFile::remove(media.adPath("55VaSo01.jpg"));
        QImage other(50, 70, QImage::Format_RGB32);
        other.fill(MediaBuilder::colourFor("55VaSo09.jpg"));
        QVERIFY(other.save(media.adPath("55VaSo01.jpg"), "JPEG"));
        QString error;
        const QImage image = cache.take(media.adPath("55VaSo01.jpg"), &error).image();
        QCOMPARE(image.size(), QSize(50, 70));
        QVERIFY(MediaBuilder::shows(image, "55VaSo09.jpg"));
        QCOMPARE(int(decodes), 2);
    }

    void aFileGoneSinceFailsAsItWould()
    {
        QTemporaryDir dir;
        MediaBuilder media(dir.path());
        media.ad("55VaSo01.jpg");
        PrefetchCache cache(&countingDecode);
        cache.prefetch(wholes({media.adPath("55VaSo01.jpg")}));
        cache.waitForIdle();
        QVERIFY(QFile::remove(media.adPath("55VaSo01.jpg")));
        QString error;
        QVERIFY(cache.take(media.adPath("55VaSo01.jpg"), &error).isNull());
        QVERIFY(!error.isEmpty());
    }

    void aBrokenFileFailsWithItsReason()
    {
        QTemporaryDir dir;
        MediaBuilder media(dir.path());
        media.file("ads/55VaSo01.jpg", "garbage");
        PrefetchCache cache(&countingDecode);
        cache.prefetch(wholes({media.adPath("55VaSo01.jpg")}));
        cache.waitForIdle();
        QString error;
        QVERIFY(cache.take(media.adPath("55VaSo01.jpg"), &error).isNull());
        QVERIFY(!error.isEmpty());
    }

    void onlyTheLatestRequestIsHeld()
    {
        QTemporaryDir dir;
        MediaBuilder media(dir.path());
        QStringList paths;
        for (int n = 0; n < 6; ++n) {
            const QString name = QStringLiteral("55VaSo%1.jpg").arg(n, 2, 10, QChar('0'));
            media.ad(name);
            paths << media.adPath(name);
        }
        PrefetchCache cache(&countingDecode);
        for (int n = 1; n < 5; ++n) {
            cache.prefetch(wholes({paths[n - 1], paths[n + 1]}));
            QVERIFY(cache.held() <= 2);
        }
        cache.waitForIdle();
        QCOMPARE(cache.held(), 2);
        // A request for nothing drops everything; loads still work.
        cache.prefetch(wholes({}));
        QCOMPARE(cache.held(), 0);
        QString error;
        QVERIFY(MediaBuilder::shows(cache.take(paths[5], &error).image(), "55VaSo05.jpg"));
    }

    void takeWaitsForADecodingUnderWay()
    {
        QTemporaryDir dir;
        MediaBuilder media(dir.path());
        media.ad("55VaSo01.jpg", {1200, 1600});
        PrefetchCache cache(&countingDecode);
        cache.prefetch(wholes({media.adPath("55VaSo01.jpg")}));
        QString error;
        // Whether the decoding has finished or not, the answer is the picture, decoded once.
        QVERIFY(MediaBuilder::shows(cache.take(media.adPath("55VaSo01.jpg"), &error).image(), "55VaSo01.jpg"));
        QCOMPARE(int(decodes), 1);
    }

    // ---- what is decoded ahead, and in which order ----

    // A user stepping on makes the pictures asked for before stale: those not begun are
    // never decoded, and the latest request's come first, in its order.
    void theLatestRequestComesFirstAndStaleOnesAreDropped()
    {
        QTemporaryDir dir;
        MediaBuilder media(dir.path());
        const QStringList ads = namedAds(media, {"55VaSo01.jpg", "55VaSo02.jpg", "55VaSo03.jpg", "55VaSo04.jpg"});
        PrefetchCache cache(&namingDecode, 1);
        setGate(false);
        cache.prefetch(views({ads[0], ads[1]}));
        QVERIFY(heldAtGate());
        // 01 is under way; 02 waits behind it and is not wanted any more.
        cache.prefetch(views({ads[3], ads[2]}));
        setGate(true);
        cache.waitForIdle();
        QCOMPARE(decodedNow(), (QStringList{"55VaSo01.jpg view", "55VaSo04.jpg view", "55VaSo03.jpg view"}));
        QCOMPARE(cache.held(), 2);
    }

    // A step to a picture whose copy a worker has not begun decodes it at once itself:
    // it does not wait for the worker, busy with another picture.
    void aStepDoesNotWaitForTheDecodingOfAnother()
    {
        QTemporaryDir dir;
        MediaBuilder media(dir.path());
        const QStringList ads = namedAds(media, {"55VaSo01.jpg", "55VaSo02.jpg"});
        PrefetchCache cache(&namingDecode, 1);
        setGate(false);
        cache.prefetch(views({ads[0], ads[1]}));
        QVERIFY(heldAtGate());
        // The gate holds the worker on 01; this thread's own decoding of 02 passes it.
        std::thread opener([&] {
            QString error;
            cache.open(ads[1], QSize(43, 57), &error);
        });
        {
            std::unique_lock<std::mutex> lock(gateMutex);
            QVERIFY(gateChanged.wait_for(lock, std::chrono::seconds(20), [] { return insideGate == 2; }));
            gateOpen = true;
            gateChanged.notify_all();
        }
        opener.join();
        cache.waitForIdle();
        // 02 decoded once, by the step, not again by the worker.
        QCOMPARE(decodedNow(), (QStringList{"55VaSo01.jpg view", "55VaSo02.jpg view"}));
    }

    // Read ahead for the view, a picture costs only its small copy; the whole picture is
    // decoded when something needs it, and let go again when only the view is wanted.
    void theWholePictureFollowsOnDemand()
    {
        QTemporaryDir dir;
        MediaBuilder media(dir.path());
        const QStringList ads = namedAds(media, {"55VaSo01.jpg"});
        PrefetchCache cache(&namingDecode);
        cache.prefetch(views(ads));
        cache.waitForIdle();
        QCOMPARE(decodedNow(), QStringList{"55VaSo01.jpg view"});
        QString error;
        Picture picture = cache.open(ads[0], QSize(43, 57), &error);
        QVERIFY2(!picture.isNull(), qPrintable(error));
        QCOMPARE(decodedNow().size(), 1);
        QVERIFY(!picture.isReady());
        QVERIFY(MediaBuilder::shows(picture.image(), "55VaSo01.jpg"));
        QCOMPARE(decodedNow(), (QStringList{"55VaSo01.jpg view", "55VaSo01.jpg whole"}));
        // Nobody holds it any more and the next request wants only its view.
        picture = Picture();
        cache.prefetch(views(ads));
        cache.waitForIdle();
        QCOMPARE(decodedNow().size(), 2);
        QVERIFY(!cache.take(ads[0], &error).isNull());
        QCOMPARE(decodedNow().last(), QString("55VaSo01.jpg whole"));
        QCOMPARE(decodedNow().size(), 3);
    }

    // The whole pictures asked for now come before those wanted once the user pauses, and
    // have a worker of their own beside the views'.
    void wholesInTheirOrder()
    {
        QTemporaryDir dir;
        MediaBuilder media(dir.path());
        const QStringList ads = namedAds(media, {"55VaSo01.jpg", "55VaSo02.jpg", "55VaSo03.jpg"});
        PrefetchCache cache(&namingDecode, 1, 0);
        ReadAhead request;
        request.laterWholes = {ads[0]};
        request.wholes = {ads[2], ads[1]};
        cache.prefetch(request);
        cache.waitForIdle();
        QCOMPARE(decodedNow(), (QStringList{"55VaSo03.jpg whole", "55VaSo02.jpg whole", "55VaSo01.jpg whole"}));
    }
};

QTEST_GUILESS_MAIN(TestPictureLoader)
#include "tst_pictureloader.moc"
