// The batch as an administrator or a script runs it, with the slips they
// make: it never destroys a file it did not make for the run, never reports
// a failure as success, and names what went wrong and where.

#include "app/BatchPrint.h"
#include "tests/app/BatchFixtures.h"
#include "app/BatchProgress.h"

#include "print/FieldVocabulary.h"

#include "documents/DemoDatabase.h"
#include "model/BillTemplate.h"
#include "platform/AppSetup.h"
#include "platform/Element.h"
#include "platform/ElementArray.h"
#include "platform/Platform.h"
#include "store/TemplateStore.h"
#include "tests/store/VersionOneStore.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <sys/mount.h>
#include <unistd.h>

#include <memory>

namespace {

constexpr int16_t ShopCategory = 1;

void saveDeliveryNote(TemplateStore &store, const QString &name, int16_t category)
{
    using namespace FieldVocabulary;
    BillTemplate bill;
    bill.mrowcount = 10;
    bill.mRowHeight = 300;
    bill.mObjs.page().setWidth(11906);
    bill.mObjs.page().setHeight(16838);
    addField(bill, 1000, HeaderCode(QStringLiteral("客户")), false);
    addField(bill, 3000, DetailCode(QStringLiteral("品名")), true);
    addField(bill, 3000 + 0, DetailCode(QStringLiteral("金额")), true);
    addField(bill, 7000, DetailCode(QStringLiteral("金额")), false, true);
    bill.Caption = name;
    bill.mScreenID = category;
    QCOMPARE(store.save(bill), SaveResult::Saved);
}

QByteArray hashOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1);
}

bool exec(const QString &file, const QStringList &statements)
{
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("setup"));
        db.setDatabaseName(file);
        ok = db.open() && db.transaction();
        QSqlQuery q(db);
        for (const QString &statement : statements)
            ok = ok && q.exec(statement);
        ok = ok && db.commit();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("setup"));
    return ok;
}

// The shop's own documents: 1 to 3 plain, 4 with an amount beyond what
// prints, 5 with a detail query that runs away.
bool makeShop(const QString &file)
{
    QStringList statements{
        QStringLiteral("CREATE TABLE Bills (BillNo INTEGER PRIMARY KEY, Customer TEXT)"),
        QStringLiteral("CREATE TABLE BillLines (BillNo INTEGER, LineNo INTEGER, Item TEXT, Amount REAL)"),
    };
    for (int b = 1; b <= 5; ++b) {
        statements << QStringLiteral("INSERT INTO Bills VALUES (%1, '客户%1')").arg(b);
        for (int l = 1; l <= 3; ++l)
            statements << QStringLiteral("INSERT INTO BillLines VALUES (%1, %2, '货品%2', %3)")
                              .arg(b)
                              .arg(l)
                              .arg(b == 4 && l == 2 ? QStringLiteral("1e300") : QStringLiteral("12.5"));
    }
    statements << QStringLiteral("WITH RECURSIVE n(x) AS (SELECT 4 UNION ALL SELECT x + 1 FROM n"
                                 " WHERE x < 100010) INSERT INTO BillLines SELECT 5, x, '螺丝', 1 FROM n");
    return exec(file, statements);
}

} // namespace

class TestBatchGuard : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void storeGuarded_data();
    void storeGuarded();
    void outputRefusedBeforeAnythingIsWritten_data();
    void outputRefusedBeforeAnythingIsWritten();
    void fullDiskLeavesNoFile();
    void stoppedPartWayLeavesNoFile_data();
    void stoppedPartWayLeavesNoFile();
    void slipsOnTheCommandLine_data();
    void slipsOnTheCommandLine();
    void progressOnATerminalAndInALog();

private:
    struct Outcome
    {
        int status = -1;
        QString said;
    };
    Outcome program(const QStringList &arguments, const QString &store = QString(),
                    const QStringList &wrapper = {});
    // Files in the folder other than those the test made there.
    QStringList leftIn(const QString &folder) const;

    QTemporaryDir m_dir;
    QString m_store;
    QString m_shop;
    QString m_demo;
};

