#pragma once

#include <QDateTime>

// The current local date and time.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};
