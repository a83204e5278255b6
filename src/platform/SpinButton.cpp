#include "platform/SpinButton.h"

#include "platform/Bevel.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPolygon>

SpinButton::SpinButton(QWidget* parent)
    : QWidget(parent)
{
    m_timer.setSingleShot(false);
    connect(&m_timer, &QTimer::timeout, this, &SpinButton::repeat);
    // Reached by Tab; a click spins without taking the focus, so the mouse sees no change.
    setFocusPolicy(Qt::TabFocus);
}

QString SpinButton::arrowName(Arrow arrow) const
{
    switch (arrow) {
    case Arrow::Down: return m_downName;
    case Arrow::Up: return m_upName;
    case Arrow::None: break;
    }
    return QString();
}

void SpinButton::setArrowNames(const QString& down, const QString& up)
{
    m_downName = down;
    m_upName = up;
}

void SpinButton::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Down:
    case Qt::Key_Comma: fire(Arrow::Down); break;
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Period: fire(Arrow::Up); break;
    default: QWidget::keyPressEvent(event); return;
    }
    event->accept();
}

QSize SpinButton::sizeHint() const
{
    return QSize(17, 32);
}

QRect SpinButton::arrowRect(Arrow arrow) const
{
    const QRect r = rect();
    if (arrow == Arrow::None)
        return QRect();
    if (isHorizontal()) {
        const int half = r.width() / 2;
        return arrow == Arrow::Down ? QRect(0, 0, half, r.height())
                                    : QRect(half, 0, r.width() - half, r.height());
    }
    const int half = r.height() / 2;
    return arrow == Arrow::Up ? QRect(0, 0, r.width(), half)
                              : QRect(0, half, r.width(), r.height() - half);
}

SpinButton::Arrow SpinButton::arrowAt(const QPoint& pos) const
{
    if (arrowRect(Arrow::Down).contains(pos))
        return Arrow::Down;
    if (arrowRect(Arrow::Up).contains(pos))
        return Arrow::Up;
    return Arrow::None;
}

SpinButton::Arrow SpinButton::pressedArrow() const
{
    return m_over ? m_held : Arrow::None;
}

void SpinButton::fire(Arrow arrow)
{
    if (!isEnabled())
        return;
    if (arrow == Arrow::Up)
        emit spinUp();
    else if (arrow == Arrow::Down)
        emit spinDown();
}

bool SpinButton::lostTheMouse() const
{
    // Being hidden is seen by hideEvent.
    if (!isEnabled())
        return true;
    // A modal window over ours (a message box opened by the handler) gets the release.
    const QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != window())
        return true;
    if (QApplication::activePopupWidget())
        return true;
    const QWidget* grabber = QWidget::mouseGrabber();
    return grabber && grabber != this;
}

void SpinButton::repeat()
{
    if (lostTheMouse()) {
        stop();
        return;
    }
    // After the first delay, repeat at the faster rate.
    if (m_timer.interval() != RepeatIntervalMs)
        m_timer.setInterval(RepeatIntervalMs);
    if (m_over)
        fire(m_held);
}

void SpinButton::stop()
{
    m_timer.stop();
    if (m_held != Arrow::None) {
        m_held = Arrow::None;
        m_over = false;
        update();
    }
}

void SpinButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !isEnabled()) {
        QWidget::mousePressEvent(event);
        return;
    }
    const Arrow arrow = arrowAt(event->position().toPoint());
    if (arrow == Arrow::None)
        return;
    m_held = arrow;
    m_over = true;
    update();
    m_timer.start(InitialDelayMs);
    // A handler may delete the control, or disable or hide it, or open a modal window that
    // takes the release; the repeat must not outlive any of these.
    QPointer<SpinButton> self(this);
    fire(arrow);
    if (self && lostTheMouse())
        stop();
}

void SpinButton::mouseMoveEvent(QMouseEvent* event)
{
    if (m_held == Arrow::None)
        return;
    const bool over = arrowAt(event->position().toPoint()) == m_held;
    if (over != m_over) {
        m_over = over;
        update();
    }
}

void SpinButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        stop();
    else
        QWidget::mouseReleaseEvent(event);
}

bool SpinButton::event(QEvent* event)
{
    // A modal window opened over ours: the release will go to it, never to us.
    if (event->type() == QEvent::WindowBlocked)
        stop();
    return QWidget::event(event);
}

void SpinButton::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        stop();
    if (event->type() == QEvent::ActivationChange && isVisible() && !isActiveWindow())
        stop();
    QWidget::changeEvent(event);
}

void SpinButton::hideEvent(QHideEvent* event)
{
    stop();
    QWidget::hideEvent(event);
}

void SpinButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    drawArrow(&painter, Arrow::Down, pressedArrow() == Arrow::Down);
    drawArrow(&painter, Arrow::Up, pressedArrow() == Arrow::Up);
    if (hasFocus()) {
        // Only a keyboard user gets here (a click does not take the focus).
        QPen pen(palette().color(QPalette::WindowText));
        pen.setStyle(Qt::DotLine);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        const QRect focus = rect().adjusted(2, 2, -3, -3);
        if (focus.width() > 0 && focus.height() > 0)
            painter.drawRect(focus);
    }
}

void SpinButton::drawArrow(QPainter* painter, Arrow arrow, bool sunken) const
{
    const QRect r = arrowRect(arrow);
    if (r.isEmpty())
        return;
    const QPalette& pal = palette();
    painter->fillRect(r, pal.color(QPalette::Button));
    QRect inner = drawBevel(painter, r, pal, sunken);
    if (sunken)
        inner.translate(1, 1);
    if (inner.width() < 3 || inner.height() < 3)
        return;

    // A solid triangle about half the inner size, pointing away from the centre line.
    const int size = qMax(2, qMin(inner.width(), inner.height()) / 2);
    const QPoint c = inner.center();
    const int h = size / 2;
    QPolygon triangle;
    if (isHorizontal()) {
        if (arrow == Arrow::Down) // left
            triangle << QPoint(c.x() - h, c.y()) << QPoint(c.x() + h, c.y() - size) << QPoint(c.x() + h, c.y() + size);
        else // right
            triangle << QPoint(c.x() + h, c.y()) << QPoint(c.x() - h, c.y() - size) << QPoint(c.x() - h, c.y() + size);
    } else {
        if (arrow == Arrow::Up)
            triangle << QPoint(c.x(), c.y() - h) << QPoint(c.x() - size, c.y() + h) << QPoint(c.x() + size, c.y() + h);
        else
            triangle << QPoint(c.x(), c.y() + h) << QPoint(c.x() - size, c.y() - h) << QPoint(c.x() + size, c.y() - h);
    }

    painter->save();
    painter->setPen(Qt::NoPen);
    if (isEnabled()) {
        painter->setBrush(pal.color(QPalette::Active, QPalette::ButtonText));
        painter->drawPolygon(triangle);
    } else {
        // Greyed and embossed like a disabled caption.
        painter->setBrush(pal.color(QPalette::Light));
        painter->drawPolygon(triangle.translated(1, 1));
        painter->setBrush(pal.color(QPalette::Dark));
        painter->drawPolygon(triangle);
    }
    painter->restore();
}
