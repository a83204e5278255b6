#include "mainwindow/Form1.h"

#include "platform/ImageControl.h"
#include "platform/ThreeDPanel.h"

void Form1::SizeAndPlaceWindow()
{
    // The size computed from the layout: right edge of the picture area and bottom of the
    // status row, in pixels, times 15 twips, plus room for the frame and the menu bar.
    const int widthTwips = (Image1->x() + Image1->width()) * 15 + 400;
    const int heightTwips = (StatusTime->y() + StatusTime->height()) * 15 + 1300;
    resize(widthTwips / 15, heightTwips / 15);
}
