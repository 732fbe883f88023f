#include "DetailSum.h"

#include "print/FieldVocabulary.h"

#include "documents/DocumentData.h"
#include "model/BillTemplate.h"
#include "platform/RuntimeError.h"
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
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
        return Decimal::fromInteger(value.toLongLong());
    case QMetaType::Double:
        return Decimal::fromDouble(value.toDouble());
    case QMetaType::QString:
        break;
    default:
        return std::nullopt;
    }
    const QString text = value.toString();
    if (text.trimmed().isEmpty())
        return Decimal();
    return Decimal::fromWritten(text);
}

std::optional<Decimal> Over(const DocumentData &data, int column, int first, int end)
{
    Decimal sum;
    for (int line = std::max(0, first); line < std::min(end, data.lineCount()); ++line) {
        const QVariant value = data.detailValue(line, column);
        const std::optional<Decimal> amount = AmountOf(value);
        if (!amount)
            return std::nullopt;
        try {
            sum += *amount;
        } catch (const RuntimeError &e) {
            throw RuntimeError(static_cast<enum RuntimeError::Number>(e.Number()),
                               QStringLiteral("单据 %1 明细列“%2”的合计加上第 %3 行的值 %4 后超出能打印的范围")
                                   .arg(data.billNo)
                                   .arg(data.detailColumns.value(column))
                                   .arg(line + 1)
                                   .arg(value.toString()),
                               e.Source());
        }
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
