#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <cstdint>
#include <vector>

// One document as plain values: its header row and its detail lines, read
// once before a run. Numbers are Decimal, dates QDate or QDateTime, text
// QString, SQL NULL an invalid QVariant.
struct DocumentData
{
    int32_t billNo = 0;
    QStringList headerColumns;
    QVariantList header;
    QStringList detailColumns;
    std::vector<QVariantList> lines;

    // Column positions by name, ignoring case (servers fold unquoted
    // names); -1 when the query does not return it.
    int headerIndex(const QString &column) const;
    int detailIndex(const QString &column) const;
    // The value, invalid when the column or the line is missing.
    QVariant headerValue(const QString &column) const;
    QVariant detailValue(int line, int column) const;
    int lineCount() const { return int(lines.size()); }
};
