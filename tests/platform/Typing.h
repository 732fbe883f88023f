#pragma once

#include <QApplication>
#include <QInputMethodEvent>
#include <QString>
#include <QTest>
#include <QWidget>

// Types text into a widget as a user does: ASCII key by key, everything
// else as an input method commits it (Chinese, or full-width digits typed
// with a Chinese input method).
inline void typeText(QWidget &widget, const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(&widget, c.toLatin1());
            continue;
        }
        QInputMethodEvent commit;
        commit.setCommitString(QString(c));
        QApplication::sendEvent(&widget, &commit);
    }
}
