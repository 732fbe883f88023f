#include "ValueFormat.h"

#include "platform/RuntimeError.h"

#include <QDate>
#include <QStringList>
#include <QTime>

#include <cmath>
#include <functional>
#include <vector>

namespace ValueFormat {

namespace {

const QString Capitals = QStringLiteral("零壹贰叁肆伍陆柒捌玖");

// |value| rounded half away from zero to `decimals` places, as decimal
// digits, so that 2.675 rounds like the printed number and not like its
// binary neighbour.
struct Rounded
{
    bool negative = false;
    QString whole;    // no leading zeros, "0" for zero
    QString fraction; // exactly `decimals` digits
};

// A number as exact decimal text: its sign and its magnitude in plain
// notation ("2.675", "1200").
struct Exact
{
    bool negative = false;
    QString magnitude;
};

Exact exactOf(double value, int decimals)
{
    if (!std::isfinite(value))
        throw RuntimeError(RuntimeError::Overflow);
    // Six more places than needed, so that the rounding below sees the
    // printed number and not its binary neighbour.
    return {value < 0, QString::number(std::fabs(value), 'f', decimals + 6)};
}

Exact exactOf(const Decimal &value)
{
    return {value.isNegative(), value.absText()};
}

// The magnitude times 100 (a percentage), by moving the point.
Exact percentOf(Exact e)
{
    int point = e.magnitude.indexOf(QLatin1Char('.'));
    if (point < 0) {
        e.magnitude += QStringLiteral("00");
        return e;
    }
    QString fraction = e.magnitude.mid(point + 1);
    while (fraction.size() < 2)
        fraction += QLatin1Char('0');
    e.magnitude = e.magnitude.left(point) + fraction.left(2)
                  + (fraction.size() > 2 ? QLatin1Char('.') + fraction.mid(2) : QString());
    return e;
}

Rounded roundDecimal(const Exact &value, int decimals)
{
    QString text = value.magnitude;
    int point = text.indexOf(QLatin1Char('.'));
    if (point < 0) {
        point = int(text.size());
        text += QLatin1Char('.');
    }
    while (text.size() - point - 1 < decimals + 1)
        text += QLatin1Char('0');
    QString digits = text.left(point) + text.mid(point + 1, decimals);
    const bool up = text.at(point + 1 + decimals) >= QLatin1Char('5');
    if (up) {
        int i = digits.size() - 1;
        while (i >= 0 && digits.at(i) == QLatin1Char('9'))
            digits[i--] = QLatin1Char('0');
        if (i >= 0)
            digits[i] = QChar(digits.at(i).unicode() + 1);
        else
            digits.prepend(QLatin1Char('1'));
    }
    Rounded r;
    r.whole = digits.left(digits.size() - decimals);
    r.fraction = digits.right(decimals);
    while (r.whole.size() > 1 && r.whole.startsWith(QLatin1Char('0')))
        r.whole.remove(0, 1);
    if (r.whole.isEmpty())
        r.whole = QStringLiteral("0");
    const bool zero = r.whole == QLatin1String("0")
                      && r.fraction.count(QLatin1Char('0')) == r.fraction.size();
    r.negative = value.negative && !zero;
    return r;
}

Rounded roundDecimal(double value, int decimals)
{
    return roundDecimal(exactOf(value, decimals), decimals);
}

int digitAt(const QString &digits, int i)
{
    return digits.at(i).unicode() - '0';
}

bool isDecimal(const QVariant &value)
{
    return value.metaType() == QMetaType::fromType<Decimal>();
}

bool isNumber(const QVariant &value)
{
    if (isDecimal(value))
        return true;
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Short:
    case QMetaType::UShort:
        return true;
    default:
        return false;
    }
}

bool isDateOrTime(const QVariant &value)
{
    const int id = value.typeId();
    return id == QMetaType::QDate || id == QMetaType::QTime || id == QMetaType::QDateTime;
}

// Dates alone are midnight; times alone fall on the day before day one.
QDateTime toDateTime(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::QDate:
        return QDateTime(value.toDate(), QTime(0, 0));
    case QMetaType::QTime:
        return QDateTime(QDate(1899, 12, 30), value.toTime());
    default:
        return value.toDateTime();
    }
}

