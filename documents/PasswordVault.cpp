#include "PasswordVault.h"

#include "documents/DataSourceSettings.h"

#include "platform/Dialogs.h"
#include "platform/Platform.h"

#include <QHash>
#include <QMutex>
#include <QMutexLocker>
#include <QStringList>

namespace PasswordVault {

namespace {

QHash<QString, QString> &passwords()
{
    static QHash<QString, QString> kept;
    return kept;
}

// A document may be read on a worker thread, which finds the password the
// user's thread asked for, or forgets a refused one.
QMutex &lock()
{
    static QMutex mutex;
    return mutex;
}

QString keyOf(const DataSourceSettings &source)
{
    return QStringList{source.driver, source.host, QString::number(source.port),
                       source.databaseName, source.user}
        .join(QChar(0x1f));
}

} // namespace

std::optional<QString> passwordFor(const DataSourceSettings &source, const QString &typeName)
{
    const QString key = keyOf(source);
    {
        const QMutexLocker locked(&lock());
        const auto kept = passwords().constFind(key);
        if (kept != passwords().cend())
            return *kept;
    }
    const std::optional<QString> typed = Platform::dialogs().PasswordBox(
        QStringLiteral("请输入 %1 的密码：").arg(source.displayName()),
        QStringLiteral("连接“%1”").arg(typeName));
    if (typed) {
        const QMutexLocker locked(&lock());
        passwords().insert(key, *typed);
    }
    return typed;
}

void forget(const DataSourceSettings &source)
{
    const QMutexLocker locked(&lock());
    passwords().remove(keyOf(source));
}

void clear()
{
    const QMutexLocker locked(&lock());
    passwords().clear();
}

} // namespace PasswordVault
