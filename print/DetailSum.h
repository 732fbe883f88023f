#pragma once

#include "documents/Decimal.h"

#include <QString>
#include <QVariant>

#include <optional>

struct BillTemplate;
struct DocumentData;

// The sums "[小计]" and "[总计]" print: every line counts, so a value that
// is no number leaves the sum without a value rather than wrong.
namespace DetailSum {

// What a line adds: a number as it is (Decimal, or a plain integer or
// double), text as people write amounts
// (Decimal::fromWritten), nothing for an empty value; no value for text
// that is no number, a date or anything else.
std::optional<Decimal> AmountOf(const QVariant &value);
// The sum of a detail column over lines [first, end); no value when one of
// them is no number. A sum past what prints throws RuntimeError (Overflow)
// naming the document, the column, the line and the value.
std::optional<Decimal> Over(const DocumentData &data, int column, int first, int end);

// A value in a column the template sums that is no number.
struct Unreadable
{
    int line = 0; // from 1
    QString column;
    QString value;
};
// The first such value of the document, by line and then by column.
std::optional<Unreadable> FirstUnreadable(const BillTemplate &bill, const DocumentData &data);

} // namespace DetailSum
