#pragma once

#include <QSqlQuery>
#include <QString>

#include <cstdint>

// Reads the columns of one stored row strictly: a missing value, a value of
// the wrong kind or out of range fails with RuntimeError
// (TemplateDataCorrupt) naming the table, the column and the row, so a
// damaged row never becomes a silently wrong object.
class RowReader
{
public:
    RowReader(const QSqlQuery &query, const char *table, const char *const *columnNames,
              QString row);

    bool isNull(int column) const;
    int64_t integer(int column, int64_t min, int64_t max) const;
    double real(int column) const;
    // A length in twips, no further from 0 than the largest page.
    double length(int column) const;
    bool flag(int column) const { return integer(column, 0, 1) != 0; }
    // A missing text reads as empty (drivers store an empty text as null).
    QString text(int column) const;
    QByteArray bytes(int column) const;

    [[noreturn]] void corrupt(int column) const;

private:
    const QSqlQuery &m_query;
    const char *m_table;
    const char *const *m_columnNames;
    QString m_row;
};
