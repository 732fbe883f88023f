#pragma once

#include "Dialogs.h"

#include <deque>
#include <functional>
#include <vector>

// Scripted dialogs for tests: records what was shown and answers from
// queues. An empty queue gives the default answer (the first button, an
// empty input, a cancelled chooser, a rejected dialog).
class FakeDialogs : public Dialogs
{
public:
    struct Shown
    {
        QString kind; // "MsgBox", "InputBox", "PasswordBox", "OpenFile", "SaveFile", "Color", "Font", "PrintSetup", "Modal"
        QString text;
        QString title;
        MsgButtons buttons = MsgButtons::OK;
        MsgIcon icon = MsgIcon::None;
        QString defaultText;
        FileDialogRequest file;
        // What a colour or font chooser was opened with.
        QColor color;
        ElementFont font;
        // What the print dialog was opened with.
        PrintSetupRequest print;
    };

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

    std::deque<MsgResult> msgAnswers;
    std::deque<QString> inputAnswers;
    std::deque<std::optional<QString>> passwordAnswers;
    std::deque<std::optional<QString>> fileAnswers;
    std::deque<std::optional<QColor>> colorAnswers;
    std::deque<std::optional<FontChoice>> fontAnswers;
    std::deque<std::optional<PrintChoice>> printAnswers;
    // Each runs against the dialog (set fields, press buttons) and returns
    // the result code.
    std::deque<std::function<int(QDialog &)>> modalScripts;

    std::vector<Shown> shown;
    // Texts of the message boxes shown so far.
    QStringList messages() const;
    const Shown *lastMessage() const;

private:
    Shown &record(const QString &kind, const QString &title);
};
