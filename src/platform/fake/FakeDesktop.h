#pragma once

// Test stand-ins for the desktop opener and the help file location.

#include "platform/HelpFile.h"
#include "platform/Shell.h"

#include <QStringList>

// Records every address handed to the desktop; opens nothing.
class FakeShell : public Shell
{
public:
    void open(const QString& address) override { opened.append(address); }
    QStringList opened;
};

// The help file is looked for where the test says (nowhere until it does).
class FakeHelpFile : public HelpFile
{
public:
    QStringList candidates() const override { return paths; }
    QStringList paths;
};
