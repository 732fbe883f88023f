// The group operations of the collection: align, same size, clone and the
// move of several selected objects.
#include "ObjDraws.h"

#include "ObjGeometry.h"

#include "platform/Element.h"
#include "platform/ElementArray.h"
#include "platform/RuntimeError.h"

#include <array>

namespace {

bool isShown(const ObjDraw &obj)
{
    const Element *element = obj.ObjCtl();
    return element && element->Visible();
}

double alignReference(const QRectF &r, int code)
{
    switch (code) {
    case ObjDraws::AlignLeft:
        return r.left();
    case ObjDraws::AlignHCenter:
        return r.left() + r.width() / 2;
    case ObjDraws::AlignRight:
        return r.right();
    case ObjDraws::AlignTop:
        return r.top();
    case ObjDraws::AlignVCenter:
        return r.top() + r.height() / 2;
    case ObjDraws::AlignBottom:
        return r.bottom();
    default:
        return 0;
    }
}

// A line is translated, keeping its direction and length.
void alignLine(Element &line, int code, double reference)
{
    double x1 = line.x1(), y1 = line.y1(), x2 = line.x2(), y2 = line.y2();
    const QRectF r = line.rect();
    switch (code) {
    case ObjDraws::AlignLeft:
        ObjGeometry::alignSpan(x1, x2, reference, true);
        break;
    case ObjDraws::AlignHCenter:
        ObjGeometry::alignSpan(x1, x2, reference - r.width() / 2, true);
        break;
    case ObjDraws::AlignRight:
        ObjGeometry::alignSpan(x1, x2, reference, false);
        break;
    case ObjDraws::AlignTop:
        ObjGeometry::alignSpan(y1, y2, reference, true);
        break;
    case ObjDraws::AlignVCenter:
        ObjGeometry::alignSpan(y1, y2, reference - r.height() / 2, true);
        break;
    case ObjDraws::AlignBottom:
        ObjGeometry::alignSpan(y1, y2, reference, false);
        break;
    default:
        return;
    }
    line.setLine(x1, y1, x2, y2);
}

void alignBox(Element &box, int code, double reference)
{
    switch (code) {
    case ObjDraws::AlignLeft:
        box.setLeft(reference);
        break;
    case ObjDraws::AlignHCenter:
        box.setLeft(reference - box.Width() / 2);
        break;
    case ObjDraws::AlignRight:
        box.setLeft(reference - box.Width());
        break;
    case ObjDraws::AlignTop:
        box.setTop(reference);
        break;
    case ObjDraws::AlignVCenter:
        box.setTop(reference - box.Height() / 2);
        break;
    case ObjDraws::AlignBottom:
        box.setTop(reference - box.Height());
        break;
    default:
        break;
    }
}

// The clone looks like its source; a label's border is the selection cue
// and follows the clone's own (unselected) state instead.
void copyLook(const Element &from, Element &to, int eType, int tmpFix)
{
    to.setCaption(from.Caption());
    to.setTag(from.Tag());
    to.setToolTipText(from.ToolTipText());
    to.setFont(from.Font());
    to.setForeColor(from.ForeColor());
    to.setBorderColor(from.BorderColor());
    to.setAlignment(from.Alignment());
    to.setPicture(from.Picture(), from.PictureData());
    to.setStretch(from.Stretch());
    if (eType == ObjDraw::Line) {
        to.setBorderStyle(from.BorderStyle());
        to.setBorderWidth(from.BorderWidth());
        to.setLine(from.x1() - tmpFix, from.y1() - tmpFix, from.x2() - tmpFix, from.y2() - tmpFix);
        return;
    }
    if (eType == ObjDraw::Picture)
        to.setBorderStyle(from.BorderStyle());
    else
        to.setBorderStyle(ObjDraw::textBorderFor(from.Caption(), false));
    to.Move(from.Left() - tmpFix, from.Top() - tmpFix, from.Width(), from.Height());
    to.setAutoSize(from.AutoSize());
}

void copyObjectProperties(const ObjDraw &from, ObjDraw &to)
{
    // In an order whose side effects cannot undo a copied flag.
    to.setIsFix(from.IsFix());
    to.setClip(from.Clip());
    to.setDataType(from.DataType());
    to.setFormat(from.Format());
    to.setIsScroll(from.IsScroll());
    to.setSumed(from.Sumed());
    to.setSumedPage(from.SumedPage());
    to.setPrinted(from.Printed());
    to.setBarcode(from.Barcode());
    to.setBStyle(from.BStyle());
    to.setBWidth(from.BWidth());
    to.setFColor(from.FColor());
}

} // namespace

void ObjDraws::AlginToCur(int AlignParm)
{
    if (AlignParm == 0 || m_nActCount <= 1)
        return;
    const double reference = alignReference(current().requireCtl().rect(), AlignParm);
    const ObjDraw::HdMetrics metrics = ObjDraw::hdMetrics(m_page);
    forEachSelected([&](const std::shared_ptr<ObjDraw> &obj) {
        if (!isShown(*obj) || obj->nID() == m_nCurID)
            return;
        Element &element = *obj->ObjCtl();
        if (obj->eType() == ObjDraw::Line)
            alignLine(element, AlignParm, reference);
        else
            alignBox(element, AlignParm, reference);
        obj->MoveHd(metrics);
    });
    AdjustPage();
}

