#include "LaidText.h"

#include "Element.h"
#include "TextLayout.h"

#include <QPainter>
#include <QRectF>
#include <QTextLayout>
#include <QTextOption>

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

} // namespace

LaidText::LaidText(const QString &text, const ElementFont &font, double width, bool autoSize)
    : m_text(text)
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
                line.setLineWidth(width);
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

void LaidText::draw(QPainter &painter, const QRectF &box, const QColor &color, int alignment,
                    bool clip) const
{
    if (m_paragraphs.empty())
        return;
    painter.save();
    if (clip)
        painter.setClipRect(box, Qt::IntersectClip);
    painter.setPen(color);
    painter.setFont(m_pageFont);
    double y = box.top();
    for (const auto &layout : m_paragraphs) {
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            line.draw(&painter, QPointF(alignedX(box, line.naturalTextWidth(), alignment), y));
            y += line.height();
        }
        if (clip && y > box.bottom())
            break;
    }
    painter.restore();
}
