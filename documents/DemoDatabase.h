#pragma once

#include "documents/DocumentType.h"

#include <QString>

#include <cstdint>

// The demonstration database behind category 0 "演示数据": an SQLite file
// the program makes on first use, with a few realistic delivery notes, so
// that a newcomer previews real data at once.
namespace DemoDatabase {

inline constexpr int16_t CategoryID = 0;
inline const QString CategoryName = QStringLiteral("演示数据");
// The document a demonstration run (number 0) is filled from.
inline constexpr int32_t FirstBillNo = 1001;
// A document long enough to run over several pages.
inline constexpr int32_t LongBillNo = 1002;
inline constexpr int LongBillLines = 45;
// Its amounts need Chinese capitals.
inline constexpr int32_t CapitalsBillNo = 1003;

// "demo.sqlite" in the user's application-data folder, unless set.
QString path();
void setPath(const QString &path);

// Makes the file when it is missing or made by an earlier build: whole, or
// not at all (it is built under another name and renamed). Throws
// RuntimeError (DemoDatabaseFailed).

void ensure(const QString &path);

QString headerQuery();
QString detailQuery();
// Category 0 with the demonstration database as its source (made first
// when missing).
DocumentType documentType();

} // namespace DemoDatabase
