#include "PageView.h"

#include "GridSteps.h"
#include "HandlePlacement.h"
#include "ViewMapping.h"

#include "platform/ElementPainter.h"
#include "platform/PageSurface.h"
#include "platform/ScatteredWalk.h"
#include "platform/Screen.h"

#include <QBackingStore>
#include <QPaintEvent>
#include <QPainter>
#include <QPen>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr int MaxSeparateAreas = 64;
// A grid dot, where the page below it is blank.
constexpr QRgb GridDot = 0xff9a9aa6;
constexpr QRgb Blank = 0xffffffff;

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
    return index.shownInPaintOrder(twips);
}

int floorDiv(int a, int b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

bool holdsRgb32(const QImage &image)
{
    return image.depth() == 32;
}

} // namespace

PageView::PageView(PageSurface &page, const ViewMapping &mapping, QWidget *parent)
    : QWidget(parent)
    , m_page(page)
    , m_mapping(mapping)
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

// A handle answers where it shows: its picture, or its box when that is
// larger, as many pixels of the view as of the screen at 100 %.
QRectF PageView::hitRect(const Element &element)
{
    QRectF r = element.rect();
    if (element.kind() != ElementKind::Handle)
        return r;
    const PageSurface *page = element.page();
    const double px = page ? page->viewTwipsPerPixelX() : Screen::TwipsPerPixelX();
    const double py = page ? page->viewTwipsPerPixelY() : Screen::TwipsPerPixelY();
    const double zoom = Screen::TwipsPerPixelX() / px;
    r = QRectF(HandlePlacement::pictureCorner(element, zoom), r.size() / zoom);
    if (!element.Picture().isNull())
        r.setSize(r.size().expandedTo(
            QSizeF(element.Picture().width() * px, element.Picture().height() * py)));
    return r;
}

Element *PageView::elementAt(const QPointF &twips) const
{
    const Element *best = nullptr;
    const auto consider = [&](const Element *e) {
        if (e->isLine() || !e->Visible() || !hitRect(*e).contains(twips))
            return;
        if (!best || paintsBelow(best, e))
            best = e;
    };
    for (const Element *e : m_page.index().elementsAt(twips))
        consider(e);
    if (m_page.anyHandleShown())
        forEachScattered(m_page.shownHandles(), consider);
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
    m_stale = m_kept;
    update();
}

void PageView::clearCaches()
{
    m_texts.clear();
    m_tiles.clear();
    m_pieces.clear();
    m_kept = QRegion();
    m_stale = QRegion();
    m_page.reindex();
    update();
}

QImage PageView::grabAfresh(const QRect &area)
{
    TextLayoutCache texts = std::exchange(m_texts, TextLayoutCache());
    std::map<std::pair<int, int>, QImage> pieces = std::exchange(m_pieces, {});
    const QRegion kept = std::exchange(m_kept, QRegion());
    const QRegion stale = std::exchange(m_stale, QRegion());
    m_tilesUsed = false;
    QImage fresh;
    m_page.withIndexesAfresh([&] { fresh = grab(area).toImage(); });
    m_tilesUsed = true;
    m_texts = std::move(texts);
    m_pieces = std::move(pieces);
    m_kept = kept;
    m_stale = stale;
    return fresh;
}

// Captions are laid out in twips, whatever the zoom; pixels are not.
void PageView::rescale()
{
    m_tiles.clear();
    m_pieces.clear();
    m_kept = QRegion();
    m_stale = QRegion();
    forgetPendingAreas();
    m_allDue = true;
    followPage();
    update();
}

void PageView::setGrid(double twips)
{
    const double grid = std::max(0.0, twips);
    if (grid == m_gridTwips)
        return;
    m_gridTwips = grid;
    m_stale = m_kept;
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

void PageView::noteChange()
{
    if (!m_onChange || m_changeNoted)
        return;
    m_changeNoted = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_changeNoted = false;
            m_onChange();
        },
        Qt::QueuedConnection);
}

void PageView::schedulePendingReset()
{
    if (m_pendingObjects.count == 0 && m_pendingOverlay.count == 0)
        QTimer::singleShot(0, this, &PageView::forgetPendingAreas);
}

void PageView::pageAreaChanged(const QRectF &twips)
{
    noteChange();
    if (m_allDue)
        return;
    schedulePendingReset();
    const QRect pixels = m_mapping.pageToPixels(twips).adjusted(-1, -1, 1, 1);
    const QRect due = m_pendingObjects.add(pixels);
    if (due.isEmpty())
        return;
    m_stale += m_kept & due;
    update(due);
}

