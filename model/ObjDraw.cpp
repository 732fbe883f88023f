#include "ObjDraw.h"

#include "HandlePosition.h"
#include "MouseButton.h"
#include "ObjGeometry.h"
#include "ObjHds.h"

#include "platform/Element.h"
#include "platform/ElementArray.h"
#include "platform/PageSurface.h"
#include "platform/PointerShape.h"
#include "platform/RuntimeError.h"
#include "platform/Screen.h"
#include "platform/Units.h"

#include <algorithm>
#include <cmath>

using ObjGeometry::twips;

namespace {

// Holds the page's handle changes while an object's handles move.
class HeldHandleChanges
{
public:
    explicit HeldHandleChanges(PageSurface &page)
        : m_page(page)
    {
        m_page.holdHandleChanges();
    }
    ~HeldHandleChanges() { m_page.releaseHandleChanges(); }
    HeldHandleChanges(const HeldHandleChanges &) = delete;
    HeldHandleChanges &operator=(const HeldHandleChanges &) = delete;

private:
    PageSurface &m_page;
};

// Rounding moves an edge by at most half a twip, so a point this far out
// misses whatever the rounding gives; most objects of a page are ruled out
// here without it. Coordinates too large for whole twips take the exact path.
bool clearlyOutside(const Element &element, double X, double Y)
{
    constexpr double Limit = 1e9;
    constexpr double Reach = ObjGeometry::PointMargin + 0.5;
    const QRectF r = element.rect();
    if (!(std::fabs(r.left()) < Limit && std::fabs(r.right()) < Limit && std::fabs(r.top()) < Limit
          && std::fabs(r.bottom()) < Limit))
        return false;
    const double left = std::min(r.left(), r.right());
    const double right = std::max(r.left(), r.right());
    const double top = std::min(r.top(), r.bottom());
    const double bottom = std::max(r.top(), r.bottom());
    return X < left - Reach || X > right + Reach || Y < top - Reach || Y > bottom + Reach;
}

[[noreturn]] void objectNotSet()
{
    throw RuntimeError(RuntimeError::ObjectNotSet, QStringLiteral("ObjDraw"));
}

} // namespace

ObjDraw::ObjDraw(PageSurface *page)
    : m_page(page)
    , m_bStyle(Element::Solid)
{
}


int ObjDraw::FirstID(int eType)
{
    switch (eType) {
    case Line:
        return 1;
    case Text:
        return 1001;
    case Picture:
        return 2001;
    default:
        return 0;
    }
}

int ObjDraw::LastID(int eType)
{
    switch (eType) {
    case Line:
        return 1000;
    case Text:
        return 2000;
    case Picture:
        // Eight handle elements per id must stay within the element limit.
        return ElementArray::MaxIndex / 8;
    default:
        return 0;
    }
}

QString ObjDraw::KeyOf(int nID)
{
    return QStringLiteral("Obj") + QString::number(nID);
}

ElementKind ObjDraw::elementKindOf(int eType)
{
    switch (eType) {
    case Line:
        return ElementKind::Line;
    case Text:
        return ElementKind::Label;
    default:
        return ElementKind::Image;
    }
}

int ObjDraw::textBorderFor(const QString &caption, bool selected)
{
    // Blank as the designer trims: only spaces count.
    const bool blank = std::all_of(caption.begin(), caption.end(),
                                   [](QChar c) { return c == QLatin1Char(' '); });
    return blank || selected ? Element::FixedSingle : Element::NoBorder;
}

QColor ObjDraw::colorFromRgbValue(int32_t value)
{
    return QColor(value & 0xff, (value >> 8) & 0xff, (value >> 16) & 0xff);
}

