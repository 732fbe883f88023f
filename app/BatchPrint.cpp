#include "BatchPrint.h"

#include "ConsoleDialogs.h"
#include "DocumentTypeCatalog.h"

#include "print/Mod_Print.h"
#include "print/TemplatePrinter.h"

#include "model/BillTemplate.h"
#include "platform/Platform.h"
#include "platform/Printers.h"
#include "platform/QtPrintDevice.h"
#include "platform/RuntimeError.h"
#include "platform/Units.h"
#include "store/TemplateStore.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QRegularExpression>

#include <cstdio>
#include <limits>
#include <memory>

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

// The stored template of that name, or the reason there is none.
std::optional<int16_t> findTemplate(const TemplateStore &store, const Request &request,
                                    QString &error)
{
    std::vector<int16_t> found;
    bool categoryKnown = request.category.isEmpty();
    for (const Category &category : store.categories()) {
        if (!request.category.isEmpty() && category.name != request.category
            && QString::number(category.id) != request.category)
            continue;
        categoryKnown = true;
        for (const TemplateEntry &entry : store.templates(category.id)) {
            if (entry.name == request.templateName)
                found.push_back(entry.id);
        }
    }
    if (!categoryKnown) {
        error = QStringLiteral("没有单据类别“%1”。").arg(request.category);
        return std::nullopt;
    }
    if (found.empty()) {
        error = QStringLiteral("没有名为“%1”的单据模板。").arg(request.templateName);
        return std::nullopt;
    }
    if (found.size() > 1) {
        error = QStringLiteral("有 %1 个名为“%2”的单据模板，请用 --category 指定单据类别。")
                    .arg(found.size())
                    .arg(request.templateName);
        return std::nullopt;
    }
    return found.front();
}

} // namespace

std::optional<std::vector<int32_t>> ParseBills(const QString &text)
{
    static const QRegularExpression separators(QStringLiteral("[,\\s]+"));
    static const QRegularExpression range(QStringLiteral("^(-?\\d+)-(-?\\d+)$"));
    std::vector<int32_t> numbers;
    // Numbers typed with a Chinese input method come in full width.
    const QStringList parts = Units::asciiWidth(text).split(separators, Qt::SkipEmptyParts);
    if (parts.isEmpty())
        return std::nullopt;
    for (const QString &part : parts) {
        const QRegularExpressionMatch m = range.match(part);
        std::optional<int32_t> first = billNumber(m.hasMatch() ? m.captured(1) : part);
        std::optional<int32_t> last = m.hasMatch() ? billNumber(m.captured(2)) : first;
        if (!first || !last || *last < *first
            || qint64(*last) - *first + qint64(numbers.size()) >= MaxDocuments)
            return std::nullopt;
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
         QStringLiteral("使用这个模板库文件，而不是用户自己的 templates.sqlite。"),
         QStringLiteral("文件")},
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
    std::optional<std::vector<int32_t>> numbers = ParseBills(bills);
    if (!numbers) {
        error = QStringLiteral("单据号无效：%1（最多 %2 张）").arg(bills).arg(MaxDocuments);
        return std::nullopt;
    }
    request.billNos = std::move(*numbers);
    return request;
}

Status Run(const Request &request, TemplateStore &store, const Writer &write)
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
    BillTemplate bill;
    Mod_Print::Documents documents;
    try {
        DocumentTypeCatalog::publish(store);
        QString error;
        const std::optional<int16_t> id = findTemplate(store, request, error);
        if (!id) {
            write(error + QLatin1Char('\n'));
            return DocumentsFailed;
        }
        store.load(*id, bill);
        documents = Mod_Print::ReadDocuments(bill, request.billNos);
    } catch (const RuntimeError &e) {
        write(e.Description() + QLatin1Char('\n'));
        return DocumentsFailed;
    }
    PrintChoice choice;
    choice.copies = request.copies;
    if (request.pdf.isEmpty())
        choice.printerName
            = request.printer.isEmpty() ? TemplatePrinter::printerFor(bill) : request.printer;
    if (request.pdf.isEmpty() && !QtPrintDevice::hasPrinter()) {
        write(QStringLiteral("没有可用的打印机，请用 --pdf 打印到文件。\n"));
        return OutputFailed;
    }
    try {
        QtPrintDevice device(request.pdf);
        const int pages = Mod_Print::PrintDocuments(
            bill, documents, device, [&](int done, int count, int32_t billNo) {
                write(QStringLiteral("\r正在打印 %1/%2：单据号 %3").arg(done).arg(count).arg(billNo));
            },
            choice);
        if (pages == 0) {
            write(QStringLiteral("\n打印没有开始。\n"));
            return OutputFailed;
        }
        const QString where
            = !request.pdf.isEmpty()          ? QFileInfo(request.pdf).absoluteFilePath()
              : device.printerName().isEmpty() ? QStringLiteral("默认打印机")
                                               : QStringLiteral("打印机 ") + device.printerName();
        const QString copies
            = request.copies > 1 ? QStringLiteral("，%1 份").arg(request.copies) : QString();
        write(QStringLiteral("\n已打印 %1 张单据，共 %2 页%3：%4\n")
                  .arg(documents.size())
                  .arg(pages)
                  .arg(copies, where));
    } catch (const RuntimeError &e) {
        write(QStringLiteral("\n 打印错误！\n") + e.Description() + QLatin1Char('\n'));
        return OutputFailed;
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
    Platform::setDialogs(ConsoleDialogs::onTerminal());
    try {
        TemplateStore store(request.storePath.isEmpty() ? TemplateStore::defaultPath()
                                                        : request.storePath);
        return Run(request, store, write);
    } catch (const RuntimeError &e) {
        write(e.Description() + QStringLiteral("：") + e.Source() + QLatin1Char('\n'));
        return DocumentsFailed;
    }
}

} // namespace BatchPrint
