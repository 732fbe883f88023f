#include "Units.h"

#include "RuntimeError.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace Units {

QString formatMm(double mm)
{
    // "0.0#": at least one decimal, at most two.
    QString text = QString::number(roundHalfEven(mm * 100.0) / 100.0, 'f', 2);
    if (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    return text;
}

double roundHalfEven(double v)
{
    return std::nearbyint(v); // the default rounding mode rounds halves to even
}

int16_t toInt16(double v)
{
    const double r = roundHalfEven(v);
    if (!std::isfinite(r) || r < std::numeric_limits<int16_t>::min()
        || r > std::numeric_limits<int16_t>::max())
        throw RuntimeError(RuntimeError::Overflow);
    return static_cast<int16_t>(r);
}

int32_t toInt32(double v)
{
    const double r = roundHalfEven(v);
    if (!std::isfinite(r) || r < std::numeric_limits<int32_t>::min()
        || r > std::numeric_limits<int32_t>::max())
        throw RuntimeError(RuntimeError::Overflow);
    return static_cast<int32_t>(r);
}

namespace {

const QRegularExpression &leadingNumberPattern()
{
    static const QRegularExpression pattern(
        QStringLiteral(R"(^\s*([+-]?(?:\d+\.?\d*|\.\d+)(?:[eE][+-]?\d+)?))"));
    return pattern;
}

} // namespace

QString asciiWidth(const QString &text)
{
    constexpr char16_t FirstFullWidth = u'\uFF01'; // ！, full-width form of !
    constexpr char16_t LastFullWidth = u'\uFF5E';  // ～, full-width form of ~
    constexpr char16_t FullWidthOffset = FirstFullWidth - u'!';
    QString ascii = text;
    for (QChar &c : ascii) {
        if (c.unicode() >= FirstFullWidth && c.unicode() <= LastFullWidth)
            c = QChar(char16_t(c.unicode() - FullWidthOffset));
        else if (c.unicode() == u'\u3000') // ideographic space
            c = QLatin1Char(' ');
    }
    return ascii;
}

double leadingNumber(const QString &text)
{
    const QRegularExpressionMatch match = leadingNumberPattern().match(asciiWidth(text));
    if (!match.hasMatch())
        return 0.0;
    return match.captured(1).toDouble();
}

bool hasLeadingNumber(const QString &text)
{
    return leadingNumberPattern().match(asciiWidth(text)).hasMatch();
}

QString plainNumber(double v)
{
    v += 0.0; // no "-0"
    const QString text = QString::number(v, 'g', 15);
    if (!std::isfinite(v) || !text.contains(QLatin1Char('e')))
        return text;
    return QString::number(v, 'f', QLocale::FloatingPointShortest);
}

} // namespace Units
