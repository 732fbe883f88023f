#include "DialogFixtures.h"

#include "dialogs/mFrm_PageSetup.h"

#include "platform/FakeDialogs.h"
#include "platform/Platform.h"
#include "platform/PageSurface.h"
#include "platform/Units.h"

#include <QLabel>
#include <QRadioButton>
#include <QVariantList>

#include <cmath>
#include <memory>

namespace {

QLineEdit &box(const QDialog &dialog, const char *name)
{
    return element<QLineEdit>(dialog, name);
}

// A page-size box as it reads: its caption, then the millimetres it holds.
QString label(const QDialog &dialog, const char *name)
{
    const QLineEdit &sized = element<QLineEdit>(dialog, name);
    for (const QLabel *caption : dialog.findChildren<QLabel *>()) {
        if (caption->buddy() == &sized)
            return caption->text() + sized.text();
    }
    return sized.text();
}

// Every member the dialog may write, for comparing a whole record.
QVariantList members(const BillTemplate &b)
{
    return {b.Caption,   b.mrowcount,    b.mRowHeight, b.mcolcount,
            b.mColWidth, b.mBlnColFirst, b.mLandScape, b.mIsDefault};
}

void fillTemplate(BillTemplate &bill)
{
    bill.Caption = QStringLiteral("入库单");
    bill.mrowcount = 8;
    bill.mRowHeight = 1000;
    bill.mcolcount = 2;
    bill.mColWidth = 2835;
}

} // namespace

class TestPageSetup : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void opening_data();
    void opening();
    void okWritesTheMembers_data();
    void okWritesTheMembers();
    void aClickedNameIsSelected();
    void blankNameIsRefused_data();
    void blankNameIsRefused();
    void orientationSwapsThePictures_data();
    void orientationSwapsThePictures();
    void cancelWritesNothing();
    void changeRulesWhenEditingFinishes_data();
    void changeRulesWhenEditingFinishes();
    void refusedValues_data();
    void refusedValues();
    void scrollingGridMustStartOnThePage_data();
    void scrollingGridMustStartOnThePage();
    void pageSizeTypedInMillimetres_data();
    void pageSizeTypedInMillimetres();

private:
    FakeDialogs *dialogs = nullptr;
};

void TestPageSetup::init()
{
    dialogs = &Platform::installFakes();
}

void TestPageSetup::opening_data()
{
    QTest::addColumn<int>("rowCount");
    QTest::addColumn<double>("rowHeight");
    QTest::addColumn<double>("colWidth");
    QTest::addColumn<double>("pageWidth");
    QTest::addColumn<QStringList>("texts"); // count, height, column count, width
    QTest::addColumn<QString>("width");
    QTest::newRow("new template") << 0 << 0.0 << 0.0 << 8190.0
                                  << QStringList{"5", "400", "0", "0.0"} << "页宽：144.46";
    QTest::newRow("an inch") << 3 << 1440.0 << 1440.0 << 1440.0
                             << QStringList{"3", "25.4", "0", "25.4"} << "页宽：25.4";
    // 2835 twips are 50.00625 mm.
    QTest::newRow("2835 twips") << 3 << 2835.0 << 2835.0 << 2835.0
                                << QStringList{"3", "50.01", "0", "50.01"} << "页宽：50.01";
    // The change rule shows the plain number, the column width keeps "0.0#".
    QTest::newRow("whole millimetres") << 3 << Units::mmToTwips(10) << Units::mmToTwips(10)
                                       << 8190.0 << QStringList{"3", "10", "0", "10.0"}
                                       << "页宽：144.46";
}

void TestPageSetup::opening()
{
    QFETCH(int, rowCount);
    QFETCH(double, rowHeight);
    QFETCH(double, colWidth);
    QFETCH(double, pageWidth);
    QFETCH(QStringList, texts);
    QFETCH(QString, width);
    BillTemplate bill;
    bill.Caption = QStringLiteral("入库单");
    bill.mrowcount = int16_t(rowCount);
    bill.mRowHeight = rowHeight;
    bill.mColWidth = colWidth;
    bill.mObjs.page().setWidth(pageWidth);
    mFrm_PageSetup dialog(bill);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("页面设置"));
    QCOMPARE(box(dialog, "TxtName").text(), QStringLiteral("入库单"));
    QCOMPARE((QStringList{box(dialog, "TxtCount").text(), box(dialog, "TxtHeight").text(),
                          box(dialog, "TxtColCount").text(), box(dialog, "TxtWidth").text()}),
             texts);
    QCOMPARE(label(dialog, "LabWidth"), width);
    QCOMPARE(label(dialog, "LabHeight"), QStringLiteral("页高：65.09"));
}

