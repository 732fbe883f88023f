#pragma once

#include <QtGlobal>

#include <memory>
#include <unordered_map>

class Element;
class LaidText;

// The laid-out captions of a page's labels, each kept until its caption,
// font, box width or auto-size flag changes. For the screen only: page
// composition lays text out afresh for the printer it draws on.
class TextLayoutCache
{
public:
    TextLayoutCache();
    ~TextLayoutCache();
    TextLayoutCache(TextLayoutCache &&) noexcept;
    TextLayoutCache &operator=(TextLayoutCache &&) noexcept;

    const LaidText &layoutFor(const Element &label);
    void clear();
    std::size_t size() const { return m_laid.size(); }

private:
    std::unordered_map<const Element *, std::unique_ptr<LaidText>> m_laid;
};
