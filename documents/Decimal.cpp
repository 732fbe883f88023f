#include "Decimal.h"

#include "platform/RuntimeError.h"
#include "platform/Units.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>

namespace {

using Units = __int128;

// 10^20 in units of the largest scale still fits 128 bits (10^38 < 2^127).
constexpr int MaxWholeDigits = 20;

Units powerOfTen(int n)
{
    Units p = 1;
    for (int i = 0; i < n; ++i)
        p *= 10;
    return p;
}

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

} // namespace

std::optional<Decimal> Decimal::make(bool negative, QStringView digits, int scale)
{
    // digits: the significant digits of units at `scale`; a negative scale
    // means trailing zeros.
    QString all = digits.toString();
    if (scale < 0) {
        all += QString(-scale, QLatin1Char('0'));
        scale = 0;
    }
    bool roundUp = false;
    if (scale > MaxScale) {
        const int drop = scale - MaxScale;
        const int keep = int(all.size()) - drop;
        roundUp = keep >= 0 && keep < all.size() && all.at(keep) >= QLatin1Char('5');
        all = keep > 0 ? all.left(keep) : QString();
        scale = MaxScale;
    }
    while (all.size() > 1 && all.startsWith(QLatin1Char('0')))
        all.remove(0, 1);
    if (all.size() - scale > MaxWholeDigits)
        return std::nullopt;
    Units units = 0;
    for (const QChar c : all)
        units = units * 10 + (c.unicode() - '0');
    if (roundUp)
        ++units;
    return Decimal(negative ? -units : units, scale);
}

Decimal Decimal::fromInteger(long long value)
{
    return Decimal(Units(value), 0);
}

Decimal Decimal::fromDouble(double value)
{
    if (!std::isfinite(value))
        throw RuntimeError(RuntimeError::Overflow, QStringLiteral("Decimal"));
    const QString shortest = QString::number(value, 'g', QLocale::FloatingPointShortest);
    const std::optional<Decimal> d = fromString(shortest);
    if (!d)
        throw RuntimeError(RuntimeError::Overflow, QStringLiteral("Decimal"));
    return *d;
}

std::optional<Decimal> Decimal::fromWritten(const QString &text)
{
    // A sign, a currency sign, a sign, then digits grouped by threes or not
    // at all; one sign at most.
    static const QRegularExpression written(QStringLiteral(
        "^([+-]?)[\\x{00A5}\\x{FFE5}$]?([+-]?)(\\d{1,3}(?:,\\d{3})+(?:\\.\\d*)?|[\\d.][^,]*)$"));
    const QRegularExpressionMatch match = written.match(Units::asciiWidth(text).trimmed());
    if (!match.hasMatch() || (!match.capturedView(1).isEmpty() && !match.capturedView(2).isEmpty()))
        return std::nullopt;
    QString plain = match.captured(1) + match.captured(2) + match.captured(3);
    plain.remove(QLatin1Char(','));
    return fromString(plain);
}

std::optional<Decimal> Decimal::fromString(QStringView text)
{
    text = text.trimmed();
    int i = 0;
    bool negative = false;
    if (i < text.size() && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+')))
        negative = text.at(i++) == QLatin1Char('-');
    QString digits;
    int scale = 0;
    bool point = false;
    bool any = false;
    for (; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (isDigit(c)) {
            digits += c;
            any = true;
            if (point)
                ++scale;
        } else if (c == QLatin1Char('.') && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (!any)
        return std::nullopt;
    if (i < text.size()) {
        if (text.at(i) != QLatin1Char('e') && text.at(i) != QLatin1Char('E'))
            return std::nullopt;
        bool ok = false;
        const int exponent = text.mid(i + 1).toInt(&ok);
        if (!ok || exponent > 400 || exponent < -400)
            return std::nullopt;
        scale -= exponent;
    }
    return make(negative, digits, scale);
}

QString Decimal::absText() const
{
    Units units = m_units < 0 ? -m_units : m_units;
    QString digits;
    do {
        digits.prepend(QChar(char16_t('0' + int(units % 10))));
        units /= 10;
    } while (units != 0);
    if (m_scale == 0)
        return digits;
    if (digits.size() <= m_scale)
        digits.prepend(QString(m_scale - digits.size() + 1, QLatin1Char('0')));
    digits.insert(digits.size() - m_scale, QLatin1Char('.'));
    return digits;
}

QString Decimal::toString() const
{
    return isNegative() ? QLatin1Char('-') + absText() : absText();
}

double Decimal::toDouble() const
{
    return toString().toDouble();
}

Decimal Decimal::operator+(const Decimal &other) const
{
    const int scale = std::max(m_scale, other.m_scale);
    Units a = 0, b = 0, sum = 0;
    if (__builtin_mul_overflow(m_units, powerOfTen(scale - m_scale), &a)
        || __builtin_mul_overflow(other.m_units, powerOfTen(scale - other.m_scale), &b)
        || __builtin_add_overflow(a, b, &sum))
        throw RuntimeError(RuntimeError::Overflow, QStringLiteral("Decimal"));
    const Units limit = powerOfTen(MaxWholeDigits + scale);
    if (sum >= limit || sum <= -limit)
        throw RuntimeError(RuntimeError::Overflow, QStringLiteral("Decimal"));
    return Decimal(sum, scale);
}

Decimal &Decimal::operator+=(const Decimal &other)
{
    *this = *this + other;
    return *this;
}

bool Decimal::operator==(const Decimal &other) const
{
    const int scale = std::max(m_scale, other.m_scale);
    return m_units * powerOfTen(scale - m_scale) == other.m_units * powerOfTen(scale - other.m_scale);
}
