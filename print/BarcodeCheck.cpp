#include "BarcodeCheck.h"

#include "model/BillTemplate.h"
#include "platform/BarcodeLayout.h"
#include "platform/BarcodeSymbol.h"
#include "platform/Dialogs.h"
#include "platform/Element.h"
#include "platform/Platform.h"
#include "platform/Units.h"

#include <QStringList>

#include <algorithm>

namespace BarcodeCheck {

namespace {

// More than a screenful helps no one; the count of the rest is enough.
constexpr int ListedProblems = 12;

QString objectName(const Element &e)
{
    return QStringLiteral("“%1”（左 %2 mm，上 %3 mm）")
        .arg(e.Caption(), Units::formatMm(Units::twipsToMm(e.Left())),
             Units::formatMm(Units::twipsToMm(e.Top())));
}

bool hasCodes(const BillTemplate &bill)
{
    return std::any_of(bill.mObjs.begin(), bill.mObjs.end(),
                       [](const auto &obj) { return obj->Barcode().isCode(); });
}

} // namespace

void Collect(const BillTemplate &bill, int pageCount, const PageContexts &pages,
             std::vector<Problem> &problems)
{
    // Most templates print no code: their texts need not be worked out twice.
    if (!hasCodes(bill))
        return;
    const PageComposer::TextVisitor check = [&problems](const ObjDraw &obj, const Element &e,
                                                        const QString &text,
                                                        const QPointF &offset) {
        if (!obj.Barcode().isCode())
            return;
        const auto symbol = BarcodeSymbol::encode(obj.Barcode(), text);
        const BarcodeLayout layout(*symbol, obj.Barcode(), e.rect().translated(offset), e.Font(),
                                   e.Alignment());
        if (layout.fits())
            return;
        Problem problem{objectName(e), text, layout.reason()};
        if (std::find(problems.begin(), problems.end(), problem) == problems.end())
            problems.push_back(std::move(problem));
    };
    for (int page = 1; page <= pageCount; ++page)
        PageComposer::ForEachText(bill, pages(page), check);
}

QString Message(const std::vector<Problem> &problems)
{
    if (problems.empty())
        return QString();
    QStringList lines{QStringLiteral("以下条码无法印出，打印时这些位置将留空：")};
    const int listed = std::min<int>(ListedProblems, int(problems.size()));
    for (int i = 0; i < listed; ++i) {
        const Problem &p = problems[std::size_t(i)];
        lines << QStringLiteral("对象%1的值“%2”：%3").arg(p.object, p.value, p.reason);
    }
    if (int(problems.size()) > listed)
        lines << QStringLiteral("……另有 %1 处").arg(int(problems.size()) - listed);
    return lines.join(QStringLiteral("\r\n"));
}

void Warn(const BillTemplate &bill, const std::vector<Problem> &problems)
{
    const QString message = Message(problems);
    if (!message.isEmpty())
        Platform::dialogs().MsgBox(message, MsgButtons::OK, MsgIcon::Exclamation, bill.Caption);
}

} // namespace BarcodeCheck
