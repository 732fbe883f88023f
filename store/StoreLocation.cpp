#include "StoreLocation.h"

#include <QRegularExpression>
#include <QUrl>

namespace {

bool isServerAddress(const QString &text)
{
    return text.startsWith(QLatin1String("postgresql://"), Qt::CaseInsensitive)
           || text.startsWith(QLatin1String("postgres://"), Qt::CaseInsensitive);
}

QString decoded(const QString &part)
{
    return QUrl::fromPercentEncoding(part.toUtf8());
}

} // namespace

StoreLocation StoreLocation::file(const QString &path)
{
    StoreLocation location;
    location.path = path;
    return location;
}

StoreLocation StoreLocation::server(const QString &host, int port, const QString &database,
                                    const QString &user)
{
    StoreLocation location;
    location.kind = Kind::Server;
    location.host = host;
    location.port = port;
    location.database = database;
    location.user = user;
    return location;
}

std::optional<StoreLocation> StoreLocation::parse(const QString &text, QString *error)
{
    if (!isServerAddress(text))
        return file(text);
    // Written by hand, not by QUrl: a socket folder as host is not a host
    // name QUrl accepts.
    static const QRegularExpression form(QStringLiteral(
        "^postgres(?:ql)?://(?:([^@/:?]+)@)?([^/:?]*)(?::(\\d+))?/([^/?]+)(?:\\?host=([^&]+))?$"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = form.match(text);
    const auto refuse = [&](const QString &why) -> std::optional<StoreLocation> {
        if (error)
            *error = QStringLiteral("服务器地址“%1”无效：%2。应写成 "
                                    "postgresql://用户@主机:端口/数据库")
                         .arg(text, why);
        return std::nullopt;
    };
    if (!m.hasMatch())
        return refuse(QStringLiteral("格式不对"));
    StoreLocation location;
    location.kind = Kind::Server;
    location.user = decoded(m.captured(1));
    location.host = decoded(m.captured(5).isEmpty() ? m.captured(2) : m.captured(5));
    location.database = decoded(m.captured(4));
    if (location.user.isEmpty())
        return refuse(QStringLiteral("缺少用户"));
    if (location.host.isEmpty())
        return refuse(QStringLiteral("缺少主机"));
    if (!m.captured(3).isEmpty()) {
        bool ok = false;
        location.port = m.captured(3).toInt(&ok);
        if (!ok || location.port < 1 || location.port > 65535)
            return refuse(QStringLiteral("端口须在 1 到 65535 之间"));
    }
    return location;
}

QString StoreLocation::toString() const
{
    if (!isServer())
        return path;
    const auto encoded = [](const QString &part) {
        return QString::fromUtf8(QUrl::toPercentEncoding(part));
    };
    // Joined, not arg()-ed: an escaped socket folder holds "%2F".
    return QStringLiteral("postgresql://") + encoded(user) + QLatin1Char('@') + encoded(host)
           + QLatin1Char(':') + QString::number(port) + QLatin1Char('/') + encoded(database);
}
