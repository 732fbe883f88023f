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
    bool isSolid(const QImage &picture);
    static bool oneOpaqueColor(const QImage &picture, QRgb &color);

    QPainter &m_painter;
    const bool m_onPixels;
    std::vector<QRect> m_squares;
    QRgb m_color = 0;
    // The last picture looked at, once for each run of the same one.
    qint64 m_pictureKey = 0;
    bool m_pictureSolid = false;
    QRgb m_pictureColor = 0;
};
