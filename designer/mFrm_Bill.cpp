#include "mFrm_Bill.h"

#include "CaptionEditor.h"
#include "DesignerGeometry.h"
#include "DesignerShell.h"
#include "FixHandle.h"
#include "PageSizer.h"
#include "PageView.h"
#include "Ruler.h"
#include "ScrollBar.h"
#include "ShellNames.h"
#include "WorkspaceFrame.h"

#include "model/HandlePictures.h"
#include "model/ObjDraw.h"

#include "print/ReportedSlot.h"

#include "platform/Dialogs.h"
#include "platform/PageSurface.h"
#include "platform/Platform.h"
#include "platform/PointerConfinement.h"
#include "platform/PointerShape.h"
#include "platform/RuntimeError.h"
#include "platform/ScaleConversion.h"
#include "platform/Units.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPalette>

#include <algorithm>

mFrm_Bill::mFrm_Bill(DesignerShell &shell, QWidget *parent)
    : QWidget(parent)
    , m_shell(shell)
    , m_bill(std::make_unique<BillTemplate>())
    , m_router(*this)
{
    setFocusPolicy(Qt::ClickFocus);
    setMouseTracking(true);
    setAutoFillBackground(true);
    QPalette look = palette();
    look.setColor(QPalette::Window, QColor(160, 160, 160));
    setPalette(look);
    // The page's view is the screen's at 100 %, its pixels at most those of
    // the least zoom.
    PicPage().setViewTwipsPerPixel(m_mapping.pageTwipsPerPixelX(), m_mapping.pageTwipsPerPixelY());
    PicPage().setWidestViewTwipsPerPixel(m_mapping.twipsPerPixelX() / ViewMapping::MinZoom);
    createElements();
    placeRulers();
    InitHandles();
}

mFrm_Bill::~mFrm_Bill()
{
    Form_Unload();
    if (m_shell.gActiveBill() == this)
        m_shell.setGActiveBill(nullptr);

    // The page view watches the page of the record, which goes first.
    delete m_pageView;
    m_pageView = nullptr;
}

// The page area takes the pointer for the page and its handles (which only
// paint); its events reach the window through the event filter.
void mFrm_Bill::createElements()
{
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("PageArea"));
    m_client->setMouseTracking(true);
    m_client->installEventFilter(this);
    m_hRuler = new Ruler(Qt::Horizontal, this);
    m_vRuler = new Ruler(Qt::Vertical, this);

    // The page shows where the bars leave room: painting it then never
    // paints the bars again.
    m_viewport = new QWidget(m_client);
    m_viewport->setObjectName(QStringLiteral("PageViewport"));
    m_viewport->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_pageView = new PageView(PicPage(), m_mapping, m_viewport);
    connect(m_pageView, &PageView::pageResized, this,
            reportedSlot(this, &mFrm_Bill::PicPage_Resize));
    m_pageView->onPageChange([this] { showReadout(); });
    m_captionEditor =
        std::make_unique<CaptionEditor>(PicPage(), *this, *m_client, *m_pageView, m_mapping);
    m_captionEditor->onEdited([this] { captionEdited(); });
    m_captionEditor->onFinished([this] { captionEditFinished(); });
    m_pageSizer = std::make_unique<PageSizer>(PicPage(), *m_client, m_mapping);

    m_hs = new ScrollBar(Qt::Horizontal, m_mapping, m_client);
    m_vs = new ScrollBar(Qt::Vertical, m_mapping, m_client);
    connect(m_hs, &QScrollBar::valueChanged, this, reportedSlot(this, &mFrm_Bill::HS_Change));
    connect(m_vs, &QScrollBar::valueChanged, this, reportedSlot(this, &mFrm_Bill::VS_Change));
    // The user scrolling moves the page away from a gesture under way.
    for (ScrollBar *bar : {m_hs, m_vs})
        connect(bar, &QScrollBar::actionTriggered, this,
                reportedSlot(this, &mFrm_Bill::endGesture));

}

void mFrm_Bill::setCaption(const QString &v)
{
    m_bill->Caption = v;
    setWindowTitle(v);
}

PageSurface &mFrm_Bill::PicPage()
{
    return m_bill->mObjs.page();
}

ElementArray &mFrm_Bill::ObjLine()
{
    return PicPage().ObjLine();
}

ElementArray &mFrm_Bill::ObjText()
{
    return PicPage().ObjText();
}

ElementArray &mFrm_Bill::ObjImg()
{
    return PicPage().ObjImg();
}

ElementArray &mFrm_Bill::PicHD()
{
    return PicPage().PicHD();
}

