#pragma once

#include <QString>

// Hands an address to the desktop, which opens it with the user's own program for it (a
// web address in the web browser). Whether that worked is not looked at.
class Shell
{
public:
    virtual ~Shell() = default;
    virtual void open(const QString& address) = 0;
};
