#include "TemplateStore.h"

#include "ObjectRow.h"
#include "RowReader.h"
#include "StoreError.h"
#include "StoreGuard.h"
#include "StoreSchema.h"
#include "StoreTables.h"
#include "StoreTransaction.h"
#include "TemplateRow.h"

#include "model/BillTemplate.h"

#include "platform/Element.h"
#include "platform/OpenFiles.h"
#include "platform/PageSurface.h"
#include "platform/PictureCodec.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QStringList>
#include <QVariant>

#include <algorithm>
#include <array>
#include <atomic>
#include <limits>
#include <optional>
#include <set>
#include <vector>

namespace {

enum Statement {
    SelectCategories,
    SelectTemplates,
    CountName,
    CategoryExists,
    SelectRevision,
    MaxID,
    FirstIDTaken,
    FirstGap,
    InsertTemplate,
    UpdateTemplate,
    DeleteTemplate,
    DeleteObjects,
    DeletePictures,
    InsertObject,
    InsertPicture,
    SelectTemplate,
    SelectObjects,
    SelectPictures,
    StatementCount
};

const QString LastRevision = QStringLiteral("LastRevision");

// Columns of the categories table, after the id.
const char *const CategoryColumns[]
    = {"Name", "Driver", "DatabaseName", "Host", "Port", "UserName", "ConnectOptions",
       "HeaderQuery", "DetailQuery", "StatementTimeout", "IsDefault"};
constexpr int CategoryColumnCount = int(std::size(CategoryColumns));

// A null text would bind as SQL NULL; the columns hold empty text instead.
QVariant textValue(const QString &text)
{
    return text.isNull() ? QStringLiteral("") : text;
}

QVariantList categoryValues(const Category &c)
{
    return {textValue(c.name),        textValue(c.driver),      textValue(c.databaseName),
            textValue(c.host),        c.port,                   textValue(c.user),
            textValue(c.options),     textValue(c.headerQuery), textValue(c.detailQuery),
            c.statementTimeout,       int(c.isDefault)};
}

constexpr int64_t MaxInt16 = std::numeric_limits<int16_t>::max();
constexpr int64_t MinInt16 = std::numeric_limits<int16_t>::min();
constexpr int64_t MaxInt32 = std::numeric_limits<int32_t>::max();

struct PictureRow
{
    int nID = 0;
    QByteArray data;
    QString fileName;
};

// The stored values of one template, read before anything is loaded.
struct StoredTemplate
{
    TemplateRow row;
    std::vector<ObjectRow> objects;
    QHash<int, PictureRow> pictures;
};

bool isShown(const ObjDraw &obj)
{
    return obj.ObjCtl() && obj.ObjCtl()->Visible() && obj.eType() >= ObjDraw::Line
           && obj.eType() <= ObjDraw::Picture;
}

bool isFresh(BillTemplate &bill)
{
    PageSurface &page = bill.mObjs.page();
    return bill.mObjs.Count() == 0 && page.ObjLine().size() == 1 && page.ObjText().size() == 1
           && page.ObjImg().size() == 1 && page.PicHD().size() == 1;
}

} // namespace

class TemplateStore::Private
{
public:
    Private(const QString &path, Access access);
    ~Private();
    void open(const QString &path, Access access);
    void close();

    QString quoted(const char *column) const
    {
        return db.driver()->escapeIdentifier(QLatin1String(column), QSqlDriver::FieldName);
    }
    QString columns(const char *const *names, int count) const
    {
        QStringList list;
        for (int i = 0; i < count; ++i)
            list << quoted(names[i]);
        return list.join(QStringLiteral(", "));
    }
    QString sqlOf(Statement statement) const;
    // The statement prepared once and reused, its bound values cleared.
    QSqlQuery &prepared(Statement statement);
    void exec(QSqlQuery &query);
    [[noreturn]] void fail(const QSqlQuery &query) const
    {
        throw StoreError::fromSql(query.lastError(), db);
    }

    void requireCategory(int16_t categoryID);
    std::optional<int32_t> storedRevision(int16_t id);
    int16_t freeID();
    void writeTemplate(Statement statement, int16_t id, const QString &name, int16_t categoryID,
                       const BillTemplate &bill, int32_t revision);
    void deleteRows(Statement statement, int16_t id);
    SaveResult write(BillTemplate &bill, int16_t id, const QString &name, int16_t categoryID);

