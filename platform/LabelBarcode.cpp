#include "LabelBarcode.h"

#include "BarcodeLayout.h"
#include "BarcodePainter.h"
#include "BarcodeSymbol.h"
#include "Element.h"
#include "TextLayout.h"

#include <QFontMetricsF>
#include <QPainter>

namespace LabelBarcode {

namespace {

const QColor SampleBars(0x90, 0x90, 0x90);

BarcodeLayout layoutOf(const Element &label)
{
    const auto symbol = BarcodeSymbol::encode(label.Barcode(), shownData(label));
    return BarcodeLayout(*symbol, label.Barcode(), label.rect(), label.Font(), label.Alignment());
}

// The caption on a white plate over the middle of the sample.
void paintCaptionPlate(QPainter &painter, const Element &label, const QRectF &over)
{
    const QFont font = TextLayout::pageFont(label.Font());
    const QFontMetricsF metrics(font);
    const QSizeF size(metrics.horizontalAdvance(label.Caption()) + metrics.averageCharWidth(),
                      metrics.height());
    QRectF plate(QPointF(), size);
    plate.moveCenter(over.center());
    painter.save();
    painter.fillRect(plate, Qt::white);
    painter.setFont(font);
    painter.setPen(label.ForeColor());
    painter.drawText(plate, Qt::AlignCenter, label.Caption());
    painter.restore();
}

} // namespace

QString shownData(const Element &label)
{
    return label.BarcodeSample() ? BarcodeSymbol::sampleData(label.Barcode().type)
                                 : label.Caption();
}

QString problem(const Element &label)
{
    if (!label.Barcode().isCode())
        return QString();
    return layoutOf(label).reason();
}

void paint(QPainter &painter, const Element &label, double twipsPerPixel)
{
    const BarcodeLayout layout = layoutOf(label);
    if (!layout.fits()) {
        BarcodePainter::paintCrossedOut(painter, label.rect(), twipsPerPixel);
        TextLayout::draw(painter, label.rect(), label.Caption(), label.Font(), label.ForeColor(),
                         Element::LeftJustify, false, true);
        return;
    }
    if (!label.BarcodeSample()) {
        BarcodePainter::paint(painter, layout, label.Font(), label.ForeColor());
        return;
    }
    BarcodePainter::paint(painter, layout, label.Font(), SampleBars);
    paintCaptionPlate(painter, label, layout.symbolRect());
}

} // namespace LabelBarcode
