#include "DocumentBatch.h"

#include "print/DocumentMessages.h"
#include "print/RunWarnings.h"

#include "documents/DocumentData.h"
#include "documents/DocumentSource.h"
#include "documents/DocumentTypes.h"
#include "model/BillTemplate.h"
#include "platform/RuntimeError.h"

#include <optional>

class DocumentBatch::Private
{
public:
    explicit Private(const BillTemplate &b) : bill(b)
    {
        type = DocumentTypes::find(bill.mScreenID);
        if (type && type->hasSource())
            source = std::make_unique<DocumentSource>(*type);
    }

    // The source's error, its description the message to show.
    [[noreturn]] void failed(const RuntimeError &e, int32_t billNo) const
    {
        throw RuntimeError(static_cast<enum RuntimeError::Number>(e.Number()),
                           DocumentMessages::ForError(e, *type, billNo), type->name);
    }

    const BillTemplate &bill;
    std::optional<DocumentType> type;
    std::unique_ptr<DocumentSource> source;
    bool warned = false;
};

DocumentBatch::DocumentBatch(const BillTemplate &bill) : d(std::make_unique<Private>(bill)) {}

DocumentBatch::~DocumentBatch() = default;

std::vector<int32_t> DocumentBatch::missing(const std::vector<int32_t> &billNos)
{
    std::vector<int32_t> none;
    if (!d->source)
        return none;
    for (const int32_t billNo : billNos) {
        try {
            if (!d->source->exists(billNo))
                none.push_back(billNo);
        } catch (const RuntimeError &e) {
            d->failed(e, billNo);
        }
    }
    return none;
}

std::shared_ptr<const DocumentData> DocumentBatch::read(int32_t billNo)
{
    auto data = std::make_shared<DocumentData>();
    data->billNo = billNo;
    if (d->source) {
        try {
            *data = d->source->read(billNo);
        } catch (const RuntimeError &e) {
            d->failed(e, billNo);
        }
    }
    if (!d->warned && d->source) {
        d->warned = true;
        RunWarnings::MissingColumns(d->bill, *d->type, *data);
    }
    return data;
}