void TestBatchGuard::initTestCase()
{
    AppSetup::installFontSubstitutions();
    QVERIFY(m_dir.isValid());
    m_store = m_dir.filePath(QStringLiteral("templates.sqlite"));
    m_shop = m_dir.filePath(QStringLiteral("shop.sqlite"));
    // Where the program, told XDG_DATA_HOME, keeps its demonstration database.
    m_demo = m_dir.filePath(QStringLiteral("data/tavrel/demo.sqlite"));
    DemoDatabase::setPath(m_demo);
    DemoDatabase::ensure(m_demo);
    QVERIFY(makeShop(m_shop));
    TemplateStore store(m_store);
    Category shop;
    shop.id = -1;
    shop.name = QStringLiteral("门店");
    shop.driver = QStringLiteral("QSQLITE");
    shop.databaseName = m_shop;
    shop.headerQuery = QStringLiteral("SELECT Customer AS 客户 FROM Bills WHERE BillNo = :BillNo");
    shop.detailQuery = QStringLiteral(
        "SELECT Item AS 品名, Amount AS 金额 FROM BillLines WHERE BillNo = :BillNo ORDER BY LineNo");
    QCOMPARE(store.saveCategory(shop), ShopCategory);
    saveDeliveryNote(store, QStringLiteral("发货单"), DemoDatabase::CategoryID);
    saveDeliveryNote(store, QStringLiteral("门店单"), ShopCategory);
}

void TestBatchGuard::cleanup()
{
    QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TestBatchGuard::Outcome TestBatchGuard::program(const QStringList &arguments, const QString &store,
                                                const QStringList &wrapper)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), m_dir.filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.filePath(QStringLiteral("config")));
    QProcess process;
    process.setProcessEnvironment(environment);
    const QStringList full = arguments + QStringList{"--store", store.isEmpty() ? m_store : store};
    if (wrapper.isEmpty())
        process.start(QStringLiteral(TAVREL_EXE), full);
    else
        process.start(wrapper.front(), wrapper.mid(1) + QStringList{QStringLiteral(TAVREL_EXE)} + full);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardError())};
}

QStringList TestBatchGuard::leftIn(const QString &folder) const
{
    QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &ours : {QStringLiteral("templates.sqlite"), QStringLiteral("shop.sqlite")})
        names.removeAll(ours);
    return names;
}

void TestBatchGuard::storeGuarded_data()
{
    QTest::addColumn<QString>("store");
    QTest::addColumn<QString>("said");
    QTest::newRow("mistyped --store") << "missing" << "单据模板库文件不存在";
    QTest::newRow("another program's database") << "shop" << "不是单据模板库";
    QTest::newRow("store cut short") << "cut" << ".recover";
    QTest::newRow("older store") << "older" << "较旧版本";
}

// Nothing is made, taken over or upgraded; the file stays as it was.
void TestBatchGuard::storeGuarded()
{
    QFETCH(QString, store);
    QFETCH(QString, said);
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("templates.sqlite"));
    if (store == "shop") {
        path = m_shop;
    } else if (store == "cut") {
        QVERIFY(QFile::copy(m_store, path));
        QVERIFY(QFile::resize(path, QFileInfo(path).size() - 1024));
    } else if (store == "older") {
        QVERIFY(makeVersionOneStore(path));
    }
    const QByteArray before = hashOf(path);
    const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
    const Outcome outcome = program({"--template", "发货单", "--bills", "1001", "--pdf", pdf}, path);
    QCOMPARE(outcome.status, int(BatchPrint::DocumentsFailed));
    QVERIFY2(outcome.said.contains(said) && outcome.said.contains(path), qPrintable(outcome.said));
    QCOMPARE(hashOf(path), before);
    QCOMPARE(QFileInfo::exists(path), store != "missing");
    QVERIFY(!QFileInfo::exists(pdf));
}

