#include "DeviceJob.h"

#include "PrintOffset.h"
#include "PrintRun.h"

#include "model/BillTemplate.h"

#include "platform/PrintDevice.h"

#include <QPainter>

#include <algorithm>

DeviceJob::Pages DeviceJob::of(const BillTemplate &bill, const PrintRun &run)
{
    return {bill.Caption, QSizeF(run.DesignWidth(), run.DesignHeight()),
            run.Orientation != PrintRun::Upright, QPointF(bill.mOffsetLeft, bill.mOffsetTop)};
}

DeviceJob::DeviceJob(PrintDevice &device, Pages pages, const PrintChoice &choice)
    : m_device(device)
    , m_pages(std::move(pages))
    , m_choice(choice)
{
}

bool DeviceJob::start(int count)
{
    PrintDevice::Job job;
    job.title = m_pages.title;
    job.pageWidth = m_pages.size.width();
    job.pageHeight = m_pages.size.height();
    job.landscape = m_pages.landscape;
    job.pageCount = count;
    job.printerName = m_choice.printerName;
    job.outputFile = m_choice.outputFile;
    job.copies = std::max(1, m_choice.copies);
    job.collate = m_choice.collate;
    if (!m_device.StartDoc(job))
        return false;
    m_offset = PrintOffset::forPrinter(m_device.printerName(), m_pages.landscape,
                                       m_pages.ownOffset);
    return true;
}

int DeviceJob::copiesToSend() const
{
    return m_device.makesCopies() ? 1 : std::max(1, m_choice.copies);
}

void DeviceJob::sendPage(const std::function<void(QPainter &)> &compose)
{
    {
        QPainter &painter = m_device.painter();
        // The shift ends with the page, whatever the composition does.
        struct Shifted
        {
            QPainter &painter;
            ~Shifted() { painter.restore(); }
        } shifted{painter};
        painter.save();
        painter.translate(m_offset);
        compose(painter);
    }
    m_device.EndPage();
}
