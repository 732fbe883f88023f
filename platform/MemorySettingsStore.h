#pragma once

#include "SettingsStore.h"

#include <map>
#include <tuple>

// Settings held in memory (tests).
class MemorySettingsStore : public SettingsStore
{
public:
    QString GetSetting(const QString &app, const QString &section, const QString &key,
                       const QString &defaultValue) const override;
    void SaveSetting(const QString &app, const QString &section, const QString &key,
                     const QString &value) override;

    bool contains(const QString &app, const QString &section, const QString &key) const;
    int writes = 0;

private:
    std::map<std::tuple<QString, QString, QString>, QString> m_values;
};
