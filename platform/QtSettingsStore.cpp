#include "QtSettingsStore.h"

#include <QSettings>

namespace {

QString path(const QString &section, const QString &key)
{
    return section + QLatin1Char('/') + key;
}

} // namespace

QString QtSettingsStore::GetSetting(const QString &app, const QString &section, const QString &key,
                                    const QString &defaultValue) const
{
    const QSettings settings(QSettings::UserScope, QStringLiteral("Tavrel"), app);
    return settings.value(path(section, key), defaultValue).toString();
}

void QtSettingsStore::SaveSetting(const QString &app, const QString &section, const QString &key,
                                  const QString &value)
{
    QSettings settings(QSettings::UserScope, QStringLiteral("Tavrel"), app);
    settings.setValue(path(section, key), value);
}
