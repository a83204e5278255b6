// The small widgets of our own and the unit conversions they rest on.
#include "TestProgram.h"
#include "WidgetTestUtil.h"

#include "platform/ImageControl.h"
#include "platform/OptionButton.h"
#include "platform/PictureBox.h"
#include "platform/SpinButton.h"
#include "platform/ThreeDButton.h"
#include "platform/ThreeDPanel.h"
#include "platform/Units.h"
#include "platform/WindowsInput.h"

#include <QSignalSpy>
#include <QWidget>

using namespace WidgetTestUtil;

// A picture whose whole is still on its way: its size is known, the whole comes on demand.
class PendingSource : public PictureSource
{
public:
    explicit PendingSource(QImage whole) : m_whole(std::move(whole)) {}
    QSize size() const override { return m_whole.size(); }
    QImage image() const override
    {
        ++fetched;
        return m_whole;
    }
    bool isReady() const override { return fetched > 0; }
    QImage scaledCopy(const QSize&) const override { return QImage(); }
    mutable int fetched = 0;

private:
    QImage m_whole;
};

class TestWidgets : public QObject
{
    Q_OBJECT

private slots:
    void roundsHalfToEven_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("rounded");
        QTest::newRow("0.5") << 0.5 << 0;
        QTest::newRow("1.5") << 1.5 << 2;
        QTest::newRow("2.5") << 2.5 << 2;
        QTest::newRow("-1.5") << -1.5 << -2;
        QTest::newRow("2.6") << 2.6 << 3;
        QTest::newRow("-2.4") << -2.4 << -2;
    }
    void roundsHalfToEven()
    {
        QFETCH(double, value);
        QFETCH(int, rounded);
        QCOMPARE(roundHalfEven(value), rounded);
    }

    void units()
    {
        QCOMPARE(twipsToPixels(15), 1);
        QCOMPARE(twipsToPixels(11775), 785);
        QCOMPARE(vbColor(0x000000FF), QColor(255, 0, 0));
        QCOMPARE(vbColor(0x00C00000), QColor(0, 0, 0xC0));
        QCOMPARE(vbColor(0x80800000), QColor(0, 0, 0x80));  // the top byte is ignored
    }

    void keyCodes_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("code");
        QTest::newRow("comma") << int(Qt::Key_Comma) << 0 << 188;
        QTest::newRow("less with shift") << int(Qt::Key_Less) << int(Qt::ShiftModifier) << 188;
        QTest::newRow("period") << int(Qt::Key_Period) << 0 << 190;
        QTest::newRow("greater with shift") << int(Qt::Key_Greater) << int(Qt::ShiftModifier) << 190;
        QTest::newRow("letter a") << int(Qt::Key_A) << 0 << 65;
        QTest::newRow("shift alone") << int(Qt::Key_Shift) << int(Qt::ShiftModifier) << 16;
        QTest::newRow("exclamation is 1") << int(Qt::Key_Exclam) << int(Qt::ShiftModifier) << 49;
        QTest::newRow("keypad 5") << int(Qt::Key_5) << int(Qt::KeypadModifier) << 101;
        QTest::newRow("F1") << int(Qt::Key_F1) << 0 << 112;
    }
    void keyCodes()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, code);
        QCOMPARE(windowsKeyCode(key, Qt::KeyboardModifiers(modifiers)), code);
    }

    void buttonReportsKeysButLeavesTabToFocus()
    {
        ThreeDButton b;
        QSignalSpy keys(&b, &ThreeDButton::keyDown);
        QSignalSpy clicks(&b, &ThreeDButton::clicked);
        QTest::keyClick(&b, Qt::Key_Less, Qt::ShiftModifier);
        QTest::keyClick(&b, Qt::Key_Tab);
        QTest::keyClick(&b, Qt::Key_Space);
        QList<int> codes;
        for (const auto& k : keys)
            codes << k[0].toInt();
        // The Shift key itself comes first; Tab never.
        QCOMPARE(codes, (QList<int>{16, 188, 32}));
        QCOMPARE(keys[1][1].toInt(), 1);
        QCOMPARE(clicks.size(), 1);  // Space still clicks
    }

    void spinArrows_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("downAt");
        QTest::addColumn<QPoint>("upAt");
        QTest::newRow("wide: left down, right up") << QSize(40, 16) << QPoint(5, 8) << QPoint(35, 8);
        QTest::newRow("tall: bottom down, top up") << QSize(16, 40) << QPoint(8, 35) << QPoint(8, 5);
    }
    void spinArrows()
    {
        QFETCH(QSize, size);
        QFETCH(QPoint, downAt);
        QFETCH(QPoint, upAt);
        SpinButton s;
        s.resize(size);
        QSignalSpy down(&s, &SpinButton::spinDown);
        QSignalSpy up(&s, &SpinButton::spinUp);
        QTest::mouseClick(&s, Qt::LeftButton, {}, downAt);
        QCOMPARE(down.size(), 1);
        QCOMPARE(up.size(), 0);
        QTest::mouseClick(&s, Qt::LeftButton, {}, upAt);
        QCOMPARE(down.size(), 1);
        QCOMPARE(up.size(), 1);
    }

    void heldArrowRepeats()
    {
        SpinButton s;
        s.resize(40, 16);
        QSignalSpy up(&s, &SpinButton::spinUp);
        QTest::mousePress(&s, Qt::LeftButton, {}, QPoint(35, 8));
        QCOMPARE(up.size(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(up.size() >= 3, 3000);
        QTest::mouseRelease(&s, Qt::LeftButton, {}, QPoint(35, 8));
        const int afterRelease = up.size();
        QVERIFY(!up.wait(SpinButton::InitialDelayMs + 2 * SpinButton::RepeatIntervalMs));
        QCOMPARE(up.size(), afterRelease);
    }

    // What the first step does while the arrow is held; the repeat must not outlive it.
    void spinStopsRepeatingWhenItLosesTheMouse_data()
    {
        QTest::addColumn<QString>("what");
        QTest::newRow("a modal window opens") << "modal";
        QTest::newRow("the control is hidden") << "hide";
        QTest::newRow("the control is disabled") << "disable";
        QTest::newRow("its container is disabled") << "disableParent";
    }
    void spinStopsRepeatingWhenItLosesTheMouse()
    {
        QFETCH(QString, what);
        QWidget window;
        window.resize(100, 50);
        auto* s = new SpinButton(&window);
        s->setGeometry(10, 10, 40, 16);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QWidget modal;
        modal.setWindowModality(Qt::ApplicationModal);
        QSignalSpy up(s, &SpinButton::spinUp);
        connect(s, &SpinButton::spinUp, &window, [&] {
            if (up.size() > 1)
                return;
            if (what == "modal")
                modal.show();
            else if (what == "hide")
                s->hide();
            else if (what == "disable")
                s->setEnabled(false);
            else
                window.setEnabled(false);
        });
        QTest::mousePress(s, Qt::LeftButton, {}, QPoint(35, 8));
        QCOMPARE(up.size(), 1);
        QCOMPARE(s->pressedArrow(), SpinButton::Arrow::None);
        QVERIFY(!up.wait(SpinButton::InitialDelayMs + 2 * SpinButton::RepeatIntervalMs));
        QCOMPARE(up.size(), 1);
        // Once the modal window is gone, the lost release changes nothing either.
        modal.hide();
        QVERIFY(!up.wait(SpinButton::InitialDelayMs + 2 * SpinButton::RepeatIntervalMs));
        QCOMPARE(up.size(), 1);
    }

    void optionButtonsAreExclusiveAndSayWhenSelected()
    {
        QWidget frame;
        OptionButton a(QStringLiteral("a"), &frame);
        OptionButton b(QStringLiteral("b"), &frame);
        QSignalSpy selectedA(&a, &OptionButton::selected);
        QSignalSpy selectedB(&b, &OptionButton::selected);
        a.setChecked(true);
        b.setChecked(true);
        QVERIFY(!a.isChecked());
        QVERIFY(b.isChecked());
        QCOMPARE(selectedA.size(), 1);
        QCOMPARE(selectedB.size(), 1);
        // Clearing every button is allowed and selects nothing.
        b.setChecked(false);
        QVERIFY(!a.isChecked() && !b.isChecked());
        QCOMPARE(selectedA.size() + selectedB.size(), 2);
    }

    void panelFloodFillsItsShare()
    {
        ThreeDPanel p;
        p.resize(104, 20);
        p.setFloodColor(QColor(0, 0, 255));
        p.setFloodPercent(50);
        const QImage image = renderWidget(&p);
        const QRect inner = p.innerRect();
        QCOMPARE(p.floodRect().left(), inner.left());
        QVERIFY(qAbs(p.floodRect().width() - inner.width() / 2) <= 1);
        const int filled = countColor(image, inner, QColor(0, 0, 255), 2);
        QVERIFY2(qAbs(filled - inner.width() * inner.height() / 2) <= inner.height() * 2,
                 qPrintable(QString::number(filled)));
        p.setFloodPercent(0);
        QCOMPARE(countColor(renderWidget(&p), inner, QColor(0, 0, 255), 2), 0);
    }

    void imageControlStretchesAndUsesAReadyCopy()
    {
        ImageControl c;
        c.resize(30, 40);
        const QImage picture = twoColorImage(QSize(300, 100), Qt::red, Qt::green);
        c.setPicture(picture);
        const QImage shown = renderWidget(&c);
        QVERIFY(sameColor(pixel(shown, QPoint(3, 20)), Qt::red, 8));
        QVERIFY(sameColor(pixel(shown, QPoint(27, 20)), Qt::green, 8));
        QCOMPARE(c.scaleCount(), 1);

        // A copy of the right size made with the picture is taken as it is, without waiting
        // for the whole picture; one of another size is not.
        QImage ready(c.deviceSize(), QImage::Format_RGB32);
        ready.fill(Qt::blue);
        auto pending = std::make_shared<PendingSource>(picture);
        c.setPicture(Picture(pending, ready));
        c.prepare();
        QCOMPARE(c.scaleCount(), 1);
        QCOMPARE(pending->fetched, 0);
        QVERIFY(sameColor(pixel(renderWidget(&c), QPoint(15, 20)), Qt::blue, 0));
        QImage wrong(QSize(7, 7), QImage::Format_RGB32);
        wrong.fill(Qt::blue);
        c.setPicture(Picture(pending, wrong));
        c.prepare();
        QCOMPARE(c.scaleCount(), 2);
        QVERIFY(pending->fetched > 0);
        QVERIFY(sameColor(pixel(renderWidget(&c), QPoint(3, 20)), Qt::red, 8));
    }

    void imageControlIsSharpOnHighDensityScreens()
    {
        const QImage picture = twoColorImage(QSize(400, 400), Qt::red, Qt::green);
        const QPixmap p = ImageControl::scalePicture(picture, QSize(50, 60), 2.0);
        QCOMPARE(p.size(), QSize(100, 120));
        QCOMPARE(p.devicePixelRatio(), 2.0);
        QCOMPARE(ImageControl::deviceSize(QSize(50, 61), 1.5), QSize(75, 92));
    }

    void pictureBoxSizesItselfAndDrawsUnscaled()
    {
        PictureBox box;
        box.setAutoSize(true);
        box.setBackColor(QColor(128, 128, 128));
        box.setPicture(twoColorImage(QSize(20, 30), Qt::red, Qt::green));
        QCOMPARE(box.size(), QSize(20, 30));
        box.setAutoSize(false);
        box.resize(40, 40);
        const QImage shown = renderWidget(&box);
        QVERIFY(sameColor(pixel(shown, QPoint(2, 2)), Qt::red));
        QVERIFY(sameColor(pixel(shown, QPoint(15, 2)), Qt::green));
        QVERIFY(sameColor(pixel(shown, QPoint(30, 35)), QColor(128, 128, 128)));
    }

    void pictureBoxPansSideways()
    {
        PictureBox box;
        box.resize(40, 40);
        box.setBackColor(QColor(128, 128, 128));
        box.setPicture(twoColorImage(QSize(100, 30), Qt::red, Qt::green));
        QCOMPARE(box.maxPanX(), 60);
        box.setPanX(45);
        QCOMPARE(box.panX(), 45);
        QImage shown = renderWidget(&box);
        QVERIFY(sameColor(pixel(shown, QPoint(2, 2)), Qt::red));      // columns 45 to 49
        QVERIFY(sameColor(pixel(shown, QPoint(8, 2)), Qt::green));    // column 53
        box.setPanX(1000);
        QCOMPARE(box.panX(), 60);
        shown = renderWidget(&box);
        QVERIFY(sameColor(pixel(shown, QPoint(39, 2)), Qt::green));
        QVERIFY(sameColor(pixel(shown, QPoint(20, 35)), QColor(128, 128, 128)));
        box.setPanX(-5);
        QCOMPARE(box.panX(), 0);
        // A wider box needs less panning; a new picture starts at its left edge.
        box.setPanX(60);
        box.resize(80, 40);
        QCOMPARE(box.panX(), 20);
        box.setPicture(twoColorImage(QSize(200, 30), Qt::red, Qt::green));
        QCOMPARE(box.panX(), 0);
    }

    void pictureBoxReportsMouseAndDoubleClicks()
    {
        PictureBox box;
        box.resize(50, 50);
        QSignalSpy up(&box, &PictureBox::mouseUp);
        QSignalSpy dbl(&box, &PictureBox::doubleClicked);
        QTest::mouseClick(&box, Qt::RightButton, Qt::ShiftModifier, QPoint(10, 12));
        QCOMPARE(up.size(), 1);
        QCOMPARE(up[0][0].toInt(), 2);
        QCOMPARE(up[0][1].toInt(), 1);
        QCOMPARE(up[0][2].toDouble(), 10.0);
        QCOMPARE(up[0][3].toDouble(), 12.0);
        QTest::mouseDClick(&box, Qt::LeftButton);
        QCOMPARE(dbl.size(), 1);
    }
};

VANTORRA_TEST_MAIN(TestWidgets)
#include "tst_widgets.moc"
