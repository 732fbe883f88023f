#pragma once

class Element;
class ObjDraw;

// One sizing handle of a drawing object: a PicHD element whose picture
// follows the handle state and whose pointer follows its position.
class ObjHd
{
public:
    // What the handle shows: its object is selected or current, locked or
    // not.
    enum State { Selected = 0, Current = 1, LockedSelected = -1, LockedCurrent = -2 };

    static State stateFor(bool current, bool locked)
    {
        if (locked)
            return current ? LockedCurrent : LockedSelected;
        return current ? Current : Selected;
    }

    // A State.
    int nState() const { return m_nState; }
    void setNState(int v);

    // 0..7, its HandlePosition less one; the object uses the handles whose
    // HdID is below its HdCount.
    int HdID() const { return m_hdID; }
    void setHdID(int v) { m_hdID = v; }

    // The PicHD element; its Tag holds the position 1..8 as text.
    Element *ObjCtl() const { return m_objCtl; }
    void setObjCtl(Element *v) { m_objCtl = v; }

    // Moves the element, size unchanged.
    void Move(double Left, double Top);

    // Pointer events on the handle, forwarded to the owner's sizing. For
    // OnMouseMove, X and Y are page coordinates.
    void OnMouseDown(ObjDraw &obj, int Button, int Shift, double X, double Y);
    void OnMouseMove(ObjDraw &obj, int Button, int Shift, double X, double Y);
    void OnMouseUp(ObjDraw &obj, int Button, int Shift, double X, double Y);

    // The sizing pointer for a HandlePosition (the default pointer for
    // anything else).
    static int HdPointer(int position);
    // The position an element's Tag names (0 when it holds no number).
    static int positionOf(const Element &element);

private:
    int m_nState = Selected;

    int m_hdID = 0;
    Element *m_objCtl = nullptr;
    // The element the state's picture and pointer were last put on.
    Element *m_shownOn = nullptr;
};
