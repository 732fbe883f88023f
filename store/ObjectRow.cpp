#include "ObjectRow.h"

#include "RowReader.h"
#include "StoreTables.h"

#include "model/ObjDraw.h"
#include "model/ObjDraws.h"

#include "platform/Element.h"
#include "platform/ElementArray.h"
#include "platform/PageSurface.h"
#include "platform/RuntimeError.h"

#include <QSqlDriver>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

#include <limits>

namespace {

constexpr int32_t MaxColour = 0xffffff;
constexpr int64_t MaxInt32 = std::numeric_limits<int32_t>::max();
constexpr int64_t MinInt32 = std::numeric_limits<int32_t>::min();

BarcodeLook readBarcode(const RowReader &r)
{
    BarcodeLook look;
    look.type = int(
        r.integer(ObjectRow::BarcodeType, BarcodeLook::FirstType, BarcodeLook::LastType));
    // A server may keep the width in single precision.
    look.moduleWidth = BarcodeLook::roundedWidth(r.real(ObjectRow::ModuleWidth));
    if (!BarcodeLook::isModuleWidth(look.moduleWidth))
        r.corrupt(ObjectRow::ModuleWidth);
    look.qrLevel = int(r.integer(ObjectRow::QrLevel, BarcodeLook::QrL, BarcodeLook::QrH));
    look.showText = r.flag(ObjectRow::BarcodeText);
    return look;
}

} // namespace

const char *const ObjectRow::ColumnNames[ColumnCount] = {
    "FID",         "Position",   "nID",       "eType",          "Left",          "Top",
    "Width",       "Height",     "x1",        "y1",             "x2",            "y2",
    "Caption",     "Tag",        "ToolTipText", "FontName",     "FontSize",      "FontBold",
    "FontItalic",  "FontUnderline", "FontStrikethru", "ForeColor", "LineColor",  "Alignment",
    "AutoSize",    "BorderStyle", "LineStyle", "LineWidth",     "Stretch",       "Clip",
    "IsFix",       "DataType",   "IsScroll",  "Sumed",          "SumedPage",     "Format",
    "Printed",     "Locked",     "BStyle",    "BWidth",         "FColor",        "BarcodeType",
    "ModuleWidth", "QrLevel",    "BarcodeText"};

QString ObjectRow::columnList(const QSqlDriver &driver)
{
    QStringList names{QLatin1String(ColumnNames[FID])};
    for (int column = FID + 1; column < ColumnCount; ++column)
        names << driver.escapeIdentifier(QLatin1String(ColumnNames[column]),
                                         QSqlDriver::FieldName);
    return names.join(QStringLiteral(", "));
}

ObjectRow ObjectRow::fromObject(const ObjDraw &obj, int position)
{
    const Element *element = obj.ObjCtl();
    if (!element)
        throw RuntimeError(RuntimeError::InvalidArgument, ObjDraw::KeyOf(obj.nID()));
    ObjectRow row;
    row.position = position;
    row.nID = obj.nID();
    row.eType = obj.eType();
    if (element->isLine()) {
        row.x1 = element->x1();
        row.y1 = element->y1();
        row.x2 = element->x2();
        row.y2 = element->y2();
        row.lineStyle = element->BorderStyle();
        row.lineWidth = element->BorderWidth();
        row.lineColor = ObjDraw::rgbValueFromColor(element->BorderColor());
    } else {
        row.left = element->Left();
        row.top = element->Top();
        row.width = element->Width();
        row.height = element->Height();
    }
    if (row.eType == ObjDraw::Picture)
        row.borderStyle = element->BorderStyle();
    row.caption = element->Caption();
    row.tag = element->Tag();
    row.toolTipText = element->ToolTipText();
    row.font = element->Font();
    row.foreColor = ObjDraw::rgbValueFromColor(element->ForeColor());
    row.alignment = element->Alignment();
    row.autoSize = element->AutoSize();
    row.stretch = element->Stretch();
    row.clip = obj.Clip();
    row.isFix = obj.IsFix();
    row.dataType = obj.DataType();
    row.isScroll = obj.IsScroll();
    row.sumed = obj.Sumed();
    row.sumedPage = obj.SumedPage();
    row.format = obj.Format();
    row.printed = obj.Printed();
    row.locked = obj.Locked();
    row.bStyle = obj.BStyle();
    row.bWidth = obj.BWidth();
    row.fColor = obj.FColor();
    row.barcode = obj.Barcode();
    return row;
}

std::array<QVariant, ObjectRow::ColumnCount> ObjectRow::values(int16_t fid) const
{
    const bool line = eType == ObjDraw::Line;
    auto boxValue = [line](double v) { return line ? QVariant() : QVariant(v); };
    auto lineValue = [line](const QVariant &v) { return line ? v : QVariant(); };
    return {
        fid,
        position,
        nID,
        eType,
        boxValue(left),
        boxValue(top),
        boxValue(width),
        boxValue(height),
        lineValue(x1),
        lineValue(y1),
        lineValue(x2),
        lineValue(y2),
        caption,
        tag,
        toolTipText,
        font.Name,
        font.Size,
        int(font.Bold),
        int(font.Italic),
        int(font.Underline),
        int(font.Strikethru),
        foreColor,
        lineValue(lineColor),
        alignment,
        int(autoSize),
        eType == ObjDraw::Picture ? QVariant(borderStyle) : QVariant(),
        lineValue(lineStyle),
        lineValue(lineWidth),
        int(stretch),
        int(clip),
        int(isFix),
        dataType,
        int(isScroll),
        int(sumed),
        int(sumedPage),
        format,
        int(printed),
        int(locked),
        bStyle,
        bWidth,
        fColor,
        barcode.type,
        barcode.moduleWidth,
        barcode.qrLevel,
        int(barcode.showText),
    };
}

