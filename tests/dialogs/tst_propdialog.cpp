#include "DialogFixtures.h"

#include "dialogs/ColorSwatch.h"
#include "dialogs/mFrm_Prop.h"

#include "platform/BarcodeSymbol.h"
#include "platform/FakeDialogs.h"
#include "platform/Platform.h"
#include "platform/Units.h"

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTabBar>

#include <memory>

Q_DECLARE_METATYPE(BarcodeLook)

namespace {

double mm(double v)
{
    return Units::mmToTwips(v);
}

std::unique_ptr<mFrm_Prop> open(BillTemplate &bill, const ObjDraw &obj)
{
    bill.mObjs.setNCurID(obj.nID());
    auto dialog = std::make_unique<mFrm_Prop>(bill);
    dialog->Init();
    return dialog;
}

QLineEdit &box(const QDialog &dialog, const char *name)
{
    return element<QLineEdit>(dialog, name);
}

QComboBox &list(const QDialog &dialog, const char *name)
{
    return element<QComboBox>(dialog, name);
}

QStringList geometryTexts(const QDialog &dialog)
{
    return {box(dialog, "TxtLeft").text(), box(dialog, "TxtTop").text(),
            box(dialog, "TxtWidth").text(), box(dialog, "TxtHeight").text()};
}

int shownPage(const QDialog &dialog)
{
    int shown = -1;
    for (int i = 0; i < 3; ++i) {
        if (!element<QWidget>(dialog, qPrintable(QStringLiteral("Pic%1").arg(i))).isHidden())
            shown = shown == -1 ? i : -2; // -2: more than one page shows
    }
    return shown;
}

std::shared_ptr<ObjDraw> addKind(BillTemplate &bill, int kind, const QRectF &r)
{
    if (kind == ObjDraw::Line)
        return addLine(bill, r.left(), r.top(), r.right(), r.bottom());
    if (kind == ObjDraw::Text)
        return addText(bill, r.left(), r.top(), r.width(), r.height(), QStringLiteral("文字"));
    return addBox(bill.mObjs, ObjDraw::Picture, r.left(), r.top(), r.width(), r.height());
}

QRectF geometryOf(const ObjDraw &obj)
{
    const Element &e = *obj.ObjCtl();
    if (e.isLine())
        return QRectF(QPointF(e.x1(), e.y1()), QPointF(e.x2(), e.y2()));
    return QRectF(e.Left(), e.Top(), e.Width(), e.Height());
}

} // namespace

class TestPropDialog : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void showsMillimetres_data();
    void showsMillimetres();
    void okWithoutEditLeavesTheGeometry_data();
    void okWithoutEditLeavesTheGeometry();
    void anEditedLineKeepsItsDirection_data();
    void anEditedLineKeepsItsDirection();
    void aClickedBoxSelectsItsText_data();
    void aClickedBoxSelectsItsText();
    void tabRule_data();
    void tabRule();
    void bindingRoundTrip_data();
    void bindingRoundTrip();
    void fixedTextRoundTrip();
    void alignmentRoundTrip_data();
    void alignmentRoundTrip();
    void scrollingPrintClearsTheSums_data();
    void scrollingPrintClearsTheSums();
    void choicesThatExcludeEachOther_data();
    void choicesThatExcludeEachOther();
    void pictureBorder_data();
    void pictureBorder();
    void colourChooser_data();
    void colourChooser();
    void fontChooser_data();
    void fontChooser();
    void lineWidth_data();
    void lineWidth();
    void editFlag_data();
    void editFlag();
    void refusedGeometry_data();
    void refusedGeometry();
    void unknownStyleIsKept_data();
    void unknownStyleIsKept();
    void unknownFieldCodeIsKept_data();
    void unknownFieldCodeIsKept();
    void codeRoundTrip_data();
    void codeRoundTrip();
    void refusedModuleWidth_data();
    void refusedModuleWidth();

private:
    FakeDialogs *dialogs = nullptr;
};

void TestPropDialog::init()
{
    dialogs = &Platform::installFakes();
}

void TestPropDialog::showsMillimetres_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QRectF>("geometry"); // a line from top-left to bottom-right
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("text of 1000 x 500 twips")
        << int(ObjDraw::Text) << QRectF(0, 0, 1000, 500)
        << QStringList{"0.0", "0.0", "17.64", "8.82"};
    QTest::newRow("line (10, 20)-(5, 30) mm")
        << int(ObjDraw::Line) << QRectF(QPointF(mm(10), mm(20)), QPointF(mm(5), mm(30)))
        << QStringList{"5.0", "20.0", "5.0", "10.0"};
    QTest::newRow("picture") << int(ObjDraw::Picture) << QRectF(1440, 2880, 720, 1440)
                             << QStringList{"25.4", "50.8", "12.7", "25.4"};
}

void TestPropDialog::showsMillimetres()
{
    QFETCH(int, kind);
    QFETCH(QRectF, geometry);
    QFETCH(QStringList, texts);
    BillTemplate bill;
    auto obj = addKind(bill, kind, geometry);
    auto dialog = open(bill, *obj);
    QCOMPARE(geometryTexts(*dialog), texts);
    QCOMPARE(dialog->windowTitle(), QStringLiteral("对象属性："));
}

