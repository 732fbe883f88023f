#pragma once

#include <cstdint>
#include <memory>
#include <vector>

struct BillTemplate;
struct DocumentData;

// The documents of a batch, read from the template's category over one
// connection, one at a time: a batch of any length holds one document in
// memory. A category without a data source gives documents without
// values, whose fields print empty.
class DocumentBatch
{
public:
    explicit DocumentBatch(const BillTemplate &bill);
    ~DocumentBatch();
    DocumentBatch(const DocumentBatch &) = delete;
    DocumentBatch &operator=(const DocumentBatch &) = delete;

    // The numbers that name no document, all of them, in the order given,
    // found by the header query alone. Throws RuntimeError (its description
    // the message to show) when the source cannot be read.
    std::vector<int32_t> missing(const std::vector<int32_t> &billNos);
    // The whole document of a number; the first one read warns once about
    // fields the queries no longer return. Throws RuntimeError whose
    // description names the category, the number and the reason.
    std::shared_ptr<const DocumentData> read(int32_t billNo);

private:
    class Private;
    std::unique_ptr<Private> d;
};
