#pragma once

#include "model/TemplateState.h"

#include <QUndoStack>

#include <optional>
#include <vector>

struct BillTemplate;

// The undo history of one template: a change is made between taking a
// snapshot of what it may change and recording it, which pushes one step
// holding only what did change (nothing when nothing did).
class TemplateHistory
{
public:
    // What a change may touch, and so what its snapshot holds.
    enum class Scope {
        Places, // where objects lie, whether shown, and the page size
        Locks,  // objects' locks
        Edits,  // whole objects and the page's settings
        Page,   // the page's settings
    };
    struct Snapshot
    {
        Scope scope = Scope::Places;
        std::vector<ObjectPlace> places;
        std::vector<std::pair<int, bool>> locks;
        std::vector<ObjectState> states;
        PageState page;
        QSizeF pageSize;
        Selection selection;
        // Objects in the collection then; later ones are new.
        int count = 0;
    };

    // Steps kept: older ones are forgotten.
    static constexpr int Limit = 1000;

    explicit TemplateHistory(BillTemplate &bill);

    QUndoStack &stack() { return m_stack; }
    const QUndoStack &stack() const { return m_stack; }

    // For Edits, `ids` names the objects the change may touch (none: every
    // object).
    Snapshot take(Scope scope, const std::vector<int> &ids = {}) const;
    // Pushes what changed since the snapshot as one step titled `text`;
    // mergeId as QUndoCommand::id. Whether there was a change.
    bool record(const Snapshot &before, const QString &text, int mergeId = -1);

private:
    bool recordPlaces(const Snapshot &before, const QString &text, int mergeId);
    bool recordLocks(const Snapshot &before, const QString &text);
    bool recordEdits(const Snapshot &before, const QString &text);
    // The object of the snapshot at `position`, found again now.
    ObjDraw *objectFor(int id, std::size_t position) const;

    BillTemplate &m_bill;
    QUndoStack m_stack;
};
