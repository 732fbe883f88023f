#pragma once

#include <QPointF>
#include <QString>

// The one translation of the page on a printer (twips, right and down):
// the printer's calibration plus the template's own offset. A PDF file
// gets none: it keeps the designed positions.
namespace PrintOffset {

// The printer's calibration is measured on the paper as it is fed; a
// landscape page is turned onto that paper a quarter turn counter-clockwise
// (its top edge along the paper's left edge), so the measured shift is
// turned with it. The template's own offset is along the designed page.
QPointF onPaper(const QPointF &calibrationMm, bool landscape);
// Twips for pages on printer with their own offset added; none at all for
// an empty name (a PDF file).
QPointF forPrinter(const QString &printer, bool landscape, const QPointF &ownOffset);

} // namespace PrintOffset
