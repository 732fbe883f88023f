#include "ErrorNumber.h"
#include "StoreFixtures.h"

#include "tests/documents/PostgresCluster.h"

#include "store/ObjectRow.h"
#include "store/StoreCopy.h"
#include "store/StoreSchema.h"
#include "store/StoreTables.h"
#include "store/StoreTransaction.h"

#include "platform/Element.h"
#include "platform/RuntimeError.h"

#include <QFile>
#include <QSqlError>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <atomic>

namespace {

// The text of the template's first object: the count of the saves.
QString marksOf(BillTemplate &bill)
{
    return bill.mObjs.Item(1)->ObjCtl()->Caption();
}

// Rows of a catalogue query on a server database, one text per row.
QStringList rowsOf(QSqlDatabase &db, const QString &statement)
{
    QSqlQuery query(db);
    QStringList rows;
    if (!query.exec(statement))
        return {QStringLiteral("failed: ") + query.lastError().text()};
    while (query.next()) {
        QStringList values;
        for (int i = 0; i < query.record().count(); ++i)
            values << query.value(i).toString();
        rows << values.join(QLatin1Char('|'));
    }
    return rows;
}

// A template's rows of one table, one text per row, every value written
// so that a null, an empty text, a double and bytes stay distinct.
QStringList storedRows(const TemplateStore &store, const char *table, const char *const *names,
                       int columns, int16_t fid)
{
    QStringList list{QStringLiteral("FID")};
    for (int i = 1; i < columns; ++i)
        list << QLatin1Char('"') + QLatin1String(names[i]) + QLatin1Char('"');
    QSqlQuery query(QSqlDatabase::database(store.connectionName()));
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT %1 FROM %2 WHERE FID = ? ORDER BY \"%3\"")
                      .arg(list.join(QStringLiteral(", ")), QLatin1String(table),
                           QLatin1String(names[1])));
    query.addBindValue(fid);
    if (!query.exec())
        return {QStringLiteral("failed: ") + query.lastError().text()};
    QStringList rows;
    while (query.next()) {
        QStringList values;
        for (int i = 1; i < columns; ++i) {
            const QVariant v = query.value(i);
            if (v.isNull())
                values << QStringLiteral("NULL");
            else if (v.typeId() == QMetaType::QByteArray)
                values << QStringLiteral("x") + QString::fromLatin1(v.toByteArray().toHex());
            else if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float)
                values << QString::number(v.toDouble(), 'g', 17);
            else
                values << QLatin1Char('[') + v.toString() + QLatin1Char(']');
        }
        rows << values.join(QLatin1Char('|'));
    }
    return rows;
}

} // namespace

class TestStoreServer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void catalogueFlowOnTheServer();
    void listsSeeOtherClerksChanges();
    void scriptMakesTheProgramsSchema();
    void userWithoutRightsIsToldTheScript();
    void conflictSaysWhen();
    void raceOfTwoWriters_data();
    void raceOfTwoWriters();
    void serverStoppedAndStartedAgain();
    void saveThatWaitsSaysSo_data();
    void saveThatWaitsSaysSo();
    void moveFromFileToServerTwice();
    void hostileTextsStoredAsOnAFile_data();
    void hostileTextsStoredAsOnAFile();
    void largePicturesSplitAcrossStatements();
    void locationsParsed_data();
    void locationsParsed();

private:
    StoreLocation location(const QString &database, const QString &user = PostgresCluster::User,
                           const QString &password = PostgresCluster::Password) const;
    QString freshDatabase();

    PostgresCluster m_cluster;
    QTemporaryDir m_dir;
    int m_databases = 0;
    QString m_database;
};

void TestStoreServer::initTestCase()
{
    const QString failure = m_cluster.start();
    if (!failure.isEmpty()) {
        if (qEnvironmentVariableIsSet("CI"))
            QFAIL(qPrintable(failure));
        QSKIP(qPrintable(failure));
    }
    QVERIFY(m_dir.isValid());
}

void TestStoreServer::init()
{
    m_database = freshDatabase();
}

StoreLocation TestStoreServer::location(const QString &database, const QString &user,
                                        const QString &password) const
{
    StoreLocation where = StoreLocation::server(m_cluster.socketDir(), PostgresCluster::Port,
                                                database, user);
    where.password = password;
    return where;
}

