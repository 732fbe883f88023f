#pragma once

#include "SettingsStore.h"

// Settings kept with QSettings, one settings file per application name.
class QtSettingsStore : public SettingsStore
{
public:
    QString GetSetting(const QString &app, const QString &section, const QString &key,
                       const QString &defaultValue) const override;
    void SaveSetting(const QString &app, const QString &section, const QString &key,
                     const QString &value) override;
};