    StoredTemplate read(int16_t id);
    void readObjects(int16_t id, StoredTemplate &stored);
    void readPictures(int16_t id, StoredTemplate &stored);
    static void apply(const StoredTemplate &stored, BillTemplate &fresh);

    QString connection;
    QSqlDatabase db;
    std::array<std::unique_ptr<QSqlQuery>, StatementCount> statements;
    // No output of the program is written over the open store.
    std::unique_ptr<OpenFiles::Hold> held;
};

TemplateStore::Private::Private(const QString &path, Access access)
{
    static std::atomic<int> serial{0};
    connection = QStringLiteral("TemplateStore-%1").arg(++serial);
    db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
    db.setDatabaseName(path);
    // A constructor that throws runs no destructor: the connection (and
    // with it the open file) goes here.
    try {
        open(path, access);
    } catch (...) {
        close();
        throw;
    }
}

TemplateStore::Private::~Private()
{
    close();
}

void TemplateStore::Private::open(const QString &path, Access access)
{
    if (!db.isValid())
        throw StoreError::of(RuntimeError::StoreCannotOpen, db, QStringLiteral("QSQLITE"));
    QStringList options{QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(BusyTimeoutMs)};
    const QFileInfo file(path);
    if (access == Access::ReadOnly) {
        // Opening a missing file would make an empty store of a mistyped name.
        if (!file.exists())
            throw StoreError::of(RuntimeError::StoreMissing, db);
        options << QStringLiteral("QSQLITE_OPEN_READONLY");
    } else if (!file.absoluteDir().exists() && !QDir().mkpath(file.absolutePath())) {
        throw StoreError::of(RuntimeError::StoreCannotOpen, db, file.absolutePath());
    }
    db.setConnectOptions(options.join(QLatin1Char(';')));
    if (!db.open())
        throw StoreError::fromSql(db.lastError(), db);
    held = std::make_unique<OpenFiles::Hold>(path);
    StoreGuard::requireWhole(db);
    if (access == Access::ReadOnly)
        StoreSchema::requireCurrent(db);
    else
        StoreSchema::upgrade(db);
}

void TemplateStore::Private::close()
{
    for (auto &statement : statements)
        statement.reset();
    held.reset();
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(connection);
}

