#pragma once

// Plain rules of the main window's shell: numbers as the program writes and reads them,
// the window size computed from the layout, where a window may be placed, the status
// clock's texts and the screen-resolution messages. Each sits beside its handler.

#include <QDate>
#include <QLocale>
#include <QRect>
#include <QString>
#include <QTime>
#include <QVector>
#include <QtGlobal>
#include <optional>

// ---- numbers (Geometry.cpp) ----

// The shortest decimal text that reads back as the same single-precision value
// ("11965", "819.2", "-8"); whole numbers have no decimal point.
QString singleText(float value);

// The text of a setting converted to single precision: a number in the C form ("1.5",
// "1e3") or in the platform's form ("1,5" where that is the decimal separator), blanks
// around it allowed. Empty, other text, values outside single precision, NaN and
// infinities give no value.
std::optional<float> parseSingle(const QString& text);

// ---- geometry at load (Geometry.cpp) ----

// Window size computed from the layout, in twips, with the fixed factor of 15:
// (right edge of the picture area) x 15 + 400 and (bottom of the status row) x 15 + 1300,
// both edges in pixels.
int computedWidthTwips(int imageLeft, int imageWidth);
int computedHeightTwips(int statusTop, int statusHeight);

// The top-left corner for a window whose frame would lie at frame: unchanged while any
// part of it lies on one of the screens; otherwise the top-left corner of fallbackArea
// (the primary screen's usable area), so the window can be seen and reached again.
QPoint placeOnScreens(const QRect& frame, const QVector<QRect>& screens, const QRect& fallbackArea);

// ---- status clock (StatusClock.cpp) ----

// "hh:mm:ss am/pm": 12-hour clock with two-digit hour, lower-case "am"/"pm".
QString clockTimeText(const QTime& time);
// "mm/dd/yy" with the locale's date separator in place of "/".
QString clockDateText(const QDate& date, const QLocale& locale);
// "dddd": the full name of the day in the locale's language.
QString clockDayText(const QDate& date, const QLocale& locale);
// The separator between the fields of the locale's short date format ("/" when it has none).
QString dateSeparator(const QLocale& locale);

// ---- screen resolution (Resolution.cpp) ----

// True exactly when the screen measures width x 15 by height x 15 twips (single-precision
// comparison). The width is tested first. A product outside 32-bit integers matches no
// screen.
bool isScreenResolution(double screenWidthTwips, double screenHeightTwips, qint32 width, qint32 height);

// A number as a message shows it: a leading blank unless it is negative, then singleText().
QString numberText(float value);

// The message for a screen of exactly 800 x 600 pixels at 15 twips per pixel.
QString optimumResolutionMessage();
// The advice for any other screen, with its size in pixels at 15 twips per pixel.
QString resolutionAdviceMessage(float widthPixels, float heightPixels);
