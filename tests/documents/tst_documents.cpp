#include "PostgresCluster.h"
#include "tests/platform/ErrorOf.h"

#include "documents/Decimal.h"
#include "documents/DemoDatabase.h"
#include "documents/DocumentSource.h"
#include "documents/PasswordVault.h"

#include "platform/FakeDialogs.h"
#include "platform/Platform.h"
#include "platform/RuntimeError.h"

#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

namespace {

QString decimalText(const QVariant &v)
{
    return v.metaType() == QMetaType::fromType<Decimal>() ? v.value<Decimal>().toString()
                                                          : QStringLiteral("<not a decimal>");
}


DocumentType sqliteType(const QString &file, const QString &header, const QString &detail)
{
    DocumentType type;
    type.id = 7;
    type.name = QStringLiteral("发货单");
    type.source.driver = QStringLiteral("QSQLITE");
    type.source.databaseName = file;
    type.headerQuery = header;
    type.detailQuery = detail;
    return type;
}

// The demonstration documents, on the server: amounts as numeric(12,2),
// dates as date, the same column names through the same queries.
QStringList postgresDemo()
{
    QStringList statements{
        QStringLiteral("CREATE TABLE Bills (BillNo integer PRIMARY KEY, BillDate date NOT NULL,"
                       " Customer text NOT NULL, Total numeric(14,2) NOT NULL)"),
        QStringLiteral("CREATE TABLE BillLines (BillNo integer NOT NULL, LineNo integer NOT NULL,"
                       " Item text NOT NULL, Amount numeric(12,2) NOT NULL,"
                       " PRIMARY KEY (BillNo, LineNo))"),
        QStringLiteral("INSERT INTO Bills VALUES (1004, '2024-04-18', '杭州西溪五金店', 0.30)"),
        QStringLiteral("INSERT INTO BillLines VALUES (1004, 1, '十字螺丝', 0.10), (1004, 2, '平垫片', 0.20)"),
    };
    return statements;
}

const QString PgHeader = QStringLiteral(
    "SELECT BillNo AS \"单据号\", BillDate AS \"日期\", Customer AS \"客户\", Total AS \"合计金额\""
    " FROM Bills WHERE BillNo = :BillNo");
const QString PgDetail = QStringLiteral(
    "SELECT LineNo AS \"行号\", Item AS \"品名\", Amount AS \"金额\" FROM BillLines"
    " WHERE BillNo = :BillNo ORDER BY LineNo");

} // namespace

class TestDocuments : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void decimalSums_data();
    void decimalSums();
    void decimalRefusesWhatIsNoNumber_data();
    void decimalRefusesWhatIsNoNumber();

    void demoDatabaseIsMadeOnceWhole();
    void outdatedDemoDatabaseIsMadeAgain();

    void readsHeaderAndLinesAsPlainValues();
    void columnsWithoutFetchingRows();
    void failuresNameTheReason_data();
    void failuresNameTheReason();
    void billNoIsABoundValue();

    void postgresServer();

private:
    QTemporaryDir m_dir;
    FakeDialogs *m_dialogs = nullptr;
};

void TestDocuments::initTestCase()
{
    QVERIFY(m_dir.isValid());
    DemoDatabase::setPath(m_dir.filePath(QStringLiteral("demo.sqlite")));
}

void TestDocuments::init()
{
    m_dialogs = &Platform::installFakes();
    PasswordVault::clear();
}

void TestDocuments::decimalSums_data()
{
    QTest::addColumn<QStringList>("terms");
    QTest::addColumn<QString>("sum");
    QTest::newRow("0.1 + 0.2, not 0.30000000000000004") << QStringList{"0.1", "0.2"} << "0.3";
    QTest::newRow("scale of the longest term") << QStringList{"0.10", "0.2"} << "0.30";
    QTest::newRow("signs") << QStringList{"-12.50", "2.5"} << "-10.00";
    QTest::newRow("exponent notation") << QStringList{"1.5e-3", "1E2"} << "100.0015";
    QTest::newRow("leading point and plus") << QStringList{".5", "+3"} << "3.5";
    QTest::newRow("beyond 18 places rounds half away")
        << QStringList{"0.0000000000000000005"} << "0.000000000000000001";
    QTest::newRow("whole yuan of a large bill") << QStringList{"99999999999999.99", "0.01"}
                                                << "100000000000000.00";
}

