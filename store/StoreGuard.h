#pragma once

class QSqlDatabase;

// What a database must be before the store uses it, checked each time one
// is opened: whole, and a store or nothing yet. Kept in one place so that
// every back-end of the store is held to the same rules.
namespace StoreGuard {

// Throws RuntimeError (StoreCorrupt, saying how to get a copy out) unless
// the database is whole: for SQLite, its quick check passes and the file
// is as long as its pages.
void requireWhole(QSqlDatabase &db);
// The database holds no table at all, so it may become a store.
bool isBlank(QSqlDatabase &db);

} // namespace StoreGuard
