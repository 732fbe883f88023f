#include "StoreError.h"

#include "StoreLocation.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>

namespace StoreError {

namespace {

// SQLite's primary result codes (the low byte of an extended one).
enum SqliteCode {
    SqliteBusy = 5,
    SqliteLocked = 6,
    SqliteReadOnly = 8,
    SqliteIoError = 10,
    SqliteCorrupt = 11,
    SqliteFull = 13,
    SqliteCantOpen = 14,
    SqliteNotADatabase = 26
};

enum RuntimeError::Number numberForSqlite(int code)
{
    switch (code & 0xff) {
    case SqliteBusy:
    case SqliteLocked:
        return RuntimeError::StoreBusy;
    case SqliteReadOnly:
        return RuntimeError::StoreReadOnly;
    case SqliteCorrupt:
    case SqliteNotADatabase:
        return RuntimeError::StoreCorrupt;
    case SqliteFull:
        return RuntimeError::StoreFull;
    case SqliteCantOpen:
    case SqliteIoError:
        return RuntimeError::StoreCannotOpen;
    default:
        return RuntimeError::StoreFailed;
    }
}

// A server's SQLSTATE; none at all means the client lost the server
// before any answer.
enum RuntimeError::Number numberForServer(const QSqlError &error)
{
    const QString state = error.nativeErrorCode();
    if (error.type() == QSqlError::ConnectionError || state.isEmpty()
        || state.startsWith(QLatin1String("08")) || state.startsWith(QLatin1String("57P")))
        return RuntimeError::StoreUnreachable;
    if (state == QLatin1String("42501"))
        return RuntimeError::StoreReadOnly;
    if (state == QLatin1String("40P01") || state == QLatin1String("55P03")
        || state == QLatin1String("57014"))
        return RuntimeError::StoreBusy;
    if (state == QLatin1String("53100"))
        return RuntimeError::StoreFull;
    return RuntimeError::StoreFailed;
}

enum RuntimeError::Number numberFor(const QSqlError &error, const QSqlDatabase &db)
{
    if (db.driverName() != QLatin1String("QSQLITE"))
        return numberForServer(error);
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    if (ok)
        return numberForSqlite(code);
    return error.type() == QSqlError::ConnectionError ? RuntimeError::StoreCannotOpen
                                                      : RuntimeError::StoreFailed;
}

} // namespace

QString storeName(const QSqlDatabase &db)
{
    if (db.driverName() == QLatin1String("QSQLITE"))
        return db.databaseName();
    return StoreLocation::server(db.hostName(), db.port(), db.databaseName(), db.userName())
        .toString();
}

RuntimeError of(enum RuntimeError::Number number, const QSqlDatabase &db, const QString &detail)
{
    QString source = storeName(db);
    if (!detail.isEmpty())
        source += QStringLiteral("：") + detail;
    return RuntimeError(number, source);
}

RuntimeError fromSql(const QSqlError &error, const QSqlDatabase &db)
{
    const enum RuntimeError::Number number = numberFor(error, db);
    if (number == RuntimeError::StoreCorrupt && (error.nativeErrorCode().toInt() & 0xff) == SqliteCorrupt)
        return damaged(db, error.text());
    return of(number, db, error.text());
}

QString recoveredPath(const QString &storePath)
{
    const QFileInfo file(storePath);
    const QString suffix = file.suffix().isEmpty() ? QString() : QLatin1Char('.') + file.suffix();
    return file.dir().filePath(file.completeBaseName() + QStringLiteral("-恢复") + suffix);
}

RuntimeError damaged(const QSqlDatabase &db, const QString &detail)
{
    const QString path = db.databaseName();
    QString source = path;
    if (!detail.isEmpty())
        source += QStringLiteral("：") + detail;
    return RuntimeError(
        RuntimeError::StoreCorrupt,
        RuntimeError::standardDescription(RuntimeError::StoreCorrupt)
            + QStringLiteral("。程序不会再写入它；能读出的内容可以这样取到一个新文件里"
                             "（先关闭本程序）：\nsqlite3 \"%1\" .recover | sqlite3 \"%2\"")
                  .arg(path, recoveredPath(path)),
        source);
}

} // namespace StoreError
