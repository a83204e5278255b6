// From process start to the main window: the media prompt, the media location, the
// splash window's question and timer, and the hand-over.
#include "TestProgram.h"

#include "platform/ImageControl.h"
#include "platform/MousePointer.h"
#include "platform/OptionButton.h"
#include "platform/PictureBox.h"
#include "platform/ThreeDPanel.h"
#include "startup/Form2.h"
#include "startup/MediaLocation.h"
#include "programwide/MediaPrompt.h"

#include <QDir>
#include <QPointer>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTimer>

namespace {

const QString kTitle = QStringLiteral("Vantorra Ads of the 50's & 60's");
const QString kSecond = QStringLiteral("\r\n\r\nMake sure that Vantorra Ads of the 50's & 60's is in CDROM drive.");
const QString kEr001 = QStringLiteral("Unable to detect Vantorra Ads of the 50's & 60's CD-ROM.") + kSecond;
const QString kEr002 = QStringLiteral("No longer able to detect Vantorra Ads of the 50's & 60's CD-ROM.") + kSecond;

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    // ---- ReportMediaError ----

    void promptTexts_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("text");
        QTest::newRow("ER001") << "ER001" << kEr001;
        QTest::newRow("ER002") << "ER002" << kEr002;
    }

    void promptTexts()
    {
        QFETCH(QString, code);
        QFETCH(QString, text);
        TestProgram p;
        p.g.ErrorCode = code;
        p.fake.boxes.answer(MsgBox::Retry);
        QVERIFY(ReportMediaError(p.g, p.fake.services()));
        QCOMPARE(p.fake.boxes.calls.size(), 1);
        const auto& call = p.fake.boxes.calls.first();
        QCOMPARE(call.text, text);
        QCOMPARE(call.buttons, int(MsgBox::RetryCancel));
        QCOMPARE(call.icon, int(MsgBox::NoIcon));
        QCOMPARE(call.title, kTitle);
        QCOMPARE(p.g.MessageText, text);   // left in the scratch text
        QCOMPARE(p.g.MessageAnswer, QString("4"));
        QCOMPARE(p.g.ErrorCode, code);     // kept for the next prompt
        QVERIFY(!p.fake.end.hasEnded());
    }

    void promptCancelEndsAtOnce()
    {
        TestProgram p;
        p.g.ErrorCode = "ER001";
        p.fake.boxes.answer(MsgBox::Cancel);
        QVERIFY(!ReportMediaError(p.g, p.fake.services()));
        QCOMPARE(p.g.MessageAnswer, QString("2"));
        QVERIFY(p.fake.end.endedAtOnce);
        QVERIFY(!p.fake.end.endedOrderly);
        QVERIFY(p.fake.settings.writes.isEmpty());
    }

    // ---- LocateMedia ----

    void firstCandidateWithAdsWins()
    {
        TestProgram p;
        QTemporaryDir other;
        MediaBuilder(other.path() + "/empty-drive-has-ads-folder").file("ads/readme.txt", "x");
        MediaBuilder(other.path() + "/second").ad("55VaVa00.jpg");
        MediaBuilder(other.path() + "/third").ad("55VaVa00.jpg");
        p.fake.drives.roots = {other.path() + "/no-disc", other.path() + "/empty-drive-has-ads-folder",
                               other.path() + "/second", other.path() + "/third"};
        QVERIFY(LocateMedia(p.g, p.fake.services()));
        QCOMPARE(p.g.MediaRoot, other.path() + "/second");
        QCOMPARE(p.g.LocalRoot, p.g.MediaRoot);   // no local library
        QVERIFY(p.fake.boxes.calls.isEmpty());
    }

    void adsInOtherCaseAccepted()
    {
        TestProgram p;
        p.media().adsFolderName("ADS").ad("55VaVa00.JPG");
        QVERIFY(LocateMedia(p.g, p.fake.services()));
        QCOMPARE(p.g.MediaRoot, p.mediaRoot());
    }

    void localLibrarySetsLocalRoot()
    {
        TestProgram p;
        p.writeMedia({"55VaVa00.jpg"});
        p.library().ad("55VaVa00.jpg");
        QVERIFY(LocateMedia(p.g, p.fake.services()));
        QCOMPARE(p.g.LocalRoot, p.programFolder());
        QCOMPARE(p.g.MediaRoot, p.mediaRoot());
    }

    void localLibraryWithoutJpegIsNoLibrary()
    {
        TestProgram p;
        p.writeMedia({"55VaVa00.jpg"});
        p.library().file("ads/55VaVa00.bmp", "x");
        QVERIFY(LocateMedia(p.g, p.fake.services()));
        QCOMPARE(p.g.LocalRoot, p.mediaRoot());
    }

    void noMediaPromptsAndRetryRunsEverythingAgain()
    {
        TestProgram p;
        p.library().ad("55VaVa00.jpg");   // a local library alone is not enough
        p.fake.boxes.answer(MsgBox::Retry).answer(MsgBox::Retry);
        int prompts = 0;
        p.fake.boxes.onShow = [&](const FakeMessageBoxes::Call&) {
            if (++prompts == 2)
                p.media().ad("55VaVa00.jpg");   // the disc goes in while the second prompt is up
        };
        const QString removed = p.programFolder() + "/ads";
        QVERIFY(LocateMedia(p.g, p.fake.services()));
        QCOMPARE(prompts, 2);
        QCOMPARE(p.fake.drives.passes, 3);
        for (const auto& call : p.fake.boxes.calls)
            QCOMPARE(call.text, kEr002);
        QCOMPARE(p.g.ErrorCode, QString("ER002"));
        QCOMPARE(p.g.MediaRoot, p.mediaRoot());
        QCOMPARE(p.g.LocalRoot, p.programFolder());
        // The local probe ran on every pass.
        QCOMPARE(p.fake.files.log.filter(p.programFolder() + "/ads/*.jpg").size(), 3);
        Q_UNUSED(removed);
    }

    void noMediaCancelEnds()
    {
        TestProgram p;
        p.fake.boxes.answer(MsgBox::Cancel);
        QVERIFY(!LocateMedia(p.g, p.fake.services()));
        QVERIFY(p.fake.end.endedAtOnce);
        QCOMPARE(p.fake.boxes.calls.size(), 1);
        QVERIFY(p.g.MediaRoot.isEmpty());
    }

    // ---- Form2: the splash window ----

    void splashWithoutOtherInstanceAsksNothing()
    {
        TestProgram p;
        p.writeMedia({"55VaVa00.jpg"});
        Form1* made = nullptr;
        QPointer<Form2> splash = new Form2(p.g, p.fake.services(), [&] { return made = p.make(); }, 10);
        QSignalSpy handedOver(splash.data(), &Form2::handedOver);
        splash->Form_Load();
        QVERIFY(splash->isVisible());
        QVERIFY(splash->Timer1->isActive());
        QCOMPARE(splash->Timer1->interval(), 10);
        QCOMPARE(p.fake.pointer.current, int(MousePointer::Hourglass));
        QVERIFY(p.fake.boxes.calls.isEmpty());
        QVERIFY(!made);

        QVERIFY(handedOver.wait(5000));
        QVERIFY(made);
        QTRY_VERIFY(splash.isNull());   // unloaded
        QCOMPARE(p.fake.pointer.history, QVector<int>({11, 0}));
        QVERIFY(made->isVisible());
        QCOMPARE(p.g.ZoomState, QString("1"));
    }

    void secondInstanceQuestionComesBeforeTheTimer()
    {
        TestProgram p;
        p.writeMedia({"55VaVa00.jpg"});
        p.fake.instance.otherRunning = true;
        QPointer<Form2> splash = new Form2(p.g, p.fake.services(), [&] { return p.make(); }, 10);
        bool timerRunningAtQuestion = true;
        bool splashShownAtQuestion = false;
        p.fake.boxes.onShow = [&](const FakeMessageBoxes::Call&) {
            timerRunningAtQuestion = splash->Timer1->isActive();
            splashShownAtQuestion = splash->isVisible();
        };
        p.fake.boxes.answer(MsgBox::Yes);
        QSignalSpy handedOver(splash.data(), &Form2::handedOver);
        splash->Form_Load();
        QCOMPARE(p.fake.boxes.calls.size(), 1);
        const auto& call = p.fake.boxes.calls.first();
        QCOMPARE(call.text, QString("Vantorra Ads is already running!\r\n\r\nAre you sure you want to run another copy?"));
        QCOMPARE(call.buttons, int(MsgBox::YesNo));
        QCOMPARE(call.icon, int(MsgBox::NoIcon));
        QCOMPARE(call.title, QString("VantorraAds"));
        QVERIFY(!timerRunningAtQuestion);
        QVERIFY(splashShownAtQuestion);
        QVERIFY(splash->Timer1->isActive());
        QVERIFY(handedOver.wait(5000));
    }

    void secondInstanceNoEndsBeforeTheMainWindow()
    {
        TestProgram p;
        p.writeMedia({"55VaVa00.jpg"});
        p.fake.instance.otherRunning = true;
        p.fake.boxes.answer(MsgBox::No);
        bool made = false;
        Form2 splash(p.g, p.fake.services(), [&] { made = true; return p.make(); }, 10);
        splash.Form_Load();
        QVERIFY(p.fake.end.endedAtOnce);
        QVERIFY(!splash.Timer1->isActive());
        QVERIFY(!made);
        QVERIFY(p.fake.settings.writes.isEmpty());
    }

    void handOverFillsBothPictureBoxes()
    {
        TestProgram p;
        p.writeMedia({"55VaVa00.jpg"});
        Form1* f = nullptr;
        QPointer<Form2> splash = new Form2(p.g, p.fake.services(), [&] { return f = p.make(); }, 0);
        splash->Form_Load();
        splash->Timer1_Timer();
        QVERIFY(f);
        QVERIFY(MediaBuilder::shows(f->PicSrc->picture(), "VACorp00.bmp"));
        QVERIFY(MediaBuilder::shows(f->picDest->picture(), "VACorp00.bmp"));
        QVERIFY(MediaBuilder::shows(f->Image1->picture(), "VACorp00.bmp"));
        QCOMPARE(f->PicSrc->height(), MediaBuilder::companyPictureSize.height());
        QVERIFY(f->optParent[0]->isChecked());
        QCOMPARE(f->Option1[0]->text(), QString("Vantorra"));
        QVERIFY(f->isVisible());
        QCOMPARE(p.g.MediaRoot, p.mediaRoot());
        // The first picture is shorter than the scroll bar: nothing to scroll.
        QCOMPARE(f->VScr->maximum(), 0);
    }

    void handOverScrollRangeFromATallPicture()
    {
        TestProgram p;
        p.writeMedia({"55VaVa00.jpg"});
        QImage tall(40, 1200, QImage::Format_RGB32);
        tall.fill(Qt::darkGreen);
        QVERIFY(tall.save(p.mediaRoot() + "/Graphics/VACorp00.bmp", "BMP"));
        Form1* f = nullptr;
        QPointer<Form2> splash = new Form2(p.g, p.fake.services(), [&] { return f = p.make(); }, 0);
        splash->Form_Load();
        splash->Timer1_Timer();
        QVERIFY(f);
        QCOMPARE(f->VScr->maximum(), 1200 - (f->PnlCoStar->y() - 36));
    }

    void handOverWithoutMediaPromptsAfterTheSplashHasGone()
    {
        TestProgram p;
        QPointer<Form2> splash = new Form2(p.g, p.fake.services(), [&] { return p.make(); }, 0);
        bool splashHiddenAtPrompt = false;
        bool mainWindowShownAtPrompt = true;
        p.fake.boxes.onShow = [&](const FakeMessageBoxes::Call&) {
            splashHiddenAtPrompt = splash && !splash->isVisible();
            mainWindowShownAtPrompt = p.form && p.form->isVisible();
            p.writeMedia({"55VaVa00.jpg"});
        };
        p.fake.boxes.answer(MsgBox::Retry);
        splash->Form_Load();
        splash->Timer1_Timer();
        QVERIFY(splashHiddenAtPrompt);
        QVERIFY(!mainWindowShownAtPrompt);
        QCOMPARE(p.fake.pointer.current, int(MousePointer::Default));
        QVERIFY(p.form && p.form->isVisible());
        QCOMPARE(p.fake.boxes.calls.first().text, kEr002);
    }

    void handOverCancelEndsWithoutTheMainWindow()
    {
        TestProgram p;
        QPointer<Form2> splash = new Form2(p.g, p.fake.services(), [&] { return p.make(); }, 0);
        p.fake.boxes.answer(MsgBox::Cancel);
        splash->Form_Load();
        splash->Timer1_Timer();
        QVERIFY(p.fake.end.endedAtOnce);
        QVERIFY(p.form);
        QVERIFY(!p.form->isVisible());
        QVERIFY(p.fake.settings.writes.isEmpty());
    }

    void handOverCompanyPictureUnreadableSaysWhyAndEnds()
    {
        TestProgram p;
        p.writeMedia({"55VaVa00.jpg"});
        p.fake.pictures.failingNames = {"VACorp00.bmp"};
        QPointer<Form2> splash = new Form2(p.g, p.fake.services(), [&] { return p.make(); }, 0);
        p.fake.boxes.answer(MsgBox::Ok);
        splash->Form_Load();
        splash->Timer1_Timer();
        QCOMPARE(p.fake.boxes.calls.size(), 1);
        const auto& call = p.fake.boxes.calls.first();
        QVERIFY(call.text.contains("VACorp00.bmp"));
        QVERIFY(call.text.contains("Unsupported image format"));
        QCOMPARE(call.icon, int(MsgBox::Critical));
        QCOMPARE(call.title, kTitle);
        QVERIFY(p.fake.end.endedAtOnce);
        QCOMPARE(p.fake.end.code, 1);
        QVERIFY(!p.form->isVisible());
    }
};

VANTORRA_TEST_MAIN(TestStartup)
#include "tst_startup.moc"
