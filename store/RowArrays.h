#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <vector>

// Many rows of one table gathered as array literals for one server
// statement, INSERT ... SELECT FROM unnest(...): a few bound values for all
// the rows, which a server reads far faster than a literal per field. Many
// small columns go best as one array of the table's row type
// ({"(1,\"a\",)",...}); a few columns with large values (pictures) as one
// array per column ({1,2} {"\\x4142",...}), which the server copies once
// less. Every value reads back as it was: texts and bytes (as hex) quoted
// with their quotes and backslashes escaped, once more inside a row; a
// null value or null text as NULL.
class RowArrays
{
public:
    enum Layout { ArrayOfRows, ArrayPerColumn };

    // fields[i]: which of a row's values is the i-th field of the row type
    // (ArrayOfRows) or the i-th array (ArrayPerColumn); -1 for none (null).
    RowArrays(Layout layout, std::vector<int> fields);

    // One row, its values indexed as fields says.
    void append(const QVariant *values);
    int rows() const { return m_rows; }
    // Characters gathered so far.
    qsizetype length() const;
    // The values to bind: one literal, or one per column.
    QStringList literals() const;
    void clear();

private:
    void appendField(QString &to, const QVariant &value) const;

    Layout m_layout;
    std::vector<int> m_fields;
    std::vector<QString> m_texts;
    int m_rows = 0;
};
