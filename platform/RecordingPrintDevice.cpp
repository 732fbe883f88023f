#include "RecordingPrintDevice.h"

#include "RuntimeError.h"

#include <QPaintDevice>
#include <QPen>
#include <QPaintEngine>
#include <QTextItem>
#include <QTransform>

namespace {

QString twips(double v)
{
    return QString::number(v + 0.0, 'f', 1);
}

QString place(const QPointF &p)
{
    return twips(p.x()) + QLatin1Char(',') + twips(p.y());
}

QString box(const QRectF &r)
{
    return place(r.topLeft()) + QLatin1Char(' ') + twips(r.width()) + QLatin1Char('x')
           + twips(r.height());
}

class RecordingPaintEngine : public QPaintEngine
{
public:
    explicit RecordingPaintEngine(RecordingPrintDevice &device)
        : QPaintEngine(QPaintEngine::AllFeatures), m_device(device)
    {
    }

    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState &state) override
    {
        if (state.state() & QPaintEngine::DirtyTransform)
            m_transform = state.transform();
        if (state.state() & QPaintEngine::DirtyPen)
            m_penWidth = state.pen().widthF();
    }
    Type type() const override { return QPaintEngine::User; }

    void drawTextItem(const QPointF &p, const QTextItem &item) override
    {
        m_device.current.texts << item.text();
        m_device.current.positions << m_transform.map(p);
        m_device.log << QStringLiteral("text:") + item.text();
    }
    void drawLines(const QLineF *lines, int count) override
    {
        m_device.current.lines += count;
        for (int i = 0; i < count; ++i)
            m_device.current.shapes << QStringLiteral("line %1 %2 w=%3")
                                           .arg(place(m_transform.map(lines[i].p1())),
                                                place(m_transform.map(lines[i].p2())),
                                                twips(m_penWidth));
    }
    void drawLines(const QLine *lines, int count) override
    {
        for (int i = 0; i < count; ++i) {
            const QLineF line(lines[i]);
            drawLines(&line, 1);
        }
    }
    void drawPixmap(const QRectF &target, const QPixmap &, const QRectF &) override
    {
        recordImage(target);
    }
    void drawImage(const QRectF &target, const QImage &, const QRectF &,
                   Qt::ImageConversionFlags) override
    {
        recordImage(target);
    }
    void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}
    void drawPath(const QPainterPath &) override {}
    void drawRects(const QRectF *rects, int count) override
    {
        for (int i = 0; i < count; ++i)
            m_device.current.shapes << QStringLiteral("rect %1 w=%2")
                                           .arg(box(m_transform.mapRect(rects[i])),
                                                twips(m_penWidth));
    }

private:
    void recordImage(const QRectF &target)
    {
        ++m_device.current.images;
        m_device.current.shapes << QStringLiteral("image ") + box(m_transform.mapRect(target));
    }

    RecordingPrintDevice &m_device;
    QTransform m_transform;
    double m_penWidth = 0;
};

} // namespace

// A page measured in twips at 1440 dots per inch: the painter needs no scale.
class RecordingPaintSurface : public QPaintDevice
{
public:
    RecordingPaintSurface(RecordingPrintDevice &device, QSize twips)
        : m_engine(device), m_size(twips)
    {
    }
    QPaintEngine *paintEngine() const override { return &m_engine; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
            return m_size.width();
        case PdmHeight:
            return m_size.height();
        case PdmWidthMM:
            return int(m_size.width() * 25.4 / 1440.0);
        case PdmHeightMM:
            return int(m_size.height() * 25.4 / 1440.0);
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 1440;
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return 0x7fffffff;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(QPaintDevice::devicePixelRatioFScale());
        }
        return 0;
    }

private:
    mutable RecordingPaintEngine m_engine;
    QSize m_size;
};

RecordingPrintDevice::RecordingPrintDevice() = default;

RecordingPrintDevice::~RecordingPrintDevice()
{
    if (m_painter.isActive())
        m_painter.end();
}

bool RecordingPrintDevice::StartDoc(const Job &tmpJob)
{
    ++startDocs;
    log << QStringLiteral("StartDoc");
    job = tmpJob;
    if (cancel)
        return false;
    m_surface = std::make_unique<RecordingPaintSurface>(
        *this, QSize(int(tmpJob.pageWidth), int(tmpJob.pageHeight)));
    return true;
}

QPainter &RecordingPrintDevice::painter()
{
    if (!m_painter.isActive() && m_surface)
        m_painter.begin(m_surface.get());
    return m_painter;
}

void RecordingPrintDevice::EndPage()
{
    ++endPageCalls;
    log << QStringLiteral("EndPage");
    if (onEndPage)
        onEndPage(endPageCalls);
    if (m_painter.isActive())
        m_painter.end();
    if (endPageCalls == failOnEndPage)
        throw RuntimeError(RuntimeError::PrinterError, QStringLiteral("打印机缺纸"),
                           QStringLiteral("Printer"));
    completed.push_back(current);
    current = Page();
}

void RecordingPrintDevice::EndDoc()
{
    ++endDocCalls;
    log << QStringLiteral("EndDoc");
}
