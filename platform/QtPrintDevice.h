#pragma once

#include "PrintDevice.h"

#include <QPainter>

#include <memory>

class QPrinter;

// The system's default printer (the first installed one when none is the
// default), full page with no margins, so that page twips map onto the
// paper by a pure scale. A landscape page goes to the printer as
// portrait-shaped paper turned landscape, so the painter sees the designed
// page upright. With no printer installed the job writes a PDF file chosen
// with the save chooser.
class QtPrintDevice : public PrintDevice
{
public:
    // pdfPath: write this PDF file instead of asking where to print.
    explicit QtPrintDevice(QString pdfPath = QString());
    ~QtPrintDevice() override;

    bool StartDoc(const Job &job) override;
    QPainter &painter() override { return m_painter; }
    void EndPage() override;

    static bool hasPrinter();

private:
    void scalePainter();

    QString m_pdfPath;
    std::unique_ptr<QPrinter> m_printer;
    QPainter m_painter;
    int m_pageCount = 0;
    int m_completed = 0;
};
