#pragma once

struct ProgramState;
struct Services;

// Finds the local library and the media. Sets LocalRoot (the program's folder when its
// "ads" holds a ".jpg" file and the last copy into it completed) and MediaRoot (the first
// candidate root whose "ads" holds a ".jpg" file); prompts with "ER002" and runs again on Retry. Returns false when the
// program is ending (Cancel).
bool LocateMedia(ProgramState& g, Services& s);
