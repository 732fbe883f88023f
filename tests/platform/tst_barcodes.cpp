#include "platform/BarcodeLayout.h"
#include "platform/BarcodeSymbol.h"
#include "platform/Element.h"
#include "platform/LabelBarcode.h"
#include "platform/Units.h"

#include <QTest>

#include <cmath>

namespace {

BarcodeLook lookOf(int type, double moduleWidth = BarcodeLook::DefaultModuleWidth)
{
    BarcodeLook look;
    look.type = type;
    look.moduleWidth = moduleWidth;
    return look;
}

bool onGrid(double twips)
{
    const double dots = twips / BarcodeLayout::GridTwips;
    return std::abs(dots - std::round(dots)) < 1e-6;
}

bool contains(const QRectF &outer, const QRectF &inner)
{
    constexpr double Slack = 1e-6;
    return inner.left() >= outer.left() - Slack && inner.top() >= outer.top() - Slack
           && inner.right() <= outer.right() + Slack && inner.bottom() <= outer.bottom() + Slack;
}

BarcodeLayout place(int type, const QString &data, const QRectF &box,
                    double moduleWidth = BarcodeLook::DefaultModuleWidth,
                    int alignment = Element::LeftJustify)
{
    const BarcodeLook look = lookOf(type, moduleWidth);
    return BarcodeLayout(*BarcodeSymbol::encode(look, data), look, box, ElementFont(), alignment);
}

} // namespace

class TestBarcodes : public QObject
{
    Q_OBJECT

private slots:
    void symbolsInModules_data();
    void symbolsInModules();
    void refusedData_data();
    void refusedData();
    void linearModulesLieOnTheGrid_data();
    void linearModulesLieOnTheGrid();
    void matrixFillsTheBoxInWholeDots();
    void codesThatDoNotFitTheBox_data();
    void codesThatDoNotFitTheBox();
    void designerShowsSamplesAndProblems();
};

void TestBarcodes::symbolsInModules_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("data");
    QTest::addColumn<QSizeF>("modules");
    QTest::addColumn<QStringList>("captions");
    // 11 characters of 11 modules, a 13-module stop, 10-module quiet zones.
    QTest::newRow("code 128") << int(BarcodeLook::Code128) << QStringLiteral("AB-12345")
                              << QSizeF(132, 50) << QStringList{QStringLiteral("AB-12345")};
    // 95 modules with quiet zones of 11 and 7; the check digit is added.
    QTest::newRow("ean-13 of 12 digits")
        << int(BarcodeLook::Ean13) << QStringLiteral("690123456789") << QSizeF(113, 50)
        << QStringList{QStringLiteral("6"), QStringLiteral("901234"), QStringLiteral("567892")};
    QTest::newRow("qr, version 1") << int(BarcodeLook::QrCode) << QStringLiteral("发货单")
                                   << QSizeF(29, 29) << QStringList();
    QTest::newRow("data matrix 12 x 12") << int(BarcodeLook::DataMatrix)
                                         << QStringLiteral("DN-1001") << QSizeF(14, 14)
                                         << QStringList();
}

// Zint's units become modules, quiet zones included.
void TestBarcodes::symbolsInModules()
{
    QFETCH(int, type);
    QFETCH(QString, data);
    QFETCH(QSizeF, modules);
    QFETCH(QStringList, captions);
    const auto symbol = BarcodeSymbol::encode(lookOf(type), data);
    QVERIFY2(symbol->isValid(), qPrintable(symbol->reason()));
    QCOMPARE(symbol->size(), modules);
    QStringList texts;
    for (const BarcodeSymbol::Caption &caption : symbol->captions())
        texts << caption.text;
    QCOMPARE(texts, captions);
    for (const QRectF &bar : symbol->bars())
        QVERIFY(bar.left() >= 0 && bar.right() <= modules.width() && bar.top() >= 0);
}

