#include "mainwindow/Form1.h"

#include "platform/ImageControl.h"
#include "platform/OptionButton.h"
#include "platform/PictureBox.h"
#include "platform/SpinButton.h"
#include "platform/ThreeDButton.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <QWheelEvent>

namespace {

// Scrolls the zoomed picture with the mouse wheel and the keys Up, Down, Page Up,
// Page Down, Home and End, through the scroll bar, so VScr_Change moves the picture.
class ZoomScrolling : public QObject
{
public:
    ZoomScrolling(QScrollBar* bar, QObject* parent) : QObject(parent), m_bar(bar) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Wheel)
            return wheel(static_cast<QWheelEvent*>(event));
        if (event->type() == QEvent::KeyPress)
            return key(static_cast<QKeyEvent*>(event));
        return QObject::eventFilter(watched, event);
    }

private:
    bool wheel(QWheelEvent* e)
    {
        // Three small steps per notch, as scrolling views usually do.
        m_wheel += e->angleDelta().y();
        const int notches = m_wheel / 120;
        m_wheel -= notches * 120;
        const auto action = notches > 0 ? QAbstractSlider::SliderSingleStepSub : QAbstractSlider::SliderSingleStepAdd;
        for (int i = 0; i < 3 * qAbs(notches); ++i)
            m_bar->triggerAction(action);
        e->accept();
        return true;
    }

    bool key(QKeyEvent* e)
    {
        QAbstractSlider::SliderAction action = QAbstractSlider::SliderNoAction;
        switch (e->key()) {
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

    QScrollBar* m_bar;
    int m_wheel = 0;
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
    auto* scrolling = new ZoomScrolling(VScr, this);
    picDest->setFocusPolicy(Qt::StrongFocus);
    picDest->installEventFilter(scrolling);
    VScr->installEventFilter(scrolling);
}
