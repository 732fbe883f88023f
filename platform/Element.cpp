#include "Element.h"

#include "ElementArray.h"
#include "PageSurface.h"
#include "PrintedSize.h"
#include "Screen.h"
#include "TextLayout.h"

#include <QGuiApplication>

#include <algorithm>
#include <cmath>

namespace {

// Handles show a 7 x 7 picture in a smaller box; lines and borders reach
// past their geometry by their pen width.
constexpr double RepaintSlack = 2.0;

bool guiAvailable()
{
    return qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr;
}

} // namespace

Element::Element(ElementKind kind, int index, ElementArray *owner)
    : m_kind(kind)
    , m_index(index)
    , m_owner(owner)
{
}

const PageSurface *Element::page() const
{
    return m_owner ? m_owner->page() : nullptr;
}

void Element::setLeft(double v)
{
    if (v == m_left)
        return;
    const QRectF before = paintBounds();
    m_left = v;
    changed(before);
}

void Element::setTop(double v)
{
    if (v == m_top)
        return;
    const QRectF before = paintBounds();
    m_top = v;
    changed(before);
}

void Element::setWidth(double v)
{
    if (v == m_width)
        return;
    const QRectF before = paintBounds();
    m_width = v;
    changed(before);
}

void Element::setHeight(double v)
{
    if (v == m_height)
        return;
    const QRectF before = paintBounds();
    m_height = v;
    changed(before);
}

void Element::Move(double left, double top)
{
    Move(left, top, m_width, m_height);
}

void Element::Move(double left, double top, double width, double height)
{
    if (left == m_left && top == m_top && width == m_width && height == m_height)
        return;
    // An object's handles move together: the page reaches around their
    // boxes once, not around each of thousands at a nudge.
    PageSurface *surface = m_owner ? m_owner->page() : nullptr;
    const bool heldHandle
        = m_kind == ElementKind::Handle && surface && surface->holdsHandleChanges();
    const QRectF before = heldHandle ? rect() : paintBounds();
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    if (!heldHandle)
        changed(before);
    else if (m_visible)
        surface->heldHandleMoved(before | rect(), m_pictureSize);
}

void Element::setX1(double v)
{
    setLine(v, m_y1, m_x2, m_y2);
}

void Element::setY1(double v)
{
    setLine(m_x1, v, m_x2, m_y2);
}

void Element::setX2(double v)
{
    setLine(m_x1, m_y1, v, m_y2);
}

void Element::setY2(double v)
{
    setLine(m_x1, m_y1, m_x2, v);
}

void Element::setLine(double x1, double y1, double x2, double y2)
{
    if (x1 == m_x1 && y1 == m_y1 && x2 == m_x2 && y2 == m_y2)
        return;
    const QRectF before = paintBounds();
    m_x1 = x1;
    m_y1 = y1;
    m_x2 = x2;
    m_y2 = y2;
    changed(before);
}

void Element::setVisible(bool v)
{
    if (v == m_visible)
        return;
    m_visible = v;
    // Filed by where it reaches, shown or not: only its area repaints.
    if (m_owner && m_owner->page())
        m_owner->page()->elementShown(*this);
}

void Element::setCaption(const QString &v)
{
    if (v == m_caption)
        return;
    const QRectF before = paintBounds();
    m_caption = v;
    fitToCaption();
    changed(before);
}

void Element::setFont(const ElementFont &v)
{
    if (v == m_font)
        return;
    const QRectF before = paintBounds();
    m_font = v;
    fitToCaption();
    changed(before);
}

void Element::setForeColor(const QColor &v)
{
    if (v == m_foreColor)
        return;
    m_foreColor = v;
    changed(paintBounds());
}

void Element::setBorderStyle(int v)
{
    if (v == m_borderStyle)
        return;
    const QRectF before = paintBounds();
    m_borderStyle = v;
    changed(before);
}

void Element::setBorderWidth(int v)
{
    if (v == m_borderWidth)
        return;
    const QRectF before = paintBounds();
    m_borderWidth = v;
    changed(before);
}

void Element::setBorderColor(const QColor &v)
{
    if (v == m_borderColor)
        return;
    m_borderColor = v;
    changed(paintBounds());
}

void Element::setAutoSize(bool v)
{
    if (v == m_autoSize)
        return;
    const QRectF before = paintBounds();
    m_autoSize = v;
    fitToCaption();
    changed(before);
}

void Element::setAlignment(int v)
{
    if (v == m_alignment)
        return;
    m_alignment = v;
    changed(paintBounds());
}

