#include "StoreSchema.h"

#include "StoreError.h"
#include "StoreGuard.h"
#include "StoreTables.h"
#include "StoreTransaction.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QRegularExpression>
#include <QStringList>
#include <QVariant>

namespace {

const QString SchemaVersion = QStringLiteral("SchemaVersion");

QString infoTable()
{
    return QLatin1String(StoreTables::Info);
}

QString field(QSqlDatabase &db, const char *name)
{
    return db.driver()->escapeIdentifier(QLatin1String(name), QSqlDriver::FieldName);
}

// Version 1: categories, templates, their objects and pictures. A step's
// statements never change once released; a new column is a new step.
void createTables(QSqlDatabase &db)
{
    const char *const statements[] = {
        "CREATE TABLE BillCategories (\"CategoryID\" INTEGER PRIMARY KEY, \"Name\" TEXT NOT NULL)",
        "CREATE TABLE BillTemplates (FID INTEGER PRIMARY KEY, \"CategoryID\" INTEGER NOT NULL,"
        " \"Name\" TEXT NOT NULL, \"PageWidth\" REAL NOT NULL, \"PageHeight\" REAL NOT NULL,"
        " \"mrowcount\" INTEGER NOT NULL, \"mRowHeight\" REAL NOT NULL,"
        " \"mcolcount\" INTEGER NOT NULL, \"mColWidth\" REAL NOT NULL,"
        " \"mBlnColFirst\" INTEGER NOT NULL, \"mLandScape\" INTEGER NOT NULL,"
        " \"mIsDefault\" INTEGER NOT NULL, \"Revision\" INTEGER NOT NULL)",
        "CREATE INDEX BillTemplatesByCategory ON BillTemplates (\"CategoryID\", \"Name\")",
        "CREATE TABLE BillObjects (FID INTEGER NOT NULL, \"Position\" INTEGER NOT NULL,"
        " \"nID\" INTEGER NOT NULL, \"eType\" INTEGER NOT NULL,"
        " \"Left\" REAL, \"Top\" REAL, \"Width\" REAL, \"Height\" REAL,"
        " \"x1\" REAL, \"y1\" REAL, \"x2\" REAL, \"y2\" REAL,"
        " \"Caption\" TEXT, \"Tag\" TEXT, \"ToolTipText\" TEXT,"
        " \"FontName\" TEXT, \"FontSize\" REAL, \"FontBold\" INTEGER, \"FontItalic\" INTEGER,"
        " \"FontUnderline\" INTEGER, \"FontStrikethru\" INTEGER,"
        " \"ForeColor\" INTEGER, \"LineColor\" INTEGER, \"Alignment\" INTEGER,"
        " \"AutoSize\" INTEGER, \"BorderStyle\" INTEGER, \"LineStyle\" INTEGER,"
        " \"LineWidth\" INTEGER, \"Stretch\" INTEGER, \"Clip\" INTEGER, \"IsFix\" INTEGER,"
        " \"DataType\" INTEGER, \"IsScroll\" INTEGER, \"Sumed\" INTEGER, \"SumedPage\" INTEGER,"
        " \"Format\" TEXT, \"Printed\" INTEGER, \"Locked\" INTEGER, \"BStyle\" INTEGER,"
        " \"BWidth\" INTEGER, \"FColor\" INTEGER,"
        " PRIMARY KEY (FID, \"Position\"), UNIQUE (FID, \"nID\"))",
        "CREATE TABLE BillPictures (FID INTEGER NOT NULL, \"nID\" INTEGER NOT NULL,"
        " \"Data\" BLOB NOT NULL, \"FileName\" TEXT, PRIMARY KEY (FID, \"nID\"))",
    };
    for (const char *statement : statements)
        StoreSchema::exec(db, QString::fromUtf8(statement));
    // Revisions are counted store-wide, so a template that takes the id of
    // a deleted one never has a revision an old record of that id has.
    StoreSchema::setInfo(db, QStringLiteral("LastRevision"), 0);
    QSqlQuery demo(db);
    demo.prepare(QStringLiteral("INSERT INTO %1 (%2, %3) VALUES (?, ?)")
                     .arg(QLatin1String(StoreTables::Categories), field(db, "CategoryID"),
                          field(db, "Name")));
    demo.addBindValue(0);
    demo.addBindValue(QStringLiteral("演示数据"));
    if (!demo.exec())
        throw StoreError::fromSql(demo.lastError(), db);
}

// Version 2: a category is a document type, with its data source and its
// header and detail queries, and one category is the default.
void addDocumentTypes(QSqlDatabase &db)
{
    const char *const textColumns[] = {"Driver",   "DatabaseName", "Host",       "UserName",
                                       "ConnectOptions", "HeaderQuery", "DetailQuery"};
    const QString table = QLatin1String(StoreTables::Categories);
    for (const char *column : textColumns)
        StoreSchema::exec(db, QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 TEXT NOT NULL DEFAULT ''")
                                  .arg(table, field(db, column)));
    for (const char *column : {"Port", "IsDefault"})
        StoreSchema::exec(db,
                          QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 INTEGER NOT NULL DEFAULT 0")
                              .arg(table, field(db, column)));
    StoreSchema::exec(db, QStringLiteral("UPDATE %1 SET %2 = 1 WHERE %3 = 0")
                              .arg(table, field(db, "IsDefault"), field(db, "CategoryID")));
}

// Version 3: a text may print as a code: its type (0: text), the module
// width of a linear code in millimetres, the QR error-correction level and
// whether a linear code prints its text. Older objects are texts.
void addBarcodes(QSqlDatabase &db)
{
    const QString table = QLatin1String(StoreTables::Objects);
    const struct
    {
        const char *column;
        const char *definition;
    } columns[] = {{"BarcodeType", "INTEGER NOT NULL DEFAULT 0"},
                   {"ModuleWidth", "REAL NOT NULL DEFAULT 0.33"},
                   {"QrLevel", "INTEGER NOT NULL DEFAULT 2"},
                   {"BarcodeText", "INTEGER NOT NULL DEFAULT 1"}};
    for (const auto &c : columns)
        StoreSchema::exec(db, QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3")
                                  .arg(table, field(db, c.column), QLatin1String(c.definition)));
}

// Version 4: how long reading one document of a type may take, in seconds.
void addStatementTimeout(QSqlDatabase &db)
{
    StoreSchema::exec(db, QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 INTEGER NOT NULL DEFAULT 30")
                              .arg(QLatin1String(StoreTables::Categories),
                                   field(db, "StatementTimeout")));
}

// Version 5: a template may carry the blank form it is designed over (the
// file's bytes and name, the PDF page, opacity and place, all null without
// one) and its own offset on paper (twips). Older templates have neither.
void addUnderlayAndOffset(QSqlDatabase &db)
{
    const QString table = QLatin1String(StoreTables::Templates);
    const struct
    {
        const char *column;
        const char *definition;
    } columns[] = {{"UnderlayData", "BLOB"},
                   {"UnderlayFileName", "TEXT"},
                   {"UnderlayPage", "INTEGER"},
                   {"UnderlayOpacity", "INTEGER"},
                   {"UnderlayLeft", "REAL"},
                   {"UnderlayTop", "REAL"},
                   {"UnderlayWidth", "REAL"},
                   {"UnderlayHeight", "REAL"},
                   {"OffsetLeft", "REAL NOT NULL DEFAULT 0"},
                   {"OffsetTop", "REAL NOT NULL DEFAULT 0"}};
    for (const auto &c : columns)
        StoreSchema::exec(db, QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3")
                                  .arg(table, field(db, c.column), QLatin1String(c.definition)));
}

// Version 6: when each template was last saved (UTC, ISO 8601), so a
// refused save can say when the template was changed elsewhere. Older
// templates have no time.
void addSavedAt(QSqlDatabase &db)
{
    StoreSchema::exec(db, QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 TEXT")
                              .arg(QLatin1String(StoreTables::Templates), field(db, "SavedAt")));
}

bool hasInfoTable(QSqlDatabase &db)
{
    return db.tables().contains(infoTable(), Qt::CaseInsensitive);
}

// Reads the file once, so a locked or damaged store is reported as such
// and not taken for an empty one.
void probe(QSqlDatabase &db)
{
    const bool sqlite = db.driverName() == QLatin1String("QSQLITE");
    QSqlQuery query(db);
    if (!query.exec(sqlite ? QStringLiteral("SELECT COUNT(*) FROM sqlite_master")
                           : QStringLiteral("SELECT 1")))
        throw StoreError::fromSql(query.lastError(), db);
}

} // namespace

