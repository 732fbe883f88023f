#include "BarcodePainter.h"

#include "BarcodeLayout.h"
#include "TextLayout.h"

#include <QPainter>
#include <QPen>

namespace BarcodePainter {

void paint(QPainter &painter, const BarcodeLayout &layout, const ElementFont &font,
           const QColor &color)
{
    if (!layout.fits())
        return;
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawRects(layout.bars().data(), int(layout.bars().size()));
    if (!layout.texts().empty()) {
        painter.setFont(TextLayout::pageFont(font));
        painter.setPen(color);
        for (const BarcodeLayout::Text &text : layout.texts())
            painter.drawText(text.box, text.alignment, text.text);
    }
    painter.restore();
}

void paintCrossedOut(QPainter &painter, const QRectF &box, double twipsPerPixel)
{
    painter.save();
    const QColor red(0xd0, 0x20, 0x20);
    painter.setPen(QPen(red, twipsPerPixel, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    const double inset = twipsPerPixel / 2;
    const QRectF inside = box.adjusted(inset, inset, -inset, -inset);
    painter.drawRect(inside);
    painter.drawLine(inside.topLeft(), inside.bottomRight());
    painter.drawLine(inside.topRight(), inside.bottomLeft());
    painter.restore();
}

} // namespace BarcodePainter
