#pragma once

#include "NumberText.h"

#include <QString>

// A length as a dialog shows it in millimetres, remembering the exact value
// behind the rounded text, so OK without an edit gives the value back
// instead of the rounded millimetres converted again.
struct ShownLength
{
    QString text;
    double value = 0;

    // By value: "10" after the box lost focus is still the "10.0" shown.
    bool unchanged(const QString &current) const
    {
        return NumberText::value(current) == NumberText::value(text);
    }
};
