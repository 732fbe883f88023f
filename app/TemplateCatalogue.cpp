#include "TemplateCatalogue.h"

#include "DocumentTypeCatalog.h"

#include "store/TemplateStore.h"

TemplateCatalogue::TemplateCatalogue() = default;

TemplateCatalogue::~TemplateCatalogue() = default;

QString TemplateCatalogue::path() const
{
    return m_path.isEmpty() ? TemplateStore::defaultPath() : m_path;
}

void TemplateCatalogue::setPath(const QString &path)
{
    m_store.reset();
    m_path = path;
}

TemplateStore &TemplateCatalogue::store()
{
    // The session's print runs read the document types of the store the
    // templates come from, without waiting for the options dialog.
    if (!m_store) {
        auto opened = std::make_unique<TemplateStore>(path());
        DocumentTypeCatalog::publish(*opened);
        m_store = std::move(opened);
    }
    return *m_store;
}

void TemplateCatalogue::ReadBill(int16_t tmpID, BillTemplate &fresh)
{
    store().load(tmpID, fresh);
}
