#pragma once

#include <QString>

// The font of a text element as the designer stores it: a face name and a
// size in points. Rendering turns it into a QFont sized in page units.
struct ElementFont
{
    QString Name = QStringLiteral("宋体");
    double Size = 9.0;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool Strikethru = false;

    bool operator==(const ElementFont &) const = default;
};
