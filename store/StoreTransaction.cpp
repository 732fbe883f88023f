#include "StoreTransaction.h"

#include "StoreError.h"

#include <QSqlQuery>

StoreTransaction::StoreTransaction(QSqlDatabase &db, Mode mode)
    : m_db(db)
    , m_sqlite(db.driverName() == QLatin1String("QSQLITE"))
{
    if (!call(&QSqlDatabase::transaction, mode == Write ? "BEGIN IMMEDIATE" : "BEGIN"))
        throw StoreError::fromSql(m_error, m_db);
    m_open = true;
}

StoreTransaction::~StoreTransaction()
{
    // SQLite may have rolled back by itself already (a full disk); the
    // second rollback's complaint means nothing then.
    if (m_open)
        call(&QSqlDatabase::rollback, "ROLLBACK");
}

void StoreTransaction::commit()
{
    if (!call(&QSqlDatabase::commit, "COMMIT"))
        throw StoreError::fromSql(m_error, m_db);
    m_open = false;
}

bool StoreTransaction::call(bool (QSqlDatabase::*generic)(), const char *sqliteStatement)
{
    if (m_sqlite)
        return exec(sqliteStatement);
    if ((m_db.*generic)())
        return true;
    m_error = m_db.lastError();
    return false;
}

bool StoreTransaction::exec(const char *statement)
{
    QSqlQuery query(m_db);
    if (query.exec(QString::fromLatin1(statement)))
        return true;
    m_error = query.lastError();
    return false;
}
