#pragma once

#include "ElementFont.h"

#include <QColor>
#include <QRectF>

class BarcodeLayout;
class QPainter;

// Draws a placed code: its bars as filled rectangles and its text in the
// object's font, in page twips, on whatever surface the painter serves.
namespace BarcodePainter {

void paint(QPainter &painter, const BarcodeLayout &layout, const ElementFont &font,
           const QColor &color);
// The designer's mark for a code that cannot be drawn: the box crossed
// out, in lines of one pixel.
void paintCrossedOut(QPainter &painter, const QRectF &box, double twipsPerPixel);

} // namespace BarcodePainter