void PageView::pageOverlayChanged(const QRectF &twips)
{
    noteChange();
    if (m_allDue)
        return;
    schedulePendingReset();
    const QRect due = m_pendingOverlay.add(m_mapping.pageToPixels(twips).adjusted(-1, -1, 1, 1));
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
    noteChange();
    followPage();
    const QSizeF size(m_page.Width(), m_page.Height());
    if (size != m_lastSize) {
        m_lastSize = size;
        // The grid stops at the page's edge: the squares along the old edge
        // would keep the dots of the old size.
        if (m_gridTwips > 0) {
            m_stale = m_kept;
            update();
        }
        emit pageResized();
    }
}

// The page's place is window twips; its size is page twips at the zoom.
void PageView::followPage()
{
    const QPoint at = m_mapping.windowToPixels(QRectF(m_page.Left(), m_page.Top(), 0, 0)).topLeft();
    const QSize size = m_mapping.pageToPixels(QRectF(0, 0, m_page.Width(), m_page.Height())).size();
    setGeometry(QRect(at, size));
}

void PageView::paintEvent(QPaintEvent *event)
{
    forgetPendingAreas();
    m_allDue = false;
    m_tiles.startPass();
    keepShownPieces();
    const QRegion exposed = event->region();
    renderStale((QRegion(shownArea()) + exposed) & m_kept);
    QPainter painter(this);
    for (const QRect &rect : exposed & m_kept) {
        forEachPiece(rect, [&](int column, int row) {
            const QRect piece = pieceRect(column, row);
            const QRect part = rect & piece;
            const QRectF source(QPointF(part.topLeft() - piece.topLeft()) * m_pieceRatio,
                                QSizeF(part.size()) * m_pieceRatio);
            painter.drawImage(QRectF(part), m_pieces.at({column, row}), source);
        });
    }
    paintOutsideKept(painter, exposed - m_kept);
    paintHandles(painter, exposed.boundingRect());
    painter.scale(1.0 / m_mapping.pageTwipsPerPixelX(), 1.0 / m_mapping.pageTwipsPerPixelY());
    paintMarks(painter);
    painter.resetTransform();
    paintBands(painter);
}

// What the window shows of the page (its parent holds the view).
QRect PageView::shownArea() const
{
    if (!parentWidget())
        return rect();
    return rect() & QRect(-pos(), parentWidget()->size());
}

QRect PageView::pieceRect(int column, int row) const
{
    return QRect(m_pieceOrigin + QPoint(column, row) * PiecePixels,
                 QSize(PiecePixels, PiecePixels));
}

template<typename Visit>
void PageView::forEachPiece(const QRect &pixels, Visit &&visit) const
{
    if (pixels.isEmpty())
        return;
    const QRect from = pixels.translated(-m_pieceOrigin);
    const int lastColumn = floorDiv(from.right(), PiecePixels);
    const int lastRow = floorDiv(from.bottom(), PiecePixels);
    for (int row = floorDiv(from.top(), PiecePixels); row <= lastRow; ++row)
        for (int column = floorDiv(from.left(), PiecePixels); column <= lastColumn; ++column)
            visit(column, row);
}

// Squares start at the corner shown, so the shown part takes the fewest
// squares and a paint of all of it paints little that does not show. Only
// done while nothing is kept that still shows: a kept square stays where
// it was painted.
void PageView::placePieceGrid(const QRect &shown)
{
    if (shown.isEmpty())
        return;
    m_pieceOrigin = QPoint(shown.left() - floorDiv(shown.left(), PiecePixels) * PiecePixels,
                           shown.top() - floorDiv(shown.top(), PiecePixels) * PiecePixels);
}

// In the window's own pixel format and scale, so copying a square to the
// window changes no pixel.
QImage PageView::newPiece() const
{
    QImage piece((QSizeF(PiecePixels, PiecePixels) * m_pieceRatio).toSize(), m_pieceFormat);
    piece.setDevicePixelRatio(m_pieceRatio);
    return piece;
}

