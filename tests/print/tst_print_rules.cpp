#include "print/DocumentNumber.h"
#include "print/FieldVocabulary.h"
#include "print/FindListIndex.h"
#include "print/ValueFormat.h"

#include "platform/RuntimeError.h"

#include <QComboBox>
#include <QDate>
#include <QTest>

#include <vector>

namespace {

class VectorList : public ListSource
{
public:
    struct Entry
    {
        QString text;
        int32_t data;
    };
    std::vector<Entry> entries;
    int ListCount() const override { return int(entries.size()); }
    QString List(int index) const override { return entries.at(index).text; }
    int32_t ItemData(int index) const override { return entries.at(index).data; }
};

VectorList fontList()
{
    VectorList list;
    list.entries = {{QStringLiteral("黑体"), 5}, {QStringLiteral("宋体"), 2},
                    {QStringLiteral("12"), 0}, {QStringLiteral("宋体"), 7},
                    {QStringLiteral("2"), 9}};
    return list;
}

} // namespace

class TestPrintRules : public QObject
{
    Q_OBJECT

private slots:
    void findListIndex_data();
    void findListIndex();
    void findListIndexEmptyList();
    void findListIndexComboBox();

    void marker_data();
    void marker();
    void vocabularyCodes();
    void captionSplitsIntoMarkerAndEntry_data();
    void captionSplitsIntoMarkerAndEntry();

    void chineseAmount_data();
    void chineseAmount();
    void chineseAmountRefusesHugeValues();
    void formatValue_data();
    void formatValue();

    void documentNumber_data();
    void documentNumber();
};

void TestPrintRules::findListIndex_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("byItemData");
    QTest::addColumn<int>("expected");

    QTest::newRow("number-key-by-value-even-with-flag-false") << "2" << false << 1;
    QTest::newRow("number-key-by-value") << "2" << true << 1;
    QTest::newRow("zero-key-looks-for-value-0") << "0" << false << 2;
    QTest::newRow("text-key-compares-texts") << QStringLiteral("宋体") << false << 1;
    QTest::newRow("text-key-by-value-is-value-0") << QStringLiteral("宋体") << true << 2;
    QTest::newRow("leading-number-counts") << "7pt" << false << 3;
    QTest::newRow("not-found") << QStringLiteral("楷体") << false << -1;
    QTest::newRow("number-not-found") << "42" << false << -1;
    QTest::newRow("texts-are-exact") << QStringLiteral("宋体 ") << false << -1;
    QTest::newRow("decimal-key-matches-no-whole-value") << "2.5" << false << -1;
}

void TestPrintRules::findListIndex()
{
    QFETCH(QString, key);
    QFETCH(bool, byItemData);
    QFETCH(int, expected);
    QCOMPARE(int(FindListIndex(fontList(), key, byItemData)), expected);
}

void TestPrintRules::findListIndexEmptyList()
{
    const VectorList empty;
    QCOMPARE(int(FindListIndex(empty, QStringLiteral("0"), false)), -1);
    QCOMPARE(int(FindListIndex(empty, QStringLiteral("宋体"), false)), -1);
}

void TestPrintRules::findListIndexComboBox()
{
    QComboBox combo;
    combo.addItem(QStringLiteral("黑体"), 3);
    combo.addItem(QStringLiteral("宋体"), 2);
    QCOMPARE(int(FindListIndex(combo, QStringLiteral("2"), false)), 1);
    QCOMPARE(int(FindListIndex(combo, QStringLiteral("宋体"), false)), 1);
    QCOMPARE(int(FindListIndex(combo, QStringLiteral("3"), true)), 0);
}

void TestPrintRules::marker_data()
{
    QTest::addColumn<bool>("sumed");
    QTest::addColumn<bool>("sumedPage");
    QTest::addColumn<bool>("isScroll");
    QTest::addColumn<QString>("expected");

    QTest::newRow("single") << false << false << false << "#";
    QTest::newRow("scroll") << false << false << true << "^";
    QTest::newRow("subtotal") << true << true << false << QStringLiteral("[小计]");
    QTest::newRow("total") << true << false << false << QStringLiteral("[总计]");
    QTest::newRow("subtotal-beats-scroll") << true << true << true << QStringLiteral("[小计]");
    QTest::newRow("total-beats-scroll") << true << false << true << QStringLiteral("[总计]");
    QTest::newRow("page-flag-alone-is-not-a-sum") << false << true << false << "#";
}

