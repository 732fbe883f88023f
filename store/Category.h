#pragma once

#include <QString>

#include <cstdint>

// One category (单据类别) of the catalogue.
struct Category
{
    int16_t id = 0;
    QString name;
};
