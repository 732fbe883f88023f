#pragma once

#include <QPointF>
#include <QRect>
#include <QRectF>

// The one mapping between twips and screen pixels of a designer window.
// The window itself (its bars, page-size handles and the page's place) is
// laid out in window twips, the screen's twips per pixel; the page is shown
// at the window's zoom, so one page pixel spans twips per pixel / zoom page
// twips. Nothing else in the program knows the zoom.
class ViewMapping
{
public:
    static constexpr double MinZoom = 0.25;
    static constexpr double MaxZoom = 8.0;

    // The screen's factors, at 100 %.
    ViewMapping();
    ViewMapping(double twipsPerPixelX, double twipsPerPixelY, double zoom = 1.0);

    double zoom() const { return m_zoom; }
    // Held within MinZoom..MaxZoom.
    void setZoom(double zoom);

    // Window twips per pixel: the screen's.
    double twipsPerPixelX() const { return m_twipsPerPixelX; }
    double twipsPerPixelY() const { return m_twipsPerPixelY; }
    // Page twips per page pixel at the zoom.
    double pageTwipsPerPixelX() const { return m_twipsPerPixelX / m_zoom; }
    double pageTwipsPerPixelY() const { return m_twipsPerPixelY / m_zoom; }

    // Each edge is rounded on its own, so boxes that touch in twips touch on
    // the screen.
    QRect windowToPixels(const QRectF &twips) const;
    QPointF windowToTwips(const QPointF &pixels) const;
    // Page twips and pixels from the page's top-left corner.
    QRect pageToPixels(const QRectF &twips) const;
    QPointF pageToPixels(const QPointF &twips) const;
    QPointF pageToTwips(const QPointF &pixels) const;
    QRectF pageToTwips(const QRectF &pixels) const;
    // A length of the page in window twips (how far it reaches on screen),
    // and back.
    double pageToWindow(double twips) const { return twips * m_zoom; }
    double windowToPage(double twips) const { return twips / m_zoom; }

private:
    static QRect rounded(const QRectF &twips, double perPixelX, double perPixelY);

    double m_twipsPerPixelX;
    double m_twipsPerPixelY;
    double m_zoom = 1.0;
};
