#pragma once

#include "platform/Picture.h"

#include <QColor>
#include <QImage>
#include <QWidget>

// Shows its picture unscaled at its top-left corner (one picture pixel = one
// logical pixel) over its back colour. With autoSize on, setting a picture
// resizes the box to the picture, which is how a hidden box reports the size
// of a loaded picture (known before the whole picture is decoded). Only the exposed
// part of the picture is drawn. A picture wider than the box can be panned sideways:
// the box then shows it from column panX() on. The keyboard's menu key (or Shift+F10) on the
// focused box reports a right-button release in the middle of its visible part, so the
// pop-up menu a right click opens is reached without a mouse.
class PictureBox : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QColor backColor READ backColor WRITE setBackColor)
    Q_PROPERTY(bool autoSize READ autoSize WRITE setAutoSize)

public:
    explicit PictureBox(QWidget* parent = nullptr);

    // A new picture starts again at its left edge.
    void setPicture(const Picture& picture);
    // The whole picture (waiting for it while it is still being decoded).
    QImage picture() const { return m_picture.image(); }
    const Picture& heldPicture() const { return m_picture; }

    // The first picture column shown at the box's left edge, 0 to maxPanX().
    int panX() const;
    int maxPanX() const;
    // Kept within 0 to maxPanX().
    void setPanX(int x);

    // Until set, the palette's window colour.
    QColor backColor() const;
    void setBackColor(const QColor& color);

    bool autoSize() const { return m_autoSize; }
    // Turning it on resizes the box to the current picture at once.
    void setAutoSize(bool on);

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
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void fitToPicture();

    Picture m_picture;
    int m_panX = 0;
    QColor m_backColor; // invalid: follow the palette
    bool m_autoSize = false;
};
