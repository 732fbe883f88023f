#pragma once

#include <QString>

#include <cstdint>

// One stored template as the catalogue lists it: its id and name.
struct TemplateEntry
{
    int16_t id = 0;
    QString name;
};
