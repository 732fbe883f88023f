#include "ErrorNumber.h"
#include "StoreFixtures.h"

#include "store/StoreSchema.h"
#include "store/StoreTables.h"

#include "platform/PictureCodec.h"
#include "platform/RuntimeError.h"
#include "platform/Screen.h"

#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

Q_DECLARE_METATYPE(SaveResult)

namespace {

QStringList captionsOf(BillTemplate &bill)
{
    QStringList list;
    for (const auto &obj : bill.mObjs)
        list << obj->ObjCtl()->Caption();
    return list;
}

// One object per round-trip row, every stored property off its default.
void fillRich(BillTemplate &bill)
{
    ObjDraws &objs = bill.mObjs;
    for (int style = 2; style <= 5; ++style) {
        Element &line = *addLine(objs, 100 * style, 200, 2000, 150.5 * style)->ObjCtl();
        line.setBorderStyle(style);
        line.setBorderWidth(style - 1);
        line.setBorderColor(QColor(10 * style, 20, 30));
    }
    auto text = [&objs](const QString &caption) {
        auto obj = addText(objs, 300, 900, 2500, 315);
        obj->ObjCtl()->setCaption(caption);
        return obj;
    };
    auto summed = text(QStringLiteral("[总计]"));
    summed->setIsFix(false);
    summed->setDataType(7);
    summed->setFormat(QStringLiteral("#,##0.00"));
    summed->setSumed(true);
    summed->setSumedPage(true);
    summed->ObjCtl()->setTag(QStringLiteral("金额"));
    auto scrolling = text(QStringLiteral("品名^"));
    scrolling->setIsFix(false);
    scrolling->setIsScroll(true);
    auto fixed = text(QStringLiteral("合计（大写）：壹万元整"));
    fixed->setPrinted(false);
    fixed->setClip(false);
    fixed->setLocked(true);
    fixed->ObjCtl()->setAlignment(1);
    fixed->ObjCtl()->setToolTipText(QStringLiteral("提示：\"引号\" 'quote'"));
    fixed->ObjCtl()->setFont({QStringLiteral("黑体"), 14.5, true, true, false, false});
    auto centred = text(QStringLiteral("第二行\n居中"));
    centred->ObjCtl()->setAlignment(2);
    centred->ObjCtl()->setFont({QStringLiteral("宋体"), 9, false, false, true, true});
    centred->ObjCtl()->setForeColor(QColor(200, 10, 60));
    centred->ObjCtl()->setAutoSize(true);
    text(QStringLiteral("   "));
    auto framed = addPicture(objs, 4000, 300, bmpBytes(Qt::yellow));
    framed->ObjCtl()->setBorderStyle(0);
    framed->ObjCtl()->setTag(QStringLiteral("/图片/印章.bmp"));
    framed->setBStyle(3);
    framed->setBWidth(2);
    framed->setFColor(0x3366cc);
    addBox(objs, ObjDraw::Picture, 5000, 300, 600, 600)->ObjCtl()->setBorderStyle(1);
    QImage plain(5, 5, QImage::Format_ARGB32);
    plain.fill(QColor(1, 2, 3));
    Element &unencoded = *addBox(objs, ObjDraw::Picture, 6000, 300, 600, 600)->ObjCtl();
    unencoded.setPicture(plain);
    unencoded.setStretch(true);
    auto qr = text(QStringLiteral("发货单 1001"));
    qr->setBarcode({BarcodeLook::QrCode, 0.254, BarcodeLook::QrH, false});
    auto bound = text(QStringLiteral("#[单据号]"));
    bound->setIsFix(false);
    bound->ObjCtl()->setTag(QStringLiteral("@H:单据号"));
    bound->setBarcode({BarcodeLook::Code39, 0.5, BarcodeLook::QrL, true});
}

} // namespace

