#include "PixelMapping.h"

#include "platform/Screen.h"

#include <cmath>

namespace PixelMapping {

QRect toPixels(const QRectF &twips, double twipsPerPixelX, double twipsPerPixelY)
{
    const int left = int(std::lround(twips.left() / twipsPerPixelX));
    const int top = int(std::lround(twips.top() / twipsPerPixelY));
    const int right = int(std::lround(twips.right() / twipsPerPixelX));
    const int bottom = int(std::lround(twips.bottom() / twipsPerPixelY));
    return QRect(left, top, right - left, bottom - top);
}

QRect toPixels(const QRectF &twips)
{
    return toPixels(twips, Screen::TwipsPerPixelX(), Screen::TwipsPerPixelY());
}

QPointF toTwips(const QPointF &pixels)
{
    return QPointF(pixels.x() * Screen::TwipsPerPixelX(), pixels.y() * Screen::TwipsPerPixelY());
}

QRectF toTwips(const QRectF &pixels)
{
    return QRectF(toTwips(pixels.topLeft()), toTwips(pixels.bottomRight()));
}

} // namespace PixelMapping
