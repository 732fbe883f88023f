#include "ElementArray.h"

#include "RuntimeError.h"

#include <QCoreApplication>

ElementArray::ElementArray(PageSurface *page, ElementKind kind, int designIndex)
    : m_page(page)
    , m_kind(kind)
    , m_designIndex(designIndex)
{
    m_elements.emplace(designIndex, std::make_unique<Element>(kind, designIndex, this));
}

Element &ElementArray::Load(int index)
{
    if (index < 0 || index > MaxIndex)
        throw RuntimeError(RuntimeError::SubscriptOutOfRange,
                           QStringLiteral("Subscript out of range: element %1").arg(index));
    if (IsLoaded(index))
        throw RuntimeError(RuntimeError::ElementAlreadyLoaded,
                           QStringLiteral("Object already loaded: element %1").arg(index));
    auto element = std::make_unique<Element>(m_kind, index, this);
    element->copyLookFrom(designElement());
    Element &loaded = *element;
    m_elements.emplace(index, std::move(element));
    loaded.ZOrder();
    return loaded;
}

Element &ElementArray::operator()(int index) const
{
    Element *element = find(index);
    if (!element)
        throw RuntimeError(RuntimeError::ElementNotLoaded,
                           QStringLiteral("Control array element '%1' doesn't exist").arg(index));
    return *element;
}

Element *ElementArray::find(int index) const
{
    const auto it = m_elements.find(index);
    return it == m_elements.end() ? nullptr : it->second.get();
}
