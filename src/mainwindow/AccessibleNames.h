#pragma once

#include <QString>

// What a screen reader says of the picture on show and of the ad steppers.

// An ad: make, model year and place in the year, e.g. "Solenne 1955, advertisement 2 of 3".
// adYear is two-digit (55); counter is the counter's text ("2 of 3").
QString adPictureName(const QString& make, int adYear, const QString& counter);
// The make's emblem, e.g. "Solenne emblem".
QString emblemPictureName(const QString& make);
// A parent company's picture, e.g. "Vantorra company picture" (trailing blanks dropped).
QString companyPictureName(const QString& parentCaption);
// A stepper, with the counter: "Advertisement 2 of 3".
QString stepperName(const QString& counter);
