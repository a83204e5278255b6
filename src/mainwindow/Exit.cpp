#include "mainwindow/Form1.h"

#include "mainwindow/ShellRules.h"
#include "platform/MessageBoxes.h"
#include "platform/ProgramEnd.h"
#include "platform/Services.h"
#include "platform/SettingsStore.h"
#include "startup/ProgramState.h"

void Form1::Form_QueryUnload(int& Cancel, int UnloadMode)
{
    // Every close is accepted, whatever its reason.
    Q_UNUSED(Cancel);
    Q_UNUSED(UnloadMode);
    // 1. The taskbar comes back (no effect while it was never looked up).
    ShowTaskbarWindow(m_g.TaskbarWindow, 1);
    // 2. A minimised window has no place worth keeping; a maximised one keeps its maximised one.
    if (WindowState() != 1) {
        const QString app = applicationTitle();
        const QString section = QStringLiteral("Settings");
        m_s.settings.saveSetting(app, section, QStringLiteral("MainLeft"), singleText(float(Left())));
        m_s.settings.saveSetting(app, section, QStringLiteral("MainTop"), singleText(float(Top())));
        m_s.settings.saveSetting(app, section, QStringLiteral("MainWidth"), singleText(float(Width())));
        m_s.settings.saveSetting(app, section, QStringLiteral("MainHeight"), singleText(float(Height())));
    }
    // 3. The end; the application releases the window once the event loop has gone.
    m_s.end.endOrderly();
}

// The three exit commands close the window, which runs the close handler.
void Form1::mnuExit_Click()
{
    close();
}

void Form1::SSCommand1_Click()
{
    close();
}

void Form1::SSCommand2_Click()
{
    close();
}
