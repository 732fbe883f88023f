#include "PreviewIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

namespace PreviewIcons {

namespace {

constexpr int Size = 24;

void triangle(QPainter &p, double tipX, double baseX)
{
    p.drawPolygon(QPolygonF({QPointF(tipX, 12), QPointF(baseX, 5), QPointF(baseX, 19)}));
}

void drawArrows(QPainter &p, Kind kind)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 80, 160));
    switch (kind) {
    case Kind::First:
        p.drawRect(QRectF(5, 5, 2.5, 14));
        triangle(p, 8, 18);
        break;
    case Kind::Previous:
        triangle(p, 7, 17);
        break;
    case Kind::Next:
        triangle(p, 17, 7);
        break;
    case Kind::Last:
        triangle(p, 16, 6);
        p.drawRect(QRectF(16.5, 5, 2.5, 14));
        break;
    default:
        break;
    }
}

void drawPrinter(QPainter &p)
{
    p.setPen(QPen(QColor(60, 60, 60), 1.2));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(7, 3.5, 10, 6));      // paper going in
    p.setBrush(QColor(150, 150, 160));
    p.drawRoundedRect(QRectF(3.5, 9.5, 17, 8), 1.5, 1.5);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(7, 14.5, 10, 6));     // printed sheet
    p.setPen(QPen(QColor(60, 60, 60), 0.8));
    p.drawLine(QPointF(8.5, 17), QPointF(15.5, 17));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 180, 60));
    p.drawEllipse(QPointF(17.5, 12), 1, 1);
}

void drawClose(QPainter &p)
{
    p.setPen(QPen(QColor(190, 40, 40), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(6, 6), QPointF(18, 18));
    p.drawLine(QPointF(18, 6), QPointF(6, 18));
}

} // namespace

QIcon icon(Kind kind)
{
    QPixmap pixmap(Size, Size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    switch (kind) {
    case Kind::Print:
        drawPrinter(p);
        break;
    case Kind::Close:
        drawClose(p);
        break;
    default:
        drawArrows(p, kind);
        break;
    }
    p.end();
    return QIcon(pixmap);
}

} // namespace PreviewIcons
