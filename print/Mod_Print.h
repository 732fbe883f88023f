#pragma once

#include "print/PageComposer.h"
#include "print/PrintRun.h"

#include "platform/PrintChoice.h"

#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class PrintDevice;
class QPainter;
struct BillTemplate;
struct DocumentData;

// The print run: records the run, settles its page count and sends every
// page to the printer or opens the preview.
namespace Mod_Print {

PrintRun &Run();

// Starts a run of tmpBill. tmpScreenID and tmpID identify the template,
// tmpReserved goes to CountPages; both have no further effect.
void PrintBill(const BillTemplate &tmpBill, int16_t tmpScreenID, int16_t tmpID, int32_t tmpBillNo,
               int32_t tmpReserved, bool tmpPreview, bool tmpDemo);
// A demonstration has one page; any other run as many as its document's
// lines fill (PageComposer::PageCount).
void CountPages(int32_t tmpReserved);
// Composes and completes every page of the run, in order, on the run
// template's printer (TemplatePrinter), or a PDF file when none is installed.
void PrintPages();
// The same with the print dialog's choice: its printer or file, its pages
// and copies.
void PrintPages(const PrintChoice &choice);
// The choice the print button makes without asking: the template's
// printer, every page, one copy.
PrintChoice DefaultChoice(const BillTemplate &tmpBill);
// Shows the run in the preview window, modally, so its template cannot
// close under it.
void ShowPreview();
// Draws a page of the run's template on the printer or the preview's page
// picture; reports its own failures.
void ComposePage(int16_t tmpPage, bool tmpToPrinter);

// Reads the run's document, once, before the first page: for a
// demonstration the first demonstration document (only when the template
// has data fields), otherwise document billNo of the template's category
// (none when the category has no data source). Warns once about fields
// whose columns the queries no longer return. When the document cannot be
// read, shows why (naming the category, the number and the driver's
// reason) and returns false: no run starts.
bool LoadDocument(const BillTemplate &tmpBill, int16_t tmpScreenID, int32_t tmpBillNo,
                  bool tmpDemo);
// The template binds a text to a document column.
bool UsesData(const BillTemplate &tmpBill);
// The template's data fields whose columns the document lacks, as
// "[列名]", each once, in the template's order.
QStringList MissingColumns(const BillTemplate &tmpBill, const DocumentData &data);

// A run of many documents to one job, as the command line prints them:
// each document is read, composed and printed before the next is read,
// so memory does not grow with the batch. read gives the document of a
// number (DocumentBatch reads them from the template's category). The job's
// length is not known before its end, so the device gets EndDoc after the
// last page. Each document numbers its pages from 1; progress after each
// document. The choice names the printer and the copies; copies the device
// does not make are sent by the run: a collated copy reads the batch again. Codes that cannot print are named once, after the last page.
// Returns the pages printed (0 when the job was cancelled). Throws
// RuntimeError on the first failure (progress tells how far it got).
using DocumentReader = std::function<std::shared_ptr<const DocumentData>(int32_t billNo)>;
using BatchProgress = std::function<void(int done, int count, int32_t billNo)>;
int PrintDocuments(const BillTemplate &tmpBill, const std::vector<int32_t> &billNos,
                   const DocumentReader &read, PrintDevice &device,
                   const BatchProgress &progress = {}, const PrintChoice &choice = {});
// Documents read before the run, all of them (a bad number stops the read
// before anything is printed), and the same run over them.
using Documents = std::vector<std::shared_ptr<const DocumentData>>;
Documents ReadDocuments(const BillTemplate &tmpBill, const std::vector<int32_t> &billNos);
int PrintDocuments(const BillTemplate &tmpBill, const Documents &documents, PrintDevice &device,
                   const BatchProgress &progress = {}, const PrintChoice &choice = {});

// The page context of a page of a document of count pages.
PageContext DocumentContext(const DocumentData &data, int page, int count);
// A page count as the run's 16-bit counter holds it; throws RuntimeError
// (Overflow) beyond it.
int16_t CheckedPageCount(int count);

// Prints the calibration sheet on printer (empty: a PDF file chosen with
// the save chooser), on the printer's own paper and shifted by its current
// calibration, as every page on it is. Reports its own failures; false
// when nothing was printed.
bool PrintCalibrationSheet(const QString &printer);

// The page context of the run for a page.
PageContext Context(int page);
// Sets the run's page size and orientation from its template: a landscape
// page is recorded as fed (height and width swapped, orientation 2).
void FillPageFromTemplate(const BillTemplate &tmpBill);

// Where printed pages go; the default is the system's printer.
using DeviceFactory = std::function<std::shared_ptr<PrintDevice>()>;
void setPrintDeviceFactory(DeviceFactory factory);
// The preview's page picture while it composes a page (nullptr after).
void setPreviewPainter(QPainter *painter);

} // namespace Mod_Print
