#pragma once

#include <QString>

// The program's folder: home of the local library "ads".
class ProgramFolder
{
public:
    virtual ~ProgramFolder() = default;
    virtual QString path() const = 0;
};
