#pragma once

#include <QObject>

// Remembers whether the user's last input came from the keyboard or from the mouse (or a
// touch screen), by watching every event of the application. A panel opened from the
// keyboard can then take the focus, so a keyboard or screen-reader user lands on its
// buttons, while a mouse user sees nothing move.
class LastInput : public QObject
{
public:
    explicit LastInput(QObject* parent = nullptr);
    ~LastInput() override;

    bool wasKeyboard() const { return m_keyboard; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool m_keyboard = false;
};
