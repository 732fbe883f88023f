#include "StoreError.h"

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

enum RuntimeError::Number numberFor(const QSqlError &error, const QSqlDatabase &db)
{
    if (db.driverName() == QLatin1String("QSQLITE")) {
        bool ok = false;
        const int code = error.nativeErrorCode().toInt(&ok);
        if (ok)
            return numberForSqlite(code);
    }
    return error.type() == QSqlError::ConnectionError ? RuntimeError::StoreCannotOpen
                                                      : RuntimeError::StoreFailed;
}

} // namespace

RuntimeError of(enum RuntimeError::Number number, const QSqlDatabase &db, const QString &detail)
{
    QString source = db.databaseName();
    if (!detail.isEmpty())
        source += QStringLiteral("：") + detail;
    return RuntimeError(number, source);
}

RuntimeError fromSql(const QSqlError &error, const QSqlDatabase &db)
{
    return of(numberFor(error, db), db, error.text());
}

} // namespace StoreError
