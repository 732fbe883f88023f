#include "PageIndex.h"

#include "Element.h"
#include "PaintOrder.h"
#include "ScatteredWalk.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <utility>

namespace {

// As QRectF::intersects for rectangles that are not empty, inline: it is
// asked of every neighbour of every element painted.
bool overlap(const QRectF &a, const QRectF &b)
{
    return a.left() < b.right() && b.left() < a.right() && a.top() < b.bottom()
           && b.top() < a.bottom();
}

} // namespace

// By a multiplication: every element moved is asked its cells twice. Only
// the same answer for the same twips matters, and this is the one place
// that gives it.
int PageIndex::cellOf(double twips)
{
    constexpr double PerTwip = 1 / CellTwips;
    return int(std::floor(twips * PerTwip));
}

PageIndex::CellRange PageIndex::cellsOf(const QRectF &bounds)
{
    return {cellOf(bounds.left()), cellOf(bounds.top()), cellOf(bounds.right()),
            cellOf(bounds.bottom())};
}

quint64 PageIndex::nextGeneration()
{
    static std::atomic<quint64> generations{0};
    return ++generations;
}

quint64 PageIndex::keyOf(int column, int row)
{
    return (quint64(quint32(column)) << 32) | quint32(row);
}

PageIndex::Serial::Serial()
    : value(nextGeneration())
{
}

PageIndex::Serial::Serial(Serial &&other) noexcept
    : value(std::exchange(other.value, nextGeneration()))
{
}

PageIndex::Serial &PageIndex::Serial::operator=(Serial &&other) noexcept
{
    value = std::exchange(other.value, nextGeneration());
    return *this;
}

bool PageIndex::knowsPlaceOf(const Element &element) const
{
    return element.m_filedIn == m_serial.value;
}

QRectF *PageIndex::filedBounds(const Element &element)
{
    if (knowsPlaceOf(element))
        return element.m_filedBounds;
    const auto it = m_bounds.find(&element);
    if (it == m_bounds.end())
        return nullptr;
    element.m_filedIn = m_serial.value;
    element.m_filedBounds = &it->second;
    return &it->second;
}

void PageIndex::place(const Element &element, const QRectF &bounds)
{
    if (QRectF *filed = filedBounds(element)) {
        if (*filed == bounds)
            return;
        m_generation = nextGeneration();
        const bool sameCells = !bounds.isEmpty() && cellsOf(bounds) == cellsOf(*filed);
        if (!sameCells)
            takeOut(element, *filed);
        if (bounds.isEmpty()) {
            element.m_filedIn = 0;
            m_bounds.erase(&element);
            m_orderedKnown = false;
            return;
        }
        *filed = bounds;
        if (element.Visible())
            m_extent |= bounds;
        if (!sameCells)
            fileUnder(element, *filed);
        return;
    }
    if (bounds.isEmpty())
        return;
    m_generation = nextGeneration();
    QRectF &filed = m_bounds.emplace(&element, bounds).first->second;
    element.m_filedIn = m_serial.value;
    element.m_filedBounds = &filed;
    m_orderedKnown = false;
    if (element.Visible())
        m_extent |= bounds;
    fileUnder(element, filed);
}

void PageIndex::shown(const QRectF &bounds)
{
    m_extent |= bounds;
    m_generation = nextGeneration();
}

const std::vector<const Element *> &PageIndex::inPaintOrder() const
{
    if (m_orderedKnown)
        return m_ordered;
    std::vector<std::pair<quint64, const Element *>> keyed;
    keyed.reserve(m_bounds.size());
    for (const auto &[element, bounds] : m_bounds)
        keyed.emplace_back(element->zOrder(), element);
    m_ordered = sortedByZ(std::move(keyed));
    m_orderedBounds.clear();
    m_orderedBounds.reserve(m_ordered.size());
    for (const Element *element : m_ordered)
        m_orderedBounds.push_back(&m_bounds.at(element));
    m_orderedKnown = true;
    return m_ordered;
}

std::vector<const Element *> PageIndex::shownInPaintOrder(const QRectF &area) const
{
    if (area.isEmpty())
        return {};
    const CellRange range = cellsOf(area);
    const auto cellCount = (qint64(range.right) - range.left + 1) * (qint64(range.bottom) - range.top + 1);
    // Over a good part of the filed cells, walking the order kept costs
    // less than sorting what lies there.
    if (cellCount * 4 < qint64(m_cells.size())) {
        const std::vector<const Element *> found = elementsIn(area);
        std::vector<std::pair<quint64, const Element *>> keyed;
        keyed.reserve(found.size());
        forEachScattered(found, [&](const Element *e) {
            if (e->Visible())
                keyed.emplace_back(e->zOrder(), e);
        });
        return sortedByZ(std::move(keyed));
    }
    const std::vector<const Element *> &ordered = inPaintOrder();
    std::vector<const Element *> found;
    for (std::size_t i = 0; i < ordered.size(); ++i) {
        if (m_orderedBounds[i]->intersects(area) && ordered[i]->Visible())
            found.push_back(ordered[i]);
    }
    return found;
}

