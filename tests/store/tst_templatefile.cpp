#include "ErrorNumber.h"
#include "StoreFixtures.h"

#include "tests/platform/UnderlayFiles.h"

#include "store/StoreCopy.h"
#include "store/StoreSchema.h"
#include "store/TemplateFile.h"

#include "platform/RuntimeError.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSqlError>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray hashOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly)
               ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256)
               : QByteArray();
}

// Runs statements on a SQLite file of its own connection.
QString execOnFile(const QString &path, const QStringList &statements)
{
    const QString name = QStringLiteral("sabotage");
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (!db.open())
            error = db.lastError().text();
        QSqlQuery query(db);
        for (const QString &statement : statements) {
            if (error.isEmpty() && !query.exec(statement))
                error = query.lastError().text();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return error;
}

int16_t addCategory(TemplateStore &store, const QString &name)
{
    Category c;
    c.id = -1;
    c.name = name;
    c.driver = QStringLiteral("QSQLITE");
    c.databaseName = QStringLiteral("/srv/") + name + QStringLiteral(".sqlite");
    c.headerQuery = QStringLiteral("SELECT * FROM h WHERE no = :BillNo");
    return store.saveCategory(c);
}

} // namespace

class TestTemplateFile : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void roundTripKeepsEverything();
    void importsUnderAnyCategory_data();
    void importsUnderAnyCategory();
    void exportLeavesTheWindowAsItWas();
    void refusedFiles_data();
    void refusedFiles();
    void copyToAnotherStoreTwice();

private:
    QString file(const QString &name) const { return m_dir->filePath(name); }
    void makeRich(BillTemplate &bill);

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestTemplateFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

// Pictures, codes, page settings, the form underlay and the offset on paper.
void TestTemplateFile::makeRich(BillTemplate &bill)
{
    fillTemplate(bill, 12, QStringLiteral("甲"));
    bill.mObjs.Item(2)->setBarcode({BarcodeLook::QrCode, 0.254, BarcodeLook::QrH, false});
    bill.mObjs.Item(5)->setBarcode({BarcodeLook::Code128, 0.5, BarcodeLook::QrL, true});
    bill.mrowcount = 12;
    bill.mRowHeight = 315;
    bill.mLandScape = true;
    bill.mOffsetLeft = -85;
    bill.mOffsetTop = 28.35;
    bill.mUnderlay = {UnderlayFiles::pictureAt(QSize(60, 40), 300, "PNG"),
                      QStringLiteral("空白单.png"), 1, 35, QRectF(10, 20, 11000, 7000)};
    bill.Caption = QStringLiteral("发货单-上海");
}

void TestTemplateFile::roundTripKeepsEverything()
{
    TemplateStore from(file(QStringLiteral("from.sqlite")));
    BillTemplate bill;
    makeRich(bill);
    bill.mScreenID = addCategory(from, QStringLiteral("发货单"));
    from.save(bill);
    const QString path = file(QStringLiteral("发货单.tavrel"));
    TemplateFile::exportTemplate(from, bill.mID, path);
    QVERIFY(!QFile::exists(path + QStringLiteral(".part")));
    QVERIFY(!QFile::exists(path + QStringLiteral("-wal")));
    const QByteArray sent = hashOf(path);

    BillTemplate back;
    const TemplateFile::Imported imported = TemplateFile::read(path, back);
    QCOMPARE(imported.templateName, QStringLiteral("发货单-上海"));
    QCOMPARE(imported.categoryName, QStringLiteral("发货单"));
    QCOMPARE(back.mID, int16_t(0));
    QCOMPARE(back.mObjs.Count(), bill.mObjs.Count());
    for (int i = 1; i <= bill.mObjs.Count(); ++i)
        QCOMPARE(describe(*back.mObjs.Item(i)), describe(*bill.mObjs.Item(i)));
    QVERIFY(back.mUnderlay == bill.mUnderlay);
    QCOMPARE(back.mOffsetLeft, bill.mOffsetLeft);
    QCOMPARE(back.mOffsetTop, bill.mOffsetTop);
    QCOMPARE(back.mrowcount, bill.mrowcount);
    QCOMPARE(back.mRowHeight, bill.mRowHeight);
    QCOMPARE(back.mLandScape, true);
    QCOMPARE(back.mObjs.page().Width(), bill.mObjs.page().Width());
    // Reading never writes the file it was sent.
    QCOMPARE(hashOf(path), sent);
}

