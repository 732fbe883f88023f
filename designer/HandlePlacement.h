#pragma once

#include <QPointF>

class Element;

// Where a sizing handle shows on the page at a zoom. The model places a
// handle's element as the screen shows the page at 100 %, a few pixels off
// the point of its object's outline it marks; at any zoom its picture keeps
// those pixels to that point, so it stays as many pixels across and as far
// off the outline. Nothing of a handle moves when the zoom changes.
namespace HandlePlacement {

// The picture's top-left corner, page twips: the element's own corner at
// 100 %.
QPointF pictureCorner(const Element &handle, double zoom);

} // namespace HandlePlacement
