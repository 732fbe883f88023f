// Data sources that cannot be misused: queries must take the document
// number, connections never write, listing columns never runs a statement
// that is not a query, a slow read gives up after its time limit or when
// cancelled, and a demonstration database that cannot be made is named.

#include "PostgresCluster.h"
#include "tests/platform/ErrorOf.h"

#include "tests/platform/AsNobody.h"

#include "documents/DemoDatabase.h"
#include "documents/DocumentSource.h"
#include "documents/PasswordVault.h"

#include "platform/FakeDialogs.h"
#include "platform/Platform.h"
#include "platform/RuntimeError.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <sys/mount.h>
#include <sys/resource.h>

#include <csignal>
#include <memory>
#include <optional>

namespace {


const QString Header = QStringLiteral("SELECT Customer AS 客户 FROM Bills WHERE BillNo = :BillNo");
const QString Detail
    = QStringLiteral("SELECT Item AS 品名 FROM BillLines WHERE BillNo = :BillNo ORDER BY LineNo");

const QStringList Documents{
    QStringLiteral("CREATE TABLE Bills (BillNo integer PRIMARY KEY, Customer text)"),
    QStringLiteral("CREATE TABLE BillLines (BillNo integer, LineNo integer, Item text)"),
    QStringLiteral("INSERT INTO Bills VALUES (1, '华联'), (2, '新元')"),
    QStringLiteral("INSERT INTO BillLines VALUES (1, 1, '复印纸'), (1, 2, '订书机'), (2, 1, '电阻')"),
};

// Runs slowly on either server: SQLite counts to a billion, PostgreSQL sleeps.
QString slowHeader(const QString &driver)
{
    if (driver == QLatin1String("QPSQL"))
        return QStringLiteral(
            "SELECT Customer AS 客户 FROM Bills CROSS JOIN pg_sleep(20) WHERE BillNo = :BillNo");
    return QStringLiteral("WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c"
                          " WHERE x < 1000000000) SELECT max(x) AS 客户, :BillNo AS n FROM c");
}

} // namespace

class TestSourceGuard : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void queriesMustTakeTheBillNo_data();
    void queriesMustTakeTheBillNo();
    void nothingIsEverWritten_data();
    void nothingIsEverWritten();
    void slowReadGivesUp_data();
    void slowReadGivesUp();
    void demoDatabaseThatCannotBeMadeIsNamed_data();
    void demoDatabaseThatCannotBeMadeIsNamed();

private:
    void addDrivers();
    DocumentType typeOn(const QString &driver) const;
    int rows(const QString &driver, const QString &table) const;

    QTemporaryDir m_dir;
    QString m_sqlite;
    std::unique_ptr<PostgresCluster> m_cluster;
    QString m_clusterFailure;
    FakeDialogs *m_dialogs = nullptr;
};

void TestSourceGuard::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_sqlite = m_dir.filePath(QStringLiteral("bills.sqlite"));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("setup"));
        db.setDatabaseName(m_sqlite);
        QVERIFY(db.open());
        QSqlQuery q(db);
        for (const QString &statement : Documents)
            QVERIFY(q.exec(statement));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("setup"));
    m_cluster = std::make_unique<PostgresCluster>();
    m_clusterFailure = m_cluster->start();
    if (m_clusterFailure.isEmpty()) {
        m_clusterFailure = m_cluster->exec(QStringLiteral("postgres"), {QStringLiteral("CREATE DATABASE bills")});
        if (m_clusterFailure.isEmpty())
            m_clusterFailure = m_cluster->exec(QStringLiteral("bills"), Documents);
    }
}

void TestSourceGuard::init()
{
    m_dialogs = &Platform::installFakes();
    m_dialogs->passwordAnswers = {PostgresCluster::Password};
    PasswordVault::clear();
    const QString driver = QTest::currentDataTag() ? QString::fromLatin1(QTest::currentDataTag()) : QString();
    if (driver.startsWith(QLatin1String("QPSQL")) && !m_clusterFailure.isEmpty()) {
        if (qEnvironmentVariableIsSet("CI"))
            QFAIL(qPrintable(m_clusterFailure));
        QSKIP(qPrintable(m_clusterFailure));
    }
}

void TestSourceGuard::cleanupTestCase()
{
    m_cluster.reset();
}

void TestSourceGuard::addDrivers()
{
    QTest::addColumn<QString>("driver");
}

DocumentType TestSourceGuard::typeOn(const QString &driver) const
{
    DocumentType type;
    type.id = 5;
    type.name = QStringLiteral("发货单");
    type.source.driver = driver;
    if (driver == QLatin1String("QPSQL")) {
        type.source.host = m_cluster->socketDir();
        type.source.port = PostgresCluster::Port;
        type.source.databaseName = QStringLiteral("bills");
        type.source.user = PostgresCluster::User;
    } else {
        type.source.databaseName = m_sqlite;
    }
    type.headerQuery = Header;
    type.detailQuery = Detail;
    return type;
}

