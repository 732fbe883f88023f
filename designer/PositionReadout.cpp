#include "PositionReadout.h"

#include "platform/Units.h"

#include <QStringList>

namespace PositionReadout {

namespace {

QString mm(double twips)
{
    return Units::formatMm(Units::twipsToMm(twips));
}

} // namespace

QString text(const std::optional<QPointF> &pointer, const std::optional<QRectF> &object)
{
    QStringList parts;
    if (pointer)
        parts << QStringLiteral("X %1  Y %2").arg(mm(pointer->x()), mm(pointer->y()));
    if (object)
        parts << QStringLiteral("左 %1  上 %2  宽 %3  高 %4")
                     .arg(mm(object->left()), mm(object->top()), mm(object->width()),
                          mm(object->height()));
    return parts.join(QStringLiteral("    "));
}

} // namespace PositionReadout
