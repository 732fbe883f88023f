#include "TemplatePrinter.h"

#include "model/BillTemplate.h"

#include "platform/AppTitle.h"
#include "platform/Platform.h"
#include "platform/Printers.h"
#include "platform/SettingsStore.h"

namespace TemplatePrinter {

namespace {

const QString Section = QStringLiteral("TemplatePrinters");

QString keyOf(const BillTemplate &bill)
{
    return QString::number(bill.mID);
}

} // namespace

QString printerFor(const BillTemplate &bill)
{
    const Printers &printers = Platform::printers();
    if (bill.mID > 0) {
        const QString remembered
            = Platform::settings().GetSetting(AppTitle(), Section, keyOf(bill), QString());
        if (printers.isInstalled(remembered))
            return remembered;
    }
    if (printers.isInstalled(printers.defaultName()))
        return printers.defaultName();
    const QStringList names = printers.names();
    return names.isEmpty() ? QString() : names.first();
}

void remember(const BillTemplate &bill, const QString &printer)
{
    if (bill.mID <= 0 || printer.isEmpty())
        return;
    Platform::settings().SaveSetting(AppTitle(), Section, keyOf(bill), printer);
}

} // namespace TemplatePrinter
