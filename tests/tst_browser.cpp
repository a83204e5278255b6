// Choosing a make and a year, stepping through a year's ads, the two views and scrolling,
// on media written into temporary folders.
#include "PdfPage.h"
#include "PictureFiles.h"
#include "TestProgram.h"

#include "platform/ImageControl.h"
#include "platform/MousePointer.h"
#include "platform/OptionButton.h"
#include "platform/PictureBox.h"
#include "platform/SpinButton.h"
#include "platform/ThreeDButton.h"
#include "platform/ThreeDPanel.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <functional>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>

namespace {

const QColor kRed(255, 0, 0);
const QString kEr001Start = QStringLiteral("Unable to detect");
const QString kEr002Start = QStringLiteral("No longer able to detect");

// The year buttons that are enabled, as two-digit years.
QList<int> enabledYears(Form1* f)
{
    QList<int> years;
    for (int i = 0; i < 20; ++i) {
        if (f->cmdYear[i]->isEnabled())
            years << 50 + i;
    }
    return years;
}

QList<int> redYears(Form1* f)
{
    QList<int> years;
    for (int i = 0; i < 20; ++i) {
        if (f->cmdYear[i]->foreColor() == kRed)
            years << 50 + i;
    }
    return years;
}

// "VaSo" ads of 1955 with these numbers.
QStringList solenne55(const QList<int>& numbers)
{
    QStringList files;
    for (int n : numbers)
        files << QStringLiteral("55VaSo%1.jpg").arg(n, 2, 10, QChar('0'));
    return files;
}

// Starts on the media and chooses the parent's make.
Form1* chooseMake(TestProgram& p, int make, int parent = 0)
{
    Form1* f = p.start();
    if (!f)
        return nullptr;
    if (parent != 0)
        f->optParent[parent]->setChecked(true);
    f->Option1[make]->setChecked(true);
    return f;
}

// Starts, chooses Solenne and shows 1955.
Form1* showSolenne55(TestProgram& p, const QList<int>& numbers)
{
    p.writeMedia(solenne55(numbers));
    Form1* f = chooseMake(p, 1);
    if (f)
        f->cmdYear[5]->click();
    return f;
}

// Starts, chooses Solenne and shows 1955, whose one ad is 8 pixels wide and `height` tall.
Form1* showTallSolenne55(TestProgram& p, int height)
{
    p.writeMedia({"50VaVa00.jpg"});
    p.media().ad("55VaSo00.jpg", {8, height});
    Form1* f = chooseMake(p, 1);
    if (f)
        f->cmdYear[5]->click();
    return f;
}

// The media prompt as the real one behaves: a modal window over the program, with an event
// loop of its own while it is up. The user reads it until `stacked` prompts are on screen
// (or `readMs` have passed), puts the media back and answers from the script.
void promptLikeTheRealBox(TestProgram& p, int stacked, int readMs)
{
    p.fake.boxes.onShow = [&p, stacked, readMs](const FakeMessageBoxes::Call&) {
        QWidget box;
        box.setWindowModality(Qt::ApplicationModal);
        box.resize(200, 100);
        box.show();
        const bool stackedUp = QTest::qWaitFor([&p, stacked] { return p.fake.boxes.calls.size() >= stacked; }, readMs);
        Q_UNUSED(stackedUp);  // the user answers either way
        p.fake.files.failingPaths.clear();
    };
}

} // namespace

class TestBrowser : public QObject
{
    Q_OBJECT

private slots:
    // ---- make selection and year availability ----

    void yearsWhoseFirstAdExists()
    {
        TestProgram p;
        // 1956 in other letter case; 1957 without its first ad; 1969 with a gap.
        p.writeMedia({"55VaSo00.jpg", "56vaso00.JPG", "57VaSo01.jpg", "69VaSo00.jpg", "69VaSo02.jpg",
                      "60VaTa00.jpg"});
        Form1* f = chooseMake(p, 1);
        QVERIFY(f);
        QCOMPARE(p.g.SelectedMake, QString("Solenne"));
        QCOMPARE(p.g.MakeCode, QString("VaSo"));
        QCOMPARE(enabledYears(f), (QList<int>{55, 56, 69}));
        QVERIFY(redYears(f).isEmpty());
        QVERIFY(!f->cmdZoom->isEnabled());
        QVERIFY(f->Text1->isHidden());
        QVERIFY(f->SpinButton1->isHidden());
        QCOMPARE(f->panParent->caption(), QString("  Solenne"));
        QVERIFY(MediaBuilder::shows(f->Image1->picture(), "EmbVaSo.bmp"));
        QCOMPARE(f->Option1[1]->foreColor(), kRed);
        QCOMPARE(p.fake.boxes.calls.size(), 0);
    }

    void failingProbeEnablesItsYear()
    {
        TestProgram p;
        p.writeMedia({"55VaSo00.jpg"});
        p.fake.files.failingPaths = {"/ads/61VaSo00.jpg"};
        Form1* f = chooseMake(p, 1);
        QVERIFY(f);
        QCOMPARE(enabledYears(f), (QList<int>{55, 61}));
    }

    void makeWithoutAdsHasNoYears()
    {
        TestProgram p;
        p.writeMedia({"55VaSo00.jpg"});
        Form1* f = chooseMake(p, 4);
        QVERIFY(f);
        QCOMPARE(p.g.MakeCode, QString("VaRo"));
        QVERIFY(enabledYears(f).isEmpty());
    }

    void onlyTheChosenMakeIsRed()
    {
        TestProgram p;
        p.writeMedia({"50VaVa00.jpg"});
        Form1* f = chooseMake(p, 5, 1);
        QVERIFY(f);
        QCOMPARE(p.g.MakeCode, QString("HaAl"));
        f->Option1[2]->setChecked(true);
        for (int i = 0; i < 6; ++i)
            QCOMPARE(f->Option1[i]->foreColor(), i == 2 ? kRed : QColor(0, 0, 0xC0));
        QCOMPARE(p.g.MakeCode, QString("HaWe"));
    }

    void makeWithSlashAndItsEmblem()
    {
        TestProgram p;
        p.writeMedia({"50OtIs00.jpg"});
        Form1* f = chooseMake(p, 0, 3);
        QVERIFY(f);
        QCOMPARE(f->panParent->caption(), QString("  Isel/Ranvik"));
        QCOMPARE(p.g.MakeCode, QString("OtIs"));
        QVERIFY(MediaBuilder::shows(f->Image1->picture(), "EmbOtIs.bmp"));
        QCOMPARE(enabledYears(f), QList<int>{50});
    }

