#pragma once

#include <QPointF>
#include <QRect>
#include <QRectF>

// Twips of the designer window and its page to screen pixels and back,
// with the screen's twips-per-pixel factors.
namespace PixelMapping {

// Each edge is rounded on its own, so boxes that touch in twips touch on
// the screen.
QRect toPixels(const QRectF &twips);
QRect toPixels(const QRectF &twips, double twipsPerPixelX, double twipsPerPixelY);
QPointF toTwips(const QPointF &pixels);
QRectF toTwips(const QRectF &pixels);

} // namespace PixelMapping
