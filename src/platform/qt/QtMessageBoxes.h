#pragma once

#include "platform/MessageBoxes.h"

// Modal QMessageBox over the active window.
class QtMessageBoxes : public MessageBoxes
{
public:
    int show(const QString& text, int buttons, int icon, const QString& title = QString()) override;
};
