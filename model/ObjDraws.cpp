#include "ObjDraws.h"

#include "ObjGeometry.h"

#include "platform/Element.h"
#include "platform/RuntimeError.h"

#include <algorithm>
#include <cmath>

ObjDraws::ObjDraws() = default;

ObjActs ObjDraws::ObjActs() const
{
    ::ObjActs acts;
    acts.reserve(m_nActCount + 1);
    forEachSelected([&acts](const std::shared_ptr<ObjDraw> &obj) { acts.Add(obj); });
    return acts;
}

void ObjDraws::setNActCount(int v)
{
    m_nActCount = v;
    if (v != 0)
        return;
    for (const auto &obj : m_col)
        obj->deselect();
    setNCurID(0);
}

void ObjDraws::setNCurID(int v)
{
    const int old = m_nCurID;
    if (v != old && v != 0 && old != 0)
        m_col.Item(ObjDraw::KeyOf(old))->setIsCurrent(false);
    m_nCurID = v;
    if (v != 0)
        m_col.Item(ObjDraw::KeyOf(v))->setIsCurrent(true);
    if (m_nCurID != 0 && m_nActCount == 0)
        m_nActCount = 1;
}

ObjDraw &ObjDraws::current() const
{
    return *m_col.Item(ObjDraw::KeyOf(m_nCurID));
}

ObjDraw *ObjDraws::findByID(int nID) const
{
    if (!m_idsKnown)
        indexIds();
    const auto found = m_byId.find(nID);
    return found == m_byId.end() ? nullptr : found->second;
}

void ObjDraws::indexIds() const
{
    const QString prefix = ObjDraw::KeyOf(0).chopped(1);
    m_byId.clear();
    for (int position = 1; position <= m_col.Count(); ++position) {
        const QString &key = m_col.keyAt(position);
        if (!key.startsWith(prefix, Qt::CaseInsensitive))
            continue;
        // Only the id's own key, as KeyOf writes it, names the id.
        bool isNumber = false;
        const int id = QStringView(key).mid(prefix.size()).toInt(&isNumber);
        if (isNumber && key.compare(ObjDraw::KeyOf(id), Qt::CaseInsensitive) == 0)
            m_byId.emplace(id, m_col.Item(position).get());
    }
    m_idsKnown = true;
}

std::shared_ptr<ObjDraw> ObjDraws::Add(ObjDraw &mvarObjDraw, const QString &strkey)
{
    // Checked first so a refused key leaves the shared handles untouched.
    if (!strkey.isEmpty() && m_col.contains(strkey))
        throw RuntimeError(RuntimeError::DuplicateKey, strkey);
    auto copy = std::make_shared<ObjDraw>(&m_page);
    const ObjDraw &src = mvarObjDraw;
    // The element is bound last: the selection setters then show nothing,
    // while the lock setter brings the shared handles in line.
    copy->setActHdID(src.ActHdID());
    copy->setEType(src.eType());
    copy->setEditFlag(src.EditFlag());
    copy->setHandls(mvarObjDraw.Handls());
    copy->setHdCount(src.HdCount());
    copy->setIsActive(src.IsActive());
    copy->setIsCurrent(src.IsCurrent());
    copy->setIsDraging(src.IsDraging());
    copy->setIsSizing(src.IsSizing());
    copy->setEditFlag(src.EditFlag());
    copy->setLocked(src.Locked());
    copy->setNID(src.nID());
    copy->setIsFix(src.IsFix());
    copy->setClip(src.Clip());
    copy->setDataType(src.DataType());
    copy->setFormat(src.Format());
    copy->setIsScroll(src.IsScroll());
    copy->setSumed(src.Sumed());
    copy->setSumedPage(src.SumedPage());
    copy->setPrinted(src.Printed());
    copy->setBarcode(src.Barcode());
    copy->setObjCtl(src.ObjCtl());
    copy->setOldX(src.OldX());
    copy->setOldY(src.OldY());
    copy->setBStyle(src.BStyle());
    copy->setBWidth(src.BWidth());
    copy->setFColor(src.FColor());
    m_col.Add(copy, strkey);
    m_idsKnown = false;
    return copy;
}

std::shared_ptr<ObjDraw> ObjDraws::LinkCtl(int tmpID, int tmpType, Element *tmpctl, int Flag)
{
    ObjDraw source(&m_page);
    source.setNID(tmpID);
    source.setEType(tmpType);
    source.setEditFlag(Flag);
    source.setObjCtl(tmpctl);
    std::shared_ptr<ObjDraw> member = Add(source, ObjDraw::KeyOf(tmpID));
    // The source shares element and handles with the member.
    source.LoadHd();
    source.MoveHd();
    return member;
}

void ObjDraws::ActiveAll()
{
    ObjDraw *last = nullptr;
    int shown = 0;
    for (const auto &obj : m_col) {
        const Element *element = obj->ObjCtl();
        if (element && element->Visible()) {
            obj->setIsActive(true);
            // A non-current object already shows the selected state.
            if (obj->IsCurrent())
                obj->setIsCurrent(false);
            ++shown;
            last = obj.get();
        } else if (obj->IsActive()) {
            // A deleted object is never part of the selection.
            obj->setIsActive(false);
        }
    }
    if (!last) {
        setNActCount(0);
        return;
    }
    m_nActCount = shown;
    last->setIsCurrent(true);
    m_nCurID = last->nID();
}

