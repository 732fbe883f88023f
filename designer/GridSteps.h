#pragma once

#include <array>

// The grid of the designer's page: its spacings, how densely it is shown
// and how a position snaps to it. Lengths are twips unless named mm.
namespace GridSteps {

// The spacings offered, in millimetres; 0 is no grid.
inline constexpr std::array<int, 4> ChoicesMm{1, 2, 5, 10};
// Dots closer than this many pixels would merge into grey.
inline constexpr double MinDotPixels = 5;

double twipsOf(double mm);
// Whether mm is one of the spacings offered.
bool isChoice(double mm);
// The spacing the dots are shown at: the grid's, or the first of 2, 5, 10,
// 20, 50 ... times it that keeps them MinDotPixels apart.
double shownStep(double stepTwips, double twipsPerPixel);
// The grid line nearest to v, in whole twips.
double snap(double v, double stepTwips);

} // namespace GridSteps
