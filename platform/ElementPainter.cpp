#include "ElementPainter.h"

#include "Element.h"
#include "ElementTiles.h"
#include "LaidText.h"
#include "LabelBarcode.h"
#include "PrintedSize.h"
#include "ScatteredWalk.h"
#include "SquareRun.h"
#include "TextLayout.h"
#include "TextLayoutCache.h"

#include <QPainter>
#include <QPainterPath>
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

// The caption cut at its box, copied when the page keeps it.
void paintCaption(QPainter &painter, const Element &e, const LaidText &laid,
                  const Options &options)
{
    const QRectF box = e.rect();
    const auto draw = [&](QPainter &on) {
        laid.draw(on, box, e.ForeColor(), e.Alignment(), options.clipText);
    };
    if (options.tiles && options.clipText && !laid.isEmpty()) {
        const ElementTiles::Look look{laid.serial(), box, e.Alignment(), e.ForeColor().rgba(),
                                      QSizeF(options.twipsPerPixel, options.twipsPerPixelY)};
        if (options.tiles->draw(painter, e, look, draw))
            return;
    }
    draw(painter);
}

void paintLabel(QPainter &painter, const Element &e, const Options &options)
{
    const QRectF box = e.rect();
    if (e.Barcode().isCode())
        LabelBarcode::paint(painter, e, options.twipsPerPixel);
    else if (options.textCache)
        paintCaption(painter, e, options.textCache->layoutFor(e), options);
    else
        TextLayout::draw(painter, box, e.Caption(), e.Font(), e.ForeColor(), e.Alignment(),
                         e.AutoSize(), options.clipText);
    // Apart from the caption: it comes and goes as the label is selected.
    if (options.labelBorders && e.BorderStyle() == Element::FixedSingle)
        paintBorder(painter, box, Qt::black, options.twipsPerPixel, Qt::SolidLine,
                    options.twipsPerPixel);
}

void paintLine(QPainter &painter, const Element &e, const Options &options)
{
    const auto style = Qt::PenStyle(penStyleFor(e.BorderStyle()));
    if (style == Qt::NoPen)
        return;
    QPen pen(e.BorderColor(), std::max(1, e.BorderWidth()) * PrintedSize::TwipsPerPixel, style,
             Qt::FlatCap);
    const QPointF from(e.x1(), e.y1());
    const QPointF to(e.x2(), e.y2());
    const double deviceWidth = pen.widthF() * painter.worldTransform().m11();
    if (options.linesAsOutlines && deviceWidth > 1) {
        QPainterPath path(from);
        path.lineTo(to);
        painter.strokePath(path, pen);
        return;
    }
    painter.setPen(pen);
    painter.drawLine(from, to);
}

// A handle is drawn in screen pixels; a picture at its printed size.
QSizeF naturalSize(const Element &e, const Options &options)
{
    if (e.kind() != ElementKind::Handle)
        return PrintedSize::naturalSize(e.Picture());
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

// The picture cut at its box and its border.
void paintImage(QPainter &painter, const Element &e, const Options &options)
{
    const auto draw = [&](QPainter &on) {
        paintPicture(on, e, e.rect(), true, options);
        if (e.BorderStyle() == Element::FixedSingle)
            paintBorder(on, e.rect(), Qt::black, options.twipsPerPixel, Qt::SolidLine,
                        options.twipsPerPixel);
    };
    if (options.tiles) {
        const int flags = (e.Stretch() ? 1 : 0) | (e.BorderStyle() == Element::FixedSingle ? 2 : 0);
        const ElementTiles::Look look{quint64(e.Picture().cacheKey()), e.rect(), flags, 0,
                                      QSizeF(options.twipsPerPixel, options.twipsPerPixelY)};
        if (options.tiles->draw(painter, e, look, draw))
            return;
    }
    draw(painter);
}

} // namespace

void paintHandles(QPainter &painter, const std::vector<const Element *> &handles,
                  const Options &options, const std::function<QPointF(const Element &)> &corner)
{
    // A picture the page shows at its own size is drawn at its place on
    // the device without the page's scale, which lands on the same pixels
    // and costs far less per handle.
    const QTransform toDevice = painter.worldTransform();
    painter.save();
    painter.resetTransform();
    SquareRun squares(painter);
    forEachScattered(handles, [&](const Element *e) {
        if (!e->Visible() || e->Picture().isNull())
            return;
        const QPointF at = corner ? corner(*e) : e->rect().topLeft();
        const QRectF target = toDevice.mapRect(QRectF(at, naturalSize(*e, options)));
        if (!e->Stretch() && sameSize(target.size(), e->Picture().size())) {
            if (squares.add(e->Picture(), target.topLeft()))
                return;
            squares.flush();
            painter.drawImage(target.topLeft(), e->Picture());
            return;
        }
        squares.flush();
        painter.setWorldTransform(toDevice);
        if (corner)
            painter.drawImage(QRectF(at, naturalSize(*e, options)), e->Picture());
        else
            paint(painter, *e, options);
        painter.resetTransform();
    });
    squares.flush();
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
        paintImage(painter, element, options);
        break;
    case ElementKind::Handle:
        // A handle shows its whole picture, as an image element that sizes
        // itself to its picture does.
        paintPicture(painter, element, element.rect(), false, options);
        break;
    }
}

} // namespace ElementPainter
