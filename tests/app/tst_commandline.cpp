#include "app/BatchPrint.h"
#include "app/CommandLine.h"

#include "platform/AppSetup.h"

#include <QCommandLineOption>
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTest>

namespace {

const QString version = QStringLiteral("tavrel " TAVREL_VERSION "\n");

bool hasChinese(const QString &text)
{
    static const QRegularExpression han(QStringLiteral("\\p{Han}"));
    return text.contains(han);
}

} // namespace

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void decides_data();
    void decides();
    void batchTakesItsOptionsInEitherForm();
    void everyOptionIsExplainedInChineseAndInTheManual();
    void programAnswers_data();
    void programAnswers();
};

void TestCommandLine::initTestCase()
{
    CommandLine::NameApplication();
    AppSetup::installChineseTranslations(*QCoreApplication::instance());
}

void TestCommandLine::decides_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("status");
    // Part of what goes to standard output (status 0) or error (status 1).
    QTest::addColumn<QString>("said");

    const int designer = CommandLine::Designer;
    const int finish = CommandLine::Finish;
    const int batch = CommandLine::Batch;
    QTest::newRow("no arguments") << QStringList{} << designer << 0 << "";
    QTest::newRow("--help") << QStringList{"--help"} << finish << 0 << "--template <名称>";
    QTest::newRow("-h") << QStringList{"-h"} << finish << 0 << "用法";
    QTest::newRow("--version") << QStringList{"--version"} << finish << 0 << version;
    QTest::newRow("-v") << QStringList{"-v"} << finish << 0 << version;
    QTest::newRow("unknown option") << QStringList{"--duplex", "2"} << finish << 1 << "duplex";
    QTest::newRow("single dash") << QStringList{"-template", "发货单"} << finish << 1 << "未知选项";
    QTest::newRow("a word alone") << QStringList{"发货单"} << finish << 1 << "不认识的参数：发货单";
    QTest::newRow("bills without template") << QStringList{"--bills", "1001"} << finish << 1
                                            << "缺少 --template";
    QTest::newRow("template without bills") << QStringList{"--template", "发货单"} << finish << 1
                                            << "缺少 --bills";
    QTest::newRow("bills backwards") << QStringList{"--template", "发货单", "--bills", "9-1"}
                                     << finish << 1 << "单据号无效：9-1";
    QTest::newRow("bills not numbers") << QStringList{"--template", "发货单", "--bills", "甲"}
                                       << finish << 1 << "单据号无效：甲";
    const QStringList whole{"--template", "发货单", "--bills", "1001"};
    QTest::newRow("server address without a user")
        << whole + QStringList{"--store", "postgresql://db.office/tavrel"} << finish << 1
        << "缺少用户";
    QTest::newRow("server store") << whole + QStringList{"--store", "postgresql://clerk@db.office/tavrel"}
                                  << batch << 0 << "";
    QTest::newRow("export without a file") << QStringList{"--export", "发货单"} << finish << 1
                                           << "--export 的模板名之后要写一个导出的文件名";
    QTest::newRow("export and import") << QStringList{"--export", "发货单", "a.tavrel", "--import", "b.tavrel"}
                                       << finish << 1 << "只能用一个";
    QTest::newRow("import with bills") << QStringList{"--import", "b.tavrel", "--bills", "1"}
                                       << finish << 1 << "--bills 不能和";
    QTest::newRow("export") << QStringList{"--export", "发货单", "a.tavrel"} << int(CommandLine::Transfer)
                            << 0 << "";
    QTest::newRow("import into a category") << QStringList{"--import", "b.tavrel", "--category", "入库单"}
                                            << int(CommandLine::Transfer) << 0 << "";
    QTest::newRow("whole batch") << whole << batch << 0 << "";
    // Each option's value left out: at the end, empty, or another option in its place.
    for (const QCommandLineOption &option : BatchPrint::Options()) {
        const QString name = QLatin1String("--") + option.names().constFirst();
        const QString said = QStringLiteral("“%1”之后缺少值").arg(name);
        QTest::addRow("%s last", qPrintable(name)) << whole + QStringList{name} << finish << 1 << said;
        QTest::addRow("%s empty", qPrintable(name))
            << whole + QStringList{name, " "} << finish << 1 << said;
        QTest::addRow("%s then an option", qPrintable(name))
            << whole + QStringList{name, "--category", "演示数据"} << finish << 1 << said;
    }
}

