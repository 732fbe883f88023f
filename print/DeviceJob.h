#pragma once

#include "platform/PrintChoice.h"

#include <QPointF>
#include <QSizeF>
#include <QString>

#include <functional>

class PrintDevice;
class QPainter;
struct BillTemplate;
struct PrintRun;

// One job of pages of one size on a print device: opened with the choice's
// printer, output file and copies. Each page is shifted by the offset of the
// printer it lands on (none in a PDF file) and completed; the copies the
// device does not make itself are the run's to send.
class DeviceJob
{
public:
    struct Pages
    {
        QString title;
        // The designed page, upright, twips.
        QSizeF size;
        bool landscape = false;
        // Added to the printer's calibration (twips along the page).
        QPointF ownOffset;
    };
    // The pages of a run of a template.
    static Pages of(const BillTemplate &bill, const PrintRun &run);

    DeviceJob(PrintDevice &device, Pages pages, const PrintChoice &choice);

    // Opens the job of count pages (of one copy); false when the user
    // cancelled. Throws RuntimeError when it cannot open.
    bool start(int count);
    // After start: the copies the run sends (1 when the device makes them).
    int copiesToSend() const;
    // After start: the shift of every page, twips.
    QPointF offset() const { return m_offset; }
    // Composes one page through compose, shifted, and completes it.
    void sendPage(const std::function<void(QPainter &)> &compose);

private:
    PrintDevice &m_device;
    Pages m_pages;
    PrintChoice m_choice;
    QPointF m_offset;
};