void TestBatchGuard::outputRefusedBeforeAnythingIsWritten_data()
{
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<QString>("said");
    QTest::newRow("the store") << "store" << "store" << "这是单据模板库";
    QTest::newRow("the store through a symbolic link") << "symlink" << "store" << "这是单据模板库";
    QTest::newRow("the store through a hard link") << "hardlink" << "store" << "这是单据模板库";
    QTest::newRow("the demonstration database") << "demo" << "demo" << "这是演示数据库";
    QTest::newRow("a document type's database") << "shop" << "shop" << "这是单据类别“门店”的数据库";
    QTest::newRow("a folder") << "folder" << "" << "这是一个文件夹";
    QTest::newRow("a device") << "/dev/full" << "" << "不是普通文件";
    QTest::newRow("a folder that does not exist") << "nofolder" << "" << "不存在";
    QTest::newRow("a name too long") << "long" << "" << "文件名太长";
}

void TestBatchGuard::outputRefusedBeforeAnythingIsWritten()
{
    QFETCH(QString, output);
    QFETCH(QString, kept);
    QFETCH(QString, said);
    QTemporaryDir dir;
    const QString keptFile = kept == "store" ? m_store : kept == "demo" ? m_demo
                             : kept == "shop" ? m_shop : QString();
    QString pdf = output;
    if (output == "store" || output == "demo" || output == "shop") {
        pdf = keptFile;
    } else if (output == "symlink") {
        pdf = dir.filePath(QStringLiteral("link.pdf"));
        QVERIFY(QFile::link(m_store, pdf));
    } else if (output == "hardlink") {
        pdf = m_dir.filePath(QStringLiteral("hard.pdf"));
        QVERIFY(::link(QFile::encodeName(m_store).constData(), QFile::encodeName(pdf).constData()) == 0);
    } else if (output == "folder") {
        pdf = dir.path();
    } else if (output == "nofolder") {
        pdf = dir.filePath(QStringLiteral("no/such/out.pdf"));
    } else if (output == "long") {
        pdf = dir.filePath(QString(100, QChar(0x5355)) + QStringLiteral(".pdf"));
    }
    const QByteArray before = hashOf(keptFile);
    const QString template_ = kept == "shop" ? QStringLiteral("门店单") : QStringLiteral("发货单");
    const QString bills = kept == "shop" ? QStringLiteral("1-3") : QStringLiteral("1001-1003");
    const Outcome outcome = program({"--template", template_, "--bills", bills, "--pdf", pdf});
    QFile::remove(m_dir.filePath(QStringLiteral("hard.pdf")));
    QCOMPARE(outcome.status, int(BatchPrint::OutputFailed));
    QVERIFY2(outcome.said.contains(said), qPrintable(outcome.said));
    QVERIFY2(outcome.said.contains(QStringLiteral("无法写入 PDF 文件")), qPrintable(outcome.said));
    QVERIFY2(!outcome.said.contains(QStringLiteral("已打印")), qPrintable(outcome.said));
    if (!keptFile.isEmpty())
        QCOMPARE(hashOf(keptFile), before);
    QCOMPARE(leftIn(dir.path()), output == "symlink" ? QStringList{"link.pdf"} : QStringList());
    QCOMPARE(leftIn(m_dir.path()), QStringList());
}

// A 64 KB disk fills up part-way. Where no disk can be mounted, the
// process is held to 64 KB files instead: the write fails the same way.
void TestBatchGuard::fullDiskLeavesNoFile()
{
    QTemporaryDir dir;
    QStringList wrapper;
    const QString disk = dir.filePath(QStringLiteral("disk"));
    QVERIFY(QDir().mkpath(disk));
    const bool mounted = ::mount("tavrel-test", QFile::encodeName(disk).constData(), "tmpfs", 0,
                                 "size=64k")
                         == 0;
    QString said = QStringLiteral("磁盘空间不足");
    if (!mounted) {
        if (QStandardPaths::findExecutable(QStringLiteral("prlimit")).isEmpty())
            QSKIP("neither a tmpfs can be mounted nor prlimit (util-linux) run");
        qInfo("no tmpfs (%s): the file size is limited instead", std::strerror(errno));
        wrapper = QStringList{QStringLiteral("prlimit"), QStringLiteral("--fsize=65536"),
                              QStringLiteral("--")};
        said = QStringLiteral("文件超出允许的大小");
    }
    const QString pdf = QDir(disk).filePath(QStringLiteral("bills.pdf"));
    const Outcome outcome
        = program({"--template", "发货单", "--bills", "1001-1004,1001-1004,1001-1004,1001-1004,1002,1002",
                   "--pdf", pdf},
                  QString(), wrapper);
    const QStringList left = leftIn(disk);
    if (mounted)
        ::umount(QFile::encodeName(disk).constData());
    QCOMPARE(outcome.status, int(BatchPrint::OutputFailed));
    QVERIFY2(outcome.said.contains(said) && outcome.said.contains(pdf), qPrintable(outcome.said));
    QVERIFY2(!outcome.said.contains(QStringLiteral("已打印 18")), qPrintable(outcome.said));
    QCOMPARE(left, QStringList());
}

