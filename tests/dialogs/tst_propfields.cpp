#include "DialogFixtures.h"

#include "dialogs/mFrm_Prop.h"

#include "platform/FakeDialogs.h"
#include "platform/Platform.h"
#include "platform/RuntimeError.h"

#include <QComboBox>

#include <memory>

namespace {

QComboBox &list(const QDialog &dialog, const char *name)
{
    return element<QComboBox>(dialog, name);
}

QStringList itemsOf(const QComboBox &box)
{
    QStringList items;
    for (int i = 0; i < box.count(); ++i)
        items << box.itemText(i);
    return items;
}

// A delivery note's columns: one name in both queries, one that is also a
// run-time entry's text.
FieldColumns deliveryColumns()
{
    FieldColumns columns;
    columns.header = {{QStringLiteral("单据号"), DocumentColumn::Number},
                      {QStringLiteral("客户"), DocumentColumn::Other},
                      {QStringLiteral("页号"), DocumentColumn::Number}};
    columns.detail = {{QStringLiteral("单据号"), DocumentColumn::Number},
                      {QStringLiteral("金额"), DocumentColumn::Number}};
    return columns;
}

} // namespace

class TestPropFields : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void columnsFollowTheFiveEntries();
    void detailFieldBindsAndReopens_data();
    void detailFieldBindsAndReopens();
    void columnsAreListedOncePerOpening();
    void unreadableSourceKeepsTheBinding();
    void formatsToPickFrom_data();
    void formatsToPickFrom();

private:
    std::unique_ptr<mFrm_Prop> open(BillTemplate &bill, const ObjDraw &obj);

    FakeDialogs *m_dialogs = nullptr;
    int m_listings = 0;
    int16_t m_listedFor = -1;
};

void TestPropFields::init()
{
    m_dialogs = &Platform::installFakes();
    m_listings = 0;
    m_listedFor = -1;
}

std::unique_ptr<mFrm_Prop> TestPropFields::open(BillTemplate &bill, const ObjDraw &obj)
{
    bill.mObjs.setNCurID(obj.nID());
    auto dialog = std::make_unique<mFrm_Prop>(bill, ScaleConversion::Twips, nullptr,
                                              [this](int16_t screenID) {
                                                  ++m_listings;
                                                  m_listedFor = screenID;
                                                  return deliveryColumns();
                                              });
    dialog->Init();
    return dialog;
}

void TestPropFields::columnsFollowTheFiveEntries()
{
    BillTemplate bill;
    bill.mScreenID = 4;
    auto obj = addText(bill, 500, 500, 1500, 300, QStringLiteral("文字"));
    auto dialog = open(bill, *obj);
    QCOMPARE(m_listedFor, int16_t(4));
    QCOMPARE(itemsOf(list(*dialog, "CmbKey")),
             QStringList({"（固定文本）", "[页号]", "[总页号]", "[当前日期]", "[当前时间]",
                          "[单据号]", "[客户]", "[表头.页号]", "[明细.单据号]（明细）",
                          "[金额]（明细）"}));
    const QComboBox &save = list(*dialog, "CmbSave");
    QCOMPARE(itemsOf(save), QStringList({"#P", "#N", "#D", "#T", "@H:单据号", "@H:客户",
                                         "@H:页号", "@D:单据号", "@D:金额"}));
    QList<int> types;
    for (int i = 0; i < save.count(); ++i)
        types << save.itemData(i).toInt();
    QCOMPARE(types, QList<int>({2, 2, 1, 1, 2, 1, 2, 2, 2}));
}

void TestPropFields::detailFieldBindsAndReopens_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("choice");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<int>("dataType");
    // A detail column shows it scrolls; the caption holds the column alone.
    QTest::newRow("scrolling amount") << "[金额]（明细）" << "ChkScroll" << "^[金额]" << "@D:金额" << 2;
    QTest::newRow("page subtotal") << "[金额]（明细）" << "ChkSumPage" << "[小计][金额]" << "@D:金额"
                                   << 2;
    QTest::newRow("total so far") << "[金额]（明细）" << "ChkSumAll" << "[总计][金额]" << "@D:金额"
                                  << 2;
    QTest::newRow("a detail column named like a header one")
        << "[明细.单据号]（明细）" << "ChkScroll" << "^[明细.单据号]" << "@D:单据号" << 2;
    QTest::newRow("header text") << "[客户]" << "" << "#[客户]" << "@H:客户" << 1;
    QTest::newRow("a column named like an entry") << "[表头.页号]" << "" << "#[表头.页号]"
                                                  << "@H:页号" << 2;
}