// The value as an exact number: text that reads as a number counts, any
// other value is 0.
Decimal exactNumber(const QVariant &value)
{
    if (isDecimal(value))
        return value.value<Decimal>();
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return Decimal::fromDouble(value.toDouble());
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return Decimal::fromInteger(value.toLongLong());
    default:
        break;
    }
    return Decimal::fromString(value.toString()).value_or(Decimal());
}

QString applyKeyword(const QString &keyword, const QVariant &value)
{
    if (keyword == DropPoint)
        return DropDecimalPoint(exactNumber(value));
    if (keyword == CapitalAmount)
        return ChineseAmount(exactNumber(value));
    if (keyword == CapitalDigits)
        return ChineseDigits(DefaultText(value));
    return OnlyDigits(DefaultText(value));
}

// The integer digits of one four-digit group (1..9999) with 拾佰仟, zeros
// inside written once; `pendingZero` carries a zero from higher groups.
QString groupCapitals(const QString &digits, bool &pendingZero, bool started)
{
    static const QString units[] = {QString(), QStringLiteral("拾"), QStringLiteral("佰"),
                                    QStringLiteral("仟")};
    QString out;
    const int n = digits.size();
    for (int i = 0; i < n; ++i) {
        const int d = digitAt(digits, i);
        if (d == 0) {
            if (started || !out.isEmpty())
                pendingZero = true;
            continue;
        }
        if (pendingZero)
            out += Capitals.at(0);
        pendingZero = false;
        out += Capitals.at(d) + units[n - 1 - i];
    }
    return out;
}

QString integerCapitals(const QString &whole)
{
    // Groups of four digits from the right: 个, 万, 亿, 万亿.
    static const QString groupUnits[] = {QString(), QStringLiteral("万"), QStringLiteral("亿"),
                                         QStringLiteral("万")};
    QStringList groups;
    for (int end = whole.size(); end > 0; end -= 4)
        groups.prepend(whole.mid(std::max(0, end - 4), std::min(4, end)));
    QString out;
    bool pendingZero = false;
    for (int g = 0; g < groups.size(); ++g) {
        const int level = groups.size() - 1 - g;
        const QString text = groupCapitals(groups.at(g), pendingZero, !out.isEmpty());
        if (text.isEmpty()) {
            // A whole group of zeros between written digits is one 零.
            if (!out.isEmpty())
                pendingZero = true;
            // 万亿 keeps its 亿 when the 亿 group itself is empty.
            if (level == 2 && out.endsWith(QStringLiteral("万")))
                out += QStringLiteral("亿");
            continue;
        }
        out += text + groupUnits[level];
    }
    return out;
}

struct Placeholder
{
    enum Kind { Literal, Digit, Point, Comma, Percent } kind;
    QString text; // literal text, or "0"/"#" for a digit place
};

std::vector<Placeholder> parseNumberPattern(const QString &pattern)
{
    std::vector<Placeholder> tokens;
    for (int i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (c == QLatin1Char('"')) {
            const int end = pattern.indexOf(QLatin1Char('"'), i + 1);
            const int stop = end < 0 ? pattern.size() : end;
            tokens.push_back({Placeholder::Literal, pattern.mid(i + 1, stop - i - 1)});
            i = stop;
        } else if (c == QLatin1Char('\\') && i + 1 < pattern.size()) {
            tokens.push_back({Placeholder::Literal, pattern.at(++i)});
        } else if (c == QLatin1Char('0') || c == QLatin1Char('#')) {
            tokens.push_back({Placeholder::Digit, c});
        } else if (c == QLatin1Char('.')) {
            tokens.push_back({Placeholder::Point, c});
        } else if (c == QLatin1Char(',')) {
            tokens.push_back({Placeholder::Comma, c});
        } else if (c == QLatin1Char('%')) {
            tokens.push_back({Placeholder::Percent, c});
        } else {
            tokens.push_back({Placeholder::Literal, c});
        }
    }
    return tokens;
}

