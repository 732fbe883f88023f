#include "StoreFixtures.h"

#include "tests/platform/UnderlayFiles.h"

#include "store/StoreSchema.h"

#include "platform/RuntimeError.h"
#include "platform/Units.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// The form beneath a template and the template's own offset on paper are
// kept with the template: saved, loaded, copied, removed, and upgraded into
// a store written before they existed.
class TestStoreUnderlay : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void roundTrip_data();
    void roundTrip();
    void removedUnderlayLeavesNothingBehind();
    void storeOfVersionFourIsUpgraded();
    void damagedValuesFailTheLoad_data();
    void damagedValuesFailTheLoad();

private:
    QString path() const { return m_dir->filePath(QStringLiteral("templates.sqlite")); }
    std::unique_ptr<BillTemplate> loaded(int16_t id)
    {
        auto bill = std::make_unique<BillTemplate>();
        m_store->load(id, *bill);
        return bill;
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TemplateStore> m_store;
};

void TestStoreUnderlay::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestStoreUnderlay::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_store = std::make_unique<TemplateStore>(path());
}

void TestStoreUnderlay::cleanup()
{
    m_store.reset();
    m_dir.reset();
}

void TestStoreUnderlay::roundTrip_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("opacity");
    QTest::addColumn<QRectF>("place");
    QTest::addColumn<QPointF>("offset");
    QTest::newRow("none") << QByteArray() << QString() << 1 << 50 << QRectF() << QPointF();
    QTest::newRow("scanned PNG") << UnderlayFiles::pictureAt(QSize(300, 200), 300, "PNG")
                                 << "发货单.png" << 1 << 35
                                 << QRectF(100.5, -200, 14000.25, 8000) << QPointF();
    QTest::newRow("PDF page 2, offset")
        << UnderlayFiles::pdfPages({QSizeF(210, 297), QSizeF(241, 140)}) << "scan.pdf" << 2
        << 100 << QRectF(0, 0, Units::mmToTwips(241), Units::mmToTwips(140))
        << QPointF(Units::mmToTwips(1.5), Units::mmToTwips(-0.8));
    QTest::newRow("offset only") << QByteArray() << QString() << 1 << 50 << QRectF()
                                 << QPointF(-Units::mmToTwips(20), Units::mmToTwips(20));
}

void TestStoreUnderlay::roundTrip()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, fileName);
    QFETCH(int, page);
    QFETCH(int, opacity);
    QFETCH(QRectF, place);
    QFETCH(QPointF, offset);
    BillTemplate bill;
    fillTemplate(bill, 6, QStringLiteral("A"));
    bill.mUnderlay = {data, fileName, page, opacity, place};
    bill.mOffsetLeft = offset.x();
    bill.mOffsetTop = offset.y();
    QCOMPARE(m_store->save(bill), SaveResult::Saved);

    m_store = std::make_unique<TemplateStore>(path());
    const auto back = loaded(bill.mID);
    QVERIFY(back->mUnderlay == bill.mUnderlay);
    QCOMPARE(back->mOffsetLeft, offset.x());
    QCOMPARE(back->mOffsetTop, offset.y());
    // A copy carries them too.
    m_store->saveAs(*back, QStringLiteral("副本"), 0);
    QVERIFY(back->mID != bill.mID);
    const auto copy = loaded(back->mID);
    QVERIFY(copy->mUnderlay == bill.mUnderlay);
    QCOMPARE(copy->mOffsetLeft, offset.x());
}

void TestStoreUnderlay::removedUnderlayLeavesNothingBehind()
{
    BillTemplate bill;
    bill.mUnderlay = {UnderlayFiles::pictureAt(QSize(30, 20), 300, "PNG"), QStringLiteral("a.png"),
                      1, 70, QRectF(0, 0, 144, 96)};
    QCOMPARE(m_store->save(bill), SaveResult::Saved);
    bill.mUnderlay = FormUnderlay();
    QCOMPARE(m_store->save(bill), SaveResult::Saved);
    QVERIFY(loaded(bill.mID)->mUnderlay == FormUnderlay());
    for (const char *column : {"UnderlayData", "UnderlayFileName", "UnderlayOpacity",
                               "UnderlayWidth"}) {
        QSqlQuery query(QSqlDatabase::database(m_store->connectionName()));
        QVERIFY(query.exec(QStringLiteral("SELECT COUNT(*) FROM BillTemplates WHERE %1 IS NULL")
                               .arg(QLatin1String(column))));
        QVERIFY(query.next());
        QCOMPARE(query.value(0).toInt(), 1);
    }
}

