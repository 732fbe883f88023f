#pragma once

#include <QString>

// How the dialogs read the numbers typed into their boxes.
namespace NumberText {

// The number the text begins with; 0 when it begins with none or the
// number is out of reach of a double.
double value(const QString &text);
// The text a box is left with when it loses focus: its value as plain
// decimal text ("12abc" gives 12, "abc" gives 0).
QString normalised(const QString &text);

} // namespace NumberText
