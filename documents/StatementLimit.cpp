#include "StatementLimit.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <libpq-fe.h>
#include <sqlite3.h>

namespace {

// SQLite calls the handler every this many virtual-machine steps.
constexpr int StepsBetweenChecks = 1000;

using Clock = std::chrono::steady_clock;

// The driver's own connection, when it is of the type named (Qt names
// PostgreSQL's by its struct, "pg_conn*").
template<typename Handle>
Handle *handleOf(QSqlDatabase &db, std::initializer_list<const char *> typeNames)
{
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid())
        return nullptr;
    for (const char *typeName : typeNames) {
        if (qstrcmp(handle.typeName(), typeName) == 0)
            return *static_cast<Handle *const *>(handle.constData());
    }
    return nullptr;
}

} // namespace

StatementLimit::StatementLimit(int seconds) : m_seconds(seconds > 0 ? seconds : 30) {}

StatementLimit::~StatementLimit()
{
    detach();
}

QString StatementLimit::attach(QSqlDatabase &db)
{
    detach();
    if (auto *sqlite = handleOf<sqlite3>(db, {"sqlite3*"})) {
        m_sqlite = sqlite;
        sqlite3_progress_handler(sqlite, StepsBetweenChecks, &StatementLimit::onProgress, this);
        return QString();
    }
    if (db.driverName() != QLatin1String("QPSQL"))
        return QString();
    m_server = true;
    QSqlQuery session(db);
    for (const QString &statement :
         {QStringLiteral("SET SESSION CHARACTERISTICS AS TRANSACTION READ ONLY"),
          QStringLiteral("SET statement_timeout = %1").arg(qint64(m_seconds) * 1000)}) {
        if (!session.exec(statement))
            return session.lastError().text();
    }
    if (auto *pg = handleOf<PGconn>(db, {"PGconn*", "pg_conn*"})) {
        const std::lock_guard<std::mutex> locked(m_lock);
        m_pgCancel = PQgetCancel(pg);
    }
    return QString();
}

void StatementLimit::detach()
{
    if (m_sqlite) {
        sqlite3_progress_handler(static_cast<sqlite3 *>(m_sqlite), 0, nullptr, nullptr);
        m_sqlite = nullptr;
    }
    const std::lock_guard<std::mutex> locked(m_lock);
    if (m_pgCancel) {
        PQfreeCancel(static_cast<PGcancel *>(m_pgCancel));
        m_pgCancel = nullptr;
    }
    m_server = false;
}

void StatementLimit::startRead()
{
    m_cancelled = false;
    m_timedOut = false;
    m_deadline = (Clock::now() + std::chrono::seconds(m_seconds)).time_since_epoch().count();
}

void StatementLimit::cancel()
{
    m_cancelled = true;
    const std::lock_guard<std::mutex> locked(m_lock);
    if (m_pgCancel) {
        char error[256];
        PQcancel(static_cast<PGcancel *>(m_pgCancel), error, int(sizeof error));
    }
}

bool StatementLimit::pastDeadline() const
{
    return Clock::now().time_since_epoch().count() > m_deadline;
}

StatementLimit::Stop StatementLimit::stopped(const QSqlError &error) const
{
    // PostgreSQL's query_canceled, which its statement_timeout raises.
    static const QString serverCancelled = QStringLiteral("57014");
    if (m_cancelled)
        return Cancelled;
    if (m_timedOut || (m_server && error.nativeErrorCode() == serverCancelled))
        return TimedOut;
    return NotStopped;
}

int StatementLimit::onProgress(void *limit)
{
    auto *self = static_cast<StatementLimit *>(limit);
    if (self->m_cancelled)
        return 1;
    if (self->pastDeadline()) {
        self->m_timedOut = true;
        return 1;
    }
    return 0;
}
