#pragma once

#include <QString>

// Captions the program's message boxes carry.
inline QString programTitle() { return QStringLiteral("Vantorra Ads of the 50's & 60's"); }
inline QString documentTitle() { return QStringLiteral("Vantorra Ads of the 50's and 60's"); }

// A line break in message texts.
inline QString crlf() { return QStringLiteral("\r\n"); }
