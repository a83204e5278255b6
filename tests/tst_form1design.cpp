// The main window as designed: positions, captions, fonts, colours, tool tips and what is
// shown at load, held against a table written from the design.
#include "DesignCheck.h"
#include "TestProgram.h"

#include "platform/ImageControl.h"
#include "platform/OptionButton.h"
#include "platform/PictureBox.h"
#include "platform/SpinButton.h"
#include "platform/ThreeDButton.h"
#include "platform/ThreeDPanel.h"
#include "mainwindow/Form1Design.h"
#include "startup/Form2.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QTimer>

namespace {

QString captionOf(QWidget* w)
{
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        return b->text();
    if (auto* p = qobject_cast<ThreeDPanel*>(w))
        return p->caption();
    if (auto* t = qobject_cast<QLineEdit*>(w))
        return t->text();
    if (auto* g = qobject_cast<QGroupBox*>(w))
        return g->title();
    if (auto* l = qobject_cast<QLabel*>(w))
        return l->text();
    return QString();
}

QColor foreColourOf(QWidget* w)
{
    if (auto* b = qobject_cast<ThreeDButton*>(w))
        return b->foreColor();
    if (auto* o = qobject_cast<OptionButton*>(w))
        return o->foreColor();
    if (auto* p = qobject_cast<ThreeDPanel*>(w))
        return p->foreColor();
    if (qobject_cast<QLineEdit*>(w))
        return w->palette().color(QPalette::Text);
    return w->palette().color(QPalette::WindowText);
}

} // namespace

class TestForm1Design : public QObject
{
    Q_OBJECT

private slots:
    // Each window is what its table says, and the table names every control of the window.
    void windowsAsTheirTables()
    {
        TestProgram p;
        Form1* f = p.make();
        const QStringList form1 = differencesFromDesign(f, form1Design());
        QVERIFY2(form1.isEmpty(), qPrintable(form1.join('\n')));
        QSet<QString> designed;
        for (const DesignControl& c : form1Design())
            designed.insert(c.name);
        for (QWidget* w : f->client->findChildren<QWidget*>()) {
            if (!w->objectName().isEmpty() && !w->objectName().startsWith("qt_"))
                QVERIFY2(designed.contains(w->objectName()), qPrintable(w->objectName()));
        }
        QCOMPARE(designed.size(), int(form1Design().size()));

        Form2 splash(p.g, p.fake.services(), [] { return nullptr; });
        const QStringList form2 = differencesFromDesign(&splash, form2Design());
        QVERIFY2(form2.isEmpty(), qPrintable(form2.join('\n')));
    }

