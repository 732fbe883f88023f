#pragma once

#include <array>

// Table names of the template store. FID and the table names are plain
// identifiers, so the catalogue's "Delete From <table> Where FID=<id>" texts
// reach them on any server; every other column is quoted by the driver.
namespace StoreTables {

// Named numbers of the store: "SchemaVersion", "LastRevision".
inline constexpr char Info[] = "StoreInfo";
inline constexpr char Categories[] = "BillCategories";
inline constexpr char Templates[] = "BillTemplates";
inline constexpr char Objects[] = "BillObjects";
inline constexpr char Pictures[] = "BillPictures";

// The three tables holding a template's rows by FID (gDelTable1..3).
inline constexpr std::array<const char *, 3> ByTemplate = {Templates, Objects, Pictures};

} // namespace StoreTables
