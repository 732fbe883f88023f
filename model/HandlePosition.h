#pragma once

// Where a sizing handle sits around its object's box, clockwise from the
// top-left corner. A handle's HdID is its position less one; the element's
// Tag holds the position as text.
namespace HandlePosition {

enum Code {
    TopLeft = 1,
    TopMiddle = 2,
    TopRight = 3,
    RightMiddle = 4,
    BottomRight = 5,
    BottomMiddle = 6,
    BottomLeft = 7,
    LeftMiddle = 8,
};

constexpr int Count = 8;

constexpr int hdIdOf(Code position)
{
    return position - 1;
}

} // namespace HandlePosition
