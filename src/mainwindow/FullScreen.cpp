#include "mainwindow/Form1.h"

#include "platform/ScreenInfo.h"
#include "platform/Services.h"
#include "programwide/ProgramState.h"

#include <QAction>
#include <QEvent>
#include <QScreen>
#include <QTimer>

namespace {

// The command's caption is the mode: "HideStatusBar" off, "ShowStatusBar" on.
const QString kHide = QStringLiteral("HideStatusBar");
const QString kShow = QStringLiteral("ShowStatusBar");

// The handle that stands for the taskbar once it has been looked up.
constexpr qintptr kTaskbarToken = 1;

// How long the platform may take to apply a geometry the program asked for. X11 and
// Wayland deliver the resulting resize events after the handler has returned; if the
// window never reaches the geometry asked for (a window manager that refuses it), the
// user's resizes count again after this time.
constexpr int kOwnChangeMs = 1500;

constexpr Qt::WindowStates kSizeStates = Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;

} // namespace

qintptr Form1::FindTaskbarWindow()
{
    return kTaskbarToken;
}

void Form1::ShowTaskbarWindow(qintptr window, int command)
{
    if (window == 0)
        return;
    if (command == 0) {
        beginOwnGeometryChange();
        showFullScreen();
        endOwnGeometryChange();
    } else if (windowState() & Qt::WindowFullScreen) {
        // A minimised or maximised window stays so.
        beginOwnGeometryChange();
        setWindowState(windowState() & ~Qt::WindowFullScreen);
        endOwnGeometryChange();
    }
}

void Form1::mnuHideStatus_Click()
{
    // 1. Look the taskbar up again on every use.
    m_g.TaskbarWindow = FindTaskbarWindow();
    // 2. On: the taskbar comes back; the window keeps its size and position.
    if (mnuHideStatus->text() != kHide) {
        ShowTaskbarWindow(m_g.TaskbarWindow, 1);
        mnuHideStatus->setText(kHide);
        return;
    }
    // 3. Off: the window covers the screen. It is first made normal and given the screen's
    // size at 0, 0, the geometry it keeps when the mode ends; then hiding the taskbar puts it
    // in full screen (on this platform hiding comes after the sizing, since full screen
    // would not take the sizes).
    beginOwnGeometryChange();
    m_refitWhenFramed = false;
    setWindowState(windowState() & ~kSizeStates);
    setHeight(m_s.screen.heightTwips());
    setWidth(m_s.screen.widthTwips());
    setTop(0);
    setLeft(0);
    ShowTaskbarWindow(m_g.TaskbarWindow, 0);
    endOwnGeometryChange();
    // Last, so that the resizes above find the mode still off.
    mnuHideStatus->setText(kShow);
}

void Form1::Form_Resize()
{
    if (mnuHideStatus->text() == kHide)
        return;
    // Any change of size while the mode is on ends it; the size itself is left alone.
    ShowTaskbarWindow(m_g.TaskbarWindow, 1);
    mnuHideStatus->setText(kHide);
}

void Form1::beginOwnGeometryChange()
{
    ++m_ownChangeDepth;
    m_ownChangePending = true;
    if (!m_ownChangeTimer) {
        m_ownChangeTimer = new QTimer(this);
        m_ownChangeTimer->setSingleShot(true);
        connect(m_ownChangeTimer, &QTimer::timeout, this, [this] { m_ownChangePending = false; });
    }
    m_ownChangeTimer->start(kOwnChangeMs);
}

void Form1::endOwnGeometryChange()
{
    // A platform that applies geometry at once has already delivered its events; one that
    // applies it later (X11, Wayland) is waited for in shellWindowEvent().
    if (--m_ownChangeDepth == 0 && atOwnTargetGeometry(size())) {
        m_ownChangePending = false;
        m_ownChangeTimer->stop();
    }
}

bool Form1::atOwnTargetGeometry(const QSize& clientSize) const
{
    // Full screen: the client area is the screen. Otherwise: the frame has the size the
    // program gave it last.
    if (windowState() & Qt::WindowFullScreen) {
        const QScreen* s = screen();
        return s && clientSize == s->geometry().size();
    }
    if (!m_width.set || !m_height.set)
        return false;
    const QSize frame = frameGeometry().size() - size();
    return clientSize + frame == QSize(m_width.pixels, m_height.pixels);
}

void Form1::shellWindowEvent(QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::Resize && type != QEvent::Move && type != QEvent::WindowStateChange)
        return;

    // The size set at load was set before the frame existed: once the platform reports the
    // frame, it is set again so that Width and Height include it, unless the window has
    // been sized otherwise in the meantime.
    if (m_refitWhenFramed && (type == QEvent::Resize || type == QEvent::Move)) {
        if (size() != m_loadClientSize || (windowState() & kSizeStates)) {
            m_refitWhenFramed = false;
        } else if (frameGeometry() != geometry() && m_ownChangeDepth == 0) {
            m_refitWhenFramed = false;
            ++m_ownChangeDepth;
            if (m_width.set)
                setWidth(m_width.twips);
            if (m_height.set)
                setHeight(m_height.twips);
            if (m_left.set)
                setLeft(m_left.twips);
            if (m_top.set)
                setTop(m_top.twips);
            --m_ownChangeDepth;
        }
    }
    if (type == QEvent::Move)
        return;

    // Delivered while the program is changing the geometry itself.
    if (m_ownChangeDepth > 0)
        return;
    if (mnuHideStatus->text() == kHide) {
        Form_Resize(); // the mode is off: nothing to end
        return;
    }

    if (type == QEvent::WindowStateChange) {
        // Full screen and nothing else is the state the mode puts the window in; anything
        // else (minimised, maximised, back to normal) comes from the user or the desktop.
        if ((windowState() & kSizeStates) == Qt::WindowFullScreen)
            return;
        Form_Resize();
        return;
    }

    // A resize. The window's size now tells whether it is the program's own change; the
    // size an event carries can be out of date (Qt may deliver a resize posted earlier).
    // While the platform is still on its way to the program's geometry, resizes are ignored.
    const bool own = atOwnTargetGeometry(size());
    if (m_ownChangePending) {
        if (own) {
            m_ownChangePending = false;
            m_ownChangeTimer->stop();
        }
        return;
    }
    if (!own)
        Form_Resize();
}
