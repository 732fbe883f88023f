#pragma once

#include <QPointF>
#include <QSizeF>
#include <QString>

#include <vector>

struct BillTemplate;

// The scrolling grid of a template laid over its page. A row or column of
// cells that starts past the page's edge can never print, so a page holds
// the cells that start on it: every line of a document lands in a cell
// that prints, and a page's sums count exactly the lines it shows. A row
// (a column) starts on the page when it does for every scrolling object;
// without scrolling objects the grid is not looked at and every cell
// counts.
class ScrollGrid
{
public:
    // The template's own grid.
    explicit ScrollGrid(const BillTemplate &bill);
    // The grid page setup is about to write, on the page size it is about to
    // write (lengths in the template's twips).
    ScrollGrid(const BillTemplate &bill, int rows, double rowHeight, int cols, double colWidth,
               const QSizeF &page);

    // Rows and columns that start on the page, each at least 1, and whether
    // all that are set do.
    int rowsOnPage() const { return m_rowsOnPage; }
    int colsOnPage() const { return m_colsOnPage; }
    bool rowsFit() const { return m_rowsOnPage == m_rows; }
    bool colsFit() const { return m_colsOnPage == m_cols; }

    // Offsets of the cells on the page from an object's own box, in the
    // template's fill order (row by row, or column by column).
    std::vector<QPointF> cellsOnPage() const;

    // Why page setup refuses the grid (its last row or column starts past
    // the page); empty when it fits.
    QString refusal() const;
    // The warning before a run of the template; empty when the grid fits.
    QString runWarning(const QString &templateName) const;

private:
    double rowStart(int row) const { return m_origin.y() + row * m_rowHeight; }
    double colStart(int col) const { return m_origin.x() + col * m_colWidth; }

    int m_rows;
    int m_cols;
    double m_rowHeight;
    double m_colWidth;
    bool m_columnsFirst;
    QSizeF m_page;
    // Where the lowest and the rightmost scrolling object start.
    QPointF m_origin;
    int m_rowsOnPage;
    int m_colsOnPage;
};
