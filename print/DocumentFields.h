#pragma once

#include "documents/DocumentColumn.h"

#include <QList>

#include <cstdint>
#include <functional>

// The columns a template of a category can be bound to.
struct FieldColumns
{
    QList<DocumentColumn> header;
    QList<DocumentColumn> detail;
};

namespace DocumentFields {

// The columns of the category's two queries, found without fetching rows;
// none for a category without a data source. Throws RuntimeError (source:
// the category's name) when the source cannot be read.
FieldColumns ColumnsOf(int16_t screenID);

using Lister = std::function<FieldColumns(int16_t screenID)>;

} // namespace DocumentFields
