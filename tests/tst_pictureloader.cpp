// Reading pictures: broken files fail with a reason, and decoding ahead never changes
// what a load answers.
#include "MediaBuilder.h"
#include "platform/qt/PrefetchCache.h"
#include "platform/qt/QtPlatform.h"

#include <QAtomicInt>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QAtomicInt decodes;

QImage countingDecode(const QString& path, QString* error)
{
    decodes.fetchAndAddRelaxed(1);
    return QtPictureLoader::decode(path, error);
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
    void init() { decodes = 0; }

    void brokenPicturesFail_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QImage good(64, 64, QImage::Format_RGB32);
        good.fill(Qt::red);
        QTemporaryDir dir;
        QVERIFY(good.save(dir.filePath("g.jpg"), "JPEG"));
        QFile f(dir.filePath("g.jpg"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray whole = f.readAll();
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("not a picture") << QByteArray("plain text, not a picture at all");
        QTest::newRow("truncated") << whole.left(whole.size() / 2);
        // 9000 x 9000 at 4 bytes a pixel passes the 256 MiB limit; the reader must refuse it
        // before allocating anything.
        QTest::newRow("too large when decoded") << claiming(whole, 9000, 9000);
    }
    void brokenPicturesFail()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        MediaBuilder(dir.path()).file("ads/55VaSo00.jpg", bytes);
        QtPictureLoader loader;
        QString error;
        const QImage image = loader.load(dir.filePath("ads/55VaSo00.jpg"), &error);
        QVERIFY(image.isNull());
        QVERIFY(!error.isEmpty());
    }

    void aPrefetchedPictureIsNotDecodedAgain()
    {
        QTemporaryDir dir;
        MediaBuilder media(dir.path());
        media.ad("55VaSo01.jpg").ad("55VaSo02.jpg");
        PrefetchCache cache(&countingDecode);
        cache.prefetch({media.adPath("55VaSo01.jpg"), media.adPath("55VaSo02.jpg")});
        cache.waitForIdle();
        QCOMPARE(int(decodes), 2);
        QString error;
        QVERIFY(MediaBuilder::shows(cache.take(media.adPath("55VaSo02.jpg"), &error), "55VaSo02.jpg"));
        QVERIFY(MediaBuilder::shows(cache.take(media.adPath("55VaSo01.jpg"), &error), "55VaSo01.jpg"));
        QCOMPARE(int(decodes), 2);
        // Asking again for what is held starts nothing new.
        cache.prefetch({media.adPath("55VaSo01.jpg")});
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
        cache.prefetch({media.adPath("55VaSo01.jpg")});
        cache.waitForIdle();
        // Another picture under the same name, of another size.
        QFile::remove(media.adPath("55VaSo01.jpg"));
        QImage other(50, 70, QImage::Format_RGB32);
        other.fill(MediaBuilder::colourFor("55VaSo09.jpg"));
        QVERIFY(other.save(media.adPath("55VaSo01.jpg"), "JPEG"));
        QString error;
        const QImage image = cache.take(media.adPath("55VaSo01.jpg"), &error);
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
        cache.prefetch({media.adPath("55VaSo01.jpg")});
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
        cache.prefetch({media.adPath("55VaSo01.jpg")});
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
            cache.prefetch({paths[n - 1], paths[n + 1]});
            QVERIFY(cache.held() <= 2);
        }
        cache.waitForIdle();
        QCOMPARE(cache.held(), 2);
        // A request for nothing drops everything; loads still work.
        cache.prefetch({});
        QCOMPARE(cache.held(), 0);
        QString error;
        QVERIFY(MediaBuilder::shows(cache.take(paths[5], &error), "55VaSo05.jpg"));
    }

    void takeWaitsForADecodingUnderWay()
    {
        QTemporaryDir dir;
        MediaBuilder media(dir.path());
        media.ad("55VaSo01.jpg", {1200, 1600});
        PrefetchCache cache(&countingDecode);
        cache.prefetch({media.adPath("55VaSo01.jpg")});
        QString error;
        // Whether the decoding has finished or not, the answer is the picture, decoded once.
        QVERIFY(MediaBuilder::shows(cache.take(media.adPath("55VaSo01.jpg"), &error), "55VaSo01.jpg"));
        QCOMPARE(int(decodes), 1);
    }
};

QTEST_GUILESS_MAIN(TestPictureLoader)
#include "tst_pictureloader.moc"
