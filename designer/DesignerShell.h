#pragma once

#include <QString>

class QPoint;
class mFrm_Bill;

// What a designer window needs of the main window: the drawing tool, the
// active designer, the lock check marks, the context menu and two toolbar
// buttons, named as ShellNames.h declares them. The main window implements
// it; tests use a fake.
class DesignerShell
{
public:
    // The pressed state of a check or group button of the toolbar.
    enum ButtonValue { Released = 0, Pressed = 1 };

    virtual ~DesignerShell() = default;

    // The current drawing tool, a DrawTool::Code.
    virtual int gDrawMode() const = 0;
    // The menus' tool selection (a DrawTool::Code): sets gDrawMode and moves
    // the check marks of both tool menus; the toolbar is not touched.
    virtual void SelectDrawTool(int index) = 0;

    // The active designer window, or nullptr.
    virtual mFrm_Bill *gActiveBill() const = 0;
    virtual void setGActiveBill(mFrm_Bill *bill) = 0;

    // Check mark of a menu item by name (MenuItem::EditLock, MenuItem::Lock).
    virtual void setMenuChecked(const QString &itemName, bool checked) = 0;
    // Enabled state of a context-menu item by name (MenuItem::Align,
    // SameSize, Delete, Lock, Clone, ObjProp).
    virtual void setMenuEnabled(const QString &itemName, bool enabled) = 0;
    // Pressed state of a toolbar button by key (ToolbarKey::DrawSel,
    // Locked): a ButtonValue.
    virtual void setButtonValue(const QString &key, int value) = 0;
    // Shows the hidden top-level menu MenuItem::Right as a pop-up at a screen
    // point.
    virtual void PopupRightMenu(const QPoint &globalPos) = 0;

    // Saves the window's template as 保存 does, for a changed window that is
    // closing. False when it was not saved (a failure, a refused name, a
    // cancelled save as): the window then stays open. A shell without a
    // template store saves nothing.
    virtual bool SaveBill(mFrm_Bill &bill)
    {
        (void)bill;
        return false;
    }
};
