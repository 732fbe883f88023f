#include "ElementArray.h"

#include "RuntimeError.h"

namespace {

QString arrayName(ElementKind kind)
{
    switch (kind) {
    case ElementKind::Line:
        return QStringLiteral("ObjLine");
    case ElementKind::Label:
        return QStringLiteral("ObjText");
    case ElementKind::Image:
        return QStringLiteral("ObjImg");
    case ElementKind::Handle:
        break;
    }
    return QStringLiteral("PicHD");
}

// Where an element error arose, as its source: the array and the index.
QString elementName(ElementKind kind, int index)
{
    return arrayName(kind) + QLatin1Char('(') + QString::number(index) + QLatin1Char(')');
}

} // namespace

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
        throw RuntimeError(RuntimeError::SubscriptOutOfRange, elementName(m_kind, index));
    if (IsLoaded(index))
        throw RuntimeError(RuntimeError::ElementAlreadyLoaded, elementName(m_kind, index));
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
        throw RuntimeError(RuntimeError::ElementNotLoaded, elementName(m_kind, index));
    return *element;
}

Element *ElementArray::find(int index) const
{
    const auto it = m_elements.find(index);
    return it == m_elements.end() ? nullptr : it->second.get();
}