void TestPageSetup::okWritesTheMembers_data()
{
    QTest::addColumn<QStringList>("typed"); // field, text, ...; untouched fields keep theirs
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("rowCount");
    QTest::addColumn<double>("rowHeight");
    QTest::addColumn<int>("colCount");
    QTest::addColumn<double>("colWidth");
    QTest::newRow("untouched keeps exact lengths") << QStringList{} << "入库单" << 8 << 1000.0
                                                   << 2 << 2835.0;
    QTest::newRow("trimmed name") << QStringList{"TxtName", "  出库单 "} << "出库单" << 8
                                  << 1000.0 << 2 << 2835.0;
    QTest::newRow("counts rounded half to even")
        << QStringList{"TxtCount", "12.5", "TxtColCount", "3.5"} << "入库单" << 12 << 1000.0 << 4
        << 2835.0;
    QTest::newRow("lengths in millimetres")
        << QStringList{"TxtHeight", "12.5", "TxtWidth", "25.4"} << "入库单" << 8
        << Units::mmToTwips(12.5) << 2 << 1440.0;
    // OK runs the change rules on text it finds unfinished.
    QTest::newRow("unfinished text") << QStringList{"TxtHeight", "12.", "TxtCount", ""}
                                     << "入库单" << 5 << Units::mmToTwips(12) << 2 << 2835.0;
    QTest::newRow("largest count") << QStringList{"TxtCount", "32767.4"} << "入库单" << 32767
                                   << 1000.0 << 2 << 2835.0;
    // Typed with a Chinese input method.
    QTest::newRow("full-width digits")
        << QStringList{"TxtCount", "１２", "TxtHeight", "１２．５", "TxtColCount", "３",
                       "TxtWidth", "２５．４"}
        << "入库单" << 12 << Units::mmToTwips(12.5) << 3 << 1440.0;
}

void TestPageSetup::okWritesTheMembers()
{
    QFETCH(QStringList, typed);
    QFETCH(QString, caption);
    QFETCH(int, rowCount);
    QFETCH(double, rowHeight);
    QFETCH(int, colCount);
    QFETCH(double, colWidth);
    BillTemplate bill;
    fillTemplate(bill);
    mFrm_PageSetup dialog(bill);
    for (int i = 0; i + 1 < typed.size(); i += 2)
        box(dialog, qPrintable(typed[i])).setText(typed[i + 1]);
    tick(dialog, "ChkColFirst", true);
    tick(dialog, "ChkDefault", true);
    element<QRadioButton>(dialog, "OptLandScape").setChecked(true);
    press(dialog, "CmdOK");
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(dialogs->messages().isEmpty());
    QCOMPARE(bill.Caption, caption);
    QCOMPARE(box(dialog, "TxtName").text(), caption);
    QCOMPARE(int(bill.mrowcount), rowCount);
    QCOMPARE(bill.mRowHeight, rowHeight);
    QCOMPARE(int(bill.mcolcount), colCount);
    QCOMPARE(bill.mColWidth, colWidth);
    QVERIFY(bill.mBlnColFirst);
    QVERIFY(bill.mLandScape);
    QVERIFY(bill.mIsDefault);
}

void TestPageSetup::aClickedNameIsSelected()
{
    BillTemplate bill;
    fillTemplate(bill);
    mFrm_PageSetup dialog(bill);
    QVERIFY(showActive(dialog));
    box(dialog, "TxtCount").setFocus();
    QLineEdit &name = box(dialog, "TxtName");
    QTest::mouseClick(&name, Qt::LeftButton, {}, QPoint(4, name.height() / 2));
    QTRY_COMPARE(name.selectedText(), QStringLiteral("入库单"));
}

