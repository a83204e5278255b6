// At device pixel ratio 2 the stretched view is scaled to device pixels, so a full-page
// scan stays sharp: company picture, emblem and ad alike.
#include "TestProgram.h"

#include "platform/ImageControl.h"
#include "platform/OptionButton.h"
#include "platform/ThreeDButton.h"

#include <QBuffer>

namespace {

// A picture of one-pixel black and white columns, as PNG bytes (the reader goes by the
// contents, not by the name).
QByteArray stripes(const QSize& size)
{
    QImage picture(size, QImage::Format_RGB32);
    for (int x = 0; x < size.width(); ++x) {
        const QRgb c = x % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
        for (int y = 0; y < size.height(); ++y)
            picture.setPixel(x, y, c);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return bytes;
}

// How many neighbouring device pixels along the middle row differ by more than half the range.
int sharpSteps(const QImage& painted)
{
    int steps = 0;
    const int y = painted.height() / 2;
    for (int x = 1; x < painted.width(); ++x) {
        if (qAbs(qGray(painted.pixel(x, y)) - qGray(painted.pixel(x - 1, y))) > 128)
            ++steps;
    }
    return steps;
}

} // namespace

class TestHiDpi : public QObject
{
    Q_OBJECT

private:
    // The painted copy of Image1 has twice its logical size in device pixels.
    static void paintedAtDevicePixels(Form1* f)
    {
        QVERIFY(f->Image1->isVisible());
        f->Image1->repaint();
        const QPixmap painted = f->Image1->scaledPixmap();
        QCOMPARE(painted.devicePixelRatio(), 2.0);
        QCOMPARE(painted.size(), f->Image1->size() * 2);
    }

private slots:
    void theScreenHasRatioTwo()
    {
        TestProgram p;
        p.writeMedia({"55VaSo00.jpg"});
        Form1* f = p.start();
        QVERIFY(f);
        f->show();
        QVERIFY(QTest::qWaitForWindowExposed(f));
        QCOMPARE(f->devicePixelRatioF(), 2.0);
    }

    void companyPictureAndEmblemAreScaledToDevicePixels()
    {
        TestProgram p;
        p.writeMedia({"55VaSo00.jpg"});
        Form1* f = p.start();
        QVERIFY(f);
        f->show();
        QVERIFY(QTest::qWaitForWindowExposed(f));
        QVERIFY(MediaBuilder::shows(f->Image1->picture(), "VACorp00.bmp"));
        paintedAtDevicePixels(f);
        f->Option1[1]->setChecked(true);
        QVERIFY(MediaBuilder::shows(f->Image1->picture(), "EmbVaSo.bmp"));
        paintedAtDevicePixels(f);
    }

    void anAdKeepsItsFinestDetail()
    {
        TestProgram p;
        p.writeMedia({"50VaVa00.jpg"});
        Form1* f = p.start();
        QVERIFY(f);
        f->show();
        QVERIFY(QTest::qWaitForWindowExposed(f));
        f->Option1[1]->setChecked(true);
        // An ad exactly as large as the view in device pixels: scaled to device pixels it
        // keeps every column; scaled to logical pixels and enlarged, neighbours would merge.
        const QSize device = f->Image1->size() * 2;
        p.media().file("ads/55VaSo00.jpg", stripes(device));
        f->EnableAdYears();
        f->cmdYear[5]->click();
        QCOMPARE(p.fake.boxes.calls.size(), 0);
        QCOMPARE(f->Image1->heldPicture().size(), device);
        paintedAtDevicePixels(f);
        const QImage grabbed = f->Image1->grab().toImage();
        QCOMPARE(grabbed.size(), device);
        QVERIFY2(sharpSteps(grabbed) > device.width() * 9 / 10, qPrintable(QString::number(sharpSteps(grabbed))));
    }
};

int main(int argc, char** argv)
{
    // Before the application exists, as a desktop set to 200 % would give it.
    qputenv("QT_SCALE_FACTOR", "2");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    TestHiDpi tc;
    return QTest::qExec(&tc, argc, argv);
}
#include "tst_hidpi.moc"