void TestPrintRules::marker()
{
    QFETCH(bool, sumed);
    QFETCH(bool, sumedPage);
    QFETCH(bool, isScroll);
    QFETCH(QString, expected);
    QCOMPARE(FieldVocabulary::Marker(sumed, sumedPage, isScroll), expected);
    QCOMPARE(FieldVocabulary::BoundCaption(sumed, sumedPage, isScroll, QStringLiteral("[页号]")),
             expected + QStringLiteral("[页号]"));
}

void TestPrintRules::vocabularyCodes()
{
    const auto &entries = FieldVocabulary::Entries();
    QCOMPARE(entries.size(), std::size_t(5));
    const QStringList texts = {QStringLiteral("（固定文本）"), QStringLiteral("[页号]"),
                               QStringLiteral("[总页号]"), QStringLiteral("[当前日期]"),
                               QStringLiteral("[当前时间]")};
    const QStringList codes = {QString(), "#P", "#N", "#D", "#T"};
    // Fixed text has data type 0.
    const QList<int> types = {0, FieldVocabulary::DataTypeNumber, FieldVocabulary::DataTypeNumber,
                              FieldVocabulary::DataTypeDateTime, FieldVocabulary::DataTypeDateTime};
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(entries[i].Text, texts[i]);
        QCOMPARE(entries[i].Code, codes[i]);
        QCOMPARE(entries[i].DataType, types[i]);
        QCOMPARE(FieldVocabulary::IndexOfText(texts[i]), i);
    }
    QCOMPARE(FieldVocabulary::IndexOfCode("#T"), 4);
    QCOMPARE(FieldVocabulary::IndexOfCode(QString()), -1);
    QCOMPARE(FieldVocabulary::IndexOfCode("#X"), -1);
}

void TestPrintRules::captionSplitsIntoMarkerAndEntry_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("marker");
    QTest::addColumn<QString>("entry");

    QTest::newRow("single") << QStringLiteral("#[页号]") << "#" << QStringLiteral("[页号]");
    QTest::newRow("scroll") << QStringLiteral("^[当前日期]") << "^" << QStringLiteral("[当前日期]");
    QTest::newRow("subtotal") << QStringLiteral("[小计][总页号]") << QStringLiteral("[小计]")
                              << QStringLiteral("[总页号]");
    QTest::newRow("total") << QStringLiteral("[总计][页号]") << QStringLiteral("[总计]")
                           << QStringLiteral("[页号]");
    QTest::newRow("fixed-text") << QStringLiteral("合计") << QString() << QStringLiteral("合计");
}

void TestPrintRules::captionSplitsIntoMarkerAndEntry()
{
    QFETCH(QString, caption);
    QFETCH(QString, marker);
    QFETCH(QString, entry);
    QCOMPARE(FieldVocabulary::MarkerOf(caption), marker);
    QCOMPARE(FieldVocabulary::EntryTextOf(caption), entry);
}

