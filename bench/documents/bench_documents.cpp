#include "bench/BenchFigure.h"

#include "print/DocumentBatch.h"
#include "print/FieldVocabulary.h"
#include "print/Mod_Print.h"

#include "documents/DemoDatabase.h"
#include "documents/DocumentTypes.h"
#include "model/BillTemplate.h"
#include "platform/AppSetup.h"
#include "platform/Element.h"
#include "platform/ElementArray.h"
#include "platform/Platform.h"
#include "platform/QtPrintDevice.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>

#include <cstdio>
#include <vector>

namespace {

constexpr int Documents = 1000;
constexpr int ManyDocuments = 10000;
constexpr int LinesPerDocument = 20;
constexpr int16_t BenchType = 9;
constexpr int32_t FirstBillNo = 20001;
constexpr int Runs = 2;

// 10,000 delivery notes of 20 lines in the demonstration database's shape.
bool makeDatabase(const QString &file)
{
    DemoDatabase::ensure(file);
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fill"));
        db.setDatabaseName(file);
        ok = db.open() && db.transaction();
        QSqlQuery bill(db), line(db);
        ok = ok && bill.prepare(QStringLiteral("INSERT INTO Bills VALUES (?, '2024-05-06', ?, ?, '张伟',"
                                               " '0755-26661234', '深圳总仓', '林芳', ?, '')"));
        ok = ok && line.prepare(QStringLiteral("INSERT INTO BillLines VALUES (?, ?, ?, ?, ?, '件', ?, ?, ?)"));
        for (int b = 0; ok && b < ManyDocuments; ++b) {
            const int billNo = FirstBillNo + b;
            long long total = 0;
            for (int l = 1; ok && l <= LinesPerDocument; ++l) {
                const long long price = 100 + (b * 31 + l * 17) % 9000;
                const int qty = 1 + (b + l) % 12;
                total += price * qty;
                const QVariant values[] = {billNo, l, QStringLiteral("SKU-%1").arg(l, 4, 10, QLatin1Char('0')),
                                           QStringLiteral("商品%1").arg(l), QStringLiteral("规格%1").arg(l % 5),
                                           qty, double(price) / 100, double(price * qty) / 100};
                for (int i = 0; i < int(std::size(values)); ++i)
                    line.bindValue(i, values[i]);
                ok = line.exec();
            }
            bill.bindValue(0, billNo);
            bill.bindValue(1, QStringLiteral("深圳市客户%1有限公司").arg(b));
            bill.bindValue(2, QStringLiteral("深圳市南山区科技园%1号").arg(b));
            bill.bindValue(3, double(total) / 100);
            ok = ok && bill.exec();
        }
        ok = ok && db.commit();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("fill"));
    return ok;
}

void addField(BillTemplate &bill, double left, double top, double width, const QString &code,
              const QString &format, bool scroll, bool sumed, bool sumedPage)
{
    ElementArray &texts = bill.mObjs.page().ObjText();
    Element &e = texts.Load(texts.UBound() + 1);
    e.Move(left, top, width, 280);
    e.setVisible(true);
    auto obj = bill.mObjs.LinkCtl(e.Index(), ObjDraw::Text, &e, ObjDraw::Created);
    obj->setIsFix(false);
    obj->setIsScroll(scroll);
    obj->setSumed(sumed);
    obj->setSumedPage(sumedPage);
    obj->setFormat(format);
    e.setTag(code);
    e.setCaption(FieldVocabulary::BoundCaption(sumed, sumedPage, scroll, code));
}

