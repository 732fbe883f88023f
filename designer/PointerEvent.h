#pragma once

#include "model/MouseButton.h"
#include "model/ShiftState.h"

// What a pointer event reaches on the designer window, as the elements of
// the window receive it: the element, the action, Button (a MouseButton
// code; for a move the buttons held), Shift (a ShiftState code) and X, Y in
// twips relative to that element.

struct PointerTarget
{
    enum Kind { None, Window, Page, Text, Image, Handle, FixHandle };

    Kind kind = None;
    int index = 0;

    bool operator==(const PointerTarget &) const = default;
};

struct PointerEvent
{
    enum Action { Down, Move, Up, DblClick };

    PointerTarget target;
    Action action = Move;
    int Button = MouseButton::None;
    int Shift = ShiftState::None;
    double X = 0;
    double Y = 0;
};
