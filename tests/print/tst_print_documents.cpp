#include "PdfReadBack.h"
#include "PrintFixtures.h"

#include "tests/documents/PostgresCluster.h"

#include "print/FieldVocabulary.h"
#include "print/DocumentBatch.h"
#include "print/Mod_Print.h"
#include "print/PageComposer.h"
#include "print/ShowErrMsg.h"

#include "documents/DemoDatabase.h"
#include "documents/DocumentData.h"
#include "documents/DocumentTypes.h"
#include "documents/PasswordVault.h"

#include "platform/AppSetup.h"
#include "platform/FakeDialogs.h"
#include "platform/Platform.h"
#include "platform/QtPrintDevice.h"
#include "platform/RecordingPrintDevice.h"
#include "platform/RuntimeError.h"
#include "platform/Units.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int16_t EmptyDetailType = 5;
constexpr int16_t MissingFileType = 6;
constexpr int16_t BadQueryType = 7;
constexpr int16_t ServerType = 8;

constexpr double Left = 1000;
constexpr double Top = 3000;
constexpr double RowHeight = 300;
constexpr double ColWidth = 4000;

// The delivery-note template: line numbers and amounts scrolling from
// (Left, Top), the page's subtotal and the total so far below the grid.
void deliveryNote(BillTemplate &bill, int rows, int cols, bool colFirst)
{
    bill.Caption = QStringLiteral("发货单");
    bill.mID = 1;
    bill.mScreenID = DemoDatabase::CategoryID;
    bill.mrowcount = int16_t(rows);
    bill.mcolcount = int16_t(cols);
    bill.mRowHeight = RowHeight;
    bill.mColWidth = ColWidth;
    bill.mBlnColFirst = colFirst;
    bill.mObjs.page().setWidth(11906);
    bill.mObjs.page().setHeight(16838);
    addData(bill, 1000, 1000, FieldVocabulary::HeaderCode(QStringLiteral("客户")), QString(), false,
            false, false, 4800);
    addData(bill, Left, Top, FieldVocabulary::DetailCode(QStringLiteral("行号")), QString(), true);
    addData(bill, Left + 2000, Top, FieldVocabulary::DetailCode(QStringLiteral("金额")),
            QStringLiteral("0.00"), true);
    addData(bill, 6000, 14000, FieldVocabulary::DetailCode(QStringLiteral("金额")),
            QStringLiteral("小计0.00"), false, true, true);
    addData(bill, 6000, 14500, FieldVocabulary::DetailCode(QStringLiteral("金额")),
            QStringLiteral("总计0.00"), false, true, false);
    addData(bill, 1000, 15500, FieldVocabulary::PageNo);
    addData(bill, 3000, 15500, FieldVocabulary::PageCount);
}

// What SQLite itself sums for lines [first, first + count) of a demo bill.
QString sqliteSum(int32_t billNo, int first, int count)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("oracle"));
    db.setDatabaseName(DemoDatabase::path());
    QString sum;
    if (db.open()) {
        QSqlQuery q(db);
        q.prepare(QStringLiteral("SELECT printf('%.2f', TOTAL(Amount)) FROM (SELECT Amount FROM BillLines"
                                 " WHERE BillNo = ? ORDER BY LineNo LIMIT ? OFFSET ?)"));
        q.addBindValue(billNo);
        q.addBindValue(count);
        q.addBindValue(first);
        if (q.exec() && q.next())
            sum = q.value(0).toString();
    }
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("oracle"));
    return sum;
}

QStringList lineNumbers(const RecordingPrintDevice::Page &page)
{
    QStringList numbers;
    for (const QString &t : page.texts) {
        bool ok = false;
        t.toInt(&ok);
        if (ok && !t.contains(QLatin1Char('.')))
            numbers << t;
    }
    return numbers;
}

DocumentType demoVariant(int16_t id, const QString &name)
{
    DocumentType type = DemoDatabase::documentType();
    type.id = id;
    type.name = name;
    return type;
}

} // namespace