class TestTemplateStore : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void roundTrip_data();
    void roundTrip();
    void pageSettingsRoundTrip();
    void laterLineStaysOnTopAndIsHitSecond();
    void idGapsKept();
    void pictureWhoseFileWasDeleted();
    void saveTwiceSaveAsDelete();
    void hostileNames_data();
    void hostileNames();
    void nameExists_data();
    void nameExists();
    void newIdsAndRunningOut();
    void unusableStore_data();
    void unusableStore();
    void failureMidSave_data();
    void failureMidSave();
    void loadFails_data();
    void loadFails();
    void revisionConflict_data();
    void revisionConflict();
    void schemaCreatedAndUpgraded();
    void templatesOfVersionTwoStayTexts();

private:
    QString path() const { return m_dir->filePath(QStringLiteral("templates.sqlite")); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TemplateStore> m_store;
};

void TestTemplateStore::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    Screen::setTwipsPerPixel(15, 15);
}

void TestTemplateStore::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_store = std::make_unique<TemplateStore>(path());
}

void TestTemplateStore::cleanup()
{
    m_store.reset();
    m_dir.reset();
}

void TestTemplateStore::roundTrip_data()
{
    QTest::addColumn<int>("nID");
    QTest::addColumn<int>("textBorder"); // -1: not a text
    for (int style = 2; style <= 5; ++style)
        QTest::addRow("line style %d", style) << style - 1 << -1;
    QTest::newRow("bound text, page sum") << 1001 << 0;
    QTest::newRow("scrolling text") << 1002 << 0;
    QTest::newRow("locked, not printed, not clipped, right") << 1003 << 0;
    QTest::newRow("centred, auto size, two lines") << 1004 << 0;
    // The only stored sign of an empty label is its border.
    QTest::newRow("blank text shows its border") << 1005 << 1;
    QTest::newRow("picture, border (无)") << 2001 << -1;
    QTest::newRow("picture without picture") << 2002 << -1;
    QTest::newRow("picture without its bytes") << 2003 << -1;
    QTest::newRow("fixed text as a QR code") << 1006 << 0;
    QTest::newRow("bound text as a Code 39 sample") << 1007 << 0;
}

void TestTemplateStore::roundTrip()
{
    QFETCH(int, nID);
    QFETCH(int, textBorder);
    BillTemplate original;
    fillRich(original);
    QCOMPARE(m_store->save(original), SaveResult::Saved);
    BillTemplate loaded;
    m_store->load(original.mID, loaded);

    ObjDraw &before = *original.mObjs.findByID(nID);
    ObjDraw &after = *loaded.mObjs.findByID(nID);
    QCOMPARE(describe(after), describe(before));
    QCOMPARE(after.EditFlag(), -1);
    QCOMPARE(before.EditFlag(), -1);
    if (textBorder >= 0)
        QCOMPARE(after.ObjCtl()->BorderStyle(), textBorder);
    if (nID == 2003) // stored losslessly from the pixels
        QVERIFY(!after.ObjCtl()->PictureData().isEmpty());
    else
        QCOMPARE(after.ObjCtl()->PictureData(), before.ObjCtl()->PictureData());
    QCOMPARE(loaded.mObjs.Count(), original.mObjs.Count());
    for (int i = 1; i <= loaded.mObjs.Count(); ++i)
        QCOMPARE(loaded.mObjs.Item(i)->nID(), original.mObjs.Item(i)->nID());
    QCOMPARE(loaded.mObjs.page().PicHD()(8 * nID - 7).Tag(), QStringLiteral("1"));
}

void TestTemplateStore::pageSettingsRoundTrip()
{
    auto settingsOf = [](BillTemplate &b) {
        return QVariantList{b.Caption,
                            b.mScreenID,
                            b.mID,
                            b.mRevision,
                            b.mIsDefault,
                            b.mRowHeight,
                            b.mrowcount,
                            b.mLandScape,
                            b.mColWidth,
                            b.mcolcount,
                            b.mBlnColFirst,
                            b.mObjs.page().Width(),
                            b.mObjs.page().Height()};
    };
    BillTemplate bill;
    bill.Caption = QStringLiteral("增值税发票");
    bill.mIsDefault = bill.mLandScape = bill.mBlnColFirst = true;
    bill.mRowHeight = 456.75;
    bill.mrowcount = 12;
    bill.mColWidth = 2880.5;
    bill.mcolcount = 3;
    bill.mObjs.page().setWidth(16838);
    bill.mObjs.page().setHeight(11906.5);
    QCOMPARE(m_store->save(bill), SaveResult::Saved);
    QCOMPARE(bill.mID, int16_t(1));

    TemplateStore reopened(path());
    BillTemplate loaded;
    reopened.load(1, loaded);
    QCOMPARE(settingsOf(loaded), settingsOf(bill));
}

