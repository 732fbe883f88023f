// The store's connection: opening a file or a server, the statements
// prepared on it, and a server connection opened again after it was lost.

#include "TemplateStorePrivate.h"

#include "RowArrays.h"
#include "StoreError.h"
#include "StoreGuard.h"
#include "StoreSchema.h"
#include "StoreTables.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QStandardPaths>

#include <algorithm>
#include <atomic>

using namespace TemplateStoreRows;

namespace {

const QString SqliteDriver = QStringLiteral("QSQLITE");
const QString ServerDriver = QStringLiteral("QPSQL");
// A server that does not answer is reported after this long, not after the
// system's TCP timeout.
constexpr int ConnectTimeoutSeconds = 5;

// "(?, ?), (?, ?)": rows of placeholders for a multi-row insert.
QString valueRows(int columns, int rows)
{
    const QString row = QStringLiteral("(?") + QStringLiteral(", ?").repeated(columns - 1)
                        + QLatin1Char(')');
    QStringList list;
    for (int i = 0; i < rows; ++i)
        list << row;
    return list.join(QStringLiteral(", "));
}

} // namespace

TemplateStore::Private::Private(const StoreLocation &where, Access how)
    : location(where)
    , access(how)
{
    static std::atomic<int> serial{0};
    connection = QStringLiteral("TemplateStore-%1").arg(++serial);
    // A constructor that throws runs no destructor: the connection (and
    // with it the open file) goes here.
    try {
        open();
    } catch (...) {
        close();
        throw;
    }
}

TemplateStore::Private::~Private()
{
    close();
}

void TemplateStore::Private::open()
{
    if (location.isServer())
        openServer();
    else
        openFile();
}

void TemplateStore::Private::openFile()
{
    const QString &path = location.path;
    db = QSqlDatabase::addDatabase(SqliteDriver, connection);
    db.setDatabaseName(path);
    if (!db.isValid())
        throw StoreError::of(RuntimeError::StoreCannotOpen, db, SqliteDriver);
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
    if (access == Access::ReadOnly) {
        StoreSchema::requireCurrent(db);
        return;
    }
    StoreSchema::upgrade(db);
    // Readers never wait for a writer, and a second program on the file
    // waits its turn to write instead of failing at once. Only a store of
    // ours is switched: another program's file is left as it was. A file
    // this user may only read stays as it is, and its first save says so.
    QSqlQuery(db).exec(QStringLiteral("PRAGMA journal_mode = WAL"));
}

// The last program to close the file leaves it in the plain journal mode
// again, so a batch reading it (read-only) needs nothing beside it. While
// another program has it open, the switch is refused at once and the log
// stays for that one.
void TemplateStore::Private::leaveLogMode()
{
    if (location.isServer() || access == Access::ReadOnly || !db.isOpen())
        return;
    QSqlQuery query(db);
    query.exec(QStringLiteral("PRAGMA busy_timeout = 0"));
    query.exec(QStringLiteral("PRAGMA journal_mode = DELETE"));
}

void TemplateStore::Private::openServer()
{
    db = QSqlDatabase::addDatabase(ServerDriver, connection);
    db.setHostName(location.host);
    db.setPort(location.port);
    db.setDatabaseName(location.database);
    db.setUserName(location.user);
    db.setPassword(location.password);
    if (!db.isValid())
        throw StoreError::of(RuntimeError::StoreCannotOpen, db,
                             QStringLiteral("没有安装数据库驱动 %1").arg(ServerDriver));
    db.setConnectOptions(QStringLiteral("connect_timeout=%1").arg(ConnectTimeoutSeconds));
    if (!db.open())
        throw StoreError::of(RuntimeError::StoreUnreachable, db, db.lastError().text().trimmed());
    if (access == Access::ReadOnly) {
        StoreSchema::exec(db, QStringLiteral("SET SESSION CHARACTERISTICS AS TRANSACTION READ ONLY"));
        StoreSchema::requireCurrent(db);
    } else {
        StoreSchema::upgrade(db);
    }
}

void TemplateStore::Private::close()
{
    for (auto &statement : statements)
        statement.reset();
    fieldsOfArray.clear();
    leaveLogMode();
    held.reset();
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(connection);
}

void TemplateStore::Private::reconnectIfLost()
{
    if (!location.isServer())
        return;
    if (db.isOpen()) {
        QSqlQuery ping(db);
        if (ping.exec(QStringLiteral("SELECT 1")))
            return;
    }
    close();
    open();
}

