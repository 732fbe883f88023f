#include "PrintFixtures.h"

#include "tests/platform/UnderlayFiles.h"

#include "print/Mod_Print.h"

#include "documents/DocumentData.h"
#include "print/PageSequence.h"
#include "print/PrintOffset.h"
#include "print/TemplatePrinter.h"
#include "print/frm_BillPreView.h"

#include "platform/AppSetup.h"
#include "platform/AppTitle.h"
#include "platform/FakeDialogs.h"
#include "platform/FakePrinters.h"
#include "platform/Platform.h"
#include "platform/PrinterCalibration.h"
#include "platform/RecordingPrintDevice.h"
#include "platform/SettingsStore.h"
#include "platform/Units.h"

#include <QRegularExpression>
#include <QTest>
#include <QToolButton>

#include <vector>

namespace {

// Every point a page's drawing commands name (twips): text baselines, line
// ends, the corners of rectangles and pictures.
QList<QPointF> pointsOf(const RecordingPrintDevice::Page &page)
{
    static const QRegularExpression pair(QStringLiteral("(-?[0-9.]+),(-?[0-9.]+)"));
    QList<QPointF> points = page.positions;
    for (const QString &shape : page.shapes) {
        auto it = pair.globalMatch(shape);
        while (it.hasNext()) {
            const auto m = it.next();
            points << QPointF(m.captured(1).toDouble(), m.captured(2).toDouble());
        }
    }
    return points;
}

QString pagesOf(const RecordingPrintDevice &device)
{
    QStringList pages;
    for (const auto &page : device.completed)
        pages << page.texts.join(QLatin1Char('+'));
    return pages.join(QLatin1Char(' '));
}

QPageRanges ranges(const QString &text)
{
    return text.isEmpty() ? QPageRanges() : QPageRanges::fromString(text);
}

} // namespace

// Where a run's pages go: the template's printer or the one chosen, the
// pages and copies chosen, and the one shift of each page on a printer.
class TestPrintTarget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void offsetsAddUpAndShiftEveryCommand_data();
    void offsetsAddUpAndShiftEveryCommand();
    void copiesAndPagesReachThePrinter_data();
    void copiesAndPagesReachThePrinter();
    void batchCopiesAndPrinter();
    void printButtonUsesTheTemplatesPrinter_data();
    void printButtonUsesTheTemplatesPrinter();
    void printSetupChoosesAndIsRemembered();
    void calibrationSheetIsShiftedLikeEveryPage();

private:
    void buildTemplate();
    std::shared_ptr<RecordingPrintDevice> installDevice(const QString &printer);
    void setRun(int pages);

    FakeDialogs *m_dialogs = nullptr;
    FakePrinters *m_printers = nullptr;
    std::unique_ptr<BillTemplate> m_bill;
};

void TestPrintTarget::initTestCase()
{
    AppSetup::installFontSubstitutions();
}

void TestPrintTarget::init()
{
    m_dialogs = &Platform::installFakes();
    auto printers = std::make_unique<FakePrinters>();
    m_printers = printers.get();
    m_printers->installed = {QStringLiteral("Laser"), QStringLiteral("Dot matrix")};
    m_printers->defaultPrinter = QStringLiteral("Laser");
    Platform::setPrinters(std::move(printers));
    Mod_Print::Run() = PrintRun();
    buildTemplate();
}

void TestPrintTarget::cleanup()
{
    Mod_Print::setPrintDeviceFactory({});
    Mod_Print::Run().Bill = nullptr;
    m_bill.reset();
}

// A text, a page number, a line, a framed text and a picture, and an
// underlay that no device may see.
void TestPrintTarget::buildTemplate()
{
    m_bill = std::make_unique<BillTemplate>();
    m_bill->Caption = QStringLiteral("发货单");
    m_bill->mID = 7;
    m_bill->mObjs.page().setWidth(11906);
    m_bill->mObjs.page().setHeight(16838);
    addText(*m_bill, 1440, 1440, 3000, 400, QStringLiteral("收货单位"));
    addField(*m_bill, 6000, 1440, 1000, 400, 1);
    addLine(*m_bill, 1440, 3000, 9000, 3000);
    addText(*m_bill, 1440, 4000, 3000, 400, QStringLiteral("金额"))->ObjCtl()->setBorderStyle(1);
    QImage stamp(40, 30, QImage::Format_RGB32);
    stamp.fill(Qt::red);
    addPicture(*m_bill, 8000, 5000, 600, 450, stamp);
    m_bill->mUnderlay = {UnderlayFiles::pictureAt(QSize(300, 200), 300, "PNG"),
                         QStringLiteral("form.png"), 1, 50, QRectF(0, 0, 11906, 16838)};
}

