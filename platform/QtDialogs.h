#pragma once

#include "Dialogs.h"

// The program's dialogs: Qt's message box, input dialog, file, colour and
// font dialogs.
class QtDialogs : public Dialogs
{
public:
    MsgResult MsgBox(const QString &text, MsgButtons buttons, MsgIcon icon,
                     const QString &title) override;
    QString InputBox(const QString &prompt, const QString &title,
                     const QString &defaultText) override;
    std::optional<QString> PasswordBox(const QString &prompt, const QString &title) override;
    std::optional<QString> OpenFile(const FileDialogRequest &request) override;
    std::optional<QString> SaveFile(const FileDialogRequest &request) override;
    std::optional<QColor> ChooseColor(const QColor &initial) override;
    std::optional<FontChoice> ChooseFont(const FontChoice &initial) override;
    std::optional<PrintChoice> PrintSetup(const PrintSetupRequest &request) override;
    int ExecModal(QDialog &dialog) override;

    // "desc|*.a;*.b|..." -> "desc (*.a *.A ...);;..." (patterns in every case,
    // since file names on this system are case-sensitive)
    static QString toQtFilter(const QString &filter);
};
