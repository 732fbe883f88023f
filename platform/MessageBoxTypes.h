#pragma once

#include <QString>

// Buttons, icons and answers of a message box, numbered as the designer's
// message styles are (icon 48 is the exclamation mark).
enum class MsgButtons { OK = 0, OKCancel = 1, YesNoCancel = 3, YesNo = 4 };
enum class MsgIcon { None = 0, Critical = 16, Question = 32, Exclamation = 48, Information = 64 };
enum class MsgResult { OK = 1, Cancel = 2, Yes = 6, No = 7 };

struct FileDialogRequest
{
    QString title;
    // "description|patterns|description|patterns..." as the designer writes it
    QString filter;
    int flags = 0;
    QString initialPath;
};
