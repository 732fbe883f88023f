#pragma once

#include <QPointF>
#include <QSizeF>

#include <array>

// The designer window's own geometry rules, kept pure so each is checked
// on its own. Lengths are twips.
namespace DesignerGeometry {

// The page is never sized below this.
constexpr double MinPageSize = 1000;
// A text or picture drawn by a click gets this size at the press point.
constexpr double ClickTextWidth = 1440;
constexpr double ClickTextHeight = 315;
constexpr double ClickPictureSide = 1440;

// Top-left corners of the page-size handles at the right edge, the bottom
// edge and the corner (FixHandle::RightEdge, BottomEdge, Corner, in this
// order) around the page (left, top, width, height) for handles of the
// given size.
std::array<QPointF, 3> fixHandlePositions(double pageLeft, double pageTop, double pageWidth,
                                          double pageHeight, double handleWidth,
                                          double handleHeight, double twipsPerPixelX,
                                          double twipsPerPixelY);

// The page size after the pointer moved from (lastX, lastY) to (X, Y)
// while page-size handle `handle` (a FixHandle::Index) is dragged: the
// right edge changes the width, the bottom edge the height, the corner
// both; never below MinPageSize, nor below `minimum` (what the page must
// hold).

QSizeF sizedPage(int handle, double X, double Y, double lastX, double lastY, double width,
                 double height, const QSizeF &minimum = QSizeF(MinPageSize, MinPageSize));

// The object whose handle is PicHD element `elementIndex` (8 gives 1, 9
// gives 2).
int handleOwner(int elementIndex);

// Scroll maximum that lets the page's far edge come into view past a bar
// of the given thickness.
double scrollMax(double pageExtent, double barEdge, double barThickness);

// Size a text or a picture (an ObjDraw::Kind) takes when drawn by a click
// or with no width or height (on a page smaller than that, the page's).

QSizeF clickSize(int eType);
// Where a box of that size drawn by a click at `at` goes: at the press
// point, moved back onto the page where it would reach past its right or
// bottom edge.
QPointF clickPlace(const QPointF &at, const QSizeF &size, const QSizeF &page);


} // namespace DesignerGeometry
