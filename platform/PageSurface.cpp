#include "PageSurface.h"

#include "PageObserver.h"
#include "PaintOrder.h"
#include "Screen.h"

#include <QColor>

#include <algorithm>
#include <utility>

namespace {

void setDesignLook(ElementArray &lines, ElementArray &texts, ElementArray &images,
                   ElementArray &handles)
{
    lines.designElement().setBorderStyle(Element::Solid);
    Element &label = texts.designElement();
    label.setCaption(QStringLiteral("文字"));
    label.Move(0, 0, 1440, 315);
    Element &image = images.designElement();
    image.Move(0, 0, 1440, 1440);
    handles.designElement().Move(0, 0, 75, 75);
}

} // namespace

PageSurface::PageSurface()
    : m_lines(this, ElementKind::Line, 0)
    , m_texts(this, ElementKind::Label, 1000)
    , m_images(this, ElementKind::Image, 2000)
    , m_handles(this, ElementKind::Handle, 0)
{
    setDesignLook(m_lines, m_texts, m_images, m_handles);
    // The design-time elements are filed like every later one.
    reindex();
}

void PageSurface::setLeft(double v)
{
    Move(v, m_top);
}

void PageSurface::setTop(double v)
{
    Move(m_left, v);
}

void PageSurface::Move(double left, double top)
{
    if (left == m_left && top == m_top)
        return;
    m_left = left;
    m_top = top;
    notifyGeometry();
}

void PageSurface::setWidth(double v)
{
    if (v == m_width)
        return;
    m_width = v;
    if (m_anyCut)
        reindex();
    notifyGeometry();
}

void PageSurface::setHeight(double v)
{
    if (v == m_height)
        return;
    m_height = v;
    if (m_anyCut)
        reindex();
    notifyGeometry();
}

QRectF PageSurface::reachArea() const
{
    const double slack = ReachPixels * widestViewTwipsPerPixel();
    return QRectF(0, 0, m_width, m_height).adjusted(-slack, -slack, slack, slack);
}

double PageSurface::viewTwipsPerPixelX() const
{
    return m_viewTwipsPerPixelX > 0 ? m_viewTwipsPerPixelX : Screen::TwipsPerPixelX();
}

double PageSurface::viewTwipsPerPixelY() const
{
    return m_viewTwipsPerPixelY > 0 ? m_viewTwipsPerPixelY : Screen::TwipsPerPixelY();
}

void PageSurface::setViewTwipsPerPixel(double x, double y)
{
    m_viewTwipsPerPixelX = x;
    m_viewTwipsPerPixelY = y;
}

double PageSurface::widestViewTwipsPerPixel() const
{
    return m_widestViewTwipsPerPixel > 0 ? m_widestViewTwipsPerPixel : Screen::TwipsPerPixelX();
}

void PageSurface::setWidestViewTwipsPerPixel(double v)
{
    if (v == m_widestViewTwipsPerPixel)
        return;
    m_widestViewTwipsPerPixel = v;
    reindex();
}

ElementArray &PageSurface::arrayOf(ElementKind kind)
{
    switch (kind) {
    case ElementKind::Line:
        return m_lines;
    case ElementKind::Label:
        return m_texts;
    case ElementKind::Image:
        return m_images;
    case ElementKind::Handle:
        break;
    }
    return m_handles;
}

void PageSurface::Cls()
{
    const double px = viewTwipsPerPixelX();
    for (const QLineF &line : m_marks)
        notifyOverlay(QRectF(line.p1(), line.p2()).normalized().adjusted(-px, -px, px, px));
    for (const Band &band : m_bands) {
        const QRectF r(band.pixels.left() * px, band.pixels.top() * px,
                       (band.pixels.width() + 1) * px, (band.pixels.height() + 1) * px);
        notifyOverlay(r.adjusted(-px, -px, px, px));
    }
    m_marks.clear();
    m_bands.clear();
}

void PageSurface::Line(double x1, double y1, double x2, double y2)
{
    m_marks.emplace_back(x1, y1, x2, y2);
    const double px = viewTwipsPerPixelX();
    notifyOverlay(QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized().adjusted(-px, -px, px, px));
}

void PageSurface::XorRect(const QRect &pixels, bool dashed)
{
    const double px = viewTwipsPerPixelX();
    notifyOverlay(QRectF(pixels.left() * px, pixels.top() * px, (pixels.width() + 1) * px,
                      (pixels.height() + 1) * px)
                   .adjusted(-px, -px, px, px));
    for (auto it = m_bands.begin(); it != m_bands.end(); ++it) {
        if (it->pixels == pixels && it->dashed == dashed) {
            m_bands.erase(it);
            return;
        }
    }
    m_bands.push_back({pixels, dashed});
}

// No view shows anything past the reach area, nor can it hold its pixels.
void PageSurface::notifyArea(const QRectF &twips)
{
    const QRectF shown = twips & reachArea();
    if (m_observer && !shown.isEmpty())
        m_observer->pageAreaChanged(shown);
}

void PageSurface::notifyOverlay(const QRectF &twips)
{
    const QRectF shown = twips & reachArea();
    if (m_observer && !shown.isEmpty())
        m_observer->pageOverlayChanged(shown);
}

