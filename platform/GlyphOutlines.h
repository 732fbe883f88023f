#pragma once

#include <QPointF>

class QGlyphRun;
class QPainter;

// Large text on the screen filled from outlines read once from the font.
// Qt fills text too large for its glyph cache from outlines it reads from
// the font at every paint, and what it reads shifts by a fraction of a pixel
// with the sizes the font was last used at (an editor over a zoomed page),
// so the same caption would paint differently from one paint to the next.
namespace GlyphOutlines {

// Whether the raster engine would fill glyphs of a font this many pixels
// high as outlines, under a transform scaling areas by deviceScale.
bool drawnAsOutlines(double pixelSize, double deviceScale);
// Fills the run at its place from at, as drawing it would; false when its
// font has no outlines to give (a bitmap font), so the caller draws it.
bool fill(QPainter &painter, const QPointF &at, const QGlyphRun &run);

} // namespace GlyphOutlines