void TestTemplateFile::importsUnderAnyCategory_data()
{
    QTest::addColumn<QString>("targetCategories");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("landsIn");
    QTest::newRow("same name there") << "入库单,发货单" << "" << "发货单";
    QTest::newRow("no such name: the default") << "入库单" << "" << "演示数据";
    QTest::newRow("category chosen") << "入库单,发货单" << "入库单" << "入库单";
}

void TestTemplateFile::importsUnderAnyCategory()
{
    QFETCH(QString, targetCategories);
    QFETCH(QString, chosen);
    QFETCH(QString, landsIn);
    TemplateStore from(file(QStringLiteral("from.sqlite")));
    BillTemplate bill;
    makeRich(bill);
    bill.mScreenID = addCategory(from, QStringLiteral("发货单"));
    from.save(bill);
    const QString path = file(QStringLiteral("a.tavrel"));
    TemplateFile::exportTemplate(from, bill.mID, path);

    TemplateStore to(file(QStringLiteral("to.sqlite")));
    QHash<QString, int16_t> ids{{QStringLiteral("演示数据"), 0}};
    for (const QString &name : targetCategories.split(QLatin1Char(',')))
        ids.insert(name, addCategory(to, name));
    const int16_t choice = chosen.isEmpty() ? int16_t(-1) : ids.value(chosen);
    BillTemplate first;
    QCOMPARE(TemplateFile::importTemplate(to, path, first, choice), ids.value(landsIn));
    QCOMPARE(first.Caption, QStringLiteral("发货单-上海"));
    // The same file again: a second template, its name made free.
    BillTemplate second;
    TemplateFile::importTemplate(to, path, second, choice);
    QCOMPARE(second.Caption, QStringLiteral("发货单-上海（2）"));
    QCOMPARE(to.templates(ids.value(landsIn)).size(), 2);
    BillTemplate loaded;
    to.load(second.mID, loaded);
    QCOMPARE(loaded.mObjs.Count(), bill.mObjs.Count());
    QVERIFY(loaded.mUnderlay == bill.mUnderlay);
}

// Exporting what a window shows changes nothing of the window's record.
void TestTemplateFile::exportLeavesTheWindowAsItWas()
{
    TemplateStore store(file(QStringLiteral("s.sqlite")));
    BillTemplate bill;
    makeRich(bill);
    store.save(bill);
    bill.mObjs.Item(3)->setEditFlag(1);
    const int16_t id = bill.mID;
    const int revision = bill.mRevision;
    TemplateFile::write(bill, QStringLiteral("演示数据"), file(QStringLiteral("w.tavrel")));
    QCOMPARE(bill.mID, id);
    QCOMPARE(bill.mRevision, revision);
    QCOMPARE(bill.mObjs.Item(3)->EditFlag(), 1);
    QCOMPARE(bill.mObjs.Item(1)->EditFlag(), -1);
    QCOMPARE(store.save(bill), SaveResult::Saved);

    // Never over the store it is exporting from.
    QCOMPARE(errorOf([&] { TemplateFile::write(bill, QString(), file(QStringLiteral("s.sqlite"))); }),
             int(RuntimeError::InvalidArgument));
    QCOMPARE(store.templates(0).size(), 1);
    // Without a category name: the demonstration's.
    BillTemplate back;
    TemplateFile::write(bill, QString(), file(QStringLiteral("none.tavrel")));
    QCOMPARE(TemplateFile::read(file(QStringLiteral("none.tavrel")), back).categoryName,
             QStringLiteral("演示数据"));
}

void TestTemplateFile::refusedFiles_data()
{
    QTest::addColumn<QString>("sabotage");
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("said");
    QTest::newRow("newer store schema")
        << QStringLiteral("UPDATE StoreInfo SET Value = Value + 1 WHERE Name = 'SchemaVersion'")
        << int(RuntimeError::TemplateFileTooNew) << "较新版本";
    QTest::newRow("newer file format")
        << QStringLiteral("UPDATE StoreInfo SET Value = 2 WHERE Name = 'TemplateFile'")
        << int(RuntimeError::TemplateFileTooNew) << "较新版本";
    QTest::newRow("a whole store, not a template file")
        << QStringLiteral("DELETE FROM StoreInfo WHERE Name = 'TemplateFile'")
        << int(RuntimeError::TemplateFileInvalid) << "不是单个模板";
    QTest::newRow("two templates")
        << QStringLiteral("INSERT INTO BillTemplates SELECT FID + 1, \"CategoryID\", 'x', "
                          "\"PageWidth\", \"PageHeight\", mrowcount, \"mRowHeight\", mcolcount, "
                          "\"mColWidth\", \"mBlnColFirst\", \"mLandScape\", \"mIsDefault\", "
                          "\"Revision\", NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, 0, 0, "
                          "NULL FROM BillTemplates")
        << int(RuntimeError::TemplateFileInvalid) << "正好有一张";
    QTest::newRow("damaged object")
        << QStringLiteral("UPDATE BillObjects SET \"Position\" = 99 WHERE \"Position\" = 2")
        << int(RuntimeError::TemplateFileInvalid) << "已损坏";
    QTest::newRow("not a store at all") << QStringLiteral("text") << int(RuntimeError::TemplateFileInvalid)
                                        << "不是模板文件";
    QTest::newRow("missing") << QStringLiteral("remove") << int(RuntimeError::TemplateFileInvalid)
                             << "不存在";
}

