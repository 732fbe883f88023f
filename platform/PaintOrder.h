#pragma once

#include <QtGlobal>

#include <algorithm>
#include <utility>
#include <vector>

class Element;

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
