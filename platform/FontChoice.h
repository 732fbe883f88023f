#pragma once

#include "ElementFont.h"

#include <QColor>

// What the font chooser edits: the font and the colour of the text.
struct FontChoice
{
    ElementFont Font;
    QColor Color = Qt::black;

    bool operator==(const FontChoice &) const = default;
};
