#pragma once

#include "platform/MessageBoxes.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <functional>

// A scripted message box: answers from a queue and records every call. With the queue
// empty it answers the way out (OK, No or Cancel) and counts the call as unexpected,
// so a test that forgot an answer fails instead of looping.
class FakeMessageBoxes : public MessageBoxes
{
public:
    struct Call
    {
        QString text;
        int buttons = 0;
        int icon = 0;
        QString title;      // as shown: the application title when none was given
    };

    int show(const QString& text, int buttons, int icon, const QString& title = QString()) override;

    FakeMessageBoxes& answer(int code) { m_answers.enqueue(code); return *this; }
    // Runs before each answer is given: the test can change the world while the box is up.
    std::function<void(const Call&)> onShow;

    QList<Call> calls;
    int unexpected = 0;

private:
    QQueue<int> m_answers;
};
