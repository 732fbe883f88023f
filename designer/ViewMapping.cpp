#include "ViewMapping.h"

#include "platform/Screen.h"

#include <algorithm>
#include <cmath>

ViewMapping::ViewMapping()
    : ViewMapping(Screen::TwipsPerPixelX(), Screen::TwipsPerPixelY())
{
}

ViewMapping::ViewMapping(double twipsPerPixelX, double twipsPerPixelY, double zoom)
    : m_twipsPerPixelX(twipsPerPixelX)
    , m_twipsPerPixelY(twipsPerPixelY)
{
    setZoom(zoom);
}

void ViewMapping::setZoom(double zoom)
{
    m_zoom = std::clamp(zoom, MinZoom, MaxZoom);
}

QRect ViewMapping::rounded(const QRectF &twips, double perPixelX, double perPixelY)
{
    const int left = int(std::lround(twips.left() / perPixelX));
    const int top = int(std::lround(twips.top() / perPixelY));
    const int right = int(std::lround(twips.right() / perPixelX));
    const int bottom = int(std::lround(twips.bottom() / perPixelY));
    return QRect(left, top, right - left, bottom - top);
}

QRect ViewMapping::windowToPixels(const QRectF &twips) const
{
    return rounded(twips, m_twipsPerPixelX, m_twipsPerPixelY);
}

QPointF ViewMapping::windowToTwips(const QPointF &pixels) const
{
    return QPointF(pixels.x() * m_twipsPerPixelX, pixels.y() * m_twipsPerPixelY);
}

QRect ViewMapping::pageToPixels(const QRectF &twips) const
{
    return rounded(twips, pageTwipsPerPixelX(), pageTwipsPerPixelY());
}

QPointF ViewMapping::pageToPixels(const QPointF &twips) const
{
    return QPointF(twips.x() / pageTwipsPerPixelX(), twips.y() / pageTwipsPerPixelY());
}

QPointF ViewMapping::pageToTwips(const QPointF &pixels) const
{
    return QPointF(pixels.x() * pageTwipsPerPixelX(), pixels.y() * pageTwipsPerPixelY());
}

QRectF ViewMapping::pageToTwips(const QRectF &pixels) const
{
    return QRectF(pageToTwips(pixels.topLeft()), pageToTwips(pixels.bottomRight()));
}
