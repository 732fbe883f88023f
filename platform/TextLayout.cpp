#include "TextLayout.h"

#include "LaidText.h"
#include "Units.h"

#include <QFontMetricsF>

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

QStringList explicitLines(const QString &text)
{
    QString normalised = text;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normalised.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return normalised.split(QLatin1Char('\n'));
}

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
    LaidText(text, font, box.width(), autoSize).draw(painter, box, color, alignment, clip);
}

} // namespace TextLayout
