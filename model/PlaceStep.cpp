#include "PlaceStep.h"

#include "BillTemplate.h"

#include "platform/PageSurface.h"

#include <unordered_map>

PlaceStep::PlaceStep(BillTemplate &bill, const QString &text, std::vector<Change> changes,
                     QSizeF pageBefore, QSizeF pageAfter, Selection selBefore,
                     Selection selAfter, int mergeId)
    : TemplateStep(bill, text, std::move(selBefore), std::move(selAfter))
    , m_changes(std::move(changes))
    , m_pageBefore(pageBefore)
    , m_pageAfter(pageAfter)
    , m_mergeId(mergeId)
{
}

// Nudges of one selection are one step, whichever of its objects the page's
// edges held back on the way.
bool PlaceStep::mergeWith(const QUndoCommand *other)
{
    const auto *next = dynamic_cast<const PlaceStep *>(other);
    if (!next || next->m_mergeId != m_mergeId || !(next->selectionBefore() == selectionAfter()))
        return false;
    std::unordered_map<int, std::size_t> at;
    at.reserve(m_changes.size());
    for (std::size_t i = 0; i < m_changes.size(); ++i)
        at.emplace(m_changes[i].after.id, i);
    for (const Change &change : next->m_changes) {
        const auto found = at.find(change.after.id);
        if (found == at.end())
            m_changes.push_back(change);
        else
            m_changes[found->second].after = change.after;
    }
    m_pageAfter = next->m_pageAfter;
    setSelectionAfter(next->selectionAfter());
    return true;
}

void PlaceStep::put(bool after)
{
    PageState::applySize(bill(), after ? m_pageAfter : m_pageBefore);
    const ObjDraw::HdMetrics metrics = ObjDraw::hdMetrics(bill().mObjs.page());
    for (const Change &change : m_changes) {
        const ObjectPlace &place = after ? change.after : change.before;
        if (ObjDraw *obj = bill().mObjs.findByID(place.id))
            place.applyTo(*obj, metrics);
    }
}
