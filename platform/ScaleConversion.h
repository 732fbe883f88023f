#pragma once

// The scale conversion of the designer window and its dialogs: a length in
// one scale mode expressed in another. Modes: 1 twips, 2 points, 3 pixels,
// 4 characters (120 twips across, 240 down), 5 inches, 6 millimetres,
// 7 centimetres.
namespace ScaleConversion {

constexpr int Twips = 1;
constexpr int Points = 2;
constexpr int Pixels = 3;
constexpr int Characters = 4;
constexpr int Inches = 5;
constexpr int Millimeters = 6;
constexpr int Centimeters = 7;

// Throws RuntimeError (invalid argument) for an unknown mode.
double twipsPerUnit(int mode, bool horizontal);
double convert(double value, int fromScale, int toScale, bool horizontal);

} // namespace ScaleConversion
