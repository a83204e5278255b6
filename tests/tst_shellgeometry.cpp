// The main window's geometry: the numbers as stored, the size computed from the layout,
// the load steps on different screens, the settings file with garbage in it, and the
// close handler reached by every exit.
#include "TestProgram.h"

#include "mainwindow/ShellRules.h"
#include "platform/ImageControl.h"
#include "platform/ThreeDButton.h"

#include <QAction>
#include <QFile>
#include <QMenuBar>
#include <QWindow>
#include <cmath>

namespace {

const QString kPrefix = QStringLiteral("VantorraAds/Settings/");
const QStringList kKeysInOrder = {"MainLeft", "MainTop", "MainWidth", "MainHeight"};

void store(TestProgram& p, const QString& key, const QString& value)
{
    p.fake.settings.values.insert(kPrefix + key, value);
}

QString stored(TestProgram& p, const QString& key)
{
    return p.fake.settings.values.value(kPrefix + key);
}

// Shows the window and waits until the platform has given it its frame and the load
// step's size has been set again to include it.
void showAndSettle(Form1* f, const QSize& frameSize)
{
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f));
    QTRY_COMPARE(f->frameGeometry().size(), frameSize);
}

} // namespace

class TestShellGeometry : public QObject
{
    Q_OBJECT

private slots:
    // ---- numbers as stored ----

