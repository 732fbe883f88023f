#pragma once

#include "print/FieldVocabulary.h"

#include "model/BillTemplate.h"
#include "platform/Element.h"
#include "platform/ElementArray.h"

// A text bound to code across the page at top, as a stored delivery note
// holds it; a summed one totals on each page and at the end.
inline void addField(BillTemplate &bill, double top, const QString &code, bool scroll,
                     bool sumed = false)
{
    ElementArray &texts = bill.mObjs.page().ObjText();
    Element &e = texts.Load(texts.UBound() + 1);
    e.Move(1000, top, 5000, 280);
    e.setVisible(true);
    auto obj = bill.mObjs.LinkCtl(e.Index(), ObjDraw::Text, &e, ObjDraw::Created);
    obj->setIsFix(false);
    obj->setIsScroll(scroll);
    obj->setSumed(sumed);
    obj->setSumedPage(sumed);
    e.setTag(code);
    e.setCaption(FieldVocabulary::BoundCaption(sumed, sumed, scroll, code));
}