QString TemplateStore::Private::sqlOf(Statement statement) const
{
    const QString templates = QLatin1String(StoreTables::Templates);
    const QString objects = QLatin1String(StoreTables::Objects);
    const QString pictures = QLatin1String(StoreTables::Pictures);
    const QString categoryID = quoted("CategoryID");
    const QString name = quoted("Name");
    const QString revision = quoted("Revision");
    switch (statement) {
    case SelectCategories:
        return QStringLiteral("SELECT %1, %2 FROM %3 ORDER BY %1")
            .arg(categoryID, columns(CategoryColumns, CategoryColumnCount),
                 QLatin1String(StoreTables::Categories));
    case SelectTemplates:
        return QStringLiteral("SELECT FID, %1 FROM %2 WHERE %3 = ? ORDER BY %1, FID")
            .arg(name, templates, categoryID);
    case CountName:
        return QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2 = ? AND %3 = ? AND FID <> ?")
            .arg(templates, categoryID, name);
    case CategoryExists:
        return QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2 = ?")
            .arg(QLatin1String(StoreTables::Categories), categoryID);
    case SelectRevision:
        return QStringLiteral("SELECT %1 FROM %2 WHERE FID = ?").arg(revision, templates);
    case MaxID:
        return QStringLiteral("SELECT MAX(FID) FROM %1").arg(templates);
    case FirstIDTaken:
        return QStringLiteral("SELECT COUNT(*) FROM %1 WHERE FID = ?").arg(templates);
    case FirstGap:
        return QStringLiteral("SELECT MIN(t.FID) FROM %1 t WHERE t.FID >= ? AND t.FID < ?"
                              " AND NOT EXISTS (SELECT 1 FROM %1 u WHERE u.FID = t.FID + 1)")
            .arg(templates);
    case InsertTemplate:
        return QStringLiteral("INSERT INTO %1 (FID, %2) VALUES (?%3)")
            .arg(templates, columns(TemplateRow::ColumnNames, TemplateRow::ColumnCount),
                 QStringLiteral(", ?").repeated(TemplateRow::ColumnCount));
    case UpdateTemplate: {
        QStringList assignments;
        for (const char *column : TemplateRow::ColumnNames)
            assignments << quoted(column) + QStringLiteral(" = ?");
        return QStringLiteral("UPDATE %1 SET %2 WHERE FID = ? AND %3 = ?")
            .arg(templates, assignments.join(QStringLiteral(", ")), revision);
    }
    case DeleteTemplate:
        return QStringLiteral("DELETE FROM %1 WHERE FID = ?").arg(templates);
    case DeleteObjects:
        return QStringLiteral("DELETE FROM %1 WHERE FID = ?").arg(objects);
    case DeletePictures:
        return QStringLiteral("DELETE FROM %1 WHERE FID = ?").arg(pictures);
    case InsertObject:
        return QStringLiteral("INSERT INTO %1 (%2) VALUES (?%3)")
            .arg(objects, ObjectRow::columnList(*db.driver()),
                 QStringLiteral(", ?").repeated(ObjectRow::ColumnCount - 1));
    case InsertPicture:
        return QStringLiteral("INSERT INTO %1 (FID, %2, %3, %4) VALUES (?, ?, ?, ?)")
            .arg(pictures, quoted("nID"), quoted("Data"), quoted("FileName"));
    case SelectTemplate:
        return QStringLiteral("SELECT %1 FROM %2 WHERE FID = ?")
            .arg(columns(TemplateRow::ColumnNames, TemplateRow::ColumnCount), templates);
    case SelectObjects:
        return QStringLiteral("SELECT %1 FROM %2 WHERE FID = ? ORDER BY %3")
            .arg(ObjectRow::columnList(*db.driver()), objects, quoted("Position"));
    case SelectPictures:
        return QStringLiteral("SELECT %1, %2, %3 FROM %4 WHERE FID = ?")
            .arg(quoted("nID"), quoted("Data"), quoted("FileName"), pictures);
    case StatementCount:
        break;
    }
    return QString();
}

QSqlQuery &TemplateStore::Private::prepared(Statement statement)
{
    std::unique_ptr<QSqlQuery> &query = statements[statement];
    if (!query) {
        auto made = std::make_unique<QSqlQuery>(db);
        made->setForwardOnly(true);
        if (!made->prepare(sqlOf(statement)))
            fail(*made);
        query = std::move(made);
    }
    query->finish();
    return *query;
}

void TemplateStore::Private::exec(QSqlQuery &query)
{
    if (!query.exec())
        fail(query);
}

void TemplateStore::Private::requireCategory(int16_t categoryID)
{
    QSqlQuery &query = prepared(CategoryExists);
    query.bindValue(0, categoryID);
    exec(query);
    if (!query.next() || query.value(0).toInt() == 0)
        throw StoreError::of(RuntimeError::CategoryNotFound, db, QString::number(categoryID));
    query.finish();
}

std::optional<int32_t> TemplateStore::Private::storedRevision(int16_t id)
{
    QSqlQuery &query = prepared(SelectRevision);
    query.bindValue(0, id);
    exec(query);
    if (!query.next())
        return std::nullopt;
    const RowReader r(query, StoreTables::Templates, &TemplateRow::ColumnNames[TemplateRow::Revision],
                      QStringLiteral("（单据 %1）").arg(id));
    const auto revision = int32_t(r.integer(0, 0, MaxInt32));
    query.finish();
    return revision;
}

// The next id after the highest, or the first gap once the highest is
// taken; ids of deleted templates come back only then.
int16_t TemplateStore::Private::freeID()
{
    QSqlQuery &highest = prepared(MaxID);
    exec(highest);
    const QVariant max = highest.next() ? highest.value(0) : QVariant();
    highest.finish();
    if (max.isNull() || max.toLongLong() < 1)
        return 1;
    if (max.toLongLong() < MaxTemplateID)
        return int16_t(max.toLongLong() + 1);
    QSqlQuery &first = prepared(FirstIDTaken);
    first.bindValue(0, 1);
    exec(first);
    const bool firstTaken = first.next() && first.value(0).toInt() > 0;
    first.finish();
    if (!firstTaken)
        return 1;
    QSqlQuery &gap = prepared(FirstGap);
    gap.bindValue(0, 1);
    gap.bindValue(1, MaxTemplateID);
    exec(gap);
    const QVariant before = gap.next() ? gap.value(0) : QVariant();
    gap.finish();
    if (before.isNull())
        throw StoreError::of(RuntimeError::TemplateIdsExhausted, db);
    return int16_t(before.toLongLong() + 1);
}

