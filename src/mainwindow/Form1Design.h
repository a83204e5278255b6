#pragma once

#include "programwide/Design.h"

// Every control of the main window as designed, in design order (the first lies in front):
// positions in twips, captions, fonts, colours and tool tips.
const DesignTable& form1Design();

// The design client area of the main window, in twips.
constexpr int kForm1ClientWidth = 10170;
constexpr int kForm1ClientHeight = 8445;