void TestPropDialog::okWithoutEditLeavesTheGeometry_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QRectF>("geometry"); // a line from (left, top) to (right, bottom)
    const int line = ObjDraw::Line;
    QTest::newRow("line from upper right to lower left")
        << line << QRectF(QPointF(mm(10), mm(20)), QPointF(mm(5), mm(30)));
    QTest::newRow("line from lower left to upper right")
        << line << QRectF(QPointF(mm(5), mm(30)), QPointF(mm(10), mm(20)));
    QTest::newRow("line from upper left to lower right")
        << line << QRectF(QPointF(mm(5), mm(20)), QPointF(mm(10), mm(30)));
    QTest::newRow("line from lower right to upper left")
        << line << QRectF(QPointF(mm(10), mm(30)), QPointF(mm(5), mm(20)));
    QTest::newRow("horizontal, leftwards") << line << QRectF(QPointF(3000, 900), QPointF(1000, 900));
    QTest::newRow("vertical, upwards") << line << QRectF(QPointF(1000, 2000), QPointF(1000, 500));
    // Twips that are no whole hundredth of a millimetre: the rounded text
    // converted back would move the object.
    QTest::newRow("text off the millimetre grid") << int(ObjDraw::Text) << QRectF(1001, 503, 997, 499);
    QTest::newRow("picture off the millimetre grid")
        << int(ObjDraw::Picture) << QRectF(7, 11, 1013, 1019);
}

void TestPropDialog::okWithoutEditLeavesTheGeometry()
{
    QFETCH(int, kind);
    QFETCH(QRectF, geometry);
    BillTemplate bill;
    auto obj = addKind(bill, kind, geometry);
    auto dialog = open(bill, *obj);
    QVERIFY(showActive(*dialog));
    // Tabbing through the boxes normalises their texts ("5.0" becomes "5").
    for (const char *name : {"TxtLeft", "TxtTop", "TxtWidth", "TxtHeight"}) {
        box(*dialog, name).setFocus();
        leave(box(*dialog, name));
    }
    press(*dialog, "CmdOK");
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QCOMPARE(geometryOf(*obj), geometry);
}

void TestPropDialog::anEditedLineKeepsItsDirection_data()
{
    QTest::addColumn<QLineF>("line");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QLineF>("expected");
    QTest::newRow("upper right to lower left, wider")
        << QLineF(10, 20, 5, 30) << "TxtWidth" << "8" << QLineF(13, 20, 5, 30);
    QTest::newRow("lower left to upper right, lower")
        << QLineF(5, 30, 10, 20) << "TxtHeight" << "4" << QLineF(5, 24, 10, 20);
    QTest::newRow("upper left to lower right, moved")
        << QLineF(5, 20, 10, 30) << "TxtLeft" << "7" << QLineF(7, 20, 12, 30);
    QTest::newRow("lower right to upper left, moved up")
        << QLineF(10, 30, 5, 20) << "TxtTop" << "2" << QLineF(10, 12, 5, 2);
    QTest::newRow("leftwards horizontal, shorter")
        << QLineF(10, 20, 5, 20) << "TxtWidth" << "3" << QLineF(8, 20, 5, 20);
    QTest::newRow("upwards vertical, moved")
        << QLineF(5, 30, 5, 20) << "TxtLeft" << "7" << QLineF(7, 30, 7, 20);
    // Typed with a Chinese input method.
    QTest::newRow("full-width width")
        << QLineF(10, 20, 5, 30) << "TxtWidth" << "８" << QLineF(13, 20, 5, 30);
    QTest::newRow("full-width left with a point")
        << QLineF(5, 20, 10, 30) << "TxtLeft" << "７．５" << QLineF(7.5, 20, 12.5, 30);
}

void TestPropDialog::anEditedLineKeepsItsDirection()
{
    QFETCH(QLineF, line);
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QLineF, expected);
    BillTemplate bill;
    auto obj = addLine(bill, mm(line.x1()), mm(line.y1()), mm(line.x2()), mm(line.y2()));
    auto dialog = open(bill, *obj);
    box(*dialog, qPrintable(field)).setText(typed);
    press(*dialog, "CmdOK");
    const Element &e = *obj->ObjCtl();
    QCOMPARE(QLineF(Units::twipsToMm(e.x1()), Units::twipsToMm(e.y1()), Units::twipsToMm(e.x2()),
                    Units::twipsToMm(e.y2())),
             expected);
}

void TestPropDialog::aClickedBoxSelectsItsText_data()
{
    QTest::addColumn<QString>("field");
    for (const char *name : {"TxtLeft", "TxtTop", "TxtWidth", "TxtHeight"})
        QTest::newRow(name) << name;
}

void TestPropDialog::aClickedBoxSelectsItsText()
{
    QFETCH(QString, field);
    BillTemplate bill;
    auto obj = addText(bill, 500, 500, 1500, 300, QStringLiteral("文字"));
    auto dialog = open(bill, *obj);
    QVERIFY(showActive(*dialog));
    QLineEdit &clicked = box(*dialog, qPrintable(field));
    QTest::mouseClick(&clicked, Qt::LeftButton, {}, QPoint(4, clicked.height() / 2));
    QTRY_COMPARE(clicked.selectedText(), clicked.text());
}