void deliveryNote(BillTemplate &bill)
{
    bill.Caption = QStringLiteral("发货单");
    bill.mID = 1;
    bill.mScreenID = BenchType;
    bill.mrowcount = LinesPerDocument;
    bill.mcolcount = 1;
    bill.mRowHeight = 360;
    bill.mObjs.page().setWidth(11906);
    bill.mObjs.page().setHeight(16838);
    using namespace FieldVocabulary;
    addField(bill, 1000, 800, 3000, HeaderCode(QStringLiteral("单据号")), QString(), false, false, false);
    addField(bill, 5000, 800, 3000, HeaderCode(QStringLiteral("日期")), QStringLiteral("yyyy年mm月dd日"),
             false, false, false);
    addField(bill, 1000, 1300, 6000, HeaderCode(QStringLiteral("客户")), QString(), false, false, false);
    addField(bill, 1000, 1800, 8000, HeaderCode(QStringLiteral("地址")), QString(), false, false, false);
    addField(bill, 1000, 3000, 800, DetailCode(QStringLiteral("行号")), QString(), true, false, false);
    addField(bill, 2000, 3000, 2500, DetailCode(QStringLiteral("品名")), QString(), true, false, false);
    addField(bill, 5000, 3000, 1000, DetailCode(QStringLiteral("数量")), QString(), true, false, false);
    addField(bill, 6500, 3000, 1500, DetailCode(QStringLiteral("单价")), QStringLiteral("#,##0.00"), true,
             false, false);
    addField(bill, 8500, 3000, 1800, DetailCode(QStringLiteral("金额")), QStringLiteral("#,##0.00"), true,
             false, false);
    addField(bill, 8500, 11000, 1800, DetailCode(QStringLiteral("金额")), QStringLiteral("#,##0.00"), false,
             true, true);
    addField(bill, 1000, 11500, 8000, HeaderCode(QStringLiteral("合计金额")), QStringLiteral("[大写金额]"),
             false, false, false);
    addField(bill, 1000, 15500, 800, PageNo, QString(), false, false, false);
}

double timeMs(const std::function<void()> &work)
{
    QElapsedTimer clock;
    clock.start();
    work();
    return double(clock.nsecsElapsed()) / 1e6;
}

void publishType(const QString &file)
{
    DocumentType type;
    type.id = BenchType;
    type.name = QStringLiteral("发货单");
    type.source.driver = QStringLiteral("QSQLITE");
    type.source.databaseName = file;
    type.headerQuery = DemoDatabase::headerQuery();
    type.detailQuery = DemoDatabase::detailQuery();
    DocumentTypes::setTypes({type});
}

std::vector<int32_t> numbers(int count)
{
    std::vector<int32_t> list;
    for (int b = 0; b < count; ++b)
        list.push_back(FirstBillNo + b);
    return list;
}

// Documents read one at a time over one connection into one PDF, as the
// command-line batch prints them.
int printStreaming(const BillTemplate &bill, const std::vector<int32_t> &billNos, const QString &pdf)
{
    DocumentBatch batch(bill);
    QtPrintDevice device(pdf);
    return Mod_Print::PrintDocuments(
        bill, billNos, [&batch](int32_t billNo) { return batch.read(billNo); }, device);
}

// The peak resident memory of this process so far, in kB.
long peakResidentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').front().toLong();
    }
    return -1;
}

// The helper process: prints `count` documents and says its peak memory.
int printAndMeasure(int count, const QString &file, const QString &pdf)
{
    publishType(file);
    BillTemplate bill;
    deliveryNote(bill);
    const int pages = printStreaming(bill, numbers(count), pdf);
    if (pages != count) {
        std::fprintf(stderr, "expected %d pages, printed %d\n", count, pages);
        return 1;
    }
    std::printf("%ld\n", peakResidentKb());
    return 0;
}

// The peak memory of a helper process printing `count` documents, in MB.
double peakMbPrinting(int count, const QString &file, const QString &pdf)
{
    QProcess helper;
    helper.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    helper.start(QCoreApplication::applicationFilePath(),
                 {QStringLiteral("--memory"), QString::number(count), file, pdf});
    if (!helper.waitForFinished(-1) || helper.exitCode() != 0)
        return -1;
    return helper.readAllStandardOutput().trimmed().toDouble() / 1024.0;
}

