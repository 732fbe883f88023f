// Pointer and keyboard routing of the designer window.

#include "mFrm_Bill.h"

#include "DesignerGeometry.h"
#include "DesignerShell.h"
#include "FixHandle.h"
#include "PageView.h"
#include "PixelMapping.h"

#include "model/ObjDraw.h"
#include "model/ObjHds.h"

#include "print/ShowErrMsg.h"

#include "platform/PageSurface.h"
#include "platform/Platform.h"
#include "platform/PointerConfinement.h"
#include "platform/PointerShape.h"
#include "platform/RuntimeError.h"
#include "platform/Screen.h"
#include "platform/Units.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>
#include <optional>

namespace {

bool leftHeld(int Button)
{
    return (Button & 1) != 0;
}

} // namespace

// The platform brings a confined pointer back only after a move has
// arrived outside, so the designer clamps what it receives itself: a fast
// draw past the page edge ends at the edge.
QMouseEvent mFrm_Bill::confined(const QMouseEvent &event) const
{
    const QPointF global = event.globalPosition();
    QPointF inside = global;
    if (const std::optional<QRect> clip = Platform::pointer().clipRect()) {
        inside.setX(std::clamp(global.x(), double(clip->left()), double(clip->right())));
        inside.setY(std::clamp(global.y(), double(clip->top()), double(clip->bottom())));
    }
    const QPointF shift = inside - global;
    return QMouseEvent(event.type(), event.position() + shift, event.scenePosition() + shift,
                       inside, event.button(), event.buttons(), event.modifiers(),
                       event.pointingDevice());
}

void mFrm_Bill::mousePressEvent(QMouseEvent *event)
{
    m_lastGlobalPos = event->globalPosition().toPoint();
    m_router.press(confined(*event));
}

void mFrm_Bill::mouseMoveEvent(QMouseEvent *event)
{
    m_lastGlobalPos = event->globalPosition().toPoint();
    m_router.move(confined(*event));
}

void mFrm_Bill::mouseReleaseEvent(QMouseEvent *event)
{
    m_lastGlobalPos = event->globalPosition().toPoint();
    m_router.release(confined(*event));
}

void mFrm_Bill::mouseDoubleClickEvent(QMouseEvent *event)
{
    m_lastGlobalPos = event->globalPosition().toPoint();
    m_router.doubleClick(*event);
}

PointerTarget mFrm_Bill::targetAt(const QPointF &windowPixels) const
{
    for (int i = 1; i < int(m_fixHd.size()); ++i) {
        if (PicFixHd(i).Visible() && PicFixHd(i).geometry().contains(windowPixels.toPoint()))
            return {PointerTarget::FixHandle, i};
    }
    if (!m_pageView->geometry().contains(windowPixels.toPoint()))
        return {PointerTarget::Window, 0};
    const QPointF page = PixelMapping::toTwips(windowPixels - QPointF(m_pageView->pos()));
    const Element *element = m_pageView->elementAt(page);
    if (!element)
        return {PointerTarget::Page, 0};
    switch (element->kind()) {
    case ElementKind::Label:
        return {PointerTarget::Text, element->Index()};
    case ElementKind::Image:
        return {PointerTarget::Image, element->Index()};
    case ElementKind::Handle:
        return {PointerTarget::Handle, element->Index()};
    case ElementKind::Line:
        break;
    }
    return {PointerTarget::Page, 0};
}

QPointF mFrm_Bill::toTarget(const PointerTarget &target, const QPointF &windowPixels) const
{
    const QPointF window = PixelMapping::toTwips(windowPixels);
    const QPointF page = PixelMapping::toTwips(windowPixels - QPointF(m_pageView->pos()));
    const PageSurface &surface = m_pageView->page();
    auto relative = [&](const ElementArray &array) {
        const Element &e = array(target.index);
        return page - QPointF(e.Left(), e.Top());
    };
    switch (target.kind) {
    case PointerTarget::Page:
        return page;
    case PointerTarget::Text:
        return relative(surface.ObjText());
    case PointerTarget::Image:
        return relative(surface.ObjImg());
    case PointerTarget::Handle:
        return relative(surface.PicHD());
    case PointerTarget::FixHandle:
        return window - QPointF(PicFixHd(target.index).Left(), PicFixHd(target.index).Top());
    case PointerTarget::Window:
    case PointerTarget::None:
        break;
    }
    return window;
}

// A failing handler reports and lets the pointer go; what is on the page
// stays.
void mFrm_Bill::deliver(const PointerEvent &event)
{
    try {
        dispatch(event);
    } catch (const RuntimeError &error) {
        reportFailure(error);
    }
    updateCursor(event.target);
}