int TestSourceGuard::rows(const QString &driver, const QString &table) const
{
    int count = -1;
    if (driver == QLatin1String("QPSQL")) {
        const QString name = QStringLiteral("count");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
            db.setHostName(m_cluster->socketDir());
            db.setPort(PostgresCluster::Port);
            db.setDatabaseName(QStringLiteral("bills"));
            db.setUserName(PostgresCluster::User);
            db.setPassword(PostgresCluster::Password);
            QSqlQuery q(db);
            if (db.open() && q.exec(QStringLiteral("SELECT COUNT(*) FROM ") + table) && q.next())
                count = q.value(0).toInt();
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
        return count;
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("count"));
        db.setDatabaseName(m_sqlite);
        QSqlQuery q(db);
        if (db.open() && q.exec(QStringLiteral("SELECT COUNT(*) FROM ") + table) && q.next())
            count = q.value(0).toInt();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("count"));
    return count;
}

void TestSourceGuard::queriesMustTakeTheBillNo_data()
{
    QTest::addColumn<QString>("header");
    QTest::addColumn<QString>("detail");
    QTest::addColumn<QString>("missing");
    QTest::newRow("both take it") << Header << Detail << "";
    QTest::newRow("header without it") << "SELECT Customer AS 客户 FROM Bills" << Detail
                                       << "表头查询缺少参数 :BillNo";
    QTest::newRow("detail without it") << Header << "SELECT Item AS 品名 FROM BillLines"
                                       << "明细查询缺少参数 :BillNo";
    QTest::newRow("a longer name is not it")
        << "SELECT Customer AS 客户 FROM Bills WHERE BillNo = :BillNos" << Detail
        << "表头查询缺少参数 :BillNo";
    QTest::newRow("neither") << "" << "" << "表头查询缺少参数 :BillNo；明细查询缺少参数 :BillNo";
}

// A header query without the number finds "a" document for every number;
// such a type reads nothing.
void TestSourceGuard::queriesMustTakeTheBillNo()
{
    QFETCH(QString, header);
    QFETCH(QString, detail);
    QFETCH(QString, missing);
    DocumentType type = typeOn(QStringLiteral("QSQLITE"));
    type.headerQuery = header;
    type.detailQuery = detail;
    QCOMPARE(DocumentSource::missingParameter(type), missing);
    DocumentSource source(type);
    const std::optional<RuntimeError> error = errorOf([&] { source.read(999); });
    if (missing.isEmpty()) {
        QCOMPARE(error->Number(), int(RuntimeError::DocumentNotFound));
        return;
    }
    for (const auto &call : std::initializer_list<std::function<void()>>{
             [&] { source.read(1); }, [&] { source.exists(999); }, [&] { source.test(); }}) {
        const std::optional<RuntimeError> refused = errorOf(call);
        QVERIFY(refused);
        QCOMPARE(refused->Number(), int(RuntimeError::DataSourceQueryFailed));
        QCOMPARE(refused->Description(), missing);
    }
}

void TestSourceGuard::nothingIsEverWritten_data()
{
    QTest::addColumn<QString>("driver");
    QTest::addColumn<QString>("what");
    QTest::addColumn<QString>("header");
    QTest::addColumn<QString>("detail");
    const QString deleting = QStringLiteral("DELETE FROM Bills WHERE BillNo = :BillNo RETURNING BillNo");
    const QString cte = QStringLiteral("WITH gone AS (DELETE FROM BillLines WHERE BillNo = :BillNo"
                                       " RETURNING Item) SELECT Item AS 品名 FROM gone");
    for (const char *driver : {"QSQLITE", "QPSQL"}) {
        QTest::addRow("%s columns of a delete", driver)
            << driver << "columns" << deleting << Detail;
        QTest::addRow("%s reading with a delete", driver) << driver << "read" << deleting << Detail;
        QTest::addRow("%s reading with a deleting detail", driver)
            << driver << "read" << Header << cte;
    }
}

void TestSourceGuard::nothingIsEverWritten()
{
    QFETCH(QString, driver);
    QFETCH(QString, what);
    QFETCH(QString, header);
    QFETCH(QString, detail);
    DocumentType type = typeOn(driver);
    type.headerQuery = header;
    type.detailQuery = detail;
    DocumentSource source(type);
    const std::optional<RuntimeError> refused
        = errorOf([&] { what == "columns" ? void(source.headerColumns()) : void(source.read(1)); });
    QVERIFY(refused);
    QCOMPARE(rows(driver, QStringLiteral("Bills")), 2);
    QCOMPARE(rows(driver, QStringLiteral("BillLines")), 3);
    // The type's good queries still read on a fresh connection.
    DocumentSource good(typeOn(driver));
    QCOMPARE(good.read(1).lineCount(), 2);
}

