#pragma once

#include <QString>

#include <optional>

// Where a template store lives: a SQLite file on this machine, or a
// database on a PostgreSQL server. The password is the session's only:
// never part of the text form and never written anywhere.
struct StoreLocation
{
    static constexpr int DefaultPort = 5432;

    enum class Kind { File, Server };

    Kind kind = Kind::File;
    QString path;
    // A host name, or a socket folder (starting with "/").
    QString host;
    int port = DefaultPort;
    QString database;
    QString user;
    QString password;

    static StoreLocation file(const QString &path);
    static StoreLocation server(const QString &host, int port, const QString &database,
                                const QString &user);
    // "postgresql://user@host:port/db" (a socket folder as host written
    // %2F-escaped or as "?host=/folder"), or a file path. No value, and the
    // reason in error, for a server address that is not whole.
    static std::optional<StoreLocation> parse(const QString &text, QString *error = nullptr);

    bool isServer() const { return kind == Kind::Server; }
    // The file path, or the server address without the password.
    QString toString() const;

    friend bool operator==(const StoreLocation &a, const StoreLocation &b)
    {
        return a.toString() == b.toString();
    }
};
