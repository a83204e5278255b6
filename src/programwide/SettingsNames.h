#pragma once

#include <QString>

// Where the main window's geometry is kept in the settings store, under the application
// title: one section, four keys, in twips.
namespace SettingsNames {
inline QString section() { return QStringLiteral("Settings"); }
inline QString mainLeft() { return QStringLiteral("MainLeft"); }
inline QString mainTop() { return QStringLiteral("MainTop"); }
inline QString mainWidth() { return QStringLiteral("MainWidth"); }
inline QString mainHeight() { return QStringLiteral("MainHeight"); }
}
