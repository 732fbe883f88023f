#pragma once

#include <QString>

#include <cstdint>

// What FindListIndex needs of a list or combo box: entries counted from 0,
// each with a text and a 32-bit item value.
class ListSource
{
public:
    virtual ~ListSource() = default;
    virtual int ListCount() const = 0;
    virtual QString List(int index) const = 0;
    virtual int32_t ItemData(int index) const = 0;
};
