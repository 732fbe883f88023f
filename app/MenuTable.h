#pragma once

#include <QList>

// One line of the main window's menu tree, in display order.
struct MenuEntry
{
    int level;            // 0 a menu of the menu bar, 1 its item, 2 an item of a submenu
    const char *name;
    const char *caption;  // "-" for a separator
    const char *shortcut; // portable key sequence text, empty for none
    enum Flag { Checkable = 1, Checked = 3, Hidden = 4 };

    int index = -1; // position in an item array, -1 for a plain item
    int flags = 0;
};

namespace MenuTable {

const QList<MenuEntry> &entries();

} // namespace MenuTable
