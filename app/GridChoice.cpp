#include "GridChoice.h"

#include "designer/GridSteps.h"

#include "platform/AppTitle.h"
#include "platform/Platform.h"
#include "platform/SettingsStore.h"

namespace {

const QString Section = QStringLiteral("Settings");
const QString ShownKey = QStringLiteral("GridShown");
const QString SpacingKey = QStringLiteral("GridMm");

} // namespace

GridChoice GridChoice::read()
{
    const SettingsStore &store = Platform::settings();
    GridChoice choice;
    choice.shown = store.GetSetting(AppTitle(), Section, ShownKey, QStringLiteral("0")).trimmed()
                   == QLatin1String("1");
    bool ok = false;
    const int mm = store.GetSetting(AppTitle(), Section, SpacingKey, QString::number(choice.mm))
                       .trimmed()
                       .toInt(&ok);
    if (ok && GridSteps::isChoice(mm))
        choice.mm = mm;
    return choice;
}

void GridChoice::write() const
{
    SettingsStore &store = Platform::settings();
    store.SaveSetting(AppTitle(), Section, ShownKey, shown ? QStringLiteral("1") : QStringLiteral("0"));
    store.SaveSetting(AppTitle(), Section, SpacingKey, QString::number(mm));
}
