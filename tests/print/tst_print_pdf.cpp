#include "PdfReadBack.h"
#include "PrintFixtures.h"

#include "tests/platform/UnderlayFiles.h"

#include "print/Mod_Print.h"

#include "documents/DocumentData.h"

#include "platform/AppSetup.h"
#include "platform/FakeDialogs.h"
#include "platform/FakePrinters.h"
#include "platform/Platform.h"
#include "platform/PrinterCalibration.h"
#include "platform/QtPrintDevice.h"
#include "platform/Units.h"

#include <QDir>
#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Twelve-point text as plain QPainter writes it on a QPdfWriter.
double referenceHeight(const QString &pdf, const QString &text)
{
    QPdfWriter writer(pdf);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    {
        QPainter painter(&writer);
        QFont font(QStringLiteral("宋体"));
        font.setPointSizeF(12);
        painter.setFont(font);
        painter.drawText(QPointF(1000, 2000), text);
    }
    const QList<PdfPage> pages = readBack(pdf);
    if (pages.isEmpty())
        return 0;
    const Word *w = findWord(pages.front(), text);
    return w ? w->yMax - w->yMin : 0;
}

// The pictures of a PDF as pdfimages -list names them: width x height.
QStringList imagesIn(const QString &pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {QStringLiteral("pdfimages failed")};
    QStringList images;
    const QStringList lines = QString::fromUtf8(process.readAllStandardOutput()).split('\n');
    for (const QString &line : lines.mid(2)) {
        const QStringList columns = line.simplified().split(QLatin1Char(' '));
        if (columns.size() > 4)
            images << columns[2] + QLatin1Char(' ') + columns[3] + QLatin1Char('x') + columns[4];
    }
    return images;
}

} // namespace

class TestPrintPdf : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void printsTemplateToPdf_data();
    void printsTemplateToPdf();
    void withoutPrinterAsksForPdfFile();
    void cancellingThePdfFileEndsSilently();
    void underlayAndOffsetsStayOutOfThePdf_data();
    void underlayAndOffsetsStayOutOfThePdf();

private:
    void buildTemplate(BillTemplate &bill, double width, double height, bool landscape);

    QTemporaryDir m_dir;
    FakeDialogs *m_dialogs = nullptr;
    double m_referenceHeight = 0;
};

// 页 is the character some CJK fonts turn into a radical when read back.
const QString FixedText = QStringLiteral("发货单位第1页");
const QString SizedText = QStringLiteral("金额合计");

void TestPrintPdf::initTestCase()
{
    AppSetup::installFontSubstitutions();
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    QVERIFY(m_dir.isValid());
    m_referenceHeight = referenceHeight(m_dir.filePath(QStringLiteral("reference.pdf")), SizedText);
    QVERIFY(m_referenceHeight > 5);
}

void TestPrintPdf::init()
{
    m_dialogs = &Platform::installFakes();
    Mod_Print::Run() = PrintRun();
}

void TestPrintPdf::cleanup()
{
    Mod_Print::setPrintDeviceFactory({});
    Mod_Print::Run().Bill = nullptr;
}

void TestPrintPdf::buildTemplate(BillTemplate &bill, double width, double height, bool landscape)
{
    bill.Caption = QStringLiteral("发货单");
    bill.mID = 1;
    bill.mLandScape = landscape;
    bill.mObjs.page().setWidth(width);
    bill.mObjs.page().setHeight(height);
    addText(bill, 1440, 2880, 4000, 400, FixedText);
    auto sized = addText(bill, 1440, 5000, 4000, 600, SizedText);
    ElementFont font;
    font.Size = 12;
    sized->ObjCtl()->setFont(font);
    addField(bill, 6000, 2880, 1000, 400, 1);
    addLine(bill, 1440, 4000, 5440, 4000);
}

void TestPrintPdf::printsTemplateToPdf_data()
{
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::addColumn<bool>("landscape");

    QTest::newRow("portrait-a4") << 11906.0 << 16838.0 << false;
    QTest::newRow("landscape-a4") << 16838.0 << 11906.0 << true;
    QTest::newRow("landscape-voucher") << 13000.0 << 7000.0 << true;
}

void TestPrintPdf::printsTemplateToPdf()
{
    QFETCH(double, width);
    QFETCH(double, height);
    QFETCH(bool, landscape);
    BillTemplate bill;
    buildTemplate(bill, width, height, landscape);
    const QString pdf = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + ".pdf");
    Mod_Print::setPrintDeviceFactory([pdf] { return std::make_shared<QtPrintDevice>(pdf); });
    Mod_Print::PrintBill(bill, 1, 1, 15, 0, false, false);
    QVERIFY2(m_dialogs->shown.empty(),
             qPrintable(m_dialogs->shown.empty() ? QString() : m_dialogs->shown.front().text));

    const QList<PdfPage> pages = readBack(pdf);
    QCOMPARE(pages.size(), 1);
    const PdfPage &page = pages.front();
    QVERIFY2(qAbs(page.width - width / 20.0) <= 0.5, qPrintable(QString::number(page.width)));
    QVERIFY2(qAbs(page.height - height / 20.0) <= 0.5, qPrintable(QString::number(page.height)));

    const Word *fixed = findWord(page, FixedText);
    QVERIFY2(fixed, "the fixed text did not read back");
    QVERIFY2(qAbs(fixed->xMin - 72) <= 0.5, qPrintable(QString::number(fixed->xMin)));
    QVERIFY2(qAbs(fixed->yMin - 144) <= 0.5, qPrintable(QString::number(fixed->yMin)));

    const Word *sized = findWord(page, SizedText);
    QVERIFY(sized);
    const double ratio = (sized->yMax - sized->yMin) / m_referenceHeight;
    QVERIFY2(qAbs(ratio - 1) <= 0.02, qPrintable(QString::number(ratio)));

    qInfo("page %.1f x %.1f pt, fixed text at (%.2f, %.2f) pt, 12-pt height ratio %.4f",
          page.width, page.height, fixed->xMin, fixed->yMin, ratio);

    const Word *pageNo = findWord(page, QStringLiteral("1"));
    QVERIFY2(pageNo, "the page number did not read back");
    QVERIFY(qAbs(pageNo->xMin - 300) <= 0.5);
}

