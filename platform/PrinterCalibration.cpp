#include "PrinterCalibration.h"

#include "AppTitle.h"
#include "Platform.h"
#include "RuntimeError.h"
#include "SettingsStore.h"

#include <QStringList>
#include <QUrl>

#include <cmath>
#include <utility>

namespace PrinterCalibration {

namespace {

const QString Section = QStringLiteral("PrinterOffsets");

// Printer names may hold what the settings file takes for a group
// separator ("\\server\printer"); the key is the name percent-encoded.
QString keyOf(const QString &printer)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(printer));
}

double tenths(double mm)
{
    // + 0.0 turns -0.0 into 0.0, so a reset offset reads "+0.0".
    return std::round(mm / StepMm) * StepMm + 0.0;
}

QString signedMm(double mm)
{
    const double v = tenths(mm);
    return (v >= 0 ? QStringLiteral("+") : QString()) + QString::number(v, 'f', 1);
}

} // namespace

QPointF rounded(const QPointF &mm)
{
    return QPointF(tenths(mm.x()), tenths(mm.y()));
}

bool withinLimit(const QPointF &mm)
{
    const QPointF r = rounded(mm);
    return std::abs(r.x()) <= LimitMm && std::abs(r.y()) <= LimitMm;
}

QPointF offset(const QString &printer)
{
    if (printer.isEmpty())
        return QPointF();
    const QString text
        = Platform::settings().GetSetting(AppTitle(), Section, keyOf(printer), QString());
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 2)
        return QPointF();
    bool okX = false;
    bool okY = false;
    const QPointF mm(parts[0].toDouble(&okX), parts[1].toDouble(&okY));
    if (!okX || !okY || !withinLimit(mm))
        return QPointF();
    return rounded(mm);
}

void setOffset(const QString &printer, const QPointF &mm)
{
    if (printer.isEmpty() || !withinLimit(mm))
        throw RuntimeError(RuntimeError::InvalidArgument, QStringLiteral("PrinterCalibration"));
    const QPointF r = rounded(mm);
    Platform::settings().SaveSetting(AppTitle(), Section, keyOf(printer),
                                     QString::number(r.x(), 'f', 1) + QLatin1Char(',')
                                         + QString::number(r.y(), 'f', 1));
}

void reset(const QString &printer)
{
    setOffset(printer, QPointF());
}

namespace {

// The shift along one axis: from the near cross, averaged with the far
// cross's when measured (a far cross too far from its edge moved the other
// way).
std::pair<double, double> shiftOf(double near, const std::optional<double> &far, double inset)
{
    const double fromNear = near - inset;
    if (!far)
        return {fromNear, 0.0};
    const double fromFar = inset - *far;
    return {(fromNear + fromFar) / 2, std::abs(fromNear - fromFar)};
}

} // namespace

Computed fromMeasured(const QPointF &printedWith, const Measured &measured, double inset)
{
    const auto [shiftX, disagreeX] = shiftOf(measured.left, measured.right, inset);
    const auto [shiftY, disagreeY] = shiftOf(measured.top, measured.bottom, inset);
    return {rounded(printedWith - QPointF(shiftX, shiftY)), QPointF(disagreeX, disagreeY)};
}

QString describe(const QPointF &mm)
{
    return QStringLiteral("左 %1 毫米，上 %2 毫米").arg(signedMm(mm.x()), signedMm(mm.y()));
}

} // namespace PrinterCalibration
