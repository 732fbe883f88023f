#include "TemplateState.h"

#include "BillTemplate.h"
#include "ObjDraw.h"
#include "ObjDraws.h"
#include "ObjHds.h"

#include "platform/Element.h"
#include "platform/PageSurface.h"

namespace {

// Appends `name` when the two values differ.
template<typename T>
void compare(QStringList &out, const QString &name, const T &a, const T &b)
{
    if (!(a == b))
        out << name;
}

} // namespace

ObjectPlace ObjectPlace::of(const ObjDraw &obj)
{
    const Element &e = obj.requireCtl();
    ObjectPlace place;
    place.id = obj.nID();
    place.visible = e.Visible();
    if (e.isLine()) {
        place.a = e.x1();
        place.b = e.y1();
        place.c = e.x2();
        place.d = e.y2();
    } else {
        place.a = e.Left();
        place.b = e.Top();
        place.c = e.Width();
        place.d = e.Height();
    }
    return place;
}

void ObjectPlace::applyTo(ObjDraw &obj) const
{
    // Members of a collection always have its page.
    applyTo(obj, ObjDraw::hdMetrics(*obj.page()));
}

void ObjectPlace::applyTo(ObjDraw &obj, const ObjDraw::HdMetrics &metrics) const
{
    Element &e = obj.requireCtl();
    const bool hides = !visible && e.Visible();
    const bool shows = visible && !e.Visible();
    if (hides) {
        obj.deselect();
        obj.Handls()->Clear();
    }
    if (e.isLine())
        e.setLine(a, b, c, d);
    else
        e.Move(a, b, c, d);
    e.setVisible(visible);
    if (shows)
        obj.LoadHd();
    obj.MoveHd(metrics);
    // What the store holds of it is no longer what it is.
    if (obj.EditFlag() == ObjDraw::Saved)
        obj.setEditFlag(ObjDraw::Changed);
}

ObjectState ObjectState::of(const ObjDraw &obj)
{
    const Element &e = obj.requireCtl();
    ObjectState s;
    s.place = ObjectPlace::of(obj);
    s.eType = obj.eType();
    s.caption = e.Caption();
    s.tag = e.Tag();
    s.toolTip = e.ToolTipText();
    s.font = e.Font();
    s.foreColor = e.ForeColor();
    s.borderStyle = e.BorderStyle();
    s.borderWidth = e.BorderWidth();
    s.borderColor = e.BorderColor();
    s.autoSize = e.AutoSize();
    s.alignment = e.Alignment();
    s.picture = e.Picture();
    s.pictureData = e.PictureData();
    s.stretch = e.Stretch();
    s.clip = obj.Clip();
    s.isFix = obj.IsFix();
    s.dataType = obj.DataType();
    s.isScroll = obj.IsScroll();
    s.sumed = obj.Sumed();
    s.sumedPage = obj.SumedPage();
    s.format = obj.Format();
    s.printed = obj.Printed();
    s.barcode = obj.Barcode();
    s.locked = obj.Locked();
    s.bStyle = obj.BStyle();
    s.bWidth = obj.BWidth();
    s.fColor = obj.FColor();
    return s;
}

void ObjectState::applyTo(ObjDraw &obj) const
{
    Element &e = obj.requireCtl();
    obj.setClip(clip);
    // Each of these clears the ones after it; set in this order they end
    // as they were.
    obj.setIsFix(isFix);
    obj.setIsScroll(isScroll);
    obj.setSumed(sumed);
    obj.setSumedPage(sumedPage);
    obj.setDataType(dataType);
    obj.setFormat(format);
    obj.setPrinted(printed);
    obj.setBStyle(bStyle);
    obj.setBWidth(bWidth);
    obj.setFColor(fColor);
    obj.setLocked(locked);
    e.setCaption(caption);
    e.setTag(tag);
    e.setToolTipText(toolTip);
    e.setFont(font);
    e.setForeColor(foreColor);
    e.setBorderStyle(borderStyle);
    e.setBorderWidth(borderWidth);
    e.setBorderColor(borderColor);
    e.setAlignment(alignment);
    e.setPicture(picture, pictureData);
    e.setStretch(stretch);
    obj.setBarcode(barcode);
    e.setAutoSize(autoSize);
    // The place last: an auto-sized text has taken its caption's size.
    place.applyTo(obj);
}

