#pragma once

#include "ElementFont.h"

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

class QPainter;

// The one text-layout routine: the page view and page composition both
// draw text through it, in page units (twips), so the designer shows what
// prints. A font of p points is p x 20 twips high.
namespace TextLayout {

QFont pageFont(const ElementFont &font);
// The caption's explicit lines: CR LF, CR and LF each end one.
QStringList explicitLines(const QString &text);
// The caption's natural size in twips, one line per explicit line break.
QSizeF naturalSize(const QString &text, const ElementFont &font);
// Draws text in box. Without autoSize the text wraps at word boundaries
// (Chinese at any character); with clip it is cut at the box. Lays the
// text out on every call, for whatever device the painter draws on.
// alignment: an Element::TextAlignment.
void draw(QPainter &painter, const QRectF &box, const QString &text, const ElementFont &font,
          const QColor &color, int alignment, bool autoSize, bool clip);

} // namespace TextLayout