class TestPrintDocuments : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void longDocumentRunsOverPages_data();
    void longDocumentRunsOverPages();
    void gridFillsInTheChosenOrder_data();
    void gridFillsInTheChosenOrder();
    void emptyDetailGivesOnePage();
    void headerValuesWithFormats_data();
    void headerValuesWithFormats();
    void refusedRunsStartNothing_data();
    void refusedRunsStartNothing();
    void missingColumnsWarnedOnceAndPrintEmpty();
    void demonstrationFillsOnePageFromTheFirstDocument();
    void batchReadsEveryDocumentFirst();
    void batchReadsOneDocumentAtATime();
    void gridOffThePageLosesNoLine_data();
    void gridOffThePageLosesNoLine();
    void gridOffThePageWarnsOnceBeforeTheRun_data();
    void gridOffThePageWarnsOnceBeforeTheRun();
    void sqliteAndPostgresPrintTheSame();

private:
    std::shared_ptr<RecordingPrintDevice> installDevice();

    QTemporaryDir m_dir;
    FakeDialogs *m_dialogs = nullptr;
};

void TestPrintDocuments::initTestCase()
{
    AppSetup::installFontSubstitutions();
    QVERIFY(m_dir.isValid());
    DemoDatabase::setPath(m_dir.filePath(QStringLiteral("demo.sqlite")));
    DocumentType empty = demoVariant(EmptyDetailType, QStringLiteral("空明细"));
    empty.detailQuery = QStringLiteral("SELECT Amount AS \"金额\", LineNo AS \"行号\" FROM BillLines"
                                       " WHERE BillNo = :BillNo AND 0");
    DocumentType missing = demoVariant(MissingFileType, QStringLiteral("旧账套"));
    missing.source.databaseName = m_dir.filePath(QStringLiteral("gone.sqlite"));
    DocumentType bad = demoVariant(BadQueryType, QStringLiteral("坏查询"));
    bad.detailQuery = QStringLiteral("SELECT Amount FROM NoSuchTable WHERE BillNo = :BillNo");
    DocumentTypes::setTypes({empty, missing, bad});
}

void TestPrintDocuments::init()
{
    m_dialogs = &Platform::installFakes();
    Mod_Print::Run() = PrintRun();
    PasswordVault::clear();
}

void TestPrintDocuments::cleanup()
{
    Mod_Print::setPrintDeviceFactory({});
    Mod_Print::Run() = PrintRun();
}

std::shared_ptr<RecordingPrintDevice> TestPrintDocuments::installDevice()
{
    auto device = std::make_shared<RecordingPrintDevice>();
    Mod_Print::setPrintDeviceFactory([device] { return device; });
    return device;
}

void TestPrintDocuments::longDocumentRunsOverPages_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("cols");
    QTest::addColumn<bool>("colFirst");
    QTest::newRow("10 rows, row-first") << 10 << 1 << false;
    QTest::newRow("10 rows, column-first") << 10 << 1 << true;
    QTest::newRow("5 x 2, row-first") << 5 << 2 << false;
    QTest::newRow("5 x 2, column-first") << 5 << 2 << true;
}

