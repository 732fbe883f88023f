#pragma once

#include <cstdint>

// A rectangle of whole twips given by its four edges (left, top, right,
// bottom), as the object procedures keep it: right and bottom are edges,
// not the last covered unit, and the rectangle may be inverted.
struct TwipRect
{
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    bool operator==(const TwipRect &) const = default;
};
