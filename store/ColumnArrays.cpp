#include "ColumnArrays.h"

#include <QByteArray>
#include <QLocale>

#include <cmath>

namespace {

bool isNullValue(const QVariant &value)
{
    if (value.isNull())
        return true;
    switch (value.typeId()) {
    case QMetaType::QString:
        return static_cast<const QString *>(value.constData())->isNull();
    case QMetaType::QByteArray:
        return static_cast<const QByteArray *>(value.constData())->isNull();
    default:
        return false;
    }
}

// Inside quotes only a quote and a backslash need the escape; braces,
// commas, spaces and the word NULL are then plain text.
void appendQuoted(QString &to, const QString &text)
{
    to += QLatin1Char('"');
    for (const QChar c : text) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\\'))
            to += QLatin1Char('\\');
        to += c;
    }
    to += QLatin1Char('"');
}

// The shortest text that reads back as the same double.
void appendReal(QString &to, double v)
{
    if (std::isnan(v))
        to += QLatin1String("NaN");
    else if (std::isinf(v))
        to += v > 0 ? QLatin1String("Infinity") : QLatin1String("-Infinity");
    else
        to += QString::number(v, 'g', QLocale::FloatingPointShortest);
}

// A server reads "\x4142" as the bytes AB; the backslash is escaped once
// more for the array.
void appendBytes(QString &to, const QByteArray &bytes)
{
    to += QLatin1String("\"\\\\x");
    to += QLatin1String(bytes.toHex());
    to += QLatin1Char('"');
}

} // namespace

ColumnArrays::ColumnArrays(int columns)
    : m_columns(std::size_t(columns))
{
}

void ColumnArrays::append(const QVariant *values)
{
    for (std::size_t column = 0; column < m_columns.size(); ++column) {
        QString &to = m_columns[column];
        m_length -= to.size();
        if (m_rows > 0)
            to += QLatin1Char(',');
        appendElement(to, values[column]);
        m_length += to.size();
    }
    ++m_rows;
}

QString ColumnArrays::literal(int column) const
{
    return QLatin1Char('{') + m_columns[std::size_t(column)] + QLatin1Char('}');
}

void ColumnArrays::clear()
{
    for (QString &column : m_columns)
        column.clear();
    m_rows = 0;
    m_length = 0;
}

void ColumnArrays::appendElement(QString &to, const QVariant &value)
{
    if (isNullValue(value)) {
        to += QLatin1String("NULL");
        return;
    }
    switch (value.typeId()) {
    case QMetaType::Bool:
        to += QLatin1Char(value.toBool() ? '1' : '0');
        break;
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::LongLong:
        to += QString::number(value.toLongLong());
        break;
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        to += QString::number(value.toULongLong());
        break;
    case QMetaType::Float:
    case QMetaType::Double:
        appendReal(to, value.toDouble());
        break;
    case QMetaType::QByteArray:
        appendBytes(to, value.toByteArray());
        break;
    default:
        appendQuoted(to, value.toString());
        break;
    }
}
