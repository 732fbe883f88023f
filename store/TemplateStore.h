#pragma once

#include "store/Category.h"
#include "store/SaveResult.h"
#include "store/StoreLocation.h"
#include "store/TemplateEntry.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

struct BillTemplate;

// The template store: categories, templates with their page settings,
// objects and pictures, in one database file (SQLite through Qt SQL) or a
// database on a PostgreSQL server, shared by every clerk of an office.
// Created with its schema on first use and upgraded when the program's
// schema is newer (the same steps for both). A server connection lost
// between two calls is opened again at the next. Every operation throws RuntimeError with a Chinese
// description when the store cannot be read or written; none shows a
// message. A write is one transaction: it lands whole or not at all.
class TemplateStore
{
public:
    static constexpr int16_t DemoCategory = 0;
    static constexpr int16_t MaxTemplateID = 32767;
    // How long a call waits for another program's lock before it fails.
    static constexpr int BusyTimeoutMs = 2000;

    // The user's store: "templates.sqlite" in the application-data folder.
    static QString defaultPath();

    // ReadWrite: the designer's store, made when missing and upgraded when
    // older. ReadOnly: a batch's, which must exist at this program's version
    // and is never written.
    enum class Access { ReadWrite, ReadOnly };

    // Opens the store file at path, after checking that it is whole and a
    // store (or, for ReadWrite, nothing yet); throws RuntimeError otherwise.
    explicit TemplateStore(const QString &path = defaultPath(), Access access = Access::ReadWrite);
    // Opens the store at location: a file as above, or a server database
    // (made a store when the user may create tables there, StoreNotPermitted
    // otherwise; StoreUnreachable when the server cannot be reached).
    explicit TemplateStore(const StoreLocation &location, Access access = Access::ReadWrite);
    ~TemplateStore();
    TemplateStore(const TemplateStore &) = delete;
    TemplateStore &operator=(const TemplateStore &) = delete;

    // The file, or the server's address without the password.
    QString path() const;
    const StoreLocation &location() const;
    // Called when a write must wait for another program's write (true) and
    // when the wait is over (false), so the user sees why nothing happens.
    void setWaitNotice(std::function<void(bool waiting)> notice);
    // The Qt SQL connection of this store (one per store object).
    QString connectionName() const;
    int schemaVersion() const;

    // Every category (document type), by id.
    QList<Category> categories() const;
    // The category a new template takes (0 when none is marked).
    int16_t defaultCategory() const;
    // Stores a document type: a new one (id < 0) under the next free id,
    // which is returned, or over the one of its id. Its default mark is
    // left as it is. Throws for category 0 (CategoryIsDemo), an empty name
    // (InvalidArgument), a name another category has (DuplicateKey), an id
    // that is not stored (CategoryNotFound).
    int16_t saveCategory(const Category &category);
    // Removes a document type that no template uses (else CategoryInUse);
    // category 0 stays (CategoryIsDemo). A removed default passes to 0.
    void removeCategory(int16_t id);
    // Marks the one category new templates take.
    void setDefaultCategory(int16_t id);
    // The templates of a category, by name.
    QList<TemplateEntry> templates(int16_t categoryID) const;
    // A template of that name exists in the category, ignoring ignoreID.
    bool nameExists(int16_t categoryID, const QString &name, int16_t ignoreID = 0) const;

    // Saves the record under its id, name (Caption) and category
    // (mScreenID), replacing what was stored: page settings, page size and
    // every shown object. A never-saved record (mID 0) gets a free id.
    // Written only when the stored template is still the revision the
    // record has; otherwise nothing is written and the result says why. On
    // success the record has its id and new revision and every object
    // EditFlag -1; on failure the record and the store stay as they were.
    SaveResult save(BillTemplate &bill);
    // Saves a copy under a new id, name and category, which the record then
    // takes; the template it came from stays as it was.
    void saveAs(BillTemplate &bill, const QString &name, int16_t categoryID);
    // Loads the stored template into a fresh record (no objects loaded):
    // every object at its stored id and collection position, saved
    // (EditFlag -1). Throws, leaving the record without objects and mID 0,
    // when the template is missing or any of its rows is damaged.
    void load(int16_t id, BillTemplate &fresh);
    // Deletes the template's rows of the three tables; false when there
    // was no such template.
    bool remove(int16_t id);
    // When the stored template was last saved (UTC); invalid when it is
    // not stored or was saved before the store kept the time.
    QDateTime savedAt(int16_t id) const;

private:
    class Private;
    std::unique_ptr<Private> d;
};
