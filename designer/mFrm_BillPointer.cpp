// Pointer routing of the designer window, with the grid's snapping.

#include "mFrm_Bill.h"

#include "DesignerGeometry.h"
#include "DesignerShell.h"
#include "DrawTool.h"
#include "FixHandle.h"
#include "GridSteps.h"
#include "PageSizer.h"
#include "PageView.h"
#include "ShellNames.h"


#include "model/MouseButton.h"
#include "model/ObjDraw.h"
#include "model/ObjHds.h"
#include "model/ShiftState.h"

#include "print/ShowErrMsg.h"

#include "platform/PageSurface.h"
#include "platform/Platform.h"
#include "platform/PointerConfinement.h"
#include "platform/PointerShape.h"
#include "platform/RuntimeError.h"
#include "platform/Units.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWheelEvent>

#include <algorithm>
#include <optional>

// The platform brings a confined pointer back only after a move has
// arrived outside, so the designer clamps what it receives itself: a fast
// draw past the page edge ends at the edge. Events arrive on the window
// (over the rulers) or on its page area; either way they are routed in the
// page area's pixels.
QMouseEvent mFrm_Bill::routed(const QMouseEvent &event) const
{
    const QPointF inside = confinedGlobal(event.globalPosition());
    const QPointF area = m_client->mapFromGlobal(inside);
    return QMouseEvent(event.type(), area, area, inside, event.button(), event.buttons(),
                       event.modifiers(), event.pointingDevice());
}

void mFrm_Bill::mousePressEvent(QMouseEvent *event)
{
    m_lastGlobalPos = event->globalPosition().toPoint();
    beginGestureStep();
    m_router.press(routed(*event));
    nameGestureStep();
    watchForLostRelease(m_router.inGesture());
    endGestureStep();
}

// While a gesture is under way, a release that this window does not
// receive (another window of the program, a pop-up or a grab took it) still
// ends the gesture, once the event has gone wherever it went.
void mFrm_Bill::watchForLostRelease(bool watch)
{
    if (watch == m_watchingReleases || !QCoreApplication::instance())
        return;
    m_watchingReleases = watch;
    if (watch)
        QCoreApplication::instance()->installEventFilter(this);
    else
        QCoreApplication::instance()->removeEventFilter(this);
}

bool mFrm_Bill::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_client) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            mousePressEvent(static_cast<QMouseEvent *>(event));
            return true;
        case QEvent::MouseMove:
            mouseMoveEvent(static_cast<QMouseEvent *>(event));
            return true;
        case QEvent::MouseButtonRelease:
            mouseReleaseEvent(static_cast<QMouseEvent *>(event));
            return true;
        case QEvent::MouseButtonDblClick:
            mouseDoubleClickEvent(static_cast<QMouseEvent *>(event));
            return true;
        case QEvent::Wheel:
            wheelEvent(static_cast<QWheelEvent *>(event));
            return true;
        case QEvent::Leave:
            leaveEvent(event);
            break;
        default:
            break;
        }
    }
    if (event->type() == QEvent::MouseButtonRelease && m_router.inGesture()
        && static_cast<QMouseEvent *>(event)->buttons() == Qt::NoButton) {
        const quint64 gesture = m_router.gestureNumber();
        QMetaObject::invokeMethod(
            this,
            [this, gesture] {
                if (m_router.inGesture() && m_router.gestureNumber() == gesture)
                    endGesture();
            },
            Qt::QueuedConnection);
    }
    return QWidget::eventFilter(watched, event);
}

void mFrm_Bill::mouseMoveEvent(QMouseEvent *event)
{
    m_lastGlobalPos = event->globalPosition().toPoint();
    const bool wasInGesture = m_router.inGesture();
    const QMouseEvent inArea = routed(*event);
    m_router.move(inArea);
    notePointer(inArea.position());
    // A move with no button held ends a gesture whose release went astray.
    if (wasInGesture && !m_router.inGesture())
        endGestureStep();
}

void mFrm_Bill::mouseReleaseEvent(QMouseEvent *event)
{
    m_lastGlobalPos = event->globalPosition().toPoint();
    m_router.release(routed(*event));
    watchForLostRelease(m_router.inGesture());
    endGestureStep();
}


