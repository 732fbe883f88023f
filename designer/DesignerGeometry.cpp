#include "DesignerGeometry.h"

#include "FixHandle.h"

#include "model/ObjDraw.h"

#include "platform/Units.h"

#include <algorithm>
#include <cmath>

namespace DesignerGeometry {

std::array<QPointF, 3> fixHandlePositions(double pageLeft, double pageTop, double pageWidth,
                                          double pageHeight, double handleWidth,
                                          double handleHeight, double twipsPerPixelX,
                                          double twipsPerPixelY)
{
    // Half a pixel keeps the handles just off the page's edges.
    const int ox = Units::toInt32(twipsPerPixelX * 0.5);
    const int oy = Units::toInt32(twipsPerPixelY * 0.5);
    const int hw = Units::toInt32(handleWidth) / 2 - 50;
    const int hh = Units::toInt32(handleHeight) / 2 - 50;
    const double right = pageLeft + pageWidth - hw - ox;
    const double bottom = pageTop + pageHeight - hh - oy;
    return {QPointF(right, pageTop + pageHeight / 2 - hh),
            QPointF(pageLeft + pageWidth / 2 - hw, bottom), QPointF(right, bottom)};
}

QSizeF sizedPage(int handle, double X, double Y, double lastX, double lastY, double width,
                 double height, const QSizeF &minimum)
{
    // Whole twips, as the gestures on the page keep them.
    const double newWidth = std::max({MinPageSize, std::ceil(minimum.width()), X - lastX + width});
    const double newHeight =
        std::max({MinPageSize, std::ceil(minimum.height()), Y - lastY + height});

    switch (handle) {
    case FixHandle::RightEdge:
        return QSizeF(newWidth, height);
    case FixHandle::BottomEdge:
        return QSizeF(width, newHeight);
    case FixHandle::Corner:
        return QSizeF(newWidth, newHeight);
    default:
        return QSizeF(width, height);
    }
}

int handleOwner(int elementIndex)
{
    return (elementIndex + 7) / 8;
}

double scrollMax(double pageExtent, double barEdge, double barThickness)
{
    return pageExtent - barEdge + 2 * barThickness;
}

QSizeF clickSize(int eType)
{
    if (eType == ObjDraw::Picture)
        return QSizeF(ClickPictureSide, ClickPictureSide);
    return QSizeF(ClickTextWidth, ClickTextHeight);
}

QPointF clickPlace(const QPointF &at, const QSizeF &size, const QSizeF &page)
{
    return QPointF(std::max(0.0, std::min(at.x(), page.width() - size.width())),
                   std::max(0.0, std::min(at.y(), page.height() - size.height())));
}

} // namespace DesignerGeometry