void TestPropDialog::tabRule_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("shown"); // page shown after the second tab, then the third
    QTest::addColumn<bool>("clipEnabled");
    QTest::addColumn<bool>("autoSizeEnabled");
    QTest::newRow("text shows the third page") << int(ObjDraw::Text) << 2 << true << true;
    QTest::newRow("line keeps the second page") << int(ObjDraw::Line) << 1 << false << false;
    QTest::newRow("picture keeps the second page") << int(ObjDraw::Picture) << 1 << false << true;
}

void TestPropDialog::tabRule()
{
    QFETCH(int, kind);
    QFETCH(int, shown);
    QFETCH(bool, clipEnabled);
    QFETCH(bool, autoSizeEnabled);
    BillTemplate bill;
    auto obj = addKind(bill, kind, QRectF(500, 500, 1000, 500));
    auto dialog = open(bill, *obj);
    QCOMPARE(shownPage(*dialog), 0);
    QTabBar &tabs = element<QTabBar>(*dialog, "Tab1");
    tabs.setCurrentIndex(1);
    QCOMPARE(shownPage(*dialog), 1);
    tabs.setCurrentIndex(2);
    QCOMPARE(shownPage(*dialog), shown);
    QCOMPARE(element<QCheckBox>(*dialog, "ChkClip").isEnabled(), clipEnabled);
    QCOMPARE(element<QCheckBox>(*dialog, "ChkAutoSize").isEnabled(), autoSizeEnabled);
    // The width boxes follow the style list.
    const bool styled = kind != ObjDraw::Text;
    QCOMPARE(list(*dialog, "CmbLineStyle").isEnabled(), styled);
    QCOMPARE(box(*dialog, "TxtLineWidth").isEnabled(), styled);
    QCOMPARE(element<QScrollBar>(*dialog, "VScrLineWidth").isEnabled(), styled);
}

void TestPropDialog::bindingRoundTrip_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("choice"); // the box ticked, or none
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<int>("dataType");
    QTest::addColumn<bool>("sumed");
    QTest::addColumn<bool>("sumedPage");
    QTest::addColumn<bool>("scroll");
    QTest::newRow("time, page subtotal") << "[当前时间]" << "ChkSumPage" << "[小计][当前时间]"
                                         << "#T" << 1 << true << true << false;
    QTest::newRow("page number, single value")
        << "[页号]" << QString() << "#[页号]" << "#P" << 2 << false << false << false;
    QTest::newRow("page count, grand total") << "[总页号]" << "ChkSumAll" << "[总计][总页号]"
                                             << "#N" << 2 << true << false << false;
    QTest::newRow("date, scrolling") << "[当前日期]" << "ChkScroll" << "^[当前日期]" << "#D" << 1
                                     << false << false << true;
}

void TestPropDialog::bindingRoundTrip()
{
    QFETCH(QString, entry);
    QFETCH(QString, choice);
    QFETCH(QString, caption);
    QFETCH(QString, tag);
    QFETCH(int, dataType);
    QFETCH(bool, sumed);
    QFETCH(bool, sumedPage);
    QFETCH(bool, scroll);
    BillTemplate bill;
    auto obj = addText(bill, 500, 500, 1500, 300, QStringLiteral("文字"));
    auto dialog = open(bill, *obj);
    list(*dialog, "CmbKey").setCurrentText(entry);
    QVERIFY(!element<QPlainTextEdit>(*dialog, "TxtCaption").isEnabled());
    QVERIFY(list(*dialog, "CmbFormat").isEnabled());
    if (!choice.isEmpty())
        tick(*dialog, qPrintable(choice), true);
    list(*dialog, "CmbFormat").setEditText(QStringLiteral("0.00"));
    press(*dialog, "CmdOK");

    QCOMPARE(obj->ObjCtl()->Caption(), caption);
    QCOMPARE(obj->ObjCtl()->Tag(), tag);
    QCOMPARE(obj->DataType(), dataType);
    QCOMPARE(obj->Sumed(), sumed);
    QCOMPARE(obj->SumedPage(), sumedPage);
    QCOMPARE(obj->IsScroll(), scroll);
    QVERIFY(!obj->IsFix());
    QCOMPARE(obj->Format(), QStringLiteral("0.00"));
    QCOMPARE(obj->ObjCtl()->ToolTipText(), QStringLiteral("0.00"));

    auto again = open(bill, *obj);
    QCOMPARE(list(*again, "CmbKey").currentText(), entry);
    for (const char *name : {"ChkSumPage", "ChkSumAll", "ChkScroll"})
        QCOMPARE(ticked(*again, name), choice == QLatin1String(name));
    QCOMPARE(list(*again, "CmbFormat").currentText(), QStringLiteral("0.00"));
    QVERIFY(element<QPlainTextEdit>(*again, "TxtCaption").toPlainText().isEmpty());
}

