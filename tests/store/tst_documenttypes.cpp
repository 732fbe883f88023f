#include "ErrorNumber.h"
#include "StoreFixtures.h"

#include "store/StoreSchema.h"
#include "store/StoreTables.h"

#include "platform/RuntimeError.h"

#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

Category deliveryNote()
{
    Category c;
    c.id = -1;
    c.name = QStringLiteral("发货单");
    c.driver = QStringLiteral("QPSQL");
    c.databaseName = QStringLiteral("erp");
    c.host = QStringLiteral("/run/postgresql");
    c.port = 5433;
    c.user = QStringLiteral("clerk");
    c.options = QStringLiteral("sslmode=disable");
    c.headerQuery = QStringLiteral("SELECT * FROM bills WHERE no = :BillNo");
    c.detailQuery = QStringLiteral("SELECT * FROM lines WHERE no = :BillNo ORDER BY pos");
    return c;
}

QList<int16_t> defaults(const TemplateStore &store)
{
    QList<int16_t> ids;
    for (const Category &c : store.categories()) {
        if (c.isDefault)
            ids << c.id;
    }
    return ids;
}

} // namespace

class TestDocumentTypes : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void versionOneStoreIsUpgraded();
    void typesRoundTripWithoutPassword();
    void refusedSaves_data();
    void refusedSaves();
    void removeKeepsTypesInUseAndTheDemonstration();
    void exactlyOneDefault();

private:
    QString path() const { return m_dir->filePath(QStringLiteral("templates.sqlite")); }
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TemplateStore> m_store;
};

void TestDocumentTypes::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_store = std::make_unique<TemplateStore>(path());
}

void TestDocumentTypes::cleanup()
{
    m_store.reset();
    m_dir.reset();
}

// A store of the previous version keeps its templates and categories; the
// categories gain empty data sources and 0 becomes the default.
void TestDocumentTypes::versionOneStoreIsUpgraded()
{
    m_store.reset();
    const QString old = m_dir->filePath(QStringLiteral("old.sqlite"));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("old"));
        db.setDatabaseName(old);
        QVERIFY(db.open());
        StoreSchema::upgrade(db, {StoreSchema::steps().front()});
        QSqlQuery q(db);
        QVERIFY(q.exec(QStringLiteral("INSERT INTO BillCategories VALUES (4, '采购单')")));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("old"));
    {
        TemplateStore v1(old);
        QCOMPARE(v1.schemaVersion(), StoreSchema::currentVersion());
        const QList<Category> types = v1.categories();
        QCOMPARE(types.size(), 2);
        QCOMPARE(types.at(1).name, QStringLiteral("采购单"));
        QVERIFY(types.at(1).driver.isEmpty());
        QVERIFY(types.at(1).headerQuery.isEmpty());
        QCOMPARE(v1.defaultCategory(), int16_t(0));
        BillTemplate bill;
        addText(bill.mObjs, 100, 100, 800, 300);
        bill.Caption = QStringLiteral("采购单模板");
        bill.mScreenID = 4;
        QCOMPARE(v1.save(bill), SaveResult::Saved);
    }
}

void TestDocumentTypes::typesRoundTripWithoutPassword()
{
    const int16_t id = m_store->saveCategory(deliveryNote());
    QCOMPARE(id, int16_t(1));
    Category stored = m_store->categories().at(1);
    Category expected = deliveryNote();
    expected.id = id;
    QCOMPARE(stored, expected);
    stored.host = QStringLiteral("db.example");
    stored.port = 5432;
    QCOMPARE(m_store->saveCategory(stored), id);
    QCOMPARE(m_store->categories().at(1), stored);
    // Fields never filled in store as empty text.
    Category second;
    second.id = -1;
    second.name = QStringLiteral("入库单");
    QCOMPARE(m_store->saveCategory(second), int16_t(2));
    QVERIFY(m_store->categories().at(2).driver.isEmpty());
    // Nowhere in the store could a password be kept.
    const QSqlRecord columns = QSqlDatabase::database(m_store->connectionName())
                                   .record(QLatin1String(StoreTables::Categories));
    for (int i = 0; i < columns.count(); ++i)
        QVERIFY2(!columns.fieldName(i).contains(QStringLiteral("Pass"), Qt::CaseInsensitive),
                 qPrintable(columns.fieldName(i)));
}

void TestDocumentTypes::refusedSaves_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("error");
    QTest::newRow("the demonstration") << 0 << "演示" << int(RuntimeError::CategoryIsDemo);
    QTest::newRow("empty name") << -1 << "  " << int(RuntimeError::InvalidArgument);
    QTest::newRow("name taken") << -1 << "发货单" << int(RuntimeError::DuplicateKey);
    QTest::newRow("name of the demonstration") << -1 << "演示数据" << int(RuntimeError::DuplicateKey);
    QTest::newRow("not stored") << 9 << "退货单" << int(RuntimeError::CategoryNotFound);
}

void TestDocumentTypes::refusedSaves()
{
    QFETCH(int, id);
    QFETCH(QString, name);
    QFETCH(int, error);
    m_store->saveCategory(deliveryNote());
    const QList<Category> before = m_store->categories();
    Category c = deliveryNote();
    c.id = int16_t(id);
    c.name = name;
    QCOMPARE(errorOf([&] { m_store->saveCategory(c); }), error);
    QCOMPARE(m_store->categories(), before);
}

void TestDocumentTypes::removeKeepsTypesInUseAndTheDemonstration()
{
    const int16_t used = m_store->saveCategory(deliveryNote());
    Category other = deliveryNote();
    other.name = QStringLiteral("退货单");
    const int16_t unused = m_store->saveCategory(other);
    BillTemplate bill;
    addText(bill.mObjs, 100, 100, 800, 300);
    bill.Caption = QStringLiteral("发货单模板");
    bill.mScreenID = used;
    QCOMPARE(m_store->save(bill), SaveResult::Saved);

    QCOMPARE(errorOf([&] { m_store->removeCategory(used); }), int(RuntimeError::CategoryInUse));
    QCOMPARE(errorOf([&] { m_store->removeCategory(0); }), int(RuntimeError::CategoryIsDemo));
    QCOMPARE(errorOf([&] { m_store->removeCategory(77); }), int(RuntimeError::CategoryNotFound));
    m_store->setDefaultCategory(unused);
    m_store->removeCategory(unused);
    QCOMPARE(m_store->categories().size(), 2);
    QCOMPARE(defaults(*m_store), QList<int16_t>{0});
}

void TestDocumentTypes::exactlyOneDefault()
{
    QCOMPARE(defaults(*m_store), QList<int16_t>{0});
    const int16_t id = m_store->saveCategory(deliveryNote());
    m_store->setDefaultCategory(id);
    QCOMPARE(defaults(*m_store), QList<int16_t>{id});
    QCOMPARE(m_store->defaultCategory(), id);
    // Saving a type keeps the mark where it is.
    Category c = m_store->categories().at(1);
    c.isDefault = false;
    m_store->saveCategory(c);
    QCOMPARE(defaults(*m_store), QList<int16_t>{id});
    QCOMPARE(errorOf([&] { m_store->setDefaultCategory(42); }), int(RuntimeError::CategoryNotFound));
    QCOMPARE(defaults(*m_store), QList<int16_t>{id});
    m_store->setDefaultCategory(0);
    QCOMPARE(defaults(*m_store), QList<int16_t>{0});
}

QTEST_GUILESS_MAIN(TestDocumentTypes)
#include "tst_documenttypes.moc"
