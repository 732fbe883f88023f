#include "EditStep.h"

#include "BillTemplate.h"

EditStep::EditStep(BillTemplate &bill, const QString &text, std::vector<Change> changes,
                   std::optional<PageChange> page, Selection selBefore, Selection selAfter)
    : TemplateStep(bill, text, std::move(selBefore), std::move(selAfter))
    , m_changes(std::move(changes))
    , m_page(std::move(page))
{
}

void EditStep::put(bool after)
{
    if (m_page)
        (after ? m_page->after : m_page->before).applyTo(bill());
    for (const Change &change : m_changes) {
        const ObjectState &state = after ? change.after : change.before;
        if (ObjDraw *obj = bill().mObjs.findByID(state.place.id))
            state.applyTo(*obj);
    }
}
