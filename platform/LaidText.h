#pragma once

#include "ElementFont.h"

#include <QFont>
#include <QGlyphRun>
#include <QList>
#include <QString>
#include <QTextLine>

#include <memory>
#include <vector>

class QColor;
class QPainter;
class QRectF;
class QTextLayout;

// A caption laid out once for a box width: its paragraphs' lines, ready to
// be drawn again wherever the box goes, for as long as the caption, the
// font, the width and the auto-size flag it was laid out for hold.
class LaidText
{
public:
    // Without autoSize the lines wrap at width (Chinese at any character).
    LaidText(const QString &text, const ElementFont &font, double width, bool autoSize);
    ~LaidText();
    LaidText(const LaidText &) = delete;
    LaidText &operator=(const LaidText &) = delete;

    bool laidOutFor(const QString &text, const ElementFont &font, double width,
                    bool autoSize) const;
    // No line to draw.
    bool isEmpty() const { return m_lines.empty(); }
    // Tells this layout from every other one, even one laid out later at
    // the same address.
    quint64 serial() const { return m_serial; }
    // alignment: an Element::TextAlignment. With clip the text is cut at
    // the box and no paragraph starts below it. reach: where painting may
    // reach (empty: anywhere); lines past it are not drawn.
    void draw(QPainter &painter, const QRectF &box, const QColor &color, int alignment,
              bool clip, const QRectF &reach = QRectF()) const;

private:
    struct Line
    {
        QTextLine text;
        // Starts a paragraph after the first: a cut caption stops there.
        bool startsParagraph;
        // Filled at the first draw onto pixels, placed from the point the
        // line is drawn at.
        QList<QGlyphRun> glyphs;
    };

    bool drawsGlyphsOn(const QPainter &painter) const;
    void findGlyphs() const;

    quint64 m_serial;
    QString m_text;
    ElementFont m_font;
    double m_width;
    bool m_autoSize;
    QFont m_pageFont;
    std::vector<std::unique_ptr<QTextLayout>> m_paragraphs;
    mutable std::vector<Line> m_lines;
    mutable bool m_glyphsFound = false;
};
