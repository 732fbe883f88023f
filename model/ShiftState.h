#pragma once

// The Shift code of a pointer or key event: the modifier keys held, as a
// sum of these bits.
namespace ShiftState {

enum Code { None = 0, Shift = 1, Ctrl = 2, Alt = 4 };

} // namespace ShiftState