void ObjDraws::MakeSameSize(int SizePram)
{
    if (SizePram == 0 || m_nActCount <= 1)
        return;
    const QRectF reference = current().requireCtl().rect();
    const ObjDraw::HdMetrics metrics = ObjDraw::hdMetrics(m_page);
    forEachSelected([&](const std::shared_ptr<ObjDraw> &obj) {
        if (!isShown(*obj) || obj->nID() == m_nCurID)
            return;
        Element &element = *obj->ObjCtl();
        if (obj->eType() == ObjDraw::Line) {
            double x1 = element.x1(), y1 = element.y1(), x2 = element.x2(), y2 = element.y2();
            if (SizePram & SameWidth)
                ObjGeometry::resizeSpan(x1, x2, reference.width());
            if (SizePram & SameHeight)
                ObjGeometry::resizeSpan(y1, y2, reference.height());
            element.setLine(x1, y1, x2, y2);
        } else {
            const double width = SizePram & SameWidth ? reference.width() : element.Width();
            const double height = SizePram & SameHeight ? reference.height() : element.Height();
            element.Move(element.Left(), element.Top(), width, height);
        }
        obj->MoveHd(metrics);
    });
    AdjustPage();
}

void ObjDraws::CloneActObj(int tmpFix)
{
    auto cloneable = [](const ObjDraw &obj) {
        return obj.IsActive() && isShown(obj) && obj.eType() >= ObjDraw::Line
               && obj.eType() <= ObjDraw::Picture;
    };
    // Every copy must fit its kind's id range, or none is made.
    std::array<int, 4> needed{};
    for (const auto &obj : m_col) {
        if (cloneable(*obj))
            ++needed[obj->eType()];
    }
    for (int kind = ObjDraw::Line; kind <= ObjDraw::Picture; ++kind) {
        if (needed[kind] == 0)
            continue;
        const ElementArray &array = m_page.arrayOf(ObjDraw::elementKindOf(kind));
        if (array.UBound() + needed[kind] > ObjDraw::LastID(kind))
            throw RuntimeError(RuntimeError::ObjectLimitReached);
    }
    // The copies are appended unselected; only the sources are walked.
    const int sources = m_col.Count();
    for (int position = 1; position <= sources; ++position) {
        const std::shared_ptr<ObjDraw> source = m_col.Item(position);
        if (!cloneable(*source))
            continue;
        const int kind = source->eType();
        ElementArray &array = m_page.arrayOf(ObjDraw::elementKindOf(kind));
        const int index = array.UBound() + 1;
        Element &element = array.Load(index);
        copyLook(*source->ObjCtl(), element, kind, tmpFix);
        element.setVisible(true);
        const std::shared_ptr<ObjDraw> clone = LinkCtl(index, kind, &element, ObjDraw::Created);
        copyObjectProperties(*source, *clone);
    }
    AdjustPage();
}

bool ObjDraws::StartMoveMore(double X, double Y, std::shared_ptr<ObjDraw> &tmpact)
{
    tmpact.reset();
    if (m_nCurID == 0)
        return false;
    ObjDraw &cur = current();
    if (cur.Locked())
        return false;
    std::shared_ptr<ObjDraw> hit;
    for (const auto &obj : m_col) {
        if (obj->CheckPoint(X, Y)) {
            hit = obj;
            break;
        }
    }
    // Only a press on a selected object moves the selection; anything else
    // is left to the point selection.
    if (!hit || !hit->IsActive())
        return false;
    tmpact = hit;
    if (hit->Locked()) {
        hit->setIsActive(true);
        return false;
    }
    if (cur.IsCurrent())
        cur.setIsCurrent(false);
    setNCurID(hit->nID());
    forEachSelected([X, Y](const std::shared_ptr<ObjDraw> &obj) {
        if (obj->Locked())
            return;
        obj->setIsDraging(true);
        obj->OnStartDrag(X, Y);
    });
    return true;
}

void ObjDraws::MovingMore(double X, double Y, bool bLim, double LimX, double LimY)
{
    if (m_nCurID == 0 || current().Locked())
        return;
    forEachSelected([&](const std::shared_ptr<ObjDraw> &obj) {
        if (!obj->Locked() && isShown(*obj))
            obj->OnDraging(X, Y, bLim, LimX, LimY);
    });
}

void ObjDraws::EndMoveMore(double X, double Y)
{
    if (m_nCurID == 0 || current().Locked())
        return;
    forEachSelected([&](const std::shared_ptr<ObjDraw> &obj) {
        if (!obj->Locked() && isShown(*obj))
            obj->OnEndDrag(X, Y);
    });
}

bool ObjDraws::NudgeSelected(double dx, double dy)
{
    const ObjDraw::HdMetrics metrics = ObjDraw::hdMetrics(m_page);
    const double limX = m_page.Width();
    const double limY = m_page.Height();
    bool moved = false;
    forEachSelected([&](const std::shared_ptr<ObjDraw> &obj) {
        if (!obj->Locked() && isShown(*obj))
            moved = obj->NudgeBy(dx, dy, limX, limY, metrics) || moved;
    });
    return moved;
}
