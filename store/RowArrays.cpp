#include "RowArrays.h"

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

// How a quote and a backslash are written: escaped for an array element,
// and inside a row escaped for the row and that escape again for the array.
struct Escapes
{
    QLatin1String quote;      // a field's own quotes
    QLatin1String quoteChar;  // a quote inside the text
    QLatin1String backslash;  // a backslash inside the text
    QLatin1String null;
};

const Escapes InArray{QLatin1String("\""), QLatin1String("\\\""), QLatin1String("\\\\"),
                      QLatin1String("NULL")};
const Escapes InRow{QLatin1String("\\\""), QLatin1String("\\\\\\\""),
                    QLatin1String("\\\\\\\\"), QLatin1String("")};

// Inside quotes braces, commas, parentheses, spaces and the word NULL are
// plain text; only quotes and backslashes need the escape.
void appendQuoted(QString &to, const QString &text, const Escapes &e)
{
    to += e.quote;
    for (const QChar c : text) {
        if (c == QLatin1Char('"'))
            to += e.quoteChar;
        else if (c == QLatin1Char('\\'))
            to += e.backslash;
        else
            to += c;
    }
    to += e.quote;
}

// A server reads \x4142 as the bytes AB.
void appendBytes(QString &to, const QByteArray &bytes, const Escapes &e)
{
    to += e.quote;
    to += e.backslash;
    to += QLatin1Char('x');
    to += QLatin1String(bytes.toHex());
    to += e.quote;
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

} // namespace

RowArrays::RowArrays(Layout layout, std::vector<int> fields)
    : m_layout(layout)
    , m_fields(std::move(fields))
    , m_texts(layout == ArrayOfRows ? 1 : m_fields.size())
{
}

void RowArrays::append(const QVariant *values)
{
    if (m_layout == ArrayPerColumn) {
        for (std::size_t i = 0; i < m_fields.size(); ++i) {
            if (m_rows > 0)
                m_texts[i] += QLatin1Char(',');
            if (m_fields[i] >= 0)
                appendField(m_texts[i], values[m_fields[i]]);
            else
                m_texts[i] += InArray.null;
        }
    } else {
        QString &to = m_texts.front();
        if (m_rows > 0)
            to += QLatin1Char(',');
        to += QLatin1String("\"(");
        for (std::size_t i = 0; i < m_fields.size(); ++i) {
            if (i > 0)
                to += QLatin1Char(',');
            if (m_fields[i] >= 0)
                appendField(to, values[m_fields[i]]);
        }
        to += QLatin1String(")\"");
    }
    ++m_rows;
}

qsizetype RowArrays::length() const
{
    qsizetype sum = 0;
    for (const QString &text : m_texts)
        sum += text.size() + 2;
    return sum;
}

QStringList RowArrays::literals() const
{
    QStringList list;
    for (const QString &text : m_texts)
        list << QLatin1Char('{') + text + QLatin1Char('}');
    return list;
}

void RowArrays::clear()
{
    for (QString &text : m_texts)
        text.clear();
    m_rows = 0;
}

void RowArrays::appendField(QString &to, const QVariant &value) const
{
    const Escapes &e = m_layout == ArrayOfRows ? InRow : InArray;
    if (isNullValue(value)) {
        to += e.null;
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
        appendBytes(to, value.toByteArray(), e);
        break;
    default:
        appendQuoted(to, value.toString(), e);
        break;
    }
}