void TestBarcodes::refusedData_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("reason");
    QTest::newRow("ean-13 letters") << int(BarcodeLook::Ean13) << QStringLiteral("69012345ABC")
                                    << QStringLiteral("EAN-13 只能由数字组成，“A”不是数字");
    QTest::newRow("ean-13 add-on") << int(BarcodeLook::Ean13) << QStringLiteral("6901234567892+12")
                                   << QStringLiteral("“+”不是数字");
    // Zint would print six digits as an EAN-8 padded with zeros.
    QTest::newRow("ean-13 too short") << int(BarcodeLook::Ean13) << QStringLiteral("690123")
                                      << QStringLiteral("这里是 6 位");
    QTest::newRow("ean-13 check digit") << int(BarcodeLook::Ean13)
                                        << QStringLiteral("6901234567893")
                                        << QStringLiteral("校验位应为 2，这里是 3");
    // Zint would print lower case as capitals, another code.
    QTest::newRow("code 39 lower case") << int(BarcodeLook::Code39) << QStringLiteral("dn-1001")
                                        << QStringLiteral("不能编码“d”");
    QTest::newRow("code 128 chinese") << int(BarcodeLook::Code128) << QStringLiteral("单号1001")
                                      << QStringLiteral("不能编码“单”");
    QTest::newRow("empty") << int(BarcodeLook::QrCode) << QString()
                           << QStringLiteral("没有要编码的内容");
    QTest::newRow("too long for qr") << int(BarcodeLook::QrCode) << QString(8000, u'A')
                                     << QStringLiteral("内容太长");
}

void TestBarcodes::refusedData()
{
    QFETCH(int, type);
    QFETCH(QString, data);
    QFETCH(QString, reason);
    const auto symbol = BarcodeSymbol::encode(lookOf(type), data);
    QVERIFY(!symbol->isValid());
    QVERIFY2(symbol->reason().contains(reason), qPrintable(symbol->reason()));
    QVERIFY(symbol->bars().empty());
    const BarcodeLayout layout = place(type, data, QRectF(0, 0, 20000, 20000));
    QVERIFY(!layout.fits());
    QCOMPARE(layout.reason(), symbol->reason());
}

void TestBarcodes::linearModulesLieOnTheGrid_data()
{
    QTest::addColumn<double>("moduleWidth");
    QTest::addColumn<int>("dots");
    QTest::addColumn<int>("alignment");
    // Whole dots of 600 DPI, and even: whole dots of 300 DPI too.
    QTest::newRow("0.25 mm, left") << 0.25 << 6 << int(Element::LeftJustify);
    QTest::newRow("0.33 mm, centre") << 0.33 << 8 << int(Element::Center);
    QTest::newRow("0.5 mm, right") << 0.5 << 12 << int(Element::RightJustify);
    QTest::newRow("0.3 mm, left") << 0.3 << 7 << int(Element::LeftJustify);
}

// Every edge of every bar on the 1/600 inch grid, so that every module is
// the same number of printer dots; the code inside its box, placed as the
// text would be.
void TestBarcodes::linearModulesLieOnTheGrid()
{
    QFETCH(double, moduleWidth);
    QFETCH(int, dots);
    QFETCH(int, alignment);
    const QRectF box(1001.3, 733.7, 6000.5, 1500.2);
    const BarcodeLayout layout = place(BarcodeLook::Code128, QStringLiteral("DN-2024-0315"), box,
                                       moduleWidth, alignment);
    QVERIFY2(layout.fits(), qPrintable(layout.reason()));
    QCOMPARE(layout.moduleTwips(), dots * BarcodeLayout::GridTwips);
    QVERIFY(contains(box, layout.symbolRect()));
    for (const QRectF &bar : layout.bars()) {
        QVERIFY(onGrid(bar.left()) && onGrid(bar.right()));
        const double modules = bar.width() / layout.moduleTwips();
        QVERIFY(std::abs(modules - std::round(modules)) < 1e-6);
        QVERIFY(contains(layout.symbolRect(), bar));
    }
    QCOMPARE(layout.texts().size(), std::size_t(1));
    QVERIFY(contains(box, layout.texts().front().box.intersected(box)));
    const double before = layout.symbolRect().left() - box.left();
    const double after = box.right() - layout.symbolRect().right();
    const double step = BarcodeLayout::GridTwips;
    switch (alignment) {
    case Element::LeftJustify:
        QVERIFY(before < step);
        break;
    case Element::Center:
        QVERIFY(std::abs(before - after) < 2 * step);
        break;
    default:
        QVERIFY(after < step);
        break;
    }
}

