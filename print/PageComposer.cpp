#include "PageComposer.h"

#include "print/DetailSum.h"
#include "print/FieldVocabulary.h"
#include "print/ScrollGrid.h"
#include "print/ValueFormat.h"

#include "documents/DocumentData.h"
#include "model/BillTemplate.h"
#include "platform/BarcodeLayout.h"
#include "platform/BarcodePainter.h"
#include "platform/BarcodeSymbol.h"
#include "platform/Element.h"
#include "platform/ElementPainter.h"
#include "platform/PrintedSize.h"
#include "platform/TextLayout.h"

#include <QPainter>
#include <QPen>

#include <algorithm>

namespace PageComposer {

namespace {

bool isNumeric(const QVariant &v)
{
    const int id = v.typeId();
    return id == QMetaType::Int || id == QMetaType::Double || id == QMetaType::LongLong;
}

// A run-time value is the same in every cell of a page, so its page total
// is that value times the cells.
double pageTotal(const QString &code, const PageContext &context, int page, int cells)
{
    PageContext at = context;
    at.Page = page;
    return FieldValue(code, at).toDouble() * cells;
}

bool isRunTimeCode(const QString &code)
{
    return FieldVocabulary::IndexOfCode(code) > 0;
}

QString detailText(const ObjDraw &obj, const BillTemplate &bill, const PageContext &context,
                   const QString &column, int line)
{
    const DocumentData *data = context.Data;
    if (!data)
        return QString();
    const int index = data->detailIndex(column);
    if (index < 0)
        return QString();
    const int perPage = context.LinesPerPage > 0 ? context.LinesPerPage : LinesPerPage(bill, data);
    const int first = (context.Page - 1) * perPage;
    if (obj.Sumed()) {
        const std::optional<Decimal> sum
            = DetailSum::Over(*data, index, obj.SumedPage() ? first : 0, first + perPage);
        // Better empty than a total that leaves out a line.
        return sum ? ValueFormat::FormatValue(QVariant::fromValue(*sum), obj.Format()) : QString();
    }
    const QVariant value = data->detailValue(line >= 0 ? first + line : first, index);
    return value.isValid() ? ValueFormat::FormatValue(value, obj.Format()) : QString();
}

// A code that cannot be printed leaves its box empty; the run named it
// before it started.
void drawCode(QPainter &painter, const ObjDraw &obj, const Element &e, const QString &text,
              const QPointF &offset)
{
    const auto symbol = BarcodeSymbol::encode(obj.Barcode(), text);
    const BarcodeLayout layout(*symbol, obj.Barcode(), e.rect().translated(offset), e.Font(),
                               e.Alignment());
    BarcodePainter::paint(painter, layout, e.Font(), e.ForeColor());
}

void drawText(QPainter &painter, const ObjDraw &obj, const Element &e, const QString &text,
              const QPointF &offset)
{
    if (obj.Barcode().isCode()) {
        drawCode(painter, obj, e, text, offset);
        return;
    }
    QRectF box = e.rect().translated(offset);
    if (e.AutoSize())
        box.setSize(TextLayout::naturalSize(text, e.Font()));
    TextLayout::draw(painter, box, text, e.Font(), e.ForeColor(), e.Alignment(), e.AutoSize(),
                     obj.Clip());
}

// What a text object prints on the page: a single value in its box; a
// scrolling detail field the page's lines in the cells, in fill order
// (cells past the document's last line stay empty); any other scrolling
// value in every cell. cells: the grid, worked out on first need.
void forEachText(const ObjDraw &obj, const Element &e, const BillTemplate &bill,
                 const PageContext &context, std::vector<QPointF> &cells,
                 const TextVisitor &visit)
{
    if (!FieldVocabulary::Scrolls(obj)) {
        visit(obj, e, PrintedText(obj, bill, context), QPointF());
        return;
    }
    if (cells.empty())
        cells = ScrollCells(bill);
    if (FieldVocabulary::IsDetailCode(e.Tag())) {
        const int lines = context.Data ? context.Data->lineCount() : 0;
        const int first = (context.Page - 1) * int(cells.size());
        for (int k = 0; k < int(cells.size()) && first + k < lines; ++k)
            visit(obj, e, PrintedText(obj, bill, context, k), cells[std::size_t(k)]);
        return;
    }
    const QString text = PrintedText(obj, bill, context);
    for (const QPointF &offset : cells)
        visit(obj, e, text, offset);
}

PageContext withLinesPerPage(const BillTemplate &bill, const PageContext &pageContext)
{
    PageContext context = pageContext;
    if (context.LinesPerPage <= 0)
        context.LinesPerPage = LinesPerPage(bill, context.Data);
    return context;
}

bool printsOnPage(const ObjDraw &obj)
{
    const Element *e = obj.ObjCtl();
    return e && e->Visible() && obj.Printed();
}

void drawPicture(QPainter &painter, const ObjDraw &obj, const Element &e)
{
    const QRectF box = e.rect();
    const QImage &picture = e.Picture();
    if (!picture.isNull()) {
        if (e.Stretch()) {
            painter.drawImage(box, picture);
        } else {
            painter.save();
            painter.setClipRect(box, Qt::IntersectClip);
            painter.drawImage(QRectF(box.topLeft(), PrintedSize::naturalSize(picture)), picture);
            painter.restore();
        }
    }
    if (e.BorderStyle() != Element::FixedSingle)
        return;
    const auto style = Qt::PenStyle(ElementPainter::penStyleFor(obj.BStyle()));
    if (style == Qt::NoPen)
        return;
    const double width = std::max(1, obj.BWidth()) * PrintedSize::TwipsPerPixel;
    painter.save();
    painter.setPen(QPen(ObjDraw::colorFromRgbValue(obj.FColor()), width, style, Qt::SquareCap,
                        Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    // Inside the box, as the designer's border is.
    painter.drawRect(box.adjusted(width / 2, width / 2, -width / 2, -width / 2));
    painter.restore();
}

} // namespace

int CellCount(const BillTemplate &bill)
{
    const ScrollGrid grid(bill);
    return grid.rowsOnPage() * grid.colsOnPage();
}

bool ScrollsDetail(const BillTemplate &bill)
{
    for (const auto &obj : bill.mObjs) {
        const Element *e = obj->ObjCtl();
        if (e && e->Visible() && obj->eType() == ObjDraw::Text && FieldVocabulary::Scrolls(*obj)
            && FieldVocabulary::IsDetailCode(e->Tag()))
            return true;
    }
    return false;
}

int LinesPerPage(const BillTemplate &bill, const DocumentData *data)
{
    if (ScrollsDetail(bill))
        return CellCount(bill);
    return std::max(1, data ? data->lineCount() : 0);
}

int PageCount(const BillTemplate &bill, const DocumentData *data)
{
    if (!data || data->lineCount() == 0 || !ScrollsDetail(bill))
        return 1;
    const int cells = CellCount(bill);
    return (data->lineCount() + cells - 1) / cells;
}

std::vector<QPointF> ScrollCells(const BillTemplate &bill)
{
    return ScrollGrid(bill).cellsOnPage();
}

QVariant FieldValue(const QString &code, const PageContext &context)
{
    if (code == FieldVocabulary::PageNo)
        return context.Page;
    if (code == FieldVocabulary::PageCount)
        return context.PageCount;
    if (code == FieldVocabulary::CurrentDate)
        return context.Now.date();
    if (code == FieldVocabulary::CurrentTime)
        return context.Now.time();
    if (FieldVocabulary::IsHeaderCode(code) && context.Data)
        return context.Data->headerValue(FieldVocabulary::ColumnOf(code));
    return QVariant();
}

QString PrintedText(const ObjDraw &obj, const BillTemplate &bill, const PageContext &context,
                    int line)
{
    const Element *e = obj.ObjCtl();
    if (!e)
        return QString();
    if (obj.IsFix())
        return e->Caption();
    const QString code = e->Tag();
    if (FieldVocabulary::IsDetailCode(code))
        return detailText(obj, bill, context, FieldVocabulary::ColumnOf(code), line);
    QVariant value = FieldValue(code, context);
    if (!value.isValid())
        return QString();
    if (obj.Sumed() && isRunTimeCode(code) && isNumeric(value)
        && obj.DataType() != FieldVocabulary::DataTypeDateTime) {
        const int cells = CellCount(bill);
        double sum = 0;
        const int first = obj.SumedPage() ? context.Page : 1;
        for (int page = first; page <= context.Page; ++page)
            sum += pageTotal(code, context, page, cells);
        value = sum;
    }
    return ValueFormat::FormatValue(value, obj.Format());
}

void ForEachText(const BillTemplate &bill, const PageContext &pageContext,
                 const TextVisitor &visit)
{
    const PageContext context = withLinesPerPage(bill, pageContext);
    std::vector<QPointF> cells;
    for (const auto &member : bill.mObjs) {
        if (member->eType() == ObjDraw::Text && printsOnPage(*member))
            forEachText(*member, *member->ObjCtl(), bill, context, cells, visit);
    }
}

void Compose(QPainter &painter, const BillTemplate &bill, const PageContext &pageContext)
{
    const PageContext context = withLinesPerPage(bill, pageContext);
    const TextVisitor draw = [&painter](const ObjDraw &obj, const Element &e, const QString &text,
                                        const QPointF &offset) {
        drawText(painter, obj, e, text, offset);
    };
    ElementPainter::Options lineOptions;
    lineOptions.labelBorders = false;
    std::vector<QPointF> cells;
    for (const auto &member : bill.mObjs) {
        const ObjDraw &obj = *member;
        if (!printsOnPage(obj))
            continue;
        const Element *e = obj.ObjCtl();
        switch (obj.eType()) {
        case ObjDraw::Line:
            ElementPainter::paint(painter, *e, lineOptions);
            break;
        case ObjDraw::Text:
            forEachText(obj, *e, bill, context, cells, draw);
            break;
        case ObjDraw::Picture:
            drawPicture(painter, obj, *e);
            break;
        default:
            break;
        }
    }
}

} // namespace PageComposer