// Collection order, not id order: the line (id 1) came after the text.
void TestTemplateStore::laterLineStaysOnTopAndIsHitSecond()
{
    BillTemplate bill;
    addText(bill.mObjs, 1000, 1000, 2000, 500);
    addLine(bill.mObjs, 500, 1250, 4000, 1250);
    m_store->save(bill);
    BillTemplate loaded;
    m_store->load(bill.mID, loaded);

    QCOMPARE(loaded.mObjs.Item(1)->nID(), 1001);
    QCOMPARE(loaded.mObjs.Item(2)->nID(), 1);
    const PageSurface &page = loaded.mObjs.page();
    QVERIFY(page.ObjLine()(1).zOrder() > page.ObjText()(1001).zOrder());
    std::shared_ptr<ObjDraw> hit;
    QVERIFY(loaded.mObjs.ChkPoint(1500, 1250, hit));
    QCOMPARE(hit->nID(), 1001);
}

void TestTemplateStore::idGapsKept()
{
    BillTemplate bill;
    for (int i = 0; i < 3; ++i) {
        addLine(bill.mObjs, 100, 100 * i, 900, 100 * i);
        addText(bill.mObjs, 1000, 400 * i, 900, 300);
    }
    // Deleted objects are hidden and not stored.
    bill.mObjs.findByID(2)->ObjCtl()->setVisible(false);
    bill.mObjs.findByID(1003)->ObjCtl()->setVisible(false);
    m_store->save(bill);
    BillTemplate loaded;
    m_store->load(bill.mID, loaded);

    QCOMPARE(loaded.mObjs.Count(), 4);
    QVERIFY(!loaded.mObjs.findByID(2) && !loaded.mObjs.findByID(1003));
    QVERIFY(!loaded.mObjs.page().PicHD().IsLoaded(9));
    QCOMPARE(loaded.mObjs.findByID(3)->Handls()->Item(1).ObjCtl()->Index(), 17);
    ObjDraw next(&loaded.mObjs.page());
    next.setEType(ObjDraw::Line);
    next.OnStartDraw(1, 0, 100, 100);
    next.OnEndDraw(1, 0, 500, 100);
    QCOMPARE(next.nID(), 4);
}

void TestTemplateStore::pictureWhoseFileWasDeleted()
{
    const QString file = m_dir->filePath(QStringLiteral("logo.bmp"));
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(bmpBytes(Qt::magenta, QSize(9, 7)));
    out.close();
    BillTemplate bill;
    Element &image = *addBox(bill.mObjs, ObjDraw::Picture, 0, 0, 900, 900)->ObjCtl();
    const QByteArray bytes = PictureCodec::readFile(file);
    image.setPicture(PictureCodec::decode(bytes, file), bytes);
    image.setTag(file);
    QVERIFY(QFile::remove(file));

    m_store->save(bill);
    TemplateStore reopened(path());
    BillTemplate loaded;
    reopened.load(bill.mID, loaded);
    const Element &back = loaded.mObjs.page().ObjImg()(2001);
    QCOMPARE(back.PictureData(), bytes);
    QCOMPARE(back.Picture().pixelColor(8, 6), QColor(Qt::magenta));
    QCOMPARE(back.Tag(), file);
}