// A QR code takes the most whole dots per module its box allows, and a
// module more would not fit.
void TestBarcodes::matrixFillsTheBoxInWholeDots()
{
    const QRectF box(500, 500, 2000, 1500);
    const BarcodeLayout layout = place(BarcodeLook::QrCode, QStringLiteral("发货单"), box);
    QVERIFY2(layout.fits(), qPrintable(layout.reason()));
    const double dots = layout.moduleTwips() / BarcodeLayout::GridTwips;
    QCOMPARE(dots, std::floor(1500 / (29 * BarcodeLayout::GridTwips)));
    QVERIFY(contains(box, layout.symbolRect()));
    QCOMPARE(layout.symbolRect().size(), QSizeF(29, 29) * layout.moduleTwips());
    for (const QRectF &bar : layout.bars())
        QVERIFY(onGrid(bar.left()) && onGrid(bar.top()) && onGrid(bar.right())
                && onGrid(bar.bottom()));
}

void TestBarcodes::codesThatDoNotFitTheBox_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QRectF>("box");
    QTest::addColumn<QString>("reason");
    // 132 modules of 8 dots are 2534.4 twips.
    QTest::newRow("too narrow") << int(BarcodeLook::Code128) << QRectF(0, 0, 2500, 1000)
                                << QStringLiteral("条码宽 44.7 mm，对象框只有 44.1 mm 宽");
    QTest::newRow("too low") << int(BarcodeLook::Code128) << QRectF(0, 0, 4000, 250)
                             << QStringLiteral("对象框太矮");
    QTest::newRow("too small") << int(BarcodeLook::QrCode) << QRectF(0, 0, 150, 150)
                               << QStringLiteral("对象框太小，这个码至少要 3.68 × 3.68 mm");
}

void TestBarcodes::codesThatDoNotFitTheBox()
{
    QFETCH(int, type);
    QFETCH(QRectF, box);
    QFETCH(QString, reason);
    const BarcodeLayout layout = place(type, QStringLiteral("AB-12345"), box);
    QVERIFY(!layout.fits());
    QVERIFY2(layout.reason().startsWith(reason), qPrintable(layout.reason()));
    QVERIFY(layout.bars().empty());
}

// A bound caption shows a sample the type can encode; a fixed one its own
// code, or the reason it cannot be drawn.
void TestBarcodes::designerShowsSamplesAndProblems()
{
    Element label(ElementKind::Label, 1001, nullptr);
    label.Move(0, 0, 3000, 1200);
    label.setBarcode(lookOf(BarcodeLook::Ean13), true);
    label.setAutoSize(true);
    label.setCaption(QStringLiteral("#[单据号]"));
    // A code keeps its box, where a text would fit its caption.
    QCOMPARE(label.rect(), QRectF(0, 0, 3000, 1200));
    QCOMPARE(LabelBarcode::shownData(label), BarcodeSymbol::sampleData(BarcodeLook::Ean13));
    QCOMPARE(LabelBarcode::problem(label), QString());
    label.setBarcode(lookOf(BarcodeLook::Ean13), false);
    QCOMPARE(LabelBarcode::shownData(label), label.Caption());
    QCOMPARE(LabelBarcode::problem(label), QStringLiteral("EAN-13 只能由数字组成，“#”不是数字"));
    label.setBarcode(BarcodeLook(), false);
    QCOMPARE(LabelBarcode::problem(label), QString());
}

QTEST_MAIN(TestBarcodes)
#include "tst_barcodes.moc"
