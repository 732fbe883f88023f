#pragma once

#include "platform/ElementTiles.h"
#include "platform/PageObserver.h"
#include "platform/TextLayoutCache.h"
#include "platform/UnderlayRaster.h"

#include <QImage>
#include <QRegion>
#include <QWidget>

#include <functional>
#include <map>
#include <utility>
#include <vector>

class Element;
class PageSurface;
class QPainter;
class ViewMapping;

// The page on screen: one widget, the page's size at the window's zoom,
// that paints every shown element record of the page in stacking order
// (objects, then handles above them), the grid beneath them, the marks
// drawn with Line and the inverting bands, in twips scaled to pixels by the
// window's mapping. Beneath every object it may show the template's underlay,
// the blank form, kept scaled and faded for the zoom so a repaint only
// copies it. Records report their changes, so only changed areas are
// painted again; everything else is copied from the page as last painted.
// That copy holds only the part of the page the window shows, so a page at
// 800 % costs no more memory than the window. It takes no pointer events
// itself; the designer window routes them with elementAt.
class PageView : public QWidget, public PageObserver
{
    Q_OBJECT

public:
    PageView(PageSurface &page, const ViewMapping &mapping, QWidget *parent);
    ~PageView() override;

    PageSurface &page() const { return m_page; }

    // The topmost element under a page point (twips) that takes pointer
    // events: handles above labels and images; lines take none.
    Element *elementAt(const QPointF &twips) const;
    // The area an element answers the pointer on (twips): a handle's
    // picture covers pixels of its page's view.
    static QRectF hitRect(const Element &element);

    // Forgets every laid-out caption, the painted page and where elements
    // were filed; the next paint lays out and paints everything again.
    void clearCaches();
    // The area of the page painted as if nothing had been kept (no laid-out
    // caption, no kept pixels, every element filed afresh), leaving all
    // that is kept as it was: what the kept page shows must equal it.
    QImage grabAfresh(const QRect &area);
    // The mapping's zoom changed: the page takes its new size and every
    // pixel kept is dropped; until the next paint, changes need no look.
    void rescale();
    // Dots every `twips` beneath the objects; 0 for none.
    void setGrid(double twips);
    double grid() const { return m_gridTwips; }
    // Pixels across a square of the page the view keeps: large enough that
    // few objects are cut by two squares and painted in each (a zoomed-in
    // label is hundreds of pixels wide), small enough that a change paints
    // little around it.
    static constexpr int PiecePixels = 512;
    // The part of the page whose pixels the view keeps (its pixels): the
    // squares that hold what the window shows.
    QRect keptArea() const { return m_kept.boundingRect(); }
    // Called once, soon after anything on the page changed.
    void onPageChange(std::function<void()> changed) { m_onChange = std::move(changed); }

    // The form beneath the page: its picture, where it lies (twips) and
    // its opacity (percent). A null picture: none.
    void setUnderlay(const QImage &picture, const QRectF &place, int opacity);
    void setUnderlayShown(bool shown);
    bool underlayShown() const { return m_underlayShown; }
    const QImage &underlayPicture() const { return m_underlay.source(); }
    // Memory the underlay holds: its picture and the copy drawn.
    qint64 underlayBytes() const { return m_underlay.bytes(); }

    void pageAreaChanged(const QRectF &twips) override;
    void pageOverlayChanged(const QRectF &twips) override;
    void pageGeometryChanged() override;

signals:
    // The page's size changed (after the widget followed it).
    void pageResized();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // Areas asked to repaint since the last paint; past a few dozen their
    // bounds are repainted instead (a region of thousands of rectangles
    // costs more to keep than to paint).
    struct PendingAreas
    {
        // What to repaint for area: itself, the bounds of all so far, or
        // nothing when those already cover it.
        QRect add(const QRect &area);
        int count = 0;
        QRect bounds;
    };

    void followPage();
    void noteChange();
    void schedulePendingReset();
    QRect shownArea() const;
    QRect pieceRect(int column, int row) const;
    // The squares a rectangle of the page touches, by column and row.
    template<typename Visit>
    void forEachPiece(const QRect &pixels, Visit &&visit) const;
    void placePieceGrid(const QRect &shown);
    QImage newPiece() const;
    void keepShownPieces();
    void renderStale(const QRegion &reach);
    void paintPiece(QImage &piece, const QRect &square) const;
    void paintOutsideKept(QPainter &painter, const QRegion &region);
    void paintObjects(QPainter &painter, const QRect &pixels) const;
    void paintUnderlay(QPainter &painter, const QRect &pixels) const;
    bool underlayDrawn() const;
    // Whether the underlay shows in that part of the page.
    bool underlayBeneath(const QRect &pixels) const;
    void repaintAll();
    void paintGrid(QImage &image, const QPoint &origin, const QRect &pixels,
                   const QImage &beneath) const;
    void paintHandles(QPainter &painter, const QRect &pixels) const;
    void paintMarks(QPainter &painter) const;
    void paintBands(QPainter &painter) const;

    void forgetPendingAreas();

    PageSurface &m_page;
    const ViewMapping &m_mapping;
    QSizeF m_lastSize;
    PendingAreas m_pendingObjects;
    PendingAreas m_pendingOverlay;
    // Everything is painted afresh at the next paint.
    bool m_allDue = false;
    double m_gridTwips = 0;
    std::function<void()> m_onChange;
    bool m_changeNoted = false;
    // Kept across paints; painting fills it, so it is not part of the
    // view's constant state.
    mutable TextLayoutCache m_texts;
    mutable ElementTiles m_tiles;
    // Off while painting afresh.
    bool m_tilesUsed = true;
    // Scaled once per zoom and underlay: a paint only copies from it.
    mutable UnderlayRaster m_underlay;
    QRectF m_underlayPlace;
    int m_underlayOpacity = 0;
    bool m_underlayShown = true;
    // The objects as last painted, in squares on a grid fixed to the page
    // (the widget's pixels) from the corner it shows when the grid is
    // placed, kept for the squares the window shows:
    // exposing, scrolling and repainting copy from them; only squares where
    // something changed since (stale) are painted again. A square is always
    // painted whole, the same way, so a copy never differs from painting
    // afresh. Handles, marks and bands are drawn over the copy.
    std::map<std::pair<int, int>, QImage> m_pieces;
    // Where square (0, 0) starts; 0 to PiecePixels - 1 each way.
    QPoint m_pieceOrigin;
    QRegion m_kept;
    QImage::Format m_pieceFormat = QImage::Format_Invalid;
    double m_pieceRatio = 0;
    QSizeF m_pieceTwipsPerPixel;
    // Within m_kept.
    QRegion m_stale;
};
