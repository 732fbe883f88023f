#pragma once

#include <QString>

// Per-user string settings addressed by application, section and key.
class SettingsStore
{
public:
    virtual ~SettingsStore() = default;
    virtual QString GetSetting(const QString &app, const QString &section, const QString &key,
                               const QString &defaultValue) const = 0;
    virtual void SaveSetting(const QString &app, const QString &section, const QString &key,
                             const QString &value) = 0;
};
