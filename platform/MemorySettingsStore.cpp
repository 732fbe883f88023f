#include "MemorySettingsStore.h"

QString MemorySettingsStore::GetSetting(const QString &app, const QString &section,
                                        const QString &key, const QString &defaultValue) const
{
    const auto it = m_values.find({app, section, key});
    return it == m_values.end() ? defaultValue : it->second;
}

void MemorySettingsStore::SaveSetting(const QString &app, const QString &section,
                                      const QString &key, const QString &value)
{
    m_values[{app, section, key}] = value;
    ++writes;
}

bool MemorySettingsStore::contains(const QString &app, const QString &section,
                                   const QString &key) const
{
    return m_values.count({app, section, key}) != 0;
}
