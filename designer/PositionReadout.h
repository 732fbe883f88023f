#pragma once

#include <QPointF>
#include <QRectF>
#include <QString>

#include <optional>

// The text of the position readout in millimetres ("0.0#"): where the
// pointer is on the page while it is over it, and the box of the one
// selected object (a line's as its property dialog shows it), each left
// out when there is none. Positions are page twips from the top-left.
namespace PositionReadout {

QString text(const std::optional<QPointF> &pointer, const std::optional<QRectF> &object);

} // namespace PositionReadout
