#include "PrintedSize.h"

#include <QImage>

namespace PrintedSize {

namespace {

constexpr double MetresPerInch = 0.0254;

double twipsPerDot(int dotsPerMetre)
{
    return dotsPerMetre > 0 ? 1440.0 / (dotsPerMetre * MetresPerInch) : TwipsPerPixel;
}

} // namespace

QSizeF naturalSize(const QImage &picture)
{
    return QSizeF(picture.width() * twipsPerDot(picture.dotsPerMeterX()),
                  picture.height() * twipsPerDot(picture.dotsPerMeterY()));
}

} // namespace PrintedSize
