// Totals never leave out a line: amounts stored as text are read as people
// write them, and a value that is no number empties the totals that would
// have left it out, with one warning for the run.

#include "PrintFixtures.h"

#include "print/FieldVocabulary.h"
#include "print/Mod_Print.h"
#include "print/PageComposer.h"

#include "documents/Decimal.h"
#include "documents/DocumentData.h"
#include "platform/AppSetup.h"
#include "platform/FakeDialogs.h"
#include "platform/Platform.h"
#include "platform/RecordingPrintDevice.h"
#include "platform/RuntimeError.h"

#include <QTest>

namespace {

const QString Amount = QStringLiteral("金额");

// Lines scrolling over `rows` cells, the page's subtotal and the total so far.
void amountsNote(BillTemplate &bill, int rows)
{
    bill.Caption = QStringLiteral("发货单");
    bill.mrowcount = int16_t(rows);
    bill.mcolcount = 1;
    bill.mRowHeight = 300;
    bill.mColWidth = 4000;
    bill.mObjs.page().setWidth(11906);
    bill.mObjs.page().setHeight(16838);
    const QString amount = FieldVocabulary::DetailCode(Amount);
    addData(bill, 1000, 3000, amount, QStringLiteral("0.00"), true, false, false, 3000);
    addData(bill, 1000, 14000, amount, QStringLiteral("小计0.00"), false, true, true, 3000);
    addData(bill, 1000, 14500, amount, QStringLiteral("总计0.00"), false, true, false, 3000);
}

DocumentData document(int32_t billNo, const QVariantList &amounts)
{
    DocumentData data;
    data.billNo = billNo;
    data.detailColumns = {Amount};
    for (const QVariant &amount : amounts)
        data.lines.push_back({amount});
    return data;
}

QString printedWith(const BillTemplate &bill, const DocumentData &data, int page,
                    const QString &prefix)
{
    PageContext context;
    context.Page = page;
    context.PageCount = PageComposer::PageCount(bill, &data);
    context.BillNo = data.billNo;
    context.IsDemo = false;
    context.Data = &data;
    for (const auto &obj : bill.mObjs) {
        if (obj->Format().startsWith(prefix))
            return PageComposer::PrintedText(*obj, bill, context);
    }
    return QStringLiteral("<none>");
}

} // namespace

class TestPrintTotals : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void amountsWrittenAsTextAreAdded_data();
    void amountsWrittenAsTextAreAdded();
    void noNumberEmptiesTheTotalsThatMeetIt();
    void runWarnsOnceNamingDocumentColumnAndValue();
    void sumPastWhatPrintsNamesItsLine();

private:
    FakeDialogs *m_dialogs = nullptr;
};

void TestPrintTotals::initTestCase()
{
    AppSetup::installFontSubstitutions();
}

void TestPrintTotals::init()
{
    m_dialogs = &Platform::installFakes();
    Mod_Print::Run() = PrintRun();
}

void TestPrintTotals::amountsWrittenAsTextAreAdded_data()
{
    QTest::addColumn<QVariantList>("amounts");
    QTest::addColumn<QString>("subtotal");
    const QVariant decimal = QVariant::fromValue(*Decimal::fromString(u"12.50"));
    QTest::newRow("the clerk's lines without the word")
        << QVariantList{decimal, "1,234.00", "1e3", "7", "¥5", "１０"} << "小计2268.50";
    QTest::newRow("full-width digits, point and separators")
        << QVariantList{"１，２３４．５０", "－０.５"} << "小计1234.00";
    QTest::newRow("currency signs, before or after the sign")
        << QVariantList{"￥1,000", "$2.25", "-¥0.25", "¥-1", "＄1"} << "小计1002.00";
    QTest::newRow("spaces around, larger groups")
        << QVariantList{" 1,234,567.10 ", "　3　"} << "小计1234570.10";
    QTest::newRow("plain numbers") << QVariantList{7, 2.5, qlonglong(10)} << "小计19.50";
    QTest::newRow("empty lines add nothing") << QVariantList{QVariant(), "", "  ", "4"}
                                             << "小计4.00";
    QTest::newRow("a word") << QVariantList{decimal, "abc", "7"} << "";
    QTest::newRow("separators out of place") << QVariantList{"1,23", "7"} << "";
    QTest::newRow("a sign alone") << QVariantList{"¥", "7"} << "";
    QTest::newRow("two signs") << QVariantList{"--5", "7"} << "";
    QTest::newRow("a date") << QVariantList{QDate(2026, 1, 2), "7"} << "";
}