void TestCommandLine::decides()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, mode);
    QFETCH(int, status);
    QFETCH(QString, said);
    const CommandLine::Start start =
        CommandLine::Decide(QStringList{QStringLiteral("tavrel")} + arguments);
    QCOMPARE(int(start.mode), mode);
    QCOMPARE(start.status, status);
    QVERIFY2((status == 0 ? start.out : start.err).contains(said), qPrintable(start.out + start.err));
    if (status != 0)
        QVERIFY2(start.err.contains(QStringLiteral("tavrel --help")), qPrintable(start.err));
}

void TestCommandLine::batchTakesItsOptionsInEitherForm()
{
    for (const QStringList &arguments :
         {QStringList{"--template", "发货单", "--category", "0", "--bills", "1-3", "--pdf", "a.pdf",
                      "--store", "t.sqlite"},
          QStringList{"--template=发货单", "--category=0", "--bills=1-3", "--pdf=a.pdf",
                      "--store=t.sqlite"}}) {
        const CommandLine::Start start =
            CommandLine::Decide(QStringList{QStringLiteral("tavrel")} + arguments);
        QCOMPARE(int(start.mode), int(CommandLine::Batch));
        QCOMPARE(start.request.templateName, QStringLiteral("发货单"));
        QCOMPARE(start.request.category, QStringLiteral("0"));
        QCOMPARE(start.request.billNos, (std::vector<int32_t>{1, 2, 3}));
        QCOMPARE(start.request.pdf, QStringLiteral("a.pdf"));
        QCOMPARE(start.request.storePath, QStringLiteral("t.sqlite"));
    }
}

// Every option --help lists has a Chinese description, and the manual page
// names it too.
void TestCommandLine::everyOptionIsExplainedInChineseAndInTheManual()
{
    const CommandLine::Start help = CommandLine::Decide({QStringLiteral("tavrel"), QStringLiteral("--help")});
    QFile manual(QStringLiteral(TAVREL_MANPAGE));
    QVERIFY(manual.open(QIODevice::ReadOnly));
    const QString page = QString::fromUtf8(manual.readAll());
    static const QRegularExpression optionLine(QStringLiteral("^(  (?:-\\S, )?--([a-z-]+).*)$"),
                                               QRegularExpression::MultilineOption);
    int options = 0;
    for (const QRegularExpressionMatch &m : optionLine.globalMatch(help.out)) {
        ++options;
        QVERIFY2(hasChinese(m.captured(1)), qPrintable(m.captured(1)));
        // troff writes a hyphen as \-.
        const QString name = QStringLiteral("--") + m.captured(2);
        QVERIFY2(page.contains(QString(name).replace(QLatin1String("-"), QLatin1String("\\-"))),
                 qPrintable(name));
    }
    QCOMPARE(options, 3 + int(BatchPrint::Options().size() + TemplateTransfer::Options().size()));
}

void TestCommandLine::programAnswers_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("display");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    QTest::newRow("--help") << QStringList{"--help"} << true << 0 << "--template <名称>" << "";
    QTest::newRow("--help-all lists Qt's options")
        << QStringList{"--help-all"} << true << 0 << "-platform" << "";
    QTest::newRow("--version") << QStringList{"--version"} << true << 0 << version << "";
    QTest::newRow("Qt's option before --version")
        << QStringList{"-style", "fusion", "--version"} << true << 0 << version << "";
    QTest::newRow("unknown option") << QStringList{"--duplex", "2"} << true << 1 << ""
                                    << "未知选项“duplex”";
    QTest::newRow("--help without a display") << QStringList{"--help"} << false << 0 << "--bills"
                                              << "";
    // Qt's option is no batch: the designer is what fails to open.
    QTest::newRow("-style fusion without a display")
        << QStringList{"-style", "fusion"} << false << 1 << "" << "无法打开设计器";
}

void TestCommandLine::programAnswers()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, display);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!display) {
        for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            environment.remove(QString::fromLatin1(name));
    }
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(TAVREL_EXE), arguments);
    QVERIFY(program.waitForFinished(60000));
    const QString stdoutText = QString::fromUtf8(program.readAllStandardOutput());
    const QString stderrText = QString::fromUtf8(program.readAllStandardError());
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), status);
    QCOMPARE(stdoutText.isEmpty(), out.isEmpty());
    QVERIFY2(stdoutText.contains(out), qPrintable(stdoutText));
    QVERIFY2(stderrText.contains(err), qPrintable(stderrText));
}

QTEST_MAIN(TestCommandLine)
#include "tst_commandline.moc"
