#include "QtPrintDevice.h"

#include "Dialogs.h"
#include "Platform.h"
#include "RuntimeError.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStringList>

#include <algorithm>

namespace {

// What the printer reported is the error's description.
[[noreturn]] void printerFailed(const QString &reason)
{
    throw RuntimeError(RuntimeError::PrinterError, reason, QStringLiteral("Printer"));
}

// With printers installed but none the default, a new QPrinter targets no
// printer at all and cannot begin; the first installed one takes over.
void nameAPrinter(QPrinter &printer)
{
    if (!QPrinterInfo::defaultPrinter().isNull())
        return;
    const QStringList names = QPrinterInfo::availablePrinterNames();
    if (!names.isEmpty())
        printer.setPrinterName(names.first());
}

} // namespace

QtPrintDevice::QtPrintDevice(QString pdfPath) : m_pdfPath(std::move(pdfPath)) {}

QtPrintDevice::~QtPrintDevice()
{
    // A run stopped by a failure keeps the pages already completed.
    if (m_painter.isActive())
        m_painter.end();
}

bool QtPrintDevice::hasPrinter()
{
    return !QPrinterInfo::defaultPrinter().isNull() || !QPrinterInfo::availablePrinters().isEmpty();
}

std::optional<QString> QtPrintDevice::pdfFileFor(const Job &job) const
{
    if (!m_pdfPath.isEmpty())
        return m_pdfPath;
    if (!job.outputFile.isEmpty())
        return job.outputFile;
    if (hasPrinter())
        return QString();
    FileDialogRequest request;
    request.title = QStringLiteral("打印到 PDF 文件");
    request.filter = QStringLiteral("PDF 文件(*.pdf)|*.pdf");
    request.initialPath = job.title + QStringLiteral(".pdf");
    const std::optional<QString> chosen = Platform::dialogs().SaveFile(request);
    if (!chosen || chosen->isEmpty())
        return std::nullopt;
    QString pdf = *chosen;
    if (!pdf.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        pdf += QStringLiteral(".pdf");
    return pdf;
}

void QtPrintDevice::choosePrinter(const Job &job)
{
    if (job.printerName.isEmpty()) {
        nameAPrinter(*m_printer);
        return;
    }
    if (!QPrinterInfo::availablePrinterNames().contains(job.printerName))
        printerFailed(QStringLiteral("找不到打印机“%1”").arg(job.printerName));
    m_printer->setPrinterName(job.printerName);
}

bool QtPrintDevice::StartDoc(const Job &job)
{
    const std::optional<QString> pdf = pdfFileFor(job);
    if (!pdf)
        return false;

    m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (!pdf->isEmpty()) {
        m_printer->setOutputFormat(QPrinter::PdfFormat);
        m_printer->setOutputFileName(*pdf);
    } else {
        choosePrinter(job);
    }
    m_printer->setDocName(job.title);
    m_printer->setFullPage(true);
    m_printer->setCopyCount(std::max(1, job.copies));
    m_printer->setCollateCopies(job.collate);
    // Where the run sends the copies itself, the printer must not again.
    if (!makesCopies())
        m_printer->setCopyCount(1);
    // Paper as fed: a landscape page is portrait-shaped paper turned.
    const QSizeF paper = job.landscape ? QSizeF(job.pageHeight, job.pageWidth)
                                       : QSizeF(job.pageWidth, job.pageHeight);
    const QPageSize size(paper / 1440.0, QPageSize::Inch, QString(), QPageSize::ExactMatch);
    const QPageLayout layout(size, job.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                             QMarginsF(0, 0, 0, 0), QPageLayout::Point, QMarginsF(0, 0, 0, 0));
    if (!m_printer->setPageLayout(layout))
        printerFailed(QStringLiteral("打印机不支持此纸张"));
    if (!m_painter.begin(m_printer.get()))
        printerFailed(QStringLiteral("无法开始打印"));
    m_pageCount = job.pageCount * (makesCopies() ? 1 : std::max(1, job.copies));
    m_completed = 0;
    scalePainter();
    return true;
}

QString QtPrintDevice::printerName() const
{
    if (!m_printer || m_printer->outputFormat() == QPrinter::PdfFormat)
        return QString();
    return m_printer->printerName();
}

bool QtPrintDevice::makesCopies() const
{
    return m_printer && m_printer->outputFormat() != QPrinter::PdfFormat
           && m_printer->supportsMultipleCopies();
}

void QtPrintDevice::scalePainter()
{
    // One twip is 1/1440 inch on paper, whatever the printer's resolution.
    m_painter.resetTransform();
    m_painter.scale(m_printer->resolution() / 1440.0, m_printer->resolution() / 1440.0);
}

void QtPrintDevice::EndPage()
{
    if (!m_painter.isActive())
        printerFailed(QStringLiteral("打印作业未开始"));
    ++m_completed;
    if (m_completed < m_pageCount) {
        if (!m_printer->newPage())
            printerFailed(QStringLiteral("无法开始新的一页"));
        scalePainter();
        return;
    }
    if (!m_painter.end())
        printerFailed(QStringLiteral("无法完成打印作业"));
}
