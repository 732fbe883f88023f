#pragma once

// The Button code of a pointer event: the button pressed or released, or for
// a move the buttons held (a sum of these bits).
namespace MouseButton {

enum Code { None = 0, Left = 1, Right = 2, Middle = 4 };

constexpr bool holdsLeft(int buttons)
{
    return (buttons & Left) != 0;
}

} // namespace MouseButton