const std::vector<StoreSchema::Step> &StoreSchema::steps()
{
    static const std::vector<Step> list = {createTables, addDocumentTypes, addBarcodes,
                                           addStatementTimeout, addUnderlayAndOffset, addSavedAt};
    return list;
}

QString StoreSchema::forDriver(const QString &driverName, const QString &statement)
{
    if (driverName == QLatin1String("QSQLITE"))
        return statement;
    // The steps are written in SQLite's words; a server's REAL is single
    // precision and it has no BLOB. Column names are quoted, so only the
    // bare type names match.
    static const QRegularExpression real(QStringLiteral("\\bREAL\\b"));
    static const QRegularExpression blob(QStringLiteral("\\bBLOB\\b"));
    QString translated = statement;
    translated.replace(real, QStringLiteral("DOUBLE PRECISION"));
    translated.replace(blob, QStringLiteral("BYTEA"));
    return translated;
}

void StoreSchema::exec(QSqlDatabase &db, const QString &statement)
{
    QSqlQuery query(db);
    if (!query.exec(forDriver(db.driverName(), statement)))
        throw StoreError::fromSql(query.lastError(), db);
}

qint64 StoreSchema::info(QSqlDatabase &db, const QString &name)
{
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?")
                      .arg(field(db, "Value"), infoTable(), field(db, "Name")));
    query.addBindValue(name);
    if (!query.exec())
        throw StoreError::fromSql(query.lastError(), db);
    if (!query.next())
        return -1;
    bool ok = false;
    const qint64 value = query.value(0).toLongLong(&ok);
    if (!ok || value < 0)
        throw StoreError::of(RuntimeError::StoreCorrupt, db, infoTable() + QLatin1Char('.') + name);
    return value;
}