    void singleTextIsShortest_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << 11965.0f << "11965";
        QTest::newRow("zero") << 0.0f << "0";
        QTest::newRow("negative zero") << -0.0f << "0";
        QTest::newRow("negative") << -120.0f << "-120";
        QTest::newRow("one decimal") << 819.2f << "819.2";
        QTest::newRow("half") << 12000.5f << "12000.5";
        QTest::newRow("third") << 1.0f / 3.0f << "0.33333334";
        QTest::newRow("ten million") << 1e7f << "10000000";
        QTest::newRow("huge") << 1e20f << "1e+20";
    }

    void singleTextIsShortest()
    {
        QFETCH(float, value);
        QFETCH(QString, text);
        QCOMPARE(singleText(value), text);
        // What is written reads back as the same value.
        const auto back = ::parseSingle(text);
        QVERIFY(back.has_value());
        QCOMPARE(*back, value == 0.0f ? 0.0f : value);
    }

    void parseSingle_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("isNumber");
        QTest::addColumn<float>("value");
        QTest::newRow("whole") << "11965" << true << 11965.0f;
        QTest::newRow("blanks around") << "  450 " << true << 450.0f;
        QTest::newRow("negative") << "-120" << true << -120.0f;
        QTest::newRow("fraction") << "819.2" << true << 819.2f;
        QTest::newRow("exponent") << "1.5e3" << true << 1500.0f;
        QTest::newRow("empty") << "" << false << 0.0f;
        QTest::newRow("blanks only") << "   " << false << 0.0f;
        QTest::newRow("word") << "abc" << false << 0.0f;
        QTest::newRow("trailing letters") << "12abc" << false << 0.0f;
        QTest::newRow("two numbers") << "1 2" << false << 0.0f;
        QTest::newRow("not a number") << "nan" << false << 0.0f;
        QTest::newRow("infinity") << "inf" << false << 0.0f;
        QTest::newRow("beyond single") << "1e39" << false << 0.0f;
        QTest::newRow("beyond single, negative") << "-1e39" << false << 0.0f;
    }

    void parseSingle()
    {
        QFETCH(QString, text);
        QFETCH(bool, isNumber);
        QFETCH(float, value);
        const auto parsed = ::parseSingle(text);
        QCOMPARE(parsed.has_value(), isNumber);
        if (isNumber)
            QCOMPARE(*parsed, value);
    }

    // ---- the size computed from the layout ----

    void computedSize_data()
    {
        QTest::addColumn<int>("imageLeft");
        QTest::addColumn<int>("imageWidth");
        QTest::addColumn<int>("statusTop");
        QTest::addColumn<int>("statusHeight");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("design layout") << 328 << 443 << 504 << 25 << 11965 << 9235;
        QTest::newRow("nothing") << 0 << 0 << 0 << 0 << 400 << 1300;
        QTest::newRow("wider picture") << 328 << 500 << 504 << 25 << 12820 << 9235;
        QTest::newRow("lower status row") << 328 << 443 << 520 << 30 << 11965 << 9550;
    }

    void computedSize()
    {
        QFETCH(int, imageLeft);
        QFETCH(int, imageWidth);
        QFETCH(int, statusTop);
        QFETCH(int, statusHeight);
        QFETCH(int, width);
        QFETCH(int, height);
        QCOMPARE(computedWidthTwips(imageLeft, imageWidth), width);
        QCOMPARE(computedHeightTwips(statusTop, statusHeight), height);
    }

    void computedSizeReadsTheControlsAtRunTime()
    {
        TestProgram p;
        Form1* f = p.make();
        f->Image1->setGeometry(328, -8, 500, 563);
        f->SizeAndPlaceWindow();
        QCOMPARE(f->Width(), 12820.0);
        QCOMPARE(f->Height(), 9235.0);
    }

    // ---- where a window may be placed ----

    void placeOnScreens_data()
    {
        QTest::addColumn<QRect>("frame");
        QTest::addColumn<QVector<QRect>>("screens");
        QTest::addColumn<QPoint>("place");
        const QVector<QRect> one{QRect(0, 0, 1024, 768)};
        const QVector<QRect> two{QRect(0, 0, 1024, 768), QRect(1024, 0, 1280, 1024)};
        const QRect fallback(0, 0, 1024, 740);
        QTest::newRow("on the screen") << QRect(100, 50, 798, 616) << one << QPoint(100, 50);
        QTest::newRow("partly off to the left") << QRect(-700, 50, 798, 616) << one << QPoint(-700, 50);
        QTest::newRow("one pixel on") << QRect(1023, 767, 798, 616) << one << QPoint(1023, 767);
        QTest::newRow("right of the screen") << QRect(1024, 0, 798, 616) << one << fallback.topLeft();
        QTest::newRow("far below") << QRect(0, 20000, 798, 616) << one << fallback.topLeft();
        QTest::newRow("left of the screen") << QRect(-1000, 0, 800, 600) << one << fallback.topLeft();
        QTest::newRow("on the second screen") << QRect(1500, 100, 798, 616) << two << QPoint(1500, 100);
        QTest::newRow("beyond the second screen") << QRect(2400, 100, 798, 616) << two << fallback.topLeft();
    }

    void placeOnScreens()
    {
        QFETCH(QRect, frame);
        QFETCH(QVector<QRect>, screens);
        QFETCH(QPoint, place);
        QCOMPARE(::placeOnScreens(frame, screens, QRect(0, 0, 1024, 740)), place);
    }

    void placeOnScreensFallsBackToTheUsableArea()
    {
        const QVector<QRect> screens{QRect(0, 0, 1024, 768)};
        QCOMPARE(::placeOnScreens(QRect(5000, 5000, 10, 10), screens, QRect(0, 28, 1024, 740)), QPoint(0, 28));
    }

    // ---- first start ----

    void firstStartOn800x600CoversTheScreen()
    {
        TestProgram p;
        p.fake.screen.setPixels(800, 600);
        p.writeMedia({"55VaVa00.jpg"});
        Form1* f = p.start();
        QVERIFY(f);
        QCOMPARE(f->Width(), 12000.0);
        QCOMPARE(f->Height(), 9000.0);
        QCOMPARE(f->Left(), 0.0);
        QCOMPARE(f->Top(), 0.0);
        QCOMPARE(f->frameGeometry(), QRect(0, 0, 800, 600));
        QVERIFY(f->mnuHideStatus->isVisible());
        QVERIFY(f->menuBar()->actions().contains(f->mnuHideStatus));
        QVERIFY(p.fake.settings.writes.isEmpty());
    }

    void firstStartOn1024x768TakesTheComputedSize()
    {
        TestProgram p;
        p.fake.screen.setPixels(1024, 768);
        p.writeMedia({"55VaVa00.jpg"});
        Form1* f = p.start();
        QVERIFY(f);
        QCOMPARE(f->Width(), 11965.0);
        QCOMPARE(f->Height(), 9235.0);
        QCOMPARE(f->Left(), 0.0);
        QCOMPARE(f->Top(), 0.0);
        QCOMPARE(f->frameGeometry(), QRect(0, 0, 798, 616));
        QVERIFY(!f->mnuHideStatus->isVisible());
    }

    void sizeIncludesTheFrameOnceShown()
    {
        TestProgram p;
        p.fake.screen.setPixels(1024, 768);
        Form1* f = p.make();
        f->SizeAndPlaceWindow();
        showAndSettle(f, QSize(798, 616));
        // The window has a frame now; the client area gave way to it.
        QVERIFY(f->geometry().width() <= 798);
        QCOMPARE(f->Width(), 11965.0);
        QCOMPARE(f->Height(), 9235.0);
        QCOMPARE(f->frameGeometry().topLeft(), QPoint(0, 0));
    }

    // ---- stored values ----

    void storedSizeOnlyOn800x600_data()
    {
        QTest::addColumn<int>("screenWidth");
        QTest::addColumn<int>("screenHeight");
        QTest::addColumn<double>("twipsPerPixel");
        QTest::addColumn<QSize>("frameSize");
        QTest::addColumn<bool>("commandOffered");
        QTest::newRow("800 x 600") << 800 << 600 << 15.0 << QSize(700, 500) << true;
        QTest::newRow("1024 x 768") << 1024 << 768 << 15.0 << QSize(798, 616) << false;
        QTest::newRow("640 x 480") << 640 << 480 << 15.0 << QSize(798, 616) << false;
        QTest::newRow("800 x 600 large fonts") << 800 << 600 << 12.0 << QSize(997, 770) << false;
        QTest::newRow("1000 x 750 large fonts") << 1000 << 750 << 12.0 << QSize(875, 625) << true;
    }

    void storedSizeOnlyOn800x600()
    {
        QFETCH(int, screenWidth);
        QFETCH(int, screenHeight);
        QFETCH(double, twipsPerPixel);
        QFETCH(QSize, frameSize);
        QFETCH(bool, commandOffered);
        TestProgram p;
        p.fake.screen.setPixels(screenWidth, screenHeight, twipsPerPixel);
        store(p, "MainWidth", "10500");
        store(p, "MainHeight", "7500");
        Form1* f = p.make();
        f->SizeAndPlaceWindow();
        QCOMPARE(f->frameGeometry().size(), frameSize);
        QCOMPARE(f->mnuHideStatus->isVisible(), commandOffered);
        if (commandOffered) {
            QCOMPARE(f->Width(), 10500.0);
            QCOMPARE(f->Height(), 7500.0);
        } else {
            QCOMPARE(f->Width(), 11965.0);
            QCOMPARE(f->Height(), 9235.0);
        }
    }

    void positionAlwaysUsed_data()
    {
        QTest::addColumn<int>("screenWidth");
        QTest::addColumn<int>("screenHeight");
        QTest::addColumn<double>("twipsPerPixel");
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("top");
        QTest::addColumn<QPoint>("framePos");
        QTest::newRow("800 x 600") << 800 << 600 << 15.0 << "1500" << "750" << QPoint(100, 50);
        QTest::newRow("1024 x 768") << 1024 << 768 << 15.0 << "1500" << "750" << QPoint(100, 50);
        QTest::newRow("large fonts") << 1024 << 768 << 12.0 << "1500" << "750" << QPoint(125, 63);
        QTest::newRow("partly off to the left") << 1024 << 768 << 15.0 << "-3000" << "0" << QPoint(-200, 0);
        QTest::newRow("fraction") << 1024 << 768 << 15.0 << "1507.5" << "14" << QPoint(101, 1);
    }

    void positionAlwaysUsed()
    {
        QFETCH(int, screenWidth);
        QFETCH(int, screenHeight);
        QFETCH(double, twipsPerPixel);
        QFETCH(QString, left);
        QFETCH(QString, top);
        QFETCH(QPoint, framePos);
        TestProgram p;
        p.fake.screen.setPixels(screenWidth, screenHeight, twipsPerPixel);
        store(p, "MainLeft", left);
        store(p, "MainTop", top);
        Form1* f = p.make();
        f->SizeAndPlaceWindow();
        QCOMPARE(f->frameGeometry().topLeft(), framePos);
        // Reported back as stored, so an unmoved window stores the same values again.
        QCOMPARE(f->Left(), left.toDouble());
        QCOMPARE(f->Top(), top.toDouble());
    }

    void positionOnASecondScreenIsKept()
    {
        TestProgram p;
        p.fake.screen.setPixels(1024, 768);
        p.fake.screen.screens.append(QRect(1024, 0, 1280, 1024));
        store(p, "MainLeft", "22500");   // 1500 pixels
        store(p, "MainTop", "1500");
        Form1* f = p.make();
        f->SizeAndPlaceWindow();
        QCOMPARE(f->frameGeometry().topLeft(), QPoint(1500, 100));
    }

    // ---- garbage in the settings file ----

    void garbageSettings_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("screenWidth");
        QTest::addColumn<QRect>("frame");   // null: anywhere on the screen
        // Rows with a frame of height -1: the design width (678), any height.
        QTest::newRow("words")
            << QByteArray("[Settings]\nMainLeft=abc\nMainTop=\nMainWidth=wide\nMainHeight=@Invalid()\n") << 800
            << QRect(0, 0, 678, -1);
        QTest::newRow("beyond any window")
            << QByteArray("[Settings]\nMainLeft=-1e30\nMainTop=3e38\nMainWidth=1e30\nMainHeight=1e9\n") << 800
            << QRect(0, 0, 678, -1);
        QTest::newRow("negative and zero size")
            << QByteArray("[Settings]\nMainLeft=150\nMainTop=150\nMainWidth=-12000\nMainHeight=0\n") << 800
            << QRect(10, 10, 678, -1);
        QTest::newRow("not finite")
            << QByteArray("[Settings]\nMainLeft=nan\nMainTop=inf\nMainWidth=-inf\nMainHeight=NaN\n") << 800
            << QRect(0, 0, 678, -1);
        QTest::newRow("off to the right")
            << QByteArray("[Settings]\nMainLeft=300000\nMainTop=0\nMainWidth=10500\nMainHeight=7500\n") << 800
            << QRect(0, 0, 700, 500);
        QTest::newRow("above the screen")
            << QByteArray("[Settings]\nMainLeft=1500\nMainTop=-9300\n") << 1024 << QRect(0, 0, 798, 616);
        QTest::newRow("one corner on screen")
            << QByteArray("[Settings]\nMainLeft=-11940\nMainTop=-9210\n") << 1024 << QRect(-796, -614, 798, 616);
        QTest::newRow("lists and quotes")
            << QByteArray("[Settings]\nMainLeft=\"1500\"\nMainTop=1, 2, 3\nMainWidth=@Rect(1 2 3 4)\nMainHeight=\"\"\n")
            << 800 << QRect();
        QByteArray junk("[Settings\n\x01\x02\xff\xfe=\n[Settings]\nMainLeft=");
        junk += QByteArray(100000, '9');
        junk += "\nMainTop=\x00\x00\x00\nMainWidth==\\\\\\\nMainHeight=%%%\n[[[\n";
        junk.append('\0');
        junk += QByteArray(5000, '\xc3');
        QTest::newRow("binary junk") << junk << 800 << QRect();
        QTest::newRow("not even text") << QByteArray(4096, '\0') << 1024 << QRect();
    }

    void garbageSettings()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, screenWidth);
        QFETCH(QRect, frame);
        QTemporaryDir dir;
        const QString path = dir.path() + "/VantorraAds.conf";
        {
            QFile out(path);
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(file);
        }
        QtSettingsStore ini(path);
        TestProgram p;
        p.fake.settings.backing = &ini;
        p.fake.screen.setPixels(screenWidth, screenWidth * 3 / 4);
        p.writeMedia({"55VaVa00.jpg"});
        Form1* f = p.start();
        QVERIFY(f);
        const QRect actual = f->frameGeometry();
        QVERIFY2(actual.intersects(QRect(0, 0, screenWidth, screenWidth * 3 / 4)), qPrintable(QString("%1,%2 %3x%4")
            .arg(actual.x()).arg(actual.y()).arg(actual.width()).arg(actual.height())));
        QVERIFY(actual.width() > 0 && actual.height() > 0);
        if (!frame.isNull()) {
            QCOMPARE(actual.topLeft(), frame.topLeft());
            // The design width is the client's; the shown window adds the frame around it.
            if (frame.height() < 0)
                QCOMPARE(f->width(), frame.width());
            else
                QCOMPARE(actual.width(), frame.width());
            if (frame.height() > 0)
                QCOMPARE(actual.height(), frame.height());
        }
        // The file can still be written at the end.
        f->mnuExit->trigger();
        QVERIFY(p.fake.end.endedOrderly);
        QCOMPARE(p.fake.settings.writes, kKeysInOrder);
        QCOMPARE(ini.getSetting("VantorraAds", "Settings", "MainWidth", "none"), singleText(float(f->Width())));
    }

    // ---- close ----

    void fourExitsAlike_data()
    {
        QTest::addColumn<QString>("way");
        QTest::newRow("title bar") << "title bar";
        QTest::newRow("File, Exit") << "menu";
        QTest::newRow("Exit of the zoomed view") << "SSCommand1";
        QTest::newRow("Exit of the left panel") << "SSCommand2";
    }

    void fourExitsAlike()
    {
        QFETCH(QString, way);
        TestProgram p;
        p.fake.screen.setPixels(800, 600);
        store(p, "MainLeft", "600");
        store(p, "MainTop", "450");
        store(p, "MainWidth", "10500");
        store(p, "MainHeight", "7500");
        p.writeMedia({"55VaVa00.jpg"});
        Form1* f = p.start();
        QVERIFY(f);
        showAndSettle(f, QSize(700, 500));
        f->move(60, 45);   // the user moves it
        QTRY_COMPARE(f->frameGeometry().topLeft(), QPoint(60, 45));

        if (way == "title bar")
            f->windowHandle()->close();
        else if (way == "menu")
            f->mnuExit->trigger();
        else if (way == "SSCommand1")
            f->SSCommand1->click();
        else
            f->SSCommand2->click();

        QVERIFY(p.fake.end.endedOrderly);
        QVERIFY(!p.fake.end.endedAtOnce);
        QVERIFY(!f->isVisible());
        QCOMPARE(p.fake.settings.writes, kKeysInOrder);
        QCOMPARE(stored(p, "MainLeft"), QString("900"));
        QCOMPARE(stored(p, "MainTop"), QString("675"));
        QCOMPARE(stored(p, "MainWidth"), QString("10500"));
        QCOMPARE(stored(p, "MainHeight"), QString("7500"));
    }

    void userSizeIsStoredInTwipsWithTheFrame()
    {
        TestProgram p;
        p.fake.screen.setPixels(800, 600, 12.0);
        Form1* f = p.make();
        f->SizeAndPlaceWindow();
        showAndSettle(f, QSize(997, 770));   // 11965 x 9235 twips at 12 twips per pixel
        f->resize(500, 400);
        QTRY_COMPARE(f->size(), QSize(500, 400));
        const QRect frame = f->frameGeometry();
        f->close();
        QCOMPARE(stored(p, "MainWidth"), singleText(float(frame.width() * 12)));
        QCOMPARE(stored(p, "MainHeight"), singleText(float(frame.height() * 12)));
        QCOMPARE(stored(p, "MainLeft"), singleText(float(frame.x() * 12)));
    }

    void closingMinimisedStoresNothing()
    {
        TestProgram p;
        p.fake.screen.setPixels(800, 600);
        store(p, "MainLeft", "600");
        store(p, "MainWidth", "10500");
        Form1* f = p.make();
        f->SizeAndPlaceWindow();
        f->show();
        QVERIFY(QTest::qWaitForWindowExposed(f));
        f->showMinimized();
        QTRY_VERIFY(f->isMinimized());
        QCOMPARE(f->WindowState(), 1);
        f->close();
        QVERIFY(p.fake.end.endedOrderly);
        QVERIFY(p.fake.settings.writes.isEmpty());
        QCOMPARE(stored(p, "MainLeft"), QString("600"));
        QCOMPARE(stored(p, "MainWidth"), QString("10500"));
    }

    void maximisedStoresItsMaximisedGeometry()
    {
        TestProgram p;
        p.fake.screen.setPixels(1024, 768);
        Form1* f = p.make();
        f->SizeAndPlaceWindow();
        showAndSettle(f, QSize(798, 616));
        const QSize normal = f->frameGeometry().size();
        f->showMaximized();
        QTRY_VERIFY(f->frameGeometry().size() != normal);
        QCOMPARE(f->WindowState(), 2);
        const QRect frame = f->frameGeometry();
        f->close();
        QCOMPARE(p.fake.settings.writes, kKeysInOrder);
        QCOMPARE(stored(p, "MainWidth"), singleText(float(frame.width() * 15)));
        QCOMPARE(stored(p, "MainHeight"), singleText(float(frame.height() * 15)));
    }

    void nextStartUsesWhatTheLastEndStored()
    {
        QTemporaryDir dir;
        QtSettingsStore ini(dir.path() + "/VantorraAds.conf");
        {
            TestProgram p;
            p.fake.settings.backing = &ini;
            p.fake.screen.setPixels(800, 600);
            Form1* f = p.make();
            f->SizeAndPlaceWindow();
            showAndSettle(f, QSize(800, 600));
            f->resize(640, 400);
            f->move(30, 20);
            QTRY_COMPARE(f->frameGeometry().topLeft(), QPoint(30, 20));
            QTRY_COMPARE(f->size(), QSize(640, 400));
            const QSize frameSize = f->frameGeometry().size();
            f->mnuExit->trigger();
            QCOMPARE(ini.getSetting("VantorraAds", "Settings", "MainWidth", ""),
                     singleText(float(frameSize.width() * 15)));
        }
        {
            // Minimised this time: nothing is stored ...
            TestProgram p;
            p.fake.settings.backing = &ini;
            p.fake.screen.setPixels(800, 600);
            Form1* f = p.make();
            f->SizeAndPlaceWindow();
            f->show();
            QVERIFY(QTest::qWaitForWindowExposed(f));
            f->move(300, 200);
            f->showMinimized();
            QTRY_VERIFY(f->isMinimized());
            f->close();
            QVERIFY(p.fake.settings.writes.isEmpty());
        }
        {
            // ... and the next start comes up where the first run ended.
            TestProgram p;
            p.fake.settings.backing = &ini;
            p.fake.screen.setPixels(800, 600);
            Form1* f = p.make();
            f->SizeAndPlaceWindow();
            QCOMPARE(f->frameGeometry().topLeft(), QPoint(30, 20));
            QCOMPARE(f->Left(), 450.0);
            QCOMPARE(f->Top(), 300.0);
            QVERIFY(f->frameGeometry().width() >= 640);
        }
    }
};

VANTORRA_TEST_MAIN(TestShellGeometry)
#include "tst_shellgeometry.moc"
