#include "Mod_Print.h"

#include "print/BarcodeCheck.h"
#include "print/CalibrationSheet.h"
#include "print/DeviceJob.h"
#include "print/DocumentMessages.h"
#include "print/DocumentReading.h"
#include "print/FieldVocabulary.h"
#include "print/RunWarnings.h"
#include "print/PageSequence.h"
#include "print/ShowErrMsg.h"
#include "print/TemplatePrinter.h"
#include "print/frm_BillPreView.h"

#include "documents/DemoDatabase.h"
#include "documents/DocumentData.h"
#include "documents/DocumentTypes.h"
#include "model/BillTemplate.h"
#include "platform/AppTitle.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Element.h"
#include "platform/Platform.h"
#include "platform/PrinterCalibration.h"
#include "platform/Printers.h"
#include "platform/PrintDevice.h"
#include "platform/QtPrintDevice.h"
#include "platform/RuntimeError.h"

#include <QApplication>
#include <QProgressDialog>

#include <limits>
#include <optional>

namespace Mod_Print {

namespace {

PrintRun s_run;
DeviceFactory s_factory;
PrintDevice *s_device = nullptr;
QPainter *s_previewPainter = nullptr;

std::shared_ptr<PrintDevice> makeDevice()
{
    if (s_factory)
        return s_factory();
    return std::make_shared<QtPrintDevice>();
}

// The printer of the page loop, released however the loop ends.
class ActiveDevice
{
public:
    explicit ActiveDevice(PrintDevice *device) { s_device = device; }
    ~ActiveDevice() { s_device = nullptr; }
    ActiveDevice(const ActiveDevice &) = delete;
    ActiveDevice &operator=(const ActiveDevice &) = delete;
};

QString pageLabel(int page, int count)
{
    return QStringLiteral("第 %1 页/共 %2 页").arg(page).arg(count);
}

// A modal progress box without Cancel: while the run blocks, nothing else
// can be touched.
std::unique_ptr<QProgressDialog> makeProgress(int count)
{
    if (count <= 1 || !qobject_cast<QApplication *>(QCoreApplication::instance()))
        return nullptr;
    auto progress = std::make_unique<QProgressDialog>();
    progress->setWindowTitle(AppExeName());
    progress->setWindowModality(Qt::ApplicationModal);
    progress->setCancelButton(nullptr);
    progress->setMinimumDuration(0);
    progress->setAutoClose(false);
    progress->setAutoReset(false);
    progress->setRange(0, count);
    progress->show();
    return progress;
}

void showPrintError(const QString &prefix, const QString &description)
{
    Platform::dialogs().MsgBox(prefix + QStringLiteral("\r\n") + description, MsgButtons::OK,
                               MsgIcon::Exclamation, AppExeName());
}

// The type a run reads from: the demonstration for document 0, otherwise
// the template's category; none when that has no data source.
std::optional<DocumentType> sourceTypeOf(int16_t screenID, bool demo)
{
    if (demo)
        return DemoDatabase::documentType();
    std::optional<DocumentType> type = DocumentTypes::find(screenID);
    if (type && !type->hasSource())
        return std::nullopt;
    return type;
}

} // namespace

PrintRun &Run()
{
    return s_run;
}

void setPrintDeviceFactory(DeviceFactory factory)
{
    s_factory = std::move(factory);
}

void setPreviewPainter(QPainter *painter)
{
    s_previewPainter = painter;
}

PageContext DocumentContext(const DocumentData &data, int page, int count)
{
    PageContext context = Context(page);
    context.PageCount = count;
    context.BillNo = data.billNo;
    context.IsDemo = false;
    context.Data = &data;
    return context;
}

int16_t CheckedPageCount(int count)
{
    if (count > std::numeric_limits<int16_t>::max())
        throw RuntimeError(RuntimeError::Overflow, QStringLiteral("Mod_Print::CountPages"));
    return int16_t(count);
}

PageContext Context(int page)
{
    PageContext context;
    context.Page = page;
    context.PageCount = s_run.PageCount;
    context.BillNo = s_run.BillNo;
    context.IsDemo = s_run.IsDemo;
    context.Data = s_run.Data.get();
    context.Now = Platform::clock().now();
    return context;
}

void FillPageFromTemplate(const BillTemplate &tmpBill)
{
    const PageSurface &page = tmpBill.mObjs.page();
    if (tmpBill.mLandScape) {
        s_run.Orientation = PrintRun::AsFed;
        s_run.PageHeight = page.Width();
        s_run.PageWidth = page.Height();
    } else {
        s_run.Orientation = PrintRun::Upright;
        s_run.PageHeight = page.Height();
        s_run.PageWidth = page.Width();
    }
}

void PrintBill(const BillTemplate &tmpBill, int16_t tmpScreenID, int16_t tmpID, int32_t tmpBillNo,
               int32_t tmpReserved, bool tmpPreview, bool tmpDemo)
{
    Q_UNUSED(tmpScreenID);
    Q_UNUSED(tmpID);
    try {
        s_run.IsDemo = tmpDemo;
        s_run.BillNo = tmpBillNo;
        s_run.Bill = &tmpBill;
        s_run.Data.reset();
        if (!LoadDocument(tmpBill, tmpScreenID, tmpBillNo, tmpDemo))
            return;
        RunWarnings::GridOffThePage(tmpBill);
        FillPageFromTemplate(tmpBill);
        CountPages(tmpReserved);
        std::vector<BarcodeCheck::Problem> problems;
        BarcodeCheck::Collect(tmpBill, s_run.PageCount, Context, problems);
        BarcodeCheck::Warn(tmpBill, problems);
        if (!tmpPreview && !tmpDemo)
            PrintPages();
        else
            ShowPreview();
    } catch (const RuntimeError &e) {
        const QString number = QString::number(e.Number());
        Platform::dialogs().MsgBox(QStringLiteral("错误：") + number + QLatin1Char(' ')
                                       + e.Description() + QLatin1Char(' ') + e.Source(),
                                   MsgButtons::OK, MsgIcon::Exclamation, number);
    }
}

void CountPages(int32_t tmpReserved)
{
    Q_UNUSED(tmpReserved);
    if (s_run.IsDemo || !s_run.Bill) {
        s_run.PageCount = 1;
        return;
    }
    s_run.PageCount = CheckedPageCount(PageComposer::PageCount(*s_run.Bill, s_run.Data.get()));
}

bool UsesData(const BillTemplate &tmpBill)
{
    for (const auto &obj : tmpBill.mObjs) {
        const Element *e = obj->ObjCtl();
        if (e && e->Visible() && obj->eType() == ObjDraw::Text && !obj->IsFix()
            && !FieldVocabulary::ColumnOf(e->Tag()).isEmpty())
            return true;
    }
    return false;
}

QStringList MissingColumns(const BillTemplate &tmpBill, const DocumentData &data)
{
    QStringList missing;
    for (const auto &obj : tmpBill.mObjs) {
        const Element *e = obj->ObjCtl();
        if (!e || !e->Visible() || obj->eType() != ObjDraw::Text || obj->IsFix())
            continue;
        const QString code = e->Tag();
        const QString column = FieldVocabulary::ColumnOf(code);
        const bool lacking = FieldVocabulary::IsHeaderCode(code) ? data.headerIndex(column) < 0
                             : FieldVocabulary::IsDetailCode(code) ? data.detailIndex(column) < 0
                                                                   : false;
        const QString shown = QStringLiteral("[%1]").arg(column);
        if (lacking && !missing.contains(shown))
            missing << shown;
    }
    return missing;
}

bool LoadDocument(const BillTemplate &tmpBill, int16_t tmpScreenID, int32_t tmpBillNo,
                  bool tmpDemo)
{
    s_run.Data.reset();
    if (tmpDemo && !UsesData(tmpBill))
        return true;
    std::optional<DocumentType> type;
    const int32_t billNo = tmpDemo ? DemoDatabase::FirstBillNo : tmpBillNo;
    try {
        type = sourceTypeOf(tmpScreenID, tmpDemo);
        if (!type) {
            // Nothing to read from: the fields print empty, and say so.
            const DocumentData none;
            if (const std::optional<DocumentType> named = DocumentTypes::find(tmpScreenID))
                RunWarnings::MissingColumns(tmpBill, *named, none);
            return true;
        }
        auto data = std::make_shared<DocumentData>(DocumentReading::read(*type, billNo));
        if (!tmpDemo)
            RunWarnings::MissingColumns(tmpBill, *type, *data);
        RunWarnings::UnreadableAmount(tmpBill, *data);
        s_run.Data = std::move(data);
        return true;
    } catch (const RuntimeError &e) {
        // The user stopped it: nothing to say.
        if (e.Number() == RuntimeError::DataSourceCancelled)
            return false;
        DocumentType named = type.value_or(DocumentType());
        if (!type)
            named.id = tmpScreenID;
        const QString message = DocumentMessages::ForError(e, named, billNo);
        // A number that names no document is the clerk's slip, not a
        // failure of the program.
        if (e.Number() == RuntimeError::DocumentNotFound)
            Platform::dialogs().MsgBox(message, MsgButtons::OK, MsgIcon::Exclamation, AppTitle());
        else
            ShowErrMsg(message);
        return false;
    }
}

PrintChoice DefaultChoice(const BillTemplate &tmpBill)
{
    PrintChoice choice;
    choice.printerName = TemplatePrinter::printerFor(tmpBill);
    return choice;
}

void PrintPages()
{
    PrintPages(s_run.Bill ? DefaultChoice(*s_run.Bill) : PrintChoice());
}

void PrintPages(const PrintChoice &choice)
{
    try {
        const std::vector<int> once = PageSequence::Of(s_run.PageCount, choice.pages);
        if (once.empty() || !s_run.Bill)
            return;
        std::shared_ptr<PrintDevice> device = makeDevice();
        DeviceJob job(*device, DeviceJob::of(*s_run.Bill, s_run), choice);
        if (!job.start(int(once.size())))
            return;
        ActiveDevice active(device.get());
        const std::vector<int> pages
            = PageSequence::Of(s_run.PageCount, choice.pages, job.copiesToSend(), choice.collate);
        std::unique_ptr<QProgressDialog> progress = makeProgress(int(pages.size()));
        for (std::size_t i = 0; i < pages.size(); ++i) {
            if (progress) {
                progress->setLabelText(pageLabel(pages[i], s_run.PageCount));
                progress->setValue(int(i));
            }
            job.sendPage([&](QPainter &) { ComposePage(int16_t(pages[i]), true); });
        }
    } catch (const RuntimeError &e) {
        showPrintError(QStringLiteral(" 打印错误！"), e.Description());
    }
}

bool PrintCalibrationSheet(const QString &printer)
{
    try {
        const QSizeF paper = Platform::printers().paperSize(printer);
        std::shared_ptr<PrintDevice> device = makeDevice();
        PrintChoice choice;
        choice.printerName = printer;
        DeviceJob job(*device, {QStringLiteral("打印机校准页"), paper, false, QPointF()}, choice);
        if (!job.start(1))
            return false;
        const QString name = device->printerName();
        job.sendPage([&](QPainter &painter) {
            CalibrationSheet::Paint(painter, paper,
                                    name.isEmpty() ? QStringLiteral("PDF 文件") : name,
                                    PrinterCalibration::offset(name));
        });
        return true;
    } catch (const RuntimeError &e) {
        showPrintError(QStringLiteral(" 打印错误！"), e.Description());
        return false;
    }
}

void ShowPreview()
{
    if (!s_run.Bill)
        throw RuntimeError(RuntimeError::ObjectNotSet,
                           QStringLiteral("Mod_Print"));
    frm_BillPreView form;
    FillPageFromTemplate(*s_run.Bill);
    form.PageSetup();
    Platform::dialogs().ExecModal(form);
}

void ComposePage(int16_t tmpPage, bool tmpToPrinter)
{
    try {
        QPainter *painter = tmpToPrinter ? (s_device ? &s_device->painter() : nullptr)
                                         : s_previewPainter;
        if (!painter || !s_run.Bill)
            throw RuntimeError(RuntimeError::ObjectNotSet, QStringLiteral("Mod_Print"));
        PageComposer::Compose(*painter, *s_run.Bill, Context(tmpPage));
    } catch (const RuntimeError &e) {
        showPrintError(QStringLiteral("打印错误！"), e.Description());
    }
}

} // namespace Mod_Print
