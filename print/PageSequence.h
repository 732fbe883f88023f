#pragma once

#include <QPageRanges>

#include <vector>

// The pages a print run sends, in order: those of the chosen ranges that
// the run has, once per copy the printer does not make itself, collated
// (1 2 3 1 2 3) or not (1 1 2 2 3 3).
namespace PageSequence {

std::vector<int> Of(int pageCount, const QPageRanges &pages, int copies = 1, bool collate = true);

} // namespace PageSequence
