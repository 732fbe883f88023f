#pragma once

#include "designer/DesignerShell.h"
#include "designer/DrawTool.h"

// The main window as a benchmarked designer window needs it: the selection
// tool, and nothing shown.
class BenchShell : public DesignerShell
{
public:
    int gDrawMode() const override { return DrawTool::Select; }
    void SelectDrawTool(int) override {}
    mFrm_Bill *gActiveBill() const override { return active; }
    void setGActiveBill(mFrm_Bill *bill) override { active = bill; }
    void setMenuChecked(const QString &, bool) override {}
    void setMenuEnabled(const QString &, bool) override {}
    void setButtonValue(const QString &, int) override {}
    void PopupRightMenu(const QPoint &) override {}

    mFrm_Bill *active = nullptr;
};
