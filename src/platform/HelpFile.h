#pragma once

#include <QStringList>

// Where the program's help text (an HTML file of our own) is looked for, in order; the
// first that exists is shown.
class HelpFile
{
public:
    virtual ~HelpFile() = default;
    virtual QStringList candidates() const = 0;
};
