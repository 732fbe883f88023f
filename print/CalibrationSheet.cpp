#include "CalibrationSheet.h"

#include "platform/ElementFont.h"
#include "platform/PrinterCalibration.h"
#include "platform/TextLayout.h"
#include "platform/Units.h"

#include <QPainter>
#include <QPen>

#include <cmath>

namespace CalibrationSheet {

namespace {

constexpr double TickMm = 2.0;
constexpr double HalfTickMm = 3.5;
constexpr double LongTickMm = 6.0;
constexpr double CrossArmMm = 8.0;
// A hairline on paper: 1/4 point.
constexpr double HairTwips = 5.0;

double tw(double mm)
{
    return Units::mmToTwips(mm);
}

QFont sheetFont(double points, bool bold = false)
{
    ElementFont font;
    font.Name = QStringLiteral("WenQuanYi Zen Hei");
    font.Size = points;
    font.Bold = bold;
    return TextLayout::pageFont(font);
}

double tickLength(int mm)
{
    return mm % 10 == 0 ? LongTickMm : mm % 5 == 0 ? HalfTickMm : TickMm;
}

// Ticks hang from the top edge every millimetre, numbered each centimetre.
void paintTopRuler(QPainter &painter, const QSizeF &paper)
{
    painter.setFont(sheetFont(6));
    for (int mm = 0; tw(mm) <= paper.width(); ++mm) {
        const double x = tw(mm);
        painter.drawLine(QPointF(x, 0), QPointF(x, tw(tickLength(mm))));
        if (mm % 10 == 0 && mm > 0)
            painter.drawText(QRectF(x - tw(5), tw(LongTickMm + 0.5), tw(10), tw(3)),
                             Qt::AlignHCenter | Qt::AlignTop, QString::number(mm));
    }
}

void paintLeftRuler(QPainter &painter, const QSizeF &paper)
{
    painter.setFont(sheetFont(6));
    for (int mm = 0; tw(mm) <= paper.height(); ++mm) {
        const double y = tw(mm);
        painter.drawLine(QPointF(0, y), QPointF(tw(tickLength(mm)), y));
        if (mm % 10 == 0 && mm > 0)
            painter.drawText(QRectF(tw(LongTickMm + 0.5), y - tw(1.5), tw(10), tw(3)),
                             Qt::AlignLeft | Qt::AlignVCenter, QString::number(mm));
    }
}

void paintCross(QPainter &painter, const QPointF &centre, const QString &label, bool labelBelow)
{
    const double arm = tw(CrossArmMm);
    painter.drawLine(centre - QPointF(arm, 0), centre + QPointF(arm, 0));
    painter.drawLine(centre - QPointF(0, arm), centre + QPointF(0, arm));
    painter.drawEllipse(centre, tw(1), tw(1));
    painter.setFont(sheetFont(8));
    const QRectF box = labelBelow ? QRectF(centre.x() + tw(2), centre.y() + tw(2), tw(80), tw(5))
                                  : QRectF(centre.x() - tw(82), centre.y() - tw(7), tw(80), tw(5));
    painter.drawText(box, (labelBelow ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter, label);
}

void paintExplanation(QPainter &painter, const QSizeF &paper, const QString &printer,
                      const QPointF &offsetMm)
{
    const QRectF title(tw(35), tw(45), paper.width() - tw(70), tw(8));
    painter.setFont(sheetFont(14, true));
    painter.drawText(title, Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("打印机校准页：%1").arg(printer));
    const QString text = QStringLiteral(
        "1. 用直尺量出两个十字中心到纸边的距离：左上十字到纸的左边和上边，右下十字到纸的右边和下边。\n"
        "2. 在“工具 → 打印机校准…”中填入量得的毫米数，按“计算并保存”。\n"
        "3. 再打印一张：十字应离纸边正好 %1 毫米。\n"
        "顶边和左边的刻度每格 1 毫米，每 10 毫米标一个数，数就是到纸的左边或上边的距离。\n"
        "本页按这台打印机现有的偏移打印：%2。\n"
        "打印时请选实际大小（不缩放、不适合纸张）。")
                             .arg(QString::number(CrossInsetMm, 'f', 1),
                                  PrinterCalibration::describe(offsetMm));
    painter.setFont(sheetFont(9));
    painter.drawText(QRectF(tw(35), title.bottom() + tw(4), paper.width() - tw(70), tw(60)),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
}

} // namespace

void Paint(QPainter &painter, const QSizeF &paper, const QString &printer, const QPointF &offsetMm)
{
    painter.save();
    QPen pen(Qt::black);
    pen.setWidthF(HairTwips);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    paintTopRuler(painter, paper);
    paintLeftRuler(painter, paper);
    const QString inset = QString::number(CrossInsetMm, 'f', 1);
    paintCross(painter, QPointF(tw(CrossInsetMm), tw(CrossInsetMm)),
               QStringLiteral("距左边 %1 毫米，距上边 %1 毫米").arg(inset), true);
    paintCross(painter,
               QPointF(paper.width() - tw(CrossInsetMm), paper.height() - tw(CrossInsetMm)),
               QStringLiteral("距右边 %1 毫米，距下边 %1 毫米").arg(inset), false);
    paintExplanation(painter, paper, printer, offsetMm);
    painter.restore();
}

} // namespace CalibrationSheet
