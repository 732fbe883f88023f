#include "DocumentNumber.h"

#include "platform/Units.h"

#include <cmath>
#include <limits>

std::optional<int32_t> DocumentNumber(const QString &tmpAnswer)
{
    const double r = Units::roundHalfEven(Units::leadingNumber(tmpAnswer));
    if (!std::isfinite(r) || r < std::numeric_limits<int32_t>::min()
        || r > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return int32_t(r);
}
