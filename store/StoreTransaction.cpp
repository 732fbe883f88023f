#include "StoreTransaction.h"

#include "StoreError.h"

#include <QSqlQuery>
#include <QVariant>

namespace {

// SQLite's primary result code of a lock held by another connection.
constexpr int SqliteBusy = 5;

bool isBusy(const QSqlError &error)
{
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    return ok && (code & 0xff) == SqliteBusy;
}

} // namespace

StoreTransaction::StoreTransaction(QSqlDatabase &db, Mode mode, const WaitNotice &notice)
    : m_db(db)
    , m_sqlite(db.driverName() == QLatin1String("QSQLITE"))
{
    if (!begin(mode, notice)) {
        if (m_open)
            call(&QSqlDatabase::rollback, "ROLLBACK");
        throw StoreError::fromSql(m_error, m_db);
    }
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

bool StoreTransaction::begin(Mode mode, const WaitNotice &notice)
{
    if (m_sqlite) {
        if (mode == Read)
            return m_open = exec("BEGIN");
        return beginSqliteWrite(notice);
    }
    if (!call(&QSqlDatabase::transaction, nullptr))
        return false;
    m_open = true;
    if (mode == Read)
        return exec("SET TRANSACTION ISOLATION LEVEL REPEATABLE READ");
    return beginServerWrite(notice);
}

// Tried at once first, so that only a write that really waits says so.
bool StoreTransaction::beginSqliteWrite(const WaitNotice &notice)
{
    if (!notice)
        return m_open = exec("BEGIN IMMEDIATE");
    QSqlQuery current(m_db);
    const QByteArray usual = current.exec(QStringLiteral("PRAGMA busy_timeout")) && current.next()
                                 ? current.value(0).toByteArray()
                                 : QByteArray::number(WriteWaitMs);
    current.finish();
    exec("PRAGMA busy_timeout = 0");
    m_open = exec("BEGIN IMMEDIATE");
    if (!m_open && isBusy(m_error)) {
        notice(true);
        const QByteArray wait = "PRAGMA busy_timeout = " + QByteArray::number(WriteWaitMs);
        exec(wait.constData());
        m_open = exec("BEGIN IMMEDIATE");
        notice(false);
    }
    // Reads keep the connection's own patience.
    const QSqlError error = m_error;
    exec(("PRAGMA busy_timeout = " + usual).constData());
    m_error = error;
    return m_open;
}

// Every writer of a server store takes the one advisory lock of the
// transaction; it goes with the commit or the rollback.
bool StoreTransaction::beginServerWrite(const WaitNotice &notice)
{
    static const char tryLock[] = "SELECT pg_try_advisory_xact_lock(7464, 1)";
    static const char lock[] = "SELECT pg_advisory_xact_lock(7464, 1)";
    if (!notice) {
        const QByteArray timeout
            = "SET LOCAL lock_timeout = " + QByteArray::number(WriteWaitMs);
        return exec(timeout.constData()) && exec(lock);
    }
    QSqlQuery query(m_db);
    if (!query.exec(QString::fromLatin1(tryLock))) {
        m_error = query.lastError();
        return false;
    }
    if (query.next() && query.value(0).toBool())
        return true;
    notice(true);
    const QByteArray timeout = "SET LOCAL lock_timeout = " + QByteArray::number(WriteWaitMs);
    const bool taken = exec(timeout.constData()) && exec(lock);
    notice(false);
    return taken;
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
