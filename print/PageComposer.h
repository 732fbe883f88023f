#pragma once

#include <QDateTime>
#include <QPointF>
#include <QString>
#include <QVariant>

#include <cstdint>
#include <functional>
#include <vector>

class Element;
class ObjDraw;
class QPainter;
struct BillTemplate;
struct DocumentData;

// What a page is composed for: its number, the run it belongs to and the
// moment it is printed.
struct PageContext
{
    int Page = 1;
    int PageCount = 1;
    int32_t BillNo = 0;
    bool IsDemo = true;
    QDateTime Now;
    // The document the run prints; none prints its fields empty.
    const DocumentData *Data = nullptr;
    // Lines of the document on one page (0: worked out from the template).
    int LinesPerPage = 0;
};

// Draws one page of a template on a painter working in page twips: shown,
// printed objects in collection order, texts through the designer's own
// text layout, repeating objects over the scrolling grid.
//
// With a document: a single value prints its header column (a detail
// column: the page's first line). A scrolling detail field fills the grid's
// cells in fill order with the page's lines, page p holding lines
// (p - 1) * cells + 1 onwards; other scrolling values repeat in every cell.
// On a detail field "[小计]" is the exact sum of the page's lines, "[总计]"
// the sum of every line up to the page's last one (the document's total on
// the last page), so a total carried forward prints on every page. A sum
// that meets a value that is no number prints empty (DetailSum).
namespace PageComposer {

void Compose(QPainter &painter, const BillTemplate &bill, const PageContext &context);

// One text a page prints: the object, its element, the text and the
// offset of its cell from the object's own box.
using TextVisitor = std::function<void(const ObjDraw &obj, const Element &e, const QString &text,
                                       const QPointF &offset)>;
// Every text Compose prints on the page, in the order it prints them.
void ForEachText(const BillTemplate &bill, const PageContext &context, const TextVisitor &visit);

// Offsets of the scrolling grid's cells that lie on the page from an
// object's own box, in fill order (row by row, or column by column when
// mBlnColFirst). A cell that starts past the page's edge is none of them
// (ScrollGrid): it could never print.
std::vector<QPointF> ScrollCells(const BillTemplate &bill);
// Cells of the grid on the page, at least 1.
int CellCount(const BillTemplate &bill);
// The template has a scrolling field bound to a detail column.
bool ScrollsDetail(const BillTemplate &bill);
// Lines one page holds: the grid's cells on the page when a detail field
// scrolls over them, otherwise every line (the page shows single values
// and sums only).
int LinesPerPage(const BillTemplate &bill, const DocumentData *data);
// Pages the document fills: its lines over the grid's cells, rounded up,
// at least 1; 1 without a document or without a scrolling detail field.
int PageCount(const BillTemplate &bill, const DocumentData *data);
// The value of a field code on the page; invalid for an unknown code.
QVariant FieldValue(const QString &code, const PageContext &context);
// The text a text object prints on the page; in cell `line` of the page's
// lines for a scrolling detail field (-1: not a cell).
QString PrintedText(const ObjDraw &obj, const BillTemplate &bill, const PageContext &context,
                    int line = -1);

} // namespace PageComposer
