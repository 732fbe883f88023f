#include "PasswordVault.h"

#include "documents/DataSourceSettings.h"

#include "platform/Dialogs.h"
#include "platform/Platform.h"

#include <QHash>
#include <QStringList>

namespace PasswordVault {

namespace {

QHash<QString, QString> &passwords()
{
    static QHash<QString, QString> kept;
    return kept;
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
    const auto kept = passwords().constFind(key);
    if (kept != passwords().cend())
        return *kept;
    const std::optional<QString> typed = Platform::dialogs().PasswordBox(
        QStringLiteral("请输入 %1 的密码：").arg(source.displayName()),
        QStringLiteral("连接“%1”").arg(typeName));
    if (typed)
        passwords().insert(key, *typed);
    return typed;
}

void forget(const DataSourceSettings &source)
{
    passwords().remove(keyOf(source));
}

void clear()
{
    passwords().clear();
}

} // namespace PasswordVault
