#include "platform/ImageControl.h"

#include "platform/WindowsInput.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

ImageControl::ImageControl(QWidget* parent)
    : QWidget(parent)
{
}

void ImageControl::setPicture(const Picture& picture)
{
    m_picture = picture;
    m_scaled = QPixmap(); // drop the old copy now rather than at the next paint
    m_scaledFrom = Picture();
    updateGeometry();
    update();
}

QSize ImageControl::deviceSize() const
{
    return deviceSize(size(), devicePixelRatioF());
}

QSize ImageControl::deviceSize(const QSize& logicalSize, qreal devicePixelRatio)
{
    return QSize(qMax(1, int(std::ceil(logicalSize.width() * devicePixelRatio))),
                 qMax(1, int(std::ceil(logicalSize.height() * devicePixelRatio))));
}

QSize ImageControl::sizeHint() const
{
    return m_picture.isNull() ? QSize(32, 32) : m_picture.size();
}

QPixmap ImageControl::scalePicture(const QImage& picture, const QSize& logicalSize, qreal devicePixelRatio)
{
    if (picture.isNull() || logicalSize.isEmpty() || !(devicePixelRatio > 0))
        return QPixmap();
    const QSize device = deviceSize(logicalSize, devicePixelRatio);
    const QImage scaled = picture.size() == device
        ? picture
        : picture.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QPixmap pixmap = QPixmap::fromImage(scaled);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

void ImageControl::ensureScaled(qreal devicePixelRatio)
{
    if (m_picture.isNull()) {
        m_scaled = QPixmap();
        return;
    }
    if (!m_scaled.isNull() && m_scaledFrom == m_picture && m_scaledSize == size()
        && qFuzzyCompare(m_scaledRatio, devicePixelRatio))
        return;
    const QImage ready = m_picture.scaledCopy(deviceSize(size(), devicePixelRatio));
    if (!ready.isNull()) {
        m_scaled = QPixmap::fromImage(ready);
        m_scaled.setDevicePixelRatio(devicePixelRatio);
    } else {
        m_scaled = scalePicture(m_picture.image(), size(), devicePixelRatio);
        ++m_scaleCount;
    }
    m_scaledFrom = m_picture;
    m_scaledSize = size();
    m_scaledRatio = devicePixelRatio;
}

void ImageControl::prepare()
{
    ensureScaled(devicePixelRatioF());
}

void ImageControl::paintEvent(QPaintEvent*)
{
    if (m_picture.isNull() || size().isEmpty())
        return;
    QPainter painter(this);
    ensureScaled(painter.device()->devicePixelRatioF());
    if (!m_scaled.isNull())
        painter.drawPixmap(0, 0, m_scaled);
}

void ImageControl::mouseReleaseEvent(QMouseEvent* event)
{
    const QPointF pos = event->position();
    event->accept();
    emit mouseUp(windowsMouseButton(event->button()), windowsShiftState(event->modifiers()), pos.x(), pos.y());
}

void ImageControl::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}
