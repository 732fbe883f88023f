#include "QtPrintDevice.h"

#include "Dialogs.h"
#include "OpenFiles.h"
#include "OutputFile.h"
#include "Platform.h"
#include "RuntimeError.h"

#include <QCoreApplication>
#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
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

QPageLayout layoutOf(const PrintDevice::Job &job)
{
    // Paper as fed: a landscape page is portrait-shaped paper turned.
    const QSizeF paper = job.landscape ? QSizeF(job.pageHeight, job.pageWidth)
                                       : QSizeF(job.pageWidth, job.pageHeight);
    const QPageSize size(paper / 1440.0, QPageSize::Inch, QString(), QPageSize::ExactMatch);
    return QPageLayout(size, job.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Point, QMarginsF(0, 0, 0, 0));
}

// A PDF file ends with its trailer; one cut short by a failed write does not.
QString pdfTrailerMissing(const QString &written)
{
    QFile file(written);
    if (!file.open(QIODevice::ReadOnly) || file.size() < 64 || !file.seek(file.size() - 64))
        return QStringLiteral("文件读不回来或太短");
    const QByteArray tail = file.readAll().trimmed();
    if (!tail.endsWith("%%EOF") || !tail.contains("startxref"))
        return QStringLiteral("文件不完整（没有 PDF 结尾）");
    return QString();
}

} // namespace

QtPrintDevice::QtPrintDevice(QString pdfPath) : m_pdfPath(std::move(pdfPath)) {}

QtPrintDevice::~QtPrintDevice()
{
    // A run stopped by a failure keeps the pages already printed on paper;
    // its PDF file is discarded whole.
    if (m_painter.isActive())
        m_painter.end();
    m_writer.reset();
    if (m_file)
        m_file->discard();
}

bool QtPrintDevice::hasPrinter()
{
    return !QPrinterInfo::defaultPrinter().isNull() || !QPrinterInfo::availablePrinters().isEmpty();
}

QString QtPrintDevice::pdfRefusal(const QString &path)
{
    if (const QString why = OutputFile::refusal(path); !why.isEmpty())
        return why;
    if (const QString held = OpenFiles::heldAs(path); !held.isEmpty())
        return QStringLiteral("这是程序正在使用的文件 %1，不能用它保存 PDF").arg(held);
    return QString();
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

bool QtPrintDevice::StartDoc(const Job &job)
{
    const std::optional<QString> pdf = pdfFileFor(job);
    if (!pdf)
        return false;
    m_pdfPath = *pdf;
    if (!pdf->isEmpty())
        startPdf(*pdf, job);
    else
        startPrinter(job);
    if (!m_device->setPageLayout(layoutOf(job)))
        printerFailed(QStringLiteral("打印机不支持此纸张"));
    if (!m_painter.begin(m_device)) {
        if (m_file)
            outputFailed(m_file->failed() ? m_file->errorText() : QStringLiteral("无法开始写入"));
        printerFailed(QStringLiteral("无法开始打印"));
    }
    // Where the run sends the copies itself, the job holds each of them.
    m_pageCount = job.pageCount * (makesCopies() ? 1 : std::max(1, job.copies));
    m_completed = 0;
    m_nextPageDue = false;
    scalePainter();
    return true;
}

void QtPrintDevice::startPdf(const QString &pdf, const Job &job)
{
    if (const QString why = pdfRefusal(pdf); !why.isEmpty())
        outputFailed(why);
    m_file = std::make_unique<OutputFile>(pdf);
    if (!m_file->begin())
        outputFailed(m_file->errorText());
    m_writer = std::make_unique<QPdfWriter>(m_file.get());
    m_writer->setTitle(job.title);
    m_writer->setCreator(QCoreApplication::applicationName());
    m_device = m_writer.get();
}

void QtPrintDevice::startPrinter(const Job &job)
{
    m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    choosePrinter(job);
    m_printer->setDocName(job.title);
    m_printer->setFullPage(true);
    m_printer->setCollateCopies(job.collate);
    // Where the run sends the copies itself, the printer must not again.
    m_printer->setCopyCount(m_printer->supportsMultipleCopies() ? std::max(1, job.copies) : 1);
    m_device = m_printer.get();
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

QString QtPrintDevice::printerName() const
{
    return m_printer ? m_printer->printerName() : QString();
}

bool QtPrintDevice::makesCopies() const
{
    return m_printer && m_printer->supportsMultipleCopies();
}

void QtPrintDevice::outputFailed(const QString &reason)
{
    const QString path = m_file ? m_file->path() : m_pdfPath;
    if (m_painter.isActive())
        m_painter.end();
    m_writer.reset();
    if (m_file)
        m_file->discard();
    throw RuntimeError(RuntimeError::PrinterError,
                       QStringLiteral("无法写入 PDF 文件 %1：%2").arg(path, reason), path);
}

void QtPrintDevice::scalePainter()
{
    // One twip is 1/1440 inch on paper, whatever the printer's resolution.
    m_painter.resetTransform();
    m_painter.scale(m_device->logicalDpiX() / 1440.0, m_device->logicalDpiY() / 1440.0);
}

QPainter &QtPrintDevice::painter()
{
    if (m_nextPageDue)
        startNextPage();
    return m_painter;
}

void QtPrintDevice::startNextPage()
{
    m_nextPageDue = false;
    if (!m_device->newPage()) {
        if (m_file && m_file->failed())
            outputFailed(m_file->errorText());
        printerFailed(QStringLiteral("无法开始新的一页"));
    }
    scalePainter();
}

void QtPrintDevice::EndPage()
{
    if (!m_painter.isActive())
        printerFailed(QStringLiteral("打印作业未开始"));
    ++m_completed;
    // A full disk stops the job at the page it struck, not at its end.
    if (m_file && m_file->failed())
        outputFailed(m_file->errorText());
    if (m_pageCount <= 0) {
        // The next page starts only when something is drawn on it.
        m_nextPageDue = true;
        return;
    }
    if (m_completed < m_pageCount) {
        startNextPage();
        return;
    }
    finish();
}

void QtPrintDevice::EndDoc()
{
    if (m_painter.isActive())
        finish();
}

void QtPrintDevice::finish()
{
    m_nextPageDue = false;
    const bool ended = m_painter.end();
    if (!m_file) {
        if (!ended)
            printerFailed(QStringLiteral("无法完成打印作业"));
        return;
    }
    m_writer.reset();
    if (!ended)
        outputFailed(m_file->failed() ? m_file->errorText() : QStringLiteral("无法完成 PDF 文件"));
    if (!m_file->commit(pdfTrailerMissing))
        outputFailed(m_file->errorText());
}
