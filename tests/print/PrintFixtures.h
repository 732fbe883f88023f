#pragma once

#include "model/BillTemplate.h"
#include "print/FieldVocabulary.h"

#include "platform/Element.h"
#include "platform/ElementArray.h"

#include <QString>

#include <memory>

// Templates built the way a loaded template is: elements loaded, shown and
// linked into the collection.
inline std::shared_ptr<ObjDraw> addText(BillTemplate &bill, double left, double top, double width,
                                        double height, const QString &caption)
{
    ElementArray &array = bill.mObjs.page().ObjText();
    Element &element = array.Load(array.UBound() + 1);
    element.Move(left, top, width, height);
    element.setCaption(caption);
    element.setTag(caption);
    element.setVisible(true);
    return bill.mObjs.LinkCtl(element.Index(), ObjDraw::Text, &element, 0);
}

// A text bound to a field code with the marker its state calls for.
inline std::shared_ptr<ObjDraw> addField(BillTemplate &bill, double left, double top, double width,
                                         double height, int entry, bool scroll = false,
                                         bool sumed = false, bool sumedPage = false)
{
    const FieldCode &field = FieldVocabulary::Entries()[entry];
    auto obj = addText(bill, left, top, width, height, QString());
    obj->setIsFix(false);
    obj->setDataType(field.DataType);
    obj->setIsScroll(scroll);
    obj->setSumed(sumed);
    obj->setSumedPage(sumedPage);
    obj->ObjCtl()->setCaption(FieldVocabulary::BoundCaption(sumed, sumedPage, scroll, field.Text));
    obj->ObjCtl()->setTag(field.Code);
    return obj;
}

inline std::shared_ptr<ObjDraw> addLine(BillTemplate &bill, double x1, double y1, double x2,
                                        double y2)
{
    ElementArray &array = bill.mObjs.page().ObjLine();
    Element &element = array.Load(array.UBound() + 1);
    element.setLine(x1, y1, x2, y2);
    element.setBorderStyle(1);
    element.setVisible(true);
    return bill.mObjs.LinkCtl(element.Index(), ObjDraw::Line, &element, 0);
}

inline std::shared_ptr<ObjDraw> addPicture(BillTemplate &bill, double left, double top,
                                           double width, double height, const QImage &picture)
{
    ElementArray &array = bill.mObjs.page().ObjImg();
    Element &element = array.Load(array.UBound() + 1);
    element.Move(left, top, width, height);
    element.setPicture(picture);
    element.setStretch(true);
    element.setVisible(true);
    return bill.mObjs.LinkCtl(element.Index(), ObjDraw::Picture, &element, 0);
}
