#include "GlyphOutlines.h"

#include <QGlyphRun>
#include <QHash>
#include <QMutex>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>

namespace GlyphOutlines {

namespace {

// Qt's own limit: glyphs larger on the device are filled as outlines.
constexpr double LargestCachedGlyph = 64;
// Outlines kept before they are read afresh; a page uses a few hundred.
constexpr qsizetype MostOutlines = 50000;

struct FontGlyph
{
    QString family;
    QString style;
    double pixelSize;
    int weight;
    int fontStyle;
    quint32 glyph;
    bool operator==(const FontGlyph &) const = default;
};

size_t qHash(const FontGlyph &key, size_t seed = 0)
{
    return qHashMulti(seed, key.family, key.style, key.pixelSize, key.weight, key.fontStyle,
                      key.glyph);
}

QMutex outlinesLock;
QHash<FontGlyph, QPainterPath> outlines;

QPainterPath outlineOf(const QRawFont &font, quint32 glyph)
{
    const FontGlyph key{font.familyName(), font.styleName(), font.pixelSize(),
                        font.weight(),     int(font.style()), glyph};
    const QMutexLocker locked(&outlinesLock);
    const auto kept = outlines.constFind(key);
    if (kept != outlines.constEnd())
        return *kept;
    if (outlines.size() >= MostOutlines)
        outlines.clear();
    return outlines.insert(key, font.pathForGlyph(glyph)).value();
}

} // namespace

bool drawnAsOutlines(double pixelSize, double deviceScale)
{
    return pixelSize * pixelSize * deviceScale > LargestCachedGlyph * LargestCachedGlyph;
}

bool fill(QPainter &painter, const QPointF &at, const QGlyphRun &run)
{
    const QRawFont font = run.rawFont();
    const QList<quint32> glyphs = run.glyphIndexes();
    const QList<QPointF> positions = run.positions();
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    for (qsizetype i = 0; i < glyphs.size() && i < positions.size(); ++i) {
        const QPainterPath outline = outlineOf(font, glyphs.at(i));
        if (outline.isEmpty() && !font.boundingRect(glyphs.at(i)).isEmpty())
            return false;
        path.addPath(outline.translated(at + positions.at(i)));
    }
    if (path.isEmpty())
        return true;
    painter.save();
    if (painter.testRenderHint(QPainter::TextAntialiasing))
        painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(path, painter.pen().brush());
    painter.restore();
    return true;
}

} // namespace GlyphOutlines