void TestTemplateStore::saveTwiceSaveAsDelete()
{
    BillTemplate bill;
    bill.Caption = QStringLiteral("原件");
    fillTemplate(bill, 30, QStringLiteral("A"));
    QCOMPARE(m_store->save(bill), SaveResult::Saved);
    bill.mObjs.findByID(1001)->ObjCtl()->setCaption(QStringLiteral("改过"));
    bill.mObjs.findByID(1)->ObjCtl()->setVisible(false);
    bill.mObjs.findByID(1001)->setEditFlag(1);
    QCOMPARE(m_store->save(bill), SaveResult::Saved);
    QCOMPARE(bill.mRevision, 2);
    QCOMPARE(bill.mObjs.findByID(1001)->EditFlag(), -1);
    const int16_t original = bill.mID;
    const int counts[] = {1, 29, 10};
    for (int t = 0; t < 3; ++t)
        QCOMPARE(rowCount(*m_store, StoreTables::ByTemplate[t]), counts[t]);

    QVERIFY(execOn(*m_store, QStringLiteral("INSERT INTO BillCategories (CategoryID, Name) VALUES (4, '采购')")));
    bill.mObjs.findByID(1002)->ObjCtl()->setCaption(QStringLiteral("副本"));
    m_store->saveAs(bill, QStringLiteral("副本单据"), 4);
    QVERIFY(bill.mID != original);
    QCOMPARE(bill.Caption, QStringLiteral("副本单据"));
    QCOMPARE(bill.mScreenID, int16_t(4));
    QCOMPARE(m_store->templates(4).size(), 1);
    BillTemplate first;
    m_store->load(original, first);
    QCOMPARE(first.Caption, QStringLiteral("原件"));
    QCOMPARE(first.mObjs.findByID(1001)->ObjCtl()->Caption(), QStringLiteral("改过"));
    QCOMPARE(first.mObjs.findByID(1002)->ObjCtl()->Caption(), QStringLiteral("A4"));

    QVERIFY(m_store->remove(original));
    QVERIFY(!m_store->remove(original));
    for (const char *table : StoreTables::ByTemplate) {
        QCOMPARE(rowCount(*m_store, table, original), 0);
        QVERIFY(rowCount(*m_store, table, bill.mID) > 0);
    }
}

void TestTemplateStore::hostileNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("quotes") << QStringLiteral("O'Brien \"双引号\" `反引号`");
    QTest::newRow("injection") << QStringLiteral("'); DROP TABLE x; --");
    QTest::newRow("5000 characters") << QString(5000, QChar(0x5355));
    QTest::newRow("emoji") << QStringLiteral("发票 🧾👍🏽");
    QTest::newRow("spaces, wildcards") << QStringLiteral("  %_ \\ ;  ");
}

void TestTemplateStore::hostileNames()
{
    QFETCH(QString, name);
    QVERIFY(execOn(*m_store, QStringLiteral("CREATE TABLE x (a INTEGER)")));
    BillTemplate bill;
    bill.Caption = name;
    addText(bill.mObjs, 0, 0, 900, 300)->ObjCtl()->setCaption(name);
    m_store->save(bill);

    QCOMPARE(m_store->templates(0).size(), 1);
    QCOMPARE(m_store->templates(0).front().name, name);
    QVERIFY(m_store->nameExists(0, name));
    BillTemplate loaded;
    m_store->load(bill.mID, loaded);
    QCOMPARE(loaded.Caption, name);
    QCOMPARE(loaded.mObjs.findByID(1001)->ObjCtl()->Caption(), name);
    QCOMPARE(rowCount(*m_store, "x"), 0);
}

void TestTemplateStore::nameExists_data()
{
    QTest::addColumn<int>("category");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("ignoreItself");
    QTest::addColumn<bool>("exists");
    const QString inbound = QStringLiteral("入库单");
    QTest::newRow("same name") << 0 << inbound << false << true;
    QTest::newRow("other category") << 4 << inbound << false << false;
    QTest::newRow("itself ignored") << 0 << inbound << true << false;
    QTest::newRow("case differs") << 0 << QStringLiteral("Form") << false << false;
}

void TestTemplateStore::nameExists()
{
    QFETCH(int, category);
    QFETCH(QString, name);
    QFETCH(bool, ignoreItself);
    QFETCH(bool, exists);
    BillTemplate a, b;
    a.Caption = QStringLiteral("入库单");
    b.Caption = QStringLiteral("FORM");
    m_store->save(a);
    m_store->save(b);
    QCOMPARE(m_store->nameExists(int16_t(category), name, ignoreItself ? a.mID : 0), exists);
}