// 45 lines over 10 cells: pages of 10, 10, 10, 10 and 5 lines, each with
// the sum of its own lines and the total carried up to it.
void TestPrintDocuments::longDocumentRunsOverPages()
{
    QFETCH(int, rows);
    QFETCH(int, cols);
    QFETCH(bool, colFirst);
    BillTemplate bill;
    deliveryNote(bill, rows, cols, colFirst);
    auto device = installDevice();
    Mod_Print::PrintBill(bill, bill.mScreenID, bill.mID, DemoDatabase::LongBillNo, 0, false, false);
    QVERIFY2(m_dialogs->shown.empty(), qPrintable(m_dialogs->messages().join(QLatin1Char('\n'))));
    QCOMPARE(Mod_Print::Run().PageCount, int16_t(5));
    QCOMPARE(device->completed.size(), std::size_t(5));
    for (int page = 1; page <= 5; ++page) {
        const RecordingPrintDevice::Page &printed = device->completed[std::size_t(page - 1)];
        const int first = (page - 1) * 10;
        const int count = std::min(10, 45 - first);
        QStringList expected;
        for (int line = first + 1; line <= first + count; ++line)
            expected << QString::number(line);
        // Page number and page count print too, after the grid.
        expected << QString::number(page) << QStringLiteral("5");
        QCOMPARE(lineNumbers(printed), expected);
        QVERIFY(printed.texts.contains(QStringLiteral("北京新元电子科技有限公司")));
        QVERIFY2(printed.texts.contains(QStringLiteral("小计") + sqliteSum(1002, first, count)),
                 qPrintable(printed.texts.join(QLatin1Char('|'))));
        QVERIFY(printed.texts.contains(QStringLiteral("总计") + sqliteSum(1002, 0, first + count)));
    }
}

void TestPrintDocuments::gridFillsInTheChosenOrder_data()
{
    QTest::addColumn<bool>("colFirst");
    QTest::newRow("row-first") << false;
    QTest::newRow("column-first") << true;
}

// 2 columns of 5 rows: line k of a page sits in row k / 2, column k % 2
// row-first, or row k % 5, column k / 5 column-first.
void TestPrintDocuments::gridFillsInTheChosenOrder()
{
    QFETCH(bool, colFirst);
    BillTemplate bill;
    deliveryNote(bill, 5, 2, colFirst);
    auto device = installDevice();
    Mod_Print::PrintBill(bill, bill.mScreenID, bill.mID, DemoDatabase::LongBillNo, 0, false, false);
    QCOMPARE(device->completed.size(), std::size_t(5));
    const RecordingPrintDevice::Page &page = device->completed[1];
    QPointF origin;
    for (int k = 0; k < 10; ++k) {
        const int at = int(page.texts.indexOf(QString::number(11 + k)));
        QVERIFY2(at >= 0, qPrintable(QString::number(11 + k)));
        const QPointF p = page.positions.at(at);
        if (k == 0)
            origin = p;
        const int row = colFirst ? k % 5 : k / 2;
        const int col = colFirst ? k / 5 : k % 2;
        QCOMPARE(p.x() - origin.x(), col * ColWidth);
        QCOMPARE(p.y() - origin.y(), row * RowHeight);
    }
}

void TestPrintDocuments::emptyDetailGivesOnePage()
{
    BillTemplate bill;
    deliveryNote(bill, 10, 1, false);
    bill.mScreenID = EmptyDetailType;
    auto device = installDevice();
    Mod_Print::PrintBill(bill, bill.mScreenID, bill.mID, DemoDatabase::FirstBillNo, 0, false, false);
    QVERIFY2(m_dialogs->shown.empty(), qPrintable(m_dialogs->messages().join(QLatin1Char('\n'))));
    QCOMPARE(device->completed.size(), std::size_t(1));
    const QStringList texts = device->completed.front().texts;
    QVERIFY(texts.contains(QStringLiteral("小计0.00")));
    QVERIFY(texts.contains(QStringLiteral("总计0.00")));
    QCOMPARE(lineNumbers(device->completed.front()), QStringList({"1", "1"}));
}

