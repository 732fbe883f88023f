#include "ZoomSteps.h"

#include "ViewMapping.h"

#include "platform/Units.h"

#include <cmath>

namespace ZoomSteps {

double larger(double zoom)
{
    for (double step : Steps) {
        if (step > zoom + 1e-9)
            return step;
    }
    return Steps.back();
}

double smaller(double zoom)
{
    for (auto it = Steps.rbegin(); it != Steps.rend(); ++it) {
        if (*it < zoom - 1e-9)
            return *it;
    }
    return Steps.front();
}

QString text(double zoom)
{
    return Units::plainNumber(std::round(zoom * 1000) / 10) + QLatin1Char('%');
}

std::optional<double> parse(const QString &typed)
{
    QString text = Units::asciiWidth(typed).trimmed();
    if (text.endsWith(QLatin1Char('%')))
        text.chop(1);
    text = text.trimmed();
    bool ok = false;
    const double percent = text.toDouble(&ok);
    if (!ok || !std::isfinite(percent))
        return std::nullopt;
    const double zoom = percent / 100;
    if (zoom < ViewMapping::MinZoom - 1e-9 || zoom > ViewMapping::MaxZoom + 1e-9)
        return std::nullopt;
    return zoom;
}

} // namespace ZoomSteps
