#pragma once

#include <QComboBox>
#include <QLabel>
#include <QString>

#include <cstddef>

// Small pieces the dialogs build their pages from.
namespace DialogParts {

// An entry of a fixed list: its text and its code (the item value).
struct ListEntry
{
    const char16_t *text;
    int code;
};

// Fills a list with entries, none chosen, so the first choice made always
// runs the list's rule.
template<std::size_t N>
void fill(QComboBox &list, const ListEntry (&entries)[N])
{
    for (const ListEntry &entry : entries)
        list.addItem(QString::fromUtf16(entry.text), entry.code);
    list.setCurrentIndex(-1);
}

// A label whose accelerator gives the focus to buddy.
inline QLabel *buddyLabel(const QString &caption, QWidget *buddy)
{
    auto *label = new QLabel(caption);
    label->setBuddy(buddy);
    return label;
}

} // namespace DialogParts
