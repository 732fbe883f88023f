#include "ElementTiles.h"

#include "Element.h"
#include "PageIndex.h"
#include "WholeNumber.h"

#include <QPaintEngine>
#include <QPainter>

#include <cmath>

namespace {

// An element bigger than this is drawn each time: few are, and each would
// hold a lot.
constexpr qint64 MaxTileBytes = qint64(1) << 20;
constexpr quint32 White = 0xffffffff;

// The device pixels an element inside box may touch, with one to spare on
// each side.
QRect deviceArea(const QTransform &transform, const QRectF &box)
{
    const QRectF on = transform.mapRect(box);
    const QPoint topLeft(int(std::floor(on.left())) - 1, int(std::floor(on.top())) - 1);
    const QPoint end(int(std::ceil(on.right())) + 1, int(std::ceil(on.bottom())) + 1);
    return QRect(topLeft, QSize(end.x() - topLeft.x(), end.y() - topLeft.y()));
}

// The same pixels in page twips, a twip wider each way.
QRectF pageArea(const QTransform &transform, const QRect &device)
{
    return QRectF(device.left() / transform.m11(), device.top() / transform.m22(),
                  device.width() / transform.m11(), device.height() / transform.m22())
        .adjusted(-1, -1, 1, 1);
}

bool isWhite(const QImage &image, int x, int y)
{
    return reinterpret_cast<const quint32 *>(image.constScanLine(y))[x] == White;
}

// The smallest rectangle holding every pixel that is not white.
QRect inkOf(const QImage &image)
{
    int top = image.height(), bottom = -1, left = image.width(), right = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (isWhite(image, x, y))
                continue;
            top = std::min(top, y);
            bottom = y;
            left = std::min(left, x);
            right = std::max(right, x);
        }
    }
    return bottom < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// The painter's transform less its translation: tiles are kept under the
// scale alone and copied by the whole pixels the translation moves them.
QTransform scaleOf(const QTransform &transform)
{
    return QTransform::fromScale(transform.m11(), transform.m22());
}

QPoint shiftOf(const QTransform &transform)
{
    return QPoint(int(transform.dx()), int(transform.dy()));
}

// Kept pixels hold no more than MaxTileBytes, so a box past this many
// pixels across is never kept; asked before any pixel rectangle is made of
// it, which could not hold a box that large.
bool mayKeep(const QTransform &transform, const QRectF &box)
{
    constexpr double MostPixels = 1 << 20;
    const QRectF on = transform.mapRect(box);
    return std::fabs(on.left()) < MostPixels && std::fabs(on.right()) < MostPixels
           && std::fabs(on.top()) < MostPixels && std::fabs(on.bottom()) < MostPixels;
}

bool keepsPixelsOf(QImage::Format format)
{
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32
           || format == QImage::Format_ARGB32_Premultiplied;
}

} // namespace

bool ElementTiles::Look::operator==(const Look &other) const
{
    return content == other.content && box == other.box && flags == other.flags
           && color == other.color && twipsPerPixel == other.twipsPerPixel;
}

bool ElementTiles::Key::operator==(const Key &other) const
{
    return look == other.look && transform == other.transform && hints == other.hints
           && format == other.format;
}

ElementTiles::ElementTiles(const PageIndex &objects, qint64 maxBytes)
    : m_objects(objects)
    , m_maxBytes(maxBytes)
{
}

// Pixels of an image, through a transform that only scales and moves by
// whole pixels (no view or pixel ratio on top): there, moving by whole
// pixels changes no coordinate's fraction.
bool ElementTiles::drawsOn(const QPainter &painter) const
{
    const QPaintEngine *engine = painter.paintEngine();
    const QTransform transform = painter.worldTransform();
    return engine && engine->type() == QPaintEngine::Raster && painter.device()
           && painter.device()->devType() == QInternal::Image
           && keepsPixelsOf(static_cast<const QImage *>(painter.device())->format())
           && painter.deviceTransform() == transform && transform.type() <= QTransform::TxScale
           && isWhole(transform.dx()) && isWhole(transform.dy()) && transform.m11() > 0
           && transform.m22() > 0 && painter.opacity() == 1.0
           && painter.compositionMode() == QPainter::CompositionMode_SourceOver;
}

