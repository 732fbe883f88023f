#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>

// A scroll bar of the preview's view, in twips.
struct ScrollRange
{
    bool Visible = false;
    int Min = 0;
    int Max = 0;
    int Value = 0;
};

// Where the preview's view puts its page picture and scroll bars.
struct ViewLayout
{
    QRectF HS;
    QRectF VS;
    double PicLeft = 100;
    double PicTop = 100;
    ScrollRange H;
    ScrollRange V;
};

// The preview's sizing and view layout rules, in twips.
namespace PreviewLayout {

// A page larger than the view sits this far from its top left edge.
constexpr double Offset = 100;
// The fit leaves this much of the view; scroll ranges add it.
constexpr double Margin = 200;
// A view no larger than the margin still fits the page into one pixel.
constexpr double MinFit = 15;

// The page picture's size: the page itself, or the page fitted into the
// view less the margin (ratio = page height / page width).
QSizeF PictureSize(bool actualSize, double pageWidth, double pageHeight, double pageRatio,
                   const QSizeF &view);
// Lays out the view: bars along the bottom and right, and for each
// direction either a centred picture with no bar or a picture at Offset
// scrolled so the click point is as near the middle as the range allows.
// A step that fails (a range beyond 16 bits, a negative size) keeps what
// `previous` had and the next step runs.
ViewLayout LayoutView(const QSizeF &view, const QSizeF &picture, double hsHeight, double vsWidth,
                      const QPointF &click, const ViewLayout &previous);

} // namespace PreviewLayout
