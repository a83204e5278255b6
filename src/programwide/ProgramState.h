#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

// The program-wide variables, one instance owned by the application and passed
// to every window. Names are those the whole program uses; all start empty or 0.
struct ProgramState
{
    // Roots of all file access: the media, and where a year's ads are counted and shown.
    QString MediaRoot;
    QString LocalRoot;

    // Reason for the media prompt ("ER001" or "ER002"), kept between prompts.
    QString ErrorCode;

    // Scratch text of the message box being built, and the last answer kept ("4", "2", ...).
    QString MessageText;
    QString MessageAnswer;

    // The chosen make and the four-character code that names its files.
    QString SelectedMake;
    QString MakeCode;

    // The year on show: two-digit model year, number of its ads, the ad on show.
    qint16 AdYear = 0;
    qint16 AdCount = 0;
    qint16 AdNumber = 0;
    QString ParentPrefix;
    QString MakePrefix;

    // "1" normal view, "2" zoomed view.
    QString ZoomState;

    // Stands for the taskbar's window handle: non-zero once the full-screen command has looked it up.
    qintptr TaskbarWindow = 0;
};
