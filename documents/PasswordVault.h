#pragma once

#include <QString>

#include <optional>

struct DataSourceSettings;

// Passwords of data sources for this session only: asked for at the first
// connection, kept in memory, never written anywhere.
namespace PasswordVault {

// The password for the source, asking the user once (a password box
// titled with the document type); no value when the user cancelled.
std::optional<QString> passwordFor(const DataSourceSettings &source, const QString &typeName);
// A refused password is asked for again next time.
void forget(const DataSourceSettings &source);
void clear();

} // namespace PasswordVault
