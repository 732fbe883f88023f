#include "app/BatchPrint.h"
#include "app/CommandLine.h"
#include "app/ConsoleDialogs.h"
#include "tests/app/BatchFixtures.h"

#include "print/FieldVocabulary.h"

#include "documents/DemoDatabase.h"
#include "model/BillTemplate.h"
#include "platform/AppSetup.h"
#include "platform/Element.h"
#include "platform/ElementArray.h"
#include "platform/FakePrinters.h"
#include "platform/Platform.h"
#include "store/TemplateStore.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

using Numbers = std::vector<int32_t>;

// pdfinfo's page count, -1 when it cannot read the file.
int pdfPages(const QString &pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {pdf});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return -1;
    for (const QString &line : QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        if (line.startsWith(QStringLiteral("Pages:")))
            return line.mid(6).trimmed().toInt();
    }
    return -1;
}

} // namespace

class TestBatchPrint : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void parseBills_data();
    void parseBills();
    void parseArguments_data();
    void parseArguments();
    void printsEveryDocumentToOnePdf();
    void printerAndCopies_data();
    void printerAndCopies();
    void copiesOfABatchInOnePdf();
    void unknownPrinterPrintsNothing();
    void failuresExitNonZeroAndPrintNothing_data();
    void failuresExitNonZeroAndPrintNothing();
    void consoleAnswersWithoutAWindow();
    void programRunsTheBatch_data();
    void programRunsTheBatch();

private:
    BatchPrint::Status run(const QStringList &arguments);

    QTemporaryDir m_dir;
    std::unique_ptr<TemplateStore> m_store;
    QString m_said;
};

void TestBatchPrint::initTestCase()
{
    AppSetup::installFontSubstitutions();
    // The parser's messages in Chinese, as the program has them.
    AppSetup::installChineseTranslations(*QCoreApplication::instance());
    QVERIFY(m_dir.isValid());
    DemoDatabase::setPath(m_dir.filePath(QStringLiteral("demo.sqlite")));
    m_store = std::make_unique<TemplateStore>(m_dir.filePath(QStringLiteral("templates.sqlite")));
    BillTemplate bill;
    bill.mrowcount = 10;
    bill.mRowHeight = 300;
    bill.mObjs.page().setWidth(11906);
    bill.mObjs.page().setHeight(16838);
    addField(bill, 1000, FieldVocabulary::HeaderCode(QStringLiteral("客户")), false);
    addField(bill, 3000, FieldVocabulary::DetailCode(QStringLiteral("品名")), true);
    bill.Caption = QStringLiteral("发货单");
    QCOMPARE(m_store->save(bill), SaveResult::Saved);
}

void TestBatchPrint::init()
{
    m_said.clear();
    Platform::installFakes();
}

BatchPrint::Status TestBatchPrint::run(const QStringList &arguments)
{
    const CommandLine::Start start =
        CommandLine::Decide(QStringList{QStringLiteral("tavrel")} + arguments);
    if (start.mode != CommandLine::Batch) {
        m_said = start.err;
        return BatchPrint::Status(start.status);
    }
    BatchPrint::Request request = start.request;
    // Every document's progress, however quick the batch.
    request.progressIntervalMs = 0;
    return BatchPrint::Run(request, *m_store, [this](const QString &text) { m_said += text; });
}

void TestBatchPrint::parseBills_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Numbers>("numbers");
    QTest::newRow("range and single") << "1001-1003,1005" << Numbers{1001, 1002, 1003, 1005};
    QTest::newRow("spaces and a Chinese comma") << " 7， 9  11" << Numbers{7, 9, 11};
    QTest::newRow("negative range") << "-2--1" << Numbers{-2, -1};
    QTest::newRow("full width") << "１００１－１００３，１００５" << Numbers{1001, 1002, 1003, 1005};
    QTest::newRow("full-width minus") << "－２" << Numbers{-2};
    QTest::newRow("one-number range") << "5-5" << Numbers{5};
    QTest::newRow("backwards") << "1050-1001" << Numbers{};
    QTest::newRow("letters") << "1001-abc" << Numbers{};
    QTest::newRow("beyond 32 bits") << "2147483648" << Numbers{};
    QTest::newRow("empty") << " , " << Numbers{};
    QTest::newRow("more than a batch holds") << "1-100001" << Numbers{};
}

void TestBatchPrint::parseBills()
{
    QFETCH(QString, text);
    QFETCH(Numbers, numbers);
    const std::optional<Numbers> parsed = BatchPrint::ParseBills(text);
    QCOMPARE(parsed.value_or(Numbers{}), numbers);
}

