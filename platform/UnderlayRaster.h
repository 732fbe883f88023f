#pragma once

#include <QImage>
#include <QSize>

// The form beneath a page as it is drawn at one scale: its picture scaled
// once to the pixels its place covers and faded to its opacity over white,
// so that a repaint copies pixels and never scales a scan of millions.
class UnderlayRaster
{
public:
    // The picture as decoded (opaque); a null image: nothing to draw.
    void setSource(const QImage &source);
    const QImage &source() const { return m_source; }
    bool isEmpty() const { return m_source.isNull(); }

    // The picture at pixels, faded to opacity percent; made again only when
    // the size or the opacity changes.
    const QImage &faded(const QSize &pixels, int opacity);
    // Memory held: the picture and its faded copy.
    qint64 bytes() const;

private:
    QImage m_source;
    QImage m_faded;
    int m_opacity = -1;
};