void TestDocuments::decimalSums()
{
    QFETCH(QStringList, terms);
    QFETCH(QString, sum);
    Decimal total;
    for (const QString &term : terms) {
        const std::optional<Decimal> d = Decimal::fromString(term);
        QVERIFY2(d, qPrintable(term));
        total += *d;
    }
    QCOMPARE(total.toString(), sum);
    // What a REAL column holds reads back as the decimal it was written from.
    QCOMPARE(Decimal::fromDouble(0.1).toString(), QStringLiteral("0.1"));
    QCOMPARE(Decimal::fromDouble(1234.56).toString(), QStringLiteral("1234.56"));
}

void TestDocuments::decimalRefusesWhatIsNoNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("letters") << "abc";
    QTest::newRow("empty") << "";
    QTest::newRow("trailing text") << "12元";
    QTest::newRow("two points") << "1.2.3";
    QTest::newRow("beyond 10^20") << "123456789012345678901";
}

void TestDocuments::decimalRefusesWhatIsNoNumber()
{
    QFETCH(QString, text);
    QVERIFY(!Decimal::fromString(text));
}

void TestDocuments::demoDatabaseIsMadeOnceWhole()
{
    const QString file = m_dir.filePath(QStringLiteral("made/demo.sqlite"));
    DemoDatabase::ensure(file);
    QVERIFY(QFileInfo(file).isFile());
    QVERIFY(!QFileInfo::exists(file + QStringLiteral(".part")));
    const QDateTime made = QFileInfo(file).lastModified();
    QTest::qWait(20);
    DemoDatabase::ensure(file);
    QCOMPARE(QFileInfo(file).lastModified(), made);

    DocumentSource source(sqliteType(file, DemoDatabase::headerQuery(), DemoDatabase::detailQuery()));
    const DocumentData longBill = source.read(DemoDatabase::LongBillNo);
    QCOMPARE(longBill.lineCount(), DemoDatabase::LongBillLines);
    const int lineNo = longBill.detailIndex(QStringLiteral("行号"));
    for (int i = 0; i < longBill.lineCount(); ++i)
        QCOMPARE(decimalText(longBill.detailValue(i, lineNo)), QString::number(i + 1));
    const DocumentData capitals = source.read(DemoDatabase::CapitalsBillNo);
    QCOMPARE(decimalText(capitals.headerValue(QStringLiteral("合计金额"))),
             QStringLiteral("108006.05"));
    QCOMPARE(source.read(DemoDatabase::FirstBillNo).headerValue(QStringLiteral("客户")).toString(),
             QStringLiteral("上海华联商贸有限公司"));
}

// A file an earlier build made, with another line table and no version.
void TestDocuments::outdatedDemoDatabaseIsMadeAgain()
{
    const QString file = m_dir.filePath(QStringLiteral("old/demo.sqlite"));
    QVERIFY(QDir().mkpath(QFileInfo(file).absolutePath()));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("old"));
        db.setDatabaseName(file);
        QVERIFY(db.open());
        QSqlQuery q(db);
        QVERIFY(q.exec(QStringLiteral("CREATE TABLE BillLines (BillNo INTEGER, Grade TEXT)")));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("old"));
    DemoDatabase::ensure(file);
    DocumentSource source(sqliteType(file, DemoDatabase::headerQuery(), DemoDatabase::detailQuery()));
    QCOMPARE(source.read(DemoDatabase::LongBillNo).lineCount(), DemoDatabase::LongBillLines);
}

void TestDocuments::readsHeaderAndLinesAsPlainValues()
{

    const DocumentType demo = DemoDatabase::documentType();
    DocumentSource source(demo);
    const DocumentData data = source.read(1004);
    QCOMPARE(data.billNo, 1004);
    // SQLite keeps dates as text; the ISO form reads as a date.
    QCOMPARE(data.headerValue(QStringLiteral("日期")), QVariant(QDate(2024, 4, 18)));
    QCOMPARE(decimalText(data.headerValue(QStringLiteral("合计金额"))), QStringLiteral("0.3"));
    QCOMPARE(data.headerValue(QStringLiteral("备注")).toString(), QStringLiteral("样品"));
    // Columns are found whatever their case.
    QCOMPARE(data.headerIndex(QStringLiteral("单据号")), 0);
    QCOMPARE(data.detailColumns,
             QStringList({"行号", "编码", "品名", "规格", "单位", "数量", "单价", "金额"}));
    QCOMPARE(data.lineCount(), 2);
    QCOMPARE(data.detailValue(1, data.detailIndex(QStringLiteral("品名"))).toString(),
             QStringLiteral("平垫片"));
    QVERIFY(!data.detailValue(2, 0).isValid());
    QVERIFY(!data.headerValue(QStringLiteral("没有这列")).isValid());
}

