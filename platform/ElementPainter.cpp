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

#include <algorithm>
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

// Whether the box lies within the bounds (one of no size too).
bool liesWithin(const QRectF &box, const Options &options)
{
    const QRectF &b = options.bounds;
    return b.isEmpty()
           || (box.left() >= b.left() && box.right() <= b.right() && box.top() >= b.top()
               && box.bottom() <= b.bottom());
}

// The box as far as painting may reach: its edges past the bounds are
// never shown. Empty when it lies wholly past them.
QRectF within(const QRectF &box, const Options &options)
{
    if (liesWithin(box, options))
        return box;
    const QRectF cut = box.normalized() & options.bounds;
    return cut.isValid() ? cut : QRectF();
}

// The part of the line within the bounds (Liang-Barsky), on the same
// straight line; none when it passes by them.
bool cutToBounds(QPointF &from, QPointF &to, const Options &options)
{
    const QRectF &b = options.bounds;
    if (b.isEmpty() || (b.contains(from) && b.contains(to)))
        return true;
    const QPointF d = to - from;
    double enter = 0, leave = 1;
    const double p[] = {-d.x(), d.x(), -d.y(), d.y()};
    const double q[] = {from.x() - b.left(), b.right() - from.x(), from.y() - b.top(),
                        b.bottom() - from.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            enter = std::max(enter, t);
        else
            leave = std::min(leave, t);
    }
    if (enter > leave)
        return false;
    const QPointF start = from;
    from = start + d * enter;
    to = start + d * leave;
    return true;
}

// v rounded to the nearest edge between device pixels.
int pixelEdge(double v)
{
    constexpr double Far = 1e9;
    return int(std::floor(std::clamp(v, -Far, Far) + 0.5));
}

// A one-pixel outline inside the box, as a window-system border is. Filled
// as whole device pixels found from where the box lies on the page alone,
// so every part of the page shows the same pixels however it is cut: a
// stroked outline's corners follow the size of the device it is drawn on.
void paintBorder(QPainter &painter, const QRectF &box)
{
    const QTransform world = painter.worldTransform();
    if (world.type() > QTransform::TxScale) {
        const double width = 1 / std::sqrt(std::abs(world.determinant()));
        painter.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(box.adjusted(width / 2, width / 2, -width / 2, -width / 2));
        return;
    }
    const QRectF on = QRectF(box.left() * world.m11(), box.top() * world.m22(),
                             box.width() * world.m11(), box.height() * world.m22())
                          .normalized();
    const int left = pixelEdge(on.left());
    const int top = pixelEdge(on.top());
    const int width = std::max(pixelEdge(on.right()) - left, 1);
    const int height = std::max(pixelEdge(on.bottom()) - top, 1);
    // Filling leaves the rest of the state: the move alone is put back,
    // cheaper than saving all of it for every bordered object.
    painter.setWorldTransform(QTransform::fromTranslate(world.dx(), world.dy()));
    painter.fillRect(QRect(left, top, width, 1), Qt::black);
    painter.fillRect(QRect(left, top + height - 1, width, 1), Qt::black);
    painter.fillRect(QRect(left, top, 1, height), Qt::black);
    painter.fillRect(QRect(left + width - 1, top, 1, height), Qt::black);
    painter.setWorldTransform(world);
}

// The caption cut at its box, copied when the page keeps it.
void paintCaption(QPainter &painter, const Element &e, const LaidText &laid,
                  const Options &options)
{
    const QRectF box = e.rect();
    const auto draw = [&](QPainter &on) {
        laid.draw(on, box, e.ForeColor(), e.Alignment(), options.clipText, options.bounds);
    };
    if (options.tiles && options.clipText && !laid.isEmpty() && liesWithin(box, options)) {
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
    const QRectF cut = within(box, options);
    if (cut.isNull() && !liesWithin(box, options))
        return;
    if (e.Barcode().isCode())
        LabelBarcode::paint(painter, e, options.twipsPerPixel);
    else if (options.textCache)
        paintCaption(painter, e, options.textCache->layoutFor(e), options);
    else
        TextLayout::draw(painter, box, e.Caption(), e.Font(), e.ForeColor(), e.Alignment(),
                         e.AutoSize(), options.clipText);
    // Apart from the caption: it comes and goes as the label is selected.
    if (options.labelBorders && e.BorderStyle() == Element::FixedSingle)
        paintBorder(painter, cut);
}

void paintLine(QPainter &painter, const Element &e, const Options &options)
{
    const auto style = Qt::PenStyle(penStyleFor(e.BorderStyle()));
    if (style == Qt::NoPen)
        return;
    QPen pen(e.BorderColor(), std::max(1, e.BorderWidth()) * PrintedSize::TwipsPerPixel, style,
             Qt::FlatCap);
    QPointF from(e.x1(), e.y1());
    QPointF to(e.x2(), e.y2());
    if (!cutToBounds(from, to, options))
        return;
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

// Stretched over a box reaching past the bounds, only the part of the
// picture within them is drawn, over the part of the box it fills.
void paintStretched(QPainter &painter, const QImage &picture, const QRectF &box,
                    const Options &options)
{
    if (liesWithin(box, options)) {
        painter.drawImage(box, picture);
        return;
    }
    const QRectF cut = within(box, options);
    if (cut.isNull())
        return;
    const double sx = picture.width() / box.width();
    const double sy = picture.height() / box.height();
    const QRectF source((cut.left() - box.left()) * sx, (cut.top() - box.top()) * sy,
                        cut.width() * sx, cut.height() * sy);
    painter.drawImage(cut, picture, source);
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
        paintStretched(painter, e.Picture(), box, options);
        return;
    }
    const QRectF target(box.topLeft(), naturalSize(e, options));
    // Nothing to keep of the painter when nothing is cut.
    if (!clipToBox) {
        painter.drawImage(target, e.Picture());
        return;
    }
    const QRectF cut = within(box, options);
    if (cut.isNull() || !target.intersects(cut))
        return;
    painter.save();
    painter.setClipRect(cut, Qt::IntersectClip);
    painter.drawImage(target, e.Picture());
    painter.restore();
}

// The picture cut at its box and its border.
void paintImage(QPainter &painter, const Element &e, const Options &options)
{
    const auto draw = [&](QPainter &on) {
        paintPicture(on, e, e.rect(), true, options);
        if (e.BorderStyle() != Element::FixedSingle)
            return;
        const QRectF cut = within(e.rect(), options);
        if (!cut.isNull() || liesWithin(e.rect(), options))
            paintBorder(on, cut);
    };
    if (options.tiles && liesWithin(e.rect(), options)) {
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
                  const Options &options, const std::function<QPointF(const Element &)> &corner,
                  const QRectF &near)
{
    // A picture the page shows at its own size is drawn at its place on
    // the device without the page's scale, which lands on the same pixels
    // and costs far less per handle.
    const QTransform toDevice = painter.worldTransform();
    painter.save();
    painter.resetTransform();
    SquareRun squares(painter);
    forEachScattered(handles, [&](const Element *e) {
        if (!e->Visible() || (!near.isEmpty() && !e->rect().intersects(near))
            || e->Picture().isNull())
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
