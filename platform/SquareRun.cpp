#include "SquareRun.h"

#include "WholeNumber.h"

#include <QPainter>

namespace {

bool movesByWholePixels(const QTransform &device)
{
    return device.type() <= QTransform::TxTranslate && isWhole(device.dx())
           && isWhole(device.dy());
}

} // namespace

SquareRun::SquareRun(QPainter &painter)
    : m_painter(painter)
    , m_onPixels(painter.worldTransform().isIdentity()
                 && movesByWholePixels(painter.deviceTransform()) && painter.opacity() == 1.0
                 && !painter.testRenderHint(QPainter::Antialiasing)
                 && painter.compositionMode() == QPainter::CompositionMode_SourceOver)
    , m_shift(m_onPixels ? QPoint(int(painter.deviceTransform().dx()),
                                  int(painter.deviceTransform().dy()))
                         : QPoint())
{
    m_squares.reserve(Batch);
}

bool SquareRun::add(const QImage &picture, const QPointF &at)
{
    if (!m_onPixels || !isSolid(picture))
        return false;
    // Filled a batch at a time, so the batch is never grown afresh.
    if (!m_squares.empty() && (m_color != m_pictureColor || m_squares.size() == Batch))
        flush();
    m_color = m_pictureColor;
    // Where drawing the picture at a point between pixels puts it: rounded
    // on the device, after the move.
    const QPoint onDevice(qRound(at.x() + m_shift.x()), qRound(at.y() + m_shift.y()));
    m_squares.emplace_back(onDevice - m_shift, picture.size());
    return true;
}

void SquareRun::flush()
{
    if (m_squares.empty())
        return;
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(QColor::fromRgb(m_color));
    m_painter.drawRects(m_squares.data(), int(m_squares.size()));
    m_squares.clear();
}

bool SquareRun::isSolid(const QImage &picture)
{
    if (picture.cacheKey() == m_pictureKey)
        return m_pictureSolid;
    m_pictureKey = picture.cacheKey();
    m_pictureSolid = oneOpaqueColor(picture, m_pictureColor);
    return m_pictureSolid;
}

bool SquareRun::oneOpaqueColor(const QImage &picture, QRgb &color)
{
    if (picture.format() != QImage::Format_RGB32 && picture.format() != QImage::Format_ARGB32
        && picture.format() != QImage::Format_ARGB32_Premultiplied)
        return false;
    color = reinterpret_cast<const QRgb *>(picture.constScanLine(0))[0];
    for (int y = 0; y < picture.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            if (line[x] != color)
                return false;
        }
    }
    return qAlpha(color) == 255 || picture.format() == QImage::Format_RGB32;
}