void TestTemplateStore::newIdsAndRunningOut()
{
    BillTemplate first;
    m_store->save(first);
    QCOMPARE(first.mID, int16_t(1));
    QVERIFY(execOn(
        *m_store,
        QStringLiteral(
            "WITH RECURSIVE n(i) AS (SELECT 2 UNION ALL SELECT i + 1 FROM n WHERE i < 32767) "
            "INSERT INTO BillTemplates (FID, CategoryID, Name, PageWidth, PageHeight, mrowcount,"
            " mRowHeight, mcolcount, mColWidth, mBlnColFirst, mLandScape, mIsDefault, Revision)"
            " SELECT i, 0, 'T' || i, 100, 100, 0, 0, 0, 0, 0, 0, 0, 1 FROM n")));

    BillTemplate late;
    addText(late.mObjs, 0, 0, 100, 100);
    QString description;
    QCOMPARE(errorOf([&] { m_store->save(late); }, &description),
             int(RuntimeError::TemplateIdsExhausted));
    QCOMPARE(description, QStringLiteral("单据编号已用完，无法再保存新的单据"));
    QCOMPARE(late.mID, int16_t(0));
    QCOMPARE(late.mObjs.Item(1)->EditFlag(), 0);
    QCOMPARE(rowCount(*m_store, StoreTables::Objects), 0);
    // A deleted template's id comes back once the highest is taken.
    m_store->remove(100);
    QCOMPARE(m_store->save(late), SaveResult::Saved);
    QCOMPARE(late.mID, int16_t(100));
}

void TestTemplateStore::unusableStore_data()
{
    QTest::addColumn<QString>("condition");
    QTest::addColumn<int>("error");
    QTest::newRow("read-only file") << QStringLiteral("file") << int(RuntimeError::StoreReadOnly);
    // The file is writable, its journal cannot be made.
    QTest::newRow("read-only folder")
        << QStringLiteral("folder") << int(RuntimeError::StoreReadOnly);
    QTest::newRow("locked by another program")
        << QStringLiteral("locked") << int(RuntimeError::StoreBusy);
    QTest::newRow("not a database") << QStringLiteral("garbage") << int(RuntimeError::StoreCorrupt);
    QTest::newRow("folder cannot be made")
        << QStringLiteral("new") << int(RuntimeError::StoreCannotOpen);
}

// Opening, reading the kept template and saving it again: the error, soon,
// and the store file as it was.
void TestTemplateStore::unusableStore()
{
    QFETCH(QString, condition);
    QFETCH(int, error);
    BillTemplate kept;
    fillTemplate(kept, 9, QStringLiteral("K"));
    m_store->save(kept);
    m_store.reset();
    const auto readOnly = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther;
    QFile::setPermissions(m_dir->path(), readOnly | QFile::WriteOwner);

    QString target = path();
    QSqlDatabase locker
        = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("locker"));
    if (condition == "file") {
        QFile::setPermissions(path(), QFile::ReadOwner | QFile::ReadOther);
    } else if (condition == "folder") {
        QVERIFY(geteuid() != 0 || chown(qPrintable(path()), 65534, 65534) == 0);
        QFile::setPermissions(m_dir->path(), readOnly);
    } else if (condition == "locked") {
        // Writable but for the lock: the file and its log beside it are the
        // other user's too.
        QVERIFY(geteuid() != 0 || chown(qPrintable(path()), 65534, 65534) == 0);
        locker.setDatabaseName(path());
        QVERIFY(locker.open() && QSqlQuery(locker).exec(QStringLiteral("BEGIN EXCLUSIVE")));
    } else if (condition == "garbage") {
        target = m_dir->filePath(QStringLiteral("garbage.sqlite"));
        QFile file(target);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(QByteArray(8192, 'x')) == 8192);
    } else {
        QFile::setPermissions(m_dir->path(), readOnly);
        target = m_dir->filePath(QStringLiteral("new/templates.sqlite"));
    }
    auto contents = [&target] {
        QFile file(target);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QByteArray before = contents();

    QElapsedTimer timer;
    timer.start();
    QString description;
    {
        AsNobody nobody;
        QCOMPARE(errorOf(
                     [&] {
                         TemplateStore store(target);
                         BillTemplate bill;
                         store.load(kept.mID, bill);
                         store.save(bill);
                     },
                     &description),
                 error);
    }
    QCOMPARE(description, RuntimeError::standardDescription(error));
    QVERIFY(QSqlDatabase::connectionNames().filter(QStringLiteral("TemplateStore")).isEmpty());
    QVERIFY(timer.elapsed() < 2 * TemplateStore::BusyTimeoutMs);

    if (locker.isOpen())
        QSqlQuery(locker).exec(QStringLiteral("ROLLBACK"));
    locker = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("locker"));
    QFile::setPermissions(m_dir->path(), readOnly | QFile::WriteOwner);
    QFile::setPermissions(path(), QFile::ReadOwner | QFile::WriteOwner);
    QCOMPARE(contents(), before);
    TemplateStore again(path());
    BillTemplate reread;
    again.load(kept.mID, reread);
    QCOMPARE(captionsOf(reread), captionsOf(kept));
}