void TestPrintDocuments::headerValuesWithFormats_data()
{
    QTest::addColumn<int>("billNo");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("sumed");
    QTest::addColumn<QString>("printed");
    const QString total = FieldVocabulary::HeaderCode(QStringLiteral("合计金额"));
    const QString amounts = FieldVocabulary::DetailCode(QStringLiteral("金额"));
    QTest::newRow("date") << 1003 << FieldVocabulary::HeaderCode(QStringLiteral("日期"))
                          << "yyyy年mm月dd日" << false << "2024年04月01日";
    QTest::newRow("amount in capitals") << 1003 << total << "[大写金额]" << false
                                        << "壹拾万零捌仟零陆元零伍分";
    QTest::newRow("thousands") << 1003 << total << "#,##0.00" << false << "108,006.05";
    QTest::newRow("text as it is") << 1003 << FieldVocabulary::HeaderCode(QStringLiteral("客户"))
                                   << "" << false << "广州恒达机械设备有限公司";
    QTest::newRow("0.1 + 0.2 summed exactly") << 1004 << amounts << "0.00" << true << "0.30";
    QTest::newRow("exact sum without a format") << 1004 << amounts << "" << true << "0.3";
    QTest::newRow("sum in capitals") << 1003 << amounts << "[大写金额]" << true
                                     << "壹拾万零捌仟零陆元零伍分";
    QTest::newRow("a detail column as a single value is the page's first line")
        << 1001 << FieldVocabulary::DetailCode(QStringLiteral("品名")) << "" << false << "复印纸";
}

void TestPrintDocuments::headerValuesWithFormats()
{
    QFETCH(int, billNo);
    QFETCH(QString, code);
    QFETCH(QString, format);
    QFETCH(bool, sumed);
    QFETCH(QString, printed);
    BillTemplate bill;
    bill.mID = 1;
    addData(bill, 1000, 1000, code, format, false, sumed, false, 8000);
    auto device = installDevice();
    Mod_Print::PrintBill(bill, 0, 1, billNo, 0, false, false);
    QCOMPARE(device->completed.size(), std::size_t(1));
    QCOMPARE(device->completed.front().texts.join(QString()), printed);
}

void TestPrintDocuments::refusedRunsStartNothing_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("billNo");
    QTest::addColumn<QStringList>("named");
    QTest::addColumn<QString>("title");
    // A number that names no document is the clerk's slip, told under the
    // application's title; a failing source is a failure, under the
    // program's name.
    const QString application = QStringLiteral("Kordane-格式报表Tavrel工具");
    QTest::newRow("unknown number") << 0 << 1234 << QStringList{"演示数据", "1234"} << application;
    QTest::newRow("source unreachable")
        << int(MissingFileType) << 1001 << QStringList{"旧账套", "QSQLITE", "数据库文件不存在"}
        << AppExeName();
    QTest::newRow("bad query") << int(BadQueryType) << 1001
                               << QStringList{"坏查询", "查询出错", "NoSuchTable"} << AppExeName();
}

void TestPrintDocuments::refusedRunsStartNothing()
{
    QFETCH(int, type);
    QFETCH(int, billNo);
    QFETCH(QStringList, named);
    QFETCH(QString, title);
    BillTemplate bill;
    deliveryNote(bill, 10, 1, false);
    bill.mScreenID = int16_t(type);
    const int objects = bill.mObjs.Count();
    auto device = installDevice();
    QElapsedTimer clock;
    clock.start();
    Mod_Print::PrintBill(bill, bill.mScreenID, bill.mID, billNo, 0, false, false);
    QVERIFY(clock.elapsed() < 5000);
    QCOMPARE(device->startDocs, 0);
    QCOMPARE(m_dialogs->shown.size(), std::size_t(1));
    const QString message = m_dialogs->shown.front().text;
    for (const QString &part : named)
        QVERIFY2(message.contains(part), qPrintable(message));
    QCOMPARE(m_dialogs->shown.front().icon, MsgIcon::Exclamation);
    QCOMPARE(m_dialogs->shown.front().title, title);
    QCOMPARE(bill.mObjs.Count(), objects);
}

