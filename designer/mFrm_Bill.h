#pragma once

#include "PointerRouter.h"
#include "PointerScene.h"
#include "ViewMapping.h"

#include "model/BillTemplate.h"
#include "model/TemplateHistory.h"

#include <QPoint>
#include <QPointer>
#include <QSize>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class BillSource;
class CaptionEditor;
class DesignerShell;
class Element;
class ElementArray;
class FixHandle;
class ObjDraw;
class PageSizer;
class PageSurface;
class PageView;
class QLineEdit;
class QMdiSubWindow;
class QMouseEvent;
class Ruler;
class RuntimeError;
class ScrollBar;

// The window of one open template: shows its page at its zoom between
// rulers in millimetres, scrolls it, routes pointer and key input to the
// object model and runs the designer commands the main window sends to the
// active designer. It owns the template record and exposes it under the
// record's names. Sizing the page with the page-size handles is its
// PageSizer's job, editing a caption in place its CaptionEditor's; the
// window keeps their handler names as forwards.
//
// The window's twips are the screen's (window pixels times its twips per
// pixel); the page's are shown at the zoom. Every conversion between the two
// and pixels goes through the window's ViewMapping.
class mFrm_Bill : public QWidget, private PointerScene
{
    Q_OBJECT

public:
    explicit mFrm_Bill(DesignerShell &shell, QWidget *parent = nullptr);
    ~mFrm_Bill() override;

    // The template record.
    BillTemplate &record() { return *m_bill; }
    const BillTemplate &record() const { return *m_bill; }
    // The template name, shown as the window title.
    QString Caption() const { return m_bill->Caption; }
    void setCaption(const QString &v);
    int16_t mScreenID() const { return m_bill->mScreenID; }
    void setMScreenID(int16_t v) { m_bill->mScreenID = v; }
    int16_t mID() const { return m_bill->mID; }
    void setMID(int16_t v) { m_bill->mID = v; }
    bool mIsDefault() const { return m_bill->mIsDefault; }
    void setMIsDefault(bool v) { m_bill->mIsDefault = v; }
    double mRowHeight() const { return m_bill->mRowHeight; }
    void setMRowHeight(double v) { m_bill->mRowHeight = v; }
    int16_t mrowcount() const { return m_bill->mrowcount; }
    void setMrowcount(int16_t v) { m_bill->mrowcount = v; }
    bool mLandScape() const { return m_bill->mLandScape; }
    void setMLandScape(bool v) { m_bill->mLandScape = v; }
    double mColWidth() const { return m_bill->mColWidth; }
    void setMColWidth(double v) { m_bill->mColWidth = v; }
    int16_t mcolcount() const { return m_bill->mcolcount; }
    void setMcolcount(int16_t v) { m_bill->mcolcount = v; }
    bool mBlnColFirst() const { return m_bill->mBlnColFirst; }
    void setMBlnColFirst(bool v) { m_bill->mBlnColFirst = v; }
    ObjDraws &mObjs() { return m_bill->mObjs; }

    // Whether the template changed since it was last saved or loaded: the
    // undo history is away from where it was then (every change the user
    // makes is a step of it), or the window was told so (a template deleted
    // elsewhere is a new one here). Cleared by the one who saves or loads,
    // which marks the history clean. A changed window asks before it closes.
    bool mChanged() const;
    void setMChanged(bool changed);

    // The window's undo history. Undo and redo end a gesture or an edit
    // under way first, as every command does.
    QUndoStack &undoStack() { return m_history.stack(); }
    void undo();
    void redo();
    // Ends the gesture and the in-place edit under way, each a step.
    void finishEdits();
    // Where LoadBill reads stored templates from.
    void setBillSource(BillSource *source) { m_source = source; }

    // Elements. The page's Width and Height are the page size in twips.
    PageSurface &PicPage();
    ElementArray &ObjLine();
    ElementArray &ObjText();
    ElementArray &ObjImg();
    ElementArray &PicHD();
    static const QImage &ImgAct();
    static const QImage &ImgCur();
    static const QImage &ImgLock();
    static const QImage &ImgCurLock();
    // Page-size handles: 0 the template, 1 right edge, 2 bottom edge,
    // 3 corner. Throws RuntimeError for an index not loaded.
    FixHandle &PicFixHd(int index) const;
    QLineEdit &TxtLab() const;
    ScrollBar &HS() const { return *m_hs; }
    ScrollBar &VS() const { return *m_vs; }
    PageView &pageView() const { return *m_pageView; }
    // Where the page, its handles and the bars lie: the window below and
    // right of the rulers. Its coordinates are the window coordinates of the
    // layout and of pointer routing.
    QWidget &pageArea() const { return *m_client; }
    Ruler &horizontalRuler() const { return *m_hRuler; }
    Ruler &verticalRuler() const { return *m_vRuler; }
    const ViewMapping &viewMapping() const { return m_mapping; }

