#pragma once

#include <QColor>
#include <QFont>
#include <QtGlobal>

// Conversions from the units the form designs were written in.

// A design colour is stored as &H00BBGGRR: red in the low byte, blue in the
// third. The top byte (system colour flag) is ignored.
QColor vbColor(quint32 bgr);

// Design positions and sizes are in twips; 15 twips make one pixel at 96 dpi.
int twipsToPixels(int twips);

// The design font, asked for by name. Qt substitutes a sans-serif face when
// "MS Sans Serif" is not installed.
QFont designFont(double pointSize, bool bold, bool italic = false);

// Rounds half to even, as the old runtime does when it stores a fractional
// value in an integer (0.5 -> 0, 1.5 -> 2, 2.5 -> 2, -1.5 -> -2).
int roundHalfEven(double value);