void TestPrintDocuments::missingColumnsWarnedOnceAndPrintEmpty()
{
    BillTemplate bill;
    bill.Caption = QStringLiteral("旧发货单");
    bill.mID = 1;
    bill.mrowcount = 10;
    addData(bill, 1000, 1000, FieldVocabulary::HeaderCode(QStringLiteral("客户")), QString(), false,
            false, false, 4800);
    addData(bill, 1000, 2000, FieldVocabulary::HeaderCode(QStringLiteral("税号")));
    addData(bill, 1000, 3000, FieldVocabulary::DetailCode(QStringLiteral("批号")), QString(), true);
    addData(bill, 1000, 4000, FieldVocabulary::DetailCode(QStringLiteral("批号")), QString(), false,
            true, true);
    auto device = installDevice();
    Mod_Print::PrintBill(bill, 0, 1, DemoDatabase::FirstBillNo, 0, false, false);
    QCOMPARE(m_dialogs->messages().size(), 1);
    QCOMPARE(m_dialogs->shown.front().title, QStringLiteral("旧发货单"));
    QVERIFY2(m_dialogs->messages().front().endsWith(QStringLiteral("[税号]、[批号]")),
             qPrintable(m_dialogs->messages().front()));
    QCOMPARE(device->completed.size(), std::size_t(1));
    QCOMPARE(device->completed.front().texts, QStringList{"上海华联商贸有限公司"});
}

void TestPrintDocuments::demonstrationFillsOnePageFromTheFirstDocument()
{
    BillTemplate bill;
    deliveryNote(bill, 2, 1, false);
    int pages = 0;
    QStringList texts;
    m_dialogs->modalScripts.push_back([&](QDialog &) {
        pages = Mod_Print::Run().PageCount;
        const PageContext context = Mod_Print::Context(1);
        for (const auto &obj : bill.mObjs)
            texts << PageComposer::PrintedText(*obj, bill, context, 1);
        return 0;
    });
    Mod_Print::PrintBill(bill, bill.mScreenID, bill.mID, 0, 0, true, true);
    QCOMPARE(pages, 1);
    QVERIFY(Mod_Print::Run().Data);
    QCOMPARE(Mod_Print::Run().Data->billNo, DemoDatabase::FirstBillNo);
    // Cell 2 of page 1 holds line 2; the sums are of the two lines shown.
    QCOMPARE(texts, QStringList({"上海华联商贸有限公司", "2", "370.00", "小计1650.00",
                                 "总计1650.00", "1", "1"}));
}

void TestPrintDocuments::batchReadsEveryDocumentFirst()
{
    BillTemplate bill;
    deliveryNote(bill, 10, 1, false);
    RecordingPrintDevice device;
    QList<int32_t> done;
    const Mod_Print::Documents documents = Mod_Print::ReadDocuments(bill, {1001, 1002});
    Mod_Print::PrintDocuments(bill, documents, device,
                              [&](int, int, int32_t billNo) { done << billNo; });
    QCOMPARE(done, QList<int32_t>({1001, 1002}));
    // A batch's length is known at its end: the job ends with EndDoc.
    QCOMPARE(device.job.pageCount, 0);
    QCOMPARE(device.log.back(), QStringLiteral("EndDoc"));
    QCOMPARE(device.completed.size(), std::size_t(6));
    // Each document numbers its own pages.
    QCOMPARE(lineNumbers(device.completed[0]).mid(5), QStringList({"1", "1"}));
    QCOMPARE(lineNumbers(device.completed[1]).mid(10), QStringList({"1", "5"}));
    int error = 0;
    QString text;
    try {
        Mod_Print::ReadDocuments(bill, {1001, 999, 1002});
    } catch (const RuntimeError &e) {
        error = e.Number();
        text = e.Description();
    }
    QCOMPARE(error, int(RuntimeError::DocumentNotFound));
    QVERIFY2(text.contains(QStringLiteral("999")), qPrintable(text));
}