QStringList numberSections(const QString &pattern)
{
    QStringList sections;
    QString current;
    bool quoted = false;
    for (int i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        if (c == QLatin1Char('\\') && i + 1 < pattern.size()) {
            current += c;
            current += pattern.at(++i);
            continue;
        }
        if (c == QLatin1Char(';') && !quoted) {
            sections << current;
            current.clear();
            continue;
        }
        current += c;
    }
    sections << current;
    return sections;
}

// How a number section is laid out: its digit places and flags.
struct NumberShape
{
    int intPlaces = 0;
    int decPlaces = 0;
    int minInt = 0; // '0' places before the point
    int minDec = 0; // decimals up to the last '0' place
    bool thousands = false;
    bool percent = false;
    bool hasDigits = false;
};

NumberShape shapeOf(const std::vector<Placeholder> &tokens)
{
    NumberShape shape;
    bool afterPoint = false;
    for (const Placeholder &t : tokens) {
        switch (t.kind) {
        case Placeholder::Digit:
            shape.hasDigits = true;
            if (afterPoint) {
                ++shape.decPlaces;
                if (t.text == QLatin1String("0"))
                    shape.minDec = shape.decPlaces;
            } else {
                ++shape.intPlaces;
                if (t.text == QLatin1String("0"))
                    ++shape.minInt;
            }
            break;
        case Placeholder::Point:
            afterPoint = true;
            break;
        case Placeholder::Comma:
            shape.thousands = shape.thousands || (!afterPoint && shape.hasDigits);
            break;
        case Placeholder::Percent:
            shape.percent = true;
            break;
        case Placeholder::Literal:
            break;
        }
    }
    return shape;
}

// Puts the digits into the places: integer place p shows digit p - offset,
// and the leftmost one also every digit the pattern has no place for. A
// pattern without integer places (".00") still shows the whole part, just
// before the point, so that no amount loses its yuan.
QString placeDigits(const std::vector<Placeholder> &tokens, const NumberShape &shape,
                    const QString &whole, const QString &fraction)
{
    auto digitWithGroup = [&](int index) {
        QString s = whole.at(index);
        const int fromRight = int(whole.size()) - 1 - index;
        if (shape.thousands && fromRight > 0 && fromRight % 3 == 0)
            s += QLatin1Char(',');
        return s;
    };
    auto allDigits = [&] {
        QString s;
        for (int k = 0; k < whole.size(); ++k)
            s += digitWithGroup(k);
        return s;
    };
    const int offset = shape.intPlaces - int(whole.size());
    int intPlace = 0, decPlace = 0;
    bool afterPoint = false;
    bool wholeWritten = shape.intPlaces > 0;
    QString out;
    for (const Placeholder &t : tokens) {
        if (t.kind == Placeholder::Point && !wholeWritten) {
            out += allDigits();
            wholeWritten = true;
        }
        switch (t.kind) {
        case Placeholder::Digit:
            if (afterPoint) {
                if (decPlace < fraction.size())
                    out += fraction.at(decPlace);
                ++decPlace;
            } else if (intPlace++ == 0 && offset < 0) {
                for (int k = 0; k <= -offset; ++k)
                    out += digitWithGroup(k);
            } else {
                const int index = intPlace - 1 - offset;
                if (index >= 0 && index < whole.size())
                    out += digitWithGroup(index);
            }
            break;
        case Placeholder::Point:
            afterPoint = true;
            if (!fraction.isEmpty())
                out += QLatin1Char('.');
            break;
        case Placeholder::Comma:
            if (afterPoint)
                out += QLatin1Char(',');
            break;
        case Placeholder::Percent:
            out += QLatin1Char('%');
            break;
        case Placeholder::Literal:
            out += t.text;
            break;
        }
    }
    return wholeWritten ? out : out + allDigits();
}