QString TestStoreServer::freshDatabase()
{
    const QString name = QStringLiteral("store%1").arg(++m_databases);
    const QString error
        = m_cluster.exec(QStringLiteral("postgres"), {QStringLiteral("CREATE DATABASE ") + name});
    if (!error.isEmpty())
        qWarning() << error;
    return name;
}

// New, save, open, save again, save as, delete and list, as the catalogue
// does them, on a server store made by the program.
void TestStoreServer::catalogueFlowOnTheServer()
{
    TemplateStore store(location(m_database));
    QCOMPARE(store.schemaVersion(), StoreSchema::currentVersion());
    QVERIFY(store.path().startsWith(QLatin1String("postgresql://tavrel@")));
    Category type;
    type.id = -1;
    type.name = QStringLiteral("发货单");
    const int16_t category = store.saveCategory(type);

    BillTemplate bill;
    fillTemplate(bill, 30, QStringLiteral("甲"));
    bill.Caption = QStringLiteral("发货单-上海");
    bill.mScreenID = category;
    bill.mOffsetLeft = 56.7;
    QCOMPARE(store.save(bill), SaveResult::Saved);
    QVERIFY(bill.mID > 0);

    BillTemplate opened;
    store.load(bill.mID, opened);
    QCOMPARE(opened.mObjs.Count(), 30);
    for (int i = 1; i <= 30; ++i)
        QCOMPARE(describe(*opened.mObjs.Item(i)), describe(*bill.mObjs.Item(i)));
    QCOMPARE(opened.mOffsetLeft, 56.7);
    QCOMPARE(opened.mObjs.page().Width(), bill.mObjs.page().Width());

    opened.mObjs.Item(2)->ObjCtl()->setCaption(QStringLiteral("改过"));
    QCOMPARE(store.save(opened), SaveResult::Saved);
    store.saveAs(opened, QStringLiteral("发货单-北京"), category);
    QVERIFY(opened.mID != bill.mID);
    QStringList names;
    for (const TemplateEntry &entry : store.templates(category))
        names << entry.name;
    QCOMPARE(names, QStringList({QStringLiteral("发货单-上海"), QStringLiteral("发货单-北京")}));
    QVERIFY(store.nameExists(category, QStringLiteral("发货单-北京")));

    QVERIFY(store.remove(bill.mID));
    QVERIFY(!store.remove(bill.mID));
    QCOMPARE(store.templates(category).size(), 1);
    BillTemplate again;
    store.load(opened.mID, again);
    QCOMPARE(again.mObjs.Item(2)->ObjCtl()->Caption(), QStringLiteral("改过"));
}

void TestStoreServer::listsSeeOtherClerksChanges()
{
    TemplateStore mine(location(m_database));
    TemplateStore theirs(location(m_database));
    QCOMPARE(mine.categories().size(), 1);
    Category type;
    type.id = -1;
    type.name = QStringLiteral("入库单");
    const int16_t id = theirs.saveCategory(type);
    theirs.setDefaultCategory(id);
    QCOMPARE(mine.categories().size(), 2);
    QCOMPARE(mine.defaultCategory(), id);
    BillTemplate bill;
    bill.mScreenID = id;
    bill.Caption = QStringLiteral("新");
    theirs.save(bill);
    QCOMPARE(mine.templates(id).size(), 1);
}

