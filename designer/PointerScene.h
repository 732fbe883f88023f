#pragma once

#include "PointerEvent.h"

#include <QPointF>

// What the pointer router asks of the designer window: which element lies
// under a window point, where a point falls relative to an element, and
// where to deliver the event. Points are window pixels.
class PointerScene
{
public:
    virtual ~PointerScene() = default;
    virtual PointerTarget targetAt(const QPointF &windowPixels) const = 0;
    // X, Y in twips relative to the target element.
    virtual QPointF toTarget(const PointerTarget &target, const QPointF &windowPixels) const = 0;
    virtual void deliver(const PointerEvent &event) = 0;
    // Where the pointer at a window point is allowed to be while it is
    // confined (the point itself when it is not).
    virtual QPointF confine(const QPointF &windowPixels) const { return windowPixels; }

};