void TemplateStore::Private::writeTemplate(Statement statement, int16_t id, const QString &name,
                                           int16_t categoryID, const BillTemplate &bill,
                                           int32_t revision)
{
    QSqlQuery &query = prepared(statement);
    const QVariantList values = TemplateRow::fromTemplate(bill, name, categoryID, revision).values();
    int at = 0;
    if (statement == InsertTemplate)
        query.bindValue(at++, id);
    for (const QVariant &value : values)
        query.bindValue(at++, value);
    if (statement == UpdateTemplate) {
        query.bindValue(at++, id);
        query.bindValue(at++, revision - 1);
    }
    exec(query);
    // The revision was checked in this transaction; no other row can match.
    if (query.numRowsAffected() != 1)
        throw StoreError::of(RuntimeError::StoreFailed, db, QLatin1String(StoreTables::Templates));
}

void TemplateStore::Private::deleteRows(Statement statement, int16_t id)
{
    QSqlQuery &query = prepared(statement);
    query.bindValue(0, id);
    exec(query);
}

SaveResult TemplateStore::Private::write(BillTemplate &bill, int16_t id, const QString &name,
                                         int16_t categoryID)
{
    // Everything the rows need is gathered before the store is locked.
    std::vector<ObjectRow> rows;
    std::vector<PictureRow> pictures;
    rows.reserve(std::size_t(bill.mObjs.Count()));
    QHash<qint64, QByteArray> encoded;
    for (const auto &obj : bill.mObjs) {
        if (!isShown(*obj))
            continue;
        rows.push_back(ObjectRow::fromObject(*obj, int(rows.size()) + 1));
        const Element &element = *obj->ObjCtl();
        if (obj->eType() != ObjDraw::Picture || element.Picture().isNull())
            continue;
        QByteArray data = element.PictureData();
        if (data.isEmpty()) {
            auto it = encoded.find(element.Picture().cacheKey());
            if (it == encoded.end())
                it = encoded.insert(element.Picture().cacheKey(),
                                    PictureCodec::encode(element.Picture()));
            data = *it;
        }
        pictures.push_back({obj->nID(), data, element.Tag()});
    }

    StoreTransaction transaction(db, StoreTransaction::Write);
    requireCategory(categoryID);
    const qint64 lastRevision = std::max<qint64>(0, StoreSchema::info(db, LastRevision));
    int32_t revision = 0;
    if (id == 0) {
        id = freeID();
        // Above every revision ever given, whatever id this template takes.
        revision = int32_t(lastRevision + 1);
        writeTemplate(InsertTemplate, id, name, categoryID, bill, revision);
    } else {
        const std::optional<int32_t> stored = storedRevision(id);
        if (!stored)
            return SaveResult::TemplateGone;
        if (*stored != bill.mRevision)
            return SaveResult::ChangedElsewhere;
        revision = *stored + 1;
        writeTemplate(UpdateTemplate, id, name, categoryID, bill, revision);
        deleteRows(DeleteObjects, id);
        deleteRows(DeletePictures, id);
    }
    StoreSchema::setInfo(db, LastRevision, std::max<qint64>(lastRevision, revision));
    QSqlQuery &insertObject = prepared(InsertObject);
    for (const ObjectRow &row : rows) {
        row.bindTo(insertObject, id);
        exec(insertObject);
    }
    QSqlQuery &insertPicture = prepared(InsertPicture);
    for (const PictureRow &picture : pictures) {
        insertPicture.bindValue(0, id);
        insertPicture.bindValue(1, picture.nID);
        insertPicture.bindValue(2, picture.data);
        insertPicture.bindValue(3, picture.fileName);
        exec(insertPicture);
    }
    transaction.commit();

    bill.mID = id;
    bill.Caption = name;
    bill.mScreenID = categoryID;
    bill.mRevision = revision;
    for (const auto &obj : bill.mObjs)
        obj->setEditFlag(-1);
    return SaveResult::Saved;
}

