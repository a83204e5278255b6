#pragma once

struct ProgramState;
struct Services;

// The media prompt for the reason in ErrorCode. Returns true when the user chose Retry
// (the caller repeats its check); on Cancel it ends the program at once and returns false,
// which only a scripted end ever lets the caller see.
bool ReportMediaError(ProgramState& g, Services& s);
