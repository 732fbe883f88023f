#include "PageView.h"

#include "PixelMapping.h"

#include "platform/ElementPainter.h"
#include "platform/PageSurface.h"
#include "platform/PaintOrder.h"
#include "platform/ScatteredWalk.h"
#include "platform/Screen.h"

#include <QBackingStore>
#include <QPaintEvent>
#include <QPainter>
#include <QPen>
#include <QTimer>

#include <algorithm>

namespace {

constexpr int MaxSeparateAreas = 64;
// Changed areas listed one by one between paints, at most.
constexpr std::size_t MaxStaleAreas = 4096;
// Areas covering less than one part in this many of their bounds are
// painted one by one.
constexpr qint64 SparseAreaShare = 3;
// Pixels the page's raster reaches past the view on the right and bottom.
constexpr int RasterRoom = 2;

bool isHandle(const Element *e)
{
    return e->kind() == ElementKind::Handle;
}

// Objects first, handles above them; within each layer the stacking order.
bool paintsBelow(const Element *a, const Element *b)
{
    if (isHandle(a) != isHandle(b))
        return !isHandle(a);
    return a->zOrder() < b->zOrder();
}

// The shown elements of one layer's index whose paint reaches an area, in
// stacking order. The index files hidden elements too.
std::vector<const Element *> paintOrderIn(const PageIndex &index, const QRectF &twips)
{
    if (index.liesWithin(twips)) {
        std::vector<const Element *> shown;
        forEachScattered(index.inPaintOrder(), [&](const Element *e) {
            if (e->Visible())
                shown.push_back(e);
        });
        return shown;
    }
    const std::vector<const Element *> found = index.elementsIn(twips);
    std::vector<std::pair<quint64, const Element *>> keyed;
    keyed.reserve(found.size());
    forEachScattered(found, [&](const Element *e) {
        if (e->Visible())
            keyed.emplace_back(e->zOrder(), e);
    });
    return sortedByZ(std::move(keyed));
}

} // namespace

PageView::PageView(PageSurface &page, QWidget *parent)
    : QWidget(parent)
    , m_page(page)
    , m_tiles(page.index())
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_page.setObserver(this);
    m_lastSize = QSizeF(m_page.Width(), m_page.Height());
    followPage();
}

PageView::~PageView()
{
    if (m_page.observer() == this)
        m_page.setObserver(nullptr);
}

QRectF PageView::hitRect(const Element &element)
{
    QRectF r = element.rect();
    if (element.kind() == ElementKind::Handle && !element.Picture().isNull()) {
        const QSizeF picture(element.Picture().width() * Screen::TwipsPerPixelX(),
                             element.Picture().height() * Screen::TwipsPerPixelY());
        r.setSize(r.size().expandedTo(picture));
    }
    return r;
}

Element *PageView::elementAt(const QPointF &twips) const
{
    const Element *best = nullptr;
    for (const PageIndex *index : {&m_page.index(), &m_page.handleIndex()}) {
        for (const Element *e : index->elementsAt(twips)) {
            if (e->isLine() || !e->Visible() || !hitRect(*e).contains(twips))
                continue;
            if (!best || paintsBelow(best, e))
                best = e;
        }
    }
    return const_cast<Element *>(best);
}

void PageView::setUnderlay(const QImage &picture, const QRectF &place, int opacity)
{
    m_underlay.setSource(picture);
    m_underlayPlace = place;
    m_underlayOpacity = opacity;
    repaintAll();
}

void PageView::setUnderlayShown(bool shown)
{
    if (shown == m_underlayShown)
        return;
    m_underlayShown = shown;
    repaintAll();
}

// The objects are painted again over what now lies beneath them.
void PageView::repaintAll()
{
    m_stale = QRegion(QRect(QPoint(0, 0), m_raster.deviceIndependentSize().toSize()));
    m_staleAreas.clear();
    m_staleAreasComplete = false;
    update();
}

void PageView::clearCaches()
{
    m_texts.clear();
    m_tiles.clear();
    m_raster = QImage();
    m_page.reindex();
    update();
}

QRect PageView::PendingAreas::add(const QRect &area)
{
    ++count;
    if (count <= MaxSeparateAreas) {
        bounds |= area;
        return area;
    }
    if (count > MaxSeparateAreas + 1 && bounds.contains(area))
        return QRect();
    bounds |= area;
    return bounds;
}

