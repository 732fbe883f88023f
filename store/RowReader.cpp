#include "RowReader.h"

#include "platform/RuntimeError.h"
#include "platform/Units.h"

#include <QVariant>

#include <cmath>

RowReader::RowReader(const QSqlQuery &query, const char *table, const char *const *columnNames,
                     QString row)
    : m_query(query)
    , m_table(table)
    , m_columnNames(columnNames)
    , m_row(std::move(row))
{
}

bool RowReader::isNull(int column) const
{
    return m_query.isNull(column);
}

void RowReader::corrupt(int column) const
{
    throw RuntimeError(RuntimeError::TemplateDataCorrupt,
                       QStringLiteral("%1.%2 %3")
                           .arg(QLatin1String(m_table), QLatin1String(m_columnNames[column]),
                                m_row));
}

int64_t RowReader::integer(int column, int64_t min, int64_t max) const
{
    const QVariant value = m_query.value(column);
    if (value.isNull())
        corrupt(column);
    if (value.typeId() == QMetaType::Double) {
        const double d = value.toDouble();
        if (!(d >= double(min) && d <= double(max)) || d != std::floor(d))
            corrupt(column);
        return int64_t(d);
    }
    bool ok = false;
    const qlonglong v = value.toLongLong(&ok);
    if (!ok || v < min || v > max)
        corrupt(column);
    return v;
}

double RowReader::real(int column) const
{
    const QVariant value = m_query.value(column);
    if (value.isNull())
        corrupt(column);
    bool ok = false;
    const double v = value.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        corrupt(column);
    return v;
}

double RowReader::length(int column) const
{
    const double v = real(column);
    if (std::fabs(v) > Units::MaxLengthTwips)
        corrupt(column);
    return v;
}

QString RowReader::text(int column) const
{
    const QVariant value = m_query.value(column);
    if (value.isNull())
        return QString();
    if (value.typeId() != QMetaType::QString)
        corrupt(column);
    return value.toString();
}

QByteArray RowReader::bytes(int column) const
{
    const QVariant value = m_query.value(column);
    if (value.isNull())
        corrupt(column);
    return value.toByteArray();
}