    void missingEmblemKeepsThePreviousPicture()
    {
        TestProgram p;
        p.writeMedia({"55VaSo00.jpg"});
        QVERIFY(QFile::remove(p.mediaRoot() + "/Graphics/EmbVaSo.bmp"));
        Form1* f = chooseMake(p, 1);
        QVERIFY(f);
        QVERIFY(MediaBuilder::shows(f->Image1->picture(), "VACorp00.bmp"));
        QCOMPARE(p.fake.boxes.calls.size(), 0);
    }

    // ---- year selection ----

    void showYear_data()
    {
        QTest::addColumn<QList<int>>("numbers");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("stepper");
        QTest::newRow("one ad") << QList<int>{0} << 1 << false;
        QTest::newRow("00 to 03") << QList<int>{0, 1, 2, 3} << 4 << true;
        QTest::newRow("gap without 01") << QList<int>{0, 2} << 3 << false;
        QTest::newRow("twenty") << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19}
                                << 20 << true;
    }
    void showYear()
    {
        QFETCH(QList<int>, numbers);
        QFETCH(int, count);
        QFETCH(bool, stepper);
        TestProgram p;
        Form1* f = showSolenne55(p, numbers);
        QVERIFY(f);
        QCOMPARE(p.fake.boxes.calls.size(), 0);
        QCOMPARE(p.g.AdCount, qint16(count));
        QCOMPARE(p.g.AdNumber, qint16(0));
        QCOMPARE(p.g.AdYear, qint16(55));
        QCOMPARE(p.g.ParentPrefix, QString("Va"));
        QCOMPARE(p.g.MakePrefix, QString("So"));
        QCOMPARE(p.g.ErrorCode, QString("ER002"));
        QCOMPARE(f->Text1->text(), QString("1 of %1").arg(count));
        QCOMPARE(!f->Text1->isHidden(), stepper);
        QCOMPARE(!f->SpinButton1->isHidden(), stepper);
        QCOMPARE(redYears(f), QList<int>{55});
        QVERIFY(f->cmdZoom->isEnabled());
        QCOMPARE(f->panParent->caption(), QString("  Vantorra     1955  Solenne"));
        QVERIFY(MediaBuilder::shows(f->Image1->picture(), "55VaSo00.jpg"));
        QVERIFY(MediaBuilder::shows(f->picDest->picture(), "55VaSo00.jpg"));
        QCOMPARE(f->PicSrc->height(), 60);
        QCOMPARE(p.fake.pointer.current, int(MousePointer::Default));
    }

    // A count that cannot be shown prompts with the reason set last and starts again.
    void refusedCount_data()
    {
        QTest::addColumn<QList<int>>("numbers");
        QTest::addColumn<QString>("failing");
        QTest::newRow("number 20") << QList<int>{0, 1, 20} << QString();
        QTest::newRow("nothing") << QList<int>{} << QString();
        QTest::newRow("first listing fails") << QList<int>{0, 1} << QString("/ads/55VaSo20.jpg");
    }
    void refusedCount()
    {
        QFETCH(QList<int>, numbers);
        QFETCH(QString, failing);
        TestProgram p;
        p.writeMedia(solenne55(numbers) << "56VaSo00.jpg");
        Form1* f = chooseMake(p, 1);
        QVERIFY(f);
        if (!failing.isEmpty())
            p.fake.files.failingPaths = {failing};
        p.fake.boxes.answer(MsgBox::Retry).answer(MsgBox::Cancel);
        f->ShowYear(5);
        QCOMPARE(p.fake.boxes.calls.size(), 2);  // Retry ran it all again
        QVERIFY(p.fake.boxes.calls[0].text.startsWith(kEr001Start));
        QVERIFY(p.fake.end.endedAtOnce);
        QCOMPARE(p.fake.pointer.current, int(MousePointer::Hourglass));
    }

    void afterAYearThePromptSaysNoLonger()
    {
        TestProgram p;
        p.writeMedia({"55VaSo00.jpg", "56VaSo00.jpg", "56VaSo20.jpg"});
        Form1* f = chooseMake(p, 1);
        QVERIFY(f);
        f->cmdYear[5]->click();
        p.fake.boxes.answer(MsgBox::Cancel);
        f->cmdYear[6]->click();
        QCOMPARE(p.fake.boxes.calls.size(), 1);
        QVERIFY(p.fake.boxes.calls[0].text.startsWith(kEr002Start));
    }

    // A first ad whose file lists and reads but does not decode looped on the media prompt
    // ("No longer able to detect ... CD-ROM") although the media is there: Retry cannot
    // mend the file, so the only way out was ending the program.
    void damagedFirstAdLoopedOnTheMediaPrompt_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("cut off") << QByteArray("\xFF\xD8\xFF\xE0 not the rest", 16);
        QTest::newRow("not a picture") << QByteArray("plain text, not a picture");
        QTest::newRow("empty") << QByteArray();
    }
    void damagedFirstAdLoopedOnTheMediaPrompt()
    {
        QFETCH(QByteArray, bytes);
        TestProgram p;
        p.writeMedia({"55VaSo01.jpg", "56VaSo00.jpg", "56VaSo01.jpg"});
        p.media().file("ads/55VaSo00.jpg", bytes);
        Form1* f = chooseMake(p, 1);
        QVERIFY(f);
        f->cmdYear[6]->click();
        f->ShowNextAd();
        QVERIFY(MediaBuilder::shows(f->Image1->picture(), "56VaSo01.jpg"));

        f->cmdYear[5]->click();
        QCOMPARE(p.fake.boxes.calls.size(), 1);
        const FakeMessageBoxes::Call call = p.fake.boxes.calls[0];
        QVERIFY2(call.text.contains("55VaSo00.jpg"), qPrintable(call.text));
        QVERIFY2(!call.text.section(": ", -1).trimmed().isEmpty(), qPrintable(call.text));   // the reason
        QVERIFY(!call.text.contains("CD-ROM"));
        QCOMPARE(call.buttons, int(MsgBox::OkOnly));
        QCOMPARE(call.icon, int(MsgBox::Exclamation));
        QCOMPARE(call.title, QString("Vantorra Ads of the 50's & 60's"));
        QVERIFY(!p.fake.end.hasEnded());
        QCOMPARE(p.fake.pointer.current, int(MousePointer::Default));

        // The ad on show, its counter and its year stay, and stepping goes on from there.
        QVERIFY(MediaBuilder::shows(f->Image1->picture(), "56VaSo01.jpg"));
        QVERIFY(MediaBuilder::shows(f->picDest->picture(), "56VaSo01.jpg"));
        QCOMPARE(f->Text1->text(), QString("2 of 2"));
        QVERIFY(!f->Text1->isHidden());
        QVERIFY(!f->SpinButton1->isHidden());
        QCOMPARE(redYears(f), QList<int>{56});
        QCOMPARE(f->panParent->caption(), QString("  Vantorra     1956  Solenne"));
        f->ShowNextAd();
        QVERIFY(MediaBuilder::shows(f->Image1->picture(), "56VaSo00.jpg"));
        QCOMPARE(f->Text1->text(), QString("1 of 2"));
        QCOMPARE(p.fake.boxes.calls.size(), 1);
    }

    void firstAdOnAMediaThatIsGonePromptsForTheMedia()
    {
        TestProgram p;
        p.writeMedia({"55VaSo00.jpg", "55VaSo01.jpg"});
        Form1* f = chooseMake(p, 1);
        QVERIFY(f);
        // The count still lists; the first ad's listing fails as an unreadable drive does.
        p.fake.files.failingPaths = {"/ads/55VaSo00.jpg"};
        p.fake.boxes.onShow = [&p](const FakeMessageBoxes::Call&) { p.fake.files.failingPaths.clear(); };
        p.fake.boxes.answer(MsgBox::Retry);
        f->cmdYear[5]->click();
        QCOMPARE(p.fake.boxes.calls.size(), 1);
        QVERIFY(p.fake.boxes.calls[0].text.startsWith(kEr002Start));
        QCOMPARE(p.fake.boxes.calls[0].buttons, int(MsgBox::RetryCancel));
        QVERIFY(MediaBuilder::shows(f->Image1->picture(), "55VaSo00.jpg"));
        QCOMPARE(f->Text1->text(), QString("1 of 2"));
    }

    void localLibraryCountsAndShowsTheYear()
    {
        TestProgram p;
        p.writeMedia({"50VaVa00.jpg", "55VaSo00.jpg"});
        p.library().ad("55VaSo00.jpg").ad("55VaSo01.jpg").ad("55VaSo02.jpg");
        p.markLibraryComplete();
        Form1* f = chooseMake(p, 1);
        QVERIFY(f);
        QCOMPARE(p.g.LocalRoot, p.programFolder());
        f->cmdYear[5]->click();
        QCOMPARE(p.g.AdCount, qint16(3));
        QVERIFY(!f->SpinButton1->isHidden());
        QCOMPARE(p.fake.pictures.loaded.last(), p.programFolder() + "/ads/55VaSo00.jpg");

        // Stepping reads the media, which is gone now.
        p.fake.files.failingPaths = {"/Graphics/*.*"};
        p.fake.boxes.answer(MsgBox::Cancel);
        f->SpinButton1->spinUp();
        QCOMPARE(p.fake.boxes.calls.size(), 1);
        QVERIFY(p.fake.boxes.calls[0].text.startsWith(kEr001Start));
        QCOMPARE(p.g.ErrorCode, QString("ER001"));
        QVERIFY(p.fake.end.endedAtOnce);
    }

    // What is decoded ahead: once a make is chosen the first ad of each of its years; with
    // a year on show the ads a step shows next first, then the years nearest to it; in the
    // zoomed view the whole pictures a step there shows.
    void theNextAdsAreAskedForAhead()
    {
        TestProgram p;
        p.writeMedia({"52VaSo00.jpg", "55VaSo00.jpg", "55VaSo01.jpg", "55VaSo02.jpg", "56VaSo00.jpg", "63VaSo00.jpg",
                      "55VaVa00.jpg"});
        const QString ads = p.mediaRoot() + "/ads/";
        Form1* f = chooseMake(p, 1);
        QVERIFY(f);
        QVERIFY(!p.fake.pictures.prefetched.isEmpty());
        ReadAhead r = p.fake.pictures.prefetched.last();
        QCOMPARE(r.views, (QStringList{ads + "52VaSo00.jpg", ads + "55VaSo00.jpg", ads + "56VaSo00.jpg",
                                       ads + "63VaSo00.jpg"}));
        QVERIFY(r.wholes.isEmpty() && r.laterWholes.isEmpty());
        QCOMPARE(r.viewSize, f->Image1->deviceSize());

        f->cmdYear[5]->click();
        r = p.fake.pictures.prefetched.last();
        QCOMPARE(r.views, (QStringList{ads + "55VaSo01.jpg", ads + "55VaSo02.jpg", ads + "55VaSo00.jpg",
                                       ads + "56VaSo00.jpg", ads + "52VaSo00.jpg", ads + "63VaSo00.jpg"}));
        QCOMPARE(r.laterWholes, QStringList{ads + "55VaSo00.jpg"});
        QVERIFY(r.wholes.isEmpty());

        f->SpinButton1->spinUp();
        r = p.fake.pictures.prefetched.last();
        QCOMPARE(r.views.mid(0, 2), (QStringList{ads + "55VaSo02.jpg", ads + "55VaSo00.jpg"}));
        QCOMPARE(r.laterWholes, QStringList{ads + "55VaSo01.jpg"});

        f->cmdZoom->click();
        r = p.fake.pictures.prefetched.last();
        QCOMPARE(r.wholes, (QStringList{ads + "55VaSo02.jpg", ads + "55VaSo00.jpg"}));
        QCOMPARE(r.views.first(), ads + "55VaSo01.jpg");
        QVERIFY(r.laterWholes.isEmpty());

        // Another make: only its years; another parent: nothing.
        f->cmdZoomOut->click();
        f->Option1[0]->setChecked(true);
        QCOMPARE(p.fake.pictures.prefetched.last().views, QStringList{ads + "55VaVa00.jpg"});
        f->optParent[1]->setChecked(true);
        QVERIFY(p.fake.pictures.prefetched.last().isEmpty());
    }

    // Presses that come faster than the ads are decoded: each press still shows the next
    // ad in turn, the counter never skips one, and the last press's ad is the one on show.
    void quickStepsShowEveryAdInTurn()
    {
        TestProgram p;
        p.fake.pictures.decodeAhead = true;
        Form1* f = showSolenne55(p, {0, 1, 2, 3, 4, 5, 6, 7});
        QVERIFY(f);
        QStringList counters;
        QStringList wrong;
        connect(f->Text1, &QLineEdit::textChanged, f, [&](const QString& text) {
            counters << text;
            const QString name = QStringLiteral("55VaSo%1.jpg").arg(counters.size(), 2, 10, QChar('0'));
            if (!MediaBuilder::shows(f->Image1->picture(), name))
                wrong << name;
        });
        f->cmdYear[5]->setFocus();
        // Five presses waiting in the queue at once, as a quick hand leaves them.
        for (int i = 0; i < 5; ++i) {
            QCoreApplication::postEvent(f->cmdYear[5], new QKeyEvent(QEvent::KeyPress, Qt::Key_Period, Qt::NoModifier, "."));
            QCoreApplication::postEvent(f->cmdYear[5], new QKeyEvent(QEvent::KeyRelease, Qt::Key_Period, Qt::NoModifier, "."));
        }
        QTRY_COMPARE(counters.size(), 5);
        QCOMPARE(counters, (QStringList{"2 of 8", "3 of 8", "4 of 8", "5 of 8", "6 of 8"}));
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(' ')));
        QVERIFY(MediaBuilder::shows(f->Image1->picture(), "55VaSo05.jpg"));
        QCOMPARE(p.g.AdNumber, qint16(5));
    }

    // ---- stepping ----

    // steps: "+" forward, "-" backward; shown: the numbers on show after each step.
    void stepping_data()
    {
        QTest::addColumn<QList<int>>("numbers");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QList<int>>("shown");
        QTest::addColumn<QStringList>("counters");
        QTest::addColumn<int>("adNumber");
        QTest::newRow("forward and wrap") << QList<int>{0, 1, 2} << "+++" << QList<int>{1, 2, 0}
                                          << QStringList{"2 of 3", "3 of 3", "1 of 3"} << 0;
        QTest::newRow("backward wraps to the last") << QList<int>{0, 1, 2} << "-" << QList<int>{2}
                                                    << QStringList{"3 of 3"} << 2;
        QTest::newRow("backward from the last") << QList<int>{0, 1, 2} << "--" << QList<int>{2, 1}
                                                << QStringList{"3 of 3", "2 of 3"} << 1;
        QTest::newRow("backward down to 0 and round") << QList<int>{0, 1, 2} << "----" << QList<int>{2, 1, 0, 2}
                                                      << QStringList{"3 of 3", "2 of 3", "1 of 3", "3 of 3"} << 2;
        QTest::newRow("over a gap") << QList<int>{0, 1, 3} << "++" << QList<int>{1, 3}
                                    << QStringList{"2 of 4", "4 of 4"} << 3;
        QTest::newRow("single forward stops") << QList<int>{0} << "+" << QList<int>{0}
                                              << QStringList{"1 of 1"} << 31;
        QTest::newRow("single forward twice") << QList<int>{0} << "++" << QList<int>{0, 0}
                                              << QStringList{"1 of 1", "1 of 1"} << 31;
        QTest::newRow("single backward stops") << QList<int>{0} << "-" << QList<int>{0}
                                               << QStringList{"1 of 1"} << 0;
    }
    void stepping()
    {
        QFETCH(QList<int>, numbers);
        QFETCH(QString, steps);
        QFETCH(QList<int>, shown);
        QFETCH(QStringList, counters);
        QFETCH(int, adNumber);
        TestProgram p;
        Form1* f = showSolenne55(p, numbers);
        QVERIFY(f);
        for (int i = 0; i < steps.size(); ++i) {
            if (steps[i] == '+')
                f->ShowNextAd();
            else
                f->ShowPreviousAd();
            const QString name = QStringLiteral("55VaSo%1.jpg").arg(shown[i], 2, 10, QChar('0'));
            QVERIFY2(MediaBuilder::shows(f->Image1->picture(), name), qPrintable(name));
            QVERIFY(MediaBuilder::shows(f->PicSrc->picture(), name));
            QCOMPARE(f->Text1->text(), counters[i]);
            QCOMPARE(p.fake.pointer.current, int(MousePointer::Default));
        }
        QCOMPARE(p.g.AdNumber, qint16(adNumber));
        QCOMPARE(p.fake.boxes.calls.size(), 0);
        QCOMPARE(p.g.ErrorCode, QString("ER001"));
    }

    void aStepShowsInBothViewsAndScrollsToTheTop()
    {
        TestProgram p;
        p.writeMedia({"50VaVa00.jpg"});
        p.media().ad("55VaSo00.jpg", {40, 900}).ad("55VaSo01.jpg", {40, 700});
        Form1* f = chooseMake(p, 1);
        QVERIFY(f);
        f->cmdYear[5]->click();
        f->cmdZoom->click();
        f->VScr->setValue(100);
        f->SpinButton2->spinUp();
        QVERIFY(MediaBuilder::shows(f->picDest->picture(), "55VaSo01.jpg"));
        QCOMPARE(f->Text1->text(), QString("2 of 2"));
        QCOMPARE(f->Text3->text(), QString("2 of 2"));
        QCOMPARE(f->VScr->value(), 0);
        QCOMPARE(f->VScr->maximum(), 700 - (f->PnlCoStar->y() - 36));
        QCOMPARE(p.g.ZoomState, QString("2"));
    }

    void brokenAdIsSkipped()
    {
        TestProgram p;
        p.writeMedia(solenne55({0, 1, 3}));
        p.media().file("ads/55VaSo02.jpg", QByteArray("not a picture"));
        p.fake.pictures.failingNames = {"55VaSo01.jpg"};
        Form1* f = chooseMake(p, 1);
        QVERIFY(f);
        f->cmdYear[5]->click();
        f->ShowNextAd();
        QVERIFY(MediaBuilder::shows(f->Image1->picture(), "55VaSo03.jpg"));
        QCOMPARE(f->Text1->text(), QString("4 of 4"));
        QCOMPARE(p.fake.boxes.calls.size(), 0);
    }

    // ---- keys on a year button ----

    void keys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("counter");
        QTest::newRow("period") << int(Qt::Key_Period) << 0 << "3 of 3";
        QTest::newRow("greater") << int(Qt::Key_Greater) << int(Qt::ShiftModifier) << "3 of 3";
        QTest::newRow("comma") << int(Qt::Key_Comma) << 0 << "1 of 3";
        QTest::newRow("less") << int(Qt::Key_Less) << int(Qt::ShiftModifier) << "1 of 3";
        QTest::newRow("letter shows the year again") << int(Qt::Key_A) << 0 << "1 of 3";
        QTest::newRow("shift alone does nothing") << int(Qt::Key_Shift) << int(Qt::ShiftModifier) << "2 of 3";
        QTest::newRow("control alone does nothing") << int(Qt::Key_Control) << int(Qt::ControlModifier) << "2 of 3";
    }
    void keys()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, counter);
        TestProgram p;
        Form1* f = showSolenne55(p, {0, 1, 2});
        QVERIFY(f);
        f->ShowNextAd();
        QCOMPARE(f->Text1->text(), QString("2 of 3"));
        QTest::keyClick(f->cmdYear[5], Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(f->Text1->text(), counter);
    }

    void keysDoNothingWithASingleAd()
    {
        TestProgram p;
        p.writeMedia({"55VaSo00.jpg", "56VaSo00.jpg", "56VaSo01.jpg"});
        Form1* f = chooseMake(p, 1);
        QVERIFY(f);
        f->cmdYear[5]->click();
        const int loads = p.fake.pictures.loaded.size();
        QTest::keyClick(f->cmdYear[6], Qt::Key_A);
        QTest::keyClick(f->cmdYear[6], Qt::Key_Period);
        QCOMPARE(p.fake.pictures.loaded.size(), loads);
        QCOMPARE(redYears(f), QList<int>{55});
    }

    void letterOnAnotherYearShowsThatYear()
    {
        TestProgram p;
        p.writeMedia({"55VaSo00.jpg", "55VaSo01.jpg", "56VaSo00.jpg"});
        Form1* f = chooseMake(p, 1);
        QVERIFY(f);
        f->cmdYear[5]->click();
        QTest::keyClick(f->cmdYear[6], Qt::Key_X);
        QCOMPARE(redYears(f), QList<int>{56});
        QVERIFY(MediaBuilder::shows(f->Image1->picture(), "56VaSo00.jpg"));
    }


    void lockKeysDoNothingOnAYearButton_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("caps lock") << int(Qt::Key_CapsLock);
        QTest::newRow("num lock") << int(Qt::Key_NumLock);
        QTest::newRow("scroll lock") << int(Qt::Key_ScrollLock);
    }
    void lockKeysDoNothingOnAYearButton()
    {
        QFETCH(int, key);
        TestProgram p;
        Form1* f = showSolenne55(p, {0, 1, 2});
        QVERIFY(f);
        f->ShowNextAd();
        f->cmdYear[5]->setFocus();
        QCOMPARE(f->focusWidget(), f->cmdYear[5]);
        const int loads = p.fake.pictures.loaded.size();
        QTest::keyClick(f->focusWidget(), Qt::Key(key));
        QCOMPARE(f->Text1->text(), QString("2 of 3"));
        QCOMPARE(p.g.AdNumber, qint16(1));
        QCOMPARE(p.fake.pictures.loaded.size(), loads);
    }

    // The comma and period keys step by the character they type, wherever the layout puts it,
    // the decimal key of the keypad included.
    void commaAndPeriodStepOnAnyLayout_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("counter");
        // On 3 of 4: backward shows 2 of 4, forward 4 of 4, showing the year again 1 of 4.
        QTest::newRow("keypad period") << int(Qt::Key_Period) << int(Qt::KeypadModifier) << "." << "4 of 4";
        QTest::newRow("keypad comma (German keypad)") << int(Qt::Key_Comma) << int(Qt::KeypadModifier) << ","
                                                      << "2 of 4";
        QTest::newRow("shifted period (French layout)") << int(Qt::Key_Period) << int(Qt::ShiftModifier) << "."
                                                        << "4 of 4";
        QTest::newRow("shifted comma (Russian layout)") << int(Qt::Key_Comma) << int(Qt::ShiftModifier) << ","
                                                        << "2 of 4";
        QTest::newRow("semicolon (shifted comma, German layout) shows the year again")
            << int(Qt::Key_Semicolon) << int(Qt::ShiftModifier) << ";" << "1 of 4";
    }
    void commaAndPeriodStepOnAnyLayout()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, text);
        QFETCH(QString, counter);
        TestProgram p;
        Form1* f = showSolenne55(p, {0, 1, 2, 3});
        QVERIFY(f);
        f->ShowNextAd();
        f->ShowNextAd();
        QCOMPARE(f->Text1->text(), QString("3 of 4"));
        f->cmdYear[5]->setFocus();
        QCOMPARE(f->focusWidget(), f->cmdYear[5]);
        QTest::sendKeyEvent(QTest::Click, f->focusWidget(), Qt::Key(key), text, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(f->Text1->text(), counter);
    }

    // ---- the make buttons and the keyboard ----

    // Arrow keys move along the shown makes in their order, round at the ends, and choose
    // the make they reach, as a click does.
    void arrowKeysMoveBetweenMakesAndSelect_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("to");
        QTest::newRow("down") << 1 << int(Qt::Key_Down) << 2;
        QTest::newRow("right") << 2 << int(Qt::Key_Right) << 3;
        QTest::newRow("up") << 1 << int(Qt::Key_Up) << 0;
        QTest::newRow("left") << 3 << int(Qt::Key_Left) << 2;
        QTest::newRow("down from the last shown wraps") << 4 << int(Qt::Key_Down) << 0;
        QTest::newRow("up from the first wraps to the last shown") << 0 << int(Qt::Key_Up) << 4;
    }
    void arrowKeysMoveBetweenMakesAndSelect()
    {
        QFETCH(int, from);
        QFETCH(int, key);
        QFETCH(int, to);
        TestProgram p;
        p.writeMedia({"50VaVa00.jpg", "51VaSo00.jpg", "52VaTa00.jpg", "53VaAm00.jpg", "54VaRo00.jpg"});
        Form1* f = chooseMake(p, from);
        QVERIFY(f);
        f->Option1[from]->setFocus();
        QCOMPARE(f->focusWidget(), f->Option1[from]);
        QTest::keyClick(f->focusWidget(), Qt::Key(key));
        QCOMPARE(f->focusWidget(), f->Option1[to]);
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(f->Option1[i]->isChecked(), i == to);
            QCOMPARE(f->Option1[i]->foreColor(), i == to ? kRed : QColor(0, 0, 0xC0));
        }
        QCOMPARE(p.g.SelectedMake, f->Option1[to]->text());
        QCOMPARE(f->panParent->caption(), "  " + f->Option1[to]->text());
        QCOMPARE(enabledYears(f), QList<int>{50 + to});
    }

    void arrowKeysSkipDisabledMakes()
    {
        TestProgram p;
        p.writeMedia({"50HaOr00.jpg"});
        Form1* f = chooseMake(p, 0, 1);
        QVERIFY(f);
        f->Option1[1]->setEnabled(false);
        f->Option1[0]->setFocus();
        QTest::keyClick(f->focusWidget(), Qt::Key_Down);
        QCOMPARE(f->focusWidget(), f->Option1[2]);
        QCOMPARE(p.g.MakeCode, QString("HaWe"));
        QTest::keyClick(f->focusWidget(), Qt::Key_Left);
        QCOMPARE(f->focusWidget(), f->Option1[0]);
        QCOMPARE(p.g.MakeCode, QString("HaOr"));
    }

    // ---- the spin buttons, driven with the mouse ----

    // The press on an arrow runs a step whose media check opens the modal prompt; the
    // release then goes to the prompt, not to the spin button.
    void spinStopsRepeatingWhenPromptOpens_data()
    {
        QTest::addColumn<int>("spin");
        QTest::addColumn<bool>("forward");
        QTest::addColumn<QString>("counter");
        QTest::newRow("SpinButton1 forward") << 1 << true << "2 of 3";
        QTest::newRow("SpinButton1 backward") << 1 << false << "3 of 3";
        QTest::newRow("SpinButton2 forward") << 2 << true << "2 of 3";
        QTest::newRow("SpinButton2 backward") << 2 << false << "3 of 3";
    }
    void spinStopsRepeatingWhenPromptOpens()
    {
        QFETCH(int, spin);
        QFETCH(bool, forward);
        QFETCH(QString, counter);
        TestProgram p;
        Form1* f = showSolenne55(p, {0, 1, 2});
        QVERIFY(f);
        if (spin == 2)
            f->cmdZoom->click();
        SpinButton* s = spin == 1 ? f->SpinButton1 : f->SpinButton2;
        f->show();
        QVERIFY(QTest::qWaitForWindowExposed(f));
        QVERIFY(s->isVisible());

        // The media is gone; the user reads the prompt long enough for a held arrow to
        // repeat twice, puts the media back and answers Retry once.
        p.fake.files.failingPaths = {"/Graphics/*.*"};
        p.fake.boxes.answer(MsgBox::Retry);
        promptLikeTheRealBox(p, 3, 2 * SpinButton::InitialDelayMs);
        const SpinButton::Arrow arrow = forward ? SpinButton::Arrow::Up : SpinButton::Arrow::Down;
        QTest::mousePress(s, Qt::LeftButton, {}, s->arrowRect(arrow).center());

        QCOMPARE(p.fake.boxes.calls.size(), 1);
        QCOMPARE(p.fake.boxes.unexpected, 0);
        QVERIFY(!p.fake.end.hasEnded());
        QCOMPARE(f->Text1->text(), counter);
        QCOMPARE(s->pressedArrow(), SpinButton::Arrow::None);
        // Nothing steps on its own afterwards.
        QVERIFY(!QTest::qWaitFor([&] { return f->Text1->text() != counter; },
                                 SpinButton::InitialDelayMs + 3 * SpinButton::RepeatIntervalMs));
        QCOMPARE(p.fake.boxes.calls.size(), 1);
        QTest::mouseRelease(s, Qt::LeftButton, {}, s->arrowRect(arrow).center());
    }

    void spinClickStepsOnceWithTheMediaIn()
    {
        TestProgram p;
        Form1* f = showSolenne55(p, {0, 1, 2});
        QVERIFY(f);
        f->show();
        QVERIFY(QTest::qWaitForWindowExposed(f));
        SpinButton* s = f->SpinButton1;
        QTest::mouseClick(s, Qt::LeftButton, {}, s->arrowRect(SpinButton::Arrow::Up).center());
        QCOMPARE(f->Text1->text(), QString("2 of 3"));
        QTest::mouseClick(s, Qt::LeftButton, {}, s->arrowRect(SpinButton::Arrow::Down).center());
        QCOMPARE(f->Text1->text(), QString("1 of 3"));
        QVERIFY(!QTest::qWaitFor([&] { return f->Text1->text() != "1 of 3"; },
                                 SpinButton::InitialDelayMs + 2 * SpinButton::RepeatIntervalMs));
        QCOMPARE(p.fake.boxes.calls.size(), 0);
    }

    // ---- zoom ----

    void zoomInAndOut_data()
    {
        QTest::addColumn<QList<int>>("numbers");
        QTest::newRow("several ads") << QList<int>{0, 1};
        QTest::newRow("one ad") << QList<int>{0};
    }
    void zoomInAndOut()
    {
        QFETCH(QList<int>, numbers);
        const bool stepper = numbers.size() > 1;
        TestProgram p;
        p.writeMedia(solenne55(numbers) << "60VaSo00.jpg");
        Form1* f = chooseMake(p, 1);
        QVERIFY(f);
        f->cmdYear[5]->click();
        if (stepper)
            f->ShowNextAd();
        const QString counter = f->Text1->text();

        f->cmdZoom->click();
        QCOMPARE(p.g.ZoomState, QString("2"));
        QVERIFY(f->Image1->isHidden());
        QVERIFY(!f->picDest->isHidden());
        QVERIFY(!f->VScr->isHidden());
        QVERIFY(f->SSPanel1->isHidden());
        QVERIFY(!f->panParent->isHidden());
        QVERIFY(!f->cmdZoomOut->isHidden());
        QVERIFY(!f->SSCommand1->isHidden());
        QVERIFY(f->Text1->isHidden());
        QVERIFY(f->SpinButton1->isHidden());
        QCOMPARE(!f->Text3->isHidden(), stepper);
        QCOMPARE(!f->SpinButton2->isHidden(), stepper);
        if (stepper)
            QCOMPARE(f->Text3->text(), counter);
        QVERIFY(enabledYears(f).isEmpty());
        QCOMPARE(f->picDest->geometry(), QRect(8, 0, 767, f->PnlCoStar->y() - 36));
        QCOMPARE(f->VScr->height(), f->PnlCoStar->y() - 36);
        QCOMPARE(f->VScr->value(), 0);

        f->cmdZoomOut->click();
        QCOMPARE(p.g.ZoomState, QString("1"));
        QVERIFY(!f->Image1->isHidden());
        QVERIFY(f->picDest->isHidden());
        QVERIFY(f->VScr->isHidden());
        QVERIFY(!f->SSPanel1->isHidden());
        QVERIFY(f->panParent->isHidden());
        QVERIFY(f->cmdZoomOut->isHidden());
        QVERIFY(f->SSCommand1->isHidden());
        QVERIFY(f->Text3->isHidden());
        QVERIFY(f->SpinButton2->isHidden());
        QCOMPARE(!f->Text1->isHidden(), stepper);
        QCOMPARE(!f->SpinButton1->isHidden(), stepper);
        QCOMPARE(f->Text1->text(), counter);
        // The years are back, the year on show still red.
        QCOMPARE(enabledYears(f), (QList<int>{55, 60}));
        QCOMPARE(redYears(f), QList<int>{55});
    }

    void unreadableMediaHidesTheZoomedStepper()
    {
        TestProgram p;
        Form1* f = showSolenne55(p, {0, 1});
        QVERIFY(f);
        p.fake.files.failingPaths = {"/ads/55VaSo01.jpg"};
        f->cmdZoom->click();
        QVERIFY(f->Text3->isHidden());
        QVERIFY(f->SpinButton2->isHidden());
        f->cmdZoomOut->click();
        QVERIFY(f->Text1->isHidden());
        QVERIFY(f->SpinButton1->isHidden());
        QCOMPARE(p.fake.boxes.calls.size(), 0);
    }

    void doubleClicksToggleTheView()
    {
        TestProgram p;
        Form1* f = showSolenne55(p, {0});
        QVERIFY(f);
        QTest::mouseDClick(f->Image1, Qt::LeftButton);
        QCOMPARE(p.g.ZoomState, QString("2"));
        QTest::mouseDClick(f->picDest, Qt::LeftButton);
        QCOMPARE(p.g.ZoomState, QString("1"));
        QCOMPARE(enabledYears(f), QList<int>{55});
    }

    void doubleClickWithZoomDisabledDoesNothing()
    {
        TestProgram p;
        p.writeMedia({"55VaSo00.jpg"});
        Form1* f = chooseMake(p, 1);   // a make without a year: zoom is off
        QVERIFY(f);
        QVERIFY(!f->cmdZoom->isEnabled());
        QTest::mouseDClick(f->Image1, Qt::LeftButton);
        QCOMPARE(p.g.ZoomState, QString("1"));
        QVERIFY(f->picDest->isHidden());
    }

    void zoomButtonWhileZoomedLeavesTheYearsOff()
    {
        TestProgram p;
        Form1* f = showSolenne55(p, {0});
        QVERIFY(f);
        f->cmdZoom->click();
        f->cmdZoom->click();
        QCOMPARE(p.g.ZoomState, QString("1"));
        QVERIFY(!f->Image1->isHidden());
        QVERIFY(enabledYears(f).isEmpty());
    }

    void companyPictureCanBeZoomed()
    {
        TestProgram p;
        p.writeMedia({"50VaVa00.jpg"});
        Form1* f = p.start();
        QVERIFY(f);
        f->cmdZoom->click();
        QVERIFY(MediaBuilder::shows(f->picDest->picture(), "VACorp00.bmp"));
    }

    // ---- scrolling ----

    void scrollRange_data()
    {
        QTest::addColumn<int>("height");
        QTest::newRow("tall") << 1500;
        QTest::newRow("shorter than the viewport") << 100;
        QTest::newRow("taller than the range") << 40000;
    }
    void scrollRange()
    {
        QFETCH(int, height);
        TestProgram p;
        Form1* f = showTallSolenne55(p, height);
        QVERIFY(f);
        const int viewport = f->PnlCoStar->y() - 36;
        const int max = qBound(0, height - viewport, 32767);
        // Already right before the first zoom-in gives the scroll bar the viewport's height.
        QCOMPARE(f->VScr->maximum(), max);
        f->cmdZoom->click();
        QCOMPARE(f->VScr->maximum(), max);
        f->VScr->setValue(max);
        QCOMPARE(f->picDest->y(), -max);
        QCOMPARE(f->picDest->height(), max + viewport);
        f->VScr->setValue(0);
        QCOMPARE(f->picDest->y(), 0);
        QCOMPARE(f->picDest->height(), viewport);
    }

    void zoomingInAgainStartsAtTheTop()
    {
        TestProgram p;
        Form1* f = showTallSolenne55(p, 1500);
        QVERIFY(f);
        f->cmdZoom->click();
        f->VScr->setValue(300);
        f->cmdZoomOut->click();
        f->cmdZoom->click();
        QCOMPARE(f->VScr->value(), 0);
        QCOMPARE(f->picDest->y(), 0);
    }

    void keysAndWheelScroll()
    {
        TestProgram p;
        Form1* f = showTallSolenne55(p, 3000);
        QVERIFY(f);
        f->cmdZoom->click();
        const int viewport = f->PnlCoStar->y() - 36;
        QTest::keyClick(f->picDest, Qt::Key_Down);
        QCOMPARE(f->VScr->value(), 10);
        QTest::keyClick(f->picDest, Qt::Key_PageDown);
        QCOMPARE(f->VScr->value(), 10 + viewport);
        QCOMPARE(f->picDest->y(), -(10 + viewport));
        QTest::keyClick(f->picDest, Qt::Key_End);
        QCOMPARE(f->VScr->value(), 3000 - viewport);
        QTest::keyClick(f->picDest, Qt::Key_Home);
        QCOMPARE(f->VScr->value(), 0);
        QWheelEvent down(QPointF(5, 5), f->picDest->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120),
                         Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(f->picDest, &down);
        QCOMPARE(f->VScr->value(), 30);
        QCOMPARE(f->picDest->y(), -30);
    }
    // ---- panning a wide ad ----

    // The zoomed view showed a scan wider than the viewport only up to its right edge.
    void wideAdWasOutOfReachRightOfTheView()
    {
        TestProgram p;
        p.writeMedia({"50VaVa00.jpg"});
        p.media().ad("55VaSo00.jpg", {2000, 1500}).ad("55VaSo01.jpg", {2000, 1500});
        Form1* f = chooseMake(p, 1);
        QVERIFY(f);
        f->cmdYear[5]->click();
        f->cmdZoom->click();
        const int reach = 2000 - f->picDest->width();
        QCOMPARE(f->picDest->maxPanX(), reach);
        QCOMPARE(f->picDest->cursor().shape(), Qt::OpenHandCursor);

        // Dragging with the left button pans both ways; the scroll bar follows up and down.
        QTest::mousePress(f->picDest, Qt::LeftButton, {}, QPoint(400, 300));
        QCOMPARE(f->picDest->cursor().shape(), Qt::ClosedHandCursor);
        QTest::mouseMove(f->picDest, QPoint(250, 220));
        QCOMPARE(f->picDest->panX(), 150);
        QCOMPARE(f->VScr->value(), 80);
        QCOMPARE(f->picDest->y(), -80);
        QTest::mouseRelease(f->picDest, Qt::LeftButton, {}, QPoint(250, 220));
        QCOMPARE(f->picDest->cursor().shape(), Qt::OpenHandCursor);
        QCOMPARE(p.fake.popups.calls.size(), 0);

        // Keys and Shift with the wheel pan sideways, never past either edge.
        QTest::keyClick(f->picDest, Qt::Key_Right);
        QCOMPARE(f->picDest->panX(), 160);
        QTest::keyClick(f->picDest, Qt::Key_Left);
        QTest::keyClick(f->picDest, Qt::Key_Left);
        QCOMPARE(f->picDest->panX(), 140);
        QWheelEvent right(QPointF(5, 5), f->picDest->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120),
                          Qt::NoButton, Qt::ShiftModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(f->picDest, &right);
        QCOMPARE(f->picDest->panX(), 170);
        QCOMPARE(f->VScr->value(), 80);
        QTest::mousePress(f->picDest, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseMove(f->picDest, QPoint(700, 10));
        QTest::mouseRelease(f->picDest, Qt::LeftButton, {}, QPoint(700, 10));
        QCOMPARE(f->picDest->panX(), 0);
        for (int drag = 0; drag < 2; ++drag) {
            QTest::mousePress(f->picDest, Qt::LeftButton, {}, QPoint(700, 10));
            QTest::mouseMove(f->picDest, QPoint(10, 10));
            QTest::mouseMove(f->picDest, QPoint(0, 10));
            QTest::mouseRelease(f->picDest, Qt::LeftButton, {}, QPoint(0, 10));
        }
        QCOMPARE(f->picDest->panX(), reach);
        // The right edge of the ad is painted at the right edge of the view.
        const QImage shown = f->picDest->grab().toImage();
        QVERIFY(MediaBuilder::shows(shown.copy(shown.width() - 20, 0, 20, 20), "55VaSo00.jpg"));

        // A new ad starts at the left edge again, and so does the next zoom-in.
        f->SpinButton2->spinUp();
        QCOMPARE(f->picDest->panX(), 0);
        f->picDest->setPanX(500);
        f->cmdZoomOut->click();
        f->cmdZoom->click();
        QCOMPARE(f->picDest->panX(), 0);
    }

    void smallAdHasNoHand()
    {
        TestProgram p;
        Form1* f = showSolenne55(p, {0});
        QVERIFY(f);
        f->cmdZoom->click();
        QVERIFY(f->picDest->cursor().shape() != Qt::OpenHandCursor);
        QTest::mousePress(f->picDest, Qt::LeftButton, {}, QPoint(20, 20));
        QTest::mouseMove(f->picDest, QPoint(5, 5));
        QTest::mouseRelease(f->picDest, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(f->picDest->panX(), 0);
        QCOMPARE(f->VScr->value(), 0);
        // The right button still opens the pop-up.
        QTest::mouseClick(f->picDest, Qt::RightButton, {}, QPoint(20, 20));
        QCOMPARE(p.fake.popups.calls.size(), 1);
    }

    // ---- true colours and orientation in every view, in print and on the clipboard ----

    void coloursAndOrientationReachEveryUse()
    {
        TestProgram p;
        p.writeMedia({"50VaVa00.jpg"});
        const QColor green(40, 170, 60);
        p.media().file("ads/55VaSo00.jpg", PictureFiles::adobeRgbJpeg({172, 228}, green));
        // Stored lying on its side, red on the left; EXIF orientation 6 stands it up, red on top.
        QImage lying(228, 172, QImage::Format_RGB32);
        lying.fill(Qt::blue);
        for (int y = 0; y < 172; ++y)
            for (int x = 0; x < 114; ++x)
                lying.setPixel(x, y, qRgb(220, 0, 0));
        p.media().file("ads/55VaSo01.jpg", PictureFiles::withExifOrientation(PictureFiles::jpeg(lying), 6));
        Form1* f = chooseMake(p, 1);
        QVERIFY(f);
        f->show();
        QVERIFY(QTest::qWaitForWindowExposed(f));
        f->cmdYear[5]->click();

        const auto uses = [&](const std::function<bool(const QImage&)>& right) {
            f->Image1->repaint();
            QVERIFY2(right(f->Image1->scaledPixmap().toImage()), "normal view");
            QVERIFY2(right(f->picDest->picture()), "zoomed view");
            f->mnuClip_Click();
            QVERIFY2(right(QGuiApplication::clipboard()->image()), "clipboard");
            QFile::remove(p.fake.printer.pdfFile());
            f->mnuPrint_Click();
            const QImage page = PdfPage::render(p.fake.printer.pdfFile(), 36);
            QVERIFY2(right(page.copy(PdfPage::inkBox(page))), "print");
        };
        uses([&](const QImage& image) {
            return PictureFiles::near(image, {image.width() / 2, image.height() / 2}, green, 8);
        });
        f->ShowNextAd();
        uses([&](const QImage& image) {
            return image.height() > image.width()
                   && PictureFiles::near(image, {image.width() / 2, image.height() / 5}, QColor(220, 0, 0), 16)
                   && PictureFiles::near(image, {image.width() / 2, image.height() * 4 / 5}, Qt::blue, 16);
        });
        QCOMPARE(p.fake.boxes.calls.size(), 2);   // the two "printed" messages
    }
};

VANTORRA_TEST_MAIN(TestBrowser)
#include "tst_browser.moc"
