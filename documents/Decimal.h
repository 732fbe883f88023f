#pragma once

#include <QMetaType>
#include <QString>
#include <QStringView>

#include <optional>

// An exact decimal number: a whole number of units of 10^-scale. Amounts are
// added in it so that no binary rounding shows in a printed sum (0.1 + 0.2
// is 0.3, never 0.30000000000000004).
class Decimal
{
public:
    // More places than any currency or quantity needs; a longer fraction is
    // rounded half away from zero.
    static constexpr int MaxScale = 18;

    Decimal() = default;
    static Decimal fromInteger(long long value);
    // The shortest decimal that reads back as the same double, which is the
    // number the database or the user wrote. Throws RuntimeError (Overflow)
    // for infinities, NaN and magnitudes beyond 10^20.
    static Decimal fromDouble(double value);
    // Plain ("-12.50", "+3", ".5") or exponent ("1.5e-3") notation; no value
    // for anything else or for a magnitude beyond 10^20.
    static std::optional<Decimal> fromString(QStringView text);
    // An amount as people write it in a text column: full-width forms,
    // thousands separators in their places ("1,234.00") and a currency sign
    // (¥ ￥ $) before or after the minus; no value for anything else.
    static std::optional<Decimal> fromWritten(const QString &text);

    bool isZero() const { return m_units == 0; }
    bool isNegative() const { return m_units < 0; }
    int scale() const { return m_scale; }
    // Plain notation with exactly scale() decimals: "-0.30", "1200".
    QString toString() const;
    // The same without the sign.
    QString absText() const;
    double toDouble() const;

    // Throws RuntimeError (Overflow) beyond the range.
    Decimal operator+(const Decimal &other) const;
    Decimal &operator+=(const Decimal &other);
    // Numeric equality: 1.50 == 1.5.
    bool operator==(const Decimal &other) const;

private:
    using Units = __int128;
    Decimal(Units units, int scale) : m_units(units), m_scale(scale) {}
    static std::optional<Decimal> make(bool negative, QStringView digits, int scale);

    Units m_units = 0;
    int m_scale = 0;
};

Q_DECLARE_METATYPE(Decimal)