    // The page's zoom (1 is 100 %), kept while the window is open. A change
    // keeps the page point under `anchor` (pixels of the page area) where it
    // is on screen, the middle of what is shown without one; it ends a
    // gesture under way. Held within 25 %..800 %.
    double zoom() const { return m_mapping.zoom(); }
    void setZoom(double zoom, std::optional<QPointF> anchor = std::nullopt);
    // The next zoom step up or down (ZoomSteps).
    void zoomIn(std::optional<QPointF> anchor = std::nullopt);
    void zoomOut(std::optional<QPointF> anchor = std::nullopt);

    // The grid's spacing in millimetres, 0 without one. While there is a
    // grid, drawing, dragging and sizing snap to it unless Alt is held.
    double gridMm() const { return m_gridMm; }
    void setGridMm(double mm);

    // Arrow keys move the selected objects by this much (Shift: ten times).
    static constexpr double NudgeMm = 0.1;
    // What the position readout shows (PositionReadout).
    QString readoutText() const;

    // Scale conversion; the window's own scale is twips (1), millimetres
    // are 6.
    int ScaleMode() const { return 1; }
    double ScaleX(double width, int fromScale, int toScale) const;
    double ScaleY(double height, int fromScale, int toScale) const;

    // The outer size in twips of the window's page area: its size plus the
    // frame's caption and border of the normal state, whatever the state.
    // The rulers lie outside it.
    double Width() const;
    double Height() const;

    // Designer commands.
    void SetAlign(int32_t alignpar);
    void SetSameSize(int32_t sizepar);
    void CloneObj();
    void Delete();
    void Locked();
    // The property dialog for the one selected object.
    void SetObjProp();
    void SelAll();
    void PreView();
    void LoadBill(int16_t tmpID);
    // Where every template read from the store into this window ends: the
    // window shows what is stored, unchanged, and a history of edits
    // starts afresh here.
    void showStoredTemplate();
    // The page setup dialog for this template; a new name becomes the title.
    void ShowPageSetup();

    // The template's underlay beneath the page, shown or hidden in this
    // window only (shown at first).
    void setUnderlayShown(bool shown);
    bool underlayShown() const;
    // Shows the record's underlay as it now is (after a load or page setup).
    void refreshUnderlay();

    // Ends the pointer gesture under way, as its release at the last
    // position would. Every command, and every change of the window, comes
    // after the gesture it interrupts, so no object is left half-dragged or
    // half-sized and the pointer is never left confined.
    void endGesture();
    bool inGesture() const { return m_router.inGesture(); }

    // The current object (read only; the window keeps it up to date).
    const ObjDraw *currentObject() const { return m_curObj.get(); }
    // Whether an object is current and locked: what the lock marks show.
    bool CurrentLocked() const;

signals:
    void zoomChanged(double zoom);
    void readoutChanged(const QString &text);

public:

    // The window becomes the active designer.
    void Form_Activate();
    // Closes the window (and the workspace frame holding it).
    void Unload();

