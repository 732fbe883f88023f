#pragma once

#include <QSqlDatabase>
#include <QSqlError>

#include <functional>

// One transaction of the store, rolled back unless committed. A write
// transaction takes the store's write lock at once (SQLite: BEGIN
// IMMEDIATE; a server: one advisory lock for the store), so two writers
// never both read and then both fail at their first write, and a revision
// checked is still the stored one when the write lands. A read transaction
// sees one state of the store from its first statement to its last.
class StoreTransaction
{
public:
    enum Mode { Read, Write };
    // Told true when a write must wait for another writer, false when the
    // wait is over (however it ended).
    using WaitNotice = std::function<void(bool waiting)>;

    // How long a write with a notice waits for another writer before it
    // fails (without one: the connection's own busy timeout).
    static constexpr int WriteWaitMs = 10000;

    // Throws the store's RuntimeError when the transaction cannot begin.
    StoreTransaction(QSqlDatabase &db, Mode mode, const WaitNotice &notice = {});
    ~StoreTransaction();
    StoreTransaction(const StoreTransaction &) = delete;
    StoreTransaction &operator=(const StoreTransaction &) = delete;

    void commit();

private:
    bool exec(const char *statement);
    bool call(bool (QSqlDatabase::*generic)(), const char *sqliteStatement);
    bool begin(Mode mode, const WaitNotice &notice);
    bool beginSqliteWrite(const WaitNotice &notice);
    bool beginServerWrite(const WaitNotice &notice);

    QSqlDatabase &m_db;
    QSqlError m_error;
    bool m_sqlite;
    bool m_open = false;
};
