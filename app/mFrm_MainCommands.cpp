// The command table: what every menu item, context-menu item and toolbar
// button of the main window runs. The items of one command share one
// handler, so they behave alike.

#include "mFrm_Main.h"

#include "designer/DrawTool.h"
#include "designer/ShellNames.h"

#include "model/ObjDraws.h"

#include "print/ReportedSlot.h"

#include <QAction>
#include <QUndoStack>

#include <functional>
#include <vector>

namespace {

struct Route
{
    const char *menuItem;
    // The context menu's item of the same command, if any.
    const char *contextItem;
    const char *toolbarKey;
    std::function<void(mFrm_Main &)> run;
};

// A designer command goes to the active designer window and does nothing
// while there is none.
template<typename Command>
std::function<void(mFrm_Main &)> designer(Command command)
{
    return [command](mFrm_Main &main) {
        if (mFrm_Bill *bill = main.gActiveBill())
            command(*bill);
    };
}

std::function<void(mFrm_Main &)> align(ObjDraws::AlignCode code)
{
    return designer([code](mFrm_Bill &bill) { bill.SetAlign(code); });
}

std::function<void(mFrm_Main &)> sameSize(ObjDraws::SizeCode code)
{
    return designer([code](mFrm_Bill &bill) { bill.SetSameSize(code); });
}

const std::vector<Route> &routes()
{
    using namespace MenuItem;
    namespace Key = ToolbarKey;
    static const std::vector<Route> table = {
        {FileNew, nullptr, Key::New, [](mFrm_Main &w) { w.OpenBill(true); }},
        {FileOpen, nullptr, Key::Open, [](mFrm_Main &w) { w.OpenBill(false); }},
        {FileClose, nullptr, nullptr, [](mFrm_Main &w) { w.CloseActive(); }},
        {FileSave, nullptr, Key::Save, [](mFrm_Main &w) { w.SaveActive(false); }},
        {FileSaveAs, nullptr, Key::SaveAs, [](mFrm_Main &w) { w.SaveActive(true); }},
        {FileExport, nullptr, nullptr, [](mFrm_Main &w) { w.ExportActive(); }},
        {FileImport, nullptr, nullptr, [](mFrm_Main &w) { w.ImportTemplate(); }},
        {FilePageSetup, nullptr, Key::PageSetup, [](mFrm_Main &w) { w.PageSetupActive(); }},
        {FilePreView, nullptr, Key::View, [](mFrm_Main &w) { w.PreviewActive(); }},
        {FileExit, nullptr, Key::Exit, [](mFrm_Main &w) { w.ExitApp(); }},
        // Flipped by Qt on every trigger too; they end showing the active
        // window's choice.
        {ViewUnderlay, nullptr, Key::Underlay,
         [](mFrm_Main &w) {
             if (mFrm_Bill *bill = w.gActiveBill())
                 bill->setUnderlayShown(!bill->underlayShown());
             w.showUnderlayState();
         }},
        {EditUndo, nullptr, Key::Undo, designer([](mFrm_Bill &b) { b.undo(); })},
        {EditRedo, nullptr, Key::Redo, designer([](mFrm_Bill &b) { b.redo(); })},
        {EditDel, Delete, Key::Delete, designer([](mFrm_Bill &b) { b.Delete(); })},
        // Qt flips the check of these actions on every trigger; they end
        // showing the current object's lock, designer or none.
        {EditLock, Lock, Key::Locked,
         [](mFrm_Main &w) {
             if (mFrm_Bill *bill = w.gActiveBill())
                 bill->Locked();
             w.showLockState();
         }},
        {EditClone, Clone, Key::Clone, designer([](mFrm_Bill &b) { b.CloneObj(); })},
        {EditSelAll, SelAll, Key::SelAll, designer([](mFrm_Bill &b) { b.SelAll(); })},
        {EditProp, ObjProp, Key::Prop, designer([](mFrm_Bill &b) { b.SetObjProp(); })},
        {FormatLeft, AlignLeft, Key::Left, align(ObjDraws::AlignLeft)},
        {FormatHCenter, AlignHCenter, Key::HCenter, align(ObjDraws::AlignHCenter)},
        {FormatRight, AlignRight, Key::Right, align(ObjDraws::AlignRight)},
        {FormatTop, AlignTop, Key::Top, align(ObjDraws::AlignTop)},
        {FormatVCenter, AlignVCenter, Key::VCenter, align(ObjDraws::AlignVCenter)},
        {FormatBottom, AlignBottom, Key::Bottom, align(ObjDraws::AlignBottom)},
        {FormatWidth, SameWidth, Key::Width, sameSize(ObjDraws::SameWidth)},
        {FormatHeight, SameHeight, Key::Height, sameSize(ObjDraws::SameHeight)},
        {FormatSize, SameAll, Key::SizeAll, sameSize(ObjDraws::SameWidthAndHeight)},
        {ViewZoomIn, nullptr, Key::ZoomIn, designer([](mFrm_Bill &b) { b.zoomIn(); })},
        {ViewZoomOut, nullptr, Key::ZoomOut, designer([](mFrm_Bill &b) { b.zoomOut(); })},
        {ViewZoomActual, nullptr, nullptr, designer([](mFrm_Bill &b) { b.setZoom(1); })},
        // Qt flips the check of the grid's items on every trigger; they end
        // showing the grid as chosen.
        {ViewGrid, nullptr, Key::Grid, [](mFrm_Main &w) { w.setGridShown(!w.grid().shown); }},
        {ViewGrid1, nullptr, nullptr, [](mFrm_Main &w) { w.setGridSpacing(1); }},
        {ViewGrid2, nullptr, nullptr, [](mFrm_Main &w) { w.setGridSpacing(2); }},
        {ViewGrid5, nullptr, nullptr, [](mFrm_Main &w) { w.setGridSpacing(5); }},
        {ViewGrid10, nullptr, nullptr, [](mFrm_Main &w) { w.setGridSpacing(10); }},
    };
    return table;
}

} // namespace

