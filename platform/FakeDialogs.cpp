#include "FakeDialogs.h"

#include <QDialog>

namespace {

template<typename T>
std::optional<T> takeFront(std::deque<std::optional<T>> &queue)
{
    std::optional<T> answer;
    if (!queue.empty()) {
        answer.swap(queue.front());
        queue.pop_front();
    }
    return answer;
}

} // namespace

FakeDialogs::Shown &FakeDialogs::record(const QString &kind, const QString &title)
{
    Shown s;
    s.kind = kind;
    s.title = title;
    shown.push_back(s);
    return shown.back();
}

MsgResult FakeDialogs::MsgBox(const QString &text, MsgButtons buttons, MsgIcon icon,
                              const QString &title)
{
    Shown &s = record(QStringLiteral("MsgBox"), title);
    s.text = text;
    s.buttons = buttons;
    s.icon = icon;
    if (!msgAnswers.empty()) {
        const MsgResult answer = msgAnswers.front();
        msgAnswers.pop_front();
        return answer;
    }
    switch (buttons) {
    case MsgButtons::YesNo:
    case MsgButtons::YesNoCancel:
        return MsgResult::Yes;
    default:
        return MsgResult::OK;
    }
}

QString FakeDialogs::InputBox(const QString &prompt, const QString &title,
                              const QString &defaultText)
{
    Shown &s = record(QStringLiteral("InputBox"), title);
    s.text = prompt;
    s.defaultText = defaultText;
    if (inputAnswers.empty())
        return QString();
    const QString answer = inputAnswers.front();
    inputAnswers.pop_front();
    return answer;
}

std::optional<QString> FakeDialogs::PasswordBox(const QString &prompt, const QString &title)
{
    record(QStringLiteral("PasswordBox"), title).text = prompt;
    if (passwordAnswers.empty())
        return std::nullopt;
    const std::optional<QString> answer = passwordAnswers.front();
    passwordAnswers.pop_front();
    return answer;
}

std::optional<QString> FakeDialogs::OpenFile(const FileDialogRequest &request)
{
    record(QStringLiteral("OpenFile"), request.title).file = request;
    return takeFront(fileAnswers);
}

std::optional<QString> FakeDialogs::SaveFile(const FileDialogRequest &request)
{
    record(QStringLiteral("SaveFile"), request.title).file = request;
    return takeFront(fileAnswers);
}

std::optional<QColor> FakeDialogs::ChooseColor(const QColor &initial)
{
    record(QStringLiteral("Color"), QString()).color = initial;
    return takeFront(colorAnswers);
}

std::optional<FontChoice> FakeDialogs::ChooseFont(const FontChoice &initial)
{
    Shown &s = record(QStringLiteral("Font"), QString());
    s.font = initial.Font;
    s.color = initial.Color;
    return takeFront(fontAnswers);
}

std::optional<PrintChoice> FakeDialogs::PrintSetup(const PrintSetupRequest &request)
{
    record(QStringLiteral("PrintSetup"), request.title).print = request;
    return takeFront(printAnswers);
}

int FakeDialogs::ExecModal(QDialog &dialog)
{
    record(QStringLiteral("Modal"), dialog.windowTitle());
    if (modalScripts.empty())
        return QDialog::Rejected;
    auto script = std::move(modalScripts.front());
    modalScripts.pop_front();
    return script(dialog);
}

QStringList FakeDialogs::messages() const
{
    QStringList texts;
    for (const Shown &s : shown) {
        if (s.kind == QLatin1String("MsgBox"))
            texts << s.text;
    }
    return texts;
}

const FakeDialogs::Shown *FakeDialogs::lastMessage() const
{
    for (auto it = shown.rbegin(); it != shown.rend(); ++it) {
        if (it->kind == QLatin1String("MsgBox"))
            return &*it;
    }
    return nullptr;
}
