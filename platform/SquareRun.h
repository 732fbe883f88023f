#pragma once

#include <QImage>
#include <QPointF>
#include <QRect>

#include <vector>

class QPainter;

// Pictures of one opaque colour (every handle's), placed on device pixels
// one after another, filled together as the squares they are: the pixels
// drawing each picture would give, for a fraction of the calls.
class SquareRun
{
public:
    explicit SquareRun(QPainter &painter);

    // False when the picture is not one colour or the painter is not on
    // device pixels: the caller draws it, after flush.
    bool add(const QImage &picture, const QPointF &at);
    void flush();

private:
    static constexpr std::size_t Batch = 1024;

    bool isSolid(const QImage &picture);
    static bool oneOpaqueColor(const QImage &picture, QRgb &color);

    QPainter &m_painter;
    // Drawing on device pixels: no transform but a move by whole pixels
    // (where a widget lies in its window).
    const bool m_onPixels;
    const QPoint m_shift;
    std::vector<QRect> m_squares;
    QRgb m_color = 0;
    // The last picture looked at, once for each run of the same one.
    qint64 m_pictureKey = 0;
    bool m_pictureSolid = false;
    QRgb m_pictureColor = 0;
};
