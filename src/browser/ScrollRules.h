#pragma once

// VScr.Max for a picture of the given height and a scroll bar (viewport) of the given
// height, in pixels: the difference rounded to a whole number, halves to the even
// neighbour, kept within the scroll bar's 16-bit range and never below 0 (a picture
// shorter than the viewport has nothing to scroll).
int scrollMaximum(double pictureHeight, double scrollBarHeight);
