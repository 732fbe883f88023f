#pragma once

#include <QString>

class Element;
class QPainter;

// A label shown as a code on the designer's page. A fixed caption shows
// its own code; a caption that names a bound value shows a sample code of
// the type in grey with the caption over it, so it is plain that the
// printed code comes from the document.
namespace LabelBarcode {

// The data the page encodes for the label.
QString shownData(const Element &label);
// Why the label's code cannot be drawn in its box; empty when it can or
// the label shows text.
QString problem(const Element &label);
// The code, or the box crossed out (with the caption in its corner) when
// it cannot be drawn.
void paint(QPainter &painter, const Element &label, double twipsPerPixel);

} // namespace LabelBarcode