// The squares the window shows are kept, and no others; one new to it is
// painted where it shows.
void PageView::keepShownPieces()
{
    const double ratio = devicePixelRatioF();
    QImage::Format format = QImage::Format_ARGB32_Premultiplied;
    QBackingStore *store = backingStore();
    if (store && store->paintDevice() && store->paintDevice()->devType() == QInternal::Image)
        format = static_cast<const QImage *>(store->paintDevice())->format();
    const QSizeF twipsPerPixel(m_mapping.pageTwipsPerPixelX(), m_mapping.pageTwipsPerPixelY());
    const QRect shownPixels = shownArea();
    const bool noneShown = !m_pieces.empty() && !m_kept.intersects(shownPixels);
    if (format != m_pieceFormat || ratio != m_pieceRatio || twipsPerPixel != m_pieceTwipsPerPixel
        || noneShown) {
        m_pieces.clear();
        m_kept = QRegion();
        m_stale = QRegion();
        m_pieceFormat = format;
        m_pieceRatio = ratio;
        m_pieceTwipsPerPixel = twipsPerPixel;
        placePieceGrid(shownPixels);
    }
    std::map<std::pair<int, int>, QImage> shown;
    forEachPiece(shownPixels, [&](int column, int row) {
        const auto kept = m_pieces.find({column, row});
        if (kept != m_pieces.end()) {
            shown.emplace(kept->first, std::move(kept->second));
            return;
        }
        shown.emplace(std::make_pair(column, row), newPiece());
        m_stale += pieceRect(column, row);
    });
    for (const auto &[at, piece] : m_pieces) {
        if (!piece.isNull()) {
            m_kept -= pieceRect(at.first, at.second);
            m_stale -= pieceRect(at.first, at.second);
        }
    }
    m_pieces = std::move(shown);
    for (const auto &[at, piece] : m_pieces)
        m_kept += pieceRect(at.first, at.second);
}

// What is stale within reach is painted, a whole square at a time: a wide
// line cut by another rectangle than its square's would not land on quite
// the same pixels.
void PageView::renderStale(const QRegion &reach)
{
    const QRegion due = m_stale & reach;
    forEachPiece(due.boundingRect(), [&](int column, int row) {
        const QRect square = pieceRect(column, row);
        const auto piece = m_pieces.find({column, row});
        if (piece == m_pieces.end() || !due.intersects(square))
            return;
        paintPiece(piece->second, square);
        m_stale -= square;
    });
}

// Paints a whole square of the page through its own painter.
void PageView::paintPiece(QImage &piece, const QRect &square) const
{
    QPainter painter(&piece);
    painter.translate(-square.topLeft());
    painter.setClipRect(square);
    painter.fillRect(square, Qt::white);
    paintUnderlay(painter, square);
    // Where the objects leave the underlay as it was, the page is blank.
    const QImage beneath = m_gridTwips > 0 && underlayDrawn() ? piece.copy() : QImage();
    paintObjects(painter, square);
    painter.end();
    paintGrid(piece, square.topLeft(), square, beneath);
}

// Past the kept squares (a grab of the whole page): painted as the squares
// there would hold it.
void PageView::paintOutsideKept(QPainter &painter, const QRegion &region)
{
    if (region.isEmpty())
        return;
    if (m_pieceFormat == QImage::Format_Invalid) {
        m_pieceFormat = QImage::Format_ARGB32_Premultiplied;
        m_pieceRatio = devicePixelRatioF();
    }
    const std::vector<QRect> rects = region.rectCount() > MaxSeparateAreas
                                         ? std::vector<QRect>{region.boundingRect()}
                                         : std::vector<QRect>(region.begin(), region.end());
    for (const QRect &rect : rects) {
        forEachPiece(rect, [&](int column, int row) {
            const QRect square = pieceRect(column, row);
            const QRect part = rect & square;
            QImage piece = newPiece();
            paintPiece(piece, square);
            const QRectF source(QPointF(part.topLeft() - square.topLeft()) * m_pieceRatio,
                                QSizeF(part.size()) * m_pieceRatio);
            painter.drawImage(QRectF(part), piece, source);
        });
    }
}

// The painter draws in the widget's pixels.
void PageView::paintObjects(QPainter &painter, const QRect &pixels) const
{
    if (pixels.isEmpty())
        return;
    painter.save();
    painter.setClipRect(pixels);
    const double tx = m_mapping.pageTwipsPerPixelX();
    const double ty = m_mapping.pageTwipsPerPixelY();
    painter.scale(1.0 / tx, 1.0 / ty);
    painter.setRenderHint(QPainter::TextAntialiasing);
    ElementPainter::Options options;
    options.twipsPerPixel = tx;
    options.twipsPerPixelY = ty;
    options.textCache = &m_texts;
    // A kept element is copied with the white around its ink, which would
    // cover the form beneath the page.
    options.tiles = m_tilesUsed && !underlayBeneath(pixels) ? &m_tiles : nullptr;
    options.linesAsOutlines = true;
    options.bounds = m_page.reachArea();
    const QRectF area = m_mapping.pageToTwips(QRectF(pixels));
    forEachScattered(paintOrderIn(m_page.index(), area),
                     [&](const Element *e) { ElementPainter::paint(painter, *e, options); });
    painter.restore();
}

