#include "RunWarnings.h"

#include "print/DocumentMessages.h"
#include "print/Mod_Print.h"
#include "print/ScrollGrid.h"

#include "documents/DocumentType.h"
#include "model/BillTemplate.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"

namespace RunWarnings {

namespace {

void warn(const BillTemplate &bill, const QString &message)
{
    if (!message.isEmpty())
        Platform::dialogs().MsgBox(message, MsgButtons::OK, MsgIcon::Exclamation, bill.Caption);
}

} // namespace

void MissingColumns(const BillTemplate &bill, const DocumentType &type, const DocumentData &data)
{
    const QStringList missing = Mod_Print::MissingColumns(bill, data);
    if (!missing.isEmpty())
        warn(bill, DocumentMessages::MissingColumns(type.name, missing));
}

void GridOffThePage(const BillTemplate &bill)
{
    warn(bill, ScrollGrid(bill).runWarning(bill.Caption));
}

} // namespace RunWarnings