void TestPropDialog::fixedTextRoundTrip()
{
    BillTemplate bill;
    auto obj = addField(bill, 500, 500, 1500, 300, 1);
    obj->setFormat(QStringLiteral("0"));
    auto dialog = open(bill, *obj);
    list(*dialog, "CmbKey").setCurrentIndex(0);
    QVERIFY(!ticked(*dialog, "ChkScroll"));
    QVERIFY(!element<QCheckBox>(*dialog, "ChkSumPage").isEnabled());
    QVERIFY(!list(*dialog, "CmbFormat").isEnabled());
    QVERIFY(!element<QLabel>(*dialog, "LabFormat").isEnabled());
    auto &caption = element<QPlainTextEdit>(*dialog, "TxtCaption");
    QVERIFY(caption.isEnabled());
    caption.setPlainText(QStringLiteral("合计：\n人民币"));
    press(*dialog, "CmdOK");
    QVERIFY(obj->IsFix());
    QCOMPARE(obj->ObjCtl()->Caption(), QStringLiteral("合计：\n人民币"));
    QCOMPARE(obj->ObjCtl()->Tag(), QStringLiteral("合计：\n人民币"));
    // Fixed text leaves the bound-only properties alone.
    QCOMPARE(obj->Format(), QStringLiteral("0"));
    QCOMPARE(obj->DataType(), 2);

    auto again = open(bill, *obj);
    QCOMPARE(list(*again, "CmbKey").currentIndex(), 0);
    QCOMPARE(element<QPlainTextEdit>(*again, "TxtCaption").toPlainText(), obj->ObjCtl()->Caption());
}

void TestPropDialog::alignmentRoundTrip_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("alignment");
    QTest::newRow("left") << "左对齐" << int(Element::LeftJustify);
    // The second entry is centre, whose code is 2: entries are found by value.
    QTest::newRow("centre") << "居中" << int(Element::Center);
    QTest::newRow("right") << "右对齐" << int(Element::RightJustify);
}

void TestPropDialog::alignmentRoundTrip()
{
    QFETCH(QString, entry);
    QFETCH(int, alignment);
    BillTemplate bill;
    auto obj = addText(bill, 500, 500, 1500, 300, QStringLiteral("文字"));
    auto dialog = open(bill, *obj);
    QCOMPARE(list(*dialog, "CmbAlign").currentText(), QStringLiteral("左对齐"));
    list(*dialog, "CmbAlign").setCurrentText(entry);
    press(*dialog, "CmdOK");
    QCOMPARE(obj->ObjCtl()->Alignment(), alignment);
    QCOMPARE(list(*open(bill, *obj), "CmbAlign").currentText(), entry);
}

void TestPropDialog::scrollingPrintClearsTheSums_data()
{
    QTest::addColumn<bool>("openedScrolling");
    QTest::addColumn<QString>("sumTicked");
    QTest::newRow("a scrolling text opens") << true << QString();
    QTest::newRow("ticked after the page subtotal") << false << "ChkSumPage";
    QTest::newRow("ticked after the grand total") << false << "ChkSumAll";
}

void TestPropDialog::scrollingPrintClearsTheSums()
{
    QFETCH(bool, openedScrolling);
    QFETCH(QString, sumTicked);
    BillTemplate bill;
    auto obj = addField(bill, 500, 500, 1500, 300, 1, openedScrolling);
    auto dialog = open(bill, *obj);
    if (!sumTicked.isEmpty()) {
        tick(*dialog, qPrintable(sumTicked), true);
        tick(*dialog, "ChkScroll", true);
    }
    QVERIFY(ticked(*dialog, "ChkScroll"));
    for (const char *sum : {"ChkSumPage", "ChkSumAll"}) {
        QVERIFY(!ticked(*dialog, sum));
        QVERIFY(!element<QCheckBox>(*dialog, sum).isEnabled());
    }
    press(*dialog, "CmdOK");
    QVERIFY(obj->IsScroll());
    QVERIFY(!obj->Sumed());
    QCOMPARE(obj->ObjCtl()->Caption(), QStringLiteral("^[页号]"));

    auto again = open(bill, *obj);
    tick(*again, "ChkScroll", false);
    for (const char *sum : {"ChkSumPage", "ChkSumAll"}) {
        QVERIFY(!ticked(*again, sum));
        QVERIFY(element<QCheckBox>(*again, sum).isEnabled());
    }
}

void TestPropDialog::choicesThatExcludeEachOther_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::newRow("grand total after subtotal") << "ChkSumPage" << "ChkSumAll";
    QTest::newRow("subtotal after grand total") << "ChkSumAll" << "ChkSumPage";
    QTest::newRow("clipping after auto size") << "ChkAutoSize" << "ChkClip";
    QTest::newRow("auto size after clipping") << "ChkClip" << "ChkAutoSize";
}

void TestPropDialog::choicesThatExcludeEachOther()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    BillTemplate bill;
    auto obj = addField(bill, 500, 500, 1500, 300, 1);
    obj->setClip(false);
    auto dialog = open(bill, *obj);
    tick(*dialog, qPrintable(first), true);
    tick(*dialog, qPrintable(second), true);
    QVERIFY(!ticked(*dialog, qPrintable(first)));
    QVERIFY(ticked(*dialog, qPrintable(second)));
}

void TestPropDialog::pictureBorder_data()
{
    QTest::addColumn<QString>("style");
    QTest::addColumn<bool>("stretch");
    QTest::addColumn<int>("imageBorder");
    QTest::addColumn<int>("bStyle");
    QTest::newRow("none, stretched") << "（无）" << true << 0 << 0;
    QTest::newRow("dots, not stretched") << "点线" << false << 1 << 3;
    QTest::newRow("solid, stretched") << "实线" << true << 1 << 1;
}

