#include "LaidText.h"

#include "Element.h"
#include "GlyphOutlines.h"
#include "TextLayout.h"

#include <QPaintEngine>
#include <QPainter>
#include <QTextLayout>
#include <QTextOption>

#include <algorithm>
#include <cmath>
#include <atomic>

namespace {

double alignedX(const QRectF &box, double lineWidth, int alignment)
{
    switch (alignment) {
    case Element::RightJustify:
        return box.right() - lineWidth;
    case Element::Center:
        return box.left() + (box.width() - lineWidth) / 2.0;
    default:
        return box.left();
    }
}

// Wider than any paper, and within what a layout's fixed point holds.
constexpr double WidestLine = 1e7;

// Where a cut caption may paint: its box, no farther than reach.
QRectF cutAt(const QRectF &box, const QRectF &reach)
{
    if (reach.isEmpty())
        return box;
    return QRectF(QPointF(std::max(box.left(), reach.left()), std::max(box.top(), reach.top())),
                  QPointF(std::min(box.right(), reach.right()),
                          std::min(box.bottom(), reach.bottom())));
}

quint64 nextSerial()
{
    static std::atomic<quint64> serials{0};
    return ++serials;
}

} // namespace

LaidText::LaidText(const QString &text, const ElementFont &font, double width, bool autoSize)
    : m_serial(nextSerial())
    , m_text(text)
    , m_font(font)
    , m_width(width)
    , m_autoSize(autoSize)
    , m_pageFont(TextLayout::pageFont(font))
{
    if (text.isEmpty())
        return;
    QTextOption option;
    option.setWrapMode(autoSize ? QTextOption::NoWrap : QTextOption::WrapAtWordBoundaryOrAnywhere);
    for (const QString &paragraph : TextLayout::explicitLines(text)) {
        // Laid out without the device so that every surface wraps alike.
        auto layout = std::make_unique<QTextLayout>(paragraph, m_pageFont);
        layout->setTextOption(option);
        layout->setCacheEnabled(true);
        layout->beginLayout();
        for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
            if (!autoSize)
                line.setLineWidth(std::min(width, WidestLine));
            // The first paragraph always shows, even in a box too low.
            const bool startsParagraph = line.lineNumber() == 0 && !m_lines.empty();
            m_lines.push_back({line, startsParagraph, {}});
        }
        layout->endLayout();
        m_paragraphs.push_back(std::move(layout));
    }
}

LaidText::~LaidText() = default;

bool LaidText::laidOutFor(const QString &text, const ElementFont &font, double width,
                          bool autoSize) const
{
    // An auto-sized caption does not wrap, so its width does not matter.
    return autoSize == m_autoSize && (autoSize || width == m_width) && text == m_text
           && font == m_font;
}

// Kept glyphs land on the pixels the line would draw (a run carries no
// underline or strike-out of a line's own, so those lines draw themselves).
bool LaidText::drawsGlyphsOn(const QPainter &painter) const
{
    const QPaintEngine *engine = painter.paintEngine();
    return engine && engine->type() == QPaintEngine::Raster && !m_pageFont.underline()
           && !m_pageFont.strikeOut() && !m_pageFont.overline();
}

void LaidText::findGlyphs() const
{
    if (m_glyphsFound)
        return;
    m_glyphsFound = true;
    for (Line &line : m_lines)
        line.glyphs = line.text.glyphRuns();
}

void LaidText::draw(QPainter &painter, const QRectF &box, const QColor &color, int alignment,
                    bool clip, const QRectF &reach) const
{
    if (m_lines.empty())
        return;
    const bool glyphs = drawsGlyphsOn(painter);
    if (glyphs)
        findGlyphs();
    // Read once for every run: captions are painted by the thousand.
    const double deviceScale = glyphs ? std::abs(painter.combinedTransform().determinant()) : 0;
    painter.save();
    if (clip)
        painter.setClipRect(cutAt(box, reach), Qt::IntersectClip);
    painter.setPen(color);
    painter.setFont(m_pageFont);
    double y = box.top();
    for (const Line &line : m_lines) {
        if (clip && line.startsParagraph && y > box.bottom())
            break;
        const QPointF at(alignedX(box, line.text.naturalTextWidth(), alignment), y);
        if (!reach.isEmpty()) {
            if (y > reach.bottom())
                break;
            const QSizeF size(line.text.naturalTextWidth(), line.text.height());
            if (!reach.intersects(QRectF(at, size))) {
                y += line.text.height();
                continue;
            }
        }
        if (glyphs) {
            for (const QGlyphRun &run : line.glyphs) {
                if (!GlyphOutlines::drawnAsOutlines(run.rawFont().pixelSize(), deviceScale)
                    || !GlyphOutlines::fill(painter, at, run))
                    painter.drawGlyphRun(at, run);
            }
        } else {
            line.text.draw(&painter, at);
        }
        y += line.text.height();
    }
    painter.restore();
}
