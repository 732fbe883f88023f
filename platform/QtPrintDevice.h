#pragma once

#include "PrintDevice.h"

#include <QPainter>

#include <memory>
#include <optional>

class OutputFile;
class QPagedPaintDevice;
class QPdfWriter;
class QPrinter;

// The job's printer, else the system's default printer (the first
// installed one when none is the default), full page with no margins, so
// that page twips map onto the paper by a pure scale. A landscape page goes
// to the printer as portrait-shaped paper turned landscape, so the painter
// sees the designed page upright. The job's output file, or with no printer
// installed a PDF file chosen with the save chooser, takes the pages
// instead. A printer makes the copies itself; a PDF file holds each copy.
//
// A PDF file is written beside its name and put under it only when the job
// has ended, every write succeeded and the file reads back whole; a job
// that fails or is abandoned leaves nothing under the name. A name that is
// a folder, a device or a file the program has open is refused before
// anything is written.
class QtPrintDevice : public PrintDevice
{
public:
    // pdfPath: write this PDF file instead of asking where to print.
    explicit QtPrintDevice(QString pdfPath = QString());
    ~QtPrintDevice() override;

    bool StartDoc(const Job &job) override;
    QPainter &painter() override;
    void EndPage() override;
    void EndDoc() override;
    QString printerName() const override;
    bool makesCopies() const override;

    static bool hasPrinter();
    // Why no PDF file can be written under path (empty when it may be
    // tried), before anything is written.
    static QString pdfRefusal(const QString &path);

private:
    // The PDF file the job writes; empty for a printer; no value when the
    // user cancelled the choice of a file.
    std::optional<QString> pdfFileFor(const Job &job) const;
    void startPdf(const QString &pdf, const Job &job);
    void startPrinter(const Job &job);
    void choosePrinter(const Job &job);
    void startNextPage();
    void finish();
    void scalePainter();
    [[noreturn]] void outputFailed(const QString &reason);

    QString m_pdfPath;
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<OutputFile> m_file;
    std::unique_ptr<QPdfWriter> m_writer;
    QPagedPaintDevice *m_device = nullptr;
    QPainter m_painter;
    int m_pageCount = 0;
    int m_completed = 0;
    bool m_nextPageDue = false;
};
