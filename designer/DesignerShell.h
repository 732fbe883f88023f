#pragma once

#include <QString>

class QPoint;
class mFrm_Bill;

// What a designer window needs of the main window: the drawing tool, the
// active designer, the lock check marks, the context menu and two toolbar
// buttons. The main window implements it; tests use a fake.
class DesignerShell
{
public:
    virtual ~DesignerShell() = default;

    // The current drawing tool: 0 selection, 1 line, 2 text, 3 picture.
    virtual int gDrawMode() const = 0;
    // The menus' tool selection (index 0..3): sets gDrawMode and moves the
    // check marks of both tool menus; the toolbar is not touched.
    virtual void SelectDrawTool(int index) = 0;

    // The active designer window, or nullptr.
    virtual mFrm_Bill *gActiveBill() const = 0;
    virtual void setGActiveBill(mFrm_Bill *bill) = 0;

    // Check mark of a menu item by name: "mun_EditLock", "mun_Lock".
    virtual void setMenuChecked(const QString &itemName, bool checked) = 0;
    // Enabled state of a context-menu item by name: "mun_Align",
    // "mun_SameSize", "mun_Delete", "mun_Lock", "mun_Clone", "mun_ObjProp".
    virtual void setMenuEnabled(const QString &itemName, bool enabled) = 0;
    // Pressed state of a toolbar button by key ("DrawSel", "Locked"):
    // 1 pressed, 0 released.
    virtual void setButtonValue(const QString &key, int value) = 0;
    // Shows the hidden top-level menu "Right" as a pop-up at a screen point.
    virtual void PopupRightMenu(const QPoint &globalPos) = 0;
};