void TestBatchGuard::stoppedPartWayLeavesNoFile_data()
{
    QTest::addColumn<QString>("bills");
    QTest::addColumn<QStringList>("said");
    QTest::newRow("an amount beyond what prints")
        << "1,2,4,3" << QStringList{"打印在单据 4 处停止", "金额", "1e+300", "已排好 2/4"};
    QTest::newRow("a detail query that runs away")
        << "1-3,5" << QStringList{"打印在单据 5 处停止", "100000", "已排好 3/4"};
}

// Documents printed before the one that failed leave no file that looks
// complete; the message names the document and how far the run got.
void TestBatchGuard::stoppedPartWayLeavesNoFile()
{
    QFETCH(QString, bills);
    QFETCH(QStringList, said);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
    const Outcome outcome = program({"--template", "门店单", "--bills", bills, "--pdf", pdf});
    QCOMPARE(outcome.status, int(BatchPrint::DocumentsFailed));
    for (const QString &part : said)
        QVERIFY2(outcome.said.contains(part), qPrintable(outcome.said));
    QVERIFY2(outcome.said.contains(pdf), qPrintable(outcome.said));
    QCOMPARE(leftIn(dir.path()), QStringList());
}

void TestBatchGuard::slipsOnTheCommandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("said");
    const int bad = BatchPrint::BadArguments;
    QTest::newRow("--pdf with no name")
        << QStringList{"--template", "发货单", "--bills", "1001", "--pdf", ""} << bad << "--pdf";
    QTest::newRow("an option given twice")
        << QStringList{"--template", "发货单", "--bills", "1001", "--pdf", "a.pdf", "--pdf", "b.pdf"}
        << bad << "--pdf 给了 2 次";
    QTest::newRow("a reversed range") << QStringList{"--template", "发货单", "--bills", "1005-1001"}
                                      << bad << "范围“1005-1001”是反的";
    QTest::newRow("missing documents named together")
        << QStringList{"--template", "发货单", "--bills", "1001,998-999,1004,77"}
        << int(BatchPrint::DocumentsFailed) << "没有以下 3 张单据，打印没有开始：998、999、77";
}

void TestBatchGuard::slipsOnTheCommandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, said);
    const Outcome outcome = program(arguments);
    QCOMPARE(outcome.status, status);
    QVERIFY2(outcome.said.contains(said), qPrintable(outcome.said));
    QCOMPARE(leftIn(m_dir.path()), QStringList());
}

void TestBatchGuard::progressOnATerminalAndInALog()
{
    QString terminal, log;
    BatchProgress onTerminal([&](const QString &t) { terminal += t; }, 0, true);
    BatchProgress inLog([&](const QString &t) { log += t; }, 0, false);
    for (int done = 1; done <= 3; ++done) {
        onTerminal.report(done, 3);
        inLog.report(done, 3);
    }
    onTerminal.end();
    inLog.end();
    QCOMPARE(terminal, QStringLiteral("\r已打印 1/3 张单据\r已打印 2/3 张单据\r已打印 3/3 张单据\n"));
    QCOMPARE(log, QStringLiteral("已打印 1/3 张单据\n已打印 2/3 张单据\n已打印 3/3 张单据\n"));
    // At most once a second: a quick batch reports nothing on its way.
    QString quiet;
    BatchProgress everySecond([&](const QString &t) { quiet += t; }, 1000, false);
    for (int done = 1; done <= 100; ++done)
        everySecond.report(done, 100);
    QCOMPARE(quiet, QString());
}

QTEST_MAIN(TestBatchGuard)
#include "tst_batchguard.moc"
