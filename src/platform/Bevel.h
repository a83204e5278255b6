#pragma once

#include <QRect>

class QPainter;
class QPalette;

// The 2-pixel 3-D edge shared by the command buttons, panels and spin arrows.
// Raised: light top-left, dark bottom-right; sunken swaps the two.
// Returns the area inside the edge.
constexpr int BevelWidth = 2;
QRect drawBevel(QPainter* painter, const QRect& rect, const QPalette& palette, bool sunken);
