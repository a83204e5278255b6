#include "mainwindow/Form1.h"

#include "mainwindow/ShellRules.h"
#include "platform/MessageBoxes.h"
#include "platform/ProgramEnd.h"
#include "platform/Services.h"
#include "platform/SettingsStore.h"
#include "programwide/ProgramState.h"
#include "programwide/SettingsNames.h"

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
        const QString section = SettingsNames::section();
        m_s.settings.saveSetting(app, section, SettingsNames::mainLeft(), singleText(float(Left())));
        m_s.settings.saveSetting(app, section, SettingsNames::mainTop(), singleText(float(Top())));
        m_s.settings.saveSetting(app, section, SettingsNames::mainWidth(), singleText(float(Width())));
        m_s.settings.saveSetting(app, section, SettingsNames::mainHeight(), singleText(float(Height())));
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
