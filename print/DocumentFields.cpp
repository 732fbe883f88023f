#include "DocumentFields.h"

#include "documents/DocumentSource.h"
#include "documents/DocumentTypes.h"

namespace DocumentFields {

FieldColumns ColumnsOf(int16_t screenID)
{
    const std::optional<DocumentType> type = DocumentTypes::find(screenID);
    if (!type || !type->hasSource())
        return {};
    DocumentSource source(*type);
    FieldColumns columns;
    columns.header = source.headerColumns();
    columns.detail = source.detailColumns();
    return columns;
}

} // namespace DocumentFields
