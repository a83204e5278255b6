// Choosing a parent company: the makes it offers, its company picture, and the reset of
// the year buttons and the counter.
#include "TestProgram.h"

#include "platform/ImageControl.h"
#include "platform/OptionButton.h"
#include "platform/PictureBox.h"
#include "platform/SpinButton.h"
#include "platform/ThreeDButton.h"
#include "platform/ThreeDPanel.h"

#include <QFile>
#include <QLineEdit>

class TestParentSelection : public QObject
{
    Q_OBJECT

private slots:
    void parents_data()
    {
        QTest::addColumn<int>("parent");
        QTest::addColumn<QStringList>("visibleMakes");
        QTest::addColumn<bool>("sixthEnabled");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("make");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("panel");
        QTest::newRow("Vantorra") << 0 << QStringList{"Vantorra", "Solenne", "Tarvis", "Ambrel", "Rovane"} << false
                                  << "VACorp00.bmp" << "Vantorra" << "VaVa" << "Vantorra ";
        QTest::newRow("Halvern") << 1
                                 << QStringList{"Orlav", "Halvern", "Wexley", "Nerida", "Garrin", "Aldane"} << true
                                 << "HaCorp00.bmp" << "Orlav" << "HaOr" << "Halvern  ";
        QTest::newRow("KT") << 2 << QStringList{"Ulvard", "Pravik", "Yarlund", "Zandor", "Elvessa", "Tolvar"} << true
                            << "ktCorp00.jpg" << "Ulvard" << "KTUl" << "KT";
        QTest::newRow("Others") << 3 << QStringList{"Isel/Ranvik", "Farrant", "Dunvelt", "Merrow"} << true
                                << "otcorp00.jpg" << "Quillan" << "OtQu" << "Others";
    }
    void parents()
    {
        QFETCH(int, parent);
        QFETCH(QStringList, visibleMakes);
        QFETCH(bool, sixthEnabled);
        QFETCH(QString, picture);
        QFETCH(QString, make);
        QFETCH(QString, code);
        QFETCH(QString, panel);
        TestProgram p;
        p.writeMedia({"55VaSo00.jpg", "55HaHa00.jpg"});
        Form1* f = p.start();
        QVERIFY(f);
        // A year on show before the change, and a make chosen.
        f->Option1[1]->setChecked(true);
        f->cmdYear[5]->click();
        QVERIFY(f->cmdYear[5]->isEnabled());

        // Selecting the parent already selected runs nothing, so come from another one.
        if (parent == 0)
            f->optParent[3]->setChecked(true);
        f->optParent[parent]->setChecked(true);
        QStringList shown;
        for (OptionButton* b : f->Option1) {
            if (!b->isHidden())
                shown << b->text();
            QVERIFY(!b->isChecked());
        }
        QCOMPARE(shown, visibleMakes);
        QCOMPARE(f->Option1[5]->isEnabled(), sixthEnabled);
        QCOMPARE(p.g.SelectedMake, make);
        QCOMPARE(p.g.MakeCode, code);
        QCOMPARE(f->panParent->caption(), panel);
        QVERIFY(MediaBuilder::shows(f->Image1->picture(), picture));
        QVERIFY(MediaBuilder::shows(f->PicSrc->picture(), picture));
        for (ThreeDButton* year : f->cmdYear) {
            QVERIFY(!year->isEnabled());
            QCOMPARE(year->foreColor(), QColor(Qt::black));
        }
        QVERIFY(f->Text1->isHidden());
        QVERIFY(f->SpinButton1->isHidden());
        QCOMPARE(f->Text1->text(), QString("1"));
        QVERIFY(f->cmdZoom->isEnabled());
        QCOMPARE(p.g.ErrorCode, QString("ER001"));
        QCOMPARE(p.fake.boxes.calls.size(), 0);
    }

    void sixthMakeComesBackAfterVantorra()
    {
        TestProgram p;
        p.writeMedia({"55VaSo00.jpg"});
        Form1* f = p.start();
        QVERIFY(f);
        f->optParent[1]->setChecked(true);
        f->optParent[0]->setChecked(true);
        QVERIFY(f->Option1[5]->isHidden());
        QVERIFY(!f->Option1[5]->isEnabled());
        QCOMPARE(f->Option1[5]->text(), QString("Aldane"));  // left as it was
        f->optParent[2]->setChecked(true);
        QVERIFY(!f->Option1[5]->isHidden());
        QVERIFY(f->Option1[5]->isEnabled());
        QCOMPARE(f->Option1[5]->text(), QString("Tolvar"));
    }

    void aRedMakeStaysRedAfterAParentChange()
    {
        TestProgram p;
        p.writeMedia({"55VaSo00.jpg"});
        Form1* f = p.start();
        QVERIFY(f);
        f->Option1[2]->setChecked(true);
        f->optParent[1]->setChecked(true);
        QCOMPARE(f->Option1[2]->foreColor(), QColor(255, 0, 0));
        QCOMPARE(f->Option1[2]->text(), QString("Wexley"));
        QVERIFY(!f->Option1[2]->isChecked());
    }

    void missingMediaPromptsUntilFound()
    {
        TestProgram p;
        p.writeMedia({"55VaSo00.jpg"});
        Form1* f = p.start();
        QVERIFY(f);
        p.fake.files.failingPaths = {"/Graphics/*.*"};
        int shown = 0;
        p.fake.boxes.onShow = [&](const FakeMessageBoxes::Call&) {
            // The media comes back while the third prompt is up.
            if (++shown == 3)
                p.fake.files.failingPaths.clear();
        };
        p.fake.boxes.answer(MsgBox::Retry).answer(MsgBox::Retry).answer(MsgBox::Retry);
        f->optParent[2]->setChecked(true);
        QCOMPARE(p.fake.boxes.calls.size(), 3);
        for (const auto& call : p.fake.boxes.calls)
            QVERIFY(call.text.startsWith("Unable to detect"));
        QCOMPARE(p.g.MakeCode, QString("KTUl"));
        QVERIFY(!p.fake.end.hasEnded());
    }

    void cancelledPromptChangesNothing()
    {
        TestProgram p;
        p.writeMedia({"55VaSo00.jpg"});
        Form1* f = p.start();
        QVERIFY(f);
        f->Option1[1]->setChecked(true);
        QDir(p.mediaRoot() + "/Graphics").removeRecursively();
        p.fake.boxes.answer(MsgBox::Cancel);
        f->optParent[1]->setChecked(true);
        QVERIFY(p.fake.end.endedAtOnce);
        QCOMPARE(p.g.MakeCode, QString("VaSo"));
        QCOMPARE(f->Option1[1]->text(), QString("Solenne"));
    }
};

VANTORRA_TEST_MAIN(TestParentSelection)
#include "tst_parentselection.moc"
