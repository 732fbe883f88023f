#pragma once

#include "PrintDevice.h"

#include <QPainter>

#include <memory>
#include <optional>

class QPrinter;

// The job's printer, else the system's default printer (the first
// installed one when none is the default), full page with no margins, so
// that page twips map onto the paper by a pure scale. A landscape page goes
// to the printer as portrait-shaped paper turned landscape, so the painter
// sees the designed page upright. The job's output file, or with no printer
// installed a PDF file chosen with the save chooser, takes the pages
// instead. A printer makes the copies itself; a PDF file holds each copy.
class QtPrintDevice : public PrintDevice
{
public:
    // pdfPath: write this PDF file instead of asking where to print.
    explicit QtPrintDevice(QString pdfPath = QString());
    ~QtPrintDevice() override;

    bool StartDoc(const Job &job) override;
    QPainter &painter() override { return m_painter; }
    void EndPage() override;
    QString printerName() const override;
    bool makesCopies() const override;

    static bool hasPrinter();

private:
    // The PDF file the job writes; empty for a printer; no value when the
    // user cancelled the choice of a file.
    std::optional<QString> pdfFileFor(const Job &job) const;
    void choosePrinter(const Job &job);
    void scalePainter();

    QString m_pdfPath;
    std::unique_ptr<QPrinter> m_printer;
    QPainter m_painter;
    int m_pageCount = 0;
    int m_completed = 0;
};
