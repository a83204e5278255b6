#pragma once

#include <QString>

struct ProgramState;
struct Services;

// The media prompt for the reason in ErrorCode. Returns true when the user chose Retry
// (the caller repeats its check); on Cancel it ends the program at once and returns false,
// which only a scripted end ever lets the caller see.
bool ReportMediaError(ProgramState& g, Services& s);

// A picture the program cannot do without is unreadable although the media answered:
// says which and why, then ends the program at once.
void ReportUnreadablePicture(ProgramState& g, Services& s, const QString& relative, const QString& error);
