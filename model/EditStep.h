#pragma once

#include "model/TemplateStep.h"

#include <optional>
#include <vector>

// Objects' properties (the property dialog, a caption typed in place, a
// picture chosen or removed) or the page's settings changed: the whole of
// each changed object, and the page's settings when they changed.
class EditStep : public TemplateStep
{
public:
    struct Change
    {
        ObjectState before;
        ObjectState after;
    };
    struct PageChange
    {
        PageState before;
        PageState after;
    };

    EditStep(BillTemplate &bill, const QString &text, std::vector<Change> changes,
             std::optional<PageChange> page, Selection selBefore, Selection selAfter);

protected:
    void put(bool after) override;

private:
    std::vector<Change> m_changes;
    std::optional<PageChange> m_page;
};
