#pragma once

#include <QString>

#include <cstdint>

struct BillTemplate;
class TemplateStore;

// A template as one file to send or keep (".tavrel"): a template store
// file of its own holding one template (objects, pictures, page settings,
// form underlay, offset on paper, codes) and the name of its category, so
// every column the store keeps travels with it and is read back with the
// store's own checks. StoreInfo "TemplateFile" holds the file format's
// version; an older file is brought up to date on a copy when read, a newer
// one is refused (TemplateFileTooNew). The user's file is never written
// when read.
namespace TemplateFile {

inline constexpr int FormatVersion = 1;
inline constexpr char Suffix[] = "tavrel";

// What an import brought: the template's name and its category's name.
struct Imported
{
    QString templateName;
    QString categoryName;
};

// Writes the template, under its own name and the category's name, to
// path: whole or not at all (written beside it and renamed when complete).
// Throws RuntimeError.
void write(BillTemplate &bill, const QString &categoryName, const QString &path);
// Reads the file into a fresh record (its mID stays 0, its revision 0).
// Throws RuntimeError: TemplateFileTooNew, TemplateFileInvalid.
Imported read(const QString &path, BillTemplate &fresh);

// The template of that id in the store, written to path.
void exportTemplate(TemplateStore &store, int16_t id, const QString &path);
// The file's template saved into the store as a new template: in the
// category given (>= 0), else the category of the file's category name,
// else the store's default; under its own name, or with "（2）", "（3）"...
// when the category has that name already. The record holds what was
// saved (its new id and name); the category's id is returned.
int16_t importTemplate(TemplateStore &store, const QString &path, BillTemplate &fresh,
                       int16_t categoryID = -1);

} // namespace TemplateFile