const QImage &mFrm_Bill::ImgAct()
{
    return HandlePictures::ImgAct();
}

const QImage &mFrm_Bill::ImgCur()
{
    return HandlePictures::ImgCur();
}

const QImage &mFrm_Bill::ImgLock()
{
    return HandlePictures::ImgLock();
}

const QImage &mFrm_Bill::ImgCurLock()
{
    return HandlePictures::ImgCurLock();
}

FixHandle &mFrm_Bill::PicFixHd(int index) const
{
    return m_pageSizer->handle(index);
}

QLineEdit &mFrm_Bill::TxtLab() const
{
    return m_captionEditor->TxtLab();
}

double mFrm_Bill::ScaleX(double width, int fromScale, int toScale) const
{
    return ScaleConversion::convert(width, fromScale, toScale, true);
}

double mFrm_Bill::ScaleY(double height, int fromScale, int toScale) const
{
    return ScaleConversion::convert(height, fromScale, toScale, false);
}

QWidget *mFrm_Bill::frameWidget() const
{
    if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget()))
        return frame;
    return const_cast<mFrm_Bill *>(this);
}

// The outer size is the client size plus what the workspace frame adds in
// its normal state, in every state: a maximized frame drops its caption
// and border, and the layout would otherwise leave the scroll bars
// floating inside the window.
double mFrm_Bill::Width() const
{
    return (m_client->width() + frameAllowance().width()) * m_mapping.twipsPerPixelX();
}

double mFrm_Bill::Height() const
{
    return (m_client->height() + frameAllowance().height()) * m_mapping.twipsPerPixelY();
}

QSize mFrm_Bill::frameAllowance() const
{
    if (isWindow())
        return frameGeometry().size() - size();
    const auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget());
    if (!frame)
        return QSize(0, 0);
    if (m_frameAllowance)
        return *m_frameAllowance;
    // Not yet seen in its normal state.
    return WorkspaceFrame::normalAllowance(*frame);
}

void mFrm_Bill::rememberFrameAllowance()
{
    const auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget());
    if (!frame || isWindow())
        return;
    const Qt::WindowStates other =
        Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen;
    if (frame->windowState() & other)
        return;
    // Between states the workspace briefly shows a framed window without
    // its frame.
    const QMargins m = frame->contentsMargins();
    if (m.isNull() && !(frame->windowFlags() & Qt::FramelessWindowHint))
        return;
    m_frameAllowance = QSize(m.left() + m.right(), m.top() + m.bottom());
}

QRect mFrm_Bill::screenRect(const QWidget &widget) const
{
    if (widget.isWindow())
        return widget.frameGeometry();
    return QRect(widget.mapToGlobal(QPoint(0, 0)), widget.size());
}

QRect mFrm_Bill::pageScreenRect() const
{
    return screenRect(*m_pageView);
}

// Handles are 5 x 5 pixels; the page-size handles sit just off the page.
void mFrm_Bill::InitHandles()
{
    const int hx = Units::toInt16(m_mapping.twipsPerPixelX() * 5);
    const int hy = Units::toInt16(m_mapping.twipsPerPixelY() * 5);
    PicHD().designElement().setHeight(hy);
    PicHD().designElement().setWidth(hx);
    m_pageSizer->loadHandles(hx, hy);
    HS().ZOrder();
    VS().ZOrder();
    PicFixHd(FixHandle::RightEdge).setMousePointer(PointerShape::SizeWE);
    PicFixHd(FixHandle::BottomEdge).setMousePointer(PointerShape::SizeNS);
    PicFixHd(FixHandle::Corner).setMousePointer(PointerShape::SizeNWSE);
    MoveFixHd();
}

void mFrm_Bill::MoveFixHd()
{
    m_pageSizer->placeHandles();
}


void mFrm_Bill::endGesture()
{
    watchForLostRelease(false);
    if (!m_router.inGesture())
        return;
    m_router.endGesture();
    endGestureStep();
}


// A gesture ends before the window changes under it: the confinement taken
// at the press would no longer match the page.
void mFrm_Bill::resizeEvent(QResizeEvent *event)
{
    endGesture();
    QWidget::resizeEvent(event);
    rememberFrameAllowance();
    placeRulers();
    Form_Resize();
}

