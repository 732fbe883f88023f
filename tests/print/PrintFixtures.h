#pragma once

#include "model/BillTemplate.h"
#include "print/FieldVocabulary.h"

#include "tests/model/ModelFixtures.h"

#include "platform/Element.h"
#include "platform/ElementArray.h"

#include <QString>

#include <memory>

// Templates built the way a loaded template is, on the model tests' fixtures.
inline std::shared_ptr<ObjDraw> addText(BillTemplate &bill, double left, double top, double width,
                                        double height, const QString &caption)
{
    auto obj = addText(bill.mObjs, left, top, width, height);
    obj->ObjCtl()->setCaption(caption);
    obj->ObjCtl()->setTag(caption);
    return obj;
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

// A text bound to a document column (or a run-time code) with its marker.
inline std::shared_ptr<ObjDraw> addData(BillTemplate &bill, double left, double top, const QString &code,
                                 const QString &format = QString(), bool scroll = false,
                                 bool sumed = false, bool sumedPage = false, double width = 1800)
{
    auto obj = addText(bill, left, top, width, 280, QString());
    obj->setIsFix(false);
    obj->setDataType(FieldVocabulary::DataTypeNumber);
    obj->setIsScroll(scroll);
    obj->setSumed(sumed);
    obj->setSumedPage(sumedPage);
    obj->setFormat(format);
    obj->ObjCtl()->setCaption(FieldVocabulary::BoundCaption(
        sumed, sumedPage, scroll, QStringLiteral("[%1]").arg(FieldVocabulary::ColumnOf(code))));
    obj->ObjCtl()->setTag(code);
    return obj;
}

inline std::shared_ptr<ObjDraw> addLine(BillTemplate &bill, double x1, double y1, double x2,
                                        double y2)
{
    return addLine(bill.mObjs, x1, y1, x2, y2);
}

inline std::shared_ptr<ObjDraw> addPicture(BillTemplate &bill, double left, double top,
                                           double width, double height, const QImage &picture)
{
    auto obj = addBox(bill.mObjs, ObjDraw::Picture, left, top, width, height);
    obj->ObjCtl()->setPicture(picture);
    obj->ObjCtl()->setStretch(true);
    return obj;
}