void Element::setPicture(const QImage &v)
{
    // Handles set their picture on every change of state: an unchanged one
    // costs nothing.
    if (v.cacheKey() == m_picture.cacheKey() && m_pictureData.isEmpty())
        return;
    setPicture(v, QByteArray());
}


void Element::setPicture(const QImage &v, const QByteArray &data)
{
    m_pictureData = data;
    if (v.cacheKey() == m_picture.cacheKey())
        return;
    const QRectF before = paintBounds();
    m_picture = v;
    m_pictureSize = v.size();
    changed(before);
}

void Element::setStretch(bool v)
{
    if (v == m_stretch)
        return;
    m_stretch = v;
    changed(paintBounds());
}

void Element::setBarcode(const BarcodeLook &look, bool sample)
{
    if (look == m_barcode && sample == m_barcodeSample)
        return;
    const QRectF before = paintBounds();
    m_barcode = look;
    m_barcodeSample = sample;
    fitToCaption();
    changed(before);
}

void Element::ZOrder()
{
    if (!m_owner || !m_owner->page())
        return;
    m_z = m_owner->page()->nextZ();
    m_owner->page()->elementRaised(*this);
    changed(paintBounds());
}

QRectF Element::paintBounds() const
{
    return m_visible ? shownBounds() : QRectF();
}

// What a change repaints: at the view's pixels now.
QRectF Element::shownBounds() const
{
    const PageSurface *surface = page();
    return reachAt(surface ? surface->viewTwipsPerPixelX() : Screen::TwipsPerPixelX());
}

// Filed for the widest pixels its page may be seen at: a zoom of the view
// moves nothing in the index.
QRectF Element::reachBounds() const
{
    const PageSurface *surface = page();
    return reachAt(surface ? surface->widestViewTwipsPerPixel() : Screen::TwipsPerPixelX());
}

QRectF Element::reachAt(double twipsPerPixel) const
{
    const double px = twipsPerPixel;
    double reach = px * RepaintSlack;
    // A line is as wide on the page as on paper.
    if (m_kind == ElementKind::Line)
        reach += PrintedSize::TwipsPerPixel * std::max(1, m_borderWidth);
    if (m_kind == ElementKind::Handle)
        return handleReach(rect(), m_pictureSize, px);
    return rect().normalized().adjusted(-reach, -reach, reach, reach);
}

QRectF Element::handleReach(const QRectF &boxes, QSize picture, double twipsPerPixel)
{
    const double px = twipsPerPixel;
    // The picture is a few pixels of the view from a box's corner, before
    // it too when the view shows the page smaller than the screen; past
    // the right and bottom of the boxes by a picture covers every box.
    const double before = px * RepaintSlack
                          + std::max(picture.width(), picture.height())
                                * std::max(0.0, px - Screen::TwipsPerPixelX());
    return boxes.normalized().adjusted(-before, -before, picture.width() * px + before,
                                       picture.height() * px + before);
}

void Element::copyLookFrom(const Element &other)
{
    m_left = other.m_left;
    m_top = other.m_top;
    m_width = other.m_width;
    m_height = other.m_height;
    m_x1 = other.m_x1;
    m_y1 = other.m_y1;
    m_x2 = other.m_x2;
    m_y2 = other.m_y2;
    m_caption = other.m_caption;
    m_tag = other.m_tag;
    m_toolTip = other.m_toolTip;
    m_font = other.m_font;
    m_foreColor = other.m_foreColor;
    m_borderStyle = other.m_borderStyle;
    m_borderWidth = other.m_borderWidth;
    m_borderColor = other.m_borderColor;
    m_autoSize = other.m_autoSize;
    m_alignment = other.m_alignment;
    m_picture = other.m_picture;
    m_pictureData = other.m_pictureData;
    m_pictureSize = other.m_pictureSize;
    m_stretch = other.m_stretch;
    m_mousePointer = other.m_mousePointer;
    m_barcode = other.m_barcode;
    m_barcodeSample = other.m_barcodeSample;
}

// Hidden elements are refiled too, so they are where they belong when shown.
void Element::changed(const QRectF &before)
{
    if (!m_owner || !m_owner->page())
        return;
    m_owner->page()->elementChanged(*this, before, paintBounds());
}

void Element::fitToCaption()
{
    // A code fills the box it is given, whatever its caption.
    if (!m_autoSize || m_kind != ElementKind::Label || m_barcode.isCode() || !guiAvailable())
        return;
    const QSizeF size = TextLayout::naturalSize(m_caption, m_font);
    m_width = std::ceil(size.width());
    m_height = std::ceil(size.height());
}
