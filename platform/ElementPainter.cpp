#include "ElementPainter.h"

#include "CaptionTiles.h"
#include "Element.h"
#include "LaidText.h"
#include "ScatteredWalk.h"
#include "TextLayout.h"
#include "TextLayoutCache.h"

#include <QPainter>
#include <QPen>
#include <QTransform>

#include <cmath>

namespace ElementPainter {

int penStyleFor(int borderStyle)
{
    switch (borderStyle) {
    case Element::Transparent:
        return Qt::NoPen;
    case Element::Dash:
        return Qt::DashLine;
    case Element::Dot:
        return Qt::DotLine;
    case Element::DashDot:
        return Qt::DashDotLine;
    case Element::DashDotDot:
        return Qt::DashDotDotLine;
    default:
        return Qt::SolidLine;
    }
}

namespace {

// A one-pixel outline drawn inside the box, as a window-system border is.
void paintBorder(QPainter &painter, const QRectF &box, const QColor &color, double width,
                 Qt::PenStyle style, double twipsPerPixel)
{
    QPen pen(color, width, style, Qt::SquareCap, Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const double inset = std::max(width, twipsPerPixel) / 2.0;
    painter.drawRect(box.adjusted(inset, inset, -inset, -inset));
}

void paintLabel(QPainter &painter, const Element &e, const Options &options)
{
    const QRectF box = e.rect();
    if (options.textCache) {
        const LaidText &laid = options.textCache->layoutFor(e);
        const bool copied
            = options.captionTiles && options.clipText && options.captionTiles->draw(painter, e, laid);
        if (!copied)
            laid.draw(painter, box, e.ForeColor(), e.Alignment(), options.clipText);
    } else
        TextLayout::draw(painter, box, e.Caption(), e.Font(), e.ForeColor(), e.Alignment(),
                         e.AutoSize(), options.clipText);
    if (options.labelBorders && e.BorderStyle() == Element::FixedSingle)
        paintBorder(painter, box, Qt::black, options.twipsPerPixel, Qt::SolidLine,
                    options.twipsPerPixel);
}

void paintLine(QPainter &painter, const Element &e, const Options &options)
{
    const auto style = Qt::PenStyle(penStyleFor(e.BorderStyle()));
    if (style == Qt::NoPen)
        return;
    QPen pen(e.BorderColor(), std::max(1, e.BorderWidth()) * options.twipsPerPixel, style,
             Qt::FlatCap);
    painter.setPen(pen);
    painter.drawLine(QPointF(e.x1(), e.y1()), QPointF(e.x2(), e.y2()));
}

QSizeF naturalSize(const Element &e, const Options &options)
{
    return QSizeF(e.Picture().width() * options.twipsPerPixel,
                  e.Picture().height() * options.twipsPerPixelY);
}

bool sameSize(const QSizeF &a, const QSize &b)
{
    constexpr double Slack = 1e-6;
    return std::abs(a.width() - b.width()) < Slack && std::abs(a.height() - b.height()) < Slack;
}

void paintPicture(QPainter &painter, const Element &e, const QRectF &box, bool clipToBox,
                  const Options &options)
{
    if (e.Picture().isNull())
        return;
    if (e.Stretch()) {
        painter.drawImage(box, e.Picture());
        return;
    }
    const QRectF target(box.topLeft(), naturalSize(e, options));
    // Nothing to keep of the painter when nothing is cut.
    if (!clipToBox) {
        painter.drawImage(target, e.Picture());
        return;
    }
    painter.save();
    painter.setClipRect(box, Qt::IntersectClip);
    painter.drawImage(target, e.Picture());
    painter.restore();
}

} // namespace

void paintHandles(QPainter &painter, const std::vector<const Element *> &handles,
                  const Options &options)
{
    // A picture the page shows at its own size is drawn at its place on
    // the device without the page's scale, which lands on the same pixels
    // and costs far less per handle.
    const QTransform toDevice = painter.worldTransform();
    painter.save();
    painter.resetTransform();
    forEachScattered(handles, [&](const Element *e) {
        if (!e->Visible() || e->Picture().isNull())
            return;
        const QRectF target
            = toDevice.mapRect(QRectF(e->rect().topLeft(), naturalSize(*e, options)));
        if (!e->Stretch() && sameSize(target.size(), e->Picture().size())) {
            painter.drawImage(target.topLeft(), e->Picture());
            return;
        }
        painter.setWorldTransform(toDevice);
        paint(painter, *e, options);
        painter.resetTransform();
    });
    painter.restore();
}

void paint(QPainter &painter, const Element &element, const Options &options)
{
    if (!element.Visible())
        return;
    switch (element.kind()) {
    case ElementKind::Label:
        paintLabel(painter, element, options);
        break;
    case ElementKind::Line:
        paintLine(painter, element, options);
        break;
    case ElementKind::Image:
        paintPicture(painter, element, element.rect(), true, options);
        if (element.BorderStyle() == Element::FixedSingle)
            paintBorder(painter, element.rect(), Qt::black, options.twipsPerPixel, Qt::SolidLine,
                        options.twipsPerPixel);
        break;
    case ElementKind::Handle:
        // A handle shows its whole picture, as an image element that sizes
        // itself to its picture does.
        paintPicture(painter, element, element.rect(), false, options);
        break;
    }
}

} // namespace ElementPainter
