#include "DocumentTypes.h"

#include "documents/DemoDatabase.h"

namespace DocumentTypes {

namespace {

QList<DocumentType> &known()
{
    static QList<DocumentType> list;
    return list;
}

} // namespace

void setTypes(const QList<DocumentType> &types)
{
    known() = types;
}

QList<DocumentType> types()
{
    return known();
}

std::optional<DocumentType> find(int16_t id)
{
    if (id == DemoDatabase::CategoryID)
        return DemoDatabase::documentType();
    for (const DocumentType &type : known()) {
        if (type.id == id)
            return type;
    }
    return std::nullopt;
}

} // namespace DocumentTypes
