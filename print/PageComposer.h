#pragma once

#include <QDateTime>
#include <QPointF>
#include <QString>
#include <QVariant>

#include <cstdint>
#include <vector>

class ObjDraw;
class QPainter;
struct BillTemplate;

// What a page is composed for: its number, the run it belongs to and the
// moment it is printed.
struct PageContext
{
    int Page = 1;
    int PageCount = 1;
    int32_t BillNo = 0;
    bool IsDemo = true;
    QDateTime Now;
    // One screen pixel, for line and border widths (on paper too) and a
    // picture's natural width; TwipsPerPixelY for its natural height.
    double TwipsPerPixel = 15.0;
    double TwipsPerPixelY = 15.0;
};

// Draws one page of a template on a painter working in page twips: shown,
// printed objects in collection order, texts through the designer's own
// text layout, repeating objects over the scrolling grid.
namespace PageComposer {

void Compose(QPainter &painter, const BillTemplate &bill, const PageContext &context);

// Offsets of the scrolling grid's cells from an object's own box, in fill
// order (row by row, or column by column when mBlnColFirst).
std::vector<QPointF> ScrollCells(const BillTemplate &bill);
// The value of a field code on the page; invalid for an unknown code.
QVariant FieldValue(const QString &code, const PageContext &context);
// The text a text object prints in one cell of the page.
QString PrintedText(const ObjDraw &obj, const BillTemplate &bill, const PageContext &context);

} // namespace PageComposer
