#include "TemplateFile.h"

#include "StoreError.h"
#include "StoreSchema.h"
#include "TemplateStore.h"

#include "model/BillTemplate.h"

#include "platform/OpenFiles.h"
#include "platform/RuntimeError.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <cstdio>
#include <vector>

namespace TemplateFile {

namespace {

const QString FormatKey = QStringLiteral("TemplateFile");

QSqlDatabase connectionOf(TemplateStore &store)
{
    return QSqlDatabase::database(store.connectionName(), false);
}

int16_t categoryNamed(TemplateStore &store, const QString &name)
{
    for (const Category &c : store.categories()) {
        if (c.name == name)
            return c.id;
    }
    return -1;
}

RuntimeError invalid(const QString &path, const QString &why)
{
    return RuntimeError(RuntimeError::TemplateFileInvalid,
                        RuntimeError::standardDescription(RuntimeError::TemplateFileInvalid)
                            + QStringLiteral("（%1）").arg(why),
                        path);
}

bool looksLikeStoreFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(16) == QByteArray("SQLite format 3", 16);
}

// Takes a store's error on the file for what it means to someone importing.
[[noreturn]] void rethrowForFile(const RuntimeError &e, const QString &path)
{
    switch (e.Number()) {
    case RuntimeError::StoreTooNew:
        throw RuntimeError(RuntimeError::TemplateFileTooNew, path);
    case RuntimeError::StoreNotAStore:
    case RuntimeError::StoreCorrupt:
    case RuntimeError::TemplateDataCorrupt:
    case RuntimeError::TemplateNotFound:
        throw invalid(path, e.Description());
    default:
        throw e;
    }
}

} // namespace

void write(BillTemplate &bill, const QString &categoryName, const QString &path)
{
    // Never over a file the program has open: the store itself, above all.
    if (const QString held = OpenFiles::heldAs(path); !held.isEmpty())
        throw RuntimeError(RuntimeError::InvalidArgument,
                           QStringLiteral("不能导出到程序正在使用的文件"), held);
    const QString part = path + QStringLiteral(".part");
    QFile::remove(part);
    try {
        TemplateStore out(part);
        // A template of no known category goes with the demonstration's.
        int16_t category = categoryName.isEmpty() ? TemplateStore::DemoCategory
                                                  : categoryNamed(out, categoryName);
        if (category < 0) {
            Category c;
            c.id = -1;
            c.name = categoryName;
            category = out.saveCategory(c);
        }
        // The record stays the window's: its id, revision, category and
        // what of it is unsaved in its own store.
        const int16_t id = bill.mID;
        const int32_t revision = bill.mRevision;
        const int16_t screenID = bill.mScreenID;
        std::vector<int> editFlags;
        for (const auto &obj : bill.mObjs)
            editFlags.push_back(obj->EditFlag());
        out.saveAs(bill, bill.Caption, category);
        bill.mID = id;
        bill.mRevision = revision;
        bill.mScreenID = screenID;
        std::size_t i = 0;
        for (const auto &obj : bill.mObjs)
            obj->setEditFlag(editFlags[i++]);
        QSqlDatabase db = connectionOf(out);
        StoreSchema::setInfo(db, FormatKey, FormatVersion);
        // One file, without a journal beside it, whatever the store uses.
        StoreSchema::exec(db, QStringLiteral("PRAGMA journal_mode = DELETE"));
    } catch (...) {
        QFile::remove(part);
        throw;
    }
    if (std::rename(QFile::encodeName(part).constData(), QFile::encodeName(path).constData()) != 0) {
        QFile::remove(part);
        throw RuntimeError(RuntimeError::StoreCannotOpen,
                           QStringLiteral("无法写入模板文件"), path);
    }
}

Imported read(const QString &path, BillTemplate &fresh)
{
    if (!QFileInfo(path).isFile())
        throw RuntimeError(RuntimeError::TemplateFileInvalid, QStringLiteral("文件不存在"), path);
    if (!looksLikeStoreFile(path))
        throw invalid(path, QStringLiteral("不是模板文件"));
    // Read from a copy: an older file is upgraded, and the user's stays as sent.
    QTemporaryDir dir;
    const QString copy = dir.filePath(QStringLiteral("import.sqlite"));
    if (!dir.isValid() || !QFile::copy(path, copy))
        throw RuntimeError(RuntimeError::StoreCannotOpen, QStringLiteral("无法复制模板文件"), path);
    QFile(copy).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    Imported imported;
    try {
        TemplateStore in(copy);
        QSqlDatabase db = connectionOf(in);
        const qint64 format = StoreSchema::info(db, FormatKey);
        if (format < 1)
            throw invalid(path, QStringLiteral("是单据模板库，不是单个模板的文件"));
        if (format > FormatVersion)
            throw RuntimeError(RuntimeError::TemplateFileTooNew, path);
        QList<TemplateEntry> entries;
        for (const Category &c : in.categories()) {
            for (const TemplateEntry &entry : in.templates(c.id)) {
                entries.append(entry);
                imported.categoryName = c.name;
            }
        }
        if (entries.size() != 1)
            throw invalid(path, QStringLiteral("应当正好有一张单据，这里有 %1 张").arg(entries.size()));
        in.load(entries.front().id, fresh);
        imported.templateName = fresh.Caption;
    } catch (const RuntimeError &e) {
        rethrowForFile(e, path);
    }
    fresh.mID = 0;
    fresh.mRevision = 0;
    return imported;
}

void exportTemplate(TemplateStore &store, int16_t id, const QString &path)
{
    BillTemplate bill;
    store.load(id, bill);
    QString categoryName;
    for (const Category &c : store.categories()) {
        if (c.id == bill.mScreenID)
            categoryName = c.name;
    }
    write(bill, categoryName, path);
}

int16_t importTemplate(TemplateStore &store, const QString &path, BillTemplate &fresh,
                       int16_t categoryID)
{
    const Imported imported = read(path, fresh);
    int16_t category = categoryID;
    if (category < 0)
        category = categoryNamed(store, imported.categoryName);
    if (category < 0)
        category = store.defaultCategory();
    QString name = imported.templateName;
    for (int n = 2; store.nameExists(category, name); ++n)
        name = imported.templateName + QStringLiteral("（%1）").arg(n);
    store.saveAs(fresh, name, category);
    return category;
}

} // namespace TemplateFile
