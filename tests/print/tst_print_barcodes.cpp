#include "BarcodeReadBack.h"
#include "PrintFixtures.h"

#include "print/FieldVocabulary.h"
#include "print/Mod_Print.h"

#include "documents/DemoDatabase.h"
#include "documents/DocumentData.h"
#include "platform/AppSetup.h"
#include "platform/FakeDialogs.h"
#include "platform/Platform.h"
#include "platform/QtPrintDevice.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

using ZXing::BarcodeFormat;

struct Code
{
    int type;
    BarcodeFormat format;
    QString data;
    QRectF box; // twips
};

// One code of each type; the linear ones are wide enough for 0.5 mm
// modules, the others fill their boxes.
QList<Code> everyType()
{
    return {
        {BarcodeLook::Code128, BarcodeFormat::Code128, QStringLiteral("DN-2024-0315"),
         QRectF(600, 600, 6800, 1400)},
        {BarcodeLook::Ean13, BarcodeFormat::EAN13, QStringLiteral("6901234567892"),
         QRectF(600, 2400, 6800, 1400)},
        {BarcodeLook::Code39, BarcodeFormat::Code39, QStringLiteral("DN-1001"),
         QRectF(600, 4200, 6800, 1400)},
        {BarcodeLook::QrCode, BarcodeFormat::QRCode,
         QStringLiteral("发货单 1001：上海华联商贸有限公司 https://example.com/d?n=1001"),
         QRectF(600, 6000, 2000, 2000)},
        {BarcodeLook::Pdf417, BarcodeFormat::PDF417, QStringLiteral("DN-2024-0315 发货 100件"),
         QRectF(3000, 6000, 6000, 2000)},
        {BarcodeLook::DataMatrix, BarcodeFormat::DataMatrix, QStringLiteral("DN-2024-0315/07"),
         QRectF(600, 8400, 1600, 1600)},
    };
}

BarcodeLook lookOf(int type, double moduleWidth = BarcodeLook::DefaultModuleWidth)
{
    BarcodeLook look;
    look.type = type;
    look.moduleWidth = moduleWidth;
    return look;
}

std::shared_ptr<ObjDraw> addCode(BillTemplate &bill, const QRectF &box, const QString &caption,
                                 const BarcodeLook &look)
{
    auto obj = addText(bill, box.left(), box.top(), box.width(), box.height(), caption);
    obj->setBarcode(look);
    return obj;
}

// A text bound to a document column, printed as a code.
std::shared_ptr<ObjDraw> addBoundCode(BillTemplate &bill, const QRectF &box, const QString &code,
                                      const BarcodeLook &look, bool scroll = false)
{
    auto obj = addCode(bill, box, QString(), look);
    obj->setIsFix(false);
    obj->setIsScroll(scroll);
    obj->ObjCtl()->setCaption(FieldVocabulary::BoundCaption(
        false, false, scroll, QStringLiteral("[%1]").arg(FieldVocabulary::ColumnOf(code))));
    obj->ObjCtl()->setTag(code);
    return obj;
}

void a4(BillTemplate &bill)
{
    bill.Caption = QStringLiteral("条码单");
    bill.mID = 1;
    bill.mObjs.page().setWidth(11906);
    bill.mObjs.page().setHeight(16838);
}

constexpr int16_t NoDataCategory = 1;
constexpr double RowHeight = 1200;
const QRectF NumberBox(600, 600, 5000, 1000);
const QRectF CustomerBox(6400, 400, 2400, 2400);
const QRectF LineBox(600, 3400, 5000, 1000);

} // namespace

class TestPrintBarcodes : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void everyTypeReadsBack_data();
    void everyTypeReadsBack();
    void boundValuesReadBackInABatch_data();
    void boundValuesReadBackInABatch();
    void unencodableDataIsNamedOnceAndPrintsEmpty_data();
    void unencodableDataIsNamedOnceAndPrintsEmpty();

private:
    QString printed(const BillTemplate &bill, const QString &name, int16_t screenID,
                    int32_t billNo, bool preview = false);

    QTemporaryDir m_dir;
    FakeDialogs *m_dialogs = nullptr;
};

void TestPrintBarcodes::initTestCase()
{
    AppSetup::installFontSubstitutions();
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
        QSKIP("pdftoppm (poppler-utils) is not installed");
    QVERIFY(m_dir.isValid());
    DemoDatabase::setPath(m_dir.filePath(QStringLiteral("demo.sqlite")));
}

