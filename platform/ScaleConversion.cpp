#include "ScaleConversion.h"

#include "RuntimeError.h"
#include "Screen.h"
#include "Units.h"

namespace ScaleConversion {

double twipsPerUnit(int mode, bool horizontal)
{
    switch (mode) {
    case Twips:
        return 1.0;
    case Points:
        return Units::TwipsPerPoint;
    case Pixels:
        return horizontal ? Screen::TwipsPerPixelX() : Screen::TwipsPerPixelY();
    case Characters:
        return horizontal ? 120.0 : 240.0;
    case Inches:
        return Units::TwipsPerInch;
    case Millimeters:
        return Units::TwipsPerMm;
    case Centimeters:
        return Units::TwipsPerMm * 10.0;
    default:
        throw RuntimeError(RuntimeError::InvalidArgument);
    }
}

double convert(double value, int fromScale, int toScale, bool horizontal)
{
    return value * twipsPerUnit(fromScale, horizontal) / twipsPerUnit(toScale, horizontal);
}

} // namespace ScaleConversion
