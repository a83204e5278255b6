#pragma once

#include <QString>

// The per-user settings store: text values by application, section and key.
class SettingsStore
{
public:
    virtual ~SettingsStore() = default;
    virtual QString getSetting(const QString& appName, const QString& section, const QString& key,
                               const QString& defaultValue) = 0;
    virtual void saveSetting(const QString& appName, const QString& section, const QString& key,
                             const QString& value) = 0;
};
