#include "PageSequence.h"

#include <algorithm>

namespace PageSequence {

std::vector<int> Of(int pageCount, const QPageRanges &pages, int copies, bool collate)
{
    std::vector<int> chosen;
    for (int page = 1; page <= pageCount; ++page) {
        if (pages.isEmpty() || pages.contains(page))
            chosen.push_back(page);
    }
    copies = std::max(1, copies);
    std::vector<int> sequence;
    sequence.reserve(chosen.size() * std::size_t(copies));
    if (collate) {
        for (int copy = 0; copy < copies; ++copy)
            sequence.insert(sequence.end(), chosen.begin(), chosen.end());
    } else {
        for (const int page : chosen)
            sequence.insert(sequence.end(), std::size_t(copies), page);
    }
    return sequence;
}

} // namespace PageSequence