void TestPageSetup::blankNameIsRefused_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("empty") << QString();
    QTest::newRow("blanks only") << "   ";
}

void TestPageSetup::blankNameIsRefused()
{
    QFETCH(QString, name);
    BillTemplate bill;
    fillTemplate(bill);
    const QVariantList before = members(bill);
    mFrm_PageSetup dialog(bill);
    box(dialog, "TxtName").setText(name);
    box(dialog, "TxtCount").setText(QStringLiteral("9"));
    press(dialog, "CmdOK");
    QCOMPARE(dialogs->messages(), QStringList{QStringLiteral("请输入单据名称！")});
    QCOMPARE(dialogs->lastMessage()->title, QStringLiteral("页面设置"));
    QCOMPARE(dialogs->lastMessage()->icon, MsgIcon::Exclamation);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(dialog.focusWidget(), &box(dialog, "TxtName"));
    QCOMPARE(members(bill), before);
}

void TestPageSetup::orientationSwapsThePictures_data()
{
    QTest::addColumn<bool>("landscape");
    QTest::newRow("portrait template") << false;
    QTest::newRow("landscape template") << true;
}

void TestPageSetup::orientationSwapsThePictures()
{
    QFETCH(bool, landscape);
    BillTemplate bill;
    bill.Caption = QStringLiteral("入库单");
    bill.mLandScape = landscape;
    mFrm_PageSetup dialog(bill);
    auto &portraitPicture = element<QLabel>(dialog, "Image1");
    auto &landscapePicture = element<QLabel>(dialog, "Image2");
    QVERIFY(!portraitPicture.pixmap().isNull());
    QVERIFY(!landscapePicture.pixmap().isNull());
    QCOMPARE(element<QRadioButton>(dialog, "OptLandScape").isChecked(), landscape);
    QCOMPARE(landscapePicture.isHidden(), !landscape);
    QCOMPARE(portraitPicture.isHidden(), landscape);

    element<QRadioButton>(dialog, landscape ? "OptPortrait" : "OptLandScape").click();
    QCOMPARE(landscapePicture.isHidden(), landscape);
    QCOMPARE(portraitPicture.isHidden(), !landscape);
    QCOMPARE(label(dialog, "LabWidth"), QStringLiteral("页宽：144.46"));
    QCOMPARE(label(dialog, "LabHeight"), QStringLiteral("页高：65.09"));
    press(dialog, "CmdOK");
    QCOMPARE(bill.mLandScape, !landscape);
    QCOMPARE(bill.mObjs.page().Width(), 8190.0);
    QCOMPARE(bill.mObjs.page().Height(), 3690.0);
}

void TestPageSetup::cancelWritesNothing()
{
    BillTemplate bill;
    fillTemplate(bill);
    const QVariantList before = members(bill);
    mFrm_PageSetup dialog(bill);
    for (const char *name : {"TxtName", "TxtCount", "TxtHeight", "TxtColCount", "TxtWidth"})
        box(dialog, name).setText(QStringLiteral("7"));
    tick(dialog, "ChkColFirst", true);
    tick(dialog, "ChkDefault", true);
    element<QRadioButton>(dialog, "OptLandScape").setChecked(true);
    press(dialog, "CmdCancel");
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(members(bill), before);
}

void TestPageSetup::changeRulesWhenEditingFinishes_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("finished");
    QTest::newRow("row height 12.5") << "TxtHeight" << "12.5" << "12.5";
    QTest::newRow("row height 12.50") << "TxtHeight" << "12.50" << "12.5";
    QTest::newRow("trailing point") << "TxtHeight" << "12." << "12";
    QTest::newRow("cleared row height") << "TxtHeight" << "" << "400";
    QTest::newRow("cleared count, then 3") << "TxtCount" << "3" << "3";
    QTest::newRow("count 0") << "TxtCount" << "0" << "5";
    QTest::newRow("count with blanks") << "TxtCount" << " 7 " << "7";
    QTest::newRow("column count has no rule") << "TxtColCount" << "" << "";
    QTest::newRow("full-width count") << "TxtCount" << "１２" << "12";
    QTest::newRow("full-width row height") << "TxtHeight" << "１２．５０" << "12.5";
}

