#include "mainwindow/Form1.h"

#include "platform/ThreeDButton.h"

#include <QAction>
#include <QEvent>
#include <QTimer>

namespace {

// Passes the window's geometry and state events to the shell before the window handles them.
class WindowEventTap : public QObject
{
public:
    explicit WindowEventTap(Form1* form) : QObject(form), m_form(form) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_form)
            m_form->shellWindowEvent(event);
        return false;
    }

private:
    Form1* m_form;
};

} // namespace

void Form1::connectShellEvents()
{
    connect(mnuExit, &QAction::triggered, this, [this] { mnuExit_Click(); });
    connect(SSCommand1, &ThreeDButton::clicked, this, [this] { SSCommand1_Click(); });
    connect(SSCommand2, &ThreeDButton::clicked, this, [this] { SSCommand2_Click(); });
    connect(mnuHideStatus, &QAction::triggered, this, [this] { mnuHideStatus_Click(); });
    connect(mnuResolution, &QAction::triggered, this, [this] { mnuResolution_Click(); });
    installEventFilter(new WindowEventTap(this));

    // The status clock runs for the life of the window.
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
    Timer1->start();
}
