#pragma once

#include "platform/BarcodeLook.h"
#include "platform/ElementFont.h"

#include <QString>
#include <QVariant>

#include <array>

#include <cstdint>

class ObjDraw;
class ObjDraws;
class QImage;
class QSqlDriver;
class QSqlQuery;

// One row of the objects table: a shown drawing object with the look of
// its element, at its position in the collection. A text's border is the
// selection cue and is not stored; geometry is the box of a text or
// picture, the two ends of a line, the other columns null.
struct ObjectRow
{
    enum Column {
        FID,
        Position,
        NID,
        EType,
        Left,
        Top,
        Width,
        Height,
        X1,
        Y1,
        X2,
        Y2,
        Caption,
        Tag,
        ToolTipText,
        FontName,
        FontSize,
        FontBold,
        FontItalic,
        FontUnderline,
        FontStrikethru,
        ForeColor,
        LineColor,
        Alignment,
        AutoSize,
        BorderStyle,
        LineStyle,
        LineWidth,
        Stretch,
        Clip,
        IsFix,
        DataType,
        IsScroll,
        Sumed,
        SumedPage,
        Format,
        Printed,
        Locked,
        BStyle,
        BWidth,
        FColor,
        BarcodeType,
        ModuleWidth,
        QrLevel,
        BarcodeText,
        ColumnCount
    };
    static const char *const ColumnNames[ColumnCount];
    // "FID, "Position", ..." in column order, quoted by the driver.
    static QString columnList(const QSqlDriver &driver);

    // Throws RuntimeError (InvalidArgument) for an object without element.
    static ObjectRow fromObject(const ObjDraw &obj, int position);
    // The row the query stands on (columns in column order). Throws
    // RuntimeError (TemplateDataCorrupt) for a value no saved object has.
    static ObjectRow read(const QSqlQuery &query);
    // The row's values in column order, as they are written.
    std::array<QVariant, ColumnCount> values(int16_t fid) const;
    // Loads the element at nID, gives it the stored look, links it to a new
    // member (saved: EditFlag -1) and sets the object's attributes.
    void applyTo(ObjDraws &objs, const QImage &picture, const QByteArray &pictureData) const;

    int position = 0;
    int nID = 0;
    int eType = 0;
    double left = 0, top = 0, width = 0, height = 0;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    QString caption;
    QString tag;
    QString toolTipText;
    ElementFont font;
    int32_t foreColor = 0;
    int32_t lineColor = 0;
    int alignment = 0;
    bool autoSize = false;
    int borderStyle = 0;
    int lineStyle = 1;
    int lineWidth = 1;
    bool stretch = false;
    bool clip = true;
    bool isFix = true;
    int dataType = 0;
    bool isScroll = false;
    bool sumed = false;
    bool sumedPage = false;
    QString format;
    bool printed = true;
    bool locked = false;
    int bStyle = 1;
    int bWidth = 1;
    int32_t fColor = 0;
    BarcodeLook barcode;
};
