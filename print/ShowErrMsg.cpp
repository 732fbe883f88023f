#include "ShowErrMsg.h"

#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "platform/RuntimeError.h"

#include <QCoreApplication>
#include <QFileInfo>

QString AppExeName()
{
    if (!QCoreApplication::instance())
        return QString();
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

void ShowErrMsg(const QString &tmpMsg, const RuntimeError *tmpErr)
{
    QString text = tmpMsg;
    if (text.isEmpty()) {
        // With no error at hand the current error is "none": number 0.
        const int number = tmpErr ? tmpErr->Number() : 0;
        const QString description = tmpErr ? tmpErr->Description() : QString();
        text = QString::number(number) + QLatin1Char(':') + description + QLatin1Char(' ');
    }
    Platform::dialogs().MsgBox(text, MsgButtons::OK, MsgIcon::Exclamation, AppExeName());
}