// Each document is read only when the one before it has been printed, so
// a batch holds one document however long it is; a failing read stops the
// job there.
void TestPrintDocuments::batchReadsOneDocumentAtATime()
{
    BillTemplate bill;
    deliveryNote(bill, 10, 1, false);
    RecordingPrintDevice device;
    DocumentBatch batch(bill);
    std::vector<std::weak_ptr<const DocumentData>> held;
    int stillHeld = 0;
    const Mod_Print::DocumentReader read = [&](int32_t billNo) {
        device.log << QStringLiteral("read:%1").arg(billNo);
        for (const auto &earlier : held)
            stillHeld += earlier.expired() ? 0 : 1;
        auto data = batch.read(billNo);
        held.push_back(data);
        return data;
    };
    QCOMPARE(Mod_Print::PrintDocuments(bill, {1001, 1004, 1001}, read, device), 3);
    QCOMPARE(device.log.filter(QRegularExpression(QStringLiteral("^(read|EndPage|StartDoc|EndDoc)"))),
             QStringList({"StartDoc", "read:1001", "EndPage", "read:1004", "EndPage", "read:1001",
                          "EndPage", "EndDoc"}));
    QCOMPARE(stillHeld, 0);
    QCOMPARE(batch.missing({1001, 5, 1004, 6}), std::vector<int32_t>({5, 6}));

    RecordingPrintDevice stopped;
    int error = 0;
    try {
        Mod_Print::PrintDocuments(bill, {1001, 999, 1004},
                                  [&](int32_t billNo) { return batch.read(billNo); }, stopped);
    } catch (const RuntimeError &e) {
        error = e.Number();
    }
    QCOMPARE(error, int(RuntimeError::DocumentNotFound));
    QCOMPARE(stopped.completed.size(), std::size_t(1));
    QVERIFY(!stopped.log.contains(QStringLiteral("EndDoc")));
}

void TestPrintDocuments::gridOffThePageLosesNoLine_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<double>("rowHeight");
    QTest::addColumn<int>("cols");
    QTest::addColumn<double>("colWidth");
    QTest::addColumn<int>("perPage");
    // The page is 16838 twips high and 11906 wide; the grid starts at
    // (3000, 3000), where the amounts scroll from.
    QTest::newRow("page setup's five rows of 400 mm") << 5 << Units::mmToTwips(400) << 1
                                                      << ColWidth << 1;
    QTest::newRow("rows 8 to 10 start below the page") << 10 << 2000.0 << 1 << ColWidth << 7;
    QTest::newRow("the third column starts right of the page") << 5 << RowHeight << 3 << 6000.0
                                                               << 10;
}

// A page holds the cells that start on it, so every line of the 45 prints
// once, and each page's subtotal and carried total count the lines printed.
void TestPrintDocuments::gridOffThePageLosesNoLine()
{
    QFETCH(int, rows);
    QFETCH(double, rowHeight);
    QFETCH(int, cols);
    QFETCH(double, colWidth);
    QFETCH(int, perPage);
    BillTemplate bill;
    deliveryNote(bill, rows, cols, false);
    bill.mRowHeight = rowHeight;
    bill.mColWidth = colWidth;
    auto device = installDevice();
    Mod_Print::PrintBill(bill, bill.mScreenID, bill.mID, DemoDatabase::LongBillNo, 0, false, false);
    const int pages = (45 + perPage - 1) / perPage;
    QCOMPARE(int(device->completed.size()), pages);
    for (int page = 1; page <= pages; ++page) {
        const RecordingPrintDevice::Page &printed = device->completed[std::size_t(page - 1)];
        const int first = (page - 1) * perPage;
        const int count = std::min(perPage, 45 - first);
        QStringList expected;
        for (int line = first + 1; line <= first + count; ++line)
            expected << QString::number(line);
        expected << QString::number(page) << QString::number(pages);
        QCOMPARE(lineNumbers(printed), expected);
        QVERIFY2(printed.texts.contains(QStringLiteral("小计") + sqliteSum(1002, first, count)),
                 qPrintable(printed.texts.join(QLatin1Char('|'))));
        QVERIFY(printed.texts.contains(QStringLiteral("总计") + sqliteSum(1002, 0, first + count)));
    }
}

