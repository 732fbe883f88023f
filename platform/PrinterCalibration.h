#pragma once

#include <QPointF>
#include <QString>

#include <optional>

// How far each printer's pages must be shifted on the paper (millimetres,
// right and down) so that they land where they were designed: measured once
// on a printed calibration sheet and kept in the settings store under the
// printer's name.
namespace PrinterCalibration {

inline constexpr double LimitMm = 20.0;
// Offsets are kept in tenths of a millimetre.
inline constexpr double StepMm = 0.1;

// The stored offset; zero for a printer never calibrated (or a stored value
// that cannot be read).
QPointF offset(const QString &printer);
// Stores the offset rounded to 0.1 mm. Throws RuntimeError (InvalidArgument)
// for an empty printer name or an offset beyond LimitMm either way.
void setOffset(const QString &printer, const QPointF &mm);
void reset(const QString &printer);

// What the clerk measured on a calibration sheet (mm): the top-left cross
// from the paper's left and top edges, and optionally the bottom-right
// cross from the right and bottom edges. Each cross was printed inset mm
// from its corners.
struct Measured
{
    double left = 0;
    double top = 0;
    std::optional<double> right;
    std::optional<double> bottom;
};
struct Computed
{
    // The offset to store: the one the sheet was printed with less the
    // shift measured, rounded to 0.1 mm.
    QPointF offset;
    // Per axis, how far the two crosses disagree on the shift (0 with one
    // cross): a sign of paper of another size or a scaling printer.
    QPointF disagreement;
};
Computed fromMeasured(const QPointF &printedWith, const Measured &measured, double inset);

// An offset rounded to the step it is kept in.
QPointF rounded(const QPointF &mm);
bool withinLimit(const QPointF &mm);
// "左 +1.5 毫米，上 -0.8 毫米"
QString describe(const QPointF &mm);

} // namespace PrinterCalibration
