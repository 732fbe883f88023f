#pragma once

#include <cstddef>
#include <vector>

class Element;

// Visits thousands of elements that lie scattered in memory, asking for
// the next ones while one is looked at, so painting does not wait on each.
template<typename F>
void forEachScattered(const std::vector<const Element *> &elements, F &&visit)
{
    constexpr std::size_t Ahead = 8;
    for (std::size_t i = 0; i < elements.size(); ++i) {
        if (i + Ahead < elements.size())
            __builtin_prefetch(elements[i + Ahead]);
        visit(elements[i]);
    }
}
