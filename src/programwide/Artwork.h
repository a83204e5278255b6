#pragma once

#include <QImage>

// The pictures stored with the windows, drawn by the program itself.
QImage splashPicture();          // 613 x 378, the splash window's picture
QImage formIconPicture();        // 32 x 32, the window icon
QImage image1DesignPicture();    // 475 x 555, the picture area before the first company picture
QImage copyPanelPicture();       // 360 x 119, decoration of the copy panel
QImage printerPicture();         // 16 x 16, the document viewer's print button
QImage aboutPicture();           // 170 x 85, the About box's small picture