ObjectRow ObjectRow::read(const QSqlQuery &query)
{
    ObjectRow row;
    const RowReader position(query, StoreTables::Objects, ColumnNames, QString());
    row.position = int(position.integer(Position, 1, MaxInt32));
    const RowReader r(query, StoreTables::Objects, ColumnNames,
                      QStringLiteral("（第 %1 个对象）").arg(row.position));
    row.eType = int(r.integer(EType, ObjDraw::Line, ObjDraw::Picture));
    row.nID = int(r.integer(NID, ObjDraw::FirstID(row.eType), ObjDraw::LastID(row.eType)));
    if (row.eType == ObjDraw::Line) {
        row.x1 = r.length(X1);
        row.y1 = r.length(Y1);
        row.x2 = r.length(X2);
        row.y2 = r.length(Y2);
        row.lineColor = int32_t(r.integer(LineColor, 0, MaxColour));
        row.lineStyle = int(r.integer(LineStyle, 0, 6));
        row.lineWidth = int(r.integer(LineWidth, 0, MaxInt32));
    } else {
        row.left = r.length(Left);
        row.top = r.length(Top);
        row.width = r.length(Width);
        row.height = r.length(Height);
    }
    if (row.eType == ObjDraw::Picture)
        row.borderStyle = int(r.integer(BorderStyle, 0, 1));
    row.caption = r.text(Caption);
    row.tag = r.text(Tag);
    row.toolTipText = r.text(ToolTipText);
    row.font.Name = r.text(FontName);
    row.font.Size = r.real(FontSize);
    if (row.font.Size <= 0)
        r.corrupt(FontSize);
    row.font.Bold = r.flag(FontBold);
    row.font.Italic = r.flag(FontItalic);
    row.font.Underline = r.flag(FontUnderline);
    row.font.Strikethru = r.flag(FontStrikethru);
    row.foreColor = int32_t(r.integer(ForeColor, 0, MaxColour));
    row.alignment = int(r.integer(Alignment, 0, 2));
    row.autoSize = r.flag(AutoSize);
    row.stretch = r.flag(Stretch);
    row.clip = r.flag(Clip);
    row.isFix = r.flag(IsFix);
    row.dataType = int(r.integer(DataType, MinInt32, MaxInt32));
    row.isScroll = r.flag(IsScroll);
    row.sumed = r.flag(Sumed);
    row.sumedPage = r.flag(SumedPage);
    row.format = r.text(Format);
    row.printed = r.flag(Printed);
    row.locked = r.flag(Locked);
    row.bStyle = int(r.integer(BStyle, MinInt32, MaxInt32));
    row.bWidth = int(r.integer(BWidth, MinInt32, MaxInt32));
    row.fColor = int32_t(r.integer(FColor, MinInt32, MaxInt32));
    row.barcode = readBarcode(r);
    return row;
}

void ObjectRow::applyTo(ObjDraws &objs, const QImage &picture, const QByteArray &pictureData) const
{
    Element &element = objs.page().arrayOf(ObjDraw::elementKindOf(eType)).Load(nID);
    element.setCaption(caption);
    element.setTag(tag);
    element.setToolTipText(toolTipText);
    element.setFont(font);
    element.setForeColor(ObjDraw::colorFromRgbValue(foreColor));
    element.setAlignment(alignment);
    element.setAutoSize(autoSize);
    element.setStretch(stretch);
    // Geometry after the caption, font and auto-size, which would refit a
    // label: the stored box is the one the template was saved with.
    switch (eType) {
    case ObjDraw::Line:
        element.setBorderStyle(lineStyle);
        element.setBorderWidth(lineWidth);
        element.setBorderColor(ObjDraw::colorFromRgbValue(lineColor));
        element.setLine(x1, y1, x2, y2);
        break;
    case ObjDraw::Text:
        // The unselected look: only an empty label shows its border.
        element.setBorderStyle(ObjDraw::textBorderFor(caption, false));
        element.Move(left, top, width, height);
        break;
    default:
        element.setBorderStyle(borderStyle);
        element.setPicture(picture, pictureData);
        element.Move(left, top, width, height);
        break;
    }
    element.setVisible(true);
    const std::shared_ptr<ObjDraw> obj = objs.LinkCtl(nID, eType, &element, -1);
    // The order Add copies them in: no setter undoes a value set before it.
    obj->setIsFix(isFix);
    obj->setClip(clip);
    obj->setDataType(dataType);
    obj->setFormat(format);
    obj->setIsScroll(isScroll);
    obj->setSumed(sumed);
    obj->setSumedPage(sumedPage);
    obj->setPrinted(printed);
    obj->setBStyle(bStyle);
    obj->setBWidth(bWidth);
    obj->setFColor(fColor);
    obj->setBarcode(barcode);
    // The handles exist now, so the lock shows on them.
    obj->setLocked(locked);
}
