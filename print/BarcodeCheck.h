#pragma once

#include "print/PageComposer.h"

#include <QString>

#include <functional>
#include <vector>

struct BillTemplate;

// Codes a run would print that cannot be printed: named once, before the
// run starts, and printed as empty boxes. A code is never printed as
// anything but its own data.
namespace BarcodeCheck {

struct Problem
{
    // The object as the designer shows it: its caption and where it is.
    QString object;
    QString value;
    QString reason;

    bool operator==(const Problem &) const = default;
};

// The page context of each page of a run (pages count from 1).
using PageContexts = std::function<PageContext(int page)>;

// Adds every code of pages 1 to pageCount that cannot be printed, in the
// order they print, each object and value once over all calls (a batch
// collects its documents into one list).
void Collect(const BillTemplate &bill, int pageCount, const PageContexts &pages,
             std::vector<Problem> &problems);
// The message naming them; empty when there are none.
QString Message(const std::vector<Problem> &problems);
// Shows the message, once, when there is one.
void Warn(const BillTemplate &bill, const std::vector<Problem> &problems);

} // namespace BarcodeCheck