    // The tip the page shows at a point of the window (pixels): why a code
    // cannot be drawn, else the text's own ToolTipText.
    QString toolTipAt(const QPointF &windowPixels) const;

protected:
    bool event(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    // A changed window asks whether to save first; Cancel, or a save that
    // did not happen, keeps it open.
    void closeEvent(QCloseEvent *event) override;
    void hideEvent(QHideEvent *event) override;

    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void leaveEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The event as the page area receives it, clamped to any confinement.
    QMouseEvent routed(const QMouseEvent &event) const;
    static QPointF confinedGlobal(const QPointF &global);
    void watchForLostRelease(bool watch);
    // PointerScene
    PointerTarget targetAt(const QPointF &windowPixels) const override;
    QPointF toTarget(const PointerTarget &target, const QPointF &windowPixels) const override;
    void deliver(const PointerEvent &event) override;
    QPointF confine(const QPointF &windowPixels) const override;

    void dispatch(const PointerEvent &event);
    void reportFailure(const RuntimeError &error);
    void settleAfterFailure();
    void updateCursor(const PointerTarget &target);

    // Window set-up, layout and scrolling.
    void createElements();
    void placeRulers();
    void followPageInRulers();
    void applyViewScale();
    void scrollTo(const QPointF &pagePoint, const QPointF &anchor);
    QPointF shownMiddle() const;
    // The page area's pixels the page shows in: all but the bars shown.
    QRect shownArea() const;
    void InitHandles();
    void MoveFixHd();
    void Form_Resize();
    void layoutHorizontal(int hv);
    void layoutVertical(int vv);
    void HS_Change();
    void VS_Change();
    void PicPage_Resize();
    void UpdateMenu(bool bPopup);
    void refreshLockState();
    void captionEdited();
    bool Form_QueryUnload();
    void Form_Unload();
    // The undo history: a pointer gesture is one step, from its press to
    // its end.
    void beginGestureStep();
    void nameGestureStep();
    void endGestureStep();
    // A command's change between a snapshot and its record.
    // A change that fails half-way is recorded as far as it went.
    void recordStep(TemplateHistory::Scope scope, const QString &text,
                    const std::function<void()> &change, const std::vector<int> &ids = {},
                    int mergeId = -1);
    void captionEditStarted(int index);
    void captionEditFinished();
    // After undo or redo: what the window shows of the record follows it.
    void followHistory();
    void watchWorkspaceFrame();
    QWidget *frameWidget() const;
    QSize frameAllowance() const;
    void rememberFrameAllowance();
    QRect screenRect(const QWidget &widget) const;
    QRect pageScreenRect() const;

    // Pointer routing.
    void pageEvent(int action, int Button, int Shift, double X, double Y);
    void PicPage_MouseDown(int Button, int Shift, double X, double Y);
    void PicPage_MouseMove(int Button, int Shift, double X, double Y);
    void PicPage_MouseUp(int Button, int Shift, double X, double Y);
    void endDrawNew(int Button, int Shift, double X, double Y);
    bool lineEndsMeet(double X, double Y);
    void giveClickSize(ObjDraw &obj);
    void PicHD_MouseDown(int Index, int Button, int Shift, double X, double Y);
    void PicHD_MouseMove(int Index, int Button, int Shift, double X, double Y);
    void PicHD_MouseUp(int Index, int Button, int Shift, double X, double Y);
    void PicFixHd_MouseDown(int Index, int Button, int Shift, double X, double Y);
    void PicFixHd_MouseMove(int Index, int Button, int Shift, double X, double Y);
    void PicFixHd_MouseUp(int Index, int Button, int Shift, double X, double Y);
    void Form_MouseMove(int Button, int Shift, double X, double Y);
    void Form_MouseUp(int Button, int Shift, double X, double Y);
    void Form_KeyDown(int KeyCode, int Shift);
    // Arrow keys: whether the key was one that moves the selection.
    bool nudge(int KeyCode, int Shift);

    // The grid: a page point the pointer gives, snapped for the gesture it
    // is part of.
    bool snaps(int Shift) const;
    QPointF snappedPoint(double X, double Y) const;
    QPointF snappedDrag(double X, double Y) const;
    void rememberDragStart(double X, double Y);
    void pageEventSnapped(int action, int Button, int Shift, double X, double Y);

    // The position readout and the rulers' pointer mark.
    void notePointer(const QPointF &areaPixels);
    void showReadout();

    // In-place caption editing and picture choice.
    void ObjText_DblClick(int Index);
    void ObjImg_DblClick(int Index);

    // The current object and the object of the current press; reading
    // either while empty gives a blank object, never nothing.
    ObjDraw &mCurObj();
    ObjDraw &mDrawObj();
    ObjDraw &objectByID(int nID);
    int gDrawMode() const;

    DesignerShell &m_shell;
    std::unique_ptr<BillTemplate> m_bill;
    PageView *m_pageView = nullptr;
    std::unique_ptr<PageSizer> m_pageSizer;
    std::unique_ptr<CaptionEditor> m_captionEditor;
    ScrollBar *m_hs = nullptr;
    ScrollBar *m_vs = nullptr;
    ViewMapping m_mapping;
    QWidget *m_client = nullptr;
    QWidget *m_viewport = nullptr;
    Ruler *m_hRuler = nullptr;
    Ruler *m_vRuler = nullptr;
    double m_gridMm = 0;
    // Where the pointer is on the page, while it is over it.
    std::optional<QPointF> m_pointerOnPage;
    QString m_readout;
    // Where a drag began (pointer) and the dragged object's corner then,
    // page twips; the grid places the corner.
    QPointF m_dragPress;
    QPointF m_dragCorner;
    // Wheel turns not yet a whole zoom step.
    int m_wheelAngle = 0;
    PointerRouter m_router;
    QPointer<QMdiSubWindow> m_frame;
    QPoint m_lastGlobalPos;
    std::optional<QSize> m_frameAllowance;
    bool m_unloaded = false;
    bool m_watchingReleases = false;
    bool m_reportingFailure = false;
    BillSource *m_source = nullptr;
    bool m_toldChanged = false;
    TemplateHistory m_history{*m_bill};
    std::optional<TemplateHistory::Snapshot> m_gestureBefore;
    QString m_gestureText;
    std::optional<TemplateHistory::Snapshot> m_captionBefore;
    // The underlay the page view shows, so an unchanged one is not decoded
    // again.
    FormUnderlay m_shownUnderlay;

    std::shared_ptr<ObjDraw> m_curObj;
    std::shared_ptr<ObjDraw> m_drawObj;
    bool mMoveMore = false;
    // The band's anchor, or where a new object's drawing began, in page twips.
    int32_t mLastX = 0;
    int32_t mLastY = 0;
    int16_t mSizeHdID = 0;

};
