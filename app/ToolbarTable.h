#pragma once

#include <QList>

// One position of the toolbar, left to right.
struct ToolbarEntry
{
    enum Style { Push, Check, Group, Separator };

    const char *key;
    const char *toolTip;
    const char *imageKey;
    Style style = Push;
    bool pressed = false;
};

namespace ToolbarTable {

const QList<ToolbarEntry> &entries();

} // namespace ToolbarTable
