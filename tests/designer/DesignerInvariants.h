#pragma once

#include "designer/mFrm_Bill.h"

#include "model/ObjDraw.h"
#include "model/ObjDraws.h"

#include "platform/Element.h"
#include "platform/PageSurface.h"
#include "platform/Platform.h"
#include "platform/PointerConfinement.h"

#include <QString>

// What must hold on a designer window whenever no mouse button is held.
// Returns the first invariant broken, or an empty string.
inline QString brokenInvariant(mFrm_Bill &bill)
{
    const ObjDraws &objs = bill.mObjs();
    int selected = 0;
    int current = 0;
    for (const auto &obj : objs) {
        const bool shown = obj->ObjCtl() && obj->ObjCtl()->Visible();
        if (obj->IsActive() && !shown)
            return QStringLiteral("hidden object %1 is selected").arg(obj->nID());
        if (obj->IsActive())
            ++selected;
        if (obj->IsCurrent())
            ++current;
        if (obj->IsDrawing() || obj->IsDraging() || obj->IsSizing())
            return QStringLiteral("object %1 is left drawing, dragging or sizing").arg(obj->nID());
    }
    if (selected != objs.nActCount())
        return QStringLiteral("selection count %1, but %2 selected shown objects")
            .arg(objs.nActCount())
            .arg(selected);
    if (current > 1)
        return QStringLiteral("%1 objects are current").arg(current);
    if (const int id = objs.nCurID()) {
        const ObjDraw *obj = objs.findByID(id);
        if (!obj || !obj->ObjCtl() || !obj->ObjCtl()->Visible())
            return QStringLiteral("current id %1 names no shown object").arg(id);
        if (!obj->IsCurrent())
            return QStringLiteral("current id %1 names an object that is not current").arg(id);
    }
    if (bill.inGesture())
        return QStringLiteral("a gesture is still under way");
    if (Platform::pointer().isConfined())
        return QStringLiteral("the pointer is still confined");
    const PageSurface &page = bill.PicPage();
    for (const auto &obj : objs) {
        const Element *e = obj->ObjCtl();
        if (!e || !e->Visible())
            continue;
        const QRectF r = e->rect();
        const bool fits = r.width() <= page.Width() && r.height() <= page.Height();
        const bool onPage = r.left() >= 0 && r.top() >= 0 && r.right() <= page.Width()
                            && r.bottom() <= page.Height();
        if (fits && !onPage)
            return QStringLiteral("object %1 at (%2, %3)-(%4, %5) lies off the page of %6 x %7")
                .arg(obj->nID())
                .arg(r.left())
                .arg(r.top())
                .arg(r.right())
                .arg(r.bottom())
                .arg(page.Width())
                .arg(page.Height());

    }
    return QString();
}