std::shared_ptr<RecordingPrintDevice> TestPrintTarget::installDevice(const QString &printer)
{
    auto device = std::make_shared<RecordingPrintDevice>();
    device->printer = printer;
    Mod_Print::setPrintDeviceFactory([device] { return device; });
    return device;
}

void TestPrintTarget::setRun(int pages)
{
    Mod_Print::FillPageFromTemplate(*m_bill);
    Mod_Print::Run().Bill = m_bill.get();
    Mod_Print::Run().PageCount = int16_t(pages);
}

void TestPrintTarget::offsetsAddUpAndShiftEveryCommand_data()
{
    QTest::addColumn<QString>("printer");
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<QPointF>("shiftMm");
    // Laser is calibrated at +1.5 / -0.8 mm; the template adds +0.5 / +1.2 mm.
    QTest::newRow("calibrated printer") << "Laser" << false << QPointF(2.0, 0.4);
    QTest::newRow("printer never calibrated") << "Dot matrix" << false << QPointF(0.5, 1.2);
    QTest::newRow("PDF file") << "" << false << QPointF(0, 0);
    // Turned a quarter counter-clockwise, the paper's +1.5 right is the
    // page's down and its 0.8 up is the page's right.
    QTest::newRow("landscape on the calibrated printer") << "Laser" << true << QPointF(1.3, 2.7);
}

void TestPrintTarget::offsetsAddUpAndShiftEveryCommand()
{
    QFETCH(QString, printer);
    QFETCH(bool, landscape);
    QFETCH(QPointF, shiftMm);
    m_bill->mLandScape = landscape;
    setRun(1);
    auto reference = installDevice(QString());
    Mod_Print::PrintPages();

    PrinterCalibration::setOffset(QStringLiteral("Laser"), QPointF(1.5, -0.8));
    m_bill->mOffsetLeft = Units::mmToTwips(0.5);
    m_bill->mOffsetTop = Units::mmToTwips(1.2);
    auto device = installDevice(printer);
    Mod_Print::PrintPages();

    QCOMPARE(device->completed.size(), std::size_t(1));
    const RecordingPrintDevice::Page &before = reference->completed.front();
    const RecordingPrintDevice::Page &after = device->completed.front();
    QCOMPARE(after.texts, before.texts);
    QCOMPARE(after.images, 1); // the picture, never the underlay
    QCOMPARE(after.lines, before.lines);
    const QList<QPointF> from = pointsOf(before);
    const QList<QPointF> to = pointsOf(after);
    QCOMPARE(to.size(), from.size());
    // Three texts, a line's two ends, a picture's corner.
    QCOMPARE(from.size(), 6);
    const QPointF shift(Units::mmToTwips(shiftMm.x()), Units::mmToTwips(shiftMm.y()));
    for (int i = 0; i < from.size(); ++i) {
        const QPointF moved = to[i] - from[i] - shift;
        // The recording keeps tenths of a twip.
        QVERIFY2(std::abs(moved.x()) <= 0.1 && std::abs(moved.y()) <= 0.1,
                 qPrintable(QStringLiteral("point %1 moved by (%2, %3) twips, not (%4, %5)")
                                .arg(i)
                                .arg((to[i] - from[i]).x())
                                .arg((to[i] - from[i]).y())
                                .arg(shift.x())
                                .arg(shift.y())));
    }
}

void TestPrintTarget::copiesAndPagesReachThePrinter_data()
{
    QTest::addColumn<QString>("pages");
    QTest::addColumn<int>("copies");
    QTest::addColumn<bool>("collate");
    QTest::addColumn<bool>("printerCopies");
    QTest::addColumn<QString>("printed"); // the page numbers of the pages sent
    QTest::addColumn<int>("jobPages");
    QTest::newRow("all pages, one copy") << "" << 1 << true << true << "1 2 3 4" << 4;
    QTest::newRow("a range, the printer copies") << "2-3" << 3 << true << true << "2 3" << 2;
    QTest::newRow("a range, the run copies, collated")
        << "2-3" << 2 << true << false << "2 3 2 3" << 2;
    QTest::newRow("pages and a range, not collated")
        << "1,3-4" << 2 << false << false << "1 1 3 3 4 4" << 3;
    QTest::newRow("past the last page") << "3-9" << 1 << true << true << "3 4" << 2;
    QTest::newRow("the current page") << "2" << 1 << true << true << "2" << 1;
}

