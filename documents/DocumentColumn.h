#pragma once

#include <QString>

// A column a query returns, with the data type a field bound to it takes:
// 2 for numbers, 1 for everything else.
struct DocumentColumn
{
    enum DataTypes { Other = 1, Number = 2 };

    QString name;
    int dataType = Other;

    friend bool operator==(const DocumentColumn &, const DocumentColumn &) = default;
};