// The section for a number given as exact text at a number of places.
using ExactAt = std::function<Exact(int decimals)>;

QString formatSection(const ExactAt &value, const QString &pattern, bool withSign)
{
    const std::vector<Placeholder> tokens = parseNumberPattern(pattern);
    const NumberShape shape = shapeOf(tokens);
    if (!shape.hasDigits) {
        QString out;
        for (const Placeholder &t : tokens)
            out += t.text;
        return out;
    }
    const Exact exact = value(shape.decPlaces + 2);
    const Rounded r = roundDecimal(shape.percent ? percentOf(exact) : exact, shape.decPlaces);
    QString whole = r.whole == QLatin1String("0") && shape.minInt == 0 ? QString() : r.whole;
    while (whole.size() < shape.minInt)
        whole.prepend(QLatin1Char('0'));
    QString fraction = r.fraction;
    while (fraction.size() > shape.minDec && fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    const QString out = placeDigits(tokens, shape, whole, fraction);
    return withSign && r.negative ? QLatin1Char('-') + out : out;
}

} // namespace

QString DefaultText(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::QDate:
        return value.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    case QMetaType::QTime:
        return value.toTime().toString(QStringLiteral("hh:mm:ss"));
    case QMetaType::QDateTime:
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    default:
        break;
    }
    if (isDecimal(value))
        return value.value<Decimal>().toString();
    if (isNumber(value))
        return QString::number(value.toDouble(), 'g', 15);
    return value.toString();
}

QString FormatValue(const QVariant &value, const QString &format)
{
    int at = -1;
    QString keyword;
    for (const QString &k : {DropPoint, CapitalAmount, CapitalDigits, DigitsOnly}) {
        const int i = format.indexOf(k);
        if (i >= 0 && (at < 0 || i < at)) {
            at = i;
            keyword = k;
        }
    }
    if (at >= 0)
        return format.left(at) + applyKeyword(keyword, value) + format.mid(at + keyword.size());
    if (format.isEmpty())
        return DefaultText(value);
    if (isDateOrTime(value))
        return FormatDateTime(toDateTime(value), format);
    if (isDecimal(value))
        return FormatNumber(value.value<Decimal>(), format);
    if (isNumber(value))
        return FormatNumber(value.toDouble(), format);
    return value.toString();
}

namespace {

QString dropPoint(const Rounded &r)
{
    QString digits = r.whole + r.fraction;
    while (digits.size() > 1 && digits.startsWith(QLatin1Char('0')))
        digits.remove(0, 1);
    return r.negative ? QLatin1Char('-') + digits : digits;
}

QString capitals(const Rounded &r)
{
    if (r.whole.size() > 16)
        throw RuntimeError(RuntimeError::Overflow);
    const int jiao = digitAt(r.fraction, 0);
    const int fen = digitAt(r.fraction, 1);
    const bool hasYuan = r.whole != QLatin1String("0");
    QString out = r.negative ? QStringLiteral("负") : QString();
    if (hasYuan)
        out += integerCapitals(r.whole) + QStringLiteral("元");
    if (jiao == 0 && fen == 0)
        return hasYuan ? out + QStringLiteral("整") : out + QStringLiteral("零元整");
    if (jiao != 0)
        out += Capitals.at(jiao) + QStringLiteral("角");
    else if (hasYuan)
        out += Capitals.at(0); // 壹仟元零伍分
    if (fen != 0)
        out += Capitals.at(fen) + QStringLiteral("分");
    return out;
}

} // namespace

QString DropDecimalPoint(double value)
{
    return dropPoint(roundDecimal(value, 2));
}

QString DropDecimalPoint(const Decimal &value)
{
    return dropPoint(roundDecimal(exactOf(value), 2));
}

QString ChineseAmount(double value)
{
    if (std::fabs(value) >= 1e16)
        throw RuntimeError(RuntimeError::Overflow);
    return capitals(roundDecimal(value, 2));
}

QString ChineseAmount(const Decimal &value)
{
    return capitals(roundDecimal(exactOf(value), 2));
}