void TestPropDialog::pictureBorder()
{
    QFETCH(QString, style);
    QFETCH(bool, stretch);
    QFETCH(int, imageBorder);
    QFETCH(int, bStyle);
    BillTemplate bill;
    auto obj = addBox(bill.mObjs, ObjDraw::Picture, 500, 500, 1000, 1000);
    obj->setBStyle(Element::Dash);
    obj->ObjCtl()->setStretch(!stretch);
    auto dialog = open(bill, *obj);
    QCOMPARE(list(*dialog, "CmbLineStyle").itemText(0), QStringLiteral("（无）"));
    QCOMPARE(list(*dialog, "CmbLineStyle").currentText(), QStringLiteral("虚线"));
    QCOMPARE(ticked(*dialog, "ChkAutoSize"), !stretch);
    list(*dialog, "CmbLineStyle").setCurrentText(style);
    tick(*dialog, "ChkAutoSize", stretch);
    press(*dialog, "CmdOK");
    QCOMPARE(obj->ObjCtl()->BorderStyle(), imageBorder);
    QCOMPARE(obj->BStyle(), bStyle);
    QCOMPARE(obj->ObjCtl()->Stretch(), stretch);

    // The disabled clip box shows the image's own border.
    auto again = open(bill, *obj);
    QCOMPARE(list(*again, "CmbLineStyle").currentText(), style);
    QCOMPARE(ticked(*again, "ChkClip"), imageBorder == 1);
}

void TestPropDialog::colourChooser_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("confirmed");
    QTest::newRow("text, confirmed") << int(ObjDraw::Text) << true;
    QTest::newRow("line, confirmed") << int(ObjDraw::Line) << true;
    QTest::newRow("picture, confirmed") << int(ObjDraw::Picture) << true;
    QTest::newRow("text, cancelled") << int(ObjDraw::Text) << false;
}

void TestPropDialog::colourChooser()
{
    QFETCH(int, kind);
    QFETCH(bool, confirmed);
    const QColor before(0, 0, 128);
    const QColor chosen(200, 30, 40);
    BillTemplate bill;
    auto obj = addKind(bill, kind, QRectF(500, 500, 1000, 600));
    obj->ObjCtl()->setForeColor(before);
    obj->ObjCtl()->setBorderColor(before);
    obj->setFColor(ObjDraw::rgbValueFromColor(before));
    auto dialog = open(bill, *obj);
    QVERIFY(showActive(*dialog));
    element<QTabBar>(*dialog, "Tab1").setCurrentIndex(1);
    if (confirmed)
        dialogs->colorAnswers.push_back(chosen);
    auto &swatch = element<ColorSwatch>(*dialog, "LabColor");
    QTest::mouseDClick(&swatch, Qt::LeftButton);
    QCOMPARE(dialogs->shown.size(), std::size_t(1));
    QCOMPARE(dialogs->shown.front().color, before);
    const QColor expected = confirmed ? chosen : before;
    QCOMPARE(swatch.color(), expected);
    press(*dialog, "CmdOK");
    if (kind == ObjDraw::Text)
        QCOMPARE(obj->ObjCtl()->ForeColor(), expected);
    else if (kind == ObjDraw::Line)
        QCOMPARE(obj->ObjCtl()->BorderColor(), expected);
    else
        QCOMPARE(obj->FColor(), ObjDraw::rgbValueFromColor(expected));
}

void TestPropDialog::fontChooser_data()
{
    QTest::addColumn<bool>("confirmed");
    QTest::addColumn<QString>("tip");
    QTest::newRow("confirmed") << true << "黑体 12";
    QTest::newRow("cancelled") << false << "宋体 9";
}

void TestPropDialog::fontChooser()
{
    QFETCH(bool, confirmed);
    QFETCH(QString, tip);
    BillTemplate bill;
    auto obj = addText(bill, 500, 500, 1500, 300, QStringLiteral("文字"));
    ElementFont struck = obj->ObjCtl()->Font();
    struck.Strikethru = true;
    obj->ObjCtl()->setFont(struck);
    obj->ObjCtl()->setForeColor(Qt::blue);
    auto dialog = open(bill, *obj);
    auto &font = element<QPushButton>(*dialog, "CmdFont");
    QCOMPARE(font.toolTip(), QStringLiteral("宋体 9"));

    FontChoice answer;
    answer.Font = {QStringLiteral("黑体"), 12, true, true, true, false};
    answer.Color = Qt::red;
    if (confirmed)
        dialogs->fontAnswers.push_back(answer);
    font.click();
    QCOMPARE(dialogs->shown.size(), std::size_t(1));
    QCOMPARE(dialogs->shown.front().font, struck);
    QCOMPARE(dialogs->shown.front().color, QColor(Qt::blue));
    QCOMPARE(font.toolTip(), tip);
    press(*dialog, "CmdOK");

    ElementFont expected = confirmed ? answer.Font : struck;
    expected.Strikethru = true; // the chooser's strike-out is not the dialog's to write
    QCOMPARE(obj->ObjCtl()->Font(), expected);
    QCOMPARE(obj->ObjCtl()->ForeColor(), confirmed ? QColor(Qt::red) : QColor(Qt::blue));
}