void mFrm_Bill::reportFailure(const RuntimeError &error)
{
    Platform::pointer().ReleaseCursor();
    if (error.Number() == RuntimeError::ObjectLimitReached)
        ShowErrMsg(QStringLiteral("对象数量已超出上限！"));
    else
        ShowErrMsg(QString(), &error);
}

void mFrm_Bill::dispatch(const PointerEvent &e)
{
    switch (e.target.kind) {
    case PointerTarget::Page:
        pageEvent(e.action, e.Button, e.Shift, e.X, e.Y);
        break;
    case PointerTarget::Text:
        if (e.action == PointerEvent::DblClick) {
            ObjText_DblClick(e.target.index);
        } else {
            const Element &label = ObjText()(e.target.index);
            pageEvent(e.action, e.Button, e.Shift, e.X + label.Left(), e.Y + label.Top());
        }
        break;
    case PointerTarget::Image:
        if (e.action == PointerEvent::DblClick) {
            ObjImg_DblClick(e.target.index);
        } else {
            const Element &image = ObjImg()(e.target.index);
            pageEvent(e.action, e.Button, e.Shift, e.X + image.Left(), e.Y + image.Top());
        }
        break;
    case PointerTarget::Handle:
        if (e.action == PointerEvent::Down)
            PicHD_MouseDown(e.target.index, e.Button, e.Shift, e.X, e.Y);
        else if (e.action == PointerEvent::Move)
            PicHD_MouseMove(e.target.index, e.Button, e.Shift, e.X, e.Y);
        else if (e.action == PointerEvent::Up)
            PicHD_MouseUp(e.target.index, e.Button, e.Shift, e.X, e.Y);
        break;
    case PointerTarget::FixHandle:
        if (e.action == PointerEvent::Down)
            PicFixHd_MouseDown(e.target.index, e.Button, e.Shift, e.X, e.Y);
        else if (e.action == PointerEvent::Move)
            PicFixHd_MouseMove(e.target.index, e.Button, e.Shift, e.X, e.Y);
        else if (e.action == PointerEvent::Up)
            PicFixHd_MouseUp(e.target.index, e.Button, e.Shift, e.X, e.Y);
        break;
    case PointerTarget::Window:
        if (e.action == PointerEvent::Move)
            Form_MouseMove(e.Button, e.Shift, e.X, e.Y);
        else if (e.action == PointerEvent::Up)
            Form_MouseUp(e.Button, e.Shift, e.X, e.Y);
        break;
    case PointerTarget::None:
        break;
    }
}

// The screen's pointer wins; otherwise the element's own, or the page's
// over the page.
void mFrm_Bill::updateCursor(const PointerTarget &target)
{
    int pointer = 0;
    switch (target.kind) {
    case PointerTarget::Page:
        pointer = PicPage().MousePointer();
        break;
    case PointerTarget::Text:
    case PointerTarget::Image:
    case PointerTarget::Handle: {
        const ElementArray &array = target.kind == PointerTarget::Text    ? ObjText()
                                    : target.kind == PointerTarget::Image ? ObjImg()
                                                                          : PicHD();
        if (const Element *e = array.find(target.index))
            pointer = e->MousePointer();
        break;
    }
    case PointerTarget::FixHandle:
        pointer = PicFixHd(target.index).MousePointer();
        break;
    case PointerTarget::Window:
    case PointerTarget::None:
        break;
    }
    setCursor(cursorShapeForPointer(pointer));
}

void mFrm_Bill::pageEvent(int action, int Button, int Shift, double X, double Y)
{
    switch (action) {
    case PointerEvent::Down:
        PicPage_MouseDown(Button, Shift, X, Y);
        break;
    case PointerEvent::Move:
        PicPage_MouseMove(Button, Shift, X, Y);
        break;
    case PointerEvent::Up:
        PicPage_MouseUp(Button, Shift, X, Y);
        break;
    default:
        break;
    }
}

