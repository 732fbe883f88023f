#include "TemplateTransfer.h"

#include "BatchPrint.h"
#include "ConsoleDialogs.h"
#include "TemplateCatalogue.h"

#include "store/TemplateFile.h"
#include "store/TemplateStore.h"

#include "model/BillTemplate.h"

#include "platform/Platform.h"
#include "platform/RuntimeError.h"

#include <QCommandLineParser>

#include <cstdio>

namespace TemplateTransfer {

namespace {

const QString ExportOption = QStringLiteral("export");
const QString ImportOption = QStringLiteral("import");

// The category named (or numbered) on the command line; none when not given.
std::optional<int16_t> categoryOf(TemplateStore &store, const QString &category, QString &error)
{
    if (category.isEmpty())
        return int16_t(-1);
    for (const Category &c : store.categories()) {
        if (c.name == category || QString::number(c.id) == category)
            return c.id;
    }
    error = QStringLiteral("没有单据类别“%1”。").arg(category);
    return std::nullopt;
}

QString categoryName(TemplateStore &store, int16_t id)
{
    for (const Category &c : store.categories()) {
        if (c.id == id)
            return c.name;
    }
    return QString();
}

} // namespace

QList<QCommandLineOption> Options()
{
    return {
        {ExportOption,
         QStringLiteral("把名为<名称>的模板导出为一个模板文件（.tavrel），文件名写在名称之后，"
                        "例如 --export 发货单 发货单.tavrel。"),
         QStringLiteral("名称")},
        {ImportOption,
         QStringLiteral("把模板文件（.tavrel）导入模板库，放进 --category 指定的类别，"
                        "不指定时放进同名类别或默认类别。"),
         QStringLiteral("文件")},
    };
}

bool IsAsked(const QCommandLineParser &parser)
{
    return parser.isSet(ExportOption) || parser.isSet(ImportOption);
}

std::optional<Request> Parse(const QCommandLineParser &parser, QString &error)
{
    const auto refuse = [&](const QString &why) {
        error = why;
        return std::nullopt;
    };
    if (parser.isSet(ExportOption) && parser.isSet(ImportOption))
        return refuse(QStringLiteral("--export 和 --import 只能用一个"));
    for (const char *batchOnly : {"template", "bills", "pdf", "printer", "copies"}) {
        if (parser.isSet(QLatin1String(batchOnly)))
            return refuse(QStringLiteral("--%1 不能和 --export、--import 一起用").arg(batchOnly));
    }
    Request request;
    request.category = parser.value(QStringLiteral("category"));
    request.store = parser.value(QStringLiteral("store"));
    const QStringList files = parser.positionalArguments();
    if (parser.isSet(ExportOption)) {
        request.kind = Request::Export;
        request.templateName = parser.value(ExportOption);
        if (files.size() != 1)
            return refuse(QStringLiteral("--export 的模板名之后要写一个导出的文件名"));
        request.file = files.front();
    } else {
        request.kind = Request::Import;
        request.file = parser.value(ImportOption);
        if (!files.isEmpty())
            return refuse(QStringLiteral("不认识的参数：%1").arg(files.front()));
    }
    return request;
}

Status Run(const Request &request, TemplateStore &store, const Writer &write)
{
    QString error;
    try {
        if (request.kind == Request::Export) {
            const std::optional<int16_t> id
                = BatchPrint::FindTemplate(store, request.templateName, request.category, error);
            if (!id) {
                write(error + QLatin1Char('\n'));
                return Failed;
            }
            TemplateFile::exportTemplate(store, *id, request.file);
            write(QStringLiteral("已导出“%1”到 %2\n").arg(request.templateName, request.file));
            return Done;
        }
        const std::optional<int16_t> category = categoryOf(store, request.category, error);
        if (!category) {
            write(error + QLatin1Char('\n'));
            return Failed;
        }
        BillTemplate bill;
        const int16_t into = TemplateFile::importTemplate(store, request.file, bill, *category);
        write(QStringLiteral("已导入“%1”到类别“%2”\n").arg(bill.Caption, categoryName(store, into)));
        return Done;
    } catch (const RuntimeError &e) {
        write(e.Description() + QStringLiteral("：") + e.Source() + QLatin1Char('\n'));
        return Failed;
    }
}

int Main(const Request &request)
{
    const auto write = [](const QString &text) {
        const QByteArray bytes = text.toLocal8Bit();
        std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stderr);
        std::fflush(stderr);
    };
    Platform::setDialogs(ConsoleDialogs::onTerminal());
    try {
        TemplateCatalogue catalogue;
        catalogue.setPath(request.store);
        const std::unique_ptr<TemplateStore> store
            = TemplateCatalogue::open(catalogue.location(), request.kind == Request::Export);
        return Run(request, *store, write);
    } catch (const RuntimeError &e) {
        write(e.Description() + QStringLiteral("：") + e.Source() + QLatin1Char('\n'));
        return Failed;
    }
}

} // namespace TemplateTransfer
