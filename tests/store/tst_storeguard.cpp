// The store is opened only when it is whole and is a store: another
// program's database, a damaged file, a missing file where one was named,
// or an older store that a batch may not upgrade are refused before
// anything is written, and the file stays byte for byte as it was.

#include "StoreFixtures.h"
#include "VersionOneStore.h"

#include "store/StoreSchema.h"

#include "platform/RuntimeError.h"
#include "platform/Screen.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(TemplateStore::Access)

namespace {

using Access = TemplateStore::Access;

struct Refusal
{
    int number = 0;
    QString description;
    QString source;
};

template<typename F>
Refusal refusalOf(F &&f)
{
    try {
        f();
    } catch (const RuntimeError &e) {
        return {e.Number(), e.Description(), e.Source()};
    }
    return {};
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool execIn(const QString &path, const QStringList &statements)
{
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
        db.setDatabaseName(path);
        ok = db.open();
        QSqlQuery query(db);
        for (const QString &statement : statements)
            ok = ok && query.exec(statement);
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("raw"));
    return ok;
}

// The first page of the named index, from SQLite's own catalogue.
int rootPage(const QString &path, const QString &index)
{
    int page = -1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
        db.setDatabaseName(path);
        QSqlQuery query(db);
        if (db.open() && query.exec(QStringLiteral("SELECT rootpage FROM sqlite_master WHERE name = '%1'")
                                        .arg(index))
            && query.next())
            page = query.value(0).toInt();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("raw"));
    return page;
}

} // namespace

class TestStoreGuard : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void refusedAndLeftAlone_data();
    void refusedAndLeftAlone();
    void readOnlyStoreIsReadAndNotWritten();

private:
    // A store holding one template with pictures, closed; its template id.
    int16_t makeStore(const QString &path);
};

void TestStoreGuard::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    Screen::setTwipsPerPixel(15, 15);
}

int16_t TestStoreGuard::makeStore(const QString &path)
{
    TemplateStore store(path);
    BillTemplate bill;
    fillTemplate(bill, 120, QStringLiteral("A"));
    bill.Caption = QStringLiteral("发货单");
    store.save(bill);
    return bill.mID;
}

void TestStoreGuard::refusedAndLeftAlone_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<Access>("access");
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("said");
    const int foreign = RuntimeError::StoreNotAStore;
    const int damaged = RuntimeError::StoreCorrupt;
    QTest::newRow("another program's database") << "foreign" << Access::ReadWrite << foreign << "";
    QTest::newRow("another program's database, batch") << "foreign" << Access::ReadOnly << foreign << "";
    QTest::newRow("store cut short by 1 KB") << "cut" << Access::ReadWrite << damaged << ".recover";
    QTest::newRow("store cut short by 1 KB, batch") << "cut" << Access::ReadOnly << damaged << ".recover";
    QTest::newRow("damaged index") << "index" << Access::ReadWrite << damaged << ".recover";
    QTest::newRow("missing file, batch") << "missing" << Access::ReadOnly
                                         << int(RuntimeError::StoreMissing) << "";
    QTest::newRow("empty file, batch") << "empty" << Access::ReadOnly << foreign << "";
    QTest::newRow("older store, batch") << "older" << Access::ReadOnly
                                        << int(RuntimeError::StoreNeedsUpgrade) << "";
}

void TestStoreGuard::refusedAndLeftAlone()
{
    QFETCH(QString, file);
    QFETCH(Access, access);
    QFETCH(int, error);
    QFETCH(QString, said);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("shop.sqlite"));
    if (file == "foreign") {
        QVERIFY(execIn(path, {QStringLiteral("CREATE TABLE Customers (id INTEGER PRIMARY KEY, name TEXT)"),
                              QStringLiteral("INSERT INTO Customers VALUES (1, '华联')")}));
    } else if (file == "cut") {
        makeStore(path);
        QVERIFY(QFile::resize(path, QFileInfo(path).size() - 1024));
    } else if (file == "index") {
        makeStore(path);
        const int page = rootPage(path, QStringLiteral("BillTemplatesByCategory"));
        QVERIFY(page > 1);
        QFile raw(path);
        QVERIFY(raw.open(QIODevice::ReadWrite));
        QVERIFY(raw.seek(qint64(page - 1) * 4096 + 8));
        QVERIFY(raw.write(QByteArray(64, '\xA5')) == 64);
    } else if (file == "empty") {
        QFile empty(path);
        QVERIFY(empty.open(QIODevice::WriteOnly));
    } else if (file == "older") {
        QVERIFY(execIn(path, {}));
        QVERIFY(makeVersionOneStore(path));
    }
    const bool existed = QFileInfo::exists(path);
    const QByteArray before = contents(path);

    const Refusal refusal = refusalOf([&] {
        TemplateStore store(path, access);
        BillTemplate bill;
        bill.Caption = QStringLiteral("新单据");
        store.save(bill);
    });
    QCOMPARE(refusal.number, error);
    QVERIFY2(refusal.source.contains(path), qPrintable(refusal.source));
    QVERIFY2(refusal.description.contains(said), qPrintable(refusal.description));
    QCOMPARE(QFileInfo::exists(path), existed);
    QCOMPARE(contents(path), before);
    QVERIFY(QDir(dir.path()).entryList(QDir::Files).size() <= 1);
    QVERIFY(QSqlDatabase::connectionNames().filter(QStringLiteral("TemplateStore")).isEmpty());
}

// A batch reads the store without a journal, a lock held or a byte written.
void TestStoreGuard::readOnlyStoreIsReadAndNotWritten()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("templates.sqlite"));
    const int16_t id = makeStore(path);
    const QByteArray before = contents(path);
    {
        TemplateStore store(path, Access::ReadOnly);
        BillTemplate bill;
        store.load(id, bill);
        QCOMPARE(bill.mObjs.Count(), 120);
        QCOMPARE(store.categories().size(), 1);
        QCOMPARE(refusalOf([&] { store.save(bill); }).number, int(RuntimeError::StoreReadOnly));
    }
    QCOMPARE(contents(path), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"templates.sqlite"});
}

QTEST_GUILESS_MAIN(TestStoreGuard)
#include "tst_storeguard.moc"
