#pragma once

#include <Qt>

// Maps the designer's pointer numbers onto Qt cursor shapes.
Qt::CursorShape cursorShapeForPointer(int pointer);
