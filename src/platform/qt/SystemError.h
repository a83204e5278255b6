#pragma once

#include <QString>

#include <cstring>

// The system's own words for an error number (errno), as the file services report it.
inline QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}
