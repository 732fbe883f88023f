#include "GridSteps.h"

#include "platform/Units.h"

#include <algorithm>
#include <cmath>

namespace GridSteps {

double twipsOf(double mm)
{
    return Units::mmToTwips(mm);
}

bool isChoice(double mm)
{
    return std::find(ChoicesMm.begin(), ChoicesMm.end(), mm) != ChoicesMm.end();
}

double shownStep(double stepTwips, double twipsPerPixel)
{
    if (stepTwips <= 0 || twipsPerPixel <= 0)
        return stepTwips;
    static constexpr std::array<double, 3> Multiples{2, 5, 10};
    double decade = 1;
    double factor = 1;
    std::size_t next = 0;
    while (stepTwips * factor / twipsPerPixel < MinDotPixels) {
        factor = decade * Multiples[next];
        if (++next == Multiples.size()) {
            next = 0;
            decade *= 10;
        }
    }
    return stepTwips * factor;
}

double snap(double v, double stepTwips)
{
    if (stepTwips <= 0)
        return v;
    return std::round(std::round(v / stepTwips) * stepTwips);
}

} // namespace GridSteps