QString ChineseDigits(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text)
        out += c.isDigit() && c.unicode() < 128 ? Capitals.at(c.unicode() - '0') : c;
    return out;
}

QString OnlyDigits(const QString &text)
{
    QString out;
    for (const QChar c : text) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            out += c;
    }
    return out;
}

namespace {

QString formatNumber(const ExactAt &value, bool zero, bool negative, const QString &pattern)
{
    // An empty negative or zero section ("0;;") means the first one, so a
    // value is never printed as nothing.
    const QStringList sections = numberSections(pattern);
    if (sections.size() >= 3 && zero && !sections.at(2).isEmpty())
        return formatSection([](int) { return Exact{false, QStringLiteral("0")}; },
                             sections.at(2), false);
    if (negative && sections.size() >= 2 && !sections.at(1).isEmpty())
        return formatSection(
            [&](int decimals) {
                Exact e = value(decimals);
                e.negative = false;
                return e;
            },
            sections.at(1), false);
    return formatSection(value, sections.at(0), true);
}

} // namespace

QString FormatNumber(double value, const QString &pattern)
{
    return formatNumber([value](int decimals) { return exactOf(value, decimals); }, value == 0.0,
                        value < 0, pattern);
}

QString FormatNumber(const Decimal &value, const QString &pattern)
{
    return formatNumber([&value](int) { return exactOf(value); }, value.isZero(),
                        value.isNegative(), pattern);
}

QString FormatDateTime(const QDateTime &value, const QString &pattern)
{
    const QDate date = value.date();
    const QTime time = value.time();
    QString out;
    bool afterHour = false;
    auto pad = [](int v, int width) { return QString::number(v).rightJustified(width, QLatin1Char('0')); };
    for (int i = 0; i < pattern.size();) {
        const QChar c = pattern.at(i);
        if (c == QLatin1Char('"')) {
            const int end = pattern.indexOf(QLatin1Char('"'), i + 1);
            const int stop = end < 0 ? pattern.size() : end;
            out += pattern.mid(i + 1, stop - i - 1);
            i = stop + 1;
            continue;
        }
        if (c == QLatin1Char('\\') && i + 1 < pattern.size()) {
            out += pattern.at(i + 1);
            i += 2;
            continue;
        }
        const QChar lower = c.toLower();
        int run = 1;
        while (i + run < pattern.size() && pattern.at(i + run).toLower() == lower)
            ++run;
        const int width = run >= 2 ? 2 : 1;
        bool token = true;
        bool isHour = false;
        switch (lower.unicode()) {
        case 'y':
            if (run >= 4)
                out += pad(date.year(), 4);
            else if (run >= 2)
                out += pad(date.year() % 100, 2);
            else
                token = false;
            break;
        case 'm':
            out += afterHour ? pad(time.minute(), width) : pad(date.month(), width);
            break;
        case 'd':
            out += pad(date.day(), width);
            break;
        case 'h':
            out += pad(time.hour(), width);
            isHour = true;
            break;
        case 'n':
            out += pad(time.minute(), width);
            break;
        case 's':
            out += pad(time.second(), width);
            break;
        default:
            token = false;
        }
        if (!token) {
            out += pattern.mid(i, run);
        } else {
            afterHour = isHour;
        }
        i += run;
    }
    return out;
}

QStringList Suggestions()
{
    return {CapitalAmount,
            CapitalDigits,
            DropPoint,
            DigitsOnly,
            QStringLiteral("#,##0.00"),
            QStringLiteral("0.00"),
            QStringLiteral("#,##0"),
            QStringLiteral("0"),
            QStringLiteral("0.00%"),
            QStringLiteral("yyyy-mm-dd"),
            QStringLiteral("yyyy年m月d日"),
            QStringLiteral("yyyy年mm月dd日"),
            QStringLiteral("hh:mm:ss"),
            QStringLiteral("yyyy-mm-dd hh:mm")};
}

} // namespace ValueFormat