    // Left, top, width, height in twips as designed; the window places them in pixels.
    void positions_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("twips");
        QTest::newRow("Text1") << "Text1" << QRect(3000, 1170, 990, 315);
        QTest::newRow("SpinButton1") << "SpinButton1" << QRect(2280, 1170, 615, 285);
        QTest::newRow("Text3") << "Text3" << QRect(5400, 7560, 1110, 360);
        QTest::newRow("cmdZoomOut") << "cmdZoomOut" << QRect(4560, 7935, 5295, 375);
        QTest::newRow("SSPanel2") << "SSPanel2" << QRect(360, 1725, 4215, 5655);
        QTest::newRow("pnlProgress") << "pnlProgress" << QRect(5040, 480, 7290, 5175);
        QTest::newRow("SSPanel1") << "SSPanel1" << QRect(360, 0, 4215, 1695);
        QTest::newRow("VScr") << "VScr" << QRect(11640, 0, 270, 7935);
        QTest::newRow("picDest") << "picDest" << QRect(4920, 120, 2175, 855);
        QTest::newRow("PnlCoStar") << "PnlCoStar" << QRect(360, 7935, 4215, 375);
        QTest::newRow("StatusDate") << "StatusDate" << QRect(1680, 7560, 1455, 375);
        QTest::newRow("panParent") << "panParent" << QRect(6600, 7560, 5055, 345);
        QTest::newRow("SSCommand1") << "SSCommand1" << QRect(9720, 7935, 2055, 375);
        QTest::newRow("SpinButton2") << "SpinButton2" << QRect(4560, 7560, 855, 360);
        QTest::newRow("Image1") << "Image1" << QRect(4920, -120, 6645, 8445);
        QTest::newRow("cmdYear_0") << "cmdYear_0" << QRect(480, 120, 1455, 495);
        QTest::newRow("cmdYear_9") << "cmdYear_9" << QRect(480, 4440, 1455, 495);
        QTest::newRow("cmdYear_10") << "cmdYear_10" << QRect(2280, 120, 1455, 495);
        QTest::newRow("cmdYear_17") << "cmdYear_17" << QRect(2280, 3480, 1455, 495);
        QTest::newRow("cmdZoom") << "cmdZoom" << QRect(480, 5040, 1455, 495);
        QTest::newRow("SSCommand2") << "SSCommand2" << QRect(2280, 5040, 1455, 495);
        QTest::newRow("Frame1") << "Frame1" << QRect(120, 120, 3975, 1455);
        QTest::newRow("Option1_3") << "Option1_3" << QRect(2280, 360, 1455, 255);
        QTest::newRow("Option1_5") << "Option1_5" << QRect(2280, 1080, 1455, 255);
        QTest::newRow("optParent_3") << "optParent_3" << QRect(240, 1440, 1695, 255);
        QTest::newRow("Text2") << "Text2" << QRect(1440, 600, 5415, 255);
        QTest::newRow("ProgressGuage2") << "ProgressGuage2" << QRect(360, 3720, 6495, 375);
        QTest::newRow("cmdCancel") << "cmdCancel" << QRect(3600, 4320, 3255, 495);
        QTest::newRow("Image2") << "Image2" << QRect(840, 1680, 5400, 1785);
    }
    void positions()
    {
        QFETCH(QString, name);
        QFETCH(QRect, twips);
        TestProgram p;
        Form1* f = p.make();
        QWidget* w = f->findChild<QWidget*>(name);
        QVERIFY2(w, qPrintable(name));
        // One pixel is 15 twips; the design values are whole pixels.
        QCOMPARE(w->geometry(), QRect(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15));
    }

    // caption, fore colour (RGB), point size, bold, italic, shown at load.
    void looks_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QColor>("fore");
        QTest::addColumn<double>("points");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("italic");
        QTest::addColumn<bool>("shown");
        const QColor red(255, 0, 0), navy(0, 0, 128), darkRed(128, 0, 0), black(0, 0, 0), darkBlue(0, 0, 192);
        QTest::newRow("Text1") << "Text1" << "Text1" << red << 9.75 << true << false << false;
        QTest::newRow("Text3") << "Text3" << "Text1" << red << 9.75 << true << false << false;
        QTest::newRow("cmdZoomOut") << "cmdZoomOut" << "Zoom Out" << black << 9.75 << true << false << false;
        QTest::newRow("PnlCoStar") << "PnlCoStar" << "Vantorra Ads of the '50s and '60s" << red << 8.25 << true
                                   << true << true;
        QTest::newRow("StatusDay") << "StatusDay" << "StatusDay" << navy << 8.25 << true << false << true;
        QTest::newRow("StatusTime") << "StatusTime" << "StatusTime" << navy << 8.25 << true << false << true;
        QTest::newRow("panParent") << "panParent" << "panParent" << red << 9.75 << true << false << false;
        QTest::newRow("SSCommand1") << "SSCommand1" << "Exit" << black << 9.75 << true << false << false;
        QTest::newRow("cmdYear_0") << "cmdYear_0" << "1950" << black << 8.25 << true << false << true;
        QTest::newRow("cmdYear_19") << "cmdYear_19" << "1969" << black << 8.25 << true << false << true;
        QTest::newRow("cmdZoom") << "cmdZoom" << "Zoom In" << darkRed << 9.75 << true << false << true;
        QTest::newRow("SSCommand2") << "SSCommand2" << "Exit" << darkRed << 9.75 << true << false << true;
        QTest::newRow("Frame1") << "Frame1" << "Make" << navy << 9.75 << true << true << true;
        QTest::newRow("Frame2") << "Frame2" << "Parent Company" << navy << 9.75 << true << true << false;
        QTest::newRow("Option1_0") << "Option1_0" << " " << darkBlue << 9.75 << true << false << false;
        QTest::newRow("optParent_0") << "optParent_0" << "Vantorra " << darkBlue << 9.75 << true << false << true;
        QTest::newRow("optParent_1") << "optParent_1" << "Halvern  " << darkBlue << 9.75 << true << false << true;
        QTest::newRow("cmdCopy") << "cmdCopy" << "Copy Ads" << black << 9.75 << true << false << true;
        QTest::newRow("Label2") << "Label2" << "Copy Ads from CD-ROM to hard drive" << navy << 9.75 << true << false
                                << true;
        QTest::newRow("Label1") << "Label1" << "Copying file:" << navy << 9.75 << false << false << true;
    }
    void looks()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QColor, fore);
        QFETCH(double, points);
        QFETCH(bool, bold);
        QFETCH(bool, italic);
        QFETCH(bool, shown);
        TestProgram p;
        Form1* f = p.make();
        QWidget* w = f->findChild<QWidget*>(name);
        QVERIFY2(w, qPrintable(name));
        QCOMPARE(captionOf(w), caption);
        QCOMPARE(foreColourOf(w), fore);
        QCOMPARE(w->font().pointSizeF(), points);
        QCOMPARE(w->font().bold(), bold);
        QCOMPARE(w->font().italic(), italic);
        // Shown within its container at load (the container itself may be hidden).
        QCOMPARE(!w->isHidden(), shown);
    }

    void toolTips_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("tip");
        QTest::newRow("Text1") << "Text1"
                               << "Displays the number of the ad for years in which there are mor than one ad for a "
                                  "particular Make.";
        QTest::newRow("SpinButton2") << "SpinButton2" << "Selects backward and forward through multiple ads if present. ";
        QTest::newRow("VScr") << "VScr" << "Scroll up and down an ad when in \"zoom in\" mode.";
        QTest::newRow("panParent") << "panParent" << "Identifies the ad which is being displayed.";
        QTest::newRow("Image1") << "Image1" << "Double click on the ad image to \"zoom in\" and \"zoom out\".";
        QTest::newRow("cmdYear_0") << "cmdYear_0" << "Click a Year button to view advertisements that were published that year.";
        QTest::newRow("cmdYear_1") << "cmdYear_1" << "";
        QTest::newRow("cmdZoom") << "cmdZoom" << "Click here to \"zoom in\" and \"zoom out\"  on the ad for a better view..";
        QTest::newRow("optParent_0") << "optParent_0"
                                     << "Select the Parent Company.  It's division names will then populate the Make "
                                        "selection window.";
    }
    void toolTips()
    {
        QFETCH(QString, name);
        QFETCH(QString, tip);
        TestProgram p;
        QWidget* w = p.make()->findChild<QWidget*>(name);
        QVERIFY2(w, qPrintable(name));
        QCOMPARE(w->toolTip(), tip);
    }

    void windowAndOtherValues()
    {
        TestProgram p;
        Form1* f = p.make();
        QCOMPARE(f->windowTitle(), QString("Vantorra Ads of the 50's & 60's"));
        QCOMPARE(f->Timer1->interval(), 100);
        QCOMPARE(f->VScr->maximum(), 100);
        QCOMPARE(f->picDest->backColor(), QColor(128, 128, 128));
        QCOMPARE(f->panParent->backColor(), QColor(255, 255, 255));
        QCOMPARE(f->Image2->picture().size(), QSize(360, 119));
        QCOMPARE(f->Image1->picture().size(), QSize(475, 555));
        QVERIFY(f->PicSrc->isHidden());
        QVERIFY(f->VScr->isHidden());
        QVERIFY(f->pnlProgress->isHidden());
        // The image lies beneath every other control of the window.
        QCOMPARE(f->client->children().indexOf(f->Image1), 0);
        // Text1 and SpinButton1 lie in front of the panel they sit over.
        const QObjectList order = f->client->children();
        QVERIFY(order.indexOf(f->Text1) > order.indexOf(f->SSPanel1));
        QVERIFY(order.indexOf(f->SpinButton1) > order.indexOf(f->SSPanel1));
        for (int i = 0; i < 20; ++i)
            QCOMPARE(f->cmdYear[i]->objectName(), QString("cmdYear_%1").arg(i));
    }

    void menus()
    {
        TestProgram p;
        Form1* f = p.make();
        auto captions = [](QMenu* m) {
            QStringList c;
            for (QAction* a : m->actions())
                c << (a->isSeparator() ? QString("-") : a->text());
            return c;
        };
        QCOMPARE(captions(f->mnuFile),
                 (QStringList{"&Copy CD-ROM Ads from CD", "Remove Ads from Hard Drive", "-", "Copy Ad to Clipboard", "-",
                              "Check Screen Resolution Setting", "-", "Print Ad", "Print Setup", "-", "&Exit"}));
        QCOMPARE(captions(f->mnuHelp),
                 (QStringList{"&Contents", "-", "Visit the Tellwind Software Website", "Register ON-Line",
                              "Print &Registration Form ", "-", "&Notice", "-", "&About"}));
        QCOMPARE(captions(f->mnuCopyPrint),
                 (QStringList{"Print this Ad?", "Copy this Ad to the Windows Clipboard?"}));
        QCOMPARE(f->mnuCopyPrint->title(), QString("Advertisements"));
        QStringList bar;
        for (QAction* a : f->menuBar()->actions())
            bar << a->text();
        QCOMPARE(bar, (QStringList{"&File", "HideStatusBar", "&Help"}));
        for (QAction* a : f->findChildren<QAction*>())
            QVERIFY2(a->shortcut().isEmpty(), qPrintable(a->text()));
    }
};

VANTORRA_TEST_MAIN(TestForm1Design)
#include "tst_form1design.moc"
