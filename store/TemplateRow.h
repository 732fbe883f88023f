#pragma once

#include "model/FormUnderlay.h"

#include <QString>
#include <QVariantList>

#include <cstdint>

struct BillTemplate;
class QSqlQuery;

// One row of the templates table, after FID: name, category, page settings,
// the form beneath the page and the template's offset on paper.
struct TemplateRow
{
    enum Column {
        CategoryID,
        Name,
        PageWidth,
        PageHeight,
        RowCount,
        RowHeight,
        ColCount,
        ColWidth,
        ColFirst,
        LandScape,
        IsDefault,
        Revision,
        UnderlayData,
        UnderlayFileName,
        UnderlayPage,
        UnderlayOpacity,
        UnderlayLeft,
        UnderlayTop,
        UnderlayWidth,
        UnderlayHeight,
        OffsetLeft,
        OffsetTop,
        SavedAt,
        ColumnCount
    };
    static const char *const ColumnNames[ColumnCount];

    static TemplateRow fromTemplate(const BillTemplate &bill, const QString &name,
                                    int16_t categoryID, int32_t revision);
    // The row the query stands on (columns in column order). Throws
    // RuntimeError (TemplateDataCorrupt) for a value no saved template has.
    static TemplateRow read(const QSqlQuery &query, int16_t id);
    // The values in column order.
    QVariantList values() const;
    // Everything but the objects and the identity (mID, mRevision).
    void applyTo(BillTemplate &fresh) const;

    int16_t categoryID = 0;
    QString name;
    double pageWidth = 0;
    double pageHeight = 0;
    int16_t rowCount = 0;
    double rowHeight = 0;
    int16_t colCount = 0;
    double colWidth = 0;
    bool colFirst = false;
    bool landScape = false;
    bool isDefault = false;
    int32_t revision = 0;
    FormUnderlay underlay;
    double offsetLeft = 0;
    double offsetTop = 0;
    // When it was saved: UTC, ISO 8601 with milliseconds; empty for a
    // template saved before the store kept the time.
    QString savedAt;
};