void mFrm_Bill::mouseDoubleClickEvent(QMouseEvent *event)
{
    m_lastGlobalPos = event->globalPosition().toPoint();
    m_router.doubleClick(routed(*event));
}

QPointF mFrm_Bill::confinedGlobal(const QPointF &global)
{
    const std::optional<QRect> clip = Platform::pointer().clipRect();
    if (!clip)
        return global;
    return QPointF(std::clamp(global.x(), double(clip->left()), double(clip->right())),
                   std::clamp(global.y(), double(clip->top()), double(clip->bottom())));
}

QPointF mFrm_Bill::confine(const QPointF &windowPixels) const
{
    const QPointF global = QPointF(m_client->mapToGlobal(QPoint(0, 0))) + windowPixels;
    return windowPixels + (confinedGlobal(global) - global);
}

PointerTarget mFrm_Bill::targetAt(const QPointF &windowPixels) const

{
    if (const int fixHandle = m_pageSizer->handleAt(windowPixels.toPoint()))
        return {PointerTarget::FixHandle, fixHandle};
    // The bars cover the page only where it does not show.
    if (!(m_pageView->geometry() & shownArea()).contains(windowPixels.toPoint()))
        return {PointerTarget::Window, 0};
    const QPointF page = m_mapping.pageToTwips(windowPixels - QPointF(m_pageView->pos()));
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
    const QPointF window = m_mapping.windowToTwips(windowPixels);
    const QPointF page = m_mapping.pageToTwips(windowPixels - QPointF(m_pageView->pos()));
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

// A failure ends the gesture it falls in like any other interruption; the
// release that ending delivers may fail the same way, and is not reported
// twice. Whatever the failure stopped half-way is then settled.
void mFrm_Bill::reportFailure(const RuntimeError &error)
{
    if (m_reportingFailure)
        return;
    m_reportingFailure = true;
    endGesture();
    settleAfterFailure();
    Platform::pointer().ReleaseCursor();
    m_reportingFailure = false;
    if (error.Number() == RuntimeError::ObjectLimitReached)
        ShowErrMsg(QStringLiteral("对象数量已超出上限！"));
    else
        ShowErrMsg(QString(), &error);
}

void mFrm_Bill::settleAfterFailure()
{
    if (m_drawObj && m_drawObj->IsDrawing()) {
        // A new object not yet in the collection is dropped.
        Element *drawn = m_drawObj->ObjCtl();
        if (drawn && !mObjs().findByID(drawn->Index()))
            drawn->setVisible(false);
        m_drawObj->abandonGesture();
    }
    mMoveMore = false;
    PicPage().Cls();
    mObjs().settleAfterFailure();
    refreshLockState();
}

void mFrm_Bill::dispatch(const PointerEvent &e)
{
    switch (e.target.kind) {
    case PointerTarget::Page:
        pageEventSnapped(e.action, e.Button, e.Shift, e.X, e.Y);
        break;
    case PointerTarget::Text:
        if (e.action == PointerEvent::DblClick) {
            ObjText_DblClick(e.target.index);
        } else {
            const Element &label = ObjText()(e.target.index);
            pageEventSnapped(e.action, e.Button, e.Shift, e.X + label.Left(), e.Y + label.Top());
        }
        break;
    case PointerTarget::Image:
        if (e.action == PointerEvent::DblClick) {
            ObjImg_DblClick(e.target.index);
        } else {
            const Element &image = ObjImg()(e.target.index);
            pageEventSnapped(e.action, e.Button, e.Shift, e.X + image.Left(), e.Y + image.Top());
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
    int pointer = PointerShape::Default;
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
    m_client->setCursor(PointerShape::cursorFor(pointer));
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
    if (Button == MouseButton::Right) {
        UpdateMenu(true);
        return;
    }
    if (Button != MouseButton::Left)
        return;
    Platform::pointer().ClipCursor(pageScreenRect());
    // A press that joins another button's gesture can come from off the
    // page; the gesture starts where the confinement puts the pointer.
    X = std::clamp(X, 0.0, PicPage().Width());
    Y = std::clamp(Y, 0.0, PicPage().Height());
    // The press's object is of the kind the tool draws: a band for selection.
    static_assert(int(DrawTool::Select) == int(ObjDraw::SelectionBand)
                  && int(DrawTool::Line) == int(ObjDraw::Line)
                  && int(DrawTool::Text) == int(ObjDraw::Text)
                  && int(DrawTool::Picture) == int(ObjDraw::Picture));
    m_drawObj = std::make_shared<ObjDraw>(&PicPage());
    mDrawObj().setEType(gDrawMode());

    if (mObjs().nActCount() > 1 && gDrawMode() == DrawTool::Select) {
        if (mObjs().StartMoveMore(X, Y, m_curObj)) {
            mMoveMore = true;
            return;
        }
    }
    if (gDrawMode() == DrawTool::Select && mObjs().ChkPoint(X, Y, m_curObj)) {
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
    PicPage().setMousePointer(gDrawMode() != DrawTool::Select ? PointerShape::Cross
                                                              : PointerShape::Default);
    if (!MouseButton::holdsLeft(Button))
        return;
    // The tool of the press decides the whole gesture: the menu shortcuts
    // change gDrawMode while the button is held.
    const int tool = mDrawObj().eType();
    if (mDrawObj().IsDrawing())
        mDrawObj().OnDrawing(Button, Shift, X, Y);
    const bool single = mObjs().nActCount() == 1 && tool == DrawTool::Select;
    if (single && mCurObj().IsDraging() && !mCurObj().Locked())
        mCurObj().OnDraging(X, Y, true, PicPage().Width(), PicPage().Height());
    if (tool == DrawTool::Select && mMoveMore)
        mObjs().MovingMore(X, Y, true, PicPage().Width(), PicPage().Height());
    else if (single && mCurObj().IsSizing() && !mCurObj().Locked())
        mCurObj().Handls()->Item(mSizeHdID).OnMouseMove(mCurObj(), Button, Shift, X, Y);
}

void mFrm_Bill::PicPage_MouseUp(int Button, int Shift, double X, double Y)
{
    const bool left = Button == MouseButton::Left;
    if (left)
        Platform::pointer().ReleaseCursor();
    int tool = mDrawObj().eType();
    if (left && mDrawObj().IsDrawing()) {
        if (tool == DrawTool::Select) {
            mDrawObj().OnEndDraw(Button, Shift, X, Y);
            PicPage().Cls();
            mObjs().ChkRange(mLastX, mLastY, X, Y, m_curObj);
            return;
        }
        endDrawNew(Button, Shift, X, Y);
        tool = DrawTool::Select;
    }
    const bool single = left && mObjs().nActCount() == 1 && tool == DrawTool::Select;
    if (single && mCurObj().IsDraging() && !mCurObj().Locked())
        mCurObj().OnEndDrag(X, Y);
    if (left && tool == DrawTool::Select && mMoveMore) {
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
    m_shell.SelectDrawTool(DrawTool::Select);
    m_shell.setButtonValue(ToolbarKey::DrawSel, DesignerShell::Pressed);
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
    const QSizeF page(PicPage().Width(), PicPage().Height());
    const QSizeF size = DesignerGeometry::clickSize(obj.eType()).boundedTo(page);
    const QPointF at = DesignerGeometry::clickPlace(QPointF(mLastX, mLastY), size, page);

    element->Move(at.x(), at.y(), size.width(), size.height());

    element->setVisible(true);
}

void mFrm_Bill::PicHD_MouseDown(int Index, int Button, int Shift, double X, double Y)
{
    if (Button != MouseButton::Left || mObjs().nActCount() <= 0)
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
    if (!MouseButton::holdsLeft(Button) || !mCurObj().IsSizing() || mCurObj().Locked())
        return;
    const Element &handle = PicHD()(Index);
    const int k = ObjHd::positionOf(handle);
    QPointF at(X + handle.Left(), Y + handle.Top());
    if (snaps(Shift))
        at = snappedPoint(at.x(), at.y());
    mCurObj().Handls()->Item(k).OnMouseMove(mCurObj(), Button, Shift, at.x(), at.y());
}

void mFrm_Bill::PicHD_MouseUp(int Index, int Button, int Shift, double X, double Y)
{
    if (Button != MouseButton::Left)
        return;
    Platform::pointer().ReleaseCursor();
    if (!mCurObj().IsSizing() || mCurObj().Locked())
        return;
    const int k = ObjHd::positionOf(PicHD()(Index));
    mCurObj().Handls()->Item(k).OnMouseUp(mCurObj(), Button, Shift, X, Y);
}

// The page is sized from the handle within the active designer's frame; it
// never shrinks past an object, which would then lie off the paper.
void mFrm_Bill::PicFixHd_MouseDown(int Index, int Button, int, double X, double Y)
{
    mFrm_Bill *active = m_shell.gActiveBill();
    m_pageSizer->press(Index, Button, PicFixHd(Index).Left() + X, PicFixHd(Index).Top() + Y,
                       screenRect(*(active ? active : this)->frameWidget()),
                       mObjs().shownExtent());
}


void mFrm_Bill::PicFixHd_MouseMove(int Index, int Button, int Shift, double X, double Y)
{
    if (m_pageSizer->isSizing())
        Form_MouseMove(Button, Shift, X + PicFixHd(Index).Left(), Y + PicFixHd(Index).Top());
}

void mFrm_Bill::PicFixHd_MouseUp(int Index, int Button, int Shift, double X, double Y)
{
    if (m_pageSizer->isSizing())
        Form_MouseUp(Button, Shift, X + PicFixHd(Index).Left(), Y + PicFixHd(Index).Top());
}

void mFrm_Bill::Form_MouseMove(int Button, int, double X, double Y)
{
    m_pageSizer->move(Button, X, Y);
}

void mFrm_Bill::Form_MouseUp(int Button, int, double, double)
{
    m_pageSizer->release(Button);
}

// While there is a grid the pointer snaps to it for what it draws, drags
// and sizes; with Alt it places freely.
bool mFrm_Bill::snaps(int Shift) const
{
    return m_gridMm > 0 && !(Shift & ShiftState::Alt);
}

// The grid point nearest to a page point, on the page.
QPointF mFrm_Bill::snappedPoint(double X, double Y) const
{
    const double step = GridSteps::twipsOf(m_gridMm);
    const PageSurface &page = m_bill->mObjs.page();
    return QPointF(std::clamp(GridSteps::snap(X, step), 0.0, page.Width()),
                   std::clamp(GridSteps::snap(Y, step), 0.0, page.Height()));
}

// A drag puts the dragged object's top-left corner on the grid; the others
// moving with it keep their distance to it.
QPointF mFrm_Bill::snappedDrag(double X, double Y) const
{
    const double step = GridSteps::twipsOf(m_gridMm);
    const QPointF corner = m_dragCorner + QPointF(X, Y) - m_dragPress;
    return QPointF(X + GridSteps::snap(corner.x(), step) - corner.x(),
                   Y + GridSteps::snap(corner.y(), step) - corner.y());
}

void mFrm_Bill::rememberDragStart(double X, double Y)
{
    m_dragPress = QPointF(X, Y);
    const Element *dragged = mCurObj().ObjCtl();
    m_dragCorner = dragged ? dragged->rect().topLeft() : QPointF(X, Y);
}

void mFrm_Bill::pageEventSnapped(int action, int Button, int Shift, double X, double Y)
{
    const bool press = action == PointerEvent::Down;
    const bool drawing = press ? gDrawMode() != DrawTool::Select
                               : mDrawObj().IsDrawing() && mDrawObj().eType() != DrawTool::Select;
    const bool dragging = !press && (mMoveMore || mCurObj().IsDraging());
    QPointF at(X, Y);
    if (snaps(Shift) && Button != MouseButton::Right) {
        if (drawing || (!press && mCurObj().IsSizing()))
            at = snappedPoint(X, Y);
        else if (dragging)
            at = snappedDrag(X, Y);
    }
    pageEvent(action, Button, Shift, at.x(), at.y());
    if (press && Button == MouseButton::Left && (mMoveMore || mCurObj().IsDraging()))
        rememberDragStart(X, Y);
}
