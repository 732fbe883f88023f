#include "ConsoleDialogs.h"

#include <QDialog>
#include <QString>

#include <cstdio>
#include <iostream>
#include <memory>
#include <string>

#include <termios.h>
#include <unistd.h>

namespace {

void writeToStderr(const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stderr);
    std::fflush(stderr);
}

// A line from standard input, not echoed when it is a terminal; no value
// at the end of input.
std::optional<QString> readUnseen(const QString &prompt)
{
    writeToStderr(prompt);
    termios saved{};
    const bool terminal = ::isatty(STDIN_FILENO) && ::tcgetattr(STDIN_FILENO, &saved) == 0;
    if (terminal) {
        termios quiet = saved;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    }
    std::string line;
    const bool got = bool(std::getline(std::cin, line));
    if (terminal) {
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
        writeToStderr(QStringLiteral("\n"));
    }
    if (!got)
        return std::nullopt;
    return QString::fromLocal8Bit(line.c_str());
}

} // namespace

ConsoleDialogs::ConsoleDialogs(Writer write, SecretReader readSecret)
    : m_write(std::move(write))
    , m_readSecret(std::move(readSecret))
{
}

std::unique_ptr<ConsoleDialogs> ConsoleDialogs::onTerminal()
{
    return std::make_unique<ConsoleDialogs>(writeToStderr, readUnseen);
}

// The message as the box would show it, its line breaks kept; a question
// takes the answer that changes nothing.
MsgResult ConsoleDialogs::MsgBox(const QString &text, MsgButtons buttons, MsgIcon,
                                 const QString &title)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_write((title.isEmpty() ? QString() : title + QStringLiteral("：")) + shown
            + QLatin1Char('\n'));
    switch (buttons) {
    case MsgButtons::YesNo:
        return MsgResult::No;
    case MsgButtons::YesNoCancel:
    case MsgButtons::OKCancel:
        return MsgResult::Cancel;
    default:
        return MsgResult::OK;
    }
}

QString ConsoleDialogs::InputBox(const QString &, const QString &, const QString &)
{
    return QString();
}

std::optional<QString> ConsoleDialogs::PasswordBox(const QString &prompt, const QString &title)
{
    if (!m_readSecret)
        return std::nullopt;
    return m_readSecret(title + QStringLiteral("：") + prompt);
}

std::optional<QString> ConsoleDialogs::OpenFile(const FileDialogRequest &)
{
    return std::nullopt;
}

std::optional<QString> ConsoleDialogs::SaveFile(const FileDialogRequest &)
{
    return std::nullopt;
}

std::optional<QColor> ConsoleDialogs::ChooseColor(const QColor &)
{
    return std::nullopt;
}

std::optional<FontChoice> ConsoleDialogs::ChooseFont(const FontChoice &)
{
    return std::nullopt;
}

std::optional<PrintChoice> ConsoleDialogs::PrintSetup(const PrintSetupRequest &)
{
    return std::nullopt;
}

int ConsoleDialogs::ExecModal(QDialog &)
{
    return QDialog::Rejected;
}
