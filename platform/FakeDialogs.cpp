#include "FakeDialogs.h"

#include <QDialog>

MsgResult FakeDialogs::MsgBox(const QString &text, MsgButtons buttons, MsgIcon icon,
                              const QString &title)
{
    Shown s;
    s.kind = QStringLiteral("MsgBox");
    s.text = text;
    s.title = title;
    s.buttons = buttons;
    s.icon = icon;
    shown.push_back(s);
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
    Shown s;
    s.kind = QStringLiteral("InputBox");
    s.text = prompt;
    s.title = title;
    s.defaultText = defaultText;
    shown.push_back(s);
    if (inputAnswers.empty())
        return QString();
    const QString answer = inputAnswers.front();
    inputAnswers.pop_front();
    return answer;
}

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

std::optional<QString> FakeDialogs::OpenFile(const FileDialogRequest &request)
{
    Shown s;
    s.kind = QStringLiteral("OpenFile");
    s.title = request.title;
    s.file = request;
    shown.push_back(s);
    return takeFront(fileAnswers);
}

std::optional<QString> FakeDialogs::SaveFile(const FileDialogRequest &request)
{
    Shown s;
    s.kind = QStringLiteral("SaveFile");
    s.title = request.title;
    s.file = request;
    shown.push_back(s);
    return takeFront(fileAnswers);
}

std::optional<QColor> FakeDialogs::ChooseColor(const QColor &initial)
{
    Shown s;
    s.kind = QStringLiteral("Color");
    s.color = initial;
    shown.push_back(s);
    return takeFront(colorAnswers);
}

std::optional<ElementFont> FakeDialogs::ChooseFont(const ElementFont &initial)
{
    Shown s;
    s.kind = QStringLiteral("Font");
    s.font = initial;
    shown.push_back(s);
    return takeFront(fontAnswers);
}

int FakeDialogs::ExecModal(QDialog &dialog)
{
    Shown s;
    s.kind = QStringLiteral("Modal");
    s.title = dialog.windowTitle();
    shown.push_back(s);
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