// The underlay's own picture is at most as many dots as the scan holds: a
// view zoomed past the scan's resolution enlarges only the part a square
// shows, so memory stays that of the scan at every zoom.
void PageView::paintUnderlay(QPainter &painter, const QRect &pixels) const
{
    if (!underlayDrawn())
        return;
    const QRect target = m_mapping.pageToPixels(m_underlayPlace);
    const QRect due = target & pixels;
    if (due.isEmpty())
        return;
    // In the piece's own dots, so a high-resolution screen gets all of them.
    const double ratio = painter.device()->devicePixelRatioF();
    const QSize dots = (QSizeF(target.size()) * ratio).toSize();
    const QImage &faded
        = m_underlay.faded(dots.boundedTo(m_underlay.source().size()), m_underlayOpacity);
    if (faded.isNull())
        return;
    const double sx = faded.width() / double(target.width());
    const double sy = faded.height() / double(target.height());
    const QRectF source((due.left() - target.left()) * sx, (due.top() - target.top()) * sy,
                        due.width() * sx, due.height() * sy);
    // Enlarged past the scan's dots: smoothly, and for the underlay alone.
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, faded.size() != dots);
    painter.drawImage(QRectF(due), faded, source);
    painter.restore();
}

bool PageView::underlayBeneath(const QRect &pixels) const
{
    return underlayDrawn() && m_mapping.pageToPixels(m_underlayPlace).intersects(pixels);
}

bool PageView::underlayDrawn() const
{
    return m_underlayShown && !m_underlay.isEmpty() && !m_underlayPlace.isEmpty();
}

// Dots beneath the objects: a dot goes only where the page is still blank
// (white, or as the underlay painted it: `beneath`), so what an object
// paints covers it, and copied and drawn objects show the same dots. Too
// dense to see apart, they show at a multiple of the grid.
void PageView::paintGrid(QImage &image, const QPoint &origin, const QRect &pixels,
                         const QImage &beneath) const
{
    if (m_gridTwips <= 0 || !holdsRgb32(image))
        return;
    const double px = m_mapping.pageTwipsPerPixelX();
    const double py = m_mapping.pageTwipsPerPixelY();
    const double step = GridSteps::shownStep(m_gridTwips, std::max(px, py));
    const QRectF area = m_mapping.pageToTwips(QRectF(pixels))
                        & QRectF(0, 0, m_page.Width(), m_page.Height());
    if (area.isEmpty())
        return;
    const double ratio = image.devicePixelRatio();
    const QRect device(QPoint(0, 0), image.size());
    const double firstColumn = std::ceil(area.left() / step);
    const double firstRow = std::ceil(area.top() / step);
    for (double row = firstRow; row * step <= area.bottom(); ++row) {
        const int y = int(std::lround((row * step / py - origin.y()) * ratio));
        if (y < 0 || y >= device.height())
            continue;
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        const auto *blank
            = beneath.isNull() ? nullptr : reinterpret_cast<const QRgb *>(beneath.constScanLine(y));
        for (double column = firstColumn; column * step <= area.right(); ++column) {
            const int x = int(std::lround((column * step / px - origin.x()) * ratio));
            if (x >= 0 && x < device.width() && line[x] == (blank ? blank[x] : Blank))
                line[x] = GridDot;
        }
    }
}

// Over the copied objects; the paint event's own clip keeps them to the
// exposed area.
void PageView::paintHandles(QPainter &painter, const QRect &pixels) const
{
    if (!m_page.anyHandleShown())
        return;
    // A handle's picture lies within a few pixels of its box at any zoom:
    // the boxes near the area are enough to tell, and one painted to no
    // avail is cut by the clip.
    constexpr double HandleReachPixels = 32;
    const double reach = HandleReachPixels * m_mapping.pageTwipsPerPixelX();
    const QRectF near
        = m_mapping.pageToTwips(QRectF(pixels)).adjusted(-reach, -reach, reach, reach);
    painter.save();
    const double tx = m_mapping.pageTwipsPerPixelX();
    const double ty = m_mapping.pageTwipsPerPixelY();
    painter.scale(1.0 / tx, 1.0 / ty);
    ElementPainter::Options options;
    options.twipsPerPixel = tx;
    options.twipsPerPixelY = ty;
    options.bounds = m_page.reachArea();
    const double zoom = m_mapping.zoom();
    ElementPainter::paintHandles(
        painter, m_page.shownHandles(), options,
        [zoom](const Element &handle) { return HandlePlacement::pictureCorner(handle, zoom); },
        near);
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
