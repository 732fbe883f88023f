#pragma once

#include "documents/DocumentType.h"

#include <QList>

#include <cstdint>
#include <optional>

// The document types of this session, as the template store holds them.
// The program sets them at start and whenever the options dialog changed
// them; category 0 is always the demonstration type.
namespace DocumentTypes {

void setTypes(const QList<DocumentType> &types);
QList<DocumentType> types();
// The type of a template's category; no value for an unknown category.
// Throws RuntimeError when the demonstration database cannot be made.
std::optional<DocumentType> find(int16_t id);

} // namespace DocumentTypes
