#include "TemplateRow.h"

#include "RowReader.h"
#include "StoreTables.h"

#include "model/BillTemplate.h"

#include "platform/PageSurface.h"
#include "platform/PrinterCalibration.h"
#include "platform/Units.h"

#include <QDateTime>
#include <QVariant>

#include <cmath>
#include <limits>

namespace {

constexpr int64_t MaxInt16 = std::numeric_limits<int16_t>::max();
constexpr int64_t MinInt16 = std::numeric_limits<int16_t>::min();
constexpr int64_t MaxInt32 = std::numeric_limits<int32_t>::max();

// A null text would bind as SQL NULL; the columns hold empty text instead.
QVariant textValue(const QString &text)
{
    return text.isNull() ? QStringLiteral("") : text;
}

FormUnderlay readUnderlay(const RowReader &r)
{
    FormUnderlay underlay;
    if (r.isNull(TemplateRow::UnderlayData))
        return underlay;
    underlay.Data = r.bytes(TemplateRow::UnderlayData);
    underlay.FileName = r.text(TemplateRow::UnderlayFileName);
    underlay.Page = int(r.integer(TemplateRow::UnderlayPage, 1, MaxInt32));
    underlay.Opacity = int(r.integer(TemplateRow::UnderlayOpacity, FormUnderlay::MinOpacity,
                                     FormUnderlay::MaxOpacity));
    underlay.Place = QRectF(r.real(TemplateRow::UnderlayLeft), r.real(TemplateRow::UnderlayTop),
                            r.real(TemplateRow::UnderlayWidth),
                            r.real(TemplateRow::UnderlayHeight));
    if (underlay.Place.width() <= 0)
        r.corrupt(TemplateRow::UnderlayWidth);
    if (underlay.Place.height() <= 0)
        r.corrupt(TemplateRow::UnderlayHeight);
    return underlay;
}

// The template's offset is held to the printer's limits.
double readOffset(const RowReader &r, int column)
{
    const double twips = r.real(column);
    if (std::abs(twips) > Units::mmToTwips(PrinterCalibration::LimitMm) + 0.5)
        r.corrupt(column);
    return twips;
}

} // namespace

const char *const TemplateRow::ColumnNames[ColumnCount] = {
    "CategoryID",       "Name",           "PageWidth",       "PageHeight",    "mrowcount",
    "mRowHeight",       "mcolcount",      "mColWidth",       "mBlnColFirst",  "mLandScape",
    "mIsDefault",       "Revision",       "UnderlayData",    "UnderlayFileName", "UnderlayPage",
    "UnderlayOpacity",  "UnderlayLeft",   "UnderlayTop",     "UnderlayWidth", "UnderlayHeight",
    "OffsetLeft",       "OffsetTop",      "SavedAt"};

TemplateRow TemplateRow::fromTemplate(const BillTemplate &bill, const QString &name,
                                      int16_t categoryID, int32_t revision)
{
    TemplateRow row;
    const PageSurface &page = bill.mObjs.page();
    row.categoryID = categoryID;
    row.name = name;
    row.pageWidth = page.Width();
    row.pageHeight = page.Height();
    row.rowCount = bill.mrowcount;
    row.rowHeight = bill.mRowHeight;
    row.colCount = bill.mcolcount;
    row.colWidth = bill.mColWidth;
    row.colFirst = bill.mBlnColFirst;
    row.landScape = bill.mLandScape;
    row.isDefault = bill.mIsDefault;
    row.revision = revision;
    row.underlay = bill.mUnderlay;
    row.offsetLeft = bill.mOffsetLeft;
    row.offsetTop = bill.mOffsetTop;
    row.savedAt = QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs);
    return row;
}

QVariantList TemplateRow::values() const
{
    const bool any = !underlay.isEmpty();
    // Without an underlay its columns are null, so no stale place or file
    // name is kept.
    const auto ifAny = [any](const QVariant &value) { return any ? value : QVariant(); };
    return {categoryID,
            textValue(name),
            pageWidth,
            pageHeight,
            rowCount,
            rowHeight,
            colCount,
            colWidth,
            int(colFirst),
            int(landScape),
            int(isDefault),
            revision,
            ifAny(underlay.Data),
            ifAny(textValue(underlay.FileName)),
            ifAny(underlay.Page),
            ifAny(underlay.Opacity),
            ifAny(underlay.Place.left()),
            ifAny(underlay.Place.top()),
            ifAny(underlay.Place.width()),
            ifAny(underlay.Place.height()),
            offsetLeft,
            offsetTop,
            textValue(savedAt)};
}

TemplateRow TemplateRow::read(const QSqlQuery &query, int16_t id)
{
    const RowReader r(query, StoreTables::Templates, ColumnNames,
                      QStringLiteral("（单据 %1）").arg(id));
    TemplateRow row;
    row.categoryID = int16_t(r.integer(CategoryID, MinInt16, MaxInt16));
    row.name = r.text(Name);
    row.pageWidth = r.length(PageWidth);
    row.pageHeight = r.length(PageHeight);
    if (row.pageWidth <= 0)
        r.corrupt(PageWidth);
    if (row.pageHeight <= 0)
        r.corrupt(PageHeight);
    row.rowCount = int16_t(r.integer(RowCount, MinInt16, MaxInt16));
    row.rowHeight = r.length(RowHeight);
    row.colCount = int16_t(r.integer(ColCount, MinInt16, MaxInt16));
    row.colWidth = r.length(ColWidth);
    row.colFirst = r.flag(ColFirst);
    row.landScape = r.flag(LandScape);
    row.isDefault = r.flag(IsDefault);
    row.revision = int32_t(r.integer(Revision, 0, MaxInt32));
    row.underlay = readUnderlay(r);
    row.offsetLeft = readOffset(r, OffsetLeft);
    row.offsetTop = readOffset(r, OffsetTop);
    row.savedAt = r.text(SavedAt);
    return row;
}

void TemplateRow::applyTo(BillTemplate &fresh) const
{
    fresh.Caption = name;
    fresh.mScreenID = categoryID;
    fresh.mIsDefault = isDefault;
    fresh.mRowHeight = rowHeight;
    fresh.mrowcount = rowCount;
    fresh.mLandScape = landScape;
    fresh.mColWidth = colWidth;
    fresh.mcolcount = colCount;
    fresh.mBlnColFirst = colFirst;
    fresh.mUnderlay = underlay;
    fresh.mOffsetLeft = offsetLeft;
    fresh.mOffsetTop = offsetTop;
    fresh.mObjs.page().setWidth(pageWidth);
    fresh.mObjs.page().setHeight(pageHeight);
}
