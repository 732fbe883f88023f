#pragma once

#include "print/PageComposer.h"
#include "print/PrintRun.h"

#include <cstdint>
#include <functional>
#include <memory>

class PrintDevice;
class QPainter;
struct BillTemplate;

// The print run: records the run, settles its page count and sends every
// page to the printer or opens the preview.
namespace Mod_Print {

PrintRun &Run();

// Starts a run of tmpBill. tmpScreenID and tmpID identify the template,
// tmpReserved goes to CountPages; both have no further effect.
void PrintBill(const BillTemplate &tmpBill, int16_t tmpScreenID, int16_t tmpID, int32_t tmpBillNo,
               int32_t tmpReserved, bool tmpPreview, bool tmpDemo);
// Every run has one page: there is no document store that could hold more.
void CountPages(int32_t tmpReserved);
// Composes and completes every page of the run on the printer, in order.
void PrintPages();
// Shows the run in the preview window, modally, so its template cannot
// close under it.
void ShowPreview();
// Draws a page of the run's template on the printer or the preview's page
// picture; reports its own failures.
void ComposePage(int16_t tmpPage, bool tmpToPrinter);

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
