#pragma once

#include <cmath>

// Whether v is a whole number well within what device pixels reach, so
// that moving by it changes no coordinate's fraction.
inline bool isWhole(double v)
{
    return v == std::floor(v) && std::fabs(v) < 1e9;
}
