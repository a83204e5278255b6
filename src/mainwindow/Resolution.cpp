#include "mainwindow/Form1.h"

#include "mainwindow/ShellRules.h"
#include "platform/MessageBoxes.h"
#include "platform/ScreenInfo.h"
#include "platform/Services.h"
#include "programwide/ProgramState.h"
#include "programwide/Texts.h"

#include <limits>

bool isScreenResolution(double screenWidthTwips, double screenHeightTwips, qint32 width, qint32 height)
{
    auto product = [](qint32 pixels, qint64* out) {
        const qint64 p = qint64(pixels) * 15;
        if (p < std::numeric_limits<qint32>::min() || p > std::numeric_limits<qint32>::max())
            return false;
        *out = p;
        return true;
    };
    qint64 w = 0;
    if (!product(width, &w) || float(screenWidthTwips) != float(w))
        return false;
    qint64 h = 0;
    return product(height, &h) && float(screenHeightTwips) == float(h);
}

QString numberText(float value)
{
    return (value < 0 ? QString() : QStringLiteral(" ")) + singleText(value);
}

QString optimumResolutionMessage()
{
    return QStringLiteral("Your current screen resolution is set at 800x600.") + crlf() + crlf()
           + QStringLiteral("This is the optimum setting for Vantorra Ads of the 50's & 60'!s");
}

QString resolutionAdviceMessage(float widthPixels, float heightPixels)
{
    const QString nl = crlf();
    QString t;
    t += QStringLiteral("Your current screen resolution is set at ") + numberText(widthPixels) + QStringLiteral(" by")
         + numberText(heightPixels) + QStringLiteral(" pixles.") + nl + nl;
    t += QStringLiteral("The optimum setting for Vantorra Ads of the 50's & 60's is 800 by 600 pixels.") + nl + nl;
    t += QStringLiteral("Also, Vantorra Ads of the 50's & 60's requires that the Small Fonts display setting is selected.")
         + nl + nl;
    t += QStringLiteral("To change your resolution and font size settings perform the following steps:") + nl;
    t += QStringLiteral("    1)  Click the right mouse button while the cursor is on the Windows desktop.") + nl;
    t += QStringLiteral("    2)  Select the Properties option from the window that will be displayed.") + nl;
    t += QStringLiteral("    3)  Select the Settings tab.") + nl;
    t += QStringLiteral("    4)  Adjust the Screen area Slide control to 800x600.") + nl;
    t += QStringLiteral("    5)  You may also want to set the Colors to the highest level allowed by your") + nl;
    t += QStringLiteral("         graphics card.") + nl;
    t += QStringLiteral("    6)  To change the font size setting:") + nl;
    t += QStringLiteral("          Click the Advanced button on the bottom right of the above window.") + nl;
    t += QStringLiteral("          Select Small Fonts from the font size drop-down list box.") + nl + nl;
    t += QStringLiteral("You may now have to re-start your computer for the new settings to take affect.") + nl;
    return t;
}

bool Form1::IsScreenResolution(qint32 width, qint32 height)
{
    return isScreenResolution(m_s.screen.widthTwips(), m_s.screen.heightTwips(), width, height);
}

void Form1::mnuResolution_Click()
{
    if (IsScreenResolution(800, 600)) {
        m_g.MessageText = optimumResolutionMessage();
        m_s.boxes.show(m_g.MessageText, MsgBox::OkOnly, MsgBox::NoIcon, programTitle());
        return;
    }
    // The size in pixels the layout counts with: a fixed 15 twips per pixel.
    const float width = float(m_s.screen.widthTwips()) / 15.0f;
    const float height = float(m_s.screen.heightTwips()) / 15.0f;
    m_g.MessageText = resolutionAdviceMessage(width, height);
    m_s.boxes.show(m_g.MessageText, MsgBox::OkOnly, MsgBox::Exclamation, programTitle());
}
