#pragma once

#include "BarcodeLook.h"
#include "ElementFont.h"

#include <QRectF>
#include <QString>

#include <vector>

class BarcodeSymbol;

// A code placed in its object's box, in page twips, the same on every
// surface. Module edges lie on a grid of 1/600 inch from the page's
// corner, so on a 600 or 1200 DPI printer, and in a PDF rasterised at
// those resolutions, every module of a code is the same whole number of
// dots; the common widths (0.25, 0.33, 0.5 mm) are even numbers of them,
// exact at 300 DPI too.
//
// A linear code keeps its module width (rounded to the grid), its bars
// take the box's height less the text under them, and it sits in the box
// as the text's alignment says; a code wider than the box does not fit.
// A matrix or stacked code takes the largest whole number of grid dots per
// module that fits the box.
class BarcodeLayout
{
public:
    static constexpr double GridDpi = 600.0;
    static constexpr double GridTwips = 1440.0 / GridDpi;

    struct Text
    {
        QString text;
        QRectF box;
        int alignment = 0; // Qt::Alignment
    };

    // alignment: an Element::TextAlignment.
    BarcodeLayout(const BarcodeSymbol &symbol, const BarcodeLook &look, const QRectF &box,
                  const ElementFont &font, int alignment);

    bool fits() const { return m_reason.isEmpty(); }
    // Why the code cannot be placed (the symbol's own reason first).
    const QString &reason() const { return m_reason; }
    // One module, in twips.
    double moduleTwips() const { return m_module; }
    // The symbol with its quiet zones, in twips.
    const QRectF &symbolRect() const { return m_symbol; }
    const std::vector<QRectF> &bars() const { return m_bars; }
    const std::vector<Text> &texts() const { return m_texts; }

    // The module width of a linear code on the grid, in twips.
    static double linearModuleTwips(double millimetres);

private:
    void placeLinear(const BarcodeSymbol &symbol, const BarcodeLook &look, const QRectF &box,
                     const ElementFont &font, int alignment);
    void placeMatrix(const BarcodeSymbol &symbol, const QRectF &box, int alignment);
    double placedLeft(const QRectF &box, double width, int alignment) const;

    QString m_reason;
    double m_module = 0;
    QRectF m_symbol;
    std::vector<QRectF> m_bars;
    std::vector<Text> m_texts;
};
