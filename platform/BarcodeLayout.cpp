#include "BarcodeLayout.h"

#include "BarcodeSymbol.h"
#include "Element.h"
#include "TextLayout.h"
#include "Units.h"

#include <QFontMetricsF>
#include <QGuiApplication>

#include <algorithm>
#include <cmath>

namespace {

constexpr double Slack = 1e-6;
// Bars shorter than this many modules are no code a scanner can sweep.
constexpr double MinBarModules = 5.0;

double gridUp(double twips)
{
    return std::ceil(twips / BarcodeLayout::GridTwips - Slack) * BarcodeLayout::GridTwips;
}

double gridDown(double twips)
{
    return std::floor(twips / BarcodeLayout::GridTwips + Slack) * BarcodeLayout::GridTwips;
}

double gridNearest(double twips)
{
    return std::round(twips / BarcodeLayout::GridTwips) * BarcodeLayout::GridTwips;
}

// The smallest matrix module a printer can still make out.
double minMatrixModule()
{
    return gridUp(Units::mmToTwips(BarcodeLook::MinModuleWidth));
}

double lineHeight(const ElementFont &font)
{
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return font.Size * Units::TwipsPerPoint * 1.2;
    return QFontMetricsF(TextLayout::pageFont(font)).height();
}

// The part of the box whose edges lie on the grid: the code stays inside.
QRectF gridInside(const QRectF &box)
{
    const double left = gridUp(box.left());
    const double top = gridUp(box.top());
    return QRectF(left, top, std::max(0.0, gridDown(box.right()) - left),
                  std::max(0.0, gridDown(box.bottom()) - top));
}

QString mm(double twips)
{
    return Units::formatMm(Units::twipsToMm(twips));
}

} // namespace

double BarcodeLayout::linearModuleTwips(double millimetres)
{
    const double mmClamped = std::clamp(millimetres, BarcodeLook::MinModuleWidth,
                                        BarcodeLook::MaxModuleWidth);
    return std::max(GridTwips, gridNearest(Units::mmToTwips(mmClamped)));
}

BarcodeLayout::BarcodeLayout(const BarcodeSymbol &symbol, const BarcodeLook &look,
                             const QRectF &box, const ElementFont &font, int alignment)
{
    if (!symbol.isValid()) {
        m_reason = symbol.reason();
        return;
    }
    if (look.isLinear())
        placeLinear(symbol, look, box, font, alignment);
    else
        placeMatrix(symbol, box, alignment);
}

double BarcodeLayout::placedLeft(const QRectF &box, double width, int alignment) const
{
    double left = box.left();
    if (alignment == Element::Center)
        left += (box.width() - width) / 2;
    else if (alignment == Element::RightJustify)
        left = box.right() - width;
    const double rightmost = std::max(box.left(), gridDown(box.right() - width));
    return std::clamp(gridNearest(left), box.left(), rightmost);
}

void BarcodeLayout::placeLinear(const BarcodeSymbol &symbol, const BarcodeLook &look,
                                const QRectF &objectBox, const ElementFont &font, int alignment)
{
    const QRectF box = gridInside(objectBox);
    m_module = linearModuleTwips(look.moduleWidth);
    const double width = symbol.size().width() * m_module;
    if (width > box.width() + Slack) {
        m_reason = QStringLiteral("条码宽 %1 mm，对象框只有 %2 mm 宽")
                       .arg(mm(width), mm(objectBox.width()));
        return;
    }
    const bool withText = look.showText && !symbol.captions().empty();
    const double textHeight = withText ? lineHeight(font) : 0;
    double lowest = symbol.barHeight();
    for (const QRectF &bar : symbol.bars())
        lowest = std::max(lowest, bar.bottom());
    const double guards = (lowest - symbol.barHeight()) * m_module;
    const double top = box.top();
    const double barsHeight = gridDown(box.bottom() - std::max(textHeight, guards)) - top;
    if (barsHeight < MinBarModules * m_module) {
        m_reason = QStringLiteral("对象框太矮，条码至少要 %1 mm 高")
                       .arg(mm(MinBarModules * m_module + std::max(textHeight, guards)));
        return;
    }
    const double left = placedLeft(box, width, alignment);
    m_symbol = QRectF(left, top, width, barsHeight);
    const double scaleY = barsHeight / symbol.barHeight();
    m_bars.reserve(symbol.bars().size());
    for (const QRectF &bar : symbol.bars()) {
        const double y1 = top + bar.top() * scaleY;
        // Guard bars reach below the main bars by whole modules.
        const double y2 = bar.bottom() <= symbol.barHeight() + Slack
                              ? top + bar.bottom() * scaleY
                              : top + barsHeight + (bar.bottom() - symbol.barHeight()) * m_module;
        m_bars.emplace_back(left + bar.left() * m_module, y1, bar.width() * m_module, y2 - y1);
    }
    if (!withText)
        return;
    const double textTop = top + barsHeight;
    const double reach = box.width();
    for (const BarcodeSymbol::Caption &caption : symbol.captions()) {
        const double x = left + caption.x * m_module;
        switch (caption.anchor) {
        case BarcodeSymbol::LeftEnd:
            m_texts.push_back({caption.text, QRectF(x, textTop, reach, textHeight),
                               Qt::AlignLeft | Qt::AlignTop});
            break;
        case BarcodeSymbol::RightEnd:
            m_texts.push_back({caption.text, QRectF(x - reach, textTop, reach, textHeight),
                               Qt::AlignRight | Qt::AlignTop});
            break;
        default:
            m_texts.push_back({caption.text, QRectF(x - reach, textTop, 2 * reach, textHeight),
                               Qt::AlignHCenter | Qt::AlignTop});
            break;
        }
    }
}

void BarcodeLayout::placeMatrix(const BarcodeSymbol &symbol, const QRectF &objectBox,
                                int alignment)
{
    const QRectF box = gridInside(objectBox);
    const QSizeF modules = symbol.size();
    const double dots = std::floor(std::min(box.width() / (modules.width() * GridTwips),
                                            box.height() / (modules.height() * GridTwips))
                                   + Slack);
    m_module = dots * GridTwips;
    if (m_module < minMatrixModule() - Slack) {
        m_reason = QStringLiteral("对象框太小，这个码至少要 %1 × %2 mm")
                       .arg(mm(modules.width() * minMatrixModule()),
                            mm(modules.height() * minMatrixModule()));
        return;
    }
    const double width = modules.width() * m_module;
    const double left = placedLeft(box, width, alignment);
    const double top = box.top();
    m_symbol = QRectF(left, top, width, modules.height() * m_module);
    m_bars.reserve(symbol.bars().size());
    for (const QRectF &bar : symbol.bars())
        m_bars.emplace_back(left + bar.left() * m_module, top + bar.top() * m_module,
                            bar.width() * m_module, bar.height() * m_module);
}