void StoreSchema::setInfo(QSqlDatabase &db, const QString &name, qint64 value)
{
    const bool present = info(db, name) >= 0;
    QSqlQuery query(db);
    query.prepare(present ? QStringLiteral("UPDATE %1 SET %2 = ? WHERE %3 = ?")
                                .arg(infoTable(), field(db, "Value"), field(db, "Name"))
                          : QStringLiteral("INSERT INTO %1 (%2, %3) VALUES (?, ?)")
                                .arg(infoTable(), field(db, "Value"), field(db, "Name")));
    query.addBindValue(value);
    query.addBindValue(name);
    if (!query.exec())
        throw StoreError::fromSql(query.lastError(), db);
}

int StoreSchema::version(QSqlDatabase &db)
{
    probe(db);
    if (!hasInfoTable(db))
        return 0;
    const qint64 v = info(db, SchemaVersion);
    return v < 0 ? 0 : int(v);
}

void StoreSchema::requireCurrent(QSqlDatabase &db)
{
    const int at = version(db);
    if (at == 0)
        throw StoreError::of(RuntimeError::StoreNotAStore, db);
    if (at < currentVersion())
        throw StoreError::of(RuntimeError::StoreNeedsUpgrade, db);
    if (at > currentVersion())
        throw StoreError::of(RuntimeError::StoreTooNew, db);
}

void StoreSchema::upgrade(QSqlDatabase &db, const std::vector<Step> &steps)
{
    const int last = int(steps.size());
    int at = version(db);
    if (at > last)
        throw StoreError::of(RuntimeError::StoreTooNew, db);
    // Tables without our version are another program's, never ours to add to.
    if (at == 0 && !StoreGuard::isBlank(db))
        throw StoreError::of(RuntimeError::StoreNotAStore, db);
    try {
        runSteps(db, steps, at);
    } catch (const RuntimeError &e) {
        // A server user without the right to make tables: the administrator
        // makes the store with the script instead.
        if (db.driverName() != QLatin1String("QSQLITE") && e.Number() == RuntimeError::StoreReadOnly)
            throw RuntimeError(RuntimeError::StoreNotPermitted, StoreError::storeName(db));
        throw;
    }
}

void StoreSchema::runSteps(QSqlDatabase &db, const std::vector<Step> &steps, int at)
{
    const int last = int(steps.size());
    while (at < last) {
        StoreTransaction transaction(db, StoreTransaction::Write);
        // Another program may have upgraded the store meanwhile.
        at = version(db);
        if (at >= last)
            break;
        if (at == 0 && !hasInfoTable(db))
            exec(db, QStringLiteral("CREATE TABLE %1 (%2 TEXT PRIMARY KEY, %3 INTEGER NOT NULL)")
                         .arg(infoTable(), field(db, "Name"), field(db, "Value")));
        steps[at](db);
        setInfo(db, SchemaVersion, at + 1);
        transaction.commit();
        ++at;
    }
}
