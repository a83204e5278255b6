// The screen-resolution test and the two messages of "Check Screen Resolution Setting".
#include "TestProgram.h"

#include "mainwindow/ShellRules.h"

#include <QAction>

namespace {

const QString kTitle = QStringLiteral("Vantorra Ads of the 50's & 60's");

const QString kShort = QStringLiteral(
    "Your current screen resolution is set at 800x600.\r\n\r\n"
    "This is the optimum setting for Vantorra Ads of the 50's & 60'!s");

// The advice after its first line, word for word.
const QString kAdviceRest = QStringLiteral(
    "The optimum setting for Vantorra Ads of the 50's & 60's is 800 by 600 pixels.\r\n\r\n"
    "Also, Vantorra Ads of the 50's & 60's requires that the Small Fonts display setting is selected.\r\n\r\n"
    "To change your resolution and font size settings perform the following steps:\r\n"
    "    1)  Click the right mouse button while the cursor is on the Windows desktop.\r\n"
    "    2)  Select the Properties option from the window that will be displayed.\r\n"
    "    3)  Select the Settings tab.\r\n"
    "    4)  Adjust the Screen area Slide control to 800x600.\r\n"
    "    5)  You may also want to set the Colors to the highest level allowed by your\r\n"
    "         graphics card.\r\n"
    "    6)  To change the font size setting:\r\n"
    "          Click the Advanced button on the bottom right of the above window.\r\n"
    "          Select Small Fonts from the font size drop-down list box.\r\n\r\n"
    "You may now have to re-start your computer for the new settings to take affect.\r\n");

} // namespace

class TestResolution : public QObject
{
    Q_OBJECT

private slots:
    void isScreenResolution_data()
    {
        QTest::addColumn<double>("screenWidth");
        QTest::addColumn<double>("screenHeight");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<bool>("result");
        QTest::newRow("800 x 600 small fonts") << 12000.0 << 9000.0 << 800 << 600 << true;
        QTest::newRow("800 x 600 large fonts") << 9600.0 << 7200.0 << 800 << 600 << false;
        QTest::newRow("1024 x 768") << 15360.0 << 11520.0 << 800 << 600 << false;
        QTest::newRow("width only") << 12000.0 << 11520.0 << 800 << 600 << false;
        QTest::newRow("height only") << 15360.0 << 9000.0 << 800 << 600 << false;
        QTest::newRow("a fraction off") << 12000.5 << 9000.0 << 800 << 600 << false;
        QTest::newRow("asked for 1024 x 768") << 15360.0 << 11520.0 << 1024 << 768 << true;
        QTest::newRow("width beyond 32 bits") << 12000.0 << 9000.0 << 200000000 << 600 << false;
        QTest::newRow("height beyond 32 bits") << 12000.0 << 9000.0 << 800 << 200000000 << false;
        QTest::newRow("nothing measured") << 0.0 << 0.0 << 0 << 0 << true;
    }

    void isScreenResolution()
    {
        QFETCH(double, screenWidth);
        QFETCH(double, screenHeight);
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(bool, result);
        QCOMPARE(::isScreenResolution(screenWidth, screenHeight, width, height), result);
    }

    void numberText_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("1024") << 1024.0f << " 1024";
        QTest::newRow("768") << 768.0f << " 768";
        QTest::newRow("819.2") << 12288.0f / 15.0f << " 819.2";
        QTest::newRow("614.4") << 9216.0f / 15.0f << " 614.4";
        QTest::newRow("zero") << 0.0f << " 0";
        QTest::newRow("negative") << -5.0f << "-5";
        QTest::newRow("negative fraction") << -2.5f << "-2.5";
    }

    void numberText()
    {
        QFETCH(float, value);
        QFETCH(QString, text);
        QCOMPARE(::numberText(value), text);
    }

    void menuCommandMessage_data()
    {
        QTest::addColumn<int>("pixelsWide");
        QTest::addColumn<int>("pixelsHigh");
        QTest::addColumn<double>("twipsPerPixel");
        QTest::addColumn<QString>("firstLine");   // empty: the short message
        QTest::newRow("800 x 600 small fonts") << 800 << 600 << 15.0 << QString();
        QTest::newRow("1024 x 768 small fonts")
            << 1024 << 768 << 15.0 << "Your current screen resolution is set at  1024 by 768 pixles.";
        QTest::newRow("800 x 600 large fonts")
            << 800 << 600 << 12.0 << "Your current screen resolution is set at  640 by 480 pixles.";
        QTest::newRow("1024 x 768 large fonts")
            << 1024 << 768 << 12.0 << "Your current screen resolution is set at  819.2 by 614.4 pixles.";
        QTest::newRow("1280 x 1024 small fonts")
            << 1280 << 1024 << 15.0 << "Your current screen resolution is set at  1280 by 1024 pixles.";
    }

    void menuCommandMessage()
    {
        QFETCH(int, pixelsWide);
        QFETCH(int, pixelsHigh);
        QFETCH(double, twipsPerPixel);
        QFETCH(QString, firstLine);
        TestProgram p;
        p.fake.screen.setPixels(pixelsWide, pixelsHigh, twipsPerPixel);
        Form1* f = p.make();
        p.fake.boxes.answer(MsgBox::Ok);
        f->mnuResolution->trigger();
        QCOMPARE(p.fake.boxes.calls.size(), 1);
        const auto& call = p.fake.boxes.calls.first();
        const QString text = firstLine.isEmpty() ? kShort : firstLine + "\r\n\r\n" + kAdviceRest;
        QCOMPARE(call.text, text);
        QCOMPARE(call.buttons, int(MsgBox::OkOnly));
        QCOMPARE(call.icon, int(firstLine.isEmpty() ? MsgBox::NoIcon : MsgBox::Exclamation));
        QCOMPARE(call.title, kTitle);
        QCOMPARE(p.g.MessageText, text);
        QCOMPARE(p.fake.boxes.unexpected, 0);
        QVERIFY(!p.fake.end.hasEnded());
    }

    void adviceEndsWithALineBreak()
    {
        const QString advice = resolutionAdviceMessage(1024, 768);
        QVERIFY(advice.endsWith("take affect.\r\n"));
        QVERIFY(!advice.endsWith("\r\n\r\n"));
        QVERIFY(!optimumResolutionMessage().endsWith("\r\n"));
    }
};

VANTORRA_TEST_MAIN(TestResolution)
#include "tst_resolution.moc"