// A store written by the version before: its templates gain the columns,
// without an underlay and without an offset, and take them from then on.
void TestStoreUnderlay::storeOfVersionFourIsUpgraded()
{
    BillTemplate bill;
    fillTemplate(bill, 9, QStringLiteral("A"));
    QCOMPARE(m_store->save(bill), SaveResult::Saved);
    for (const char *column :
         {"UnderlayData", "UnderlayFileName", "UnderlayPage", "UnderlayOpacity", "UnderlayLeft",
          "UnderlayTop", "UnderlayWidth", "UnderlayHeight", "OffsetLeft", "OffsetTop", "SavedAt"})
        QVERIFY(execOn(*m_store, QStringLiteral("ALTER TABLE BillTemplates DROP COLUMN %1")
                                     .arg(QLatin1String(column))));
    QVERIFY(execOn(*m_store,
                   QStringLiteral("UPDATE StoreInfo SET Value = 4 WHERE Name = 'SchemaVersion'")));
    m_store.reset();

    m_store = std::make_unique<TemplateStore>(path());
    QCOMPARE(m_store->schemaVersion(), StoreSchema::currentVersion());
    QCOMPARE(StoreSchema::currentVersion(), 6);
    const auto old = loaded(bill.mID);
    QVERIFY(old->mUnderlay.isEmpty());
    QCOMPARE(old->mOffsetLeft, 0.0);
    QCOMPARE(old->mOffsetTop, 0.0);
    QCOMPARE(old->mObjs.Count(), bill.mObjs.Count());

    old->mUnderlay = {UnderlayFiles::jpegWithoutResolution(QSize(64, 48)),
                      QStringLiteral("photo.jpg"), 1, 10, QRectF(0, 0, 8190, 3690)};
    old->mOffsetTop = 28.35;
    QCOMPARE(m_store->save(*old), SaveResult::Saved);
    const auto again = loaded(old->mID);
    QVERIFY(again->mUnderlay == old->mUnderlay);
    QCOMPARE(again->mOffsetTop, 28.35);
}

void TestStoreUnderlay::damagedValuesFailTheLoad_data()
{
    QTest::addColumn<QString>("sabotage");
    const QString underlay = QStringLiteral(
        "UPDATE BillTemplates SET UnderlayData = x'0102', UnderlayFileName = 'a.png',"
        " UnderlayPage = %1, UnderlayOpacity = %2, UnderlayLeft = 0, UnderlayTop = 0,"
        " UnderlayWidth = %3, UnderlayHeight = 100");
    QTest::newRow("opacity below 10 %") << underlay.arg(1).arg(5).arg(100);
    QTest::newRow("page 0") << underlay.arg(0).arg(50).arg(100);
    QTest::newRow("no width") << underlay.arg(1).arg(50).arg(0);
    QTest::newRow("width missing") << underlay.arg(1).arg(50).arg(QStringLiteral("NULL"));
    QTest::newRow("offset off the paper")
        << QStringLiteral("UPDATE BillTemplates SET OffsetLeft = 99999");
    QTest::newRow("offset missing") << QStringLiteral("UPDATE BillTemplates SET OffsetTop = 'x'");
}

void TestStoreUnderlay::damagedValuesFailTheLoad()
{
    QFETCH(QString, sabotage);
    BillTemplate bill;
    fillTemplate(bill, 3, QStringLiteral("A"));
    QCOMPARE(m_store->save(bill), SaveResult::Saved);
    QVERIFY(execOn(*m_store, sabotage));
    BillTemplate fresh;
    int error = 0;
    try {
        m_store->load(bill.mID, fresh);
    } catch (const RuntimeError &e) {
        error = e.Number();
    }
    QCOMPARE(error, int(RuntimeError::TemplateDataCorrupt));
    QCOMPARE(fresh.mID, int16_t(0));
    QVERIFY(fresh.mUnderlay.isEmpty());
}

QTEST_MAIN(TestStoreUnderlay)
#include "tst_storeunderlay.moc"
