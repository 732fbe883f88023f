#pragma once

#include "model/TwipRect.h"

#include <QPointF>
#include <QRect>
#include <QRectF>

// The pure geometry of the drawing objects: sizing by a handle, hit tests,
// handle placement and the band in screen pixels. Kept apart from the
// objects so each rule can be checked on its own.
namespace ObjGeometry {

// CheckPoint grows an object's rectangle by this much on every side.
constexpr int PointMargin = 75;
// CheckRange widens a horizontal or vertical line's rectangle by this much.
constexpr int LineBand = 20;
// HitLine's tolerance between the line's slope and the point's slopes.
constexpr double SlopeTolerance = 0.1;

// Whole twips, halves to even; throws RuntimeError (overflow) outside 32 bits.
int32_t twips(double v);
TwipRect rectFrom(double left, double top, double right, double bottom);

// Swaps left/right and top/bottom where they are inverted.
void NormRect(TwipRect &r);

// Moves the edges of r that handle id (an HdID: its HandlePosition less
// one) controls to the pointer, then clamps so no edge passes the opposite
// one.
void SizeRect(int id, TwipRect &r, double X, double Y);

// Whether (X, Y), already known to lie near the line's box, is on the line
// from (x1, y1) to (x2, y2).
bool HitLine(double x1, double y1, double x2, double y2, double X, double Y);

// True when a and b share a non-empty area; an empty rectangle intersects
// nothing and rectangles that only touch do not intersect.
bool IntersectRect(const TwipRect &a, const TwipRect &b);

// A line's rectangle for band selection: its normalised span, widened by
// LineBand where it has no width or no height.
TwipRect lineRangeRect(double x1, double y1, double x2, double y2);

// Half a screen pixel in twips as a whole number (7.5 gives 8).
int halfPixel(double twipsPerPixel);

// Top-left corner of the handle at a HandlePosition around the box, for
// handles of half size hw x hh, pulled inwards by px, py at the corners.
QPointF handleTopLeft(int position, const QRectF &box, double hw, double hh, int px, int py);

// A band in page twips as page pixels: every coordinate divided by the
// horizontal twips-per-pixel factor and rounded; normalised.
QRect RectToScreen(const TwipRect &r, double twipsPerPixelX);

// Translates the span (a, b) of one axis of a line so that its low end
// (moveLowEnd) or its high end lands on target, keeping its direction and
// length. When a == b, a is the low end.
void alignSpan(double &a, double &b, double target, bool moveLowEnd);

// Gives the span (a, b) the length size by moving its high end, keeping
// its low end and its direction.
void resizeSpan(double &a, double &b, double size);

} // namespace ObjGeometry
