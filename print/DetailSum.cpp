#include "DetailSum.h"

#include "print/FieldVocabulary.h"

#include "documents/DocumentData.h"
#include "model/BillTemplate.h"
#include "platform/Element.h"

#include <algorithm>

namespace DetailSum {

namespace {

// Columns of the document that a visible total of the template sums.
std::vector<int> summedColumns(const BillTemplate &bill, const DocumentData &data)
{
    std::vector<int> columns;
    for (const auto &obj : bill.mObjs) {
        const Element *e = obj->ObjCtl();
        if (!e || !e->Visible() || obj->eType() != ObjDraw::Text || obj->IsFix() || !obj->Sumed()
            || !FieldVocabulary::IsDetailCode(e->Tag()))
            continue;
        const int index = data.detailIndex(FieldVocabulary::ColumnOf(e->Tag()));
        if (index >= 0 && std::find(columns.begin(), columns.end(), index) == columns.end())
            columns.push_back(index);
    }
    std::sort(columns.begin(), columns.end());
    return columns;
}

} // namespace

std::optional<Decimal> AmountOf(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return Decimal();
    if (value.metaType() == QMetaType::fromType<Decimal>())
        return value.value<Decimal>();
    if (value.typeId() != QMetaType::QString)
        return std::nullopt;
    const QString text = value.toString();
    if (text.trimmed().isEmpty())
        return Decimal();
    return Decimal::fromWritten(text);
}

std::optional<Decimal> Over(const DocumentData &data, int column, int first, int end)
{
    Decimal sum;
    for (int line = std::max(0, first); line < std::min(end, data.lineCount()); ++line) {
        const std::optional<Decimal> amount = AmountOf(data.detailValue(line, column));
        if (!amount)
            return std::nullopt;
        sum += *amount;
    }
    return sum;
}

std::optional<Unreadable> FirstUnreadable(const BillTemplate &bill, const DocumentData &data)
{
    const std::vector<int> columns = summedColumns(bill, data);
    if (columns.empty())
        return std::nullopt;
    for (int line = 0; line < data.lineCount(); ++line) {
        for (const int column : columns) {
            const QVariant value = data.detailValue(line, column);
            if (!AmountOf(value))
                return Unreadable{line + 1, data.detailColumns.value(column), value.toString()};
        }
    }
    return std::nullopt;
}

} // namespace DetailSum
