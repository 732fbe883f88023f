#pragma once

#include "store/StoreTables.h"

// The three tables holding a template's rows by its id (FID): what the
// catalogue's delete removes, in one transaction.
inline const char *const gDelTable1 = StoreTables::ByTemplate[0];
inline const char *const gDelTable2 = StoreTables::ByTemplate[1];
inline const char *const gDelTable3 = StoreTables::ByTemplate[2];