void PageIndex::raise(const Element &element)
{
    m_generation = nextGeneration();
    // A new element is not filed yet: it joins the order when it is.
    if (!m_orderedKnown || m_bounds.find(&element) == m_bounds.end())
        return;
    const auto it = std::find(m_ordered.begin(), m_ordered.end(), &element);
    if (it == m_ordered.end())
        return;
    const auto bounds = m_orderedBounds.begin() + (it - m_ordered.begin());
    std::rotate(it, it + 1, m_ordered.end());
    std::rotate(bounds, bounds + 1, m_orderedBounds.end());
}

template <typename Visit>
bool PageIndex::anyCell(const CellRange &range, Visit &&visit) const
{
    for (int row = range.top; row <= range.bottom; ++row) {
        for (int column = range.left; column <= range.right; ++column) {
            const auto cell = m_cells.find(keyOf(column, row));
            if (cell != m_cells.end() && visit(column, row, cell->second))
                return true;
        }
    }
    return false;
}

void PageIndex::fileUnder(const Element &element, const QRectF &bounds)
{
    const CellRange cells = cellsOf(bounds);
    for (int row = cells.top; row <= cells.bottom; ++row) {
        for (int column = cells.left; column <= cells.right; ++column)
            m_cells[keyOf(column, row)].push_back({&element, &bounds, cells.left, cells.top});
    }
}

void PageIndex::takeOut(const Element &element, const QRectF &bounds)
{
    const CellRange cells = cellsOf(bounds);
    for (int row = cells.top; row <= cells.bottom; ++row) {
        for (int column = cells.left; column <= cells.right; ++column) {
            const auto cell = m_cells.find(keyOf(column, row));
            if (cell == m_cells.end())
                continue;
            std::vector<Entry> &entries = cell->second;
            const auto found = std::find_if(entries.begin(), entries.end(),
                                            [&](const Entry &e) { return e.element == &element; });
            if (found == entries.end())
                continue;
            *found = entries.back();
            entries.pop_back();
            if (entries.empty())
                m_cells.erase(cell);
        }
    }
}

std::vector<const Element *> PageIndex::elementsIn(const QRectF &area) const
{
    std::vector<const Element *> found;
    if (area.isEmpty())
        return found;
    const CellRange range = cellsOf(area);
    const auto cellCount = (qint64(range.right) - range.left + 1) * (qint64(range.bottom) - range.top + 1);
    // An area wider than the filed cells is cheaper to answer from them.
    if (cellCount > qint64(m_cells.size())) {
        for (const auto &[element, bounds] : m_bounds) {
            if (bounds.intersects(area))
                found.push_back(element);
        }
        return found;
    }
    anyCell(range, [&](int column, int row, const std::vector<Entry> &entries) {
        for (const Entry &entry : entries) {
            // An element spanning cells is taken from the first cell of the
            // area it reaches.
            if (entry.bounds->intersects(area) && column == std::max(entry.firstColumn, range.left)
                && row == std::max(entry.firstRow, range.top))
                found.push_back(entry.element);
        }
        return false;
    });
    return found;
}

bool PageIndex::anyBelow(const Element &above, const QRectF &area) const
{
    const auto paintsBefore = [&](const Element *e) {
        return e != &above && e->Visible()
               && std::pair(e->zOrder(), e) < std::pair(above.zOrder(), &above);
    };
    return anyCell(cellsOf(area), [&](int, int, const std::vector<Entry> &entries) {
        // Filed for the widest view, an element may reach much less far at
        // the view's scale now: only where it paints now counts.
        return std::any_of(entries.begin(), entries.end(), [&](const Entry &entry) {
            return overlap(*entry.bounds, area) && paintsBefore(entry.element)
                   && overlap(entry.element->shownBounds(), area);
        });
    });
}

std::size_t PageIndex::entryCount() const
{
    std::size_t entries = 0;
    for (const auto &[key, cell] : m_cells)
        entries += cell.size();
    return entries;
}

std::vector<const Element *> PageIndex::elementsAt(const QPointF &point) const
{
    std::vector<const Element *> found;
    const auto cell = m_cells.find(
        keyOf(cellOf(point.x()), cellOf(point.y())));
    if (cell == m_cells.end())
        return found;
    for (const Entry &entry : cell->second) {
        if (entry.bounds->contains(point))
            found.push_back(entry.element);
    }
    return found;
}
