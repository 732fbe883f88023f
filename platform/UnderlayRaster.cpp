#include "UnderlayRaster.h"

#include <QPainter>

void UnderlayRaster::setSource(const QImage &source)
{
    m_source = source;
    m_faded = QImage();
    m_opacity = -1;
}

const QImage &UnderlayRaster::faded(const QSize &pixels, int opacity)
{
    if (m_source.isNull() || pixels.isEmpty()) {
        m_faded = QImage();
        return m_faded;
    }
    if (m_faded.size() == pixels && m_opacity == opacity)
        return m_faded;
    const QImage scaled
        = m_source.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QImage faded(pixels, QImage::Format_RGB32);
    faded.fill(Qt::white);
    {
        QPainter painter(&faded);
        painter.setOpacity(opacity / 100.0);
        painter.drawImage(0, 0, scaled);
    }
    // A grey scan stays grey, at a quarter of the memory.
    m_faded = m_source.format() == QImage::Format_Grayscale8
                  ? faded.convertToFormat(QImage::Format_Grayscale8)
                  : faded;
    m_opacity = opacity;
    return m_faded;
}

qint64 UnderlayRaster::bytes() const
{
    return m_source.sizeInBytes() + m_faded.sizeInBytes();
}
