#pragma once

#include "PointerConfinement.h"

// Records confinement without touching the pointer (tests).
class RecordingPointerConfinement : public PointerConfinement
{
public:
    void ClipCursor(const QRect &screenRect) override { m_rect = screenRect; ++clips; }
    void ReleaseCursor() override { m_rect.reset(); ++releases; }
    std::optional<QRect> clipRect() const override { return m_rect; }
    int clips = 0;
    int releases = 0;

private:
    std::optional<QRect> m_rect;
};
