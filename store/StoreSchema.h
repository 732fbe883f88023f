#pragma once

#include <QtGlobal>

#include <functional>
#include <vector>

class QSqlDatabase;
class QString;

// The store's schema and its upgrades. The version lives in the store
// (StoreInfo row "SchemaVersion"); step n takes a store from version n to n + 1, and
// each step runs in its own transaction with the new version number, so a
// store is never left between two versions. A later change of the schema is
// one more step at the end of the list.
class StoreSchema
{
public:
    using Step = std::function<void(QSqlDatabase &)>;

    static const std::vector<Step> &steps();
    static int currentVersion() { return int(steps().size()); }

    // The version a store is at; 0 for a store without any schema.
    // Throws the store's RuntimeError when the store cannot be read.
    static int version(QSqlDatabase &db);
    // Brings the store up to the last of the steps; a database without any
    // table becomes a store. Throws RuntimeError: StoreTooNew for a store
    // made by a later version of the program, StoreNotAStore for another
    // program's database (which is left as it was).
    static void upgrade(QSqlDatabase &db, const std::vector<Step> &steps = StoreSchema::steps());
    // For a store that may not be written: throws StoreNotAStore,
    // StoreNeedsUpgrade or StoreTooNew unless it is at the last step.
    static void requireCurrent(QSqlDatabase &db);

    // A statement of a step in the words of the driver's database: the
    // same for SQLite, REAL and BLOB become DOUBLE PRECISION and BYTEA on a
    // server.
    static QString forDriver(const QString &driverName, const QString &statement);
    // Runs one statement of a step; throws the store's RuntimeError.
    static void exec(QSqlDatabase &db, const QString &statement);

    // A named number of StoreInfo, or -1 when the row is missing.
    static qint64 info(QSqlDatabase &db, const QString &name);
    static void setInfo(QSqlDatabase &db, const QString &name, qint64 value);

private:
    static void runSteps(QSqlDatabase &db, const std::vector<Step> &steps, int at);
};