void TestPropDialog::lineWidth_data()
{
    QTest::addColumn<QString>("typed"); // "up" or "down": an arrow of the spinner
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::newRow("0 is 1") << "0" << "1" << 1;
    QTest::newRow("cleared is 1") << "" << "1" << 1;
    QTest::newRow("negative held to 1") << "-3" << "1" << 1;
    QTest::newRow("large held to 10") << "25" << "10" << 10;
    // Typed into the cleared box: held per keystroke, the clearing would
    // already have put a 1 in front of it.
    QTest::newRow("in range") << "4" << "4" << 4;
    QTest::newRow("full width") << "６" << "6" << 6;
    QTest::newRow("upper arrow widens") << "up" << "4" << 4;
    QTest::newRow("lower arrow narrows") << "down" << "2" << 2;
}

void TestPropDialog::lineWidth()
{
    QFETCH(QString, typed);
    QFETCH(QString, text);
    QFETCH(int, width);
    BillTemplate bill;
    auto obj = addLine(bill, 500, 500, 2000, 500);
    obj->ObjCtl()->setBorderWidth(3);
    auto dialog = open(bill, *obj);
    QVERIFY(showActive(*dialog));
    element<QTabBar>(*dialog, "Tab1").setCurrentIndex(1);
    auto &spinner = element<QScrollBar>(*dialog, "VScrLineWidth");
    QCOMPARE(spinner.value(), 3);
    auto &widthBox = box(*dialog, "TxtLineWidth");
    if (typed == QLatin1String("up") || typed == QLatin1String("down")) {
        const bool up = typed == QLatin1String("up");
        QTest::mouseClick(&spinner, Qt::LeftButton, {},
                          QPoint(spinner.width() / 2, up ? 1 : spinner.height() - 2));
    } else {
        typeInto(widthBox, typed);
        QCOMPARE(widthBox.text(), typed);
        leave(widthBox);
    }
    QCOMPARE(widthBox.text(), text);
    QCOMPARE(spinner.value(), width);
    press(*dialog, "CmdOK");
    QCOMPARE(obj->ObjCtl()->BorderWidth(), width);
}

void TestPropDialog::editFlag_data()
{
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("after");
    QTest::newRow("saved becomes changed") << int(ObjDraw::Saved) << int(ObjDraw::Changed);
    QTest::newRow("created stays created") << int(ObjDraw::Created) << int(ObjDraw::Created);
    QTest::newRow("changed stays changed") << int(ObjDraw::Changed) << int(ObjDraw::Changed);
}

void TestPropDialog::editFlag()
{
    QFETCH(int, before);
    QFETCH(int, after);
    BillTemplate bill;
    auto obj = addText(bill, 500, 500, 1500, 300, QStringLiteral("文字"));
    obj->setEditFlag(before);
    auto dialog = open(bill, *obj);
    tick(*dialog, "ChkLock", true);
    tick(*dialog, "ChkPrint", true);
    press(*dialog, "CmdOK");
    QCOMPARE(obj->EditFlag(), after);
    QVERIFY(obj->Locked());
    QVERIFY(!obj->Printed());

    // Cancel writes nothing.
    auto again = open(bill, *obj);
    tick(*again, "ChkLock", false);
    press(*again, "CmdCancel");
    QCOMPARE(again->result(), int(QDialog::Rejected));
    QVERIFY(obj->Locked());
}

void TestPropDialog::refusedGeometry_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QStringList>("typed"); // field, text, field, text ...
    QTest::addColumn<QString>("warning");   // empty: accepted
    QTest::addColumn<QString>("field");     // focused after a warning, or reopened
    QTest::addColumn<QString>("text");      // its text then
    const int text = ObjDraw::Text;
    const int line = ObjDraw::Line;
    const int picture = ObjDraw::Picture;
    QTest::newRow("text width 0") << text << QStringList{"TxtWidth", "0"} << "宽度必须大于0！"
                                  << "TxtWidth" << "0";
    QTest::newRow("text height negative") << text << QStringList{"TxtHeight", "-2"}
                                          << "高度必须大于0！" << "TxtHeight" << "-2";
    QTest::newRow("picture width not a number") << picture << QStringList{"TxtWidth", "abc"}
                                                << "宽度必须大于0！" << "TxtWidth" << "0";
    QTest::newRow("left of the page") << text << QStringList{"TxtLeft", "-1"}
                                      << "居左超出页面范围！" << "TxtLeft" << "-1";
    // The page is 3690 twips (65.09 mm) high.
    QTest::newRow("below the page") << picture << QStringList{"TxtTop", "70"}
                                    << "居上超出页面范围！" << "TxtTop" << "70";
    QTest::newRow("line without length")
        << line << QStringList{"TxtWidth", "0", "TxtHeight", "0"} << "宽度和高度不能同时为0！"
        << "TxtWidth" << "0";
    QTest::newRow("line width negative") << line << QStringList{"TxtWidth", "-1"}
                                         << "宽度不能小于0！" << "TxtWidth" << "-1";
    QTest::newRow("vertical line") << line << QStringList{"TxtWidth", "0"} << QString()
                                   << "TxtWidth" << "0.0";
    QTest::newRow("number then letters") << text << QStringList{"TxtWidth", "12abc"} << QString()
                                         << "TxtWidth" << "12.0";
    // Lengths are held to the largest page, 32767 twips.
    const QString tooLong = QStringLiteral("不能大于577.97毫米！");
    QTest::newRow("text width of 1e300") << text << QStringList{"TxtWidth", "1e300"}
                                         << "宽度" + tooLong << "TxtWidth"
                                         << "1" + QString(300, QLatin1Char('0'));
    QTest::newRow("picture height of a metre") << picture << QStringList{"TxtHeight", "1000"}
                                               << "高度" + tooLong << "TxtHeight" << "1000";
    QTest::newRow("line longer than any page") << line << QStringList{"TxtWidth", "578"}
                                               << "宽度" + tooLong << "TxtWidth" << "578";
    QTest::newRow("as long as the largest page") << text << QStringList{"TxtWidth", "577.9"}
                                                 << QString() << "TxtWidth" << "577.9";
}