void TestPrintTotals::amountsWrittenAsTextAreAdded()
{
    QFETCH(QVariantList, amounts);
    QFETCH(QString, subtotal);
    BillTemplate bill;
    amountsNote(bill, 10);
    const DocumentData data = document(1001, amounts);
    QCOMPARE(printedWith(bill, data, 1, QStringLiteral("小计")), subtotal);
    QCOMPARE(printedWith(bill, data, 1, QStringLiteral("总计")),
             subtotal.isEmpty() ? QString() : QString(subtotal).replace(QStringLiteral("小计"), QStringLiteral("总计")));
}

// Pages before the value keep their totals; the page that holds it prints
// no subtotal, and no total from there on.
void TestPrintTotals::noNumberEmptiesTheTotalsThatMeetIt()
{
    BillTemplate bill;
    amountsNote(bill, 2);
    const DocumentData data = document(1001, {"1", "2", "3", "abc", "5", "6"});
    QCOMPARE(printedWith(bill, data, 1, QStringLiteral("小计")), QStringLiteral("小计3.00"));
    QCOMPARE(printedWith(bill, data, 1, QStringLiteral("总计")), QStringLiteral("总计3.00"));
    QCOMPARE(printedWith(bill, data, 2, QStringLiteral("小计")), QString());
    QCOMPARE(printedWith(bill, data, 2, QStringLiteral("总计")), QString());
    QCOMPARE(printedWith(bill, data, 3, QStringLiteral("小计")), QStringLiteral("小计11.00"));
    QCOMPARE(printedWith(bill, data, 3, QStringLiteral("总计")), QString());
}

void TestPrintTotals::runWarnsOnceNamingDocumentColumnAndValue()
{
    BillTemplate bill;
    amountsNote(bill, 10);
    const Mod_Print::Documents documents
        = {std::make_shared<DocumentData>(document(1001, {"1", "2"})),
           std::make_shared<DocumentData>(document(1002, {"1", "两元", "3"})),
           std::make_shared<DocumentData>(document(1003, {"x"}))};
    RecordingPrintDevice device;
    Mod_Print::PrintDocuments(bill, documents, device);
    QCOMPARE(m_dialogs->messages().size(), 1);
    const QString message = m_dialogs->messages().front();
    for (const QString &part : {QStringLiteral("1002"), Amount, QStringLiteral("“两元”"), QStringLiteral("第 2 行")})
        QVERIFY2(message.contains(part), qPrintable(message));
    QCOMPARE(device.completed.size(), std::size_t(3));
    QVERIFY(device.completed[0].texts.contains(QStringLiteral("小计3.00")));
    // Every line still prints as it stands; only the totals are left empty.
    QCOMPARE(device.completed[1].texts, QStringList({"1", "两元", "3"}));
    QCOMPARE(device.completed[2].texts, QStringList({"x"}));
}

// Each amount prints, but their sum does not fit: the run stops naming
// where, never with a bare "溢出".
void TestPrintTotals::sumPastWhatPrintsNamesItsLine()
{
    BillTemplate bill;
    amountsNote(bill, 10);
    const DocumentData data
        = document(1004, {"1", "90000000000000000000", "90,000,000,000,000,000,000"});
    QString said;
    try {
        printedWith(bill, data, 1, QStringLiteral("小计"));
    } catch (const RuntimeError &e) {
        QCOMPARE(e.Number(), int(RuntimeError::Overflow));
        said = e.Description();
    }
    for (const QString &part : {QStringLiteral("单据 1004"), QStringLiteral("“金额”"),
                                QStringLiteral("第 3 行"), QStringLiteral("90,000,000,000,000,000,000")})
        QVERIFY2(said.contains(part), qPrintable(said));
}

QTEST_MAIN(TestPrintTotals)
#include "tst_print_totals.moc"
