#include "ScrollGrid.h"

#include "print/FieldVocabulary.h"

#include "model/BillTemplate.h"
#include "platform/Element.h"
#include "platform/PageSurface.h"
#include "platform/Units.h"

#include <QStringList>

#include <algorithm>
#include <optional>

namespace {

// Rows (or columns) from the first that start on the page; the first
// always counts, the objects themselves lie there.
int startingOnPage(int count, double origin, double step, double extent)
{
    int n = 1;
    while (n < count) {
        const double start = origin + n * step;
        if (start < 0 || start >= extent)
            break;
        ++n;
    }
    return n;
}

// Where the lowest and the rightmost shown scrolling text starts; none
// when nothing scrolls.
std::optional<QPointF> scrollingOrigin(const BillTemplate &bill)
{
    std::optional<QPointF> origin;
    for (const auto &obj : bill.mObjs) {
        const Element *e = obj->ObjCtl();
        if (!e || !e->Visible() || obj->eType() != ObjDraw::Text || !FieldVocabulary::Scrolls(*obj))
            continue;
        origin = origin ? QPointF(std::max(origin->x(), e->Left()), std::max(origin->y(), e->Top()))
                        : QPointF(e->Left(), e->Top());
    }
    return origin;
}

QString mm(double twips)
{
    return Units::formatMm(Units::twipsToMm(twips));
}

} // namespace

ScrollGrid::ScrollGrid(const BillTemplate &bill)
    : ScrollGrid(bill, bill.mrowcount, bill.mRowHeight, bill.mcolcount, bill.mColWidth,
                 QSizeF(bill.mObjs.page().Width(), bill.mObjs.page().Height()))
{
}

ScrollGrid::ScrollGrid(const BillTemplate &bill, int rows, double rowHeight, int cols,
                       double colWidth, const QSizeF &page)
    : m_rows(std::max(1, rows))
    , m_cols(std::max(1, cols))
    , m_rowHeight(rowHeight)
    , m_colWidth(colWidth)
    , m_columnsFirst(bill.mBlnColFirst)
    , m_page(page)
    , m_rowsOnPage(m_rows)
    , m_colsOnPage(m_cols)
{
    const std::optional<QPointF> origin = scrollingOrigin(bill);
    if (!origin)
        return;
    m_origin = *origin;
    m_rowsOnPage = startingOnPage(m_rows, m_origin.y(), m_rowHeight, m_page.height());
    m_colsOnPage = startingOnPage(m_cols, m_origin.x(), m_colWidth, m_page.width());
}

std::vector<QPointF> ScrollGrid::cellsOnPage() const
{
    std::vector<QPointF> cells;
    cells.reserve(std::size_t(m_rowsOnPage) * std::size_t(m_colsOnPage));
    const int outer = m_columnsFirst ? m_colsOnPage : m_rowsOnPage;
    const int inner = m_columnsFirst ? m_rowsOnPage : m_colsOnPage;
    for (int i = 0; i < outer; ++i) {
        for (int j = 0; j < inner; ++j) {
            const int row = m_columnsFirst ? j : i;
            const int col = m_columnsFirst ? i : j;
            cells.emplace_back(col * m_colWidth, row * m_rowHeight);
        }
    }
    return cells;
}

QString ScrollGrid::refusal() const
{
    if (!rowsFit())
        return QStringLiteral("按此设置，第 %1 行从页面顶边 %2 毫米处开始，已超出页高 %3 毫米，"
                              "打印不出来。请减少行数或行高！")
            .arg(m_rows)
            .arg(mm(rowStart(m_rows - 1)), mm(m_page.height()));
    if (!colsFit())
        return QStringLiteral("按此设置，第 %1 列从页面左边 %2 毫米处开始，已超出页宽 %3 毫米，"
                              "打印不出来。请减少列数或列宽！")
            .arg(m_cols)
            .arg(mm(colStart(m_cols - 1)), mm(m_page.width()));
    return QString();
}

QString ScrollGrid::runWarning(const QString &templateName) const
{
    QStringList off;
    if (!rowsFit())
        off << QStringLiteral("设置了 %1 行，只有前 %2 行在页面上").arg(m_rows).arg(m_rowsOnPage);
    if (!colsFit())
        off << QStringLiteral("设置了 %1 列，只有前 %2 列在页面上").arg(m_cols).arg(m_colsOnPage);
    if (off.isEmpty())
        return QString();
    return QStringLiteral("单据“%1”的滚动打印超出了页面：%2。\r\n每页只打印页面上的 %3 行 × %4 "
                          "列，页数会因此增多。请在页面设置中修改行数、行高、列数或列宽。")
        .arg(templateName, off.join(QStringLiteral("；")), QString::number(m_rowsOnPage),
             QString::number(m_colsOnPage));
}
