#include "HandlePlacement.h"

#include "model/HandlePosition.h"
#include "model/ObjDraw.h"
#include "model/ObjHd.h"

#include "platform/Element.h"
#include "platform/PageSurface.h"

namespace HandlePlacement {

namespace {

// From the element's corner to the point it marks (page twips at 100 %),
// as ObjDraw::MoveHd places it for its position.
QPointF offsetToMark(int position, const ObjDraw::HdMetrics &m)
{
    using namespace HandlePosition;
    double x = m.hw;
    if (position == TopLeft || position == BottomLeft || position == LeftMiddle)
        x -= m.px;
    else if (position == TopRight || position == RightMiddle || position == BottomRight)
        x += m.px;
    double y = m.hh;
    if (position == TopLeft || position == TopMiddle || position == TopRight)
        y -= m.py;
    else if (position == BottomRight || position == BottomMiddle || position == BottomLeft)
        y += m.py;
    return QPointF(x, y);
}

} // namespace

QPointF pictureCorner(const Element &handle, double zoom)
{
    const QPointF corner = handle.rect().topLeft();
    // At 100 % (most paints) nothing need be read from the handle.
    if (zoom == 1)
        return corner;
    const PageSurface *page = handle.page();
    const int position = ObjHd::positionOf(handle);
    if (!page || position < HandlePosition::TopLeft
        || position > HandlePosition::LeftMiddle)
        return corner;
    return corner + offsetToMark(position, ObjDraw::hdMetrics(*page)) * (1 - 1 / zoom);
}

} // namespace HandlePlacement
