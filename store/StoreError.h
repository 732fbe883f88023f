#pragma once

#include "platform/RuntimeError.h"

class QSqlDatabase;
class QSqlError;

namespace StoreError {

// The store's error for a failed database call: a Chinese description of
// what the user can do about it, the file and the driver's text as source.
RuntimeError fromSql(const QSqlError &error, const QSqlDatabase &db);
// The store's file, or its server address without the password.
QString storeName(const QSqlDatabase &db);
// A store error of a given number, with the store's file as source.
RuntimeError of(enum RuntimeError::Number number, const QSqlDatabase &db,
                const QString &detail = {});
// A damaged store (StoreCorrupt): the description says that the program
// leaves the file alone and how to get a copy of what is readable out.
RuntimeError damaged(const QSqlDatabase &db, const QString &detail);
// Where that copy goes: beside the store, "-恢复" added to its name.
QString recoveredPath(const QString &storePath);

} // namespace StoreError