void TestDocuments::columnsWithoutFetchingRows()
{
    DocumentSource source(DemoDatabase::documentType());
    const QList<DocumentColumn> header = source.headerColumns();
    QCOMPARE(header.size(), 10);
    QCOMPARE(header.at(0), (DocumentColumn{QStringLiteral("单据号"), DocumentColumn::Number}));
    QCOMPARE(header.at(2), (DocumentColumn{QStringLiteral("客户"), DocumentColumn::Other}));
    QCOMPARE(header.at(8), (DocumentColumn{QStringLiteral("合计金额"), DocumentColumn::Number}));
    const QList<DocumentColumn> detail = source.detailColumns();
    QCOMPARE(detail.size(), 8);
    QCOMPARE(detail.at(2), (DocumentColumn{QStringLiteral("品名"), DocumentColumn::Other}));
    QCOMPARE(detail.at(7), (DocumentColumn{QStringLiteral("金额"), DocumentColumn::Number}));
    // A query that cannot be wrapped still names its columns.
    DocumentType withCte = DemoDatabase::documentType();
    withCte.detailQuery = QStringLiteral("WITH l AS (SELECT Item FROM BillLines WHERE BillNo = "
                                         ":BillNo) SELECT Item AS \"品名\" FROM l;");
    DocumentSource cte(withCte);
    QCOMPARE(cte.detailColumns().size(), 1);
}

void TestDocuments::failuresNameTheReason_data()
{
    QTest::addColumn<QString>("driver");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("header");
    QTest::addColumn<int>("billNo");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("reasonPart");
    const QString demo = QStringLiteral("<demo>");
    QTest::newRow("missing file is not created")
        << "QSQLITE" << "nowhere/none.sqlite" << DemoDatabase::headerQuery() << 1001
        << int(RuntimeError::DataSourceUnreachable) << "数据库文件不存在";
    QTest::newRow("driver not installed") << "QNOSUCH" << demo << DemoDatabase::headerQuery()
                                          << 1001 << int(RuntimeError::DataSourceUnreachable)
                                          << "QNOSUCH";
    QTest::newRow("bad SQL") << "QSQLITE" << demo << "SELEKT nothing WHERE :BillNo" << 1001
                             << int(RuntimeError::DataSourceQueryFailed) << "syntax error";
    QTest::newRow("unknown column") << "QSQLITE" << demo << "SELECT Nope FROM Bills WHERE BillNo = :BillNo" << 1001
                                    << int(RuntimeError::DataSourceQueryFailed) << "Nope";
    QTest::newRow("no header query") << "QSQLITE" << demo << "" << 1001
                                     << int(RuntimeError::DataSourceQueryFailed) << "表头";
    QTest::newRow("unknown number") << "QSQLITE" << demo << DemoDatabase::headerQuery() << 1234
                                    << int(RuntimeError::DocumentNotFound) << "";
}

void TestDocuments::failuresNameTheReason()
{
    QFETCH(QString, driver);
    QFETCH(QString, file);
    QFETCH(QString, header);
    QFETCH(int, billNo);
    QFETCH(int, number);
    QFETCH(QString, reasonPart);
    const QString path = file == QLatin1String("<demo>") ? DemoDatabase::documentType().source.databaseName
                                                         : m_dir.filePath(file);
    DocumentType type = sqliteType(path, header, DemoDatabase::detailQuery());
    type.source.driver = driver;
    DocumentSource source(type);
    const std::optional<RuntimeError> e = errorOf([&] { source.read(billNo); });
    QVERIFY(e);
    QCOMPARE(e->Number(), number);
    QCOMPARE(e->Source(), QStringLiteral("发货单"));
    QVERIFY2(e->Description().contains(reasonPart), qPrintable(e->Description()));
    QVERIFY(!QFileInfo::exists(m_dir.filePath(QStringLiteral("nowhere"))));
}

