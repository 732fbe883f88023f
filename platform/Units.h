#pragma once

#include <QString>

#include <cstdint>

// Unit conversions and the numeric conversions the designer relies on.
namespace Units {

constexpr double TwipsPerInch = 1440.0;
constexpr double TwipsPerMm = 1440.0 / 25.4;
constexpr double TwipsPerPoint = 20.0;
// The largest page the program lays out, and so the longest length any
// object may have or lie from the page's corner: the 16-bit twips range,
// about 578 mm.
constexpr double MaxLengthTwips = 32767.0;

inline double mmToTwips(double mm) { return mm * TwipsPerMm; }
inline double twipsToMm(double twips) { return twips / TwipsPerMm; }
// Millimetres as dialogs show them ("0.0#").
QString formatMm(double mm);

// Round half to even into 16 or 32 bits; throws RuntimeError (overflow)
// when the value does not fit.
int16_t toInt16(double v);
int32_t toInt32(double v);
double roundHalfEven(double v);
// Text a person typed with the full-width forms of ASCII (digits, point,
// minus, comma, letters) and the ideographic space read as ASCII, as a
// Chinese input method types them: "－１２．５" reads as "-12.5".
QString asciiWidth(const QString &text);
// The value of the number a text begins with (sign, decimals, exponent),
// full-width forms read as ASCII; 0 when it begins with none.
double leadingNumber(const QString &text);
bool hasLeadingNumber(const QString &text);
// A number as plain decimal text: no exponent, no trailing zeros
// (12.5, 400, 0.25).
QString plainNumber(double v);

} // namespace Units
