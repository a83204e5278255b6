#pragma once

#include <QTimer>
#include <QWidget>

// Two arrow buttons in one control. Wider than high: left arrow spins down,
// right arrow spins up. Otherwise: top arrow up, bottom arrow down.
// Pressing an arrow emits its signal once; holding the mouse button repeats
// after an initial delay, as long as the pointer stays on that arrow. Repeating
// stops as soon as the control loses the mouse: the button is released, the
// control is hidden or disabled, its window is blocked by a modal window or
// loses activation, or a popup or another widget takes the mouse.
// From the keyboard (it takes the focus by Tab, not by a click): Left, Down and comma spin
// down, Right, Up and period spin up, once per key press. Assistive technology sees the two arrows as
// buttons named arrowName(), with a press action that spins as a click does.
class SpinButton : public QWidget
{
    Q_OBJECT

public:
    enum class Arrow { None, Down, Up };
    Q_ENUM(Arrow)

    static constexpr int InitialDelayMs = 400;
    static constexpr int RepeatIntervalMs = 100;

    explicit SpinButton(QWidget* parent = nullptr);

    bool isHorizontal() const { return width() >= height(); }
    QRect arrowRect(Arrow arrow) const;
    Arrow arrowAt(const QPoint& pos) const;
    // The arrow drawn sunken right now (None when none is held under the pointer).
    Arrow pressedArrow() const;

    // What a screen reader calls each arrow; "Spin down" and "Spin up" until set.
    QString arrowName(Arrow arrow) const;
    void setArrowNames(const QString& down, const QString& up);

    // Spins once in the arrow's direction, as a click on it does (nothing while disabled).
    void press(Arrow arrow) { fire(arrow); }

    QSize sizeHint() const override;

signals:
    void spinDown();
    void spinUp();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void fire(Arrow arrow);
    void repeat();
    void stop();
    // True when the mouse button held on an arrow can no longer be released on it.
    bool lostTheMouse() const;
    void drawArrow(QPainter* painter, Arrow arrow, bool sunken) const;

    QTimer m_timer;
    Arrow m_held = Arrow::None; // arrow the mouse button went down on
    bool m_over = false;        // the pointer is still on m_held
    QString m_downName = QStringLiteral("Spin down");
    QString m_upName = QStringLiteral("Spin up");
};