void TestSourceGuard::slowReadGivesUp_data()
{
    QTest::addColumn<QString>("driver");
    QTest::addColumn<bool>("cancel");
    QTest::newRow("QSQLITE after its time limit") << "QSQLITE" << false;
    QTest::newRow("QSQLITE cancelled") << "QSQLITE" << true;
    QTest::newRow("QPSQL after its time limit") << "QPSQL" << false;
    QTest::newRow("QPSQL cancelled") << "QPSQL" << true;
}

// The read stops at its limit (or at once when cancelled from another
// thread) instead of running for minutes, and the source reads again.
void TestSourceGuard::slowReadGivesUp()
{
    QFETCH(QString, driver);
    QFETCH(bool, cancel);
    DocumentType type = typeOn(driver);
    type.headerQuery = slowHeader(driver);
    type.timeoutSeconds = cancel ? 60 : 1;
    DocumentSource source(type);
    source.open();
    std::unique_ptr<QThread> canceller;
    if (cancel) {
        canceller.reset(QThread::create([&source] {
            QThread::msleep(300);
            source.cancel();
        }));
        canceller->start();
    }
    QElapsedTimer clock;
    clock.start();
    const std::optional<RuntimeError> stopped = errorOf([&] { source.read(1); });
    const qint64 took = clock.elapsed();
    if (canceller)
        canceller->wait();
    QVERIFY(stopped);
    QCOMPARE(stopped->Number(),
             int(cancel ? RuntimeError::DataSourceCancelled : RuntimeError::DataSourceTimedOut));
    QCOMPARE(stopped->Source(), type.name);
    if (!cancel)
        QVERIFY2(stopped->Description().contains(QStringLiteral("超过 1 秒")),
                 qPrintable(stopped->Description()));
    // Far short of the minutes the query would run.
    QVERIFY2(took < 15000, qPrintable(QString::number(took)));
    DocumentSource again(typeOn(driver));
    QCOMPARE(again.read(2).lineCount(), 1);
}

void TestSourceGuard::demoDatabaseThatCannotBeMadeIsNamed_data()
{
    QTest::addColumn<QString>("condition");
    QTest::addColumn<QStringList>("reasons");
    QTest::newRow("read-only folder") << "read-only" << QStringList{"不可写"};
    // SQLite reports a disk that filled up, or a write it could not make.
    QTest::newRow("full disk") << "full" << QStringList{"磁盘空间不足", "磁盘读写出错"};
}

void TestSourceGuard::demoDatabaseThatCannotBeMadeIsNamed()
{
    QFETCH(QString, condition);
    QFETCH(QStringList, reasons);
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("tavrel"));
    QVERIFY(QDir().mkpath(folder));
    const QString demo = QDir(folder).filePath(QStringLiteral("demo.sqlite"));
    std::optional<RuntimeError> error;
    QStringList left;
    if (condition == "read-only") {
        const auto readable = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther;
        QVERIFY(QFile::setPermissions(dir.path(), readable | QFile::WriteOwner));
        QVERIFY(QFile::setPermissions(folder, readable));
        AsNobody nobody;
        error = errorOf([&] { DemoDatabase::ensure(demo); });
    } else if (::mount("tavrel-test", QFile::encodeName(folder).constData(), "tmpfs", 0, "size=8k")
               == 0) {
        error = errorOf([&] { DemoDatabase::ensure(demo); });
        left = QDir(folder).entryList(QDir::Files | QDir::Hidden);
        ::umount(QFile::encodeName(folder).constData());
    } else {
        // No disk can be mounted here: files are held to 8 KB instead.
        qInfo("no tmpfs: the file size is limited instead");
        rlimit saved{};
        QVERIFY(::getrlimit(RLIMIT_FSIZE, &saved) == 0);
        const auto handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = 8192;
        QVERIFY(::setrlimit(RLIMIT_FSIZE, &small) == 0);
        error = errorOf([&] { DemoDatabase::ensure(demo); });
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, handler);
    }
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(error);
    QCOMPARE(error->Number(), int(RuntimeError::DemoDatabaseFailed));
    const QString message = error->Description();
    QVERIFY2(message.contains(demo), qPrintable(message));
    bool named = false;
    for (const QString &reason : reasons)
        named = named || message.contains(reason);
    QVERIFY2(named, qPrintable(message));
    left += QDir(folder).entryList(QDir::Files | QDir::Hidden);
    QCOMPARE(left, QStringList());
}

QTEST_GUILESS_MAIN(TestSourceGuard)
#include "tst_sourceguard.moc"
