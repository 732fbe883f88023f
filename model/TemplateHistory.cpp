#include "TemplateHistory.h"

#include "BillTemplate.h"
#include "EditStep.h"
#include "LockStep.h"
#include "PlaceStep.h"

#include "platform/Element.h"
#include "platform/PageSurface.h"

#include <algorithm>

namespace {

QSizeF pageSizeOf(const BillTemplate &bill)
{
    return QSizeF(bill.mObjs.page().Width(), bill.mObjs.page().Height());
}

} // namespace

TemplateHistory::TemplateHistory(BillTemplate &bill)
    : m_bill(bill)
{
    m_stack.setUndoLimit(Limit);
}

TemplateHistory::Snapshot TemplateHistory::take(Scope scope, const std::vector<int> &ids) const
{
    Snapshot s;
    s.scope = scope;
    s.pageSize = pageSizeOf(m_bill);
    s.selection = Selection::of(m_bill.mObjs);
    const ObjDraws &objs = m_bill.mObjs;
    s.count = objs.Count();
    switch (scope) {
    case Scope::Places:
        s.places.reserve(std::size_t(objs.Count()));
        for (const auto &obj : objs) {
            if (obj->ObjCtl())
                s.places.push_back(ObjectPlace::of(*obj));
        }
        break;
    case Scope::Locks:
        s.locks.reserve(std::size_t(objs.Count()));
        for (const auto &obj : objs)
            s.locks.emplace_back(obj->nID(), obj->Locked());
        break;
    case Scope::Page:
        s.page = PageState::of(m_bill);
        break;
    case Scope::Edits:
        s.page = PageState::of(m_bill);
        for (const auto &obj : objs) {
            const bool named = ids.empty() || std::find(ids.begin(), ids.end(), obj->nID()) != ids.end();
            if (named && obj->ObjCtl())
                s.states.push_back(ObjectState::of(*obj));
        }
        break;
    }
    return s;
}

bool TemplateHistory::record(const Snapshot &before, const QString &text, int mergeId)
{
    switch (before.scope) {
    case Scope::Places:
        return recordPlaces(before, text, mergeId);
    case Scope::Locks:
        return recordLocks(before, text);
    case Scope::Edits:
    case Scope::Page:
        return recordEdits(before, text);
    }
    return false;
}

// Objects are only ever added, at the end: a snapshot's object is mostly
// found at the same position.
ObjDraw *TemplateHistory::objectFor(int id, std::size_t position) const
{
    const ObjDraws &objs = m_bill.mObjs;
    if (position < std::size_t(objs.Count())) {
        ObjDraw *obj = objs.Item(int(position) + 1).get();
        if (obj->nID() == id)
            return obj;
    }
    return objs.findByID(id);
}

bool TemplateHistory::recordPlaces(const Snapshot &before, const QString &text, int mergeId)
{
    std::vector<PlaceStep::Change> changes;
    changes.reserve(before.places.size());
    for (std::size_t i = 0; i < before.places.size(); ++i) {
        const ObjectPlace &was = before.places[i];
        const ObjDraw *obj = objectFor(was.id, i);
        if (!obj || !obj->ObjCtl())
            continue;
        const ObjectPlace now = ObjectPlace::of(*obj);
        if (!now.samePlace(was))
            changes.push_back({was, now});
    }
    // Objects new since the snapshot (drawn, cloned) were not there: hidden.
    for (int position = before.count + 1; position <= m_bill.mObjs.Count(); ++position) {
        const ObjDraw &obj = *m_bill.mObjs.Item(position);
        if (!obj.ObjCtl())
            continue;
        const ObjectPlace now = ObjectPlace::of(obj);
        ObjectPlace was = now;
        was.visible = false;
        if (now.visible)
            changes.push_back({was, now});
    }
    const QSizeF pageNow = pageSizeOf(m_bill);
    if (changes.empty() && pageNow == before.pageSize)
        return false;
    // Reserved for every object, kept for those that moved: a step of one
    // object's move holds that one alone.
    changes.shrink_to_fit();
    m_stack.push(new PlaceStep(m_bill, text, std::move(changes), before.pageSize, pageNow,
                               before.selection, Selection::of(m_bill.mObjs), mergeId));
    return true;
}

bool TemplateHistory::recordLocks(const Snapshot &before, const QString &text)
{
    std::vector<LockStep::Change> changes;
    for (std::size_t i = 0; i < before.locks.size(); ++i) {
        const auto [id, locked] = before.locks[i];
        const ObjDraw *obj = objectFor(id, i);
        if (obj && obj->Locked() != locked)
            changes.push_back({id, obj->Locked()});
    }
    if (changes.empty())
        return false;
    m_stack.push(new LockStep(m_bill, text, std::move(changes), before.selection,
                              Selection::of(m_bill.mObjs)));
    return true;
}

bool TemplateHistory::recordEdits(const Snapshot &before, const QString &text)
{
    std::vector<EditStep::Change> changes;
    for (const ObjectState &was : before.states) {
        const ObjDraw *obj = m_bill.mObjs.findByID(was.place.id);
        if (!obj || !obj->ObjCtl())
            continue;
        ObjectState now = ObjectState::of(*obj);
        if (!now.differences(was).isEmpty())
            changes.push_back({was, std::move(now)});
    }
    std::optional<EditStep::PageChange> page;
    const PageState pageNow = PageState::of(m_bill);
    if (!(pageNow == before.page))
        page = EditStep::PageChange{before.page, pageNow};
    if (changes.empty() && !page)
        return false;
    m_stack.push(new EditStep(m_bill, text, std::move(changes), std::move(page),
                              before.selection, Selection::of(m_bill.mObjs)));
    return true;
}