void TestTemplateStore::failureMidSave_data()
{
    QTest::addColumn<QString>("sabotage");
    QTest::addColumn<int>("error");
    QTest::newRow("store full") << QStringLiteral("PRAGMA max_page_count = %1")
                                << int(RuntimeError::StoreFull);
    QTest::newRow("failing insert")
        << QStringLiteral("CREATE TEMP TRIGGER boom BEFORE INSERT ON BillObjects "
                          "WHEN NEW.nID = 1500 BEGIN SELECT RAISE(ABORT, 'boom'); END")
        << int(RuntimeError::StoreFailed);
    QTest::newRow("unknown category") << QString() << int(RuntimeError::CategoryNotFound);
}

void TestTemplateStore::failureMidSave()
{
    QFETCH(QString, sabotage);
    QFETCH(int, error);
    BillTemplate bill;
    fillTemplate(bill, 30, QStringLiteral("A"));
    m_store->save(bill);
    const QStringList saved = captionsOf(bill);
    for (const auto &obj : bill.mObjs) {
        obj->ObjCtl()->setCaption(QString(200, QLatin1Char('B')));
        obj->setEditFlag(1);
    }
    fillTemplate(bill, 2970, QStringLiteral("B"));
    QSqlQuery pages(QSqlDatabase::database(m_store->connectionName()));
    QVERIFY(pages.exec(QStringLiteral("PRAGMA page_count")) && pages.next());
    if (sabotage.isEmpty())
        bill.mScreenID = 9;
    else if (sabotage.contains(QLatin1Char('%')))
        QVERIFY(execOn(*m_store, sabotage.arg(pages.value(0).toInt() + 2)));
    else
        QVERIFY(execOn(*m_store, sabotage));

    QCOMPARE(errorOf([&] { m_store->save(bill); }), error);
    QCOMPARE(bill.mRevision, 1);
    QCOMPARE(bill.mObjs.Item(1)->EditFlag(), 1);
    TemplateStore other(path());
    BillTemplate stored;
    other.load(bill.mID, stored);
    QCOMPARE(captionsOf(stored), saved);
    QCOMPARE(stored.mRevision, 1);
}