// Pixels drawn under a painter moved back by whole pixels land exactly on
// the pixels drawn unmoved, and so on the kept ones, only while the move
// keeps every coordinate of the element exact: while it moves back by no
// more than where the element starts. An element reaching in from before
// the painter's origin (from the square of the page before it) is drawn.
bool ElementTiles::movesExactly(const QPainter &painter, const QRectF &box)
{
    const QPoint shift = shiftOf(painter.worldTransform());
    const QRect device = deviceArea(scaleOf(painter.worldTransform()), box);
    return shift.x() <= 0 && shift.y() <= 0 && -shift.x() <= device.left()
           && -shift.y() <= device.top();
}

ElementTiles::Tile *ElementTiles::tileFor(const QPainter &painter, const Element &element,
                                         const Look &look)
{
    if (!drawsOn(painter) || !mayKeep(painter.worldTransform(), look.box)
        || !movesExactly(painter, look.box))
        return nullptr;
    const Key key{look, scaleOf(painter.worldTransform()), int(painter.renderHints()),
                  static_cast<const QImage *>(painter.device())->format()};
    Tile &tile = m_tiles[&element];
    if (!(tile.key == key)) {
        forget(tile);
        tile = Tile();
        tile.key = key;
        tile.firstPass = m_pass;
        return nullptr;
    }
    if (!tile.painted && tile.firstPass == m_pass)
        return nullptr;
    // The copy covers what lies below with blank page.
    return overOthers(tile, element) ? nullptr : &tile;
}

// Found again only after the index changed.
bool ElementTiles::overOthers(Tile &tile, const Element &element) const
{
    if (tile.checkedAt != m_objects.generation()) {
        const QRect device = deviceArea(tile.key.transform, tile.key.look.box);
        tile.overOthers = m_objects.anyBelow(element, pageArea(tile.key.transform, device));
        tile.checkedAt = m_objects.generation();
    }
    return tile.overOthers;
}

// Drawn over white as the page is, then cut to what is not white: the rest
// of the area is blank page already.
void ElementTiles::keep(Tile &tile, const Paint &paint)
{
    const QRect device = deviceArea(tile.key.transform, tile.key.look.box);
    // Every format kept has four bytes a pixel.
    const qint64 bytes = qint64(device.width()) * device.height() * 4;
    if (!roomFor(bytes))
        return;
    QImage pixels(device.size(), tile.key.format);
    pixels.fill(Qt::white);
    QPainter painter(&pixels);
    painter.setRenderHints(painter.renderHints(), false);
    painter.setRenderHints(QPainter::RenderHints(tile.key.hints));
    painter.setWorldTransform(tile.key.transform
                              * QTransform::fromTranslate(-device.left(), -device.top()));
    paint(painter);
    painter.end();
    tile.painted = true;
    const QRect ink = inkOf(pixels);
    if (ink.isEmpty())
        return;
    tile.pixels = pixels.copy(ink);
    tile.corner = device.topLeft() + ink.topLeft();
    m_bytes += tile.pixels.sizeInBytes();
}

// Elements of the page live as long as it does; deleted ones are hidden.
// When the kept pixels reach the limit, the hidden ones give theirs up,
// once for each change of what is kept or of the page.
bool ElementTiles::roomFor(qint64 bytes)
{
    if (bytes > MaxTileBytes)
        return false;
    const bool changed
        = m_bytes != m_bytesAtSweep || m_objects.generation() != m_generationAtSweep;
    if (m_bytes + bytes > m_maxBytes && changed) {
        for (auto &[element, tile] : m_tiles) {
            if (!element->Visible())
                forget(tile);
        }
        m_bytesAtSweep = m_bytes;
        m_generationAtSweep = m_objects.generation();
    }
    return m_bytes + bytes <= m_maxBytes;
}

bool ElementTiles::copy(QPainter &painter, const Tile &tile) const
{
    if (!tile.painted)
        return false;
    if (tile.pixels.isNull())
        return true;
    const QTransform world = painter.worldTransform();
    painter.setWorldTransform(QTransform());
    // Every pixel kept is opaque: drawn over, it is what it replaces.
    painter.drawImage(tile.corner + shiftOf(world), tile.pixels);
    painter.setWorldTransform(world);
    return true;
}

void ElementTiles::forget(Tile &tile)
{
    m_bytes -= tile.pixels.sizeInBytes();
    tile.pixels = QImage();
    tile.painted = false;
}

void ElementTiles::clear()
{
    m_tiles.clear();
    m_bytes = 0;
}

std::size_t ElementTiles::size() const
{
    std::size_t kept = 0;
    for (const auto &[element, tile] : m_tiles)
        kept += tile.painted ? 1 : 0;
    return kept;
}

bool ElementTiles::keeps(const Element &element) const
{
    const auto it = m_tiles.find(&element);
    return it != m_tiles.end() && it->second.painted;
}
