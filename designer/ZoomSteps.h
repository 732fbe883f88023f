#pragma once

#include <QString>

#include <array>
#include <optional>

// The zoom steps of the designer's page and the zoom as the zoom box shows
// and takes it (a percentage). A zoom is a factor: 1 is 100 %.
namespace ZoomSteps {

inline constexpr std::array<double, 10> Steps{0.25, 0.5, 0.75, 1, 1.5, 2, 3, 4, 6, 8};

// The next step above or below zoom (zoom itself at either end).
double larger(double zoom);
double smaller(double zoom);
// "150%".
QString text(double zoom);
// A typed percentage ("150", "150%", "１５０％", " 75 "): the zoom, or
// nothing when the text holds no number or one outside 25 %..800 %.
std::optional<double> parse(const QString &typed);

} // namespace ZoomSteps