void PageSurface::elementChanged(Element &element, const QRectF &before, const QRectF &after)
{
    // Shown before and after with the same bounds: filed where it was.
    const bool refile = element.kind() != ElementKind::Handle
                        && (before.isEmpty() || before != after);
    if (refile && !element.filingDue()) {
        // A move of one filed already is filed while the element is at hand
        // (thousands follow a nudge); one new to the page waits, so reading
        // a template files each element once.
        if (m_index.knowsPlaceOf(element)) {
            file(element);
        } else {
            element.setFilingDue(true);
            m_filingDue.push_back(&element);
        }
    }
    const QRectF area = before.isEmpty() ? after : before.united(after);
    if (!area.isEmpty())
        notifyElementArea(element, area);
}

void PageSurface::elementRaised(const Element &element)
{
    if (element.kind() != ElementKind::Handle)
        m_index.raise(element);
    else if (element.Visible() && (m_handleList.empty() || m_handleList.back() != &element))
        m_handleListTidy = false;
}

void PageSurface::elementShown(const Element &element)
{
    if (element.kind() == ElementKind::Handle) {
        handleShown(element);
    } else if (!element.Visible()) {
        m_index.hidden();
    } else if (!element.filingDue()) {
        // Filed where it is, unless a change is still to be filed.
        m_index.shown(element.reachBounds() & reachArea());
    }
    notifyElementArea(element, element.shownBounds());
}

// A handle shown joins the list at its end; one hidden stays in it until
// the list is next asked for.
void PageSurface::handleShown(const Element &handle)
{
    m_shownHandles += handle.Visible() ? 1 : -1;
    if (!handle.Visible()) {
        m_handleListTidy = false;
        return;
    }
    if (!m_handleList.empty() && !paintsBefore(m_handleList.back(), &handle))
        m_handleListTidy = false;
    m_handleList.push_back(&handle);
}

// Handles lie above every object: their change leaves the objects' pixels.
void PageSurface::notifyElementArea(const Element &element, const QRectF &twips)
{
    if (element.kind() != ElementKind::Handle)
        notifyArea(twips);
    else if (m_handleChangesHeld > 0)
        m_heldHandleArea |= twips;
    else
        notifyOverlay(twips);
}

void PageSurface::releaseHandleChanges()
{
    // A release without a hold holds nothing back later.
    if (m_handleChangesHeld == 0 || --m_handleChangesHeld > 0)
        return;
    if (!m_heldHandleBoxes.isEmpty())
        m_heldHandleArea |= Element::handleReach(std::exchange(m_heldHandleBoxes, QRectF()),
                                                 std::exchange(m_heldHandlePicture, QSize()),
                                                 viewTwipsPerPixelX());
    if (!m_heldHandleArea.isEmpty())
        notifyOverlay(std::exchange(m_heldHandleArea, QRectF()));
}

const PageIndex &PageSurface::index()
{
    fileDue();
    return m_index;
}

const std::vector<const Element *> &PageSurface::shownHandles()
{
    if (m_handleListTidy)
        return m_handleList;
    // A handle hidden and shown again is listed twice: once it is sorted,
    // next to itself.
    std::vector<std::pair<quint64, const Element *>> keyed;
    keyed.reserve(m_handleList.size());
    for (const Element *handle : m_handleList) {
        if (handle->Visible())
            keyed.emplace_back(handle->zOrder(), handle);
    }
    m_handleList = sortedByZ(std::move(keyed));
    m_handleList.erase(std::unique(m_handleList.begin(), m_handleList.end()), m_handleList.end());
    m_handleListTidy = true;
    return m_handleList;
}

void PageSurface::listShownHandles()
{
    m_handleList.clear();
    m_handles.forEach([this](const Element &e) {
        if (e.Visible())
            m_handleList.push_back(&e);
    });
    m_handleListTidy = false;
}

void PageSurface::fileDue()
{
    for (Element *element : m_filingDue) {
        element->setFilingDue(false);
        file(*element);
    }
    m_filingDue.clear();
}

void PageSurface::file(const Element &element)
{
    const QRectF reach = element.reachBounds();
    const QRectF area = reachArea();
    if (!area.contains(reach))
        m_anyCut = true;
    m_index.place(element, reach & area);
}

void PageSurface::reindex()
{
    for (Element *element : m_filingDue)
        element->setFilingDue(false);
    m_filingDue.clear();
    m_index = PageIndex();
    m_anyCut = false;
    // Handles are not filed: their list stays as it is.
    for (const ElementArray *array : {&m_lines, &m_texts, &m_images})
        array->forEach([this](const Element &e) { file(e); });
}

void PageSurface::withIndexesAfresh(const std::function<void()> &use)
{
    fileDue();
    PageIndex index = std::move(m_index);
    std::vector<const Element *> handleList = std::move(m_handleList);
    const bool handleListTidy = m_handleListTidy;
    const bool anyCut = m_anyCut;
    reindex();
    listShownHandles();
    use();
    fileDue();
    m_index = std::move(index);
    m_handleList = std::move(handleList);
    m_handleListTidy = handleListTidy;
    m_anyCut = anyCut;
}

void PageSurface::notifyGeometry()
{
    if (m_observer)
        m_observer->pageGeometryChanged();
}
