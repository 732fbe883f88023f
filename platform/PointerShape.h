#pragma once

#include <Qt>

// The mouse pointers elements and the screen show, numbered as the designer
// numbers them, and the Qt cursor shape for each.
namespace PointerShape {

enum Code {
    Default = 0,
    Arrow = 1,
    Cross = 2,
    IBeam = 3,
    SizeAllArrows = 5,
    SizeNESW = 6,
    SizeNS = 7,
    SizeNWSE = 8,
    SizeWE = 9,
    UpArrow = 10,
    Hourglass = 11,
    NoDrop = 12,
    ArrowHourglass = 13,
    ArrowQuestion = 14,
    SizeAll = 15,
};

Qt::CursorShape cursorFor(int pointer);

} // namespace PointerShape
