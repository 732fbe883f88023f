#include "TemplateCatalogue.h"

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
    if (!m_store)
        m_store = std::make_unique<TemplateStore>(path());
    return *m_store;
}

void TemplateCatalogue::ReadBill(int16_t tmpID, BillTemplate &fresh)
{
    store().load(tmpID, fresh);
}