void TestTemplateStore::loadFails_data()
{
    QTest::addColumn<QString>("sabotage");
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("error");
    const int corrupt = RuntimeError::TemplateDataCorrupt;
    auto row = [corrupt](const char *name, const char *sql) {
        QTest::newRow(name) << QString::fromUtf8(sql) << 1 << corrupt;
    };
    row("unknown kind", "UPDATE BillObjects SET eType = 9 WHERE nID = 1");
    row("id outside its kind", "UPDATE BillObjects SET nID = 1500 WHERE nID = 2");
    row("text in a number", "UPDATE BillObjects SET \"Left\" = 'abc' WHERE nID = 1001");
    row("line without its end", "UPDATE BillObjects SET y2 = NULL WHERE nID = 1");
    row("flag out of range", "UPDATE BillObjects SET Locked = 2 WHERE nID = 2002");
    row("unknown code type", "UPDATE BillObjects SET BarcodeType = 7 WHERE nID = 1001");
    row("module width of nothing", "UPDATE BillObjects SET ModuleWidth = 0 WHERE nID = 1001");
    row("lost object row", "DELETE FROM BillObjects WHERE Position = 5");
    row("picture bytes damaged", "UPDATE BillPictures SET Data = x'00ff00' WHERE nID = 2003");
    row("picture of a text", "UPDATE BillPictures SET nID = 1001 WHERE nID = 2001");
    row("page of no size", "UPDATE BillTemplates SET PageWidth = 0");
    // Lengths past the largest page (32767 twips) are damage, never laid out.
    row("width of 1e300", "UPDATE BillObjects SET Width = 1e300 WHERE nID = 1001");
    row("left far off the page", "UPDATE BillObjects SET \"Left\" = -1e6 WHERE nID = 1001");
    row("line end far away", "UPDATE BillObjects SET x2 = 32768 WHERE nID = 1");
    row("infinite height", "UPDATE BillObjects SET Height = 9e999 WHERE nID = 2002");
    row("page past the largest", "UPDATE BillTemplates SET PageHeight = 40000");
    row("row height of 1e300", "UPDATE BillTemplates SET mRowHeight = 1e300");
    row("column width not a number", "UPDATE BillTemplates SET mColWidth = 'wide'");
    QTest::newRow("no such template") << QString() << 77 << int(RuntimeError::TemplateNotFound);
}

// Nothing half loaded: the record stays fresh and claims no id.
void TestTemplateStore::loadFails()
{
    QFETCH(QString, sabotage);
    QFETCH(int, id);
    QFETCH(int, error);
    BillTemplate bill;
    fillTemplate(bill, 12, QStringLiteral("A"));
    m_store->save(bill);
    QVERIFY(sabotage.isEmpty() || execOn(*m_store, sabotage));

    BillTemplate fresh;
    QCOMPARE(errorOf([&] { m_store->load(int16_t(id), fresh); }), error);
    QCOMPARE(fresh.mID, int16_t(0));
    QCOMPARE(fresh.mObjs.Count(), 0);
    QCOMPARE(fresh.mObjs.page().ObjLine().size() + fresh.mObjs.page().PicHD().size(),
             std::size_t(2));
    // Refused outright: a record that holds objects already.
    QCOMPARE(errorOf([&] { m_store->load(bill.mID, bill); }), int(RuntimeError::InvalidArgument));
}

void TestTemplateStore::revisionConflict_data()
{
    QTest::addColumn<QString>("elsewhere");
    QTest::addColumn<SaveResult>("result");
    QTest::newRow("deleted meanwhile") << QStringLiteral("delete") << SaveResult::TemplateGone;
    QTest::newRow("saved from elsewhere") << QStringLiteral("save") << SaveResult::ChangedElsewhere;
    // Deleting the highest id frees it for the next new template.
    QTest::newRow("id taken by another template")
        << QStringLiteral("reuse") << SaveResult::ChangedElsewhere;
}

void TestTemplateStore::revisionConflict()
{
    QFETCH(QString, elsewhere);
    QFETCH(SaveResult, result);
    BillTemplate mine;
    fillTemplate(mine, 6, QStringLiteral("A"));
    m_store->save(mine);
    TemplateStore other(path());
    BillTemplate theirs;
    other.load(mine.mID, theirs);
    theirs.Caption = QStringLiteral("他的");
    if (elsewhere == "save") {
        other.save(theirs);
    } else {
        other.remove(mine.mID);
        BillTemplate newcomer;
        newcomer.Caption = QStringLiteral("他的");
        if (elsewhere == "reuse")
            other.save(newcomer);
        QCOMPARE(newcomer.mID, elsewhere == "reuse" ? mine.mID : int16_t(0));
    }
    const int templates = rowCount(other, StoreTables::Templates);
    const int objects = rowCount(other, StoreTables::Objects);

    mine.mObjs.Item(1)->setEditFlag(1);
    QCOMPARE(m_store->save(mine), result);
    QCOMPARE(mine.mObjs.Item(1)->EditFlag(), 1);
    QCOMPARE(mine.mRevision, 1);
    QCOMPARE(rowCount(other, StoreTables::Templates), templates);
    QCOMPARE(rowCount(other, StoreTables::Objects), objects);
    // The way out the catalogue offers: a new template.
    m_store->saveAs(mine, QStringLiteral("我的（副本）"), 0);
    QCOMPARE(rowCount(other, StoreTables::Objects, mine.mID), 6);
}

