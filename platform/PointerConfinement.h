#pragma once

#include <QRect>

#include <optional>

// Confining the mouse pointer to a screen rectangle for the length of a
// gesture (ClipCursor), and releasing it.
class PointerConfinement
{
public:
    virtual ~PointerConfinement() = default;
    virtual void ClipCursor(const QRect &screenRect) = 0;
    virtual void ReleaseCursor() = 0;
    virtual std::optional<QRect> clipRect() const = 0;
    bool isConfined() const { return clipRect().has_value(); }
};
