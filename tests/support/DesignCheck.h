#pragma once

#include "programwide/Design.h"

#include <QStringList>

class QWidget;

// Holds a window against its design table: every control of the table is there under its
// name, in its design place (pixels), with the table's caption, font, colours and tool tip.
// Returns one line per difference; empty when the window is as designed.
QStringList differencesFromDesign(QWidget* window, const DesignTable& table);
