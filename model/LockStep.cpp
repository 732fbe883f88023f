#include "LockStep.h"

#include "BillTemplate.h"

LockStep::LockStep(BillTemplate &bill, const QString &text, std::vector<Change> changes,
                   Selection selBefore, Selection selAfter)
    : TemplateStep(bill, text, std::move(selBefore), std::move(selAfter))
    , m_changes(std::move(changes))
{
}

void LockStep::put(bool after)
{
    for (const Change &change : m_changes) {
        if (ObjDraw *obj = bill().mObjs.findByID(change.id))
            obj->setLocked(after ? change.locked : !change.locked);
    }
}
