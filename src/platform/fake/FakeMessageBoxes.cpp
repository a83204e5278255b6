#include "platform/fake/FakeMessageBoxes.h"

int FakeMessageBoxes::show(const QString& text, int buttons, int icon, const QString& title)
{
    Call call{text, buttons, icon, title.isEmpty() ? applicationTitle() : title};
    calls.append(call);
    if (onShow)
        onShow(call);
    if (!m_answers.isEmpty())
        return m_answers.dequeue();
    ++unexpected;
    switch (buttons) {
    case MsgBox::YesNo: return MsgBox::No;
    case MsgBox::RetryCancel: return MsgBox::Cancel;
    default: return MsgBox::Ok;
    }
}
