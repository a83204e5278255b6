#pragma once

#include "platform/Units.h"

#include <QColor>

// The red of the chosen make and of the year on show.
inline QColor onShowColour() { return vbColor(0x000000FF); }

// The dark blue of a make button that is not chosen, as designed.
inline QColor makeColour() { return vbColor(0x00C00000); }