void TestPropFields::detailFieldBindsAndReopens()
{
    QFETCH(QString, entry);
    QFETCH(QString, choice);
    QFETCH(QString, caption);
    QFETCH(QString, tag);
    QFETCH(int, dataType);
    BillTemplate bill;
    auto obj = addText(bill, 500, 500, 1500, 300, QStringLiteral("文字"));
    auto dialog = open(bill, *obj);
    list(*dialog, "CmbKey").setCurrentText(entry);
    if (!choice.isEmpty())
        tick(*dialog, qPrintable(choice), true);
    press(*dialog, "CmdOK");
    QCOMPARE(obj->ObjCtl()->Caption(), caption);
    QCOMPARE(obj->ObjCtl()->Tag(), tag);
    QCOMPARE(obj->DataType(), dataType);
    QVERIFY(!obj->IsFix());

    auto again = open(bill, *obj);
    QCOMPARE(list(*again, "CmbKey").currentText(), entry);
    for (const char *name : {"ChkSumPage", "ChkSumAll", "ChkScroll"})
        QCOMPARE(ticked(*again, name), choice == QLatin1String(name));
}

void TestPropFields::columnsAreListedOncePerOpening()
{
    BillTemplate bill;
    auto obj = addText(bill, 500, 500, 1500, 300, QStringLiteral("文字"));
    auto dialog = open(bill, *obj);
    for (const QString &entry : {QStringLiteral("[金额]（明细）"), QStringLiteral("[客户]"),
                                 QStringLiteral("（固定文本）")})
        list(*dialog, "CmbKey").setCurrentText(entry);
    dialog->Init();
    QCOMPARE(m_listings, 1);
    auto again = open(bill, *obj);
    QCOMPARE(m_listings, 2);
}

void TestPropFields::unreadableSourceKeepsTheBinding()
{
    BillTemplate bill;
    auto obj = addText(bill, 500, 500, 1500, 300, QString());
    obj->setIsFix(false);
    obj->ObjCtl()->setTag(QStringLiteral("@D:金额"));
    obj->ObjCtl()->setCaption(QStringLiteral("^[金额]"));
    obj->setIsScroll(true);
    bill.mObjs.setNCurID(obj->nID());
    mFrm_Prop dialog(bill, ScaleConversion::Twips, nullptr, [](int16_t) -> FieldColumns {
        throw RuntimeError(RuntimeError::DataSourceUnreachable, QStringLiteral("server down"),
                           QStringLiteral("发货单"));
    });
    dialog.Init();
    QCOMPARE(m_dialogs->messages().size(), 1);
    QVERIFY(m_dialogs->messages().front().contains(QStringLiteral("发货单")));
    QVERIFY(m_dialogs->messages().front().contains(QStringLiteral("server down")));
    QCOMPARE(list(dialog, "CmbKey").count(), 5);
    QCOMPARE(list(dialog, "CmbKey").currentIndex(), -1);
    press(dialog, "CmdOK");
    QCOMPARE(obj->ObjCtl()->Tag(), QStringLiteral("@D:金额"));
    QCOMPARE(obj->ObjCtl()->Caption(), QStringLiteral("^[金额]"));
}

void TestPropFields::formatsToPickFrom_data()
{
    QTest::addColumn<QString>("picked");
    QTest::newRow("capital amount") << QStringLiteral("[大写金额]");
    QTest::newRow("thousands") << QStringLiteral("#,##0.00");
    QTest::newRow("two decimals") << QStringLiteral("0.00");
    QTest::newRow("date") << QStringLiteral("yyyy-mm-dd");
    QTest::newRow("Chinese date") << QStringLiteral("yyyy年m月d日");
}

// The format box lists the keywords and the common patterns; a pick is
// stored as typed text would be, and a text opened without a format shows
// none picked.
void TestPropFields::formatsToPickFrom()
{
    QFETCH(QString, picked);
    BillTemplate bill;
    auto obj = addText(bill, 500, 500, 1500, 300, QStringLiteral("文字"));
    auto dialog = open(bill, *obj);
    QComboBox &format = list(*dialog, "CmbFormat");
    QCOMPARE(format.currentText(), QString());
    QVERIFY(itemsOf(format).contains(picked));
    for (const QString &keyword : {QStringLiteral("[去小数点]"), QStringLiteral("[大写数字]"),
                                   QStringLiteral("[仅数字]")})
        QVERIFY(itemsOf(format).contains(keyword));
    list(*dialog, "CmbKey").setCurrentText(QStringLiteral("[金额]（明细）"));
    QCOMPARE(format.currentText(), QString());
    format.setCurrentIndex(format.findText(picked));
    press(*dialog, "CmdOK");
    QCOMPARE(obj->Format(), picked);
    auto again = open(bill, *obj);
    QCOMPARE(list(*again, "CmbFormat").currentText(), picked);
    QCOMPARE(list(*again, "CmbFormat").count(), format.count());
}

QTEST_MAIN(TestPropFields)
#include "tst_propfields.moc"
