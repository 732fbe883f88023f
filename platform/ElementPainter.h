#pragma once

#include <QPointF>
#include <QRectF>

#include <functional>
#include <vector>

class ElementTiles;
class Element;
class QPainter;
class TextLayoutCache;

// Paints one element record on a painter working in page twips. A line's
// width and a picture's natural size are the printed ones (PrintedSize),
// so the page shows what prints on every screen; handles and the outlines
// that are only cues on the page are screen pixels of twipsPerPixel twips
// across and twipsPerPixelY down.
namespace ElementPainter {

struct Options
{
    double twipsPerPixel = 15.0;
    double twipsPerPixelY = 15.0;
    // Labels: whether the border (the designer's selection cue) is drawn.
    bool labelBorders = true;
    // Labels: whether text is cut at the box (page composition passes the
    // object's Clip; the designer always clips).
    bool clipText = true;
    // Labels: where laid-out captions are kept between paints (the
    // screen's); without one every caption is laid out as it is drawn.
    TextLayoutCache *textCache = nullptr;
    // Lines wider than a pixel are stroked as outlines (the screen's): they
    // then paint the same pixels however the area they lie in is cut, where
    // the quick way of drawing them cuts the line itself first.
    bool linesAsOutlines = false;
    // Where captions (laid out in textCache, cut at their box) and pictures
    // are kept as pixels between paints (the screen's). Only for a page
    // painted onto white, element by element in their order.
    ElementTiles *tiles = nullptr;
    // Where painting may reach, in page twips (the screen's page and what
    // lies near it); empty: anywhere. What reaches past it is cut there,
    // the same way at every paint, so no paint works with lengths the
    // device cannot hold.
    QRectF bounds;
};

void paint(QPainter &painter, const Element &element, const Options &options);
// Handles in the order given, as paint would draw them one by one; with
// corner, each picture at the corner it gives (page twips) instead of its
// element's; with near, only those whose boxes reach into it.
void paintHandles(QPainter &painter, const std::vector<const Element *> &handles,
                  const Options &options,
                  const std::function<QPointF(const Element &)> &corner = {},
                  const QRectF &near = QRectF());
// Pen style for a line element's BorderStyle (an Element::LineStyle).
int penStyleFor(int borderStyle);

} // namespace ElementPainter
