#include "bench/BenchFigure.h"

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
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>

#include <cstdio>
#include <vector>

namespace {

constexpr int Documents = 1000;
constexpr int LinesPerDocument = 20;
constexpr int16_t BenchType = 9;
constexpr int Runs = 2;

// 1000 delivery notes of 20 lines in the demonstration database's shape.
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
        for (int b = 0; ok && b < Documents; ++b) {
            const int billNo = 20001 + b;
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

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    AppSetup::installFontSubstitutions();
    Platform::installFakes();
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("bills.sqlite"));
    if (!dir.isValid() || !makeDatabase(file)) {
        std::fprintf(stderr, "cannot build the documents database\n");
        return 1;
    }
    DocumentType type;
    type.id = BenchType;
    type.name = QStringLiteral("发货单");
    type.source.driver = QStringLiteral("QSQLITE");
    type.source.databaseName = file;
    type.headerQuery = DemoDatabase::headerQuery();
    type.detailQuery = DemoDatabase::detailQuery();
    DocumentTypes::setTypes({type});

    BillTemplate bill;
    deliveryNote(bill);
    std::vector<int32_t> numbers;
    for (int b = 0; b < Documents; ++b)
        numbers.push_back(20001 + b);

    const Mod_Print::Documents inMemory = Mod_Print::ReadDocuments(bill, numbers);
    std::vector<double> fromSqlite, reference;
    int pages = 0, referencePages = 0;
    for (int run = 0; run < Runs; ++run) {
        reference.push_back(timeMs([&] {
            QtPrintDevice device(dir.filePath(QStringLiteral("reference.pdf")));
            referencePages = Mod_Print::PrintDocuments(bill, inMemory, device);
        }));
        fromSqlite.push_back(timeMs([&] {
            QtPrintDevice device(dir.filePath(QStringLiteral("bills.pdf")));
            pages = Mod_Print::PrintDocuments(bill, Mod_Print::ReadDocuments(bill, numbers), device);
        }));
    }
    if (pages != Documents || referencePages != Documents) {
        std::fprintf(stderr, "expected %d pages, printed %d and %d\n", Documents, pages, referencePages);
        return 1;
    }
    for (int run = 0; run < Runs; ++run)
        std::printf("run %d: from SQLite %.1f ms, from memory %.1f ms (%d pages each)\n", run + 1,
                    fromSqlite[std::size_t(run)], reference[std::size_t(run)], pages);
    BenchFigure::print("bill-1000-docs", BenchFigure::percentile(fromSqlite, 0.5),
                       BenchFigure::percentile(reference, 0.5));
    return 0;
}
