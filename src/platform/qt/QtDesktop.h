#pragma once

// The real desktop opener and help file location.

#include "platform/HelpFile.h"
#include "platform/Shell.h"

// QDesktopServices::openUrl (xdg-open on Linux).
class QtShell : public Shell
{
public:
    void open(const QString& address) override;
};

// vantorraads.html beside the executable as the build leaves it
// (<exe dir>/share/vantorraads/), then in an installed prefix (<exe dir>/../share/vantorraads/).
class QtHelpFile : public HelpFile
{
public:
    QStringList candidates() const override;
};
