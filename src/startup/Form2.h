#pragma once

#include "programwide/Design.h"

#include <QWidget>
#include <functional>

class QTimer;
class Form1;
class PictureBox;
class ThreeDPanel;
struct ProgramState;
struct Services;

// The splash window's controls as designed, in twips.
const DesignTable& form2Design();

// The splash window: asks before a second copy runs, waits six seconds, then hands over
// to the main window.
class Form2 : public QWidget
{
    Q_OBJECT

public:
    // Makes (not yet loads) the main window; its owner keeps it for the rest of the run.
    using Form1Factory = std::function<Form1*()>;

    Form2(ProgramState& state, Services& services, Form1Factory makeForm1, int handOverMs = 6000,
          QWidget* parent = nullptr);

    ThreeDPanel* SSPanel1 = nullptr;
    PictureBox* Picture2 = nullptr;
    QTimer* Timer1 = nullptr;

    void Form_Load();
    void Timer1_Timer();

signals:
    // The main window is on screen and waits for the user.
    void handedOver(Form1* form);

private:
    ProgramState& m_g;
    Services& m_s;
    Form1Factory m_makeForm1;
    int m_handOverMs;
};