// The script the README names and the program's steps make the same store.
void TestStoreServer::scriptMakesTheProgramsSchema()
{
    { TemplateStore made(location(m_database)); }
    const QString scripted = freshDatabase();
    QFile script(QStringLiteral(STORE_SQL_DIR "/postgresql-store.sql"));
    QVERIFY(script.open(QIODevice::ReadOnly));
    const QString error = m_cluster.exec(scripted, {QString::fromUtf8(script.readAll())});
    QVERIFY2(error.isEmpty(), qPrintable(error));

    const QString columns = QStringLiteral(
        "SELECT table_name, column_name, data_type, is_nullable, column_default"
        " FROM information_schema.columns WHERE table_schema = 'public'"
        " ORDER BY table_name, column_name");
    const QString indexes = QStringLiteral(
        "SELECT tablename, indexname, indexdef FROM pg_indexes WHERE schemaname = 'public'"
        " ORDER BY indexname");
    const QString rows = QStringLiteral(
        "SELECT 'info', \"Name\", \"Value\"::text FROM StoreInfo UNION ALL"
        " SELECT 'category', \"CategoryID\"::text, \"Name\" || \"IsDefault\" FROM BillCategories"
        " ORDER BY 1, 2");
    QStringList seen[2];
    const QString databases[2] = {m_database, scripted};
    for (int i = 0; i < 2; ++i) {
        const QString name = QStringLiteral("compare%1").arg(i);
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
            db.setHostName(m_cluster.socketDir());
            db.setPort(PostgresCluster::Port);
            db.setDatabaseName(databases[i]);
            db.setUserName(PostgresCluster::User);
            db.setPassword(PostgresCluster::Password);
            QVERIFY(db.open());
            seen[i] = rowsOf(db, columns) + rowsOf(db, indexes) + rowsOf(db, rows);
        }
        QSqlDatabase::removeDatabase(name);
    }
    QVERIFY(seen[0].size() > 80);
    QCOMPARE(seen[1], seen[0]);
    // A store the script made is used as it is.
    TemplateStore store(location(scripted), TemplateStore::Access::ReadOnly);
    QCOMPARE(store.categories().front().name, QStringLiteral("演示数据"));
}

void TestStoreServer::userWithoutRightsIsToldTheScript()
{
    const QString error = m_cluster.exec(
        m_database, {QStringLiteral("CREATE ROLE clerk LOGIN PASSWORD 'clerk-pw'"),
                     QStringLiteral("REVOKE CREATE ON SCHEMA public FROM PUBLIC")});
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QString description;
    QCOMPARE(errorOf([&] { TemplateStore store(location(m_database, "clerk", "clerk-pw")); },
                     &description),
             int(RuntimeError::StoreNotPermitted));
    QVERIFY2(description.contains(QLatin1String("store/sql/postgresql-store.sql")),
             qPrintable(description));
    QCOMPARE(errorOf([&] { TemplateStore store(location(m_database, "clerk", "wrong")); }),
             int(RuntimeError::StoreUnreachable));
}

// The refused save can say when the other clerk's save landed.
void TestStoreServer::conflictSaysWhen()
{
    TemplateStore mine(location(m_database));
    TemplateStore theirs(location(m_database));
    BillTemplate bill;
    fillTemplate(bill, 3, QStringLiteral("A"));
    mine.save(bill);
    BillTemplate other;
    theirs.load(bill.mID, other);
    const QDateTime before = QDateTime::currentDateTimeUtc().addMSecs(-1);
    QCOMPARE(theirs.save(other), SaveResult::Saved);
    QCOMPARE(mine.save(bill), SaveResult::ChangedElsewhere);
    const QDateTime when = mine.savedAt(bill.mID);
    QVERIFY(when.isValid());
    QVERIFY(when >= before && when <= QDateTime::currentDateTimeUtc());
    QVERIFY(!mine.savedAt(999).isValid());
}

void TestStoreServer::raceOfTwoWriters_data()
{
    QTest::addColumn<bool>("server");
    QTest::newRow("server") << true;
    QTest::newRow("one SQLite file") << false;
}

// Two clerks, each with a connection of their own on a thread of their
// own, count up the number on one template 100 times: load, add one,
// save; a refused save is reported as changed elsewhere and tried again on
// the template as it now is. A save lost would leave the count short.
void TestStoreServer::raceOfTwoWriters()
{
    QFETCH(bool, server);
    constexpr int Rounds = 100;
    const StoreLocation where
        = server ? location(m_database) : StoreLocation::file(m_dir.filePath(
                                              QStringLiteral("race%1.sqlite").arg(m_databases)));
    int16_t id = 0;
    {
        TemplateStore store(where);
        BillTemplate bill;
        addText(bill.mObjs, 100, 100, 3000, 300)->ObjCtl()->setCaption(QStringLiteral("0"));
        bill.Caption = QStringLiteral("共用");
        store.save(bill);
        id = bill.mID;
    }
    std::atomic<int> conflicts{0};
    std::atomic<int> failures{0};
    const auto clerk = [&](const QString &mark) {
        try {
            TemplateStore store(where);
            for (int round = 0; round < Rounds; ++round) {
                for (;;) {
                    BillTemplate bill;
                    store.load(id, bill);
                    Element &text = *bill.mObjs.Item(1)->ObjCtl();
                    text.setCaption(QString::number(text.Caption().toInt() + 1));
                    text.setTag(mark + QString::number(round));
                    const SaveResult saved = store.save(bill);
                    if (saved == SaveResult::Saved)
                        break;
                    if (saved != SaveResult::ChangedElsewhere)
                        ++failures;
                    ++conflicts;
                }
            }
        } catch (const RuntimeError &e) {
            qWarning() << e.Description() << e.Source();
            ++failures;
        }
    };
    std::unique_ptr<QThread> a(QThread::create(clerk, QStringLiteral("A")));
    std::unique_ptr<QThread> b(QThread::create(clerk, QStringLiteral("B")));
    a->start();
    b->start();
    QVERIFY(a->wait(300000));
    QVERIFY(b->wait(300000));
    QCOMPARE(failures.load(), 0);

    TemplateStore store(where);
    BillTemplate result;
    store.load(id, result);
    QCOMPARE(marksOf(result), QString::number(2 * Rounds));
    // One revision per save landed.
    QCOMPARE(result.mRevision, 1 + 2 * Rounds);
    qInfo() << "conflicts reported:" << conflicts.load();
}

