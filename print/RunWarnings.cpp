#include "RunWarnings.h"

#include "print/DetailSum.h"
#include "print/DocumentMessages.h"
#include "print/Mod_Print.h"
#include "print/ScrollGrid.h"

#include "documents/DocumentData.h"
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

bool UnreadableAmount(const BillTemplate &bill, const DocumentData &data)
{
    const std::optional<DetailSum::Unreadable> found = DetailSum::FirstUnreadable(bill, data);
    if (!found)
        return false;
    warn(bill, QStringLiteral("单据 %1 的明细列“%2”第 %3 行是“%4”，不是数字：含这一行的小计和总计"
                              "印为空白，不少算这一行。")
                   .arg(data.billNo)
                   .arg(found->column)
                   .arg(found->line)
                   .arg(found->value));
    return true;
}

} // namespace RunWarnings
