#pragma once

#include <QString>

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>

class QSqlDatabase;
class QSqlError;

// How long the statements of one connection may run, and how a read on it
// is cancelled from another thread. SQLite stops a statement from its
// progress handler once the deadline of the read has passed or a cancel
// came; PostgreSQL's server stops a statement after its statement_timeout,
// and a cancel request stops it at once. Other drivers run their
// statements to the end.
class StatementLimit
{
public:
    enum Stop { NotStopped, TimedOut, Cancelled };

    explicit StatementLimit(int seconds);
    ~StatementLimit();
    StatementLimit(const StatementLimit &) = delete;
    StatementLimit &operator=(const StatementLimit &) = delete;

    int seconds() const { return m_seconds; }
    // Sets a new connection up; also makes a server's session read-only.
    // Returns the server's reason when it refused, else empty.
    QString attach(QSqlDatabase &db);
    // Before the connection closes.
    void detach();
    // A read begins: its deadline is from now, and an earlier cancel is
    // forgotten.
    void startRead();
    // Stops the read in progress, from any thread.
    void cancel();
    // Whether this limit stopped the statement that failed with error, and
    // how.
    Stop stopped(const QSqlError &error) const;

private:
    static int onProgress(void *limit);
    bool pastDeadline() const;

    int m_seconds;
    std::atomic<bool> m_cancelled{false};
    std::atomic<bool> m_timedOut{false};
    std::atomic<std::chrono::steady_clock::rep> m_deadline{0};
    void *m_sqlite = nullptr;
    // The server's cancel request; made and freed under the lock, so a
    // cancel from another thread never uses a freed one.
    std::mutex m_lock;
    void *m_pgCancel = nullptr;
    bool m_server = false;
};
