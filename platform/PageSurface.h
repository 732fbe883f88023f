#pragma once

#include "ElementArray.h"
#include "PageIndex.h"

#include <QLineF>
#include <QRect>
#include <QRectF>

#include <functional>
#include <vector>

class PageObserver;

// The designer page (PicPage) as a record: its position in the window and
// size in twips, the four element arrays living on it, the marks drawn on
// it with Line (cleared by Cls) and the inverting band rectangles.
class PageSurface
{
public:
    struct Band
    {
        QRect pixels; // relative to the page, pixels of its view
        bool dashed;
    };

    PageSurface();
    PageSurface(const PageSurface &) = delete;
    PageSurface &operator=(const PageSurface &) = delete;

    double Left() const { return m_left; }
    double Top() const { return m_top; }
    double Width() const { return m_width; }
    double Height() const { return m_height; }
    void setLeft(double v);
    void setTop(double v);
    void setWidth(double v);
    void setHeight(double v);
    void Move(double left, double top);

    // Design-time elements: ObjLine(0), ObjText(1000), ObjImg(2000), PicHD(0).
    ElementArray &ObjLine() { return m_lines; }
    ElementArray &ObjText() { return m_texts; }
    ElementArray &ObjImg() { return m_images; }
    ElementArray &PicHD() { return m_handles; }
    const ElementArray &ObjLine() const { return m_lines; }
    const ElementArray &ObjText() const { return m_texts; }
    const ElementArray &ObjImg() const { return m_images; }
    const ElementArray &PicHD() const { return m_handles; }
    ElementArray &arrayOf(ElementKind kind);

    // Removes everything drawn with Line and every band.
    void Cls();
    // Draws a straight mark on the page (twips).
    void Line(double x1, double y1, double x2, double y2);
    const std::vector<QLineF> &marks() const { return m_marks; }
    // Inverts the outline of r: drawing the same rectangle again restores
    // the page, as an XOR pen does.
    void XorRect(const QRect &pixels, bool dashed);
    const std::vector<Band> &bands() const { return m_bands; }

    // Page twips one pixel of the page's view spans: the screen's twips per
    // pixel until the view shows the page zoomed. Bands and marks are view
    // pixels.
    double viewTwipsPerPixelX() const;
    double viewTwipsPerPixelY() const;
    void setViewTwipsPerPixel(double x, double y);
    // The widest pixels the view may show the page at (the screen's unless
    // the view zooms out): elements are filed with room for what they
    // paint around themselves at that scale, so a zoom moves nothing in the
    // index. Files every element afresh.
    double widestViewTwipsPerPixel() const;
    void setWidestViewTwipsPerPixel(double v);

    int MousePointer() const { return m_mousePointer; }
    void setMousePointer(int v) { m_mousePointer = v; }

    void setObserver(PageObserver *observer) { m_observer = observer; }
    PageObserver *observer() const { return m_observer; }
    void notifyArea(const QRectF &twips);
    // Handles, marks and bands changed there, nothing below them.
    void notifyOverlay(const QRectF &twips);
    // Changes of handles between hold and release are repainted as one
    // area at the release: an object's handles move together, so a nudge
    // of thousands of objects tells the view once for each, not eight times.
    void holdHandleChanges() { ++m_handleChangesHeld; }
    void releaseHandleChanges();
    bool holdsHandleChanges() const { return m_handleChangesHeld > 0; }
    // A shown handle moved while held; boxes: its box before and after.
    void heldHandleMoved(const QRectF &boxes, QSize picture)
    {
        m_heldHandleBoxes |= boxes;
        m_heldHandlePicture = m_heldHandlePicture.expandedTo(picture);
    }
    // An element's paint bounds went from before to after: it is filed
    // anew where it reaches (a handle is not filed) and both areas are
    // repainted.
    void elementChanged(Element &element, const QRectF &before, const QRectF &after);
    // An element was shown or hidden: where it is filed stays right.
    void elementShown(const Element &element);
    // The lines, labels and images by where they paint when shown; every
    // element of the page is filed from the moment it exists, shown or not.
    // A change of an element filed already is filed at once; one new to the
    // page is filed when the index is next asked, so a template read element
    // by element files each element once.
    const PageIndex &index();
    // The handles shown, in the order they paint; they lie above every
    // object. Handles are not filed: they are few, or they are those of
    // every object selected and move with them, thousands at a keystroke,
    // so a paint or a hit test walks them instead.
    const std::vector<const Element *> &shownHandles();
    // Mostly none: then painting need not look through the hidden ones.
    bool anyHandleShown() const { return m_shownHandles > 0; }
    // Files every element afresh, as if none had been filed before.
    void reindex();
    // Runs use with every element filed afresh, then puts back the indexes
    // as they were: what they hold must not matter to what a paint shows.
    void withIndexesAfresh(const std::function<void()> &use);
    // Where elements are filed and painted: the page and as far around it
    // as any view keeps pixels. An element reaching farther (a height of
    // 1e9 mm, a long run of moves) keeps its record as it is; only the part
    // of it within this area is filed and painted, so neither the index nor
    // a paint grows with it.
    QRectF reachArea() const;
    // View pixels (at the widest) the area reaches past the page's edges.
    static constexpr double ReachPixels = 1024;
    quint64 nextZ() { return ++m_z; }
    // The element took the page's next z order: it paints above the rest.
    void elementRaised(const Element &element);

private:
    void notifyGeometry();
    void fileDue();
    void file(const Element &element);
    void notifyElementArea(const Element &element, const QRectF &twips);
    void handleShown(const Element &handle);
    // Lists the handles shown from all of them, as a page read afresh.
    void listShownHandles();

    double m_left = 0;
    double m_top = 0;
    double m_width = 8190;
    double m_height = 3690;
    PageIndex m_index;
    // Every handle shown, and while not tidy also some hidden since, some
    // twice, or out of order: tidied when asked for.
    std::vector<const Element *> m_handleList;
    bool m_handleListTidy = true;
    std::vector<Element *> m_filingDue;
    ElementArray m_lines;
    ElementArray m_texts;
    ElementArray m_images;
    ElementArray m_handles;
    std::vector<QLineF> m_marks;
    std::vector<Band> m_bands;
    int m_mousePointer = 0;
    // 0: the screen's.
    double m_viewTwipsPerPixelX = 0;
    double m_viewTwipsPerPixelY = 0;
    double m_widestViewTwipsPerPixel = 0;
    PageObserver *m_observer = nullptr;
    quint64 m_z = 0;
    int m_shownHandles = 0;
    int m_handleChangesHeld = 0;
    QRectF m_heldHandleArea;
    QRectF m_heldHandleBoxes;
    QSize m_heldHandlePicture;
    // Some element filed reaches past reachArea: a change of the page's
    // size files it afresh.
    bool m_anyCut = false;
};
