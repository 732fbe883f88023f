#include "Mod_Print.h"

#include "print/BarcodeCheck.h"
#include "print/DocumentBatch.h"
#include "print/RunWarnings.h"

#include "documents/DocumentData.h"
#include "model/BillTemplate.h"
#include "platform/PrintDevice.h"
#include "platform/RuntimeError.h"

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

PrintDevice::Job jobOf(const BillTemplate &bill)
{
    FillPageFromTemplate(bill);
    const PrintRun &run = Run();
    PrintDevice::Job job;
    job.title = bill.Caption;
    job.pageWidth = run.DesignWidth();
    job.pageHeight = run.DesignHeight();
    job.landscape = run.Orientation != PrintRun::Upright;
    job.pageCount = 0;
    return job;
}

} // namespace

int PrintDocuments(const BillTemplate &tmpBill, const std::vector<int32_t> &billNos,
                   const DocumentReader &read, PrintDevice &device, const BatchProgress &progress)
{
    if (billNos.empty())
        return 0;
    RunWarnings::GridOffThePage(tmpBill);
    if (!device.StartDoc(jobOf(tmpBill)))
        return 0;
    std::vector<BarcodeCheck::Problem> problems;
    int total = 0;
    bool amountWarned = false;
    for (std::size_t i = 0; i < billNos.size(); ++i) {
        const std::shared_ptr<const DocumentData> data = read(billNos[i]);
        if (!amountWarned)
            amountWarned = RunWarnings::UnreadableAmount(tmpBill, *data);
        const int count = pagesOf(tmpBill, *data);
        const auto pages = [&data, count](int page) { return DocumentContext(*data, page, count); };
        BarcodeCheck::Collect(tmpBill, count, pages, problems);
        for (int page = 1; page <= count; ++page) {
            PageComposer::Compose(device.painter(), tmpBill, pages(page));
            device.EndPage();
        }
        total += count;
        if (progress)
            progress(int(i) + 1, int(billNos.size()), data->billNo);
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
                   const BatchProgress &progress)
{
    std::vector<int32_t> billNos;
    billNos.reserve(documents.size());
    for (const auto &data : documents)
        billNos.push_back(data->billNo);
    std::size_t next = 0;
    const DocumentReader inOrder = [&](int32_t) { return documents[next++]; };
    return PrintDocuments(tmpBill, billNos, inOrder, device, progress);
}

} // namespace Mod_Print
