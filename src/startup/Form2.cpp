#include "startup/Form2.h"

#include "startup/HandOver.h"
#include "mainwindow/Form1.h"
#include "platform/LoadPicture.h"
#include "platform/InstanceLock.h"
#include "platform/MessageBoxes.h"
#include "platform/MousePointer.h"
#include "platform/OptionButton.h"
#include "platform/PictureBox.h"
#include "platform/ProgramEnd.h"
#include "platform/ScreenInfo.h"
#include "platform/Services.h"
#include "platform/ThreeDPanel.h"
#include "platform/Units.h"
#include "programwide/Artwork.h"
#include "programwide/Design.h"
#include "programwide/ProgramState.h"
#include "programwide/MediaPrompt.h"
#include "programwide/Texts.h"

#include <QTimer>

const DesignTable& form2Design()
{
    static const DesignTable design = {
        at(QStringLiteral("SSPanel1"), 0, 0, 9855, 6015),
        at(QStringLiteral("Picture2"), 360, 360, 9135, 5295),
    };
    return design;
}

Form2::Form2(ProgramState& state, Services& services, Form1Factory makeForm1, int handOverMs, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
    , m_g(state)
    , m_s(services)
    , m_makeForm1(std::move(makeForm1))
    , m_handOverMs(handOverMs)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(programTitle());
    // Client area 9840 x 6015 twips, filled by the panel.
    setFixedSize(twipsToPixels(9840), twipsToPixels(6015));

    SSPanel1 = new ThreeDPanel(this);
    SSPanel1->setObjectName(QStringLiteral("SSPanel1"));
    Picture2 = new PictureBox(SSPanel1);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->setPicture(splashPicture());
    applyDesign(this, form2Design());

    // Interval 0 at design: nothing fires until the load step arms it.
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, &Form2::Timer1_Timer);

    const QRect screen = m_s.screen.availableGeometry();
    if (screen.isValid())
        move(screen.center() - rect().center());
}

void Form2::Form_Load()
{
    // 1. Hourglass.
    m_s.pointer.setMousePointer(MousePointer::Hourglass);
    // 2. On screen, not modal.
    show();
    // 3. A second copy runs only when the user says so.
    if (m_s.instance.anotherInstanceRunning()) {
        const int answer = m_s.boxes.show(QStringLiteral("Vantorra Ads is already running!") + crlf() + crlf()
                                              + QStringLiteral("Are you sure you want to run another copy?"),
                                          MsgBox::YesNo, MsgBox::NoIcon);
        if (answer == MsgBox::No) {
            m_s.end.endNow(0);
            return;
        }
    }
    // 4. The six seconds start once the question is answered.
    Timer1->start(m_handOverMs);
}

void Form2::Timer1_Timer()
{
    // 1. Default pointer while the main window loads.
    m_s.pointer.setMousePointer(MousePointer::Default);
    // 2. Unload the splash; its timer stops, so the hand-over runs once.
    Timer1->stop();
    hide();
    deleteLater();
    // 3-8. Load the main window and hand over to it.
    Form1* f = m_makeForm1();
    if (!HandOver(*f, m_g, m_s))
        return;
    emit handedOver(f);
}
