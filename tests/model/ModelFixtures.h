#pragma once

#include "model/ObjDraws.h"
#include "model/TwipRect.h"

#include "platform/Element.h"
#include "platform/ElementArray.h"

#include <QRectF>
#include <QTest>

#include <QMetaType>

#include <memory>

Q_DECLARE_METATYPE(TwipRect)

// Objects placed on a collection's page the way a loaded template places
// them: an element loaded and shown, then linked.
inline std::shared_ptr<ObjDraw> addBox(ObjDraws &objs, int kind, double left, double top,
                                       double width, double height)
{
    ElementArray &array = kind == ObjDraw::Text ? objs.page().ObjText() : objs.page().ObjImg();
    Element &element = array.Load(array.UBound() + 1);
    element.Move(left, top, width, height);
    element.setVisible(true);
    return objs.LinkCtl(element.Index(), kind, &element, ObjDraw::Created);
}

inline std::shared_ptr<ObjDraw> addText(ObjDraws &objs, double left, double top, double width,
                                        double height)
{
    return addBox(objs, ObjDraw::Text, left, top, width, height);
}

inline std::shared_ptr<ObjDraw> addLine(ObjDraws &objs, double x1, double y1, double x2, double y2)
{
    ElementArray &array = objs.page().ObjLine();
    Element &element = array.Load(array.UBound() + 1);
    element.setLine(x1, y1, x2, y2);
    element.setVisible(true);
    return objs.LinkCtl(element.Index(), ObjDraw::Line, &element, ObjDraw::Created);
}

inline QRectF boxOf(const ObjDraw &obj)
{
    const Element &e = *obj.ObjCtl();
    return QRectF(e.Left(), e.Top(), e.Width(), e.Height());
}

inline QLineF lineOf(const ObjDraw &obj)
{
    const Element &e = *obj.ObjCtl();
    return QLineF(e.x1(), e.y1(), e.x2(), e.y2());
}

namespace QTest {
template<>
inline char *toString(const TwipRect &r)
{
    return qstrdup(QByteArray::number(r.left) + ',' + QByteArray::number(r.top) + ','
                   + QByteArray::number(r.right) + ',' + QByteArray::number(r.bottom));
}
} // namespace QTest
