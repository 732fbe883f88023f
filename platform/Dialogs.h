#pragma once

#include "FontChoice.h"
#include "MessageBoxTypes.h"
#include "PrintChoice.h"

#include <QColor>
#include <QString>

#include <optional>

class QDialog;

// Every modal interaction of the program. The program installs QtDialogs;
// tests install FakeDialogs, which records and answers from a queue.
class Dialogs
{
public:
    virtual ~Dialogs() = default;
    virtual MsgResult MsgBox(const QString &text, MsgButtons buttons, MsgIcon icon,
                             const QString &title) = 0;
    // Empty text when cancelled.
    virtual QString InputBox(const QString &prompt, const QString &title,
                             const QString &defaultText) = 0;
    // A secret typed unseen; no value when cancelled.
    virtual std::optional<QString> PasswordBox(const QString &prompt, const QString &title) = 0;
    // No value when cancelled.
    virtual std::optional<QString> OpenFile(const FileDialogRequest &request) = 0;
    virtual std::optional<QString> SaveFile(const FileDialogRequest &request) = 0;
    virtual std::optional<QColor> ChooseColor(const QColor &initial) = 0;
    // The font with the colour of its text.
    virtual std::optional<FontChoice> ChooseFont(const FontChoice &initial) = 0;
    // Qt's print dialog: printer, copies, pages, collation, print to file.
    // No value when cancelled.
    virtual std::optional<PrintChoice> PrintSetup(const PrintSetupRequest &request) = 0;
    // Runs a modal dialog to its end; returns its result code.
    virtual int ExecModal(QDialog &dialog) = 0;
};
