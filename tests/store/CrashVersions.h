#pragma once

#include "StoreFixtures.h"

// The two versions the crash writer saves in turn. They differ in every
// object (a text's first letter, a line's length, a picture's tag) and in
// the page width, so a template read back is one of them whole or neither.
namespace CrashVersions {

constexpr int Objects = 3000;
constexpr double WidthA = 30120;
constexpr double WidthB = 31120;

inline double lineLength(QChar mark)
{
    return mark == QLatin1Char('A') ? 380 : 390;
}

inline void apply(BillTemplate &bill, QChar mark)
{
    for (const auto &obj : bill.mObjs) {
        Element &e = *obj->ObjCtl();
        if (obj->eType() == ObjDraw::Text)
            e.setCaption(mark + e.Caption().mid(1));
        else if (obj->eType() == ObjDraw::Line)
            e.setX2(e.x1() + lineLength(mark));
        else
            e.setTag(mark);
    }
    bill.mObjs.page().setWidth(mark == QLatin1Char('A') ? WidthA : WidthB);
}

// 'A' or 'B', or '?' for a template that is neither.
inline QChar versionOf(BillTemplate &bill)
{
    const double width = bill.mObjs.page().Width();
    const QChar mark = width == WidthA ? QLatin1Char('A') : QLatin1Char('B');
    if ((width != WidthA && width != WidthB) || bill.mObjs.Count() != Objects)
        return QLatin1Char('?');
    for (const auto &obj : bill.mObjs) {
        const Element &e = *obj->ObjCtl();
        const bool same = obj->eType() == ObjDraw::Text   ? e.Caption().startsWith(mark)
                          : obj->eType() == ObjDraw::Line ? e.x2() - e.x1() == lineLength(mark)
                                                          : e.Tag() == mark;
        if (!same)
            return QLatin1Char('?');
    }
    return mark;
}

} // namespace CrashVersions