int32_t ObjDraw::rgbValueFromColor(const QColor &color)
{
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

void ObjDraw::setIsFix(bool v)
{
    m_isFix = v;
    if (!v) {
        m_isScroll = false;
        m_sumed = false;
        m_sumedPage = false;
    }
    showBarcode();
}

void ObjDraw::setBarcode(const BarcodeLook &v)
{
    m_barcode = v;
    showBarcode();
}

void ObjDraw::showBarcode()
{
    if (m_objCtl && m_eType == Text)
        m_objCtl->setBarcode(m_barcode, !m_isFix);
}

void ObjDraw::setIsScroll(bool v)
{
    m_isScroll = v;
    if (m_isScroll) {
        m_sumed = false;
        m_sumedPage = false;
    }
}

void ObjDraw::setSumed(bool v)
{
    m_sumed = v;
    if (!v)
        m_sumedPage = false;
}

void ObjDraw::setIsDraging(bool v)
{
    m_isDraging = v;
    if (v && m_editFlag == Saved)
        m_editFlag = Changed;
}

void ObjDraw::setLocked(bool v)
{
    m_locked = v;
    SetHdState(ObjHd::stateFor(m_isCurrent, v));
}

void ObjDraw::setIsSizing(bool v)
{
    m_isSizing = v;
    if (v && m_editFlag == Saved)
        m_editFlag = Changed;
}

int ObjDraw::HdCount() const
{
    // A line is sized by its two ends.
    return m_eType == Line ? 2 : HandlePosition::Count;
}

void ObjDraw::setIsCurrent(bool v)
{
    const bool wasActive = m_isActive;
    m_isCurrent = v;
    if (!wasActive && v)
        setIsActive(true);
    if (!m_objCtl)
        return;
    SetHdState(ObjHd::stateFor(v, m_locked));
    if (v)
        Handls()->ZOrder();
}

void ObjDraw::setIsActive(bool v)
{
    m_isActive = v;
    if (m_objCtl && v)
        SetHdState(ObjHd::stateFor(m_isCurrent, m_locked));
    if (!v)
        m_isCurrent = false;
    if (m_objCtl) {
        ShowHd(v);
        if (m_eType == Text)
            updateTextBorder();
    }
}

const std::shared_ptr<ObjHds> &ObjDraw::Handls()
{
    if (!m_handls)
        m_handls = std::make_shared<ObjHds>();
    return m_handls;
}

void ObjDraw::deselect()
{
    const bool handlesMayShow = m_handls && m_handls->mayBeShown();
    const bool borderSettled =
        !m_objCtl || m_eType != Text
        || m_objCtl->BorderStyle() == textBorderFor(m_objCtl->Caption(), false);

    if (!m_isActive && !m_isCurrent && !handlesMayShow && borderSettled)
        return;
    setIsActive(false);
}

void ObjDraw::abandonGesture()
{
    const bool inGesture = m_isDraging || m_isSizing || m_isDrawing;
    if (m_isSizing && m_eType == Line && m_objCtl)
        m_objCtl->setVisible(true);
    m_isDraging = false;
    m_isSizing = false;
    m_isDrawing = false;
    m_sizeMoved = false;
    if (!inGesture || !m_objCtl)
        return;
    MoveHd();
    ShowHd(m_isActive);
}

void ObjDraw::updateTextBorder()
{
    m_objCtl->setBorderStyle(textBorderFor(m_objCtl->Caption(), m_isActive));
}

void ObjDraw::SetHdState(int state)
{
    const int inUse = HdCount();
    for (ObjHd &handle : *Handls()) {
        if (handle.HdID() < inUse)
            handle.setNState(state);
    }
}

void ObjDraw::ShowHd(bool v)
{
    if (!m_objCtl || !m_objCtl->Visible())
        return;
    ObjHds &handles = *Handls();
    const int inUse = HdCount();
    for (ObjHd &handle : handles) {
        if (handle.HdID() < inUse && handle.ObjCtl())
            handle.ObjCtl()->setVisible(v);
    }
    handles.setMayBeShown(v);
}

PageSurface &ObjDraw::requirePage() const
{
    if (!m_page)
        objectNotSet();
    return *m_page;
}

Element &ObjDraw::requireCtl() const
{
    if (!m_objCtl)
        objectNotSet();
    return *m_objCtl;
}

ElementArray &ObjDraw::arrayForKind() const
{
    PageSurface &page = requirePage();
    switch (m_eType) {
    case Line:
        return page.ObjLine();
    case Text:
        return page.ObjText();
    case Picture:
        return page.ObjImg();
    default:
        throw RuntimeError(RuntimeError::InvalidArgument);
    }
}

void ObjDraw::GetCtlRect(const Element &element, TwipRect &r)
{
    if (element.isLine()) {
        r = ObjGeometry::rectFrom(element.x1(), element.y1(), element.x2(), element.y2());
        mLineDir = (r.right < r.left ? RunsLeftward : 0) | (r.bottom < r.top ? RunsUpward : 0);
        if (mLineDir != 0)
            ObjGeometry::NormRect(r);
    } else {
        r = ObjGeometry::rectFrom(element.Left(), element.Top(), element.Left() + element.Width(),
                                  element.Top() + element.Height());
        mLineDir = 0;
    }
}

// A line keeps its direction when its bounding rectangle changes.
void ObjDraw::SetCtlRect(Element &element, TwipRect &r)
{
    if (element.isLine()) {
        const bool leftward = mLineDir & RunsLeftward;
        const bool upward = mLineDir & RunsUpward;
        element.setLine(leftward ? r.right : r.left, upward ? r.bottom : r.top,
                        leftward ? r.left : r.right, upward ? r.top : r.bottom);
        ObjGeometry::NormRect(r);
    } else {
        ObjGeometry::NormRect(r);
        element.Move(r.left, r.top, double(r.right) - r.left, double(r.bottom) - r.top);
    }
}

void ObjDraw::XorBand(const TwipRect &r)
{
    PageSurface &page = requirePage();
    page.XorRect(ObjGeometry::RectToScreen(r, page.viewTwipsPerPixelX()), true);
}

void ObjDraw::OnStartDraw(int /*Button*/, int /*Shift*/, double X, double Y)
{
    if (m_eType == SelectionBand) {
        m_oldX = X;
        m_oldY = Y;
        m_isDrawing = true;
        mRect = ObjGeometry::rectFrom(X, Y, X, Y);
        XorBand(mRect);
        return;
    }
    ElementArray &array = arrayForKind();
    const int index = array.UBound() + 1;
    // Refused before anything is loaded, so no half-made object is left.
    if (index > LastID(m_eType))
        throw RuntimeError(RuntimeError::ObjectLimitReached);
    m_oldX = X;
    m_oldY = Y;
    m_isDrawing = true;
    if (m_eType == Line) {
        mRect.left = twips(X);
        mRect.top = twips(Y);
    }
    Element &element = array.Load(index);
    if (m_eType == Text) {
        element.setBorderStyle(Element::FixedSingle);
        m_nID = index;
    } else if (m_eType == Picture) {
        element.setStretch(true);
        element.setBorderStyle(Element::FixedSingle);
        m_nID = index;
    }
    m_objCtl = &element;
}

void ObjDraw::OnDrawing(int /*Button*/, int /*Shift*/, double X, double Y)
{
    switch (m_eType) {
    case SelectionBand:
        // The band shown lags one move behind the pointer.
        requirePage().Cls();
        XorBand(mRect);
        mRect = ObjGeometry::rectFrom(m_oldX, m_oldY, X, Y);
        break;
    case Line:
        requirePage().Cls();
        requirePage().Line(m_oldX, m_oldY, X, Y);
        break;
    case Text:
    case Picture: {
        Element &element = requireCtl();
        mRect = ObjGeometry::rectFrom(m_oldX, m_oldY, X, Y);
        SetCtlRect(element, mRect);
        element.setVisible(true);
        break;
    }
    default:
        break;
    }
}

void ObjDraw::OnEndDraw(int /*Button*/, int /*Shift*/, double X, double Y)
{
    mRect.right = twips(X);
    mRect.bottom = twips(Y);
    if (m_eType == Line) {
        Element &element = requireCtl();
        m_nID = element.Index();
        requirePage().Cls();
        element.setLine(mRect.left, mRect.top, mRect.right, mRect.bottom);
        element.setVisible(true);
    }
    if (m_eType == Line || m_eType == Text || m_eType == Picture) {
        LoadHd();
        MoveHd();
        setIsActive(true);
    }
    m_isDrawing = false;
}

void ObjDraw::OnStartDrag(double X, double Y)
{
    setIsDraging(true);
    m_oldX = X;
    m_oldY = Y;
    ShowHd(false);
    Screen::setMousePointer(PointerShape::SizeAll);
}

bool ObjDraw::OnDraging(double X, double Y, bool bLim, double LimX, double LimY)
{
    moveBy(X - m_oldX, Y - m_oldY, bLim, LimX, LimY);
    m_oldX = X;
    m_oldY = Y;
    return false;
}

bool ObjDraw::moveBy(double dx, double dy, bool bLim, double LimX, double LimY)
{
    Element &element = requireCtl();
    const bool line = element.isLine();
    const bool leftward = line && element.x1() > element.x2();
    const bool upward = line && element.y1() > element.y2();
    double left, top, w, h;
    if (line) {
        left = std::min(element.x1(), element.x2());
        top = std::min(element.y1(), element.y2());
        w = std::fabs(element.x2() - element.x1());
        h = std::fabs(element.y2() - element.y1());
    } else {
        left = element.Left();
        top = element.Top();
        w = element.Width();
        h = element.Height();
    }
    const QPointF before(left, top);
    left += dx;
    top += dy;
    if (bLim) {
        // The far limits come last and win over 0 for an oversized object.
        if (left < 0)
            left = 0;
        if (top < 0)
            top = 0;
        if (left + w > LimX && LimX != 0)
            left = LimX - w;
        if (top + h > LimY && LimY != 0)
            top = LimY - h;
    }
    if (line)
        element.setLine(leftward ? left + w : left, upward ? top + h : top,
                        leftward ? left : left + w, upward ? top : top + h);
    else
        element.Move(left, top);
    return QPointF(left, top) != before;
}

bool ObjDraw::NudgeBy(double dx, double dy, double LimX, double LimY, const HdMetrics &metrics)
{
    if (!moveBy(dx, dy, true, LimX, LimY))
        return false;
    if (m_editFlag == Saved)
        m_editFlag = Changed;
    MoveHd(metrics);
    return true;
}

void ObjDraw::OnEndDrag(double /*X*/, double /*Y*/)
{
    MoveHd();
    setIsDraging(false);
    ShowHd(true);
    Screen::setMousePointer(PointerShape::Default);
}

void ObjDraw::OnStartSize(int HdID, int /*Button*/, int /*Shift*/, double /*X*/, double /*Y*/)
{
    if (m_eType == Line) {
        // The end not under the handle stays put.
        const Element &element = requireCtl();
        if (HdID != 0) {
            m_oldX = element.x1();
            m_oldY = element.y1();
        } else {
            m_oldX = element.x2();
            m_oldY = element.y2();
        }
    }
    if (m_eType == Text && m_objCtl)
        m_objCtl->setAutoSize(false);
    m_actHdID = HdID;
    m_sizeMoved = false;
    setIsSizing(true);
    ShowHd(false);
}

void ObjDraw::OnSizing(int Button, int /*Shift*/, double X, double Y)
{
    if (Button != MouseButton::Left || !m_isSizing)
        return;
    Element &element = requireCtl();
    if (m_eType == Line) {
        element.setVisible(false);
        requirePage().Cls();
        requirePage().Line(m_oldX, m_oldY, X, Y);
        mRect.right = twips(X);
        mRect.bottom = twips(Y);
        m_sizeMoved = true;
        return;
    }
    TwipRect r;
    GetCtlRect(element, r);
    ObjGeometry::SizeRect(m_actHdID, r, X, Y);
    // A box never becomes empty or inverted.
    if (r.left < r.right && r.top < r.bottom)
        SetCtlRect(element, r);
}

void ObjDraw::OnEndSize(int Button, int /*Shift*/, double /*X*/, double /*Y*/)
{
    if (Button != MouseButton::Left || !m_isSizing)
        return;
    if (m_eType == Line) {
        Element &element = requireCtl();
        // A press and release with no move in between leaves the line as it was.
        if (m_sizeMoved) {
            mRect.left = twips(m_oldX);
            mRect.top = twips(m_oldY);
            requirePage().Cls();
            element.setLine(mRect.left, mRect.top, mRect.right, mRect.bottom);
        }
        element.setVisible(true);
    }
    MoveHd();
    ShowHd(true);
    setIsSizing(false);
}

bool ObjDraw::CheckRange(double x1, double y1, double x2, double y2)
{
    const Element &element = requireCtl();
    if (!element.Visible())
        return false;
    const TwipRect band = ObjGeometry::rectFrom(x1, y1, x2, y2);
    const TwipRect r = element.isLine()
                           ? ObjGeometry::lineRangeRect(element.x1(), element.y1(), element.x2(),
                                                        element.y2())
                           : ObjGeometry::rectFrom(element.Left(), element.Top(),
                                                   element.Left() + element.Width(),
                                                   element.Top() + element.Height());
    return ObjGeometry::IntersectRect(band, r);
}

bool ObjDraw::CheckPoint(double X, double Y)
{
    const Element &element = requireCtl();
    if (!element.Visible())
        return false;
    if (clearlyOutside(element, X, Y))
        return false;
    GetCtlRect(element, mRect);
    mRect.left -= ObjGeometry::PointMargin;
    mRect.top -= ObjGeometry::PointMargin;
    mRect.right += ObjGeometry::PointMargin;
    mRect.bottom += ObjGeometry::PointMargin;
    if (X < mRect.left || X > mRect.right || Y < mRect.top || Y > mRect.bottom)
        return false;
    if (!element.isLine())
        return true;
    return ObjGeometry::HitLine(element.x1(), element.y1(), element.x2(), element.y2(), X, Y);
}

ObjDraw::HdMetrics ObjDraw::hdMetrics(const PageSurface &page)
{
    const Element &design = page.PicHD().designElement();
    HdMetrics m;
    m.hw = Units::toInt32(design.Width()) / 2;
    m.hh = Units::toInt32(design.Height()) / 2;
    m.px = ObjGeometry::halfPixel(Screen::TwipsPerPixelX());
    m.py = ObjGeometry::halfPixel(Screen::TwipsPerPixelY());
    return m;
}

void ObjDraw::MoveHd()
{
    MoveHd(hdMetrics(requirePage()));
}

void ObjDraw::MoveHd(const HdMetrics &m)
{
    ObjHds &handles = *Handls();
    if (handles.Count() == 0)
        return;
    const HeldHandleChanges held(requirePage());
    const Element &element = requireCtl();
    if (element.isLine()) {
        ObjHd &start = handles.Item(HandlePosition::TopLeft);
        ObjHd &end = handles.Item(HandlePosition::BottomRight);
        start.Move(element.x1() - m.hw + m.px, element.y1() - m.hh + m.py);
        end.Move(element.x2() - m.hw - m.px, element.y2() - m.hh - m.py);
        // The two handles in use (HdID 0 and 1) sit on the line's ends.
        end.setHdID(1);
        handles.Item(HandlePosition::TopMiddle).setHdID(5);
        return;
    }
    if (handles.Count() < HandlePosition::Count)
        throw RuntimeError(RuntimeError::InvalidArgument);
    const QRectF box(element.Left(), element.Top(), element.Width(), element.Height());
    int position = 0;
    for (ObjHd &handle : handles) {
        if (++position > HandlePosition::Count)
            break;

        const QPointF at = ObjGeometry::handleTopLeft(position, box, m.hw, m.hh, m.px, m.py);
        handle.Move(at.x(), at.y());
    }
}

void ObjDraw::LoadHd()
{
    ElementArray &array = requirePage().PicHD();
    ObjHds &handles = *Handls();
    handles.Clear();
    const int base = HandlePosition::Count * m_nID - (HandlePosition::Count - 1);
    const QString idText = QString::number(m_nID);
    for (int k = 0; k < HandlePosition::Count; ++k) {
        const int position = k + 1;
        // A deleted object keeps its handles' elements; undoing the delete
        // takes them up again.
        Element &element = array.IsLoaded(base + k) ? array(base + k) : array.Load(base + k);
        element.setTag(QString::number(position));
        ObjHd &handle = handles.Add(k, ObjHd::Selected, &element, idText + QString::number(k));
        handle.setObjCtl(&element);
        element.setMousePointer(ObjHd::HdPointer(position));
        element.ZOrder();
    }
}
