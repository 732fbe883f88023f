#pragma once

#include <cstdint>

struct BillTemplate;

// Where a designer window reads a stored template from. The designer
// declares it; the program implements it with its template store, so the
// designer never depends on how templates are kept.
class BillSource
{
public:
    virtual ~BillSource() = default;
    // Fills a record that holds no objects yet with the stored template
    // tmpID: page settings, page size and every object at its stored id and
    // collection position. Throws RuntimeError when the template cannot be
    // read whole.
    virtual void ReadBill(int16_t tmpID, BillTemplate &fresh) = 0;
};
