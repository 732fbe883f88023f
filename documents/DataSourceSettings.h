#pragma once

#include <QString>

// Where a document type's data lives: a Qt SQL driver and how to reach it.
// A password is not part of it: it is asked for at the first connection of
// a session and kept in memory only.
struct DataSourceSettings
{
    // "QSQLITE", "QPSQL", "QMYSQL", "QODBC", ...; empty: no data source.
    QString driver;
    // The database file for QSQLITE; the database (or DSN) for a server.
    QString databaseName;
    // A host name, or a socket folder (starting with "/") for QPSQL.
    QString host;
    int port = 0;
    QString user;
    // Extra driver options (Qt's connect options, "KEY=value;...").
    QString options;

    bool isEmpty() const { return driver.isEmpty(); }
    bool isFileDatabase() const { return driver == QLatin1String("QSQLITE"); }
    // What the status bar and the messages name the source by: the driver
    // with the file, or user@host:port/database.
    QString displayName() const;

    friend bool operator==(const DataSourceSettings &, const DataSourceSettings &) = default;
};
