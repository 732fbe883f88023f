#pragma once

#include "documents/Decimal.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariant>

// Turns a field's value into the text that prints, by the object's Format:
// one of the keywords below (the rest of the format is kept around it as
// literal text), or a number pattern for numbers, or a date/time pattern
// for dates and times. An empty format gives the default text.
namespace ValueFormat {

inline const QString DropPoint = QStringLiteral("[去小数点]");
inline const QString CapitalAmount = QStringLiteral("[大写金额]");
inline const QString CapitalDigits = QStringLiteral("[大写数字]");
inline const QString DigitsOnly = QStringLiteral("[仅数字]");

// The formats offered to pick from: the keywords, then common number and
// date and time patterns.
QStringList Suggestions();

// value: a number (a Decimal is formatted exactly), a QDate, a QTime, a QDateTime or text.
QString FormatValue(const QVariant &value, const QString &format);

// Numbers in shortest form, dates yyyy-mm-dd, times hh:mm:ss.
QString DefaultText(const QVariant &value);

// 123.4 -> "12340": the value in hundredths, rounded half away from zero.
QString DropDecimalPoint(double value);
QString DropDecimalPoint(const Decimal &value);
// The amount in Chinese capitals as bills write it: 1234.56 ->
// 壹仟贰佰叁拾肆元伍角陆分, 10 -> 壹拾元整. Throws RuntimeError beyond 10^16.
QString ChineseAmount(double value);
QString ChineseAmount(const Decimal &value);
// Every digit as a capital (2024 -> 贰零贰肆); other characters stay.
QString ChineseDigits(const QString &text);
// Only the digits 0-9 of the text.
QString OnlyDigits(const QString &text);

// Number pattern: 0 and # digit places, thousands comma, decimal point,
// percent, literal text ("quoted", \x or any other character), up to three
// sections positive;negative;zero (an empty one uses the first). Rounds half
// away from zero. Without an integer place the whole part stands before the
// point, unless it is 0 (.00 of 0.5 -> .50).
QString FormatNumber(double value, const QString &pattern);
QString FormatNumber(const Decimal &value, const QString &pattern);
// Date/time pattern: yyyy yy mm m dd d hh h nn n ss s (mm or m right after
// an hour is minutes), any other text literal.
QString FormatDateTime(const QDateTime &value, const QString &pattern);

} // namespace ValueFormat