void TestPropDialog::refusedGeometry()
{
    QFETCH(int, kind);
    QFETCH(QStringList, typed);
    QFETCH(QString, warning);
    QFETCH(QString, field);
    QFETCH(QString, text);
    BillTemplate bill;
    auto obj = addKind(bill, kind, QRectF(500, 500, 1000, 600));
    const QRectF before = geometryOf(*obj);
    auto dialog = open(bill, *obj);
    tick(*dialog, "ChkLock", true);
    for (int i = 0; i + 1 < typed.size(); i += 2)
        box(*dialog, qPrintable(typed[i])).setText(typed[i + 1]);
    element<QTabBar>(*dialog, "Tab1").setCurrentIndex(1);
    press(*dialog, "CmdOK");

    if (warning.isEmpty()) {
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QVERIFY(dialogs->messages().isEmpty());
        QCOMPARE(box(*open(bill, *obj), qPrintable(field)).text(), text);
        return;
    }
    QCOMPARE(dialogs->messages(), QStringList{warning});
    QCOMPARE(dialogs->lastMessage()->title, QStringLiteral("对象属性："));
    QCOMPARE(dialogs->lastMessage()->icon, MsgIcon::Exclamation);
    QCOMPARE(dialog->result(), int(QDialog::Rejected));
    QCOMPARE(geometryOf(*obj), before);
    QVERIFY(!obj->Locked());
    QCOMPARE(shownPage(*dialog), 0);
    QCOMPARE(dialog->focusWidget(), &box(*dialog, qPrintable(field)));
    QCOMPARE(box(*dialog, qPrintable(field)).text(), text);
}

void TestPropDialog::unknownStyleIsKept_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("style");
    QTest::newRow("transparent line") << int(ObjDraw::Line) << int(Element::Transparent);
    QTest::newRow("inside-solid line") << int(ObjDraw::Line) << int(Element::InsideSolid);
    QTest::newRow("picture style 7") << int(ObjDraw::Picture) << 7;
}

void TestPropDialog::unknownStyleIsKept()
{
    QFETCH(int, kind);
    QFETCH(int, style);
    BillTemplate bill;
    auto obj = addKind(bill, kind, QRectF(500, 500, 1000, 600));
    obj->ObjCtl()->setBorderStyle(kind == ObjDraw::Line ? style : int(Element::FixedSingle));
    obj->setBStyle(style);
    auto dialog = open(bill, *obj);
    QCOMPARE(list(*dialog, "CmbLineStyle").currentIndex(), -1);
    press(*dialog, "CmdOK");
    if (kind == ObjDraw::Line) {
        QCOMPARE(obj->ObjCtl()->BorderStyle(), style);
    } else {
        QCOMPARE(obj->BStyle(), style);
        QCOMPARE(obj->ObjCtl()->BorderStyle(), int(Element::FixedSingle));
    }
}

void TestPropDialog::unknownFieldCodeIsKept_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("sumTicked");
    QTest::addColumn<QString>("caption");
    QTest::newRow("unknown code") << "#X" << QString() << "#[客户]";
    // Read as a value, "2" would find the short code of data type 2.
    QTest::newRow("a number") << "2" << QString() << "#[客户]";
    QTest::newRow("unknown code, summed") << "#X" << "ChkSumPage" << "[小计][客户]";
}

void TestPropDialog::unknownFieldCodeIsKept()
{
    QFETCH(QString, tag);
    QFETCH(QString, sumTicked);
    QFETCH(QString, caption);
    BillTemplate bill;
    auto obj = addText(bill, 500, 500, 1500, 300, QStringLiteral("#[客户]"));
    obj->setIsFix(false);
    obj->setDataType(2);
    obj->ObjCtl()->setTag(tag);
    auto dialog = open(bill, *obj);
    QCOMPARE(list(*dialog, "CmbKey").currentIndex(), -1);
    if (!sumTicked.isEmpty())
        tick(*dialog, qPrintable(sumTicked), true);
    press(*dialog, "CmdOK");
    QVERIFY(!obj->IsFix());
    QCOMPARE(obj->ObjCtl()->Tag(), tag);
    QCOMPARE(obj->DataType(), 2);
    // The marker follows the sums; the rest of the caption stays.
    QCOMPARE(obj->ObjCtl()->Caption(), caption);
    QCOMPARE(obj->Sumed(), !sumTicked.isEmpty());
}

