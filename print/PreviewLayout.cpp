#include "PreviewLayout.h"

#include "platform/Units.h"

#include <algorithm>
#include <optional>

namespace PreviewLayout {

namespace {

std::optional<int> toInt16(double v)
{
    try {
        return Units::toInt16(v);
    } catch (...) {
        return std::nullopt;
    }
}

// One direction of the view. Returns the picture's position on that axis.
double layoutAxis(double view, double picture, double barStart, double click,
                  ScrollRange &bar)
{
    if (picture <= view) {
        bar.Visible = false;
        return (view - picture) / 2.0;
    }
    bar.Min = 0;
    if (const auto max = toInt16(picture - barStart + Margin))
        bar.Max = *max;
    double wanted = click - view / 2.0;
    if (wanted < bar.Min)
        wanted = bar.Min;
    if (wanted > bar.Max)
        wanted = bar.Max;
    bar.Value = 0;
    if (const auto value = toInt16(wanted))
        bar.Value = *value;
    bar.Visible = true;
    return Offset - bar.Value;
}

} // namespace

QSizeF PictureSize(bool actualSize, double pageWidth, double pageHeight, double pageRatio,
                   const QSizeF &view)
{
    if (actualSize)
        return QSizeF(Units::roundHalfEven(pageWidth), pageHeight);
    const double w = std::max(view.width() - Margin, MinFit);
    const double h = std::max(view.height() - Margin, MinFit);
    // Compared in single precision, as the ratios are kept.
    if (float(pageRatio) > float(h / w))
        return QSizeF(std::max(1.0, Units::roundHalfEven(h / pageRatio)), h);
    const double width = Units::roundHalfEven(w);
    return QSizeF(width, width * pageRatio);
}

ViewLayout LayoutView(const QSizeF &view, const QSizeF &picture, double hsHeight, double vsWidth,
                      const QPointF &click, const ViewLayout &previous)
{
    ViewLayout layout = previous;
    const double hsWidth = view.width() - vsWidth;
    if (hsWidth >= 0)
        layout.HS = QRectF(0, view.height() - hsHeight, hsWidth, hsHeight);
    const double vsHeight = view.height() - hsHeight;
    if (vsHeight >= 0)
        layout.VS = QRectF(view.width() - vsWidth, 0, vsWidth, vsHeight);
    layout.PicLeft = layoutAxis(view.width(), picture.width(), layout.VS.left(), click.x(),
                                layout.H);
    layout.PicTop = layoutAxis(view.height(), picture.height(), layout.HS.top(), click.y(),
                               layout.V);
    return layout;
}

} // namespace PreviewLayout