QStringList ObjectState::differences(const ObjectState &o) const
{
    QStringList out;
    compare(out, QStringLiteral("Visible"), place.visible, o.place.visible);
    compare(out, QStringLiteral("Place"), QList<double>{place.a, place.b, place.c, place.d},
            QList<double>{o.place.a, o.place.b, o.place.c, o.place.d});
    compare(out, QStringLiteral("eType"), eType, o.eType);
    compare(out, QStringLiteral("Caption"), caption, o.caption);
    compare(out, QStringLiteral("Tag"), tag, o.tag);
    compare(out, QStringLiteral("ToolTipText"), toolTip, o.toolTip);
    compare(out, QStringLiteral("Font"), font, o.font);
    compare(out, QStringLiteral("ForeColor"), foreColor, o.foreColor);
    // A text's border is the selection's cue, compared with the selection.
    if (eType != ObjDraw::Text)
        compare(out, QStringLiteral("BorderStyle"), borderStyle, o.borderStyle);
    compare(out, QStringLiteral("BorderWidth"), borderWidth, o.borderWidth);
    compare(out, QStringLiteral("BorderColor"), borderColor, o.borderColor);
    compare(out, QStringLiteral("AutoSize"), autoSize, o.autoSize);
    compare(out, QStringLiteral("Alignment"), alignment, o.alignment);
    compare(out, QStringLiteral("Picture"), picture, o.picture);
    compare(out, QStringLiteral("PictureData"), pictureData, o.pictureData);
    compare(out, QStringLiteral("Stretch"), stretch, o.stretch);
    compare(out, QStringLiteral("Clip"), clip, o.clip);
    compare(out, QStringLiteral("IsFix"), isFix, o.isFix);
    compare(out, QStringLiteral("DataType"), dataType, o.dataType);
    compare(out, QStringLiteral("IsScroll"), isScroll, o.isScroll);
    compare(out, QStringLiteral("Sumed"), sumed, o.sumed);
    compare(out, QStringLiteral("SumedPage"), sumedPage, o.sumedPage);
    compare(out, QStringLiteral("Format"), format, o.format);
    compare(out, QStringLiteral("Printed"), printed, o.printed);
    compare(out, QStringLiteral("Barcode"), barcode, o.barcode);
    compare(out, QStringLiteral("Locked"), locked, o.locked);
    compare(out, QStringLiteral("BStyle"), bStyle, o.bStyle);
    compare(out, QStringLiteral("BWidth"), bWidth, o.bWidth);
    compare(out, QStringLiteral("FColor"), fColor, o.fColor);
    return out;
}

PageState PageState::of(const BillTemplate &bill)
{
    PageState s;
    s.caption = bill.Caption;
    s.isDefault = bill.mIsDefault;
    s.rowHeight = bill.mRowHeight;
    s.rowCount = bill.mrowcount;
    s.landscape = bill.mLandScape;
    s.colWidth = bill.mColWidth;
    s.colCount = bill.mcolcount;
    s.colFirst = bill.mBlnColFirst;
    s.underlay = bill.mUnderlay;
    s.offsetLeft = bill.mOffsetLeft;
    s.offsetTop = bill.mOffsetTop;
    s.size = QSizeF(bill.mObjs.page().Width(), bill.mObjs.page().Height());
    return s;
}

void PageState::applyTo(BillTemplate &bill) const
{
    bill.Caption = caption;
    bill.mIsDefault = isDefault;
    bill.mRowHeight = rowHeight;
    bill.mrowcount = rowCount;
    bill.mLandScape = landscape;
    bill.mColWidth = colWidth;
    bill.mcolcount = colCount;
    bill.mBlnColFirst = colFirst;
    bill.mUnderlay = underlay;
    bill.mOffsetLeft = offsetLeft;
    bill.mOffsetTop = offsetTop;
    applySize(bill, size);
}

