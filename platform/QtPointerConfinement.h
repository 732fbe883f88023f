#pragma once

#include "PointerConfinement.h"

#include <QObject>

// Keeps the pointer inside the confining rectangle by moving it back on
// every mouse move while a gesture holds it.
class QtPointerConfinement : public QObject, public PointerConfinement
{
public:
    void ClipCursor(const QRect &screenRect) override;
    void ReleaseCursor() override;
    std::optional<QRect> clipRect() const override { return m_rect; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::optional<QRect> m_rect;
};
