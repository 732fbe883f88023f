#include "BatchPrint.h"

#include "BatchProgress.h"
#include "ConsoleDialogs.h"
#include "DocumentTypeCatalog.h"
#include "TemplateCatalogue.h"

#include "print/DocumentBatch.h"
#include "print/Mod_Print.h"
#include "print/TemplatePrinter.h"

#include "documents/DemoDatabase.h"
#include "documents/DocumentTypes.h"

#include "model/BillTemplate.h"
#include "platform/FileIdentity.h"
#include "platform/Platform.h"
#include "platform/Printers.h"
#include "platform/QtPrintDevice.h"
#include "platform/RuntimeError.h"
#include "platform/Units.h"
#include "store/TemplateStore.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QRegularExpression>

#include <csignal>
#include <cstdio>
#include <limits>
#include <memory>

#include <unistd.h>

namespace BatchPrint {

namespace {

std::optional<int32_t> billNumber(const QString &text)
{
    bool ok = false;
    const qlonglong n = text.toLongLong(&ok);
    if (!ok || n < std::numeric_limits<int32_t>::min() || n > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return int32_t(n);
}

} // namespace

std::optional<int16_t> FindTemplate(const TemplateStore &store, const QString &name,
                                    const QString &category, QString &error)
{
    std::vector<int16_t> found;
    bool categoryKnown = category.isEmpty();
    for (const Category &c : store.categories()) {
        if (!category.isEmpty() && c.name != category && QString::number(c.id) != category)
            continue;
        categoryKnown = true;
        for (const TemplateEntry &entry : store.templates(c.id)) {
            if (entry.name == name)
                found.push_back(entry.id);
        }
    }
    if (!categoryKnown) {
        error = QStringLiteral("没有单据类别“%1”。").arg(category);
        return std::nullopt;
    }
    if (found.empty()) {
        error = QStringLiteral("没有名为“%1”的单据模板。").arg(name);
        return std::nullopt;
    }
    if (found.size() > 1) {
        error = QStringLiteral("有 %1 个名为“%2”的单据模板，请用 --category 指定单据类别。")
                    .arg(found.size())
                    .arg(name);
        return std::nullopt;
    }
    return found.front();
}

namespace {

// Every number without a document, in one message.
QString missingMessage(const BillTemplate &bill, const std::vector<int32_t> &missing)
{
    constexpr std::size_t Listed = 50;
    QStringList numbers;
    for (std::size_t i = 0; i < std::min(missing.size(), Listed); ++i)
        numbers << QString::number(missing[i]);
    if (missing.size() > Listed)
        numbers << QStringLiteral("……（共 %1 个）").arg(missing.size());
    const std::optional<DocumentType> type = DocumentTypes::find(bill.mScreenID);
    return QStringLiteral("单据类别“%1”中没有以下 %2 张单据，打印没有开始：%3\n")
        .arg(type ? type->name : QString::number(bill.mScreenID))
        .arg(missing.size())
        .arg(numbers.join(QStringLiteral("、")));
}

// What a batch stopped part-way says: which document, why, how far it got
// and that no file was left.
QString failureMessage(const Request &request, const RuntimeError &e, int done)
{
    const int count = int(request.billNos.size());
    QString text = done < count
                       ? QStringLiteral("打印在单据 %1 处停止：%2").arg(request.billNos[std::size_t(done)]).arg(e.Description())
                       : e.Description();
    text += QLatin1Char('\n');
    if (request.pdf.isEmpty())
        return text + QStringLiteral("此前的 %1 张单据已送到打印机（共 %2 张）。\n").arg(done).arg(count);
    return text + QStringLiteral("已排好 %1/%2 张单据；没有留下 PDF 文件 %3。\n")
                      .arg(done)
                      .arg(count)
                      .arg(QFileInfo(request.pdf).absoluteFilePath());
}

} // namespace

std::optional<std::vector<int32_t>> ParseBills(const QString &text, QString *error)
{
    static const QRegularExpression separators(QStringLiteral("[,\\s]+"));
    static const QRegularExpression range(QStringLiteral("^(-?\\d+)-(-?\\d+)$"));
    const auto refuse = [error](const QString &why) {
        if (error)
            *error = why;
        return std::nullopt;
    };
    std::vector<int32_t> numbers;
    // Numbers typed with a Chinese input method come in full width.
    const QStringList parts = Units::asciiWidth(text).split(separators, Qt::SkipEmptyParts);
    if (parts.isEmpty())
        return refuse(QStringLiteral("没有给出单据号"));
    for (const QString &part : parts) {
        const QRegularExpressionMatch m = range.match(part);
        std::optional<int32_t> first = billNumber(m.hasMatch() ? m.captured(1) : part);
        std::optional<int32_t> last = m.hasMatch() ? billNumber(m.captured(2)) : first;
        if (!first || !last)
            return refuse(QStringLiteral("“%1”不是单据号或单据号范围").arg(part));
        if (*last < *first)
            return refuse(QStringLiteral("范围“%1”是反的：起始号大于结束号，应写作 %2-%3")
                              .arg(part)
                              .arg(*last)
                              .arg(*first));
        if (qint64(*last) - *first + qint64(numbers.size()) >= MaxDocuments)
            return refuse(QStringLiteral("单据太多：一批最多 %1 张").arg(MaxDocuments));
        for (qint64 n = *first; n <= *last; ++n)
            numbers.push_back(int32_t(n));
    }
    return numbers;
}

QList<QCommandLineOption> Options()
{
    return {
        {QStringLiteral("template"),
         QStringLiteral("打印名为<名称>的已存模板，不打开设计器（批量打印）。"),
         QStringLiteral("名称")},
        {QStringLiteral("bills"),
         QStringLiteral("要打印的单据号或范围，用逗号分隔，例如 1001-1050,1060。"),
         QStringLiteral("单据号")},
        {QStringLiteral("category"),
         QStringLiteral("单据类别的名称或编号；几个类别有同名模板时用它选定。"),
         QStringLiteral("类别")},
        {QStringLiteral("pdf"),
         QStringLiteral("打印到这个 PDF 文件；不写时打印到打印机（PDF 文件不做打印机校准的偏移）。"),
         QStringLiteral("文件")},
        {QStringLiteral("printer"),
         QStringLiteral("打印到这台打印机；不写时用模板上次选的打印机，再不然用默认打印机。"),
         QStringLiteral("打印机")},
        {QStringLiteral("copies"), QStringLiteral("打印的份数（1 到 %1），默认 1 份。").arg(MaxCopies),
         QStringLiteral("份数")},
        {QStringLiteral("store"),
         QStringLiteral("使用这个模板库：一个文件，或服务器上的库 "
                        "postgresql://用户@主机:端口/数据库（密码取自 PGPASSWORD，否则询问），"
                        "而不是选项里选定的模板库。"),
         QStringLiteral("模板库")},
    };
}

std::optional<Request> Parse(const QCommandLineParser &parser, QString &error)
{
    Request request;
    request.templateName = parser.value(QStringLiteral("template"));
    request.category = parser.value(QStringLiteral("category"));
    request.pdf = parser.value(QStringLiteral("pdf"));
    request.storePath = parser.value(QStringLiteral("store"));
    request.printer = parser.value(QStringLiteral("printer"));
    if (!request.pdf.isEmpty() && !request.printer.isEmpty()) {
        error = QStringLiteral("--pdf 和 --printer 只能用一个");
        return std::nullopt;
    }
    if (parser.isSet(QStringLiteral("copies"))) {
        const QString copies = Units::asciiWidth(parser.value(QStringLiteral("copies"))).trimmed();
        bool ok = false;
        request.copies = copies.toInt(&ok);
        if (!ok || request.copies < 1 || request.copies > MaxCopies) {
            error = QStringLiteral("份数无效：%1（1 到 %2）").arg(copies).arg(MaxCopies);
            return std::nullopt;
        }
    }
    const QString bills = parser.value(QStringLiteral("bills"));
    if (request.templateName.trimmed().isEmpty()) {
        error = QStringLiteral("缺少 --template 模板名称");
        return std::nullopt;
    }
    if (bills.isEmpty()) {
        error = QStringLiteral("缺少 --bills 单据号");
        return std::nullopt;
    }
    QString why;
    std::optional<std::vector<int32_t>> numbers = ParseBills(bills, &why);
    if (!numbers) {
        error = QStringLiteral("单据号无效：%1（%2）").arg(bills, why);
        return std::nullopt;
    }
    request.billNos = std::move(*numbers);
    return request;
}

QString OutputRefusal(const QString &pdf, const TemplateStore &store)
{
    QList<std::pair<QString, QString>> read{
        {store.path(), QStringLiteral("这是单据模板库")},
        {DemoDatabase::path(), QStringLiteral("这是演示数据库")}};
    for (const Category &category : store.categories()) {
        if (category.driver == QLatin1String("QSQLITE"))
            read.append({category.databaseName,
                         QStringLiteral("这是单据类别“%1”的数据库").arg(category.name)});
    }
    for (const auto &[file, what] : read) {
        if (FileIdentity::sameFile(pdf, file))
            return QStringLiteral("%1 %2，不能用它保存 PDF").arg(what, file);
    }
    return QtPrintDevice::pdfRefusal(pdf);
}

namespace {

QString pdfNamed(const QString &pdf)
{
    return QFileInfo(pdf).absoluteFilePath();
}

// Everything up to the first page: the template, that every number names a
// document, and where the pages go.
Status prepare(const Request &request, TemplateStore &store, BillTemplate &bill,
               std::unique_ptr<DocumentBatch> &batch, const Writer &write)
{
    const Printers &printers = Platform::printers();
    if (!request.printer.isEmpty() && !printers.isInstalled(request.printer)) {
        const QStringList names = printers.names();
        write(QStringLiteral("没有名为“%1”的打印机。%2\n")
                  .arg(request.printer,
                       names.isEmpty() ? QStringLiteral("这台电脑没有安装打印机。")
                                       : QStringLiteral("已安装的打印机：")
                                             + names.join(QStringLiteral("、"))));
        return BadArguments;
    }
    try {
        DocumentTypeCatalog::publish(store);
        QString error;
        const std::optional<int16_t> id = FindTemplate(store, request.templateName, request.category, error);
        if (!id) {
            write(error + QLatin1Char('\n'));
            return DocumentsFailed;
        }
        store.load(*id, bill);
        batch = std::make_unique<DocumentBatch>(bill);
        const std::vector<int32_t> missing = batch->missing(request.billNos);
        if (!missing.empty()) {
            write(missingMessage(bill, missing));
            return DocumentsFailed;
        }
        if (request.pdf.isEmpty() && !QtPrintDevice::hasPrinter()) {
            write(QStringLiteral("没有可用的打印机，请用 --pdf 打印到文件。\n"));
            return OutputFailed;
        }
        if (!request.pdf.isEmpty()) {
            if (const QString why = OutputRefusal(request.pdf, store); !why.isEmpty()) {
                write(QStringLiteral("无法写入 PDF 文件 %1：%2\n").arg(pdfNamed(request.pdf), why));
                return OutputFailed;
            }
        }
    } catch (const RuntimeError &e) {
        write(e.Description() + QLatin1Char('\n'));
        return DocumentsFailed;
    }
    return Done;
}

} // namespace

Status Run(const Request &request, TemplateStore &store, const Writer &write)
{
    BillTemplate bill;
    std::unique_ptr<DocumentBatch> batch;
    if (const Status status = prepare(request, store, bill, batch, write); status != Done)
        return status;
    const int count = int(request.billNos.size());
    BatchProgress progress(write, request.progressIntervalMs, request.progressOnTerminal);
    int done = 0;
    bool readFailed = false;
    const Mod_Print::DocumentReader read = [&](int32_t billNo) {
        try {
            return batch->read(billNo);
        } catch (const RuntimeError &) {
            readFailed = true;
            throw;
        }
    };
    PrintChoice choice;
    choice.copies = request.copies;
    if (request.pdf.isEmpty())
        choice.printerName
            = request.printer.isEmpty() ? TemplatePrinter::printerFor(bill) : request.printer;
    try {
        QtPrintDevice device(request.pdf);
        const int pages = Mod_Print::PrintDocuments(
            bill, request.billNos, read, device,
            [&](int printed, int, int32_t) {
                done = printed;
                progress.report(printed, count);
            },
            choice);
        progress.end();
        if (pages == 0) {
            write(QStringLiteral("打印没有开始。\n"));
            return OutputFailed;
        }
        const QString where
            = !request.pdf.isEmpty()          ? pdfNamed(request.pdf)
              : device.printerName().isEmpty() ? QStringLiteral("默认打印机")
                                               : QStringLiteral("打印机 ") + device.printerName();
        const QString copies
            = request.copies > 1 ? QStringLiteral("，%1 份").arg(request.copies) : QString();
        write(QStringLiteral("已打印 %1 张单据，共 %2 页%3：%4\n")
                  .arg(count)
                  .arg(pages)
                  .arg(copies, where));
    } catch (const RuntimeError &e) {
        progress.end();
        write(failureMessage(request, e, done));
        return readFailed ? DocumentsFailed : OutputFailed;
    }
    return Done;
}

int Main(const Request &request)
{
    const auto write = [](const QString &text) {
        const QByteArray bytes = text.toLocal8Bit();
        std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stderr);
        std::fflush(stderr);
    };
    // A limit on file sizes ends a write with a message, not the program.
    std::signal(SIGXFSZ, SIG_IGN);
    Platform::setDialogs(ConsoleDialogs::onTerminal());
    Request batch = request;
    batch.progressOnTerminal = ::isatty(STDERR_FILENO);
    try {
        TemplateCatalogue catalogue;
        catalogue.setPath(request.storePath);
        const std::unique_ptr<TemplateStore> store
            = TemplateCatalogue::open(catalogue.location(), true);
        return Run(batch, *store, write);
    } catch (const RuntimeError &e) {
        write(e.Description() + QStringLiteral("：") + e.Source() + QLatin1Char('\n'));
        return DocumentsFailed;
    }
}

} // namespace BatchPrint
