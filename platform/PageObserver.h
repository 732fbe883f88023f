#pragma once

#include <QRectF>

class Element;

// Told by the page when something on it changes, so a view repaints only
// that area (page twips).
class PageObserver
{
public:
    virtual ~PageObserver() = default;
    virtual void pageAreaChanged(const QRectF &twips) = 0;
    // Only what lies above every element changed there (handles, marks,
    // bands); the elements below look as they did.
    virtual void pageOverlayChanged(const QRectF &twips) { pageAreaChanged(twips); }
    virtual void pageGeometryChanged() = 0;
};
