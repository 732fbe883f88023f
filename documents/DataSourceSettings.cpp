#include "DataSourceSettings.h"

#include <QFileInfo>

QString DataSourceSettings::displayName() const
{
    if (isEmpty())
        return QString();
    if (isFileDatabase())
        return driver + QLatin1Char(':') + QFileInfo(databaseName).fileName();
    QString where = host.isEmpty() ? QStringLiteral("localhost") : host;
    if (port > 0)
        where += QLatin1Char(':') + QString::number(port);
    const QString who = user.isEmpty() ? QString() : user + QLatin1Char('@');
    return driver + QLatin1Char(':') + who + where + QLatin1Char('/') + databaseName;
}