// The server goes away under an open template: the record stays as it was
// edited, the save says the server cannot be reached, and once the server
// is back the same connection is opened again and the save lands.
void TestStoreServer::serverStoppedAndStartedAgain()
{
    TemplateStore store(location(m_database));
    BillTemplate bill;
    fillTemplate(bill, 6, QStringLiteral("A"));
    store.save(bill);
    bill.mObjs.Item(2)->ObjCtl()->setCaption(QStringLiteral("服务器停了也不丢"));
    bill.mObjs.Item(2)->setEditFlag(1);
    const int revision = bill.mRevision;

    m_cluster.stop();
    QCOMPARE(errorOf([&] { store.save(bill); }), int(RuntimeError::StoreUnreachable));
    QCOMPARE(errorOf([&] { store.templates(0); }), int(RuntimeError::StoreUnreachable));
    QCOMPARE(bill.mRevision, revision);
    QCOMPARE(bill.mObjs.Item(2)->EditFlag(), 1);
    QCOMPARE(bill.mObjs.Item(2)->ObjCtl()->Caption(), QStringLiteral("服务器停了也不丢"));

    const QString failure = m_cluster.startAgain();
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    QCOMPARE(store.save(bill), SaveResult::Saved);
    QCOMPARE(bill.mRevision, revision + 1);

    // A restart between two calls, with nothing tried meanwhile.
    m_cluster.stop();
    QVERIFY(m_cluster.startAgain().isEmpty());
    BillTemplate back;
    store.load(bill.mID, back);
    QCOMPARE(back.mObjs.Item(2)->ObjCtl()->Caption(), QStringLiteral("服务器停了也不丢"));
}

// This machine's file into the office's server, twice: the second run adds
// nothing, and a template the server had under the same name stays its own.
void TestStoreServer::moveFromFileToServerTwice()
{
    TemplateStore file(m_dir.filePath(QStringLiteral("move%1.sqlite").arg(m_databases)));
    TemplateStore server(location(m_database));
    Category type;
    type.id = -1;
    type.name = QStringLiteral("发货单");
    type.driver = QStringLiteral("QPSQL");
    type.host = QStringLiteral("erp.office");
    type.headerQuery = QStringLiteral("SELECT * FROM h WHERE no = :BillNo");
    const int16_t mine = file.saveCategory(type);
    const int16_t theirs = server.saveCategory(type);
    const auto save = [](TemplateStore &store, int16_t category, const QString &name, int count) {
        BillTemplate bill;
        fillTemplate(bill, count, name);
        bill.mScreenID = category;
        bill.Caption = name;
        store.save(bill);
        return bill.mID;
    };
    const int16_t shanghai = save(file, mine, QStringLiteral("上海"), 30);
    save(file, mine, QStringLiteral("北京"), 6);
    save(file, 0, QStringLiteral("演示"), 3);
    const int16_t kept = save(server, theirs, QStringLiteral("北京"), 2);

    const StoreCopy::Result first = StoreCopy::copyAll(file, server);
    QCOMPARE(first.templatesAdded, 2);
    QCOMPARE(first.kept, QStringList({QStringLiteral("类别“发货单”"),
                                      QStringLiteral("类别“发货单”中的“北京”")}));
    const StoreCopy::Result second = StoreCopy::copyAll(file, server);
    QCOMPARE(second.categoriesAdded + second.templatesAdded, 0);
    QCOMPARE(second.kept.size(), 4);

    QCOMPARE(server.categories().size(), 2);
    QCOMPARE(server.templates(theirs).size(), 2);
    QCOMPARE(server.templates(0).size(), 1);
    BillTemplate stayed;
    server.load(kept, stayed);
    QCOMPARE(stayed.mObjs.Count(), 2);
    // What was copied prints as it did: every object as it was.
    BillTemplate original, copied;
    file.load(shanghai, original);
    for (const TemplateEntry &entry : server.templates(theirs)) {
        if (entry.name == QStringLiteral("上海"))
            server.load(entry.id, copied);
    }
    QCOMPARE(copied.mObjs.Count(), 30);
    for (int i = 1; i <= 30; ++i)
        QCOMPARE(describe(*copied.mObjs.Item(i)), describe(*original.mObjs.Item(i)));
}

