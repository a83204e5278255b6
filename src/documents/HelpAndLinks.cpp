// The help window, the maker's web site and on-line registration, and the About box.
#include "mainwindow/Form1.h"

#include "documents/HelpWindow.h"
#include "documents/Maker.h"
#include "documents/frmAbout.h"
#include "platform/Services.h"
#include "platform/Shell.h"
#include "programwide/ProgramState.h"

void Form1::mnuContents_Click()
{
    // One help window, not modal; choosing the item again brings it up at the contents.
    if (!m_helpWindow)
        m_helpWindow = new HelpWindow(m_s.help, m_s.shell, this);
    m_helpWindow->showContents();
}

void Form1::mnuTellwindSoftware_Click()
{
    OpenWebLink(Maker::webSite());
}

void Form1::mnuRegisterOL_Click()
{
    OpenWebLink(Maker::registrationPage());
}

void Form1::mnuAbout_Click()
{
    // A box already open is brought up rather than a second one made.
    if (!m_frmAbout)
        m_frmAbout = new frmAbout(m_g, m_s, *this);
    m_frmAbout->show();
    m_frmAbout->raise();
    m_frmAbout->activateWindow();
}

void Form1::OpenWebLink(const QString& address)
{
    // 1. The taskbar comes back when full-screen mode hid it (nothing happens otherwise).
    ShowTaskbarWindow(m_g.TaskbarWindow, 1);
    // 2. The desktop opens the address in the web browser; whether it could is not looked at.
    m_s.shell.open(QStringLiteral("http://") + address);
}

HelpWindow* Form1::helpWindow() const
{
    return m_helpWindow;
}

frmAbout* Form1::aboutBox() const
{
    return m_frmAbout;
}