// Time of a batch of 1000 from SQLite against the same documents already
// in memory.
bool benchThousand(const BillTemplate &bill, const QTemporaryDir &dir)
{
    const std::vector<int32_t> thousand = numbers(Documents);
    const Mod_Print::Documents inMemory = Mod_Print::ReadDocuments(bill, thousand);
    std::vector<double> fromSqlite, reference;
    int pages = 0, referencePages = 0;
    for (int run = 0; run < Runs; ++run) {
        reference.push_back(timeMs([&] {
            QtPrintDevice device(dir.filePath(QStringLiteral("reference.pdf")));
            referencePages = Mod_Print::PrintDocuments(bill, inMemory, device);
        }));
        fromSqlite.push_back(timeMs([&] {
            QtPrintDevice device(dir.filePath(QStringLiteral("bills.pdf")));
            pages = Mod_Print::PrintDocuments(bill, Mod_Print::ReadDocuments(bill, thousand), device);
        }));
    }
    if (pages != Documents || referencePages != Documents) {
        std::fprintf(stderr, "expected %d pages, printed %d and %d\n", Documents, pages, referencePages);
        return false;
    }
    for (int run = 0; run < Runs; ++run)
        std::printf("run %d: from SQLite %.1f ms, from memory %.1f ms (%d pages each)\n", run + 1,
                    fromSqlite[std::size_t(run)], reference[std::size_t(run)], pages);
    BenchFigure::print("bill-1000-docs", BenchFigure::percentile(fromSqlite, 0.5),
                       BenchFigure::percentile(reference, 0.5));
    return true;
}

// A month of delivery notes streamed from SQLite against the same
// documents printed from memory; then the peak memory of a process that
// prints them all against one that prints a tenth of them.
bool benchTenThousand(const BillTemplate &bill, const QTemporaryDir &dir, const QString &file)
{
    const std::vector<int32_t> all = numbers(ManyDocuments);
    int pages = 0, referencePages = 0;
    double reference = 0;
    {
        const Mod_Print::Documents inMemory = Mod_Print::ReadDocuments(bill, all);
        reference = timeMs([&] {
            QtPrintDevice device(dir.filePath(QStringLiteral("reference.pdf")));
            referencePages = Mod_Print::PrintDocuments(bill, inMemory, device);
        });
    }
    const double streamed = timeMs(
        [&] { pages = printStreaming(bill, all, dir.filePath(QStringLiteral("bills.pdf"))); });
    if (pages != ManyDocuments || referencePages != ManyDocuments) {
        std::fprintf(stderr, "expected %d pages, printed %d and %d\n", ManyDocuments, pages,
                     referencePages);
        return false;
    }
    std::printf("from SQLite %.1f ms, from memory %.1f ms (%d pages each)\n", streamed, reference,
                pages);
    BenchFigure::print("bill-10000-docs", streamed, reference);

    const QString pdf = dir.filePath(QStringLiteral("measured.pdf"));
    const double few = peakMbPrinting(Documents, file, pdf);
    const double many = peakMbPrinting(ManyDocuments, file, pdf);
    if (few <= 0 || many <= 0) {
        std::fprintf(stderr, "the helper process failed\n");
        return false;
    }
    std::printf("bill-10000-docs-memory: %.1f MB (reference %.1f MB, ratio %.2f)\n", many, few,
                many / few);
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    AppSetup::installFontSubstitutions();
    Platform::installFakes();
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 5 && arguments.at(1) == QLatin1String("--memory"))
        return printAndMeasure(arguments.at(2).toInt(), arguments.at(3), arguments.at(4));

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("bills.sqlite"));
    if (!dir.isValid() || !makeDatabase(file)) {
        std::fprintf(stderr, "cannot build the documents database\n");
        return 1;
    }
    publishType(file);
    BillTemplate bill;
    deliveryNote(bill);
    if (!benchThousand(bill, dir) || !benchTenThousand(bill, dir, file))
        return 1;
    return 0;
}
