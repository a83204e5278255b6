// The sample media: complete, readable by the program, and the same on every run.
#include "TestProgram.h"

#include "MediaGen.h"
#include "platform/OptionButton.h"
#include "platform/ThreeDButton.h"
#include "platform/qt/QtPlatform.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QSet>

namespace {

// Relative path -> SHA-1 of every file below root.
QMap<QString, QByteArray> digests(const QString& root)
{
    QMap<QString, QByteArray> d;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        if (f.open(QIODevice::ReadOnly))
            d.insert(QDir(root).relativeFilePath(path), QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1));
    }
    return d;
}

mediagen::Options small()
{
    mediagen::Options o;
    o.adSize = QSize(120, 156);
    return o;
}

} // namespace

class TestMediaGen : public QObject
{
    Q_OBJECT

private slots:
    void sameBytesOnEveryRun()
    {
        QTemporaryDir a, b;
        QString error;
        mediagen::WriteStats stats;
        QVERIFY2(mediagen::writeSampleMedia(a.path(), small(), &error, &stats), qPrintable(error));
        QVERIFY2(mediagen::writeSampleMedia(b.path(), small(), &error), qPrintable(error));
        const auto first = digests(a.path());
        QCOMPARE(first.size(), stats.files);
        const auto second = digests(b.path());
        QStringList differing;
        for (auto it = first.begin(); it != first.end(); ++it) {
            if (second.value(it.key()) != it.value())
                differing << it.key();
        }
        QCOMPARE(second.size(), first.size());
        QVERIFY2(differing.isEmpty(), qPrintable(differing.join(' ')));
    }

    // What the latency benchmark watches: each ad's block at its centre, in the colour
    // the list beside the folders names, and no two ads of one year alike.
    void centreBlocksAreListedAndShown()
    {
        QString dir;
        mediagen::Options options;
        QString error;
        QVERIFY2(mediagen::parseArguments({"media", "--centre-block", "--ad-size", "200x260"}, &dir, &options, &error),
                 qPrintable(error));
        QVERIFY(options.centreBlock);
        QVERIFY(!mediagen::parseArguments({"media", "--centre-block=yes"}, &dir, &options, &error));
        QTemporaryDir media;
        options.adSize = QSize(200, 260);
        QVERIFY2(mediagen::writeSampleMedia(media.path(), options, &error), qPrintable(error));
        QFile list(media.filePath(mediagen::centreBlockListName()));
        QVERIFY(list.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = list.readAll().trimmed().split('\n');
        QCOMPARE(lines.size(), mediagen::sampleAds().size());
        QtPictureLoader loader;
        for (const QByteArray& line : lines) {
            const QList<QByteArray> fields = line.split(' ');
            QCOMPARE(fields.size(), 2);
            const QImage ad = loader.load(media.filePath(QString::fromUtf8(fields[0])), &error).image();
            QVERIFY2(!ad.isNull(), qPrintable(error));
            const QColor listed(QStringLiteral("#") + QString::fromUtf8(fields[1]));
            const QColor shown = ad.pixelColor(ad.width() / 2, ad.height() / 2);
            QVERIFY2(qAbs(shown.red() - listed.red()) < 24 && qAbs(shown.green() - listed.green()) < 24
                         && qAbs(shown.blue() - listed.blue()) < 24,
                     line.constData());
        }
        QSet<QRgb> year;
        for (int n = 0; n < 20; ++n)
            year.insert(mediagen::centreBlockColour(1965, n).rgb());
        QCOMPARE(year.size(), 20);
        // Without the option, neither block nor list.
        QTemporaryDir plain;
        QVERIFY(mediagen::writeSampleMedia(plain.path(), small(), &error));
        QVERIFY(!QFile::exists(plain.filePath(mediagen::centreBlockListName())));
    }

    void everyPictureReadsAtItsSize()
    {
        QTemporaryDir dir;
        QString error;
        QVERIFY(mediagen::writeSampleMedia(dir.path(), small(), &error));
        QtPictureLoader loader;
        for (const QString& file : mediagen::sampleAdFiles()) {
            const QImage ad = loader.load(dir.filePath(file), &error).image();
            QVERIFY2(!ad.isNull(), qPrintable(file + ": " + error));
            QCOMPARE(ad.size(), QSize(120, 156));
        }
        for (const QString& file : mediagen::companyPictureFiles() + mediagen::emblemFiles())
            QVERIFY2(!loader.load(dir.filePath(file), &error).isNull(), qPrintable(file + ": " + error));
        for (const QString& file : mediagen::richTextFiles()) {
            QFile f(dir.filePath(file));
            QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(file));
            QVERIFY(f.readAll().startsWith("{\\rtf"));
        }
    }

    void theProgramFindsTheCasesInIt()
    {
        TestProgram p;
        QString error;
        QVERIFY(mediagen::writeSampleMedia(p.mediaRoot(), small(), &error));
        Form1* f = p.start();
        QVERIFY(f);
        auto years = [f] {
            QList<int> y;
            for (int i = 0; i < 20; ++i) {
                if (f->cmdYear[i]->isEnabled())
                    y << 1950 + i;
            }
            return y;
        };
        f->Option1[0]->setChecked(true);
        QCOMPARE(years(), (QList<int>{1950, 1955, 1957, 1960, 1965, 1969}));
        f->cmdYear[15]->click();
        QCOMPARE(p.g.AdCount, qint16(20));
        f->Option1[1]->setChecked(true);
        QCOMPARE(years(), (QList<int>{1952, 1956, 1963}));  // 1958 has no 00
        f->cmdYear[2]->click();
        f->ShowNextAd();
        f->ShowNextAd();
        QCOMPARE(p.g.AdNumber, qint16(3));                   // over the gap
        f->Option1[3]->setChecked(true);
        QCOMPARE(years(), (QList<int>{1954, 1961, 1966}));  // mixed letter case
        f->Option1[4]->setChecked(true);
        QVERIFY(years().isEmpty());                          // no ads at all
        QCOMPARE(p.fake.boxes.calls.size(), 0);
    }
};

VANTORRA_TEST_MAIN(TestMediaGen)
#include "tst_mediagen.moc"
