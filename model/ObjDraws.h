#pragma once

#include "model/KeyedCollection.h"
#include "model/ObjActs.h"
#include "model/ObjDraw.h"

#include "platform/PageSurface.h"

#include <QSizeF>
#include <QString>

#include <memory>
#include <unordered_map>

class Element;

// Every drawing object of one template, keyed "Obj" + id in insertion
// order, with the selection bookkeeping (current id, selected count), the
// hit tests, the group operations and the page the objects live on.
// Objects are never taken out while editing: deleting hides the element.
class ObjDraws
{
public:
    using Members = KeyedCollection<std::shared_ptr<ObjDraw>>;

    // What AlginToCur aligns the selected objects to: the current object's
    // left edge, horizontal centre, right edge, top edge, vertical centre or
    // bottom edge.
    enum AlignCode {
        AlignLeft = 1,
        AlignHCenter = 2,
        AlignRight = 3,
        AlignTop = 4,
        AlignVCenter = 5,
        AlignBottom = 6,
    };
    // What MakeSameSize gives the selected objects of the current object:
    // bits for the width and the height.
    enum SizeCode { SameWidth = 1, SameHeight = 2, SameWidthAndHeight = SameWidth | SameHeight };

    ObjDraws();
    ObjDraws(const ObjDraws &) = delete;
    ObjDraws &operator=(const ObjDraws &) = delete;

    PageSurface &page() { return m_page; }
    const PageSurface &page() const { return m_page; }

    // A new set holding the selected objects, in collection order.
    class ObjActs ObjActs() const;
    // Number of selected objects; setting 0 deselects every object.
    int nActCount() const { return m_nActCount; }
    void setNActCount(int v);
    // Id of the current object (0 none); setting it moves the current mark
    // and selects the new current object.
    int nCurID() const { return m_nCurID; }
    void setNCurID(int v);
    // Pushes shown objects back over the page's top and left edges, re-places
    // their handles and grows the page to hold every shown object.
    void AdjustPage();
    // Adds an object for an element already loaded, loads and places its
    // handles (hidden, not selected) and returns the new member.
    std::shared_ptr<ObjDraw> LinkCtl(int tmpID, int tmpType, Element *tmpctl, int Flag);
    // Gives the selected shown objects the current object's width and/or
    // height (a SizeCode).
    void MakeSameSize(int SizePram);
    // Aligns the selected shown objects to the current one (an AlignCode).
    void AlginToCur(int AlignParm);

    // Selects every shown object; the last shown one becomes current.
    void ActiveAll();
    // Copies every selected shown object, offset up and left by tmpFix,
    // with its look and print attributes; the copies are not selected.
    // Throws RuntimeError::ObjectLimitReached, before loading anything,
    // when a kind's id range cannot take all the copies.
    void CloneActObj(int tmpFix);
    // Selects the objects the band touches; the first one becomes current
    // and is returned in tmpact.
    bool ChkRange(double x1, double y1, double x2, double y2, std::shared_ptr<ObjDraw> &tmpact);
    // Group move of the selected objects, started on a selected object.
    // Returns false (tmpact empty) when the point hits no selected object.
    bool StartMoveMore(double X, double Y, std::shared_ptr<ObjDraw> &tmpact);
    void MovingMore(double X, double Y, bool bLim, double LimX, double LimY);
    void EndMoveMore(double X, double Y);
    // Moves every selected, shown and unlocked object by (dx, dy) as a
    // drag of the selection by that much does, each held by the page's
    // edges. Whether any moved.
    bool NudgeSelected(double dx, double dy);

    // After a failure inside a gesture, which may have stopped a hit test
    // half-way: no object is left in a gesture, the count is the shown
    // selected objects, and the current one is one of them (the last
    // selected if the one named is not).
    void settleAfterFailure();

    // Point selection: the oldest object under the point becomes the only
    // selected and current object and is returned in tmpact.
    bool ChkPoint(double X, double Y, std::shared_ptr<ObjDraw> &tmpact);
    // Adds a copy of mvarObjDraw under strkey; the copy shares the element
    // and the handles with its source. Returns the new member.
    std::shared_ptr<ObjDraw> Add(ObjDraw &mvarObjDraw, const QString &strkey);
    const std::shared_ptr<ObjDraw> &Item(int position) const { return m_col.Item(position); }
    const std::shared_ptr<ObjDraw> &Item(const QString &key) const { return m_col.Item(key); }
    // The object with id nID, or nullptr.
    ObjDraw *findByID(int nID) const;
    int Count() const { return m_col.Count(); }
    // Removes the first object while more than one remains.
    void Clear();
    void Remove(int position) { m_col.Remove(position); }
    void Remove(const QString &key) { m_col.Remove(key); }

    // Smallest start edge, largest end edge and the sum of the sizes of the
    // objects (only the selected ones when onlySelected) along one axis,
    // hidden objects included. Leaves the outputs alone when empty.
    void CalcExtent(double &start, double &end, double &total, bool onlySelected,
                    bool vertical) const;

    // The right and bottom edges the shown objects reach (0 for none).
    QSizeF shownExtent() const;

    Members::const_iterator begin() const { return m_col.begin(); }

    Members::const_iterator end() const { return m_col.end(); }

private:
    ObjDraw &current() const;
    // The selected set as ObjActs builds it, without building it.
    template<typename F>
    void forEachSelected(F &&f) const
    {
        int taken = 0;
        for (const auto &obj : m_col) {
            if (taken > m_nActCount)
                break;
            if (obj->IsActive()) {
                f(obj);
                ++taken;
            }
        }
    }

    // Each member added under its id's key, by that id: found again after
    // members come or go, as an undo of a move of thousands finds each one.
    void indexIds() const;

    PageSurface m_page;
    Members m_col;
    mutable std::unordered_map<int, ObjDraw *> m_byId;
    mutable bool m_idsKnown = false;
    int m_nCurID = 0;
    int m_nActCount = 0;
};