void TestPrintPdf::withoutPrinterAsksForPdfFile()
{
    if (QtPrintDevice::hasPrinter())
        QSKIP("a printer is installed; the run would go to it");
    BillTemplate bill;
    buildTemplate(bill, 11906, 16838, false);
    const QString pdf = m_dir.filePath(QStringLiteral("chosen"));
    m_dialogs->fileAnswers.push_back(pdf);
    Mod_Print::Run().Bill = &bill;
    Mod_Print::FillPageFromTemplate(bill);
    Mod_Print::Run().PageCount = 2;
    Mod_Print::PrintPages();
    QCOMPARE(m_dialogs->shown.size(), std::size_t(1));
    QCOMPARE(m_dialogs->shown.front().kind, QStringLiteral("SaveFile"));
    const QList<PdfPage> pages = readBack(pdf + QStringLiteral(".pdf"));
    QCOMPARE(pages.size(), 2);
    QVERIFY(findWord(pages.at(1), QStringLiteral("2")));
}

void TestPrintPdf::cancellingThePdfFileEndsSilently()
{
    if (QtPrintDevice::hasPrinter())
        QSKIP("a printer is installed; the run would go to it");
    BillTemplate bill;
    buildTemplate(bill, 11906, 16838, false);
    const QStringList before = QDir(m_dir.path()).entryList(QDir::Files);
    Mod_Print::PrintBill(bill, 1, 1, 15, 0, false, false);
    QCOMPARE(m_dialogs->shown.size(), std::size_t(1));
    QCOMPARE(m_dialogs->shown.front().kind, QStringLiteral("SaveFile"));
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), before);
}

void TestPrintPdf::underlayAndOffsetsStayOutOfThePdf_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("print button") << "button";
    QTest::newRow("print dialog's file") << "dialog";
    QTest::newRow("batch") << "batch";
}

// The template's printer is calibrated and the template has its own offset
// and an underlay: its PDF holds the one picture object, at the designed
// positions.
void TestPrintPdf::underlayAndOffsetsStayOutOfThePdf()
{
    QFETCH(QString, path);
    if (QStandardPaths::findExecutable(QStringLiteral("pdfimages")).isEmpty())
        QSKIP("pdfimages (poppler-utils) is not installed");
    auto printers = std::make_unique<FakePrinters>();
    printers->installed = {QStringLiteral("Laser")};
    printers->defaultPrinter = QStringLiteral("Laser");
    Platform::setPrinters(std::move(printers));
    PrinterCalibration::setOffset(QStringLiteral("Laser"), QPointF(1.5, -0.8));
    BillTemplate bill;
    buildTemplate(bill, 11906, 16838, false);
    bill.mOffsetLeft = Units::mmToTwips(3);
    bill.mOffsetTop = Units::mmToTwips(-2);
    QImage stamp(40, 30, QImage::Format_RGB32);
    stamp.fill(Qt::darkRed);
    addPicture(bill, 8000, 8000, 600, 450, stamp);
    bill.mUnderlay = {UnderlayFiles::pictureAt(QSize(992, 1403), 120, "PNG"),
                      QStringLiteral("form.png"), 1, 100, QRectF(0, 0, 11906, 16838)};

    const QString pdf = m_dir.filePath(path + QStringLiteral(".pdf"));
    if (path == QLatin1String("batch")) {
        auto data = std::make_shared<DocumentData>();
        data->billNo = 15;
        QtPrintDevice device(pdf);
        QCOMPARE(Mod_Print::PrintDocuments(bill, {data}, device), 1);
    } else {
        Mod_Print::Run().Bill = &bill;
        Mod_Print::FillPageFromTemplate(bill);
        Mod_Print::Run().PageCount = 1;
        if (path == QLatin1String("button")) {
            Mod_Print::setPrintDeviceFactory([pdf] { return std::make_shared<QtPrintDevice>(pdf); });
            QCOMPARE(Mod_Print::DefaultChoice(bill).printerName, QStringLiteral("Laser"));
            Mod_Print::PrintPages();
        } else {
            PrintChoice choice;
            choice.outputFile = pdf;
            Mod_Print::PrintPages(choice);
        }
    }
    QVERIFY2(m_dialogs->shown.empty(),
             qPrintable(m_dialogs->shown.empty() ? QString() : m_dialogs->shown.front().text));
    QCOMPARE(imagesIn(pdf), QStringList{QStringLiteral("image 40x30")});
    const QList<PdfPage> pages = readBack(pdf);
    QCOMPARE(pages.size(), 1);
    const Word *fixed = findWord(pages.front(), FixedText);
    QVERIFY(fixed);
    QVERIFY2(qAbs(fixed->xMin - 72) <= 0.5, qPrintable(QString::number(fixed->xMin)));
    QVERIFY2(qAbs(fixed->yMin - 144) <= 0.5, qPrintable(QString::number(fixed->yMin)));
}

QTEST_MAIN(TestPrintPdf)
#include "tst_print_pdf.moc"