void TestPrintDocuments::gridOffThePageWarnsOnceBeforeTheRun_data()
{
    QTest::addColumn<QString>("run");
    QTest::addColumn<bool>("offPage");
    QTest::newRow("preview") << "preview" << true;
    QTest::newRow("print") << "print" << true;
    QTest::newRow("batch of three") << "batch" << true;
    QTest::newRow("a grid on the page says nothing") << "print" << false;
}

void TestPrintDocuments::gridOffThePageWarnsOnceBeforeTheRun()
{
    QFETCH(QString, run);
    QFETCH(bool, offPage);
    BillTemplate bill;
    deliveryNote(bill, 5, 1, false);
    if (offPage)
        bill.mRowHeight = Units::mmToTwips(400);
    auto device = installDevice();
    if (run == QLatin1String("batch")) {
        const Mod_Print::Documents documents = Mod_Print::ReadDocuments(bill, {1001, 1002, 1003});
        Mod_Print::PrintDocuments(bill, documents, *device);
    } else {
        Mod_Print::PrintBill(bill, bill.mScreenID, bill.mID, DemoDatabase::LongBillNo, 0,
                             run == QLatin1String("preview"), false);
    }
    const QStringList warnings = m_dialogs->messages();
    if (!offPage) {
        QCOMPARE(warnings, QStringList());
        return;
    }
    QCOMPARE(warnings.size(), 1);
    QVERIFY2(warnings.front().startsWith(QStringLiteral("单据“发货单”的滚动打印超出了页面：设置了 5 "
                                                        "行，只有前 1 行在页面上。")),
             qPrintable(warnings.front()));
    QCOMPARE(m_dialogs->shown.front().kind, QStringLiteral("MsgBox"));
    QCOMPARE(m_dialogs->shown.front().title, QStringLiteral("发货单"));
    QCOMPARE(m_dialogs->shown.front().icon, MsgIcon::Exclamation);
    if (run == QLatin1String("preview"))
        QCOMPARE(m_dialogs->shown.back().kind, QStringLiteral("Modal"));
    else
        QVERIFY(!device->completed.empty());
}