void TestTemplateFile::refusedFiles()
{
    QFETCH(QString, sabotage);
    QFETCH(int, error);
    QFETCH(QString, said);
    BillTemplate bill;
    makeRich(bill);
    const QString path = file(QStringLiteral("x.tavrel"));
    TemplateFile::write(bill, QStringLiteral("发货单"), path);
    if (sabotage == QLatin1String("text")) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("{\"format\": \"something else\"}");
    } else if (sabotage == QLatin1String("remove")) {
        QVERIFY(QFile::remove(path));
    } else {
        const QString failed = execOnFile(path, {sabotage});
        QVERIFY2(failed.isEmpty(), qPrintable(failed));
    }
    const QByteArray before = hashOf(path);
    TemplateStore store(file(QStringLiteral("into.sqlite")));
    BillTemplate fresh;
    QString description;
    QCOMPARE(errorOf([&] { TemplateFile::importTemplate(store, path, fresh); }, &description),
             error);
    QVERIFY2(description.contains(said), qPrintable(description));
    QCOMPARE(store.templates(0).size(), 0);
    QCOMPARE(hashOf(path), before);
}

// The move from one store to another, run twice: the second run adds
// nothing, and what the target had of the same name stays as it was.
void TestTemplateFile::copyToAnotherStoreTwice()
{
    TemplateStore from(file(QStringLiteral("mine.sqlite")));
    TemplateStore to(file(QStringLiteral("office.sqlite")));
    const int16_t delivery = addCategory(from, QStringLiteral("发货单"));
    const int16_t receipt = addCategory(from, QStringLiteral("入库单"));
    const int16_t theirs = addCategory(to, QStringLiteral("入库单"));
    const auto save = [](TemplateStore &store, int16_t category, const QString &name, int count) {
        BillTemplate bill;
        fillTemplate(bill, count, name);
        bill.Caption = name;
        bill.mScreenID = category;
        store.save(bill);
        return bill.mID;
    };
    save(from, 0, QStringLiteral("演示"), 3);
    save(from, delivery, QStringLiteral("上海"), 6);
    save(from, delivery, QStringLiteral("北京"), 4);
    save(from, receipt, QStringLiteral("总仓"), 5);
    const int16_t kept = save(to, theirs, QStringLiteral("总仓"), 2);

    const StoreCopy::Result first = StoreCopy::copyAll(from, to);
    QCOMPARE(first.categoriesAdded, 1);
    QCOMPARE(first.templatesAdded, 3);
    QCOMPARE(first.kept, QStringList({QStringLiteral("类别“入库单”"),
                                      QStringLiteral("类别“入库单”中的“总仓”")}));
    BillTemplate stayed;
    to.load(kept, stayed);
    QCOMPARE(stayed.mObjs.Count(), 2);

    const StoreCopy::Result second = StoreCopy::copyAll(from, to);
    QCOMPARE(second.categoriesAdded, 0);
    QCOMPARE(second.templatesAdded, 0);
    QCOMPARE(second.kept.size(), 2 + 4);

    QStringList categories;
    for (const Category &c : to.categories())
        categories << c.name + QLatin1Char(':') + QString::number(to.templates(c.id).size())
                          + QLatin1Char(':') + c.databaseName;
    QCOMPARE(categories, QStringList({QStringLiteral("演示数据:1:"),
                                      QStringLiteral("入库单:1:/srv/入库单.sqlite"),
                                      QStringLiteral("发货单:2:/srv/发货单.sqlite")}));
}

QTEST_MAIN(TestTemplateFile)
#include "tst_templatefile.moc"
