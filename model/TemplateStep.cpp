#include "TemplateStep.h"

#include "BillTemplate.h"

TemplateStep::TemplateStep(BillTemplate &bill, const QString &text, Selection before,
                           Selection after)
    : QUndoCommand(text)
    , m_bill(bill)
    , m_before(std::move(before))
    , m_after(std::move(after))
{
}

void TemplateStep::undo()
{
    put(false);
    m_before.applyTo(m_bill.mObjs);
}

void TemplateStep::redo()
{
    // The push: the template already is as the step leaves it.
    if (!m_pushed) {
        m_pushed = true;
        return;
    }
    put(true);
    m_after.applyTo(m_bill.mObjs);
}
