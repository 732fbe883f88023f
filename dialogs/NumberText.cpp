#include "NumberText.h"

#include "platform/Units.h"

#include <cmath>

namespace NumberText {

double value(const QString &text)
{
    const double v = Units::leadingNumber(text);
    return std::isfinite(v) ? v : 0.0;
}

QString normalised(const QString &text)
{
    return Units::plainNumber(value(text));
}

} // namespace NumberText
