#pragma once

#include "platform/RuntimeError.h"

class QSqlDatabase;
class QSqlError;

namespace StoreError {

// The store's error for a failed database call: a Chinese description of
// what the user can do about it, the file and the driver's text as source.
RuntimeError fromSql(const QSqlError &error, const QSqlDatabase &db);
// A store error of a given number, with the store's file as source.
RuntimeError of(enum RuntimeError::Number number, const QSqlDatabase &db,
                const QString &detail = {});

} // namespace StoreError
