#include "ObjHd.h"

#include "HandlePictures.h"
#include "ObjDraw.h"

#include "platform/Element.h"
#include "platform/Units.h"

#include <limits>

void ObjHd::setNState(int v)
{
    m_nState = v;
    // While ObjHds::Add builds the handle no element is bound yet.
    if (!m_objCtl)
        return;
    m_objCtl->setPicture(HandlePictures::forState(v));
    // A locked handle offers no resize pointer.
    m_objCtl->setMousePointer(v < 0 ? 0 : HdPointer(positionOf(*m_objCtl)));
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
    case 1:
    case 5:
        return 8;
    case 2:
    case 6:
        return 7;
    case 3:
    case 7:
        return 6;
    case 4:
    case 8:
        return 9;
    default:
        return 0;
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
