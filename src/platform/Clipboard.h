#pragma once

#include <QImage>
#include <QString>

// The system clipboard.
class Clipboard
{
public:
    virtual ~Clipboard() = default;
    // Clears the clipboard and puts the picture on it. False, with the reason in *error,
    // when the clipboard did not take it.
    virtual bool putPicture(const QImage& picture, QString* error) = 0;
};
