#pragma once

#include "Element.h"

#include <map>
#include <memory>

class PageSurface;

// An element array of the page: a design-time element at its lowest index
// and elements loaded one by one at run time. A loaded element copies the
// design-time element's look and starts hidden.
class ElementArray
{
public:
    static constexpr int MaxIndex = 32767;

    ElementArray(PageSurface *page, ElementKind kind, int designIndex);

    ElementKind kind() const { return m_kind; }
    PageSurface *page() const { return m_page; }

    // Throws RuntimeError when the index is loaded already or out of range.
    Element &Load(int index);
    bool IsLoaded(int index) const { return m_elements.count(index) != 0; }
    int UBound() const { return m_elements.rbegin()->first; }
    int LBound() const { return m_elements.begin()->first; }
    int designIndex() const { return m_designIndex; }
    Element &designElement() { return *m_elements.at(m_designIndex); }
    const Element &designElement() const { return *m_elements.at(m_designIndex); }
    // Throws RuntimeError when the index is not loaded.
    Element &operator()(int index) const;
    Element *find(int index) const;
    std::size_t size() const { return m_elements.size(); }

    template<typename F>
    void forEach(F &&f) const
    {
        for (const auto &[index, element] : m_elements)
            f(*element);
    }

private:
    PageSurface *m_page;
    ElementKind m_kind;
    int m_designIndex;
    std::map<int, std::unique_ptr<Element>> m_elements;
};
