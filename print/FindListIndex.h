#pragma once

#include "print/ListSource.h"

#include <QString>

#include <cstdint>

class QComboBox;

// The index of the first entry whose item value equals the key's numeric
// value (when searching by value, or when the key is "0" or begins with a
// non-zero number), or else whose text equals the key exactly; -1 when
// none matches.
int16_t FindListIndex(const ListSource &tmpList, const QString &tmpKey, bool tmpByItemData);
// A combo box's item value is its item data read as an integer.
int16_t FindListIndex(const QComboBox &tmpList, const QString &tmpKey, bool tmpByItemData);