void TestPrintBarcodes::init()
{
    m_dialogs = &Platform::installFakes();
    Mod_Print::Run() = PrintRun();
}

void TestPrintBarcodes::cleanup()
{
    Mod_Print::setPrintDeviceFactory({});
    Mod_Print::Run() = PrintRun();
}

// The template printed to a PDF by an ordinary run (or shown in the
// preview) of a document of a category.
QString TestPrintBarcodes::printed(const BillTemplate &bill, const QString &name,
                                   int16_t screenID, int32_t billNo, bool preview)
{
    const QString pdf = m_dir.filePath(name + QStringLiteral(".pdf"));
    Mod_Print::setPrintDeviceFactory([pdf] { return std::make_shared<QtPrintDevice>(pdf); });
    Mod_Print::PrintBill(bill, screenID, bill.mID, billNo, 0, preview, false);
    return pdf;
}

void TestPrintBarcodes::everyTypeReadsBack_data()
{
    QTest::addColumn<double>("moduleWidth");
    QTest::addColumn<int>("dpi");
    for (const double width : {0.25, 0.33, 0.5}) {
        for (const int dpi : {300, 600})
            QTest::addRow("%.2f mm at %d DPI", width, dpi) << width << dpi;
    }
}

// Every type decodes to exactly its data, Chinese included; linear codes
// at each module width, the others filling their boxes.
void TestPrintBarcodes::everyTypeReadsBack()
{
    QFETCH(double, moduleWidth);
    QFETCH(int, dpi);
    BillTemplate bill;
    a4(bill);
    const QList<Code> codes = everyType();
    for (const Code &code : codes)
        addCode(bill, code.box, code.data, lookOf(code.type, moduleWidth));
    // A category without data: nothing is read.
    const QString pdf = printed(bill, QString::number(moduleWidth), NoDataCategory, 15);
    QVERIFY2(m_dialogs->shown.empty(), qPrintable(m_dialogs->messages().join(u'\n')));

    const QImage page = BarcodeReadBack::render(pdf, 1, dpi, m_dir.path());
    QVERIFY(!page.isNull());
    for (const Code &code : codes) {
        const QImage part = BarcodeReadBack::region(page, code.box, dpi);
        QCOMPARE(BarcodeReadBack::decode(part, code.format), code.data);
    }
}

void TestPrintBarcodes::boundValuesReadBackInABatch_data()
{
    QTest::addColumn<int>("dpi");
    QTest::newRow("300 DPI") << 300;
    QTest::newRow("600 DPI") << 600;
}

// The document number as Code 128, the customer (Chinese) as a QR code
// and each line's item code scrolling down the rows, for three documents
// printed as one job: every page carries its own document's values.
void TestPrintBarcodes::boundValuesReadBackInABatch()
{
    QFETCH(int, dpi);
    BillTemplate bill;
    a4(bill);
    bill.mScreenID = DemoDatabase::CategoryID;
    bill.mrowcount = 5;
    bill.mcolcount = 1;
    bill.mRowHeight = RowHeight;
    addBoundCode(bill, NumberBox, FieldVocabulary::HeaderCode(QStringLiteral("单据号")),
                 lookOf(BarcodeLook::Code128));
    addBoundCode(bill, CustomerBox, FieldVocabulary::HeaderCode(QStringLiteral("客户")),
                 lookOf(BarcodeLook::QrCode));
    addBoundCode(bill, LineBox, FieldVocabulary::DetailCode(QStringLiteral("编码")),
                 lookOf(BarcodeLook::Code128), true);

    const std::vector<int32_t> numbers{1001, 1003, 1004};
    const Mod_Print::Documents documents = Mod_Print::ReadDocuments(bill, numbers);
    const QString pdf = m_dir.filePath(QStringLiteral("batch-%1.pdf").arg(dpi));
    QtPrintDevice device(pdf);
    QCOMPARE(Mod_Print::PrintDocuments(bill, documents, device), 3);
    QVERIFY2(m_dialogs->shown.empty(), qPrintable(m_dialogs->messages().join(u'\n')));

    for (int i = 0; i < 3; ++i) {
        const DocumentData &data = *documents[std::size_t(i)];
        const QImage page = BarcodeReadBack::render(pdf, i + 1, dpi, m_dir.path());
        QVERIFY(!page.isNull());
        QCOMPARE(BarcodeReadBack::decode(BarcodeReadBack::region(page, NumberBox, dpi),
                                         BarcodeFormat::Code128),
                 QString::number(numbers[std::size_t(i)]));
        QCOMPARE(BarcodeReadBack::decode(BarcodeReadBack::region(page, CustomerBox, dpi),
                                         BarcodeFormat::QRCode),
                 data.headerValue(QStringLiteral("客户")).toString());
        const int column = data.detailIndex(QStringLiteral("编码"));
        QVERIFY(column >= 0);
        QVERIFY(data.lineCount() >= 2 && data.lineCount() <= 5);
        for (int line = 0; line < data.lineCount(); ++line) {
            const QRectF cell = LineBox.translated(0, line * RowHeight);
            QCOMPARE(BarcodeReadBack::decode(BarcodeReadBack::region(page, cell, dpi),
                                             BarcodeFormat::Code128),
                     data.detailValue(line, column).toString());
        }
        // Rows past the document's last line stay empty.
        QVERIFY(BarcodeReadBack::blank(page, LineBox.translated(0, data.lineCount() * RowHeight),
                                       dpi));
    }
}

