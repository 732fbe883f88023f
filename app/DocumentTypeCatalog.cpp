#include "DocumentTypeCatalog.h"

#include "documents/DemoDatabase.h"
#include "documents/DocumentTypes.h"
#include "store/TemplateStore.h"

namespace DocumentTypeCatalog {

DocumentType toDocumentType(const Category &category)
{
    DocumentType type;
    type.id = category.id;
    type.name = category.name;
    type.source.driver = category.driver;
    type.source.databaseName = category.databaseName;
    type.source.host = category.host;
    type.source.port = category.port;
    type.source.user = category.user;
    type.source.options = category.options;
    type.headerQuery = category.headerQuery;
    type.detailQuery = category.detailQuery;
    type.timeoutSeconds = category.statementTimeout;
    return type;
}

Category toCategory(const DocumentType &type)
{
    Category category;
    category.id = type.id;
    category.name = type.name;
    category.driver = type.source.driver;
    category.databaseName = type.source.databaseName;
    category.host = type.source.host;
    category.port = type.source.port;
    category.user = type.source.user;
    category.options = type.source.options;
    category.headerQuery = type.headerQuery;
    category.detailQuery = type.detailQuery;
    category.statementTimeout = type.timeoutSeconds;
    return category;
}

void publish(const TemplateStore &store)
{
    QList<DocumentType> types;
    for (const Category &category : store.categories()) {
        if (category.id != DemoDatabase::CategoryID)
            types << toDocumentType(category);
    }
    DocumentTypes::setTypes(types);
}

QString dataSourceText(int16_t categoryID)
{
    // The demonstration database is named, not made, for the status bar.
    if (categoryID == DemoDatabase::CategoryID) {
        DataSourceSettings demo;
        demo.driver = QStringLiteral("QSQLITE");
        demo.databaseName = DemoDatabase::path();
        return demo.displayName();
    }
    for (const DocumentType &type : DocumentTypes::types()) {
        if (type.id == categoryID && type.hasSource())
            return type.source.displayName();
    }
    return QStringLiteral("None");
}

} // namespace DocumentTypeCatalog
