#pragma once

#include <QSqlDatabase>
#include <QSqlError>

// One transaction of the store, rolled back unless committed. A write
// transaction takes the write lock at once (SQLite: BEGIN IMMEDIATE), so
// two writers never both read and then both fail at their first write.
class StoreTransaction
{
public:
    enum Mode { Read, Write };

    // Throws the store's RuntimeError when the transaction cannot begin.
    StoreTransaction(QSqlDatabase &db, Mode mode);
    ~StoreTransaction();
    StoreTransaction(const StoreTransaction &) = delete;
    StoreTransaction &operator=(const StoreTransaction &) = delete;

    void commit();

private:
    bool exec(const char *statement);
    bool call(bool (QSqlDatabase::*generic)(), const char *sqliteStatement);

    QSqlDatabase &m_db;
    QSqlError m_error;
    bool m_sqlite;
    bool m_open = false;
};
