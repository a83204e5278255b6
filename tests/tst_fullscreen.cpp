// The full-screen command: its two states and what ends the mode. The offscreen screen
// measures 800 x 600 pixels, like the fake screen of these tests.
#include "TestProgram.h"

#include <QAction>
#include <QFile>
#include <QGuiApplication>
#include <QMenuBar>
#include <QResizeEvent>
#include <QScreen>

namespace {

const QString kHide = QStringLiteral("HideStatusBar");
const QString kShow = QStringLiteral("ShowStatusBar");

// A main window on an 800 x 600 screen, on show, with the load step's geometry settled.
Form1* shownOn800x600(TestProgram& p)
{
    p.fake.screen.setPixels(800, 600);
    p.fake.settings.values.insert("VantorraAds/Settings/MainWidth", "9000");
    p.fake.settings.values.insert("VantorraAds/Settings/MainHeight", "6000");
    p.fake.settings.values.insert("VantorraAds/Settings/MainLeft", "750");
    p.fake.settings.values.insert("VantorraAds/Settings/MainTop", "450");
    Form1* f = p.make();
    f->SizeAndPlaceWindow();
    f->show();
    if (!QTest::qWaitForWindowExposed(f))
        return nullptr;
    if (!QTest::qWaitFor([f] { return f->frameGeometry() == QRect(50, 30, 600, 400); }))
        return nullptr;
    return f;
}

// The command, then the wait until the platform has applied what it asked for.
bool enterAndSettle(Form1* f)
{
    f->mnuHideStatus->trigger();
    return QTest::qWaitFor([f] { return !f->ownGeometryChangePending(); });
}

// What Qt delivers when the platform reports a size: the size in the event may be one
// from before, the window's own geometry is the truth.
void reportedResize(Form1* f, const QSize& size)
{
    QResizeEvent e(size, f->size());
    QCoreApplication::sendEvent(f, &e);
}

} // namespace