void TestPrintBarcodes::unencodableDataIsNamedOnceAndPrintsEmpty_data()
{
    QTest::addColumn<QString>("run");
    QTest::newRow("print") << QStringLiteral("print");
    QTest::newRow("preview") << QStringLiteral("preview");
    QTest::newRow("batch") << QStringLiteral("batch");
}

// Letters for EAN-13 and a Chinese customer for Code 128: one message
// before the run names each object, its value and the reason; their boxes
// print empty while the code beside them prints.
void TestPrintBarcodes::unencodableDataIsNamedOnceAndPrintsEmpty()
{
    QFETCH(QString, run);
    BillTemplate bill;
    a4(bill);
    bill.mScreenID = DemoDatabase::CategoryID;
    const QRectF eanBox(600, 600, 5000, 1400);
    const QRectF customerBox(600, 2400, 5000, 1400);
    const QRectF goodBox(600, 4200, 5000, 1400);
    addCode(bill, eanBox, QStringLiteral("69012345ABC"), lookOf(BarcodeLook::Ean13));
    addBoundCode(bill, customerBox, FieldVocabulary::HeaderCode(QStringLiteral("客户")),
                 lookOf(BarcodeLook::Code128));
    addBoundCode(bill, goodBox, FieldVocabulary::HeaderCode(QStringLiteral("单据号")),
                 lookOf(BarcodeLook::Code128));

    QString pdf = m_dir.filePath(run + QStringLiteral(".pdf"));
    if (run == QLatin1String("batch")) {
        // Two documents of the same customer give the same problems: named once.
        QtPrintDevice device(pdf);
        Mod_Print::PrintDocuments(bill, Mod_Print::ReadDocuments(bill, {1001, 1001}), device);
    } else {
        pdf = printed(bill, run, bill.mScreenID, 1001, run == QLatin1String("preview"));
    }
    const QStringList messages = m_dialogs->messages();
    QCOMPARE(messages.size(), 1);
    const QString &message = messages.front();
    for (const QString &part :
         {QStringLiteral("“69012345ABC”（左 10.58 mm，上 10.58 mm）"),
          QStringLiteral("“69012345ABC”：EAN-13 只能由数字组成，“A”不是数字"),
          QStringLiteral("“#[客户]”（左 10.58 mm，上 42.33 mm）的值“上海华联商贸有限公司”"),
          QStringLiteral("Code 128 只能编码西文字符，不能编码“上”")})
        QVERIFY2(message.contains(part), qPrintable(message));
    QVERIFY2(!message.contains(QStringLiteral("1001")), qPrintable(message));
    QCOMPARE(m_dialogs->lastMessage()->icon, MsgIcon::Exclamation);
    if (run == QLatin1String("preview"))
        return;

    const QImage page = BarcodeReadBack::render(pdf, 1, 300, m_dir.path());
    QVERIFY(!page.isNull());
    QVERIFY(BarcodeReadBack::blank(page, eanBox, 300));
    QVERIFY(BarcodeReadBack::blank(page, customerBox, 300));
    QCOMPARE(BarcodeReadBack::decode(BarcodeReadBack::region(page, goodBox, 300),
                                     BarcodeFormat::Code128),
             QStringLiteral("1001"));
}

QTEST_MAIN(TestPrintBarcodes)
#include "tst_print_barcodes.moc"
