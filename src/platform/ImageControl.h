#pragma once

#include "platform/Picture.h"

#include <QImage>
#include <QPixmap>
#include <QWidget>

// Shows its picture stretched over its whole area, smoothly scaled to device
// pixels. The scaled copy is cached and only rebuilt when the picture, the
// widget size or the device pixel ratio changes: full-page scans are large and
// must not be rescaled on every repaint. A copy of the right size made with the
// picture is taken as it is, without waiting for the whole picture. Without a
// picture it paints nothing, so the parent's background shows through.
class ImageControl : public QWidget
{
    Q_OBJECT

public:
    explicit ImageControl(QWidget* parent = nullptr);

    void setPicture(const Picture& picture);
    // The size in device pixels the picture is scaled to for the control's current size.
    QSize deviceSize() const;
    static QSize deviceSize(const QSize& logicalSize, qreal devicePixelRatio);
    // The whole picture (waiting for it while it is still being decoded).
    QImage picture() const { return m_picture.image(); }
    const Picture& heldPicture() const { return m_picture; }

    // The cached scaled pixmap (null until painted or prepared, or without a picture).
    QPixmap scaledPixmap() const { return m_scaled; }
    // Builds the scaled pixmap for the current size and screen now, if stale.
    void prepare();
    // How many times the picture has been scaled (for tests and benchmarks).
    int scaleCount() const { return m_scaleCount; }

    // The picture smoothly scaled to logicalSize * devicePixelRatio device
    // pixels, with that device pixel ratio set so it paints at logicalSize.
    static QPixmap scalePicture(const QImage& picture, const QSize& logicalSize, qreal devicePixelRatio);

    QSize sizeHint() const override;

signals:
    void doubleClicked();
    // button: 1 left, 2 right, 4 middle; shift: 1 Shift, 2 Ctrl, 4 Alt;
    // x, y in logical pixels from the widget's top-left.
    void mouseUp(int button, int shift, double x, double y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void ensureScaled(qreal devicePixelRatio);

    Picture m_picture;
    QPixmap m_scaled;
    Picture m_scaledFrom;
    QSize m_scaledSize;
    qreal m_scaledRatio = 0;
    int m_scaleCount = 0;
};
