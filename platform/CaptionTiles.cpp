#include "CaptionTiles.h"

#include "Element.h"
#include "LaidText.h"
#include "PageIndex.h"

#include <QPaintEngine>
#include <QPainter>

#include <cmath>

namespace {

// A caption bigger than this is drawn each time: few are, and each would
// hold a lot.
constexpr qint64 MaxTileBytes = qint64(1) << 20;
// All kept captions together, so a page of large captions stays small.
constexpr qint64 MaxKeptBytes = qint64(48) << 20;

// The device pixels a caption cut at box may touch, with one to spare on
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

} // namespace

bool CaptionTiles::Key::operator==(const Key &other) const
{
    return laid == other.laid && box == other.box && transform == other.transform
           && color == other.color && alignment == other.alignment && hints == other.hints
           && format == other.format;
}

CaptionTiles::CaptionTiles(const PageIndex &objects)
    : m_objects(objects)
{
}

// Pixels of an image, in their own format, through a transform that only
// scales from the device's origin (no view or pixel ratio on top): there,
// moving by whole pixels changes no coordinate's fraction.
bool CaptionTiles::drawsOn(const QPainter &painter) const
{
    const QPaintEngine *engine = painter.paintEngine();
    const QTransform transform = painter.worldTransform();
    return engine && engine->type() == QPaintEngine::Raster && painter.device()
           && painter.device()->devType() == QInternal::Image
           && painter.deviceTransform() == transform && transform.type() <= QTransform::TxScale
           && transform.dx() == 0 && transform.dy() == 0 && transform.m11() > 0
           && transform.m22() > 0 && painter.opacity() == 1.0
           && painter.compositionMode() == QPainter::CompositionMode_SourceOver;
}

bool CaptionTiles::draw(QPainter &painter, const Element &label, const LaidText &laid)
{
    if (laid.isEmpty() || !drawsOn(painter))
        return false;
    const Key key{laid.serial(),
                  label.rect(),
                  painter.worldTransform(),
                  label.ForeColor().rgba(),
                  label.Alignment(),
                  int(painter.renderHints()),
                  static_cast<const QImage *>(painter.device())->format()};
    Tile &tile = m_tiles[&label];
    if (!(tile.key == key)) {
        forget(tile);
        tile.key = key;
        return false;
    }
    const QRect device = deviceArea(key.transform, key.box);
    // The copy covers what lies below with blank page.
    if (m_objects.anyBelow(label, pageArea(key.transform, device)))
        return false;
    if (tile.pixels.isNull())
        paintTile(tile, device, label, laid);
    if (tile.pixels.isNull())
        return false;
    const QTransform world = painter.worldTransform();
    painter.setWorldTransform(QTransform());
    // Every pixel kept is opaque: copied, it is what blending would give.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(device.topLeft(), tile.pixels);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setWorldTransform(world);
    return true;
}

void CaptionTiles::paintTile(Tile &tile, const QRect &device, const Element &label,
                             const LaidText &laid)
{
    QImage pixels(device.size(), tile.key.format);
    const qint64 bytes = pixels.sizeInBytes();
    if (bytes > MaxTileBytes || m_bytes + bytes > MaxKeptBytes)
        return;
    pixels.fill(Qt::white);
    QPainter painter(&pixels);
    painter.setRenderHints(painter.renderHints(), false);
    painter.setRenderHints(QPainter::RenderHints(tile.key.hints));
    painter.setWorldTransform(tile.key.transform
                              * QTransform::fromTranslate(-device.left(), -device.top()));
    laid.draw(painter, tile.key.box, label.ForeColor(), tile.key.alignment, true);
    painter.end();
    tile.pixels = std::move(pixels);
    m_bytes += bytes;
}

void CaptionTiles::forget(Tile &tile)
{
    if (tile.pixels.isNull())
        return;
    m_bytes -= tile.pixels.sizeInBytes();
    tile.pixels = QImage();
}

void CaptionTiles::clear()
{
    m_tiles.clear();
    m_bytes = 0;
}

std::size_t CaptionTiles::size() const
{
    std::size_t kept = 0;
    for (const auto &[label, tile] : m_tiles)
        kept += tile.pixels.isNull() ? 0 : 1;
    return kept;
}
