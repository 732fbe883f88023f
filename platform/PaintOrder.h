#pragma once

#include <QtGlobal>

#include <algorithm>
#include <utility>
#include <vector>

#include "Element.h"

// Whether a paints before b: by zOrder, ties by address.
inline bool paintsBefore(const Element *a, const Element *b)
{
    return std::pair(a->zOrder(), a) < std::pair(b->zOrder(), b);
}

// Elements keyed by their zOrder, in the order they paint (ties by
// address). Sorted by keys held side by side, not through thousands of
// elements scattered in memory.
inline std::vector<const Element *>
sortedByZ(std::vector<std::pair<quint64, const Element *>> keyed)
{
    std::sort(keyed.begin(), keyed.end());
    std::vector<const Element *> ordered;
    ordered.reserve(keyed.size());
    for (const auto &[z, e] : keyed)
        ordered.push_back(e);
    return ordered;
}
