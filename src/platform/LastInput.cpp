#include "platform/LastInput.h"

#include <QCoreApplication>
#include <QEvent>

LastInput::LastInput(QObject* parent)
    : QObject(parent)
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->installEventFilter(this);
}

LastInput::~LastInput()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
}

bool LastInput::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride: m_keyboard = true; break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::TouchBegin:
    case QEvent::Wheel: m_keyboard = false; break;
    default: break;
    }
    return QObject::eventFilter(watched, event);
}
