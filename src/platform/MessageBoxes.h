#pragma once

#include "programwide/Texts.h"

#include <QString>

// Button sets, icons and answers of a message box, with the old runtime's codes.
namespace MsgBox {
enum Buttons { OkOnly = 0, YesNo = 4, RetryCancel = 5 };
enum Icon { NoIcon = 0, Critical = 16, Question = 32, Exclamation = 48 };
enum Answer { Ok = 1, Cancel = 2, Retry = 4, Yes = 6, No = 7 };
}

// Shows every message box of the program. CR LF in a text is a line break.
class MessageBoxes
{
public:
    virtual ~MessageBoxes() = default;
    // Returns the answer code (MsgBox::Answer). An empty title shows the application title.
    virtual int show(const QString& text, int buttons, int icon, const QString& title = QString()) = 0;
};