void TestBatchPrint::parseArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("error");
    QTest::newRow("complete") << QStringList{"--template", "发货单", "--bills", "1-3", "--pdf", "a.pdf"}
                              << "";
    QTest::newRow("no template") << QStringList{"--bills", "1"} << "--template";
    QTest::newRow("no bills") << QStringList{"--template", "发货单"} << "--bills";
    QTest::newRow("value missing") << QStringList{"--template", "--bills", "1"} << "缺少值";
    QTest::newRow("unknown option") << QStringList{"--duplex", "2"} << "duplex";
    QTest::newRow("bad numbers") << QStringList{"--template", "x", "--bills", "9-1"} << "9-1";
}

void TestBatchPrint::parseArguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, error);
    const CommandLine::Start start =
        CommandLine::Decide(QStringList{QStringLiteral("tavrel")} + arguments);
    QCOMPARE(start.mode == CommandLine::Batch, error.isEmpty());
    QVERIFY2(start.err.contains(error), qPrintable(start.err));
    if (start.mode == CommandLine::Batch) {
        QCOMPARE(start.request.billNos, (Numbers{1, 2, 3}));
        QCOMPARE(start.request.pdf, QStringLiteral("a.pdf"));
    }
}

void TestBatchPrint::printsEveryDocumentToOnePdf()
{
    const QString pdf = m_dir.filePath(QStringLiteral("batch.pdf"));
    QCOMPARE(run({"--template", "发货单", "--bills", "1001-1002,1004", "--pdf", pdf}),
             BatchPrint::Done);
    // 1001: 5 lines, 1002: 45 lines over 10 rows, 1004: 2 lines.
    if (!QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
        QCOMPARE(pdfPages(pdf), 7);
    QVERIFY2(m_said.contains(QStringLiteral("已打印 2/3 张单据\n已打印 3/3 张单据\n")), qPrintable(m_said));
    QVERIFY2(m_said.contains(QStringLiteral("已打印 3 张单据，共 7 页")), qPrintable(m_said));
}

void TestBatchPrint::printerAndCopies_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("printer");
    QTest::addColumn<int>("copies");
    QTest::addColumn<QString>("error");
    const QStringList batch{"--template", "发货单", "--bills", "1"};
    QTest::newRow("neither") << batch << "" << 1 << "";
    QTest::newRow("a printer, copies") << batch + QStringList{"--printer", "前台 Laser", "--copies", "3"}
                                       << "前台 Laser" << 3 << "";
    QTest::newRow("copies in full width") << batch + QStringList{"--copies", "１２"} << "" << 12
                                          << "";
    QTest::newRow("no copies") << batch + QStringList{"--copies", "0"} << "" << 1
                               << "份数无效：0（1 到 999）";
    QTest::newRow("too many copies") << batch + QStringList{"--copies", "1000"} << "" << 1
                                     << "份数无效：1000（1 到 999）";
    QTest::newRow("copies not a number") << batch + QStringList{"--copies", "two"} << "" << 1
                                         << "份数无效：two";
    QTest::newRow("a printer and a PDF")
        << batch + QStringList{"--printer", "Laser", "--pdf", "a.pdf"} << "" << 1
        << "--pdf 和 --printer 只能用一个";
}

void TestBatchPrint::printerAndCopies()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, printer);
    QFETCH(int, copies);
    QFETCH(QString, error);
    const CommandLine::Start start =
        CommandLine::Decide(QStringList{QStringLiteral("tavrel")} + arguments);
    QCOMPARE(start.mode == CommandLine::Batch, error.isEmpty());
    QVERIFY2(start.err.contains(error), qPrintable(start.err));
    if (start.mode != CommandLine::Batch) {
        QCOMPARE(start.status, int(BatchPrint::BadArguments));
        return;
    }
    QCOMPARE(start.request.printer, printer);
    QCOMPARE(start.request.copies, copies);
}