class TestFullScreen : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::primaryScreen()->geometry(), QRect(0, 0, 800, 600));
    }

    void firstUseCoversTheScreen()
    {
        TestProgram p;
        Form1* f = shownOn800x600(p);
        QVERIFY(f);
        QCOMPARE(p.g.TaskbarWindow, qintptr(0));
        f->mnuHideStatus->trigger();
        QCOMPARE(f->mnuHideStatus->text(), kShow);
        QVERIFY(p.g.TaskbarWindow != 0);
        QVERIFY(f->isFullScreen());
        QTRY_COMPARE(f->frameGeometry(), QRect(0, 0, 800, 600));
        QCOMPARE(f->Width(), 12000.0);
        QCOMPARE(f->Height(), 9000.0);
        QCOMPARE(f->Left(), 0.0);
        QCOMPARE(f->Top(), 0.0);
        // The resizes the platform delivered for all this did not end the mode.
        QTRY_VERIFY(!f->ownGeometryChangePending());
        QCOMPARE(f->mnuHideStatus->text(), kShow);
        QVERIFY(f->isFullScreen());
    }

    void secondUseEndsTheModeAndKeepsTheScreenSize()
    {
        TestProgram p;
        Form1* f = shownOn800x600(p);
        QVERIFY(f);
        QVERIFY(enterAndSettle(f));
        f->mnuHideStatus->trigger();
        QCOMPARE(f->mnuHideStatus->text(), kHide);
        QVERIFY(!f->isFullScreen());
        QVERIFY(p.g.TaskbarWindow != 0);
        QTRY_COMPARE(f->frameGeometry(), QRect(0, 0, 800, 600));
        QCOMPARE(f->Width(), 12000.0);
        QCOMPARE(f->Height(), 9000.0);
        // And it can be entered again.
        QTRY_VERIFY(!f->ownGeometryChangePending());
        QVERIFY(enterAndSettle(f));
        QCOMPARE(f->mnuHideStatus->text(), kShow);
        QVERIFY(f->isFullScreen());
    }

    void resizesOfTheProgramsOwnChangeDoNotEndTheMode()
    {
        TestProgram p;
        Form1* f = shownOn800x600(p);
        QVERIFY(f);
        const QSize before = f->size();
        f->mnuHideStatus->trigger();
        // On X11 and Wayland the platform reports the sizes on the way after the handler.
        reportedResize(f, before);
        reportedResize(f, QSize(800, 600) - (f->frameGeometry().size() - f->size()));
        QCOMPARE(f->mnuHideStatus->text(), kShow);
        QTRY_VERIFY(!f->ownGeometryChangePending());
        QCOMPARE(f->mnuHideStatus->text(), kShow);
        QVERIFY(f->isFullScreen());
        // Once there, a report of the full-screen size again (a desktop refitting the window)
        // is no resize by the user either.
        reportedResize(f, QSize(800, 600));
        reportedResize(f, QSize(640, 480));
        QCOMPARE(f->mnuHideStatus->text(), kShow);
    }

    void userChangesEndTheMode_data()
    {
        QTest::addColumn<QString>("change");
        QTest::newRow("minimise") << "minimise";
        QTest::newRow("maximise") << "maximise";
        QTest::newRow("restore") << "restore";
    }

    void userChangesEndTheMode()
    {
        QFETCH(QString, change);
        TestProgram p;
        Form1* f = shownOn800x600(p);
        QVERIFY(f);
        QVERIFY(enterAndSettle(f));
        QCOMPARE(f->mnuHideStatus->text(), kShow);

        // A full-screen window is not resized by the user; the desktop takes it out of full
        // screen first (the row "restore"). Plain resizes are in showingTheTaskbarAlone...
        if (change == "minimise")
            f->setWindowState(Qt::WindowMinimized | Qt::WindowFullScreen);
        else if (change == "maximise")
            f->setWindowState(Qt::WindowMaximized);
        else
            f->setWindowState(Qt::WindowNoState);

        QCOMPARE(f->mnuHideStatus->text(), kHide);
        QVERIFY(!(f->windowState() & Qt::WindowFullScreen));
        // The taskbar came back without undoing what the user did.
        if (change == "minimise")
            QVERIFY(f->isMinimized());
        if (change == "maximise")
            QVERIFY(f->isMaximized());
    }

    void changesWhileOffChangeNothing()
    {
        TestProgram p;
        Form1* f = shownOn800x600(p);
        QVERIFY(f);
        f->resize(500, 300);
        QTRY_COMPARE(f->size(), QSize(500, 300));
        f->showMinimized();
        QTRY_VERIFY(f->isMinimized());
        QCOMPARE(f->mnuHideStatus->text(), kHide);
        QCOMPARE(p.g.TaskbarWindow, qintptr(0));
    }

    void showingTheTaskbarAloneKeepsTheCaption()
    {
        // As the web links do: the taskbar comes back, the caption still says the mode is on
        // until the next use of the command or the next resize.
        TestProgram p;
        Form1* f = shownOn800x600(p);
        QVERIFY(f);
        QVERIFY(enterAndSettle(f));
        f->ShowTaskbarWindow(p.g.TaskbarWindow, 1);
        QVERIFY(!f->isFullScreen());
        QTRY_VERIFY(!f->ownGeometryChangePending());
        QCOMPARE(f->mnuHideStatus->text(), kShow);
        // A resize the platform reports with an old size, the window unchanged: still on.
        reportedResize(f, QSize(500, 300));
        QCOMPARE(f->mnuHideStatus->text(), kShow);
        // The user resizes the window: the mode ends, the size stays the user's.
        f->resize(500, 300);
        QTRY_COMPARE(f->mnuHideStatus->text(), kHide);
        QTRY_COMPARE(f->size(), QSize(500, 300));
        QVERIFY(!f->isFullScreen());
    }

    void taskbarNeverLookedUpIsLeftAlone()
    {
        TestProgram p;
        Form1* f = shownOn800x600(p);
        QVERIFY(f);
        f->showFullScreen();   // full screen by other means than the command
        QTRY_COMPARE(f->frameGeometry(), QRect(0, 0, 800, 600));
        f->ShowTaskbarWindow(0, 1);
        QVERIFY(f->isFullScreen());
        f->close();
        QVERIFY(p.fake.end.endedOrderly);
        QVERIFY(f->windowState() & Qt::WindowFullScreen);
    }

    void closingWhileOnShowsTheTaskbarAndStoresTheScreen()
    {
        TestProgram p;
        Form1* f = shownOn800x600(p);
        QVERIFY(f);
        QVERIFY(enterAndSettle(f));
        f->mnuExit->trigger();
        QVERIFY(p.fake.end.endedOrderly);
        QVERIFY(!(f->windowState() & Qt::WindowFullScreen));
        QCOMPARE(p.fake.settings.writes, QStringList({"MainLeft", "MainTop", "MainWidth", "MainHeight"}));
        QCOMPARE(p.fake.settings.values.value("VantorraAds/Settings/MainLeft"), QString("0"));
        QCOMPARE(p.fake.settings.values.value("VantorraAds/Settings/MainTop"), QString("0"));
        QCOMPARE(p.fake.settings.values.value("VantorraAds/Settings/MainWidth"), QString("12000"));
        QCOMPARE(p.fake.settings.values.value("VantorraAds/Settings/MainHeight"), QString("9000"));
    }

    void notOfferedOffAn800x600Screen()
    {
        TestProgram p;
        p.fake.screen.setPixels(1024, 768);
        Form1* f = p.make();
        f->SizeAndPlaceWindow();
        f->show();
        QVERIFY(QTest::qWaitForWindowExposed(f));
        QVERIFY(!f->mnuHideStatus->isVisible());
        bool shownInTheBar = false;
        for (QAction* a : f->menuBar()->actions())
            shownInTheBar = shownInTheBar || (a == f->mnuHideStatus && a->isVisible());
        QVERIFY(!shownInTheBar);
        QVERIFY(f->menuBar()->actionGeometry(f->mnuHideStatus).isEmpty());
    }
};

// The offscreen platform's screen is made 800 x 600 pixels at 96 dpi, the screen the
// full-screen command is offered on.
int main(int argc, char** argv)
{
    QTemporaryDir dir;
    const QString config = dir.path() + "/screens.json";
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    file.write(R"({"screens": [{"name": "screen0", "x": 0, "y": 0, "width": 800, "height": 600,)"
               R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    file.close();
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + QFile::encodeName(config));
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_DontUseNativeMenuBar);
    TestFullScreen tc;
    return QTest::qExec(&tc, argc, argv);
}
#include "tst_fullscreen.moc"
