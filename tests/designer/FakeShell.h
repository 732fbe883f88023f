#pragma once

#include "designer/DesignerShell.h"
#include "designer/DrawTool.h"
#include "designer/mFrm_Bill.h"

#include <QHash>
#include <QPoint>
#include <QString>

#include <vector>

// The main window as a designer sees it, recording what the designer set.
class FakeShell : public DesignerShell
{
public:
    int gDrawMode() const override { return drawMode; }
    void SelectDrawTool(int index) override
    {
        drawMode = index;
        toolSelections.push_back(index);
    }
    mFrm_Bill *gActiveBill() const override { return active; }
    void setGActiveBill(mFrm_Bill *bill) override { active = bill; }
    void setMenuChecked(const QString &itemName, bool value) override
    {
        checked[itemName] = value;
    }
    void setMenuEnabled(const QString &itemName, bool value) override
    {
        enabled[itemName] = value;
        ++enableCalls;
    }
    void setButtonValue(const QString &key, int value) override { buttons[key] = value; }
    void PopupRightMenu(const QPoint &globalPos) override
    {
        ++popups;
        popupAt = globalPos;
    }

    // Saving answers as saveSucceeds says; a saved window has no changes.
    bool SaveBill(mFrm_Bill &bill) override
    {
        saved.push_back(&bill);
        if (saveSucceeds)
            bill.setMChanged(false);
        return saveSucceeds;
    }

    int drawMode = DrawTool::Select;
    mFrm_Bill *active = nullptr;
    std::vector<int> toolSelections;
    QHash<QString, bool> checked;
    QHash<QString, bool> enabled;
    QHash<QString, int> buttons;
    int enableCalls = 0;
    int popups = 0;
    QPoint popupAt;
    std::vector<mFrm_Bill *> saved;
    bool saveSucceeds = true;
};
