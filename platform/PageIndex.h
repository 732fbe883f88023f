#pragma once

#include <QPointF>
#include <QRectF>
#include <QtGlobal>

#include <unordered_map>
#include <vector>

class Element;

// The shown elements of a page by where they paint: a grid of square cells
// in page twips, each listing the elements whose paint bounds reach it. So
// painting an area or finding the element under the pointer looks at what
// lies there, not at every element loaded on the page.
class PageIndex
{
public:
    PageIndex() = default;
    // Entries point into m_bounds: the index moves, never copies.
    PageIndex(const PageIndex &) = delete;
    PageIndex &operator=(const PageIndex &) = delete;
    PageIndex(PageIndex &&) = default;
    PageIndex &operator=(PageIndex &&) = default;

    // Files the element under bounds (empty: takes it out). The bounds it
    // was filed under are kept, so it leaves exactly the cells it was in.
    void place(const Element &element, const QRectF &bounds);
    // Each element filed under bounds that intersect area, once, in no
    // particular order.
    std::vector<const Element *> elementsIn(const QRectF &area) const;
    // Whether a shown element other than above, painting before it, paints
    // into area at its page's view scale now.
    bool anyBelow(const Element &above, const QRectF &area) const;
    // Changes whenever what lies where may have: an element filed, shown,
    // hidden or raised. Unlike any earlier index's.
    quint64 generation() const { return m_generation; }
    // The shown ones of elementsIn, in the order they paint.
    std::vector<const Element *> shownInPaintOrder(const QRectF &area) const;
    // Each element filed under bounds that contain the point.
    std::vector<const Element *> elementsAt(const QPointF &point) const;
    std::size_t size() const { return m_bounds.size(); }
    // Whether the element is filed here and knows where, without a lookup.
    bool knowsPlaceOf(const Element &element) const;
    // Cells that file any element, and the entries they hold together.
    std::size_t cellCount() const { return m_cells.size(); }
    std::size_t entryCount() const;

    // Whether every element filed that is shown lies inside area, so that
    // painting it may take them all in their order.
    bool liesWithin(const QRectF &area) const { return area.contains(m_extent); }
    // A filed element was shown where it is filed.
    void shown(const QRectF &bounds);
    // A filed element was hidden.
    void hidden() { m_generation = nextGeneration(); }
    // Every element filed, in the order they paint (by zOrder), kept
    // until one is filed or taken out.
    const std::vector<const Element *> &inPaintOrder() const;
    // The element now paints above all others.
    void raise(const Element &element);

private:
    // An element moved within the cells it reaches stays in them: its
    // entries share its bounds in m_bounds (whose nodes never move), so a
    // small move touches no cell.
    struct Entry
    {
        const Element *element;
        const QRectF *bounds;
        // The first cell the bounds reach, so an area over many cells takes
        // the element from one of them without working it out again.
        int firstColumn, firstRow;
    };
    struct CellRange
    {
        int left, top, right, bottom;
        bool operator==(const CellRange &) const = default;
    };
    // Big enough that a box and its handles sit in a few cells, small
    // enough that a dragged object's area touches few others.
    static constexpr double CellTwips = 1440;

    // Tells each index apart for the bounds an element remembers; a moved
    // index takes its serial along and leaves the one it came from a new one.
    struct Serial
    {
        Serial();
        Serial(Serial &&other) noexcept;
        Serial &operator=(Serial &&other) noexcept;
        quint64 value;
    };

    static int cellOf(double twips);
    static CellRange cellsOf(const QRectF &bounds);
    // The bounds the element is filed under here, or null.
    QRectF *filedBounds(const Element &element);
    static quint64 nextGeneration();
    static quint64 keyOf(int column, int row);
    // Visits the entries of each cell of range that files any, until visit
    // returns true; whether one did.
    template <typename Visit>
    bool anyCell(const CellRange &range, Visit &&visit) const;
    void fileUnder(const Element &element, const QRectF &bounds);
    void takeOut(const Element &element, const QRectF &bounds);

    std::unordered_map<quint64, std::vector<Entry>> m_cells;
    std::unordered_map<const Element *, QRectF> m_bounds;
    Serial m_serial;
    // Where the shown elements filed reach, or more: it grows with each
    // one filed or shown.
    QRectF m_extent;
    quint64 m_generation = nextGeneration();
    mutable std::vector<const Element *> m_ordered;
    // The bounds of each in m_ordered, side by side.
    mutable std::vector<const QRectF *> m_orderedBounds;
    mutable bool m_orderedKnown = false;
};