void TestPrintRules::chineseAmount_data()
{
    QTest::addColumn<double>("amount");
    QTest::addColumn<QString>("expected");

    QTest::newRow("0") << 0.0 << QStringLiteral("零元整");
    QTest::newRow("0.5") << 0.5 << QStringLiteral("伍角");
    QTest::newRow("0.05") << 0.05 << QStringLiteral("伍分");
    QTest::newRow("10") << 10.0 << QStringLiteral("壹拾元整");
    QTest::newRow("10.5") << 10.5 << QStringLiteral("壹拾元伍角");
    QTest::newRow("100000") << 100000.0 << QStringLiteral("壹拾万元整");
    QTest::newRow("1000.05") << 1000.05 << QStringLiteral("壹仟元零伍分");
    QTest::newRow("1234.56") << 1234.56 << QStringLiteral("壹仟贰佰叁拾肆元伍角陆分");
    QTest::newRow("100000000") << 100000000.0 << QStringLiteral("壹亿元整");
    QTest::newRow("-1234.56") << -1234.56 << QStringLiteral("负壹仟贰佰叁拾肆元伍角陆分");
    QTest::newRow("1004") << 1004.0 << QStringLiteral("壹仟零肆元整");
    QTest::newRow("100500") << 100500.0 << QStringLiteral("壹拾万零伍佰元整");
    QTest::newRow("1000010") << 1000010.0 << QStringLiteral("壹佰万零壹拾元整");
    QTest::newRow("100001000") << 100001000.0 << QStringLiteral("壹亿零壹仟元整");
    QTest::newRow("1200000000000") << 1.2e12 << QStringLiteral("壹万贰仟亿元整");
    QTest::newRow("1000000000000") << 1.0e12 << QStringLiteral("壹万亿元整");
    QTest::newRow("rounds-half-up") << 2.675 << QStringLiteral("贰元陆角捌分");
    QTest::newRow("tiny-negative-is-zero") << -0.001 << QStringLiteral("零元整");
}

void TestPrintRules::chineseAmount()
{
    QFETCH(double, amount);
    QFETCH(QString, expected);
    QCOMPARE(ValueFormat::ChineseAmount(amount), expected);
    QCOMPARE(ValueFormat::FormatValue(amount, QStringLiteral("[大写金额]")), expected);
}

void TestPrintRules::chineseAmountRefusesHugeValues()
{
    QVERIFY_THROWS_EXCEPTION(RuntimeError, ValueFormat::ChineseAmount(1e17));
}