void TestPropDialog::codeRoundTrip_data()
{
    QTest::addColumn<int>("before");
    QTest::addColumn<QString>("shownAs");
    QTest::addColumn<QString>("width"); // typed; empty: left alone
    QTest::addColumn<QString>("level"); // chosen; empty: left alone
    QTest::addColumn<bool>("text");
    QTest::addColumn<BarcodeLook>("after");
    QTest::addColumn<QString>("enabled"); // module width, level, text
    QTest::newRow("code 128 of 0.5 mm without text")
        << int(BarcodeLook::Text) << "Code 128" << "0.5" << QString() << false
        << BarcodeLook{BarcodeLook::Code128, 0.5, BarcodeLook::QrM, false} << "MT";
    QTest::newRow("ean-13, width typed with its unit")
        << int(BarcodeLook::Text) << "EAN-13" << "0.25 mm" << QString() << true
        << BarcodeLook{BarcodeLook::Ean13, 0.25, BarcodeLook::QrM, true} << "MT";
    QTest::newRow("qr at level H keeps the module width")
        << int(BarcodeLook::Code39) << "QR 码" << QString() << "H（约 30%）" << true
        << BarcodeLook{BarcodeLook::QrCode, 0.4, BarcodeLook::QrH, true} << "L";
    QTest::newRow("data matrix")
        << int(BarcodeLook::Text) << "Data Matrix" << QString() << QString() << true
        << BarcodeLook{BarcodeLook::DataMatrix, 0.4, BarcodeLook::QrM, true} << "";
    QTest::newRow("back to text")
        << int(BarcodeLook::Pdf417) << "文字" << QString() << QString() << true
        << BarcodeLook{BarcodeLook::Text, 0.4, BarcodeLook::QrM, true} << "";
}

// 显示为 and the fields that go with the chosen type; OK writes them to
// the object and the dialog shows them again.
void TestPropDialog::codeRoundTrip()
{
    QFETCH(int, before);
    QFETCH(QString, shownAs);
    QFETCH(QString, width);
    QFETCH(QString, level);
    QFETCH(bool, text);
    QFETCH(BarcodeLook, after);
    QFETCH(QString, enabled);
    BillTemplate bill;
    auto obj = addText(bill, 500, 500, 4000, 1200, QStringLiteral("6901234567892"));
    obj->setBarcode({before, 0.4, BarcodeLook::QrM, true});
    auto dialog = open(bill, *obj);
    QCOMPARE(list(*dialog, "CmbBarcode").currentText(), BarcodeSymbol::typeName(before));
    QCOMPARE(box(*dialog, "TxtModuleWidth").text(), QStringLiteral("0.4"));
    list(*dialog, "CmbBarcode").setCurrentText(shownAs);
    QCOMPARE(box(*dialog, "TxtModuleWidth").isEnabled(), enabled.contains(u'M'));
    QCOMPARE(list(*dialog, "CmbQrLevel").isEnabled(), enabled.contains(u'L'));
    QCOMPARE(element<QCheckBox>(*dialog, "ChkBarcodeText").isEnabled(), enabled.contains(u'T'));
    if (!width.isEmpty())
        box(*dialog, "TxtModuleWidth").setText(width);
    if (!level.isEmpty())
        list(*dialog, "CmbQrLevel").setCurrentText(level);
    tick(*dialog, "ChkBarcodeText", text);
    press(*dialog, "CmdOK");

    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QVERIFY(obj->Barcode() == after);
    QVERIFY(obj->ObjCtl()->Barcode() == after);
    QCOMPARE(geometryOf(*obj), QRectF(500, 500, 4000, 1200));
    auto again = open(bill, *obj);
    QCOMPARE(list(*again, "CmbBarcode").currentText(), shownAs);
    QCOMPARE(box(*again, "TxtModuleWidth").text(), Units::plainNumber(after.moduleWidth));
    QCOMPARE(list(*again, "CmbQrLevel").currentData().toInt(), after.qrLevel);
    QCOMPARE(ticked(*again, "ChkBarcodeText"), after.showText);
}

void TestPropDialog::refusedModuleWidth_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown"); // after the refusal
    QTest::newRow("too fine") << "0.05" << "0.05";
    QTest::newRow("too wide") << "2.5mm" << "2.5";
    QTest::newRow("no number") << "宽" << "0";
}

// A width no printer can make is named, the text page shows with the box
// to correct, and nothing is written.
void TestPropDialog::refusedModuleWidth()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    BillTemplate bill;
    auto obj = addText(bill, 500, 500, 4000, 1200, QStringLiteral("DN-1001"));
    auto dialog = open(bill, *obj);
    list(*dialog, "CmbBarcode").setCurrentText(QStringLiteral("Code 39"));
    box(*dialog, "TxtModuleWidth").setText(typed);
    tick(*dialog, "ChkLock", true);
    press(*dialog, "CmdOK");

    QCOMPARE(dialogs->messages(), QStringList{QStringLiteral("模块宽度应在 0.1 到 2 mm 之间！")});
    QCOMPARE(dialogs->lastMessage()->icon, MsgIcon::Exclamation);
    QCOMPARE(dialog->result(), int(QDialog::Rejected));
    QVERIFY(!obj->Barcode().isCode());
    QVERIFY(!obj->Locked());
    QCOMPARE(shownPage(*dialog), 2);
    QCOMPARE(dialog->focusWidget(), &box(*dialog, "TxtModuleWidth"));
    QCOMPARE(box(*dialog, "TxtModuleWidth").text(), shown);
}

QTEST_MAIN(TestPropDialog)
#include "tst_propdialog.moc"