void TestPrintTarget::copiesAndPagesReachThePrinter()
{
    QFETCH(QString, pages);
    QFETCH(int, copies);
    QFETCH(bool, collate);
    QFETCH(bool, printerCopies);
    QFETCH(QString, printed);
    QFETCH(int, jobPages);
    setRun(4);
    auto device = installDevice(QStringLiteral("Dot matrix"));
    device->copiesMadeByPrinter = printerCopies;
    PrintChoice choice;
    choice.printerName = QStringLiteral("Dot matrix");
    choice.copies = copies;
    choice.collate = collate;
    choice.pages = ranges(pages);
    Mod_Print::PrintPages(choice);
    QCOMPARE(device->startDocs, 1);
    QCOMPARE(device->job.printerName, QStringLiteral("Dot matrix"));
    QCOMPARE(device->job.copies, copies);
    QCOMPARE(device->job.collate, collate);
    QCOMPARE(device->job.pageCount, jobPages);
    QStringList numbers;
    for (const auto &page : device->completed)
        numbers << page.texts.at(1);
    QCOMPARE(numbers.join(QLatin1Char(' ')), printed);
    QCOMPARE(PageSequence::Of(4, choice.pages, printerCopies ? 1 : copies, collate).size(),
             std::size_t(device->endPageCalls));
}

// Two documents of one page each, two copies the device cannot make: the
// whole batch twice, collated.
void TestPrintTarget::batchCopiesAndPrinter()
{
    Mod_Print::Documents documents;
    for (int32_t billNo : {11, 12}) {
        auto data = std::make_shared<DocumentData>();
        data->billNo = billNo;
        documents.push_back(data);
    }
    RecordingPrintDevice device;
    device.printer = QStringLiteral("Laser");
    device.copiesMadeByPrinter = false;
    PrinterCalibration::setOffset(QStringLiteral("Laser"), QPointF(-2.0, 0));
    PrintChoice choice;
    choice.printerName = QStringLiteral("Laser");
    choice.copies = 2;
    std::vector<int32_t> progress;
    const int pages = Mod_Print::PrintDocuments(
        *m_bill, documents, device, [&](int, int, int32_t billNo) { progress.push_back(billNo); },
        choice);
    QCOMPARE(pages, 2);
    QCOMPARE(device.job.printerName, QStringLiteral("Laser"));
    QCOMPARE(device.job.copies, 2);
    QCOMPARE(device.endPageCalls, 4);
    QCOMPARE(progress, (std::vector<int32_t>{11, 12, 11, 12}));
    // Shifted 2 mm to the left, as on the printer every page is.
    const QPointF text = device.completed.front().positions.front();
    QVERIFY(std::abs(text.x() - (1440 - Units::mmToTwips(2.0))) < 2);
}

void TestPrintTarget::printButtonUsesTheTemplatesPrinter_data()
{
    QTest::addColumn<QString>("remembered");
    QTest::addColumn<QStringList>("installed");
    QTest::addColumn<QString>("defaultPrinter");
    QTest::addColumn<QString>("printer");
    QTest::newRow("remembered") << "Dot matrix" << QStringList{"Laser", "Dot matrix"} << "Laser"
                                << "Dot matrix";
    QTest::newRow("remembered, since removed") << "Old" << QStringList{"Laser", "Dot matrix"}
                                               << "Laser" << "Laser";
    QTest::newRow("none remembered") << "" << QStringList{"Laser", "Dot matrix"} << "Dot matrix"
                                     << "Dot matrix";
    QTest::newRow("no default") << "" << QStringList{"Laser", "Dot matrix"} << "" << "Laser";
    QTest::newRow("no printer") << "Laser" << QStringList{} << "" << "";
}

void TestPrintTarget::printButtonUsesTheTemplatesPrinter()
{
    QFETCH(QString, remembered);
    QFETCH(QStringList, installed);
    QFETCH(QString, defaultPrinter);
    QFETCH(QString, printer);
    m_printers->installed = installed;
    m_printers->defaultPrinter = defaultPrinter;
    if (!remembered.isEmpty())
        Platform::settings().SaveSetting(AppTitle(), QStringLiteral("TemplatePrinters"),
                                         QString::number(m_bill->mID), remembered);
    setRun(2);
    auto device = installDevice(printer);
    frm_BillPreView form;
    form.PageSetup();
    form.cmdPrint->click();
    QCOMPARE(device->job.printerName, printer);
    QCOMPARE(device->job.copies, 1);
    QCOMPARE(device->completed.size(), std::size_t(2));
    QVERIFY(m_dialogs->shown.empty());
}

