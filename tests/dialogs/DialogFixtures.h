#pragma once

#include "model/BillTemplate.h"

#include "tests/platform/Typing.h"
#include "tests/print/PrintFixtures.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

// An element of a dialog by its name; a missing one ends the test run,
// since no check of it could mean anything.
template<typename T>
T &element(const QDialog &dialog, const char *name)
{
    T *found = dialog.findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("no element %s", name);
    return *found;
}

// Shows the dialog as the user sees it, so focus and clicks behave.
inline bool showActive(QDialog &dialog)
{
    dialog.show();
    dialog.activateWindow();
    return QTest::qWaitForWindowActive(&dialog);
}

// Replaces a box's text as typing does, one key at a time (Typing.h).
inline void typeInto(QLineEdit &box, const QString &text)
{
    box.setFocus(Qt::OtherFocusReason);
    box.selectAll();
    QTest::keyClick(&box, Qt::Key_Backspace);
    typeText(box, text);
}

// Editing ends as the user ends it: the focus moves on.
inline void leave(QLineEdit &box)
{
    QTest::keyClick(&box, Qt::Key_Tab);
}

inline void press(const QDialog &dialog, const char *button)
{
    element<QPushButton>(dialog, button).click();
}

inline void tick(const QDialog &dialog, const char *box, bool ticked)
{
    element<QCheckBox>(dialog, box).setChecked(ticked);
}

inline bool ticked(const QDialog &dialog, const char *box)
{
    return element<QCheckBox>(dialog, box).isChecked();
}