void TemplateStore::Private::fail(const QSqlQuery &query) const
{
    throw StoreError::fromSql(query.lastError(), db);
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
    case InsertObjects:
        return QStringLiteral("INSERT INTO %1 (%2) VALUES %3")
            .arg(objects, ObjectRow::columnList(*db.driver()),
                 valueRows(ObjectRow::ColumnCount, statement == InsertObject ? 1 : RowsPerInsert));
    case InsertPicture:
    case InsertPictures:
        return QStringLiteral("INSERT INTO %1 (FID, %2) VALUES %3")
            .arg(pictures, columns(PictureColumns + 1, PictureRow::ColumnCount - 1),
                 valueRows(PictureRow::ColumnCount,
                           statement == InsertPicture ? 1 : RowsPerInsert));
    case InsertObjectArray:
        return arrayInsert(StoreTables::Objects, ObjectRow::ColumnNames, ObjectRow::ColumnCount,
                           RowArrays::ArrayOfRows);
    case InsertPictureArray:
        return arrayInsert(StoreTables::Pictures, PictureColumns, PictureRow::ColumnCount,
                           RowArrays::ArrayPerColumn);
    case SelectTemplate:
        return QStringLiteral("SELECT %1 FROM %2 WHERE FID = ?")
            .arg(columns(TemplateRow::ColumnNames, TemplateRow::ColumnCount), templates);
    case SelectObjects:
        return QStringLiteral("SELECT %1 FROM %2 WHERE FID = ? ORDER BY %3")
            .arg(ObjectRow::columnList(*db.driver()), objects, quoted("Position"));
    case SelectPictures:
        return QStringLiteral("SELECT %1, %2, %3 FROM %4 WHERE FID = ?")
            .arg(quoted("nID"), quoted("Data"), quoted("FileName"), pictures);
    case SelectSavedAt:
        return QStringLiteral("SELECT %1 FROM %2 WHERE FID = ?").arg(quoted("SavedAt"), templates);
    case StatementCount:
        break;
    }
    return QString();
}

QString TemplateStore::Private::arrayInsert(const char *table, const char *const *names,
                                            int count, int layout) const
{
    const QString list = QStringLiteral("FID, ") + columns(names + 1, count - 1);
    if (layout == RowArrays::ArrayOfRows)
        return QStringLiteral("INSERT INTO %1 (%2) SELECT %2 FROM unnest(CAST(? AS %1[]))")
            .arg(QLatin1String(table), list);
    const QList<std::pair<QString, QString>> known = serverColumns(table);
    QStringList arrays;
    for (int i = 0; i < count; ++i) {
        const QString name = serverName(names, i);
        const auto column = std::find_if(known.cbegin(), known.cend(),
                                         [&](const auto &c) { return c.first == name; });
        if (column == known.cend())
            throw StoreError::of(RuntimeError::StoreCorrupt, db,
                                 QLatin1String(table) + QLatin1Char('.') + name);
        arrays << QStringLiteral("CAST(? AS %1[])").arg(column->second);
    }
    return QStringLiteral("INSERT INTO %1 (%2) SELECT * FROM unnest(%3)")
        .arg(QLatin1String(table), list, arrays.join(QStringLiteral(", ")));
}

QList<std::pair<QString, QString>> TemplateStore::Private::serverColumns(const char *table) const
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT attname, format_type(atttypid, atttypmod) FROM pg_attribute"
                                 " WHERE attrelid = CAST(? AS regclass) AND attnum > 0"
                                 " AND NOT attisdropped ORDER BY attnum"));
    query.addBindValue(QLatin1String(table));
    if (!query.exec())
        fail(query);
    QList<std::pair<QString, QString>> list;
    while (query.next())
        list.append({query.value(0).toString(), query.value(1).toString()});
    return list;
}

const std::vector<int> &TemplateStore::Private::arrayFields(const RowInserts &inserts)
{
    auto known = fieldsOfArray.constFind(inserts.array);
    if (known != fieldsOfArray.cend())
        return *known;
    std::vector<int> fields;
    if (inserts.layout == RowArrays::ArrayPerColumn) {
        for (int i = 0; i < inserts.columns; ++i)
            fields.push_back(i);
    } else {
        QStringList names;
        for (int i = 0; i < inserts.columns; ++i)
            names << serverName(inserts.names, i);
        for (const auto &column : serverColumns(inserts.table))
            fields.push_back(int(names.indexOf(column.first)));
    }
    return *fieldsOfArray.insert(inserts.array, fields);
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
QString TemplateStore::defaultPath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("templates.sqlite"));
}

TemplateStore::TemplateStore(const QString &path, Access access)
    : TemplateStore(StoreLocation::file(path), access)
{
}

TemplateStore::TemplateStore(const StoreLocation &location, Access access)
    : d(std::make_unique<Private>(location, access))
{
}

TemplateStore::~TemplateStore() = default;

QString TemplateStore::path() const
{
    return d->location.toString();
}

const StoreLocation &TemplateStore::location() const
{
    return d->location;
}

QString TemplateStore::connectionName() const
{
    return d->connection;
}

int TemplateStore::schemaVersion() const
{
    d->reconnectIfLost();
    return StoreSchema::version(d->db);
}

void TemplateStore::setWaitNotice(std::function<void(bool waiting)> notice)
{
    d->waitNotice = std::move(notice);
}
