#include "PrintOffset.h"

#include "platform/PrinterCalibration.h"
#include "platform/Units.h"

namespace PrintOffset {

QPointF onPaper(const QPointF &calibrationMm, bool landscape)
{
    const QPointF twips(Units::mmToTwips(calibrationMm.x()), Units::mmToTwips(calibrationMm.y()));
    // Turned a quarter counter-clockwise, the page's right is the paper's
    // up and the page's down is the paper's right.
    return landscape ? QPointF(-twips.y(), twips.x()) : twips;
}

QPointF forPrinter(const QString &printer, bool landscape, const QPointF &ownOffset)
{
    if (printer.isEmpty())
        return QPointF();
    return onPaper(PrinterCalibration::offset(printer), landscape) + ownOffset;
}

} // namespace PrintOffset
