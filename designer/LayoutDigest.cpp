#include "LayoutDigest.h"

#include "model/BillTemplate.h"
#include "model/ObjDraw.h"

#include "platform/Element.h"
#include "platform/PageSurface.h"

#include <QHashFunctions>

namespace LayoutDigest {

quint64 of(const BillTemplate &bill)
{
    const PageSurface &page = bill.mObjs.page();
    size_t digest = qHashMulti(0, page.Width(), page.Height(), bill.mObjs.Count());
    for (const auto &obj : bill.mObjs) {
        const Element *e = obj->ObjCtl();
        if (!e) {
            digest = qHashMulti(digest, obj->nID());
            continue;
        }
        // A line keeps its direction: swapping its ends is a change.
        if (e->isLine())
            digest = qHashMulti(digest, obj->nID(), e->Visible(), e->x1(), e->y1(), e->x2(), e->y2());
        else
            digest = qHashMulti(digest, obj->nID(), e->Visible(), e->Left(), e->Top(), e->Width(),
                                e->Height());
    }
    return digest;
}

} // namespace LayoutDigest