void mFrm_Bill::PicPage_MouseDown(int Button, int Shift, double X, double Y)
{
    if (Button == 2) {
        UpdateMenu(true);
        return;
    }
    if (Button != 1)
        return;
    Platform::pointer().ClipCursor(pageScreenRect());
    m_drawObj = std::make_shared<ObjDraw>(&PicPage());
    mDrawObj().setEType(gDrawMode());
    if (mObjs().nActCount() > 1 && gDrawMode() == 0) {
        if (mObjs().StartMoveMore(X, Y, m_curObj)) {
            mMoveMore = true;
            return;
        }
    }
    if (gDrawMode() == 0 && mObjs().ChkPoint(X, Y, m_curObj)) {
        if (!mCurObj().Locked())
            mCurObj().OnStartDrag(X, Y);
        return;
    }
    mObjs().setNActCount(0);
    mLastX = Units::toInt32(X);
    mLastY = Units::toInt32(Y);
    mDrawObj().setNID(mObjs().Count() + 1);
    mDrawObj().setIsActive(false);
    mDrawObj().OnStartDraw(Button, Shift, X, Y);
}

void mFrm_Bill::PicPage_MouseMove(int Button, int Shift, double X, double Y)
{
    PicPage().setMousePointer(gDrawMode() > 0 ? 2 : 0);
    if (!leftHeld(Button))
        return;
    // The tool of the press decides the whole gesture: the menu shortcuts
    // change gDrawMode while the button is held.
    const int tool = mDrawObj().eType();
    if (mDrawObj().IsDrawing())
        mDrawObj().OnDrawing(Button, Shift, X, Y);
    const bool single = mObjs().nActCount() == 1 && tool == 0;
    if (single && mCurObj().IsDraging() && !mCurObj().Locked())
        mCurObj().OnDraging(X, Y, true, PicPage().Width(), PicPage().Height());
    if (tool == 0 && mMoveMore)
        mObjs().MovingMore(X, Y, true, PicPage().Width(), PicPage().Height());
    else if (single && mCurObj().IsSizing() && !mCurObj().Locked())
        mCurObj().Handls()->Item(mSizeHdID).OnMouseMove(mCurObj(), Button, Shift, X, Y);
}

void mFrm_Bill::PicPage_MouseUp(int Button, int Shift, double X, double Y)
{
    if (Button == 1)
        Platform::pointer().ReleaseCursor();
    int tool = mDrawObj().eType();
    if (Button == 1 && mDrawObj().IsDrawing()) {
        if (tool == ObjDraw::SelectionBand) {
            mDrawObj().OnEndDraw(Button, Shift, X, Y);
            PicPage().Cls();
            mObjs().ChkRange(mLastX, mLastY, X, Y, m_curObj);
            return;
        }
        endDrawNew(Button, Shift, X, Y);
        tool = 0;
    }
    const bool single = Button == 1 && mObjs().nActCount() == 1 && tool == 0;
    if (single && mCurObj().IsDraging() && !mCurObj().Locked())
        mCurObj().OnEndDrag(X, Y);
    if (Button == 1 && tool == 0 && mMoveMore) {
        mObjs().EndMoveMore(X, Y);
        mMoveMore = false;
        return;
    }
    if (single && mCurObj().IsSizing() && !mCurObj().Locked())
        mCurObj().Handls()->Item(mSizeHdID).OnMouseUp(mCurObj(), Button, Shift, X, Y);
    if (mObjs().nCurID() > 0)
        refreshLockState();
}

// Ends drawing a new object: it joins the collection and becomes current,
// and the tool goes back to selection. A click is not an invisible object:
// a text or picture without width or height gets a default size, and a
// line whose ends meet is dropped.
void mFrm_Bill::endDrawNew(int Button, int Shift, double X, double Y)
{
    ObjDraw &drawn = mDrawObj();
    if (drawn.eType() == ObjDraw::Line && lineEndsMeet(X, Y)) {
        drawn.setIsDrawing(false);
        PicPage().Cls();
    } else {
        if (drawn.eType() == ObjDraw::Text || drawn.eType() == ObjDraw::Picture)
            giveClickSize(drawn);
        drawn.OnEndDraw(Button, Shift, X, Y);
        m_curObj = mObjs().Add(drawn, ObjDraw::KeyOf(drawn.nID()));
        mObjs().setNCurID(drawn.nID());
    }
    m_shell.SelectDrawTool(0);
    m_shell.setButtonValue(QStringLiteral("DrawSel"), 1);
}

bool mFrm_Bill::lineEndsMeet(double X, double Y)
{
    return Units::toInt32(X) == mLastX && Units::toInt32(Y) == mLastY;
}

void mFrm_Bill::giveClickSize(ObjDraw &obj)
{
    Element *element = obj.ObjCtl();
    if (!element)
        return;
    if (element->Visible() && element->Width() > 0 && element->Height() > 0)
        return;
    const QSizeF size = DesignerGeometry::clickSize(obj.eType());
    element->Move(mLastX, mLastY, size.width(), size.height());
    element->setVisible(true);
}