// A PDF file makes no copies itself: the batch is in it twice, collated.
void TestBatchPrint::copiesOfABatchInOnePdf()
{
    const QString pdf = m_dir.filePath(QStringLiteral("copies.pdf"));
    QCOMPARE(run({"--template", "发货单", "--bills", "1001,1004", "--copies", "2", "--pdf", pdf}),
             BatchPrint::Done);
    if (!QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
        QCOMPARE(pdfPages(pdf), 4);
    QVERIFY2(m_said.contains(QStringLiteral("已打印 2 张单据，共 2 页，2 份")), qPrintable(m_said));
}

void TestBatchPrint::unknownPrinterPrintsNothing()
{
    auto printers = std::make_unique<FakePrinters>();
    printers->installed = {QStringLiteral("Laser"), QStringLiteral("Dot matrix")};
    Platform::setPrinters(std::move(printers));
    QCOMPARE(run({"--template", "发货单", "--bills", "1001", "--printer", "Nope"}),
             BatchPrint::BadArguments);
    QCOMPARE(m_said, QStringLiteral("没有名为“Nope”的打印机。已安装的打印机：Laser、Dot matrix\n"));
    Platform::setPrinters(std::make_unique<FakePrinters>());
    QCOMPARE(run({"--template", "发货单", "--bills", "1001", "--printer", "Nope"}),
             BatchPrint::BadArguments);
    QVERIFY(m_said.endsWith(QStringLiteral("这台电脑没有安装打印机。\n")));
}

void TestBatchPrint::failuresExitNonZeroAndPrintNothing_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("said");
    QTest::newRow("unknown number") << QStringList{"--template", "发货单", "--bills", "1001,999"}
                                    << int(BatchPrint::DocumentsFailed) << "999";
    QTest::newRow("unknown template") << QStringList{"--template", "收据", "--bills", "1001"}
                                      << int(BatchPrint::DocumentsFailed) << "收据";
    QTest::newRow("unknown category")
        << QStringList{"--template", "发货单", "--category", "采购", "--bills", "1001"}
        << int(BatchPrint::DocumentsFailed) << "采购";
    QTest::newRow("bad arguments") << QStringList{"--template", "发货单"}
                                   << int(BatchPrint::BadArguments) << "--bills";
}

void TestBatchPrint::failuresExitNonZeroAndPrintNothing()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, said);
    const QString pdf = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + ".pdf");
    QCOMPARE(int(run(arguments + QStringList{"--pdf", pdf})), status);
    QVERIFY2(m_said.contains(said), qPrintable(m_said));
    QVERIFY(!QFileInfo::exists(pdf));
}

void TestBatchPrint::consoleAnswersWithoutAWindow()
{
    QString written;
    QStringList prompts;
    ConsoleDialogs console([&](const QString &text) { written += text; },
                           [&](const QString &prompt) -> std::optional<QString> {
                               prompts << prompt;
                               return QStringLiteral("secret");
                           });
    QCOMPARE(console.MsgBox(QStringLiteral("第一行\r\n第二行"), MsgButtons::OK, MsgIcon::Exclamation,
                            QStringLiteral("发货单")),
             MsgResult::OK);
    QCOMPARE(written, QStringLiteral("发货单：第一行\n第二行\n"));
    QCOMPARE(console.MsgBox(QStringLiteral("删除？"), MsgButtons::YesNo, MsgIcon::Question, QString()),
             MsgResult::No);
    QCOMPARE(console.PasswordBox(QStringLiteral("密码："), QStringLiteral("连接")),
             std::optional<QString>(QStringLiteral("secret")));
    QCOMPARE(prompts, QStringList{"连接：密码："});
    QVERIFY(!console.SaveFile(FileDialogRequest()));
}

void TestBatchPrint::programRunsTheBatch_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("said");
    QTest::newRow("two documents") << QStringList{"--template", "发货单", "--bills", "1001-1002"}
                                   << int(BatchPrint::Done) << "已打印 2 张单据，共 6 页";
    QTest::newRow("unknown number") << QStringList{"--template", "发货单", "--bills", "999"}
                                    << int(BatchPrint::DocumentsFailed) << "999";
    QTest::newRow("bad numbers") << QStringList{"--template", "发货单", "--bills", "9-1"}
                                 << int(BatchPrint::BadArguments) << "用法";
    QTest::newRow("Qt's own options first")
        << QStringList{"-style", "fusion", "-platform", "offscreen", "--template", "发货单", "--bills", "1001"}
        << int(BatchPrint::Done) << "已打印 1 张单据，共 1 页";
}

// --template makes the program a batch: no window, messages on standard
// error, the outcome in the exit status.
void TestBatchPrint::programRunsTheBatch()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, said);
    const QString pdf = m_dir.filePath(QStringLiteral("program-%1.pdf").arg(QTest::currentDataTag()));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // The demonstration database goes where the user's own never is.
    environment.insert(QStringLiteral("XDG_DATA_HOME"), m_dir.filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.filePath(QStringLiteral("config")));
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(TAVREL_EXE),
                  arguments + QStringList{"--store", m_store->path(), "--pdf", pdf});
    QVERIFY(program.waitForFinished(60000));
    const QString stderrText = QString::fromLocal8Bit(program.readAllStandardError());
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), status);
    QVERIFY2(stderrText.contains(said), qPrintable(stderrText));
    QCOMPARE(QFileInfo::exists(pdf), status == BatchPrint::Done);
}

QTEST_MAIN(TestBatchPrint)
#include "tst_batchprint.moc"
