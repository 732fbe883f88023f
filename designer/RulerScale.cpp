#include "RulerScale.h"

#include <array>

RulerScale RulerScale::forPixelsPerMm(double pixelsPerMm)
{
    RulerScale scale;
    static constexpr std::array<int, 6> MarkSteps{1, 2, 5, 10, 20, 50};
    for (int step : MarkSteps) {
        scale.markMm = step;
        if (step * pixelsPerMm >= MinMarkPixels)
            break;
    }
    static constexpr std::array<int, 5> NumberSteps{10, 20, 50, 100, 200};
    if (5 * pixelsPerMm >= FiveMmNumberPixels) {
        scale.numberMm = 5;
    } else {
        for (int step : NumberSteps) {
            scale.numberMm = step;
            if (step * pixelsPerMm >= MinNumberPixels)
                break;
        }
    }
    scale.halfMm = scale.numberMm % 2 == 0 ? scale.numberMm / 2 : 0;
    if (scale.halfMm % scale.markMm != 0 || scale.halfMm == scale.markMm)
        scale.halfMm = 0;
    return scale;
}