void TestPrintRules::formatValue_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("expected");

    const QDate date(2024, 3, 5);
    const QTime time(9, 7, 4);
    QTest::newRow("drop-point") << QVariant(123.4) << QStringLiteral("[去小数点]") << "12340";
    QTest::newRow("drop-point-rounds") << QVariant(0.125) << QStringLiteral("[去小数点]") << "13";
    QTest::newRow("drop-point-negative") << QVariant(-1.5) << QStringLiteral("[去小数点]") << "-150";
    QTest::newRow("amount-with-literal-text") << QVariant(10)
                                              << QStringLiteral("人民币[大写金额]")
                                              << QStringLiteral("人民币壹拾元整");
    QTest::newRow("capital-digits") << QVariant(2024) << QStringLiteral("[大写数字]")
                                    << QStringLiteral("贰零贰肆");
    QTest::newRow("capital-digits-of-date") << QVariant(date) << QStringLiteral("[大写数字]")
                                            << QStringLiteral("贰零贰肆-零叁-零伍");
    QTest::newRow("only-digits-date") << QVariant(date) << QStringLiteral("[仅数字]") << "20240305";
    QTest::newRow("only-digits-time") << QVariant(time) << QStringLiteral("[仅数字]") << "090704";
    QTest::newRow("default-date") << QVariant(date) << QString() << "2024-03-05";
    QTest::newRow("default-time") << QVariant(time) << QString() << "09:07:04";
    QTest::newRow("default-number") << QVariant(3) << QString() << "3";
    QTest::newRow("date-chinese") << QVariant(date) << QStringLiteral("yyyy年mm月dd日")
                                  << QStringLiteral("2024年03月05日");
    QTest::newRow("date-short") << QVariant(date) << QStringLiteral("yy/m/d") << "24/3/5";
    QTest::newRow("time-mm-after-hh") << QVariant(time) << "hh:mm:ss" << "09:07:04";
    QTest::newRow("time-nn") << QVariant(time) << QStringLiteral("h时nn分") << QStringLiteral("9时07分");
    QTest::newRow("date-mm-is-month") << QVariant(date) << "mm-dd" << "03-05";
    QTest::newRow("date-quoted-literal") << QVariant(date) << "\"d\"dd" << "d05";
    QTest::newRow("fixed-decimals") << QVariant(1234.5) << "0.00" << "1234.50";
    QTest::newRow("thousands") << QVariant(1234567.891) << "#,##0.00" << "1,234,567.89";
    QTest::newRow("thousands-small") << QVariant(12) << "#,##0" << "12";
    QTest::newRow("negative") << QVariant(-1234.5) << "#,##0.00" << "-1,234.50";
    QTest::newRow("optional-decimals") << QVariant(2.5) << "0.0#" << "2.5";
    QTest::newRow("optional-decimals-full") << QVariant(2.456) << "0.0#" << "2.46";
    QTest::newRow("no-integer-digit") << QVariant(0.5) << "#.##" << ".5";
    QTest::newRow("no-integer-place-keeps-whole") << QVariant(12.5) << ".00" << "12.50";
    QTest::newRow("no-integer-place-zero-whole") << QVariant(0.5) << ".00" << ".50";
    QTest::newRow("no-integer-place-currency") << QVariant(12.5) << QStringLiteral("¥.00")
                                               << QStringLiteral("¥12.50");
    QTest::newRow("no-integer-place-negative") << QVariant(-1234.5) << ".0" << "-1234.5";
    QTest::newRow("no-integer-place-rounds-up") << QVariant(9.999) << ".00" << "10.00";
    QTest::newRow("no-integer-place-no-decimals") << QVariant(12) << ".##" << "12";
    QTest::newRow("leading-zeros") << QVariant(7) << "000" << "007";
    QTest::newRow("more-digits-than-places") << QVariant(12345) << "00" << "12345";
    QTest::newRow("percent") << QVariant(0.256) << "0.0%" << "25.6%";
    QTest::newRow("literal-text") << QVariant(12) << QStringLiteral("第0页") << QStringLiteral("第12页");
    QTest::newRow("digit-groups-with-literals") << QVariant(1234567) << "000-0000" << "123-4567";
    QTest::newRow("rounds-half-away") << QVariant(2.5) << "0" << "3";
    QTest::newRow("negative-section") << QVariant(-5) << "0;(0)" << "(5)";
    QTest::newRow("zero-section") << QVariant(0) << "0;(0);-" << "-";
    QTest::newRow("empty-negative-section") << QVariant(-3) << "0;;" << "-3";
    QTest::newRow("empty-zero-section") << QVariant(0) << "0;-0;" << "0";
    QTest::newRow("empty-negative-keeps-zero-section") << QVariant(-3) << "0.0;;\"零\""
                                                       << "-3.0";
    QTest::newRow("empty-negative-then-zero-section") << QVariant(0) << "0;;-" << "-";
    QTest::newRow("text-ignores-number-pattern") << QVariant(QStringLiteral("abc")) << "0.00" << "abc";
}

void TestPrintRules::formatValue()
{
    QFETCH(QVariant, value);
    QFETCH(QString, format);
    QFETCH(QString, expected);
    QCOMPARE(ValueFormat::FormatValue(value, format), expected);
}

void TestPrintRules::documentNumber_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("number");

    QTest::newRow("plain") << "12" << true << 12;
    QTest::newRow("leading-number") << "12abc" << true << 12;
    QTest::newRow("empty-or-cancel") << "" << true << 0;
    QTest::newRow("non-numeric") << "abc" << true << 0;
    QTest::newRow("negative") << "-7" << true << -7;
    QTest::newRow("half-to-even-down") << "2.5" << true << 2;
    QTest::newRow("half-to-even-up") << "3.5" << true << 4;
    QTest::newRow("largest") << "2147483647" << true << 2147483647;
    QTest::newRow("overflow") << "99999999999" << false << 0;
    QTest::newRow("overflow-negative") << "-2147483649" << false << 0;
}

void TestPrintRules::documentNumber()
{
    QFETCH(QString, answer);
    QFETCH(bool, accepted);
    QFETCH(int, number);
    const std::optional<int32_t> result = DocumentNumber(answer);
    QCOMPARE(result.has_value(), accepted);
    if (accepted)
        QCOMPARE(*result, number);
}

QTEST_MAIN(TestPrintRules)
#include "tst_print_rules.moc"