void PageState::applySize(BillTemplate &bill, const QSizeF &size)
{
    PageSurface &page = bill.mObjs.page();
    if (page.Width() != size.width())
        page.setWidth(size.width());
    if (page.Height() != size.height())
        page.setHeight(size.height());
}

QStringList PageState::differences(const PageState &o) const
{
    QStringList out;
    compare(out, QStringLiteral("Caption"), caption, o.caption);
    compare(out, QStringLiteral("mIsDefault"), isDefault, o.isDefault);
    compare(out, QStringLiteral("mRowHeight"), rowHeight, o.rowHeight);
    compare(out, QStringLiteral("mrowcount"), rowCount, o.rowCount);
    compare(out, QStringLiteral("mLandScape"), landscape, o.landscape);
    compare(out, QStringLiteral("mColWidth"), colWidth, o.colWidth);
    compare(out, QStringLiteral("mcolcount"), colCount, o.colCount);
    compare(out, QStringLiteral("mBlnColFirst"), colFirst, o.colFirst);
    compare(out, QStringLiteral("mUnderlay"), underlay, o.underlay);
    compare(out, QStringLiteral("mOffsetLeft"), offsetLeft, o.offsetLeft);
    compare(out, QStringLiteral("mOffsetTop"), offsetTop, o.offsetTop);
    compare(out, QStringLiteral("Size"), size, o.size);
    return out;
}

Selection Selection::of(const ObjDraws &objs)
{
    Selection s;
    if (objs.nActCount() == 0)
        return s;
    s.ids.reserve(std::size_t(objs.nActCount()));
    for (const auto &obj : objs) {
        if (obj->IsActive())
            s.ids.push_back(obj->nID());
    }
    s.current = objs.nCurID();
    return s;
}

void Selection::applyTo(ObjDraws &objs) const
{
    // An object hidden while selected (its drawing undone) leaves the count
    // above what is selected: the same ids are not yet the same selection.
    if (Selection::of(objs) == *this && objs.nActCount() == int(ids.size()))
        return;
    objs.setNActCount(0);
    int shown = 0;
    int last = 0;
    bool currentShown = false;
    for (const int id : ids) {
        ObjDraw *obj = objs.findByID(id);
        if (!obj || !obj->ObjCtl() || !obj->ObjCtl()->Visible())
            continue;
        obj->setIsActive(true);
        ++shown;
        last = id;
        currentShown = currentShown || id == current;
    }
    if (shown == 0)
        return;
    objs.setNActCount(shown);
    objs.setNCurID(currentShown ? current : last);
}

TemplateState TemplateState::of(const BillTemplate &bill)
{
    TemplateState s;
    s.page = PageState::of(bill);
    s.objects.reserve(std::size_t(bill.mObjs.Count()));
    for (const auto &obj : bill.mObjs) {
        if (obj->ObjCtl())
            s.objects.push_back(ObjectState::of(*obj));
    }
    s.selection = Selection::of(bill.mObjs);
    return s;
}

QStringList TemplateState::differences(const TemplateState &other) const
{
    QStringList out;
    for (const QString &field : page.differences(other.page))
        out << QStringLiteral("page ") + field;
    // Objects are never taken out: one drawn later and hidden again (an
    // undone draw or clone) is as good as none.
    const std::size_t n = std::min(objects.size(), other.objects.size());
    const auto &longer = objects.size() > n ? objects : other.objects;
    for (std::size_t i = n; i < longer.size(); ++i) {
        if (longer[i].place.visible)
            out << QStringLiteral("object %1 only in one").arg(longer[i].place.id);
    }
    for (std::size_t i = 0; i < n; ++i) {
        const ObjectState &a = objects[i];
        const ObjectState &b = other.objects[i];
        if (a.place.id != b.place.id) {
            out << QStringLiteral("object %1 is %2").arg(a.place.id).arg(b.place.id);
            continue;
        }
        for (const QString &field : a.differences(b))
            out << QStringLiteral("object %1 %2").arg(a.place.id).arg(field);
    }
    if (!(selection == other.selection))
        out << QStringLiteral("selection");
    return out;
}
