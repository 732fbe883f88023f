#include "PreviewCommand.h"

#include "print/DocumentNumber.h"
#include "print/Mod_Print.h"

#include "model/BillTemplate.h"
#include "platform/Dialogs.h"
#include "platform/Element.h"
#include "platform/Platform.h"

namespace PreviewCommand {

namespace {

void warn(const BillTemplate &bill, const QString &text)
{
    Platform::dialogs().MsgBox(text, MsgButtons::OK, MsgIcon::Exclamation, bill.Caption);
}

} // namespace

bool HasPrintableContent(const BillTemplate &tmpBill)
{
    for (const auto &obj : tmpBill.mObjs) {
        if (obj->ObjCtl() && obj->ObjCtl()->Visible())
            return true;
    }
    return false;
}

void PreView(const BillTemplate &tmpBill)
{
    if (!HasPrintableContent(tmpBill)) {
        warn(tmpBill, QStringLiteral("没有发现可打印的内容！"));
        return;
    }
    if (tmpBill.mID == 0) {
        warn(tmpBill, QStringLiteral("请先保存数据！"));
        return;
    }
    const QString answer = Platform::dialogs().InputBox(QStringLiteral("请输入单据号？"),
                                                        QStringLiteral("单据号"),
                                                        QStringLiteral("0"));
    const std::optional<int32_t> billNo = DocumentNumber(answer);
    if (!billNo) {
        warn(tmpBill, QStringLiteral("单据号超出范围！"));
        return;
    }
    Mod_Print::PrintBill(tmpBill, tmpBill.mScreenID, tmpBill.mID, *billNo, 0, true, *billNo == 0);
}

} // namespace PreviewCommand
