#pragma once

#include "model/KeyedCollection.h"
#include "model/ObjHd.h"

#include <QString>

#include <memory>

class Element;

// The handles of one drawing object, keyed by the object's id followed by
// one digit. Shared by an object and its copies in the collection.
class ObjHds
{
public:
    using Members = KeyedCollection<std::unique_ptr<ObjHd>>;

    // Hides every handle's element and empties the collection; the
    // elements stay loaded on the page.
    void Clear();
    // Brings every handle's element to the front, the last one on top.
    void ZOrder();
    // The state is stored before the element is bound, so Add shows nothing.
    ObjHd &Add(int HdID, int nState, Element *ObjCtl, const QString &sKey = QString());
    ObjHd &Item(int position) { return *m_col.Item(position); }
    ObjHd &Item(const QString &key) { return *m_col.Item(key); }
    int Count() const { return m_col.Count(); }
    void Remove(int position) { m_col.Remove(position); }
    void Remove(const QString &key) { m_col.Remove(key); }

    // Whether the handles in use may be showing: set when the owner shows
    // them, cleared when it hides them or by Clear. Lets a deselect of many
    // objects skip those with nothing to hide.
    bool mayBeShown() const { return m_mayBeShown; }
    void setMayBeShown(bool v) { m_mayBeShown = v; }

    class iterator
    {
    public:
        explicit iterator(Members::iterator it) : m_it(it) {}
        ObjHd &operator*() const { return **m_it; }
        iterator &operator++()
        {
            ++m_it;
            return *this;
        }
        bool operator==(const iterator &) const = default;

    private:
        Members::iterator m_it;
    };
    iterator begin() { return iterator(m_col.begin()); }
    iterator end() { return iterator(m_col.end()); }

private:
    Members m_col;
    bool m_mayBeShown = false;
};
