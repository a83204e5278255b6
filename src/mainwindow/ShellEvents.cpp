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
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if (type != QEvent::Resize && type != QEvent::Move && type != QEvent::WindowStateChange)
            return false;
        // While the window is being destroyed it is no longer a Form1, and gets no further.
        if (auto* form = qobject_cast<Form1*>(watched))
            form->shellWindowEvent(event);
        return false;
    }
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
