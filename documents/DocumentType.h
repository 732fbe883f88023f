#pragma once

#include "documents/DataSourceSettings.h"

#include <QString>

#include <cstdint>

// A document type (单据类别): the category of a template, with the data
// source its documents are read from. The header query returns one row for
// the parameter :BillNo, the detail query the document's lines, in order.
struct DocumentType
{
    int16_t id = 0;
    QString name;
    DataSourceSettings source;
    QString headerQuery;
    QString detailQuery;
    // How long reading one document may take before it is given up.
    int timeoutSeconds = DefaultTimeoutSeconds;

    static constexpr int DefaultTimeoutSeconds = 30;

    bool hasSource() const { return !source.isEmpty(); }
};