StoredTemplate TemplateStore::Private::read(int16_t id)
{
    StoredTemplate stored;
    StoreTransaction transaction(db, StoreTransaction::Read);
    QSqlQuery &query = prepared(SelectTemplate);
    query.bindValue(0, id);
    exec(query);
    if (!query.next())
        throw StoreError::of(RuntimeError::TemplateNotFound, db, QString::number(id));
    stored.row = TemplateRow::read(query, id);
    query.finish();
    readObjects(id, stored);
    readPictures(id, stored);
    transaction.commit();
    return stored;
}

void TemplateStore::Private::readObjects(int16_t id, StoredTemplate &stored)
{
    QSqlQuery &query = prepared(SelectObjects);
    query.bindValue(0, id);
    exec(query);
    std::set<int> ids;
    while (query.next()) {
        ObjectRow row = ObjectRow::read(query);
        // Positions run 1, 2, ... without a gap: a missing row is a
        // damaged template, not a smaller one.
        if (row.position != int(stored.objects.size()) + 1 || !ids.insert(row.nID).second)
            throw RuntimeError(RuntimeError::TemplateDataCorrupt,
                               QStringLiteral("%1（第 %2 个对象）")
                                   .arg(QLatin1String(StoreTables::Objects))
                                   .arg(stored.objects.size() + 1));
        stored.objects.push_back(std::move(row));
    }
    if (query.lastError().isValid())
        fail(query);
    query.finish();
}

void TemplateStore::Private::readPictures(int16_t id, StoredTemplate &stored)
{
    static const char *const names[] = {"nID", "Data", "FileName"};
    std::set<int> pictureIDs;
    for (const ObjectRow &row : stored.objects) {
        if (row.eType == ObjDraw::Picture)
            pictureIDs.insert(row.nID);
    }
    QSqlQuery &query = prepared(SelectPictures);
    query.bindValue(0, id);
    exec(query);
    while (query.next()) {
        const RowReader r(query, StoreTables::Pictures, names,
                          QStringLiteral("（单据 %1）").arg(id));
        PictureRow picture;
        picture.nID = int(r.integer(0, 0, MaxInt32));
        if (!pictureIDs.count(picture.nID))
            r.corrupt(0);
        picture.data = r.bytes(1);
        picture.fileName = r.text(2);
        stored.pictures.insert(picture.nID, picture);
    }
    if (query.lastError().isValid())
        fail(query);
    query.finish();
}

void TemplateStore::Private::apply(const StoredTemplate &stored, BillTemplate &fresh)
{
    // Pictures decode first (many objects often share one), so a picture
    // that cannot decode fails the load before any element is made.
    QHash<int, QImage> images;
    QHash<QByteArray, QImage> decoded;
    for (const PictureRow &picture : stored.pictures) {
        auto it = decoded.find(picture.data);
        if (it == decoded.end()) {
            const QImage image = PictureCodec::decode(picture.data, picture.fileName);
            if (image.isNull())
                throw RuntimeError(RuntimeError::TemplateDataCorrupt,
                                   QStringLiteral("%1（对象 %2）")
                                       .arg(QLatin1String(StoreTables::Pictures))
                                       .arg(picture.nID));
            it = decoded.insert(picture.data, image);
        }
        images.insert(picture.nID, *it);
    }

    stored.row.applyTo(fresh);
    for (const ObjectRow &row : stored.objects) {
        const auto picture = stored.pictures.constFind(row.nID);
        if (picture == stored.pictures.cend())
            row.applyTo(fresh.mObjs, QImage(), QByteArray());
        else
            row.applyTo(fresh.mObjs, images.value(row.nID), picture->data);
    }
}

QString TemplateStore::defaultPath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("templates.sqlite"));
}

TemplateStore::TemplateStore(const QString &path, Access access)
    : d(std::make_unique<Private>(path, access))
{
}

TemplateStore::~TemplateStore() = default;

QString TemplateStore::path() const
{
    return d->db.databaseName();
}

QString TemplateStore::connectionName() const
{
    return d->connection;
}

