#pragma once

#include <QString>

// The application's title: the main window's caption, the name the settings
// store keeps its values under, and the title of message boxes that have no
// other. Qt changes the main window's caption while a designer window is
// maximised, so the title is taken from here, never from the window.
inline QString AppTitle()
{
    return QStringLiteral("Kordane-格式报表Tavrel工具");
}
