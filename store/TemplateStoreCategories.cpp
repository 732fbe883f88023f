// The store's categories: document types with their data sources, and the
// one new templates take.

#include "TemplateStorePrivate.h"

#include "RowReader.h"
#include "StoreError.h"
#include "StoreTables.h"

#include <QSqlError>
#include <QVariant>

using namespace TemplateStoreRows;

namespace {

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

} // namespace

QList<Category> TemplateStore::categories() const
{
    d->reconnectIfLost();
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
    d->reconnectIfLost();
    if (category.id == DemoCategory)
        throw StoreError::of(RuntimeError::CategoryIsDemo, d->db);
    if (category.name.trimmed().isEmpty())
        throw StoreError::of(RuntimeError::InvalidArgument, d->db, QStringLiteral("Name"));
    if (category.statementTimeout < Category::MinTimeout
        || category.statementTimeout > Category::MaxTimeout)
        throw StoreError::of(RuntimeError::InvalidArgument, d->db, QStringLiteral("StatementTimeout"));
    const QString table = QLatin1String(StoreTables::Categories);
    const QString idColumn = d->quoted("CategoryID");
    StoreTransaction transaction(d->db, StoreTransaction::Write, d->waitNotice);
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
    d->reconnectIfLost();
    if (id == DemoCategory)
        throw StoreError::of(RuntimeError::CategoryIsDemo, d->db);
    const QString table = QLatin1String(StoreTables::Categories);
    const QString idColumn = d->quoted("CategoryID");
    const QString isDefault = d->quoted("IsDefault");
    StoreTransaction transaction(d->db, StoreTransaction::Write, d->waitNotice);
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
    d->reconnectIfLost();
    const QString table = QLatin1String(StoreTables::Categories);
    const QString idColumn = d->quoted("CategoryID");
    StoreTransaction transaction(d->db, StoreTransaction::Write, d->waitNotice);
    d->requireCategory(id);
    QSqlQuery query(d->db);
    query.prepare(QStringLiteral("UPDATE %1 SET %2 = CASE WHEN %3 = ? THEN 1 ELSE 0 END")
                      .arg(table, d->quoted("IsDefault"), idColumn));
    query.addBindValue(id);
    d->exec(query);
    transaction.commit();
}