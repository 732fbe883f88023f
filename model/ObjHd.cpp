#include "ObjHd.h"

#include "HandlePictures.h"
#include "HandlePosition.h"
#include "ObjDraw.h"

#include "platform/Element.h"
#include "platform/PointerShape.h"
#include "platform/Units.h"

#include <limits>

void ObjHd::setNState(int v)
{
    // Selecting thousands of objects sets every handle's state; an element
    // already showing it is not touched again.
    if (v == m_nState && m_objCtl && m_objCtl == m_shownOn)
        return;
    m_nState = v;
    // While ObjHds::Add builds the handle no element is bound yet.
    if (!m_objCtl)
        return;
    m_shownOn = m_objCtl;
    m_objCtl->setPicture(HandlePictures::forState(v));
    // A locked handle offers no resize pointer.
    const bool locked = v == LockedSelected || v == LockedCurrent;
    m_objCtl->setMousePointer(locked ? PointerShape::Default : HdPointer(positionOf(*m_objCtl)));
}

void ObjHd::Move(double Left, double Top)
{
    if (m_objCtl)
        m_objCtl->Move(Left, Top);
}

void ObjHd::OnMouseDown(ObjDraw &obj, int Button, int Shift, double X, double Y)
{
    obj.OnStartSize(m_hdID, Button, Shift, X, Y);
}

void ObjHd::OnMouseMove(ObjDraw &obj, int Button, int Shift, double X, double Y)
{
    obj.OnSizing(Button, Shift, X, Y);
}

void ObjHd::OnMouseUp(ObjDraw &obj, int Button, int Shift, double X, double Y)
{
    obj.OnEndSize(Button, Shift, X, Y);
}

int ObjHd::HdPointer(int position)
{
    switch (position) {
    case HandlePosition::TopLeft:
    case HandlePosition::BottomRight:
        return PointerShape::SizeNWSE;
    case HandlePosition::TopMiddle:
    case HandlePosition::BottomMiddle:
        return PointerShape::SizeNS;
    case HandlePosition::TopRight:
    case HandlePosition::BottomLeft:
        return PointerShape::SizeNESW;
    case HandlePosition::RightMiddle:
    case HandlePosition::LeftMiddle:
        return PointerShape::SizeWE;
    default:
        return PointerShape::Default;
    }
}

int ObjHd::positionOf(const Element &element)
{
    const QString &tag = element.Tag();
    // Handles carry a single digit; skip the general parse for them.
    if (tag.size() == 1 && tag.at(0) >= QLatin1Char('0') && tag.at(0) <= QLatin1Char('9'))
        return tag.at(0).unicode() - '0';
    const double value = Units::roundHalfEven(Units::leadingNumber(tag));
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return 0;
    return static_cast<int>(value);
}