void TestPageSetup::changeRulesWhenEditingFinishes()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, finished);
    BillTemplate bill;
    fillTemplate(bill);
    mFrm_PageSetup dialog(bill);
    QVERIFY(showActive(dialog));
    QLineEdit &edited = box(dialog, qPrintable(field));
    typeInto(edited, typed);
    QCOMPARE(edited.text(), typed);
    leave(edited);
    QCOMPARE(edited.text(), finished);
}

void TestPageSetup::refusedValues_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("warning");
    QTest::newRow("negative count") << "TxtCount" << "-1" << "行数必须在0到32767之间！";
    QTest::newRow("count beyond 16 bits") << "TxtCount" << "32768" << "行数必须在0到32767之间！";
    // 32767.5 rounds half to even to 32768.
    QTest::newRow("count rounding out") << "TxtCount" << "32767.5" << "行数必须在0到32767之间！";
    QTest::newRow("column count") << "TxtColCount" << "40000" << "列数必须在0到32767之间！";
    QTest::newRow("negative row height") << "TxtHeight" << "-1" << "行高不能为负数！";
    QTest::newRow("negative column width") << "TxtWidth" << "-0.5" << "列宽不能为负数！";
}

void TestPageSetup::refusedValues()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, warning);
    BillTemplate bill;
    fillTemplate(bill);
    const QVariantList before = members(bill);
    mFrm_PageSetup dialog(bill);
    box(dialog, "TxtName").setText(QStringLiteral("出库单"));
    box(dialog, qPrintable(field)).setText(typed);
    press(dialog, "CmdOK");
    QCOMPARE(dialogs->messages(), QStringList{warning});
    QCOMPARE(dialogs->lastMessage()->title, QStringLiteral("页面设置"));
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(dialog.focusWidget(), &box(dialog, qPrintable(field)));
    QCOMPARE(members(bill), before);
}

void TestPageSetup::scrollingGridMustStartOnThePage_data()
{
    QTest::addColumn<bool>("scrolling");
    QTest::addColumn<QStringList>("typed"); // field, text, ...
    QTest::addColumn<QString>("warning");
    QTest::addColumn<QString>("focus");
    // An A4 page (210 x 297 mm); the scrolling text lies at (20 mm, 50 mm).
    QTest::newRow("five rows of 400 mm, as a new template opens")
        << true << QStringList{"TxtCount", "0", "TxtHeight", "0"}
        << "按此设置，第 5 行从页面顶边 1650.0 毫米处开始，已超出页高 297.0 毫米，打印不出来。"
           "请减少行数或行高！"
        << "TxtCount";
    QTest::newRow("the third column right of the page")
        << true
        << QStringList{"TxtCount", "10", "TxtHeight", "10", "TxtColCount", "3", "TxtWidth", "100"}
        << "按此设置，第 3 列从页面左边 220.0 毫米处开始，已超出页宽 210.0 毫米，打印不出来。"
           "请减少列数或列宽！"
        << "TxtColCount";
    QTest::newRow("the last row on the page") << true
                                              << QStringList{"TxtCount", "25", "TxtHeight", "10"}
                                              << "" << "";
    QTest::newRow("without scrolling objects the defaults stand")
        << false << QStringList{"TxtCount", "0", "TxtHeight", "0"} << "" << "";
}

// Cells that start past the page's edge could never print: OK refuses such
// a grid when the template has something that scrolls over it.
void TestPageSetup::scrollingGridMustStartOnThePage()
{
    QFETCH(bool, scrolling);
    QFETCH(QStringList, typed);
    QFETCH(QString, warning);
    QFETCH(QString, focus);
    BillTemplate bill;
    bill.Caption = QStringLiteral("发货单");
    bill.mObjs.page().setWidth(Units::mmToTwips(210));
    bill.mObjs.page().setHeight(Units::mmToTwips(297));
    addField(bill, Units::mmToTwips(20), Units::mmToTwips(50), 1500, 300, 1, scrolling);
    const QVariantList before = members(bill);
    mFrm_PageSetup dialog(bill);
    for (int i = 0; i + 1 < typed.size(); i += 2)
        box(dialog, qPrintable(typed[i])).setText(typed[i + 1]);
    press(dialog, "CmdOK");
    if (warning.isEmpty()) {
        QCOMPARE(dialogs->messages(), QStringList());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        return;
    }
    QCOMPARE(dialogs->messages(), QStringList{warning});
    QCOMPARE(dialogs->lastMessage()->title, QStringLiteral("页面设置"));
    QCOMPARE(dialogs->lastMessage()->icon, MsgIcon::Exclamation);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(dialog.focusWidget(), &box(dialog, qPrintable(focus)));
    QCOMPARE(members(bill), before);
}

