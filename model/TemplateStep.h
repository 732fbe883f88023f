#pragma once

#include "model/TemplateState.h"

#include <QUndoCommand>

struct BillTemplate;

// One step of a template's undo history. The change is made before the step
// is pushed, so the push's redo does nothing; later, undo and redo put the
// template back as it was before or after, the selection with it.
class TemplateStep : public QUndoCommand
{
public:
    TemplateStep(BillTemplate &bill, const QString &text, Selection before, Selection after);

    void undo() final;
    void redo() final;

protected:
    // Puts what the step changed as it was before (false) or after (true).
    virtual void put(bool after) = 0;
    BillTemplate &bill() const { return m_bill; }
    const Selection &selectionBefore() const { return m_before; }
    const Selection &selectionAfter() const { return m_after; }
    void setSelectionAfter(const Selection &after) { m_after = after; }

private:
    BillTemplate &m_bill;
    Selection m_before;
    Selection m_after;
    bool m_pushed = false;
};
