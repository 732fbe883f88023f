#pragma once

#include "PrintDevice.h"

#include <QPainter>

#include <memory>

class OutputFile;
class QPagedPaintDevice;
class QPdfWriter;
class QPrinter;

// The system's default printer (the first installed one when none is the
// default), full page with no margins, so that page twips map onto the
// paper by a pure scale. A landscape page goes to the printer as
// portrait-shaped paper turned landscape, so the painter sees the designed
// page upright. With no printer installed the job writes a PDF file chosen
// with the save chooser.
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

    static bool hasPrinter();
    // Why no PDF file can be written under path (empty when it may be
    // tried), before anything is written.
    static QString pdfRefusal(const QString &path);

private:
    void startPdf(const QString &pdf, const Job &job);
    void startPrinter(const Job &job);
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