void TestTemplateStore::schemaCreatedAndUpgraded()
{
    QCOMPARE(m_store->schemaVersion(), StoreSchema::currentVersion());
    m_store = std::make_unique<TemplateStore>(path());
    QCOMPARE(m_store->categories().size(), 1);
    QCOMPARE(m_store->categories().front().id, int16_t(0));
    QCOMPARE(m_store->categories().front().name, QStringLiteral("演示数据"));

    // A later version adds a column; the step runs once (twice would fail).
    std::vector<StoreSchema::Step> later = StoreSchema::steps();
    later.push_back([](QSqlDatabase &db) {
        StoreSchema::exec(db,
                          QStringLiteral("ALTER TABLE BillCategories ADD COLUMN DataSource TEXT"));
    });
    QSqlDatabase db = QSqlDatabase::database(m_store->connectionName());
    StoreSchema::upgrade(db, later);
    StoreSchema::upgrade(db, later);
    QCOMPARE(StoreSchema::version(db), StoreSchema::currentVersion() + 1);
    QVERIFY(execOn(*m_store, QStringLiteral("SELECT DataSource FROM BillCategories")));

    // A store of a later program is left alone.
    QVERIFY(execOn(*m_store,
                   QStringLiteral("UPDATE StoreInfo SET Value = 99 WHERE Name = 'SchemaVersion'")));
    db = QSqlDatabase();
    m_store.reset();
    QCOMPARE(errorOf([&] { TemplateStore store(path()); }), int(RuntimeError::StoreTooNew));
}

// A store written before texts could print as codes: its objects gain
// the columns with a text's values.
void TestTemplateStore::templatesOfVersionTwoStayTexts()
{
    BillTemplate bill;
    fillTemplate(bill, 9, QStringLiteral("A"));
    QCOMPARE(m_store->save(bill), SaveResult::Saved);
    for (const char *column : {"BarcodeType", "ModuleWidth", "QrLevel", "BarcodeText"})
        QVERIFY(execOn(*m_store, QStringLiteral("ALTER TABLE BillObjects DROP COLUMN %1")
                                     .arg(QLatin1String(column))));
    // Nor had a version 2 store the document types' time limit.
    QVERIFY(execOn(*m_store, QStringLiteral("ALTER TABLE BillCategories DROP COLUMN StatementTimeout")));
    // Nor the templates' underlay and offset.
    for (const char *column :
         {"UnderlayData", "UnderlayFileName", "UnderlayPage", "UnderlayOpacity", "UnderlayLeft",
          "UnderlayTop", "UnderlayWidth", "UnderlayHeight", "OffsetLeft", "OffsetTop", "SavedAt"})
        QVERIFY(execOn(*m_store, QStringLiteral("ALTER TABLE BillTemplates DROP COLUMN %1")
                                     .arg(QLatin1String(column))));
    QVERIFY(execOn(*m_store,
                   QStringLiteral("UPDATE StoreInfo SET Value = 2 WHERE Name = 'SchemaVersion'")));
    m_store.reset();

    m_store = std::make_unique<TemplateStore>(path());
    QCOMPARE(m_store->schemaVersion(), StoreSchema::currentVersion());
    BillTemplate loaded;
    m_store->load(bill.mID, loaded);
    QCOMPARE(captionsOf(loaded), captionsOf(bill));
    for (const auto &obj : loaded.mObjs)
        QVERIFY(obj->Barcode() == BarcodeLook());
}

QTEST_GUILESS_MAIN(TestTemplateStore)
#include "tst_templatestore.moc"