void TestStoreServer::saveThatWaitsSaysSo_data()
{
    raceOfTwoWriters_data();
}

// Another program holds the store's write lock for a while: the save is
// told it waits, then that the wait is over, and lands. A save that need
// not wait says nothing.
void TestStoreServer::saveThatWaitsSaysSo()
{
    QFETCH(bool, server);
    const StoreLocation where
        = server ? location(m_database) : StoreLocation::file(m_dir.filePath(
                                              QStringLiteral("wait%1.sqlite").arg(m_databases)));
    TemplateStore store(where);
    QStringList told;
    store.setWaitNotice([&told](bool waiting) { told << (waiting ? "waiting" : "done"); });
    BillTemplate bill;
    fillTemplate(bill, 3, QStringLiteral("A"));
    QCOMPARE(store.save(bill), SaveResult::Saved);
    QCOMPARE(told, QStringList());

    std::atomic<bool> locked{false};
    std::unique_ptr<QThread> other(QThread::create([&] {
        TemplateStore holder(where);
        QSqlDatabase db = QSqlDatabase::database(holder.connectionName());
        StoreTransaction transaction(db, StoreTransaction::Write);
        locked = true;
        QThread::msleep(400);
        transaction.commit();
    }));
    other->start();
    QTRY_VERIFY(locked.load());
    QCOMPARE(store.save(bill), SaveResult::Saved);
    QVERIFY(other->wait(10000));
    QCOMPARE(told, QStringList({"waiting", "done"}));
}

// Texts that mean something to an array, a row or a statement of the
// server are stored as the file stores them: every column of every row
// the same, nulls and empty texts apart, doubles to the last bit.
void TestStoreServer::hostileTextsStoredAsOnAFile_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("quotes") << QStringLiteral("他说\"好\"，\"\"");
    QTest::newRow("backslashes") << QStringLiteral("C:\\票据\\新建\\");
    QTest::newRow("escapes") << QStringLiteral("\\x41\\\"\\N\\\\");
    QTest::newRow("braces, commas, parentheses") << QStringLiteral("{a,b},(c,d)\",\"(");
    QTest::newRow("the word NULL") << QStringLiteral("NULL");
    QTest::newRow("statement") << QStringLiteral("'); DROP TABLE BillObjects; --");
    QTest::newRow("spaces and lines") << QStringLiteral("  前后 空格\t一\n二\r\n  ");
    QTest::newRow("beyond the basic plane") << QStringLiteral("𠀀😀 单据");
    QTest::newRow("empty") << QStringLiteral("");
    QTest::newRow("null") << QString();
}

