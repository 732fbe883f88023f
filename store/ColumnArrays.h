#pragma once

#include <QString>
#include <QVariant>

#include <vector>

// Many rows of one table gathered as one array literal per column ("{1,2}",
// "{\"a\",NULL}"), for a server's INSERT ... SELECT FROM unnest(...): one
// bound value per column instead of one per field, which a server reads
// far faster than thousands of separate literals. Every element is written
// so that it reads back as it was: texts quoted with their quotes and
// backslashes escaped, bytes as hex, a null value or null text as NULL.
class ColumnArrays
{
public:
    explicit ColumnArrays(int columns);

    // One row, values[0 .. columns - 1] in column order.
    void append(const QVariant *values);
    int rows() const { return m_rows; }
    // Characters gathered so far over all columns.
    qsizetype length() const { return m_length; }
    // The column's array literal.
    QString literal(int column) const;
    void clear();

private:
    static void appendElement(QString &to, const QVariant &value);

    std::vector<QString> m_columns;
    int m_rows = 0;
    qsizetype m_length = 0;
};