void mFrm_Bill::PicHD_MouseDown(int Index, int Button, int Shift, double X, double Y)
{
    if (Button != 1 || mObjs().nActCount() <= 0)
        return;
    // A handle of a multiple selection reduces it to the handle's object.
    if (mObjs().nActCount() > 1) {
        mObjs().setNActCount(0);
        mObjs().setNCurID(DesignerGeometry::handleOwner(Index));
    }
    if (mObjs().nCurID() <= 0)
        return;
    m_curObj = mObjs().Item(ObjDraw::KeyOf(mObjs().nCurID()));
    // A locked object is not sized.
    if (mCurObj().Locked())
        return;
    Platform::pointer().ClipCursor(pageScreenRect());
    const int k = ObjHd::positionOf(PicHD()(Index));
    mCurObj().Handls()->Item(k).OnMouseDown(mCurObj(), Button, Shift, X, Y);
    mSizeHdID = int16_t(k);
}

void mFrm_Bill::PicHD_MouseMove(int Index, int Button, int Shift, double X, double Y)
{
    if (!leftHeld(Button) || !mCurObj().IsSizing() || mCurObj().Locked())
        return;
    const Element &handle = PicHD()(Index);
    const int k = ObjHd::positionOf(handle);
    mCurObj().Handls()->Item(k).OnMouseMove(mCurObj(), Button, Shift, X + handle.Left(),
                                           Y + handle.Top());
}

void mFrm_Bill::PicHD_MouseUp(int Index, int Button, int Shift, double X, double Y)
{
    if (Button != 1)
        return;
    Platform::pointer().ReleaseCursor();
    if (!mCurObj().IsSizing() || mCurObj().Locked())
        return;
    const int k = ObjHd::positionOf(PicHD()(Index));
    mCurObj().Handls()->Item(k).OnMouseUp(mCurObj(), Button, Shift, X, Y);
}

void mFrm_Bill::PicFixHd_MouseDown(int Index, int Button, int, double X, double Y)
{
    if (Button != 1)
        return;
    mFixHdIndex = int16_t(Index);
    mLastX = Units::toInt32(PicFixHd(Index).Left() + X);
    mLastY = Units::toInt32(PicFixHd(Index).Top() + Y);
    mSizingPage = true;
    for (int i = 1; i <= 3; ++i)
        PicFixHd(i).hide();
    mFrm_Bill *active = m_shell.gActiveBill();
    Platform::pointer().ClipCursor(screenRect(*(active ? active : this)->frameWidget()));
}

void mFrm_Bill::PicFixHd_MouseMove(int Index, int Button, int Shift, double X, double Y)
{
    if (mSizingPage)
        Form_MouseMove(Button, Shift, X + PicFixHd(Index).Left(), Y + PicFixHd(Index).Top());
}

void mFrm_Bill::PicFixHd_MouseUp(int Index, int Button, int Shift, double X, double Y)
{
    if (mSizingPage)
        Form_MouseUp(Button, Shift, X + PicFixHd(Index).Left(), Y + PicFixHd(Index).Top());
}

void mFrm_Bill::Form_MouseMove(int Button, int, double X, double Y)
{
    if (!leftHeld(Button) || !mSizingPage)
        return;
    PageSurface &page = PicPage();
    const QSizeF size = DesignerGeometry::sizedPage(mFixHdIndex, X, Y, mLastX, mLastY,
                                                    page.Width(), page.Height());
    if (mFixHdIndex == 1 || mFixHdIndex == 3)
        page.setWidth(size.width());
    if (mFixHdIndex == 2 || mFixHdIndex == 3)
        page.setHeight(size.height());
    mLastX = Units::toInt32(X);
    mLastY = Units::toInt32(Y);
}

void mFrm_Bill::Form_MouseUp(int Button, int, double, double)
{
    if (Button != 1 || !mSizingPage)
        return;
    mSizingPage = false;
    MoveFixHd();
    for (int i = 1; i <= 3; ++i)
        PicFixHd(i).show();
    Platform::pointer().ReleaseCursor();
}

void mFrm_Bill::keyPressEvent(QKeyEvent *event)
{
    Form_KeyDown(event->key(), PointerRouter::shiftCode(event->modifiers()));
    QWidget::keyPressEvent(event);
}

// Ctrl alone brings the context-menu states up to date before the main
// window's Ctrl shortcuts look at them.
void mFrm_Bill::Form_KeyDown(int, int Shift)
{
    if (Shift != 2)
        return;
    try {
        UpdateMenu(false);
    } catch (const RuntimeError &error) {
        reportFailure(error);
    }
}
