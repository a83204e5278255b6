#include "mainwindow/Form1.h"

#include "platform/ImageControl.h"
#include "platform/OptionButton.h"
#include "platform/PictureBox.h"
#include "platform/SpinButton.h"
#include "platform/ThreeDButton.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

namespace {

// Scrolls the zoomed picture as image viewers do: the mouse wheel and the keys Up, Down,
// Page Up, Page Down, Home and End move it up and down, Shift with the wheel and the keys
// Left and Right move it sideways, and dragging it with the left button moves it both
// ways. Up and down always go through the scroll bar, so VScr_Change moves the picture;
// sideways the picture box shifts its picture.
class ZoomScrolling : public QObject
{
public:
    ZoomScrolling(QScrollBar* bar, PictureBox* view, QObject* parent) : QObject(parent), m_bar(bar), m_view(view) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::Wheel: return wheel(static_cast<QWheelEvent*>(event));
        case QEvent::KeyPress: return key(static_cast<QKeyEvent*>(event));
        case QEvent::MouseButtonPress:
            if (watched == m_view)
                press(static_cast<QMouseEvent*>(event));
            return false;
        case QEvent::MouseMove: return watched == m_view && drag(static_cast<QMouseEvent*>(event));
        case QEvent::MouseButtonRelease:
            if (watched == m_view)
                release(static_cast<QMouseEvent*>(event));
            return false;
        default: return QObject::eventFilter(watched, event);
        }
    }

private:
    // Three small steps per notch, as scrolling views usually do.
    int stepsOf(int delta, int* rest)
    {
        *rest += delta;
        const int notches = *rest / 120;
        *rest -= notches * 120;
        return 3 * notches;
    }

    bool wheel(QWheelEvent* e)
    {
        const QPoint delta = e->angleDelta();
        if (e->modifiers() & Qt::ShiftModifier || (delta.y() == 0 && delta.x() != 0)) {
            const int steps = stepsOf(delta.y() != 0 ? delta.y() : delta.x(), &m_wheelX);
            m_view->setPanX(m_view->panX() - steps * m_bar->singleStep());
        } else {
            const int steps = stepsOf(delta.y(), &m_wheelY);
            const auto action = steps > 0 ? QAbstractSlider::SliderSingleStepSub : QAbstractSlider::SliderSingleStepAdd;
            for (int i = 0; i < qAbs(steps); ++i)
                m_bar->triggerAction(action);
        }
        e->accept();
        return true;
    }

    bool key(QKeyEvent* e)
    {
        QAbstractSlider::SliderAction action = QAbstractSlider::SliderNoAction;
        switch (e->key()) {
        case Qt::Key_Left: m_view->setPanX(m_view->panX() - m_bar->singleStep()); return true;
        case Qt::Key_Right: m_view->setPanX(m_view->panX() + m_bar->singleStep()); return true;
        case Qt::Key_Up: action = QAbstractSlider::SliderSingleStepSub; break;
        case Qt::Key_Down: action = QAbstractSlider::SliderSingleStepAdd; break;
        case Qt::Key_PageUp: action = QAbstractSlider::SliderPageStepSub; break;
        case Qt::Key_PageDown: action = QAbstractSlider::SliderPageStepAdd; break;
        case Qt::Key_Home: action = QAbstractSlider::SliderToMinimum; break;
        case Qt::Key_End: action = QAbstractSlider::SliderToMaximum; break;
        default: return false;
        }
        m_bar->triggerAction(action);
        return true;
    }

    // The drag measures in screen positions: the box itself moves as the scroll bar follows.
    void press(QMouseEvent* e)
    {
        if (e->button() != Qt::LeftButton || !pannable())
            return;
        m_dragging = true;
        m_dragStart = e->globalPosition().toPoint();
        m_startPanX = m_view->panX();
        m_startValue = m_bar->value();
        m_view->setCursor(Qt::ClosedHandCursor);
    }

    bool drag(QMouseEvent* e)
    {
        if (!m_dragging || !(e->buttons() & Qt::LeftButton))
            return false;
        const QPoint moved = e->globalPosition().toPoint() - m_dragStart;
        m_view->setPanX(m_startPanX - moved.x());
        m_bar->setValue(m_startValue - moved.y());
        return true;
    }

    void release(QMouseEvent* e)
    {
        if (e->button() != Qt::LeftButton || !m_dragging)
            return;
        m_dragging = false;
        m_view->setCursor(Qt::OpenHandCursor);
    }

    bool pannable() const { return m_view->maxPanX() > 0 || m_bar->maximum() > 0; }

    QScrollBar* m_bar;
    PictureBox* m_view;
    int m_wheelX = 0;
    int m_wheelY = 0;
    bool m_dragging = false;
    QPoint m_dragStart;
    int m_startPanX = 0;
    int m_startValue = 0;
};

} // namespace

void Form1::connectBrowserEvents()
{
    for (int i = 0; i < 4; ++i)
        connect(optParent[i], &OptionButton::selected, this, [this, i] { optParent_Click(i); });
    for (int i = 0; i < 6; ++i)
        connect(Option1[i], &OptionButton::selected, this, [this, i] { Option1_Click(i); });
    for (int i = 0; i < 20; ++i) {
        connect(cmdYear[i], &ThreeDButton::clicked, this, [this, i] { cmdYear_Click(i); });
        connect(cmdYear[i], &ThreeDButton::keyDown, this,
                [this, i](int keyCode, int shift) { cmdYear_KeyDown(i, keyCode, shift); });
    }
    // The backward arrow steps back, the forward arrow on.
    for (SpinButton* spin : {SpinButton1, SpinButton2}) {
        connect(spin, &SpinButton::spinDown, this, [this] { ShowPreviousAd(); });
        connect(spin, &SpinButton::spinUp, this, [this] { ShowNextAd(); });
    }
    connect(cmdZoom, &ThreeDButton::clicked, this, [this] { cmdZoom_Click(); });
    connect(cmdZoomOut, &ThreeDButton::clicked, this, [this] { cmdZoomOut_Click(); });
    connect(Image1, &ImageControl::doubleClicked, this, [this] { Image1_DblClick(); });
    connect(picDest, &PictureBox::doubleClicked, this, [this] { picDest_DblClick(); });
    connect(VScr, &QScrollBar::valueChanged, this, [this] { VScr_Change(); });

    VScr->setPageStep(zoomedViewportHeight());
    auto* scrolling = new ZoomScrolling(VScr, picDest, this);
    picDest->setFocusPolicy(Qt::StrongFocus);
    picDest->installEventFilter(scrolling);
    VScr->installEventFilter(scrolling);
}