void PageView::schedulePendingReset()
{
    if (m_pendingObjects.count == 0 && m_pendingOverlay.count == 0)
        QTimer::singleShot(0, this, &PageView::forgetPendingAreas);
}

void PageView::pageAreaChanged(const QRectF &twips)
{
    schedulePendingReset();
    const QRect pixels = PixelMapping::toPixels(twips).adjusted(-1, -1, 1, 1);
    noteStaleArea(pixels);
    const QRect due = m_pendingObjects.add(pixels);
    if (due.isEmpty())
        return;
    m_stale += due;
    update(due);
}

void PageView::pageOverlayChanged(const QRectF &twips)
{
    schedulePendingReset();
    const QRect due = m_pendingOverlay.add(PixelMapping::toPixels(twips).adjusted(-1, -1, 1, 1));
    if (!due.isEmpty())
        update(due);
}

void PageView::forgetPendingAreas()
{
    m_pendingObjects = PendingAreas();
    m_pendingOverlay = PendingAreas();
}

void PageView::pageGeometryChanged()
{
    followPage();
    const QSizeF size(m_page.Width(), m_page.Height());
    if (size != m_lastSize) {
        m_lastSize = size;
        emit pageResized();
    }
}

void PageView::followPage()
{
    setGeometry(PixelMapping::toPixels(
        QRectF(m_page.Left(), m_page.Top(), m_page.Width(), m_page.Height())));
}

void PageView::paintEvent(QPaintEvent *event)
{
    forgetPendingAreas();
    prepareRaster();
    renderStale(event->region());
    QPainter painter(this);
    const double ratio = m_raster.devicePixelRatio();
    for (const QRect &rect : event->region()) {
        const QRectF source(QPointF(rect.topLeft()) * ratio, QSizeF(rect.size()) * ratio);
        painter.drawImage(QRectF(rect), m_raster, source);
    }
    paintHandles(painter, event->region().boundingRect());
    painter.scale(1.0 / Screen::TwipsPerPixelX(), 1.0 / Screen::TwipsPerPixelY());
    paintMarks(painter);
    painter.resetTransform();
    paintBands(painter);
}

// The raster is painted in the window's own pixel format and scale, so
// copying it to the window changes no pixel. It keeps a little room: the
// view's size follows the page's edges rounded to pixels one by one, so it
// changes by a pixel as the page scrolls.
void PageView::prepareRaster()
{
    const double ratio = devicePixelRatioF();
    QImage::Format format = QImage::Format_ARGB32_Premultiplied;
    QBackingStore *store = backingStore();
    if (store && store->paintDevice() && store->paintDevice()->devType() == QInternal::Image)
        format = static_cast<const QImage *>(store->paintDevice())->format();
    const QSizeF twipsPerPixel(Screen::TwipsPerPixelX(), Screen::TwipsPerPixelY());
    const QSize logical = m_raster.deviceIndependentSize().toSize();
    const bool fits = logical.width() >= width() && logical.height() >= height()
                      && logical.width() <= width() + 2 * RasterRoom
                      && logical.height() <= height() + 2 * RasterRoom;
    if (fits && m_raster.format() == format && m_raster.devicePixelRatio() == ratio
        && m_rasterTwipsPerPixel == twipsPerPixel)
        return;
    const QSize room = size() + QSize(RasterRoom, RasterRoom);
    m_raster = QImage((QSizeF(room) * ratio).toSize(), format);
    m_raster.setDevicePixelRatio(ratio);
    m_rasterTwipsPerPixel = twipsPerPixel;
    m_stale = QRegion(QRect(QPoint(0, 0), room));
    m_staleAreas.clear();
    m_staleAreasComplete = false;
}

void PageView::noteStaleArea(const QRect &pixels)
{
    if (m_staleAreas.size() < MaxStaleAreas)
        m_staleAreas.push_back(pixels);
    else
        m_staleAreasComplete = false;
}

// Hundreds of small changed areas (every text's border at select-all) cost
// less painted one by one than their bounds, where everything else lies
// too. Only when every stale pixel is within reach, so none is left behind.
bool PageView::paintStaleAreas(QPainter &painter, const QRegion &reach)
{
    if (!m_staleAreasComplete || m_staleAreas.size() <= std::size_t(MaxSeparateAreas)
        || !(m_stale - reach).isEmpty())
        return false;
    qint64 covered = 0;
    for (const QRect &area : m_staleAreas)
        covered += qint64(area.width()) * area.height();
    const QRect bounds = m_stale.boundingRect();
    if (covered * SparseAreaShare >= qint64(bounds.width()) * bounds.height())
        return false;
    for (const QRect &area : m_staleAreas)
        paintObjects(painter, area);
    m_stale = QRegion();
    return true;
}