bool ObjDraws::ChkRange(double x1, double y1, double x2, double y2,
                        std::shared_ptr<ObjDraw> &tmpact)
{
    m_nActCount = 0;
    m_nCurID = 0;
    const double left = std::min(x1, x2);
    const double top = std::min(y1, y2);
    const double right = std::max(x1, x2);
    const double bottom = std::max(y1, y2);
    for (const auto &obj : m_col) {
        if (!obj->CheckRange(left, top, right, bottom))
            continue;
        ++m_nActCount;
        obj->setIsActive(true);
        if (m_nCurID == 0)
            setNCurID(obj->nID());
    }
    if (m_nActCount < 1) {
        tmpact.reset();
        return false;
    }
    tmpact = m_col.Item(ObjDraw::KeyOf(m_nCurID));
    return true;
}

void ObjDraws::settleAfterFailure()
{
    int selected = 0;
    ObjDraw *current = nullptr;
    ObjDraw *last = nullptr;
    for (const auto &obj : m_col) {
        obj->abandonGesture();
        const Element *element = obj->ObjCtl();
        if (obj->IsActive() && !(element && element->Visible()))
            obj->deselect();
        if (!obj->IsActive())
            continue;
        ++selected;
        last = obj.get();
        if (obj->IsCurrent()) {
            if (current)
                obj->setIsCurrent(false);
            else
                current = obj.get();
        }
    }
    m_nActCount = selected;
    if (!current && last)
        last->setIsCurrent(true);
    m_nCurID = current ? current->nID() : last ? last->nID() : 0;
}

bool ObjDraws::ChkPoint(double X, double Y, std::shared_ptr<ObjDraw> &tmpact)
{
    // One pass deselects every object and finds the oldest one hit; the hit
    // test reads nothing the deselection changes.
    m_nActCount = 0;
    std::shared_ptr<ObjDraw> hit;
    for (const auto &obj : m_col) {
        obj->deselect();
        if (!hit && obj->CheckPoint(X, Y))
            hit = obj;
    }
    m_nCurID = 0;
    if (!hit) {
        tmpact.reset();
        return false;
    }
    m_nActCount = 1;
    setNCurID(hit->nID());
    if (hit->Locked())
        hit->setIsActive(true);
    tmpact = hit;
    return true;
}

void ObjDraws::AdjustPage()
{
    const ObjDraw::HdMetrics metrics = ObjDraw::hdMetrics(m_page);
    for (const auto &obj : m_col) {
        Element *element = obj->ObjCtl();
        if (!element || !element->Visible())
            continue;
        const QRectF before = element->rect();
        if (element->isLine()) {
            double x1 = element->x1(), y1 = element->y1();
            double x2 = element->x2(), y2 = element->y2();
            // Each rule sees the values the earlier ones left.
            if (x1 < 0) {
                x2 -= x1;
                x1 = 0;
            }
            if (x2 < 0) {
                x1 -= x2;
                x2 = 0;
            }
            if (y1 < 0) {
                y2 -= y1;
                y1 = 0;
            }
            if (y2 < 0) {
                y1 -= y2;
                y2 = 0;
            }
            element->setLine(x1, y1, x2, y2);
        } else {
            if (element->Top() < 0)
                element->setTop(0);
            if (element->Left() < 0)
                element->setLeft(0);
        }
        // Handles already sit around every object nothing here moved.
        if (element->rect() != before)
            obj->MoveHd(metrics);
    }
    // The page grows to hold every shown object and never shrinks here; a
    // deleted object, which the user cannot see, holds no page. It keeps to
    // whole twips, as the gestures on it do.
    const QSizeF extent = shownExtent();
    if (m_page.Width() < extent.width())
        m_page.setWidth(std::ceil(extent.width()));
    if (m_page.Height() < extent.height())
        m_page.setHeight(std::ceil(extent.height()));

}

void ObjDraws::CalcExtent(double &start, double &end, double &total, bool onlySelected,
                          bool vertical) const
{
    bool seeded = false;
    for (const auto &obj : m_col) {
        const Element *element = obj->ObjCtl();
        if (!element)
            continue;
        const QRectF r = element->rect();
        const double low = vertical ? r.top() : r.left();
        const double high = vertical ? r.bottom() : r.right();
        // Seeded from the first object, selected or not.
        if (!seeded) {
            start = low;
            end = high;
            seeded = true;
        }
        if (onlySelected && !obj->IsActive())
            continue;
        start = std::min(start, low);
        end = std::max(end, high);
        total += vertical ? r.height() : r.width();
    }
}

QSizeF ObjDraws::shownExtent() const
{
    QSizeF extent(0, 0);
    for (const auto &obj : m_col) {
        const Element *element = obj->ObjCtl();
        if (!element || !element->Visible())
            continue;
        const QRectF r = element->rect();
        extent = extent.expandedTo(QSizeF(r.right(), r.bottom()));
    }
    return extent;
}

void ObjDraws::Clear()

{
    while (m_col.Count() > 1)
        m_col.Remove(1);
    m_idsKnown = false;
}
