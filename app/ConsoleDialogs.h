#pragma once

#include "platform/Dialogs.h"

#include <functional>

// The dialogs of a run from the command line: every message goes to the
// given writer (standard error), a password is read from the reader
// (standard input), and whatever would need a window is cancelled.
class ConsoleDialogs : public Dialogs
{
public:
    using Writer = std::function<void(const QString &)>;
    using SecretReader = std::function<std::optional<QString>(const QString &prompt)>;

    ConsoleDialogs(Writer write, SecretReader readSecret);

    // Standard error and a password typed unseen on the terminal.
    static std::unique_ptr<ConsoleDialogs> onTerminal();

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

private:
    Writer m_write;
    SecretReader m_readSecret;
};
