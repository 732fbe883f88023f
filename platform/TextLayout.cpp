#include "TextLayout.h"

#include "Element.h"
#include "Units.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>
#include <QTextOption>

#include <algorithm>
#include <cmath>

namespace TextLayout {

QFont pageFont(const ElementFont &font)
{
    QFont f(font.Name);
    // Page units are twips: the font is sized in them so that it has the
    // same size on the screen, in the preview and on paper.
    f.setPixelSize(std::max(1, int(std::lround(font.Size * Units::TwipsPerPoint))));
    f.setBold(font.Bold);
    f.setItalic(font.Italic);
    f.setUnderline(font.Underline);
    f.setStrikeOut(font.Strikethru);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

namespace {

QStringList explicitLines(const QString &text)
{
    QString normalised = text;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normalised.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return normalised.split(QLatin1Char('\n'));
}

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

QSizeF naturalSize(const QString &text, const ElementFont &font)
{
    const QFontMetricsF metrics(pageFont(font));
    const QStringList lines = explicitLines(text);
    double width = 0;
    for (const QString &line : lines)
        width = std::max(width, metrics.horizontalAdvance(line));
    return QSizeF(width, metrics.height() * lines.size());
}

void draw(QPainter &painter, const QRectF &box, const QString &text, const ElementFont &font,
          const QColor &color, int alignment, bool autoSize, bool clip)
{
    if (text.isEmpty())
        return;
    const QFont f = pageFont(font);
    painter.save();
    if (clip)
        painter.setClipRect(box, Qt::IntersectClip);
    painter.setPen(color);
    painter.setFont(f);
    QTextOption option;
    option.setWrapMode(autoSize ? QTextOption::NoWrap : QTextOption::WrapAtWordBoundaryOrAnywhere);
    double y = box.top();
    for (const QString &paragraph : explicitLines(text)) {
        // Laid out without the device so that every surface wraps alike.
        QTextLayout layout(paragraph, f);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            if (!autoSize)
                line.setLineWidth(box.width());
            line.draw(&painter, QPointF(alignedX(box, line.naturalTextWidth(), alignment), y));
            y += line.height();
        }
        layout.endLayout();
        if (clip && y > box.bottom())
            break;
    }
    painter.restore();
}

} // namespace TextLayout
