#include "Mod_Print.h"

#include "print/BarcodeCheck.h"
#include "print/DeviceJob.h"
#include "print/DocumentBatch.h"
#include "print/RunWarnings.h"

#include "documents/DocumentData.h"
#include "model/BillTemplate.h"
#include "platform/PrintDevice.h"
#include "platform/RuntimeError.h"

#include <QPainter>

#include <limits>

namespace Mod_Print {

namespace {

int16_t pagesOf(const BillTemplate &bill, const DocumentData &data)
{
    try {
        return CheckedPageCount(PageComposer::PageCount(bill, &data));
    } catch (const RuntimeError &e) {
        throw RuntimeError(static_cast<enum RuntimeError::Number>(e.Number()),
                           QStringLiteral("单据 %1 有 %2 行，超出一次能打印的 %3 页")
                               .arg(data.billNo)
                               .arg(data.lineCount())
                               .arg(std::numeric_limits<int16_t>::max()),
                           e.Source());
    }
}

} // namespace

int PrintDocuments(const BillTemplate &tmpBill, const std::vector<int32_t> &billNos,
                   const DocumentReader &read, PrintDevice &device, const BatchProgress &progress,
                   const PrintChoice &choice)
{
    if (billNos.empty())
        return 0;
    RunWarnings::GridOffThePage(tmpBill);
    FillPageFromTemplate(tmpBill);
    DeviceJob job(device, DeviceJob::of(tmpBill, Run()), choice);
    // The length of the job is known only at its end.
    if (!job.start(0))
        return 0;
    // Copies the device leaves to the run: collated ones read the batch
    // again, so memory stays flat; uncollated ones repeat each page.
    const int copies = job.copiesToSend();
    const int passes = choice.collate ? copies : 1;
    const int repeats = choice.collate ? 1 : copies;
    std::vector<BarcodeCheck::Problem> problems;
    int total = 0;
    bool amountWarned = false;
    for (int pass = 0; pass < passes; ++pass) {
        for (std::size_t i = 0; i < billNos.size(); ++i) {
            const std::shared_ptr<const DocumentData> data = read(billNos[i]);
            if (!amountWarned)
                amountWarned = RunWarnings::UnreadableAmount(tmpBill, *data);
            const int count = pagesOf(tmpBill, *data);
            const auto pages = [&data, count](int page) { return DocumentContext(*data, page, count); };
            if (pass == 0) {
                BarcodeCheck::Collect(tmpBill, count, pages, problems);
                total += count;
            }
            for (int page = 1; page <= count; ++page) {
                for (int copy = 0; copy < repeats; ++copy)
                    job.sendPage([&](QPainter &painter) {
                        PageComposer::Compose(painter, tmpBill, pages(page));
                    });
            }
            if (progress)
                progress(int(i) + 1, int(billNos.size()), data->billNo);
        }
    }
    device.EndDoc();
    BarcodeCheck::Warn(tmpBill, problems);
    return total;
}

Documents ReadDocuments(const BillTemplate &tmpBill, const std::vector<int32_t> &billNos)
{
    DocumentBatch batch(tmpBill);
    Documents documents;
    documents.reserve(billNos.size());
    for (const int32_t billNo : billNos)
        documents.push_back(batch.read(billNo));
    return documents;
}

int PrintDocuments(const BillTemplate &tmpBill, const Documents &documents, PrintDevice &device,
                   const BatchProgress &progress, const PrintChoice &choice)
{
    std::vector<int32_t> billNos;
    billNos.reserve(documents.size());
    for (const auto &data : documents)
        billNos.push_back(data->billNo);
    // Each pass over the batch takes the documents in order again.
    std::size_t next = 0;
    const DocumentReader inOrder = [&](int32_t) { return documents[next++ % documents.size()]; };
    return PrintDocuments(tmpBill, billNos, inOrder, device, progress, choice);
}

} // namespace Mod_Print
