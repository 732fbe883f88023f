#pragma once

#include "model/KeyedCollection.h"

#include <QString>

#include <memory>

class ObjDraw;

// A set of drawing objects (the objects themselves, not copies), built on
// demand to hand the selected objects to the group operations.
class ObjActs
{
public:
    using Members = KeyedCollection<std::shared_ptr<ObjDraw>>;

    const std::shared_ptr<ObjDraw> &Add(std::shared_ptr<ObjDraw> objNewMember,
                                        const QString &sKey = QString())
    {
        return m_col.Add(std::move(objNewMember), sKey);
    }
    const std::shared_ptr<ObjDraw> &Item(int position) const { return m_col.Item(position); }
    const std::shared_ptr<ObjDraw> &Item(const QString &key) const { return m_col.Item(key); }
    int Count() const { return m_col.Count(); }
    void Remove(int position) { m_col.Remove(position); }
    void Remove(const QString &key) { m_col.Remove(key); }
    void reserve(int n) { m_col.reserve(n); }

    Members::const_iterator begin() const { return m_col.begin(); }
    Members::const_iterator end() const { return m_col.end(); }

private:
    Members m_col;
};
