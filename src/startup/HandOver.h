#pragma once

class Form1;
struct ProgramState;
struct Services;

// What the splash window's timer does once the splash is gone: loads the main window
// (locates the media, sizes and places the window), selects the first parent company,
// shows the window and puts the first company picture into both picture boxes.
// False when the program ended on the way.
bool HandOver(Form1& f, ProgramState& g, Services& s);