// What is stale past the view (the raster's room, the edge of an area
// reaching off the page) is painted with whatever is exposed, so that
// nothing stays stale for long and the areas listed since can serve.
void PageView::renderStale(const QRegion &exposed)
{
    const QRegion reach = exposed + (QRegion(m_stale.boundingRect()) - QRegion(rect()));
    const QRegion due = m_stale & reach;
    if (!due.isEmpty())
        paintDue(due, reach);
    // The areas listed cover what stays stale, so they are kept until
    // nothing is.
    if (m_stale.isEmpty()) {
        m_staleAreas.clear();
        m_staleAreasComplete = true;
    }
}

void PageView::paintDue(const QRegion &due, const QRegion &reach)
{
    QPainter painter(&m_raster);
    if (paintStaleAreas(painter, reach))
        return;
    // Many small areas cost more one by one than their bounds at once.
    if (due.rectCount() > MaxSeparateAreas) {
        paintObjects(painter, due.boundingRect());
        m_stale -= due.boundingRect();
        return;
    }
    for (const QRect &rect : due)
        paintObjects(painter, rect);
    m_stale -= due;
}

void PageView::paintObjects(QPainter &painter, const QRect &pixels) const
{
    painter.save();
    painter.setClipRect(pixels);
    painter.fillRect(pixels, Qt::white);
    paintUnderlay(painter, pixels);
    const double tx = Screen::TwipsPerPixelX();
    const double ty = Screen::TwipsPerPixelY();
    painter.scale(1.0 / tx, 1.0 / ty);
    painter.setRenderHint(QPainter::TextAntialiasing);
    ElementPainter::Options options;
    options.twipsPerPixel = tx;
    options.twipsPerPixelY = ty;
    options.textCache = &m_texts;
    options.tiles = &m_tiles;
    const QRectF area = PixelMapping::toTwips(QRectF(pixels));
    forEachScattered(paintOrderIn(m_page.index(), area),
                     [&](const Element *e) { ElementPainter::paint(painter, *e, options); });
    painter.restore();
}

void PageView::paintUnderlay(QPainter &painter, const QRect &pixels) const
{
    if (!m_underlayShown || m_underlay.isEmpty())
        return;
    const QRect target = PixelMapping::toPixels(m_underlayPlace);
    const QRect due = target & pixels;
    if (due.isEmpty())
        return;
    // In the raster's own dots, so a high-resolution screen gets all of them.
    const double ratio = painter.device()->devicePixelRatioF();
    const QImage &faded
        = m_underlay.faded((QSizeF(target.size()) * ratio).toSize(), m_underlayOpacity);
    const QRectF source(QPointF(due.topLeft() - target.topLeft()) * ratio, QSizeF(due.size()) * ratio);
    painter.drawImage(QRectF(due), faded, source);
}

// Over the copied objects; the paint event's own clip keeps them to the
// exposed area.
void PageView::paintHandles(QPainter &painter, const QRect &pixels) const
{
    if (!m_page.anyHandleShown())
        return;
    const QRectF area = PixelMapping::toTwips(QRectF(pixels));
    const std::vector<const Element *> handles = paintOrderIn(m_page.handleIndex(), area);
    if (handles.empty())
        return;
    painter.save();
    const double tx = Screen::TwipsPerPixelX();
    const double ty = Screen::TwipsPerPixelY();
    painter.scale(1.0 / tx, 1.0 / ty);
    ElementPainter::Options options;
    options.twipsPerPixel = tx;
    options.twipsPerPixelY = ty;
    ElementPainter::paintHandles(painter, handles, options);
    painter.restore();
}

void PageView::paintMarks(QPainter &painter) const
{
    if (m_page.marks().empty())
        return;
    QPen pen(Qt::black);
    pen.setCosmetic(true);
    painter.setPen(pen);
    for (const QLineF &line : m_page.marks())
        painter.drawLine(line);
}

// The band inverts what lies under its outline, as an XOR pen does.
void PageView::paintBands(QPainter &painter) const
{
    for (const PageSurface::Band &band : m_page.bands()) {
        QPen pen(Qt::black, 0, band.dashed ? Qt::DashLine : Qt::SolidLine);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.setCompositionMode(QPainter::RasterOp_NotDestination);
        painter.drawRect(band.pixels);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
}
