#pragma once

class Element;
class ObjDraw;

// One sizing handle of a drawing object: a PicHD element whose picture
// follows the handle state and whose pointer follows its position.
class ObjHd
{
public:
    // 0 selected, 1 current, -1 selected and locked, -2 current and locked.
    int nState() const { return m_nState; }
    void setNState(int v);

    // 0..7; the object uses the handles whose HdID is below its HdCount.
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

    // Pointer for a handle position: 1, 5 -> 8; 2, 6 -> 7; 3, 7 -> 6;
    // 4, 8 -> 9; anything else 0.
    static int HdPointer(int position);
    // The position an element's Tag names (0 when it holds no number).
    static int positionOf(const Element &element);

private:
    int m_nState = 0;
    int m_hdID = 0;
    Element *m_objCtl = nullptr;
};
