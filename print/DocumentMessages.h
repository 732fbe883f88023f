#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

class RuntimeError;
struct DocumentType;

// The messages a run shows when its document cannot be read, naming the
// document type, the number and the driver's reason.
namespace DocumentMessages {

QString ForError(const RuntimeError &error, const DocumentType &type, int32_t billNo);
// The property dialog could not list the category's columns.
QString FieldsUnavailable(const RuntimeError &error);
// The warning before a run whose template names columns the queries no
// longer return (each listed once, as "[列名]").
QString MissingColumns(const QString &typeName, const QStringList &columns);

} // namespace DocumentMessages
