#pragma once

#include <QPointF>
#include <QSizeF>
#include <QString>

class QPainter;

// The sheet a printer prints to be calibrated: millimetre rulers along the
// top and left edges of the paper, and a cross CrossInsetMm from the
// top-left corner and one from the bottom-right corner, each labelled with
// where it should be. The clerk measures where they landed.
namespace CalibrationSheet {

inline constexpr double CrossInsetMm = 20.0;

// Paints the sheet for paper (twips, upright) on a painter in twips;
// printer and its current offset (mm) are named on it.
void Paint(QPainter &painter, const QSizeF &paper, const QString &printer,
           const QPointF &offsetMm);

} // namespace CalibrationSheet
