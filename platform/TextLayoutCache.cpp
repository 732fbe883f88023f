#include "TextLayoutCache.h"

#include "Element.h"
#include "LaidText.h"

TextLayoutCache::TextLayoutCache() = default;
TextLayoutCache::~TextLayoutCache() = default;
TextLayoutCache::TextLayoutCache(TextLayoutCache &&) noexcept = default;
TextLayoutCache &TextLayoutCache::operator=(TextLayoutCache &&) noexcept = default;

const LaidText &TextLayoutCache::layoutFor(const Element &label)
{
    std::unique_ptr<LaidText> &laid = m_laid[&label];
    if (!laid || !laid->laidOutFor(label.Caption(), label.Font(), label.Width(), label.AutoSize()))
        laid = std::make_unique<LaidText>(label.Caption(), label.Font(), label.Width(),
                                          label.AutoSize());
    return *laid;
}

void TextLayoutCache::clear()
{
    m_laid.clear();
}
