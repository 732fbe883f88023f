#pragma once

#include "documents/DocumentType.h"
#include "store/Category.h"

#include <QString>

#include <cstdint>

class TemplateStore;

// Between the template store's categories and the document types the
// print runs read from.
namespace DocumentTypeCatalog {

DocumentType toDocumentType(const Category &category);
Category toCategory(const DocumentType &type);
// Hands the store's types to this session's print runs; category 0 stays
// the demonstration.
void publish(const TemplateStore &store);
// What the status bar's data-source panel shows for a template of the
// category: its source's name, or "None" when it has none.
QString dataSourceText(int16_t categoryID);

} // namespace DocumentTypeCatalog