// The number reaches the query as a value: text the query compares it
// with never matches SQL, and the same prepared query serves every number.
void TestDocuments::billNoIsABoundValue()
{
    DocumentType type = DemoDatabase::documentType();
    type.headerQuery = QStringLiteral("SELECT typeof(:BillNo) AS t, :BillNo AS n");
    DocumentSource source(type);
    QCOMPARE(source.read(1).headerValue(QStringLiteral("t")).toString(), QStringLiteral("integer"));
    QCOMPARE(decimalText(source.read(-42).headerValue(QStringLiteral("n"))), QStringLiteral("-42"));
}

void TestDocuments::postgresServer()
{
    PostgresCluster cluster;
    const QString failure = cluster.start();
    if (!failure.isEmpty()) {
        if (qEnvironmentVariableIsSet("CI"))
            QFAIL(qPrintable(failure));
        QSKIP(qPrintable(failure));
    }
    QVERIFY2(cluster.exec(QStringLiteral("postgres"), {QStringLiteral("CREATE DATABASE documents")})
                 .isEmpty(),
             "create database");
    const QString setup = cluster.exec(QStringLiteral("documents"), postgresDemo());
    QVERIFY2(setup.isEmpty(), qPrintable(setup));

    DocumentType type;
    type.id = 3;
    type.name = QStringLiteral("发货单(服务器)");
    type.source.driver = QStringLiteral("QPSQL");
    type.source.host = cluster.socketDir();
    type.source.port = PostgresCluster::Port;
    type.source.databaseName = QStringLiteral("documents");
    type.source.user = PostgresCluster::User;
    type.headerQuery = PgHeader;
    type.detailQuery = PgDetail;

    // A wrong password is refused with the server's reason and asked again.
    m_dialogs->passwordAnswers = {QStringLiteral("wrong"), PostgresCluster::Password};
    {
        DocumentSource source(type);
        const std::optional<RuntimeError> refused = errorOf([&] { source.open(); });
        QVERIFY(refused);
        QCOMPARE(refused->Number(), int(RuntimeError::DataSourceUnreachable));
        QVERIFY2(refused->Description().contains(QStringLiteral("password")),
                 qPrintable(refused->Description()));
        source.open();
    }
    // Once given, the password serves the whole session.
    DocumentSource source(type);
    const DocumentData data = source.read(1004);
    QCOMPARE(m_dialogs->shown.size(), std::size_t(2));
    QCOMPARE(m_dialogs->shown.back().kind, QStringLiteral("PasswordBox"));
    QCOMPARE(data.headerValue(QStringLiteral("日期")), QVariant(QDate(2024, 4, 18)));
    QCOMPARE(decimalText(data.headerValue(QStringLiteral("合计金额"))), QStringLiteral("0.30"));
    QCOMPARE(data.lineCount(), 2);
    QCOMPARE(decimalText(data.detailValue(0, 2)), QStringLiteral("0.10"));
    QCOMPARE(source.detailColumns().at(2), (DocumentColumn{QStringLiteral("金额"), DocumentColumn::Number}));
    QCOMPARE(source.headerColumns().at(2), (DocumentColumn{QStringLiteral("客户"), DocumentColumn::Other}));
    const std::optional<RuntimeError> missing = errorOf([&] { source.read(1234); });
    QVERIFY(missing);
    QCOMPARE(missing->Number(), int(RuntimeError::DocumentNotFound));

    // A server that is gone is reported within the connect timeout.
    cluster.stop();
    DocumentSource down(type);
    QElapsedTimer clock;
    clock.start();
    const std::optional<RuntimeError> gone = errorOf([&] { down.read(1004); });
    QVERIFY(gone);
    QCOMPARE(gone->Number(), int(RuntimeError::DataSourceUnreachable));
    QVERIFY(clock.elapsed() < (DocumentSource::ConnectTimeoutSeconds + 2) * 1000);
    // And the connection that was open reports the loss.
    const std::optional<RuntimeError> lost = errorOf([&] { source.read(1004); });
    QVERIFY(lost);
    QVERIFY(lost->Number() == RuntimeError::DataSourceUnreachable
            || lost->Number() == RuntimeError::DataSourceQueryFailed);
}

QTEST_GUILESS_MAIN(TestDocuments)
#include "tst_documents.moc"
