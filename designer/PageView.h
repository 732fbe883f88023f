#pragma once

#include "platform/ElementTiles.h"
#include "platform/PageObserver.h"
#include "platform/TextLayoutCache.h"
#include "platform/UnderlayRaster.h"

#include <QImage>
#include <QRegion>
#include <QWidget>

#include <functional>
#include <vector>

class Element;
class PageSurface;
class QPainter;

// The page on screen: one widget that paints every shown element record
// of the page in stacking order (objects, then handles above them), the
// marks drawn with Line and the inverting bands, in twips scaled to
// pixels. Beneath every object it may show the template's underlay, the
// blank form, kept scaled and faded for the view so a repaint copies it. Records report their changes, so only changed areas are
// painted again; everything else is copied from the page as last painted.
// It takes no pointer events itself; the designer window routes them with
// elementAt.
class PageView : public QWidget, public PageObserver
{
    Q_OBJECT

public:
    PageView(PageSurface &page, QWidget *parent);
    ~PageView() override;

    PageSurface &page() const { return m_page; }

    // The topmost element under a page point (twips) that takes pointer
    // events: handles above labels and images; lines take none.
    Element *elementAt(const QPointF &twips) const;
    // The area an element answers the pointer on (twips).
    static QRectF hitRect(const Element &element);

    // Forgets every laid-out caption, the painted page and where elements
    // were filed; the next paint lays out and paints everything again.
    void clearCaches();

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
    void schedulePendingReset();
    void prepareRaster();
    void renderStale(const QRegion &exposed);
    void paintDue(const QRegion &due, const QRegion &reach);
    void paintObjects(QPainter &painter, const QRect &pixels) const;
    void paintUnderlay(QPainter &painter, const QRect &pixels) const;
    void repaintAll();
    void paintHandles(QPainter &painter, const QRect &pixels) const;
    void paintMarks(QPainter &painter) const;
    void paintBands(QPainter &painter) const;

    void forgetPendingAreas();
    void noteStaleArea(const QRect &pixels);
    bool paintStaleAreas(QPainter &painter, const QRegion &reach);

    PageSurface &m_page;
    QSizeF m_lastSize;
    PendingAreas m_pendingObjects;
    PendingAreas m_pendingOverlay;
    // Kept across paints; painting fills it, so it is not part of the
    // view's constant state.
    mutable TextLayoutCache m_texts;
    mutable ElementTiles m_tiles;
    // Scaled once per size: a paint only copies from it.
    mutable UnderlayRaster m_underlay;
    QRectF m_underlayPlace;
    int m_underlayOpacity = 0;
    bool m_underlayShown = true;
    // The objects as last painted, page-sized: exposing, scrolling and
    // repainting copy from it; only areas that changed since (stale) are
    // painted again. Handles, marks and bands are drawn over the copy.
    QImage m_raster;
    QSizeF m_rasterTwipsPerPixel;
    QRegion m_stale;
    // Each area changed since the raster was last all up to date, while
    // they are few enough to list.
    std::vector<QRect> m_staleAreas;
    bool m_staleAreasComplete = false;
};