void mFrm_Bill::UpdateMenu(bool bPopup)
{
    const int n = mObjs().nActCount();
    m_shell.setMenuEnabled(MenuItem::Align, n > 1);
    m_shell.setMenuEnabled(MenuItem::SameSize, n > 1);
    m_shell.setMenuEnabled(MenuItem::Delete, n > 0);
    m_shell.setMenuEnabled(MenuItem::Lock, n > 0);
    m_shell.setMenuEnabled(MenuItem::Clone, n > 0);
    if (mObjs().nCurID() > 0)
        m_shell.setMenuChecked(MenuItem::Lock, objectByID(mObjs().nCurID()).Locked());
    m_shell.setMenuEnabled(MenuItem::ObjProp, n == 1);
    if (bPopup)
        m_shell.PopupRightMenu(m_lastGlobalPos);
}

// The Edit menu's lock check and the "Locked" button follow the current
// object.
// An auto-size label takes its caption's size as it is typed; its handles
// go with it at once.
void mFrm_Bill::captionEdited()
{
    if (ObjDraw *obj = mObjs().findByID(m_captionEditor->editIndex()))
        obj->MoveHd();
}

bool mFrm_Bill::CurrentLocked() const
{
    const ObjDraws &objects = m_bill->mObjs;
    const ObjDraw *current = objects.findByID(objects.nCurID());
    return current && current->Locked();
}

void mFrm_Bill::refreshLockState()
{
    const bool locked = CurrentLocked();
    m_shell.setMenuChecked(MenuItem::EditLock, locked);
    m_shell.setButtonValue(ToolbarKey::Locked,
                           locked ? DesignerShell::Pressed : DesignerShell::Released);
}

// A closed window that is activated on its way out (the workspace passes
// activation around while frames close) is never the active designer again.
void mFrm_Bill::Form_Activate()
{
    if (!m_unloaded)
        m_shell.setGActiveBill(this);
}

void mFrm_Bill::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    watchWorkspaceFrame();
}

// Inside the workspace, activation arrives as a state change of the frame.
void mFrm_Bill::watchWorkspaceFrame()
{
    auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget());
    if (!frame || frame == m_frame)
        return;
    m_frame = frame;
    connect(frame, &QMdiSubWindow::windowStateChanged, this,
            reportedSlot([this](Qt::WindowStates before, Qt::WindowStates now) {
                // Minimising, maximising or restoring moves the page away
                // from a gesture under way.
                const Qt::WindowStates shape =
                    Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;
                if ((before & shape) != (now & shape))
                    endGesture();
                if (now.testFlag(Qt::WindowActive) && !before.testFlag(Qt::WindowActive))
                    Form_Activate();
            }));

    if (frame->isActiveWindow() && frame->mdiArea()
        && frame->mdiArea()->activeSubWindow() == frame)
        Form_Activate();
}

void mFrm_Bill::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isWindow() && isActiveWindow())
        Form_Activate();
}

void mFrm_Bill::Unload()
{
    frameWidget()->close();
}

// A hidden window gets no release.
void mFrm_Bill::hideEvent(QHideEvent *event)
{
    endGesture();
    QWidget::hideEvent(event);
}

void mFrm_Bill::closeEvent(QCloseEvent *event)
{
    endGesture();
    if (!Form_QueryUnload()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
    if (event->isAccepted())
        Form_Unload();
}

// Unsaved work is never dropped without a word: Yes saves as 保存 does,
// No discards, Cancel keeps the window.
bool mFrm_Bill::Form_QueryUnload()
{
    if (m_unloaded || !mChanged())
        return true;
    const MsgResult answer = Platform::dialogs().MsgBox(
        QStringLiteral("是否保存对单据“%1”的修改？").arg(Caption()), MsgButtons::YesNoCancel,
        MsgIcon::Exclamation, Caption());
    switch (answer) {
    case MsgResult::Yes:
        return m_shell.SaveBill(*this);
    case MsgResult::No:
        return true;
    default:
        return false;
    }
}

// The workspace may activate the next designer before this one unloads,
// so the active designer is cleared only while it is still this window.
void mFrm_Bill::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    watchForLostRelease(false);
    Platform::pointer().ReleaseCursor();

    m_drawObj.reset();
    m_curObj.reset();
    if (m_shell.gActiveBill() == this)
        m_shell.setGActiveBill(nullptr);
}

ObjDraw &mFrm_Bill::mCurObj()
{
    if (!m_curObj)
        m_curObj = std::make_shared<ObjDraw>(&PicPage());
    return *m_curObj;
}

ObjDraw &mFrm_Bill::mDrawObj()
{
    if (!m_drawObj)
        m_drawObj = std::make_shared<ObjDraw>(&PicPage());
    return *m_drawObj;
}

ObjDraw &mFrm_Bill::objectByID(int nID)
{
    return *mObjs().Item(ObjDraw::KeyOf(nID));
}

int mFrm_Bill::gDrawMode() const
{
    return m_shell.gDrawMode();
}