void mFrm_Main::connectRoutedCommands()
{
    for (const Route &route : routes()) {
        const auto run = reportedSlot([this, &route] { route.run(*this); });
        connect(action(route.menuItem), &QAction::triggered, this, run);
        if (route.contextItem)
            connect(action(route.contextItem), &QAction::triggered, this, run);
    }
}

void mFrm_Main::TlbMain_ButtonClick(const QString &key)
{
    for (const Route &route : routes()) {
        if (route.toolbarKey && key == QLatin1String(route.toolbarKey)) {
            route.run(*this);
            return;
        }
    }
    for (int tool = 0; tool < DrawTool::Count; ++tool) {
        if (key == QLatin1String(ToolbarKey::ForTool[tool])) {
            mun_ObjDraw_Click(tool);
            return;
        }
    }
}

void mFrm_Main::CloseActive()
{
    if (mFrm_Bill *bill = gActiveBill())
        bill->Unload();
}

void mFrm_Main::PageSetupActive()
{
    if (mFrm_Bill *bill = gActiveBill())
        bill->ShowPageSetup();
}

void mFrm_Main::PreviewActive()
{
    if (mFrm_Bill *bill = gActiveBill())
        bill->PreView();
}

namespace {

// "撤销(&Z)", or with what it would undo: "撤销 移动(&Z)".
QString historyCaption(const QString &verb, const QString &step, const QString &mnemonic)
{
    const QString what = step.isEmpty() ? verb : verb + QLatin1Char(' ') + step;
    return QStringLiteral("%1(&%2)").arg(what, mnemonic);
}

} // namespace

void mFrm_Main::showHistoryState()
{
    mFrm_Bill *bill = gActiveBill();
    const QUndoStack *history = bill ? &bill->undoStack() : nullptr;
    const bool canUndo = history && history->canUndo();
    const bool canRedo = history && history->canRedo();
    const QString undoText = canUndo ? history->undoText() : QString();
    const QString redoText = canRedo ? history->redoText() : QString();
    QAction *undo = action(MenuItem::EditUndo);
    QAction *redo = action(MenuItem::EditRedo);
    undo->setText(historyCaption(QStringLiteral("撤销"), undoText, QStringLiteral("Z")));
    redo->setText(historyCaption(QStringLiteral("重做"), redoText, QStringLiteral("Y")));
    undo->setEnabled(canUndo);
    redo->setEnabled(canRedo);
    QAction *undoButton = button(ToolbarKey::Undo);
    QAction *redoButton = button(ToolbarKey::Redo);
    undoButton->setEnabled(canUndo);
    redoButton->setEnabled(canRedo);
    undoButton->setToolTip(canUndo ? QStringLiteral("撤销 ") + undoText
                                   : QStringLiteral("撤销(Ctrl+Z)"));
    redoButton->setToolTip(canRedo ? QStringLiteral("重做 ") + redoText
                                   : QStringLiteral("重做(Ctrl+Y)"));
}
