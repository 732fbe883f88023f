#pragma once

#include <QList>
#include <QString>

// One position of the toolbar, left to right.
struct ToolbarEntry
{
    // Widget: a control of its own in the toolbar (the zoom box).
    enum Style { Push, Check, Group, Separator, Widget };

    const char *key;
    const char *toolTip;
    const char *imageKey;
    Style style = Push;
    bool pressed = false;
};

namespace ToolbarTable {

const QList<ToolbarEntry> &entries();
// A tool tip as a person reads it: "直线(&L)" shows as "直线(L)". The
// access-key marker belongs to menus; "&&" stands for "&".
QString shownTip(const char *toolTip);

} // namespace ToolbarTable
