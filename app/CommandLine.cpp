#include "CommandLine.h"

#include "store/StoreLocation.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QGuiApplication>

namespace CommandLine {

namespace {

QString description()
{
    return QStringLiteral(
        "Kordane-格式报表Tavrel工具：设计套打在预印单据上的打印模板。\n"
        "不带选项启动时打开设计器。带 --template 时不开窗口，把已存的模板填上一批单据，\n"
        "打印到 PDF 文件或打印机（批量打印），例如：\n"
        "  tavrel --template 发货单 --bills 1001-1050,1060 --pdf out.pdf\n"
        "  tavrel --template 发货单 --bills 1001 --printer 办公室 --copies 2\n"
        "带 --export 或 --import 时把模板导出为文件或从文件导入，例如：\n"
        "  tavrel --export 发货单 发货单.tavrel\n"
        "  tavrel --import 发货单.tavrel --store postgresql://clerk@db.office:5432/tavrel\n"
        "进度和消息写到标准错误输出。退出状态：0 成功，1 参数有误，\n"
        "2 模板或单据读不出（什么也不打印），3 输出失败。\n"
        "Qt 自己的选项（如 -style、-platform）也可以用，见 --help-all。");
}

Start finish(int status, const QString &out, const QString &err)
{
    Start start;
    start.mode = Finish;
    start.status = status;
    start.out = out;
    start.err = err;
    return start;
}

// The parser takes the word after an option as its value whatever it is, so
// "--template --bills 1" would print a template named "--bills"; an empty
// value would as readily send a batch meant for a file to the printer. Both
// are a value left out.
QString leftOutValue(const QCommandLineParser &parser)
{
    for (const QString &name : parser.optionNames()) {
        for (const QString &value : parser.values(name)) {
            if (value.trimmed().isEmpty() || value.startsWith(QLatin1String("--")))
                return QCoreApplication::translate("QCommandLineParser", "Missing value after '%1'.")
                    .arg(QLatin1String("--") + name);
        }
    }
    return {};
}

// Qt keeps every value of an option given twice and a batch would use the
// last; which one was meant is the user's to say.
QString repeatedOption(const QCommandLineParser &parser)
{
    for (const QString &name : parser.optionNames()) {
        const int given = int(parser.values(name).size());
        if (given > 1)
            return QStringLiteral("选项 --%1 给了 %2 次，只能给一次").arg(name).arg(given);
    }
    return {};
}

} // namespace

void NameApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("tavrel"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TAVREL_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("tavrel"));
}

bool DrawOffscreenWithoutDisplay()
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY")
        || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return false;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return true;
}

Start Decide(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(description());
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOptions(BatchPrint::Options());
    parser.addOptions(TemplateTransfer::Options());
    const auto badArguments = [&](const QString &error) {
        return finish(BatchPrint::BadArguments, {},
                      error + QStringLiteral("\n用 tavrel --help 查看用法。\n"));
    };
    if (!parser.parse(arguments))
        return badArguments(parser.errorText());
    // Only Qt can list its own options; it ends the program with status 0.
    if (parser.isSet(QStringLiteral("help-all")))
        parser.process(arguments);
    if (parser.isSet(QStringLiteral("help")))
        return finish(BatchPrint::Done, parser.helpText(), {});
    if (parser.isSet(QStringLiteral("version")))
        return finish(BatchPrint::Done,
                      QCoreApplication::applicationName() + QLatin1Char(' ')
                          + QCoreApplication::applicationVersion() + QLatin1Char('\n'),
                      {});
    if (const QString error = leftOutValue(parser); !error.isEmpty())
        return badArguments(error);
    if (const QString error = repeatedOption(parser); !error.isEmpty())
        return badArguments(error);
    QString error;
    // A mistyped server address would otherwise fall back to the user's store.
    if (parser.isSet(QStringLiteral("store"))
        && !StoreLocation::parse(parser.value(QStringLiteral("store")), &error))
        return badArguments(error);
    if (TemplateTransfer::IsAsked(parser)) {
        std::optional<TemplateTransfer::Request> transfer = TemplateTransfer::Parse(parser, error);
        if (!transfer)
            return badArguments(error);
        Start start;
        start.mode = Transfer;
        start.transfer = std::move(*transfer);
        return start;
    }
    if (!parser.positionalArguments().isEmpty())
        return badArguments(
            QStringLiteral("不认识的参数：%1").arg(parser.positionalArguments().constFirst()));
    if (parser.optionNames().isEmpty())
        return {};
    // The options left belong to a print batch, which must name its template.
    std::optional<BatchPrint::Request> request = BatchPrint::Parse(parser, error);
    if (!request)
        return badArguments(error);
    Start start;
    start.mode = Batch;
    start.request = std::move(*request);
    return start;
}

QString NoDisplay()
{
    return QStringLiteral("没有可用的显示器，无法打开设计器。批量打印不需要显示器，见 tavrel --help。\n");
}

} // namespace CommandLine
