#pragma once

#include <QAbstractButton>
#include <QColor>

// A 3-D command button that paints its own raised/sunken edge, so it looks the
// same under every style. The caption may hold a mnemonic ('&'): it is drawn
// underlined and Alt+letter clicks the button, as with QPushButton.
class ThreeDButton : public QAbstractButton
{
    Q_OBJECT
    Q_PROPERTY(QColor foreColor READ foreColor WRITE setForeColor)

public:
    explicit ThreeDButton(QWidget* parent = nullptr);
    explicit ThreeDButton(const QString& caption, QWidget* parent = nullptr);

    QColor foreColor() const { return m_foreColor; }
    void setForeColor(const QColor& color);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // Every key press that reaches the button, except Tab and Backtab, which
    // stay focus navigation. Emitted before the button handles the key itself,
    // so Space still clicks afterwards. See windowsKeyCode() for the codes;
    // shift is windowsShiftState() of the modifiers.
    void keyDown(int keyCode, int shift);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QColor m_foreColor = Qt::black;
};