void TestStoreServer::hostileTextsStoredAsOnAFile()
{
    QFETCH(QString, text);
    BillTemplate bill;
    addLine(bill.mObjs, 0.1 + 0.2, 1.0 / 3, 700, 1e-7);
    for (ObjDraw *obj : {addText(bill.mObjs, 2.0 / 3, 100, 500, 300).get(),
                         addPicture(bill.mObjs, 1000, 1000, bmpBytes(Qt::darkCyan)).get()}) {
        Element &element = *obj->ObjCtl();
        element.setCaption(text);
        element.setTag(text);
        element.setToolTipText(text);
        ElementFont font = element.Font();
        font.Name = text;
        element.setFont(font);
        obj->setFormat(text);
    }
    bill.Caption = QStringLiteral("刁钻");

    TemplateStore file(m_dir.filePath(m_database + QStringLiteral(".sqlite")));
    TemplateStore server(location(m_database));
    QCOMPARE(file.save(bill), SaveResult::Saved);
    const int16_t fileID = bill.mID;
    bill.mID = 0;
    QCOMPARE(server.save(bill), SaveResult::Saved);

    const QStringList objects = storedRows(file, StoreTables::Objects, ObjectRow::ColumnNames,
                                           ObjectRow::ColumnCount, fileID);
    QCOMPARE(objects.size(), 3);
    QCOMPARE(storedRows(server, StoreTables::Objects, ObjectRow::ColumnNames,
                        ObjectRow::ColumnCount, bill.mID),
             objects);
    static const char *const pictureColumns[] = {"FID", "nID", "Data", "FileName"};
    const QStringList pictures = storedRows(file, StoreTables::Pictures, pictureColumns, 4, fileID);
    QCOMPARE(pictures.size(), 1);
    QCOMPARE(storedRows(server, StoreTables::Pictures, pictureColumns, 4, bill.mID), pictures);

    BillTemplate opened;
    server.load(bill.mID, opened);
    for (int i = 1; i <= 3; ++i)
        QCOMPARE(describe(*opened.mObjs.Item(i)), describe(*bill.mObjs.Item(i)));
}

// Pictures too large for one statement go in several; every one arrives.
void TestStoreServer::largePicturesSplitAcrossStatements()
{
    BillTemplate bill;
    const QColor colours[] = {Qt::red, Qt::green, Qt::blue, Qt::cyan, Qt::magenta};
    for (int i = 0; i < 5; ++i)
        addPicture(bill.mObjs, 1000.0 * i, 100, bmpBytes(colours[i], QSize(640, 480)));
    bill.Caption = QStringLiteral("大图");
    TemplateStore store(location(m_database));
    QCOMPARE(store.save(bill), SaveResult::Saved);
    BillTemplate opened;
    store.load(bill.mID, opened);
    QCOMPARE(opened.mObjs.Count(), 5);
    for (int i = 1; i <= 5; ++i)
        QCOMPARE(describe(*opened.mObjs.Item(i)), describe(*bill.mObjs.Item(i)));
}

void TestStoreServer::locationsParsed_data()
{
    QTest::addColumn<QString>("text");
    // Empty: refused; else the location written back.
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("host");
    QTest::newRow("file") << "/tmp/模板.sqlite" << "/tmp/模板.sqlite" << "";
    QTest::newRow("server") << "postgresql://clerk@db.office:6543/tavrel"
                            << "postgresql://clerk@db.office:6543/tavrel" << "db.office";
    QTest::newRow("default port") << "postgres://clerk@db/templates"
                                  << "postgresql://clerk@db:5432/templates" << "db";
    QTest::newRow("socket escaped") << "postgresql://clerk@%2Fvar%2Frun%2Fpostgresql/t"
                                    << "postgresql://clerk@%2Fvar%2Frun%2Fpostgresql:5432/t"
                                    << "/var/run/postgresql";
    QTest::newRow("socket as option") << "postgresql://clerk@/t?host=/run/pg"
                                      << "postgresql://clerk@%2Frun%2Fpg:5432/t" << "/run/pg";
    QTest::newRow("no user") << "postgresql://db/t" << "" << "";
    QTest::newRow("no database") << "postgresql://clerk@db:5432" << "" << "";
    QTest::newRow("port too big") << "postgresql://clerk@db:70000/t" << "" << "";
    QTest::newRow("password refused") << "postgresql://clerk:secret@db/t" << "" << "";
}

void TestStoreServer::locationsParsed()
{
    QFETCH(QString, text);
    QFETCH(QString, written);
    QFETCH(QString, host);
    QString error;
    const std::optional<StoreLocation> parsed = StoreLocation::parse(text, &error);
    QCOMPARE(parsed.has_value(), !written.isEmpty());
    if (!parsed) {
        QVERIFY2(error.contains(QStringLiteral("postgresql://用户@主机:端口/数据库")), qPrintable(error));
        return;
    }
    QCOMPARE(parsed->toString(), written);
    QCOMPARE(parsed->host, host);
    QCOMPARE(StoreLocation::parse(parsed->toString())->toString(), written);
}

QTEST_MAIN(TestStoreServer)
#include "tst_storeserver.moc"