int TemplateStore::schemaVersion() const
{
    return StoreSchema::version(d->db);
}

QList<Category> TemplateStore::categories() const
{
    QSqlQuery &query = d->prepared(SelectCategories);
    d->exec(query);
    static const char *const names[] = {"CategoryID",   "Name",        "Driver",
                                        "DatabaseName", "Host",        "Port",
                                        "UserName",     "ConnectOptions", "HeaderQuery",
                                        "DetailQuery",  "StatementTimeout", "IsDefault"};
    QList<Category> list;
    while (query.next()) {
        const RowReader r(query, StoreTables::Categories, names, QString());
        Category c;
        c.id = int16_t(r.integer(0, MinInt16, MaxInt16));
        c.name = r.text(1);
        c.driver = r.text(2);
        c.databaseName = r.text(3);
        c.host = r.text(4);
        c.port = int(r.integer(5, 0, 65535));
        c.user = r.text(6);
        c.options = r.text(7);
        c.headerQuery = r.text(8);
        c.detailQuery = r.text(9);
        c.statementTimeout = int(r.integer(10, Category::MinTimeout, Category::MaxTimeout));
        c.isDefault = r.flag(11);
        list.append(c);
    }
    query.finish();
    return list;
}

int16_t TemplateStore::defaultCategory() const
{
    for (const Category &c : categories()) {
        if (c.isDefault)
            return c.id;
    }
    return DemoCategory;
}

int16_t TemplateStore::saveCategory(const Category &category)
{
    if (category.id == DemoCategory)
        throw StoreError::of(RuntimeError::CategoryIsDemo, d->db);
    if (category.name.trimmed().isEmpty())
        throw StoreError::of(RuntimeError::InvalidArgument, d->db, QStringLiteral("Name"));
    if (category.statementTimeout < Category::MinTimeout
        || category.statementTimeout > Category::MaxTimeout)
        throw StoreError::of(RuntimeError::InvalidArgument, d->db, QStringLiteral("StatementTimeout"));
    const QString table = QLatin1String(StoreTables::Categories);
    const QString idColumn = d->quoted("CategoryID");
    StoreTransaction transaction(d->db, StoreTransaction::Write);
    QSqlQuery query(d->db);
    query.prepare(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2 = ? AND %3 <> ?")
                      .arg(table, d->quoted("Name"), idColumn));
    query.addBindValue(category.name);
    query.addBindValue(category.id);
    d->exec(query);
    if (query.next() && query.value(0).toInt() > 0)
        throw StoreError::of(RuntimeError::DuplicateKey, d->db, category.name);
    query.finish();
    int16_t id = category.id;
    QVariantList values = categoryValues(category);
    // The default mark is set by setDefaultCategory only.
    values.removeLast();
    const QStringList names(std::begin(CategoryColumns), std::end(CategoryColumns) - 1);
    if (id < 0) {
        query.prepare(QStringLiteral("SELECT MAX(%1) FROM %2").arg(idColumn, table));
        d->exec(query);
        const qint64 highest = query.next() ? query.value(0).toLongLong() : 0;
        query.finish();
        if (highest >= MaxInt16)
            throw StoreError::of(RuntimeError::TemplateIdsExhausted, d->db, table);
        id = int16_t(std::max<qint64>(highest, 0) + 1);
        QStringList quoted;
        for (const QString &n : names)
            quoted << d->quoted(n.toLatin1().constData());
        query.prepare(QStringLiteral("INSERT INTO %1 (%2, %3) VALUES (?%4)")
                          .arg(table, idColumn, quoted.join(QStringLiteral(", ")),
                               QStringLiteral(", ?").repeated(names.size())));
        query.addBindValue(id);
        for (const QVariant &v : values)
            query.addBindValue(v);
        d->exec(query);
    } else {
        QStringList assignments;
        for (const QString &n : names)
            assignments << d->quoted(n.toLatin1().constData()) + QStringLiteral(" = ?");
        query.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?")
                          .arg(table, assignments.join(QStringLiteral(", ")), idColumn));
        for (const QVariant &v : values)
            query.addBindValue(v);
        query.addBindValue(id);
        d->exec(query);
        if (query.numRowsAffected() != 1)
            throw StoreError::of(RuntimeError::CategoryNotFound, d->db, QString::number(id));
    }
    transaction.commit();
    return id;
}

void TemplateStore::removeCategory(int16_t id)
{
    if (id == DemoCategory)
        throw StoreError::of(RuntimeError::CategoryIsDemo, d->db);
    const QString table = QLatin1String(StoreTables::Categories);
    const QString idColumn = d->quoted("CategoryID");
    const QString isDefault = d->quoted("IsDefault");
    StoreTransaction transaction(d->db, StoreTransaction::Write);
    QSqlQuery query(d->db);
    query.prepare(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2 = ?")
                      .arg(QLatin1String(StoreTables::Templates), idColumn));
    query.addBindValue(id);
    d->exec(query);
    if (query.next() && query.value(0).toInt() > 0)
        throw StoreError::of(RuntimeError::CategoryInUse, d->db, QString::number(id));
    query.finish();
    query.prepare(QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(table, idColumn));
    query.addBindValue(id);
    d->exec(query);
    if (query.numRowsAffected() != 1)
        throw StoreError::of(RuntimeError::CategoryNotFound, d->db, QString::number(id));
    // Without a default, new templates go to the demonstration again.
    query.prepare(QStringLiteral("UPDATE %1 SET %2 = 1 WHERE %3 = 0 AND NOT EXISTS"
                                 " (SELECT 1 FROM %1 WHERE %2 = 1)")
                      .arg(table, isDefault, idColumn));
    d->exec(query);
    transaction.commit();
}

void TemplateStore::setDefaultCategory(int16_t id)
{
    const QString table = QLatin1String(StoreTables::Categories);
    const QString idColumn = d->quoted("CategoryID");
    StoreTransaction transaction(d->db, StoreTransaction::Write);
    d->requireCategory(id);
    QSqlQuery query(d->db);
    query.prepare(QStringLiteral("UPDATE %1 SET %2 = CASE WHEN %3 = ? THEN 1 ELSE 0 END")
                      .arg(table, d->quoted("IsDefault"), idColumn));
    query.addBindValue(id);
    d->exec(query);
    transaction.commit();
}

QList<TemplateEntry> TemplateStore::templates(int16_t categoryID) const
{
    QSqlQuery &query = d->prepared(SelectTemplates);
    query.bindValue(0, categoryID);
    d->exec(query);
    static const char *const names[] = {"FID", "Name"};
    QList<TemplateEntry> list;
    while (query.next()) {
        const RowReader r(query, StoreTables::Templates, names, QString());
        list.append({int16_t(r.integer(0, 1, MaxTemplateID)), r.text(1)});
    }
    query.finish();
    return list;
}

bool TemplateStore::nameExists(int16_t categoryID, const QString &name, int16_t ignoreID) const
{
    QSqlQuery &query = d->prepared(CountName);
    query.bindValue(0, categoryID);
    query.bindValue(1, name);
    query.bindValue(2, ignoreID);
    d->exec(query);
    const bool exists = query.next() && query.value(0).toInt() > 0;
    query.finish();
    return exists;
}

SaveResult TemplateStore::save(BillTemplate &bill)
{
    return d->write(bill, bill.mID, bill.Caption, bill.mScreenID);
}

void TemplateStore::saveAs(BillTemplate &bill, const QString &name, int16_t categoryID)
{
    d->write(bill, 0, name, categoryID);
}

void TemplateStore::load(int16_t id, BillTemplate &fresh)
{
    if (!isFresh(fresh))
        throw RuntimeError(RuntimeError::InvalidArgument, QStringLiteral("TemplateStore::load"));
    const StoredTemplate stored = d->read(id);
    Private::apply(stored, fresh);
    // Only a whole template claims its id.
    fresh.mID = id;
    fresh.mRevision = stored.row.revision;
}

bool TemplateStore::remove(int16_t id)
{
    StoreTransaction transaction(d->db, StoreTransaction::Write);
    QSqlQuery &query = d->prepared(DeleteTemplate);
    query.bindValue(0, id);
    d->exec(query);
    const bool existed = query.numRowsAffected() > 0;
    d->deleteRows(DeleteObjects, id);
    d->deleteRows(DeletePictures, id);
    transaction.commit();
    return existed;
}
