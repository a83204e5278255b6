#include "platform/PictureBox.h"

#include "platform/WindowsInput.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

PictureBox::PictureBox(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent); // paintEvent covers every exposed pixel
}

void PictureBox::setPicture(const Picture& picture)
{
    m_picture = picture;
    m_panX = 0;
    if (m_autoSize)
        fitToPicture();
    updateGeometry();
    update();
}

int PictureBox::panX() const
{
    // A box made wider since shows more of the picture: the offset shrinks with it.
    return qMin(m_panX, maxPanX());
}

int PictureBox::maxPanX() const
{
    return qMax(0, m_picture.width() - width());
}

void PictureBox::setPanX(int x)
{
    const int clamped = qBound(0, x, maxPanX());
    if (clamped == panX())
        return;
    m_panX = clamped;
    update();
}

QColor PictureBox::backColor() const
{
    return m_backColor.isValid() ? m_backColor : palette().color(QPalette::Window);
}

void PictureBox::setBackColor(const QColor& color)
{
    m_backColor = color;
    update();
}

void PictureBox::setAutoSize(bool on)
{
    m_autoSize = on;
    if (on)
        fitToPicture();
}

void PictureBox::fitToPicture()
{
    if (!m_picture.isNull())
        resize(m_picture.size());
}

QSize PictureBox::sizeHint() const
{
    return m_picture.isNull() ? QSize(100, 100) : m_picture.size();
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect exposed = event->rect();
    painter.fillRect(exposed, backColor());
    const int panned = panX();
    const QRect part = exposed & QRect(QPoint(-panned, 0), m_picture.size());
    if (!part.isEmpty()) {
        // Explicit target: ignores the picture's own pixel ratio.
        painter.drawImage(part, m_picture.image(), part.translated(panned, 0));
    }
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event)
{
    const QPointF pos = event->position();
    event->accept();
    emit mouseUp(windowsMouseButton(event->button()), windowsShiftState(event->modifiers()), pos.x(), pos.y());
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

void PictureBox::contextMenuEvent(QContextMenuEvent* event)
{
    // A right click has been reported by mouseReleaseEvent already.
    if (event->reason() == QContextMenuEvent::Mouse) {
        event->ignore();
        return;
    }
    event->accept();
    const QRect shown = visibleRegion().boundingRect();
    const QPoint middle = shown.isEmpty() ? rect().center() : shown.center();
    emit mouseUp(2, 0, middle.x(), middle.y());
}
