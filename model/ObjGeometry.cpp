#include "ObjGeometry.h"

#include "HandlePosition.h"

#include "platform/Units.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace ObjGeometry {

int32_t twips(double v)
{
    return Units::toInt32(v);
}

TwipRect rectFrom(double left, double top, double right, double bottom)
{
    return TwipRect{twips(left), twips(top), twips(right), twips(bottom)};
}

void NormRect(TwipRect &r)
{
    if (r.right < r.left)
        std::swap(r.left, r.right);
    if (r.bottom < r.top)
        std::swap(r.top, r.bottom);
}

void SizeRect(int id, TwipRect &r, double X, double Y)
{
    using namespace HandlePosition;
    const int32_t x = twips(X);
    const int32_t y = twips(Y);
    const int position = id + 1;
    switch (position) {
    case TopLeft:
        r.left = x;
        r.top = y;
        break;
    case TopMiddle:
        r.top = y;
        break;
    case TopRight:
        r.right = x;
        r.top = y;
        break;
    case RightMiddle:
        r.right = x;
        break;
    case BottomRight:
        r.right = x;
        r.bottom = y;
        break;
    case BottomMiddle:
        r.bottom = y;
        break;
    case BottomLeft:
        r.left = x;
        r.bottom = y;
        break;
    case LeftMiddle:
        r.left = x;
        break;
    default:
        break;
    }
    // The edge the handle moves stops at the opposite edge.
    const bool movesRight = position >= TopRight && position <= BottomRight;
    const bool movesBottom = position >= BottomRight && position <= BottomLeft;
    const bool movesLeft = position == TopLeft || position == BottomLeft || position == LeftMiddle;
    const bool movesTop = position >= TopLeft && position <= TopRight;
    if (movesRight && r.left >= r.right)
        r.right = r.left;
    if (movesBottom && r.top >= r.bottom)
        r.bottom = r.top;
    if (movesLeft && r.left >= r.right)
        r.left = r.right;
    if (movesTop && r.top >= r.bottom)
        r.top = r.bottom;
}

bool HitLine(double x1, double y1, double x2, double y2, double X, double Y)
{
    if (X == x1 || X == x2 || x1 == x2)
        return std::min(y1, y2) < Y && Y <= std::max(y1, y2);
    if (y1 == y2 || Y == y1 || Y == y2)
        return std::min(x1, x2) < X && X <= std::max(x1, x2);
    const double s = std::fabs((y2 - y1) / (x2 - x1));
    const double s2 = std::fabs((y2 - Y) / (x2 - X));
    const double s1 = std::fabs((y1 - Y) / (x1 - X));
    // The differences are compared in single precision.
    const float d2 = static_cast<float>(s2 - s);
    const float d1 = static_cast<float>(s1 - s);
    return std::fabs(d2) < SlopeTolerance && std::fabs(d1) < SlopeTolerance;
}

bool IntersectRect(const TwipRect &a, const TwipRect &b)
{
    if (a.left >= a.right || a.top >= a.bottom || b.left >= b.right || b.top >= b.bottom)
        return false;
    return std::max(a.left, b.left) < std::min(a.right, b.right)
           && std::max(a.top, b.top) < std::min(a.bottom, b.bottom);
}

TwipRect lineRangeRect(double x1, double y1, double x2, double y2)
{
    TwipRect r = rectFrom(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2));
    if (r.left == r.right) {
        r.left -= LineBand;
        r.right += LineBand;
    }
    if (r.top == r.bottom) {
        r.top -= LineBand;
        r.bottom += LineBand;
    }
    return r;
}

int halfPixel(double twipsPerPixel)
{
    return static_cast<int>(Units::roundHalfEven(twipsPerPixel * 0.5));
}

QPointF handleTopLeft(int position, const QRectF &box, double hw, double hh, int px, int py)
{
    const double l = box.left();
    const double t = box.top();
    const double w = box.width();
    const double h = box.height();
    switch (position) {
    case HandlePosition::TopLeft:
        return {l - hw + px, t - hh + py};
    case HandlePosition::TopMiddle:
        return {l + w / 2 - hw, t - hh + py};
    case HandlePosition::TopRight:
        return {l + w - hw - px, t - hh + py};
    case HandlePosition::RightMiddle:
        return {l + w - hw - px, t + h / 2 - hh};
    case HandlePosition::BottomRight:
        return {l + w - hw - px, t + h - hh - py};
    case HandlePosition::BottomMiddle:
        return {l + w / 2 - hw, t + h - hh - py};
    case HandlePosition::BottomLeft:
        return {l - hw + px, t + h - hh - py};
    case HandlePosition::LeftMiddle:
        return {l - hw + px, t + h / 2 - hh};
    default:
        return {l, t};
    }
}

QRect RectToScreen(const TwipRect &r, double twipsPerPixelX)
{
    const int left = twips(r.left / twipsPerPixelX);
    const int top = twips(r.top / twipsPerPixelX);
    const int right = twips(r.right / twipsPerPixelX);
    const int bottom = twips(r.bottom / twipsPerPixelX);
    return QRect(std::min(left, right), std::min(top, bottom), std::abs(right - left),
                 std::abs(bottom - top));
}

void alignSpan(double &a, double &b, double target, bool moveLowEnd)
{
    // The low end is b only when a lies above it; equal ends count a as low.
    const bool aIsLow = !(a > b);
    double &end = (moveLowEnd == aIsLow) ? a : b;
    double &other = (&end == &a) ? b : a;
    const double delta = target - end;
    end = target;
    other += delta;
}

void resizeSpan(double &a, double &b, double size)
{
    if (a > b)
        a = b + size;
    else
        b = a + size;
}

} // namespace ObjGeometry