void TestPrintTarget::printSetupChoosesAndIsRemembered()
{
    setRun(3);
    auto device = installDevice(QStringLiteral("Dot matrix"));
    frm_BillPreView form;
    form.PageSetup();
    form.cmdPageDown->click();
    QCOMPARE(form.cmdPrintSetup->toolTip(), QStringLiteral("打印设置"));

    // Cancelled: nothing printed, nothing remembered.
    form.cmdPrintSetup->click();
    QCOMPARE(device->startDocs, 0);
    QCOMPARE(m_dialogs->shown.back().kind, QStringLiteral("PrintSetup"));
    const PrintSetupRequest &asked = m_dialogs->shown.back().print;
    QCOMPARE(asked.title, QStringLiteral("打印设置"));
    QCOMPARE(asked.initial.printerName, QStringLiteral("Laser"));
    QCOMPARE(asked.pageCount, 3);
    QCOMPARE(asked.currentPage, 2);
    QCOMPARE(Mod_Print::DefaultChoice(*m_bill).printerName, QStringLiteral("Laser"));

    PrintChoice chosen;
    chosen.printerName = QStringLiteral("Dot matrix");
    chosen.copies = 2;
    chosen.pages = ranges(QStringLiteral("2-3"));
    m_dialogs->printAnswers.push_back(chosen);
    form.cmdPrintSetup->click();
    QCOMPARE(device->job.printerName, QStringLiteral("Dot matrix"));
    QCOMPARE(device->job.copies, 2);
    QCOMPARE(pagesOf(*device), QStringLiteral("收货单位+2+金额 收货单位+3+金额"));
    // The print button now prints there, for this template only.
    QCOMPARE(Mod_Print::DefaultChoice(*m_bill).printerName, QStringLiteral("Dot matrix"));
    BillTemplate other;
    other.mID = 8;
    QCOMPARE(Mod_Print::DefaultChoice(other).printerName, QStringLiteral("Laser"));

    // Qt's print to a file: printed there, the printer kept.
    PrintChoice toFile;
    toFile.outputFile = QStringLiteral("/tmp/x.pdf");
    m_dialogs->printAnswers.push_back(toFile);
    form.cmdPrintSetup->click();
    QCOMPARE(device->job.outputFile, QStringLiteral("/tmp/x.pdf"));
    QCOMPARE(Mod_Print::DefaultChoice(*m_bill).printerName, QStringLiteral("Dot matrix"));
}

void TestPrintTarget::calibrationSheetIsShiftedLikeEveryPage()
{
    PrinterCalibration::setOffset(QStringLiteral("Laser"), QPointF(1.5, -0.8));
    auto device = installDevice(QStringLiteral("Laser"));
    m_printers->paper = QSizeF(12240, 15840); // US Letter
    QVERIFY(Mod_Print::PrintCalibrationSheet(QStringLiteral("Laser")));
    QCOMPARE(device->job.printerName, QStringLiteral("Laser"));
    QCOMPARE(device->job.pageWidth, 12240.0);
    QCOMPARE(device->job.pageHeight, 15840.0);
    QCOMPARE(device->completed.size(), std::size_t(1));
    const RecordingPrintDevice::Page &sheet = device->completed.front();
    QVERIFY(sheet.texts.join(QString()).contains(QStringLiteral("打印机校准页：Laser")));
    QVERIFY(sheet.texts.contains(QStringLiteral("距左边 20.0 毫米，距上边 20.0 毫米")));
    QVERIFY(sheet.texts.contains(QStringLiteral("距右边 20.0 毫米，距下边 20.0 毫米")));
    // The ruler's first tick stands at the paper's left edge plus the offset.
    const QPointF shift(Units::mmToTwips(1.5), Units::mmToTwips(-0.8));
    const QString firstTick = QStringLiteral("line %1,%2 ")
                                  .arg(QString::number(shift.x(), 'f', 1),
                                       QString::number(shift.y(), 'f', 1));
    QVERIFY2(sheet.shapes.front().startsWith(firstTick), qPrintable(sheet.shapes.front()));
}

QTEST_MAIN(TestPrintTarget)
#include "tst_print_target.moc"