void TestPageSetup::pageSizeTypedInMillimetres_data()
{
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("height");
    QTest::addColumn<QSizeF>("twips"); // empty: refused
    QTest::addColumn<QString>("warning");
    QTest::addColumn<QString>("focus");
    // An object reaches 100 x 50 mm (5669.29 x 2834.65 twips).
    QTest::newRow("a 241 x 140 mm form") << "241.0" << "140" << QSizeF(13663, 7937) << "" << "";
    QTest::newRow("full width") << QStringLiteral("２４１．０") << QStringLiteral("１４０")
                                << QSizeF(13663, 7937) << "" << "";
    QTest::newRow("a tenth of a millimetre") << "210.1" << "297" << QSizeF(11911, 16838) << ""
                                             << "";
    QTest::newRow("as shown") << "144.46" << "65.09" << QSizeF(8190, 3690) << "" << "";
    // What the objects reach, rounded up to a whole twip, as the message
    // below names it.
    QTest::newRow("the objects' extent") << "100.01" << "50.01" << QSizeF(5670, 2835) << ""
                                         << "";
    QTest::newRow("narrower than the objects")
        << "99.9" << "140" << QSizeF() << "页宽不能小于对象所占的宽度（100.01毫米）！"
        << "LabWidth";
    QTest::newRow("lower than the objects") << "241" << "49.9" << QSizeF()
                                            << "页高不能小于对象所占的高度（50.01毫米）！"
                                            << "LabHeight";
    QTest::newRow("below 1000 twips")
        << "17.6" << "140" << QSizeF() << "页宽不能小于17.64毫米！" << "LabWidth";
    QTest::newRow("not a number") << QStringLiteral("宽") << "140" << QSizeF()
                                  << "页宽不能小于17.64毫米！" << "LabWidth";
    QTest::newRow("beyond what scrolls") << "241" << "600" << QSizeF()
                                         << "页高不能大于577.97毫米！" << "LabHeight";
}

// The page's size typed in millimetres is rounded to the nearest twip; a
// size the page cannot take is refused, named, and nothing is written.
void TestPageSetup::pageSizeTypedInMillimetres()
{
    QFETCH(QString, width);
    QFETCH(QString, height);
    QFETCH(QSizeF, twips);
    QFETCH(QString, warning);
    QFETCH(QString, focus);
    BillTemplate bill;
    fillTemplate(bill);
    addText(bill, 1000, 1000, Units::mmToTwips(100) - 1000, Units::mmToTwips(50) - 1000,
            QStringLiteral("甲"));
    const QVariantList before = members(bill);
    mFrm_PageSetup dialog(bill);
    QCOMPARE(label(dialog, "LabWidth"), QStringLiteral("页宽：144.46"));
    box(dialog, "LabWidth").setText(width);
    box(dialog, "LabHeight").setText(height);
    press(dialog, "CmdOK");
    const PageSurface &page = bill.mObjs.page();
    if (!twips.isEmpty()) {
        QCOMPARE(dialogs->messages(), QStringList());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(QSizeF(page.Width(), page.Height()), twips);
        return;
    }
    QCOMPARE(dialogs->messages(), QStringList{warning});
    QCOMPARE(dialogs->lastMessage()->title, QStringLiteral("页面设置"));
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(dialog.focusWidget(), &box(dialog, qPrintable(focus)));
    QCOMPARE(QSizeF(page.Width(), page.Height()), QSizeF(8190, 3690));
    QCOMPARE(members(bill), before);
}

QTEST_MAIN(TestPageSetup)
#include "tst_pagesetup.moc"