// The demonstration documents copied to a server of the test's own print,
// from the same template, the same words at the same places.
void TestPrintDocuments::sqliteAndPostgresPrintTheSame()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    PostgresCluster cluster;
    const QString failure = cluster.start();
    if (!failure.isEmpty()) {
        if (qEnvironmentVariableIsSet("CI"))
            QFAIL(qPrintable(failure));
        QSKIP(qPrintable(failure));
    }
    QCOMPARE(cluster.exec(QStringLiteral("postgres"), {QStringLiteral("CREATE DATABASE erp")}),
             QString());
    QStringList statements{
        QStringLiteral("CREATE TABLE Bills (BillNo integer PRIMARY KEY, BillDate date NOT NULL,"
                       " Customer text NOT NULL, Address text, Contact text, Phone text,"
                       " Warehouse text, Handler text, Total numeric(14,2) NOT NULL, Remark text)"),
        QStringLiteral("CREATE TABLE BillLines (BillNo integer NOT NULL, LineNo integer NOT NULL,"
                       " Code text, Item text NOT NULL, Variant text, Unit text, Qty integer NOT NULL,"
                       " Price numeric(12,2) NOT NULL, Amount numeric(14,2) NOT NULL,"
                       " PRIMARY KEY (BillNo, LineNo))")};
    {
        // Copied as text, so the server holds the decimals SQLite shows.
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("copy"));
        db.setDatabaseName(DemoDatabase::path());
        QVERIFY(db.open());
        QSqlQuery q(db);
        QVERIFY(q.exec(QStringLiteral("SELECT quote(BillNo) || ',' || quote(BillDate) || ',' ||"
                                      " quote(Customer) || ',' || quote(Address) || ',' ||"
                                      " quote(Contact) || ',' || quote(Phone) || ',' ||"
                                      " quote(Warehouse) || ',' || quote(Handler) || ',' ||"
                                      " quote(Total) || ',' || quote(Remark) FROM Bills")));
        while (q.next())
            statements << QStringLiteral("INSERT INTO Bills VALUES (%1)").arg(q.value(0).toString());
        QVERIFY(q.exec(QStringLiteral("SELECT quote(BillNo) || ',' || LineNo || ',' || quote(Code)"
                                      " || ',' || quote(Item) || ',' || quote(Variant) || ',' ||"
                                      " quote(Unit) || ',' || CAST(Qty AS INTEGER) || ',' ||"
                                      " quote(Price) || ',' || quote(Amount) FROM BillLines")));
        while (q.next())
            statements << QStringLiteral("INSERT INTO BillLines VALUES (%1)").arg(q.value(0).toString());
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("copy"));
    const QString copied = cluster.exec(QStringLiteral("erp"), statements);
    QVERIFY2(copied.isEmpty(), qPrintable(copied));

    DocumentType server = demoVariant(ServerType, QStringLiteral("发货单(服务器)"));
    server.source = DataSourceSettings();
    server.source.driver = QStringLiteral("QPSQL");
    server.source.host = cluster.socketDir();
    server.source.port = PostgresCluster::Port;
    server.source.databaseName = QStringLiteral("erp");
    server.source.user = PostgresCluster::User;
    QList<DocumentType> types = DocumentTypes::types();
    types << server;
    DocumentTypes::setTypes(types);
    m_dialogs->passwordAnswers = {PostgresCluster::Password};

    QList<QList<PdfPage>> printed;
    for (const int16_t type : {DemoDatabase::CategoryID, ServerType}) {
        BillTemplate bill;
        deliveryNote(bill, 10, 1, false);
        addData(bill, 6000, 1000, FieldVocabulary::HeaderCode(QStringLiteral("日期")),
                QStringLiteral("yyyy年mm月dd日"));
        addData(bill, 5000, 15000, FieldVocabulary::HeaderCode(QStringLiteral("合计金额")),
                QStringLiteral("[大写金额]"), false, false, false, 6000);
        addData(bill, Left + 4000, Top, FieldVocabulary::DetailCode(QStringLiteral("数量")),
                QString(), true);
        bill.mScreenID = type;
        const QString pdf = m_dir.filePath(QStringLiteral("from-%1.pdf").arg(type));
        Mod_Print::setPrintDeviceFactory([pdf] { return std::make_shared<QtPrintDevice>(pdf); });
        Mod_Print::PrintBill(bill, bill.mScreenID, bill.mID, DemoDatabase::LongBillNo, 0, false, false);
        QVERIFY2(m_dialogs->messages().isEmpty(), qPrintable(m_dialogs->messages().join(QLatin1Char('\n'))));
        printed << readBack(pdf);
    }
    QCOMPARE(m_dialogs->shown.size(), std::size_t(1)); // the password, once
    QCOMPARE(printed.at(0).size(), 5);
    QCOMPARE(printed.at(1).size(), 5);
    for (int p = 0; p < 5; ++p) {
        const QList<Word> &a = printed.at(0).at(p).words;
        const QList<Word> &b = printed.at(1).at(p).words;
        QStringList words;
        for (const Word &w : a)
            words << w.text;
        QVERIFY2(a.size() >= 22, qPrintable(words.join(QLatin1Char('|'))));
        QCOMPARE(a.size(), b.size());
        for (int i = 0; i < a.size(); ++i) {
            QCOMPARE(b.at(i).text, a.at(i).text);
            QCOMPARE(b.at(i).xMin, a.at(i).xMin);
            QCOMPARE(b.at(i).yMin, a.at(i).yMin);
        }
    }
}

QTEST_MAIN(TestPrintDocuments)
#include "tst_print_documents.moc"
