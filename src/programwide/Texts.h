#pragma once

#include <QString>

// The application title: the caption of a message box that gives none, and the name
// under which the settings are stored.
inline QString applicationTitle() { return QStringLiteral("VantorraAds"); }

// The program's title: the main window's caption and that of its messages; the document
// viewer's messages spell it with "and".
inline QString programTitle() { return QStringLiteral("Vantorra Ads of the 50's & 60's"); }
inline QString documentTitle() { return QStringLiteral("Vantorra Ads of the 50's and 60's"); }

// A line break in message texts.
inline QString crlf() { return QStringLiteral("\r\n"); }

// A document of the media that is there but cannot be shown: its path and the reader's reason.
inline QString documentFailureText(const QString& path, const QString& reason)
{
    return QStringLiteral("The document cannot be shown:") + crlf() + crlf() + path + crlf() + crlf() + reason;
}
