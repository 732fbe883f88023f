#include "StoreGuard.h"

#include "StoreError.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

namespace StoreGuard {

namespace {

bool isSqlite(const QSqlDatabase &db)
{
    return db.driverName() == QLatin1String("QSQLITE");
}

QVariantList column(QSqlDatabase &db, const QString &statement)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(statement))
        throw StoreError::fromSql(query.lastError(), db);
    QVariantList values;
    while (query.next())
        values << query.value(0);
    if (query.lastError().isValid())
        throw StoreError::fromSql(query.lastError(), db);
    return values;
}

qint64 number(QSqlDatabase &db, const QString &statement)
{
    const QVariantList values = column(db, statement);
    return values.isEmpty() ? -1 : values.front().toLongLong();
}

// A file cut short reads its missing tail as zeros, which the quick check
// does not always see (a picture's bytes are not checked); SQLite records
// how many pages the file has.
void requireFullLength(QSqlDatabase &db)
{
    if (column(db, QStringLiteral("PRAGMA journal_mode")).value(0).toString().compare(
            QLatin1String("wal"), Qt::CaseInsensitive)
        == 0)
        return;
    const qint64 expected = number(db, QStringLiteral("PRAGMA page_count"))
                            * number(db, QStringLiteral("PRAGMA page_size"));
    const qint64 actual = QFileInfo(db.databaseName()).size();
    if (actual < expected)
        throw StoreError::damaged(db, QStringLiteral("文件比它记录的短 %1 字节").arg(expected - actual));
}

} // namespace

void requireWhole(QSqlDatabase &db)
{
    // A server keeps its own tables whole.
    if (!isSqlite(db))
        return;
    const QVariantList problems = column(db, QStringLiteral("PRAGMA quick_check"));
    if (problems.size() != 1 || problems.front().toString() != QLatin1String("ok"))
        throw StoreError::damaged(db, problems.value(0).toString());
    requireFullLength(db);
}

bool isBlank(QSqlDatabase &db)
{
    if (isSqlite(db))
        return number(db, QStringLiteral("SELECT COUNT(*) FROM sqlite_master")) == 0;
    return db.tables(QSql::Tables).isEmpty() && db.tables(QSql::Views).isEmpty();
}

} // namespace StoreGuard
