#include "PrintFixtures.h"

#include "tests/platform/NewImageResolution.h"

#include "print/Mod_Print.h"
#include "print/PageComposer.h"
#include "print/PreviewCommand.h"
#include "print/PrintRun.h"
#include "print/ShowErrMsg.h"
#include "print/frm_BillPreView.h"

#include "platform/AppSetup.h"
#include "platform/Clock.h"
#include "platform/FakeDialogs.h"
#include "platform/PictureCodec.h"
#include "platform/Platform.h"
#include "platform/RecordingPrintDevice.h"
#include "platform/RuntimeError.h"
#include "platform/Screen.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>

namespace {

const QString CrLf = QStringLiteral("\r\n");

QByteArray bytesOf(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

} // namespace

class TestPrintRun : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void showErrMsgShowsTextAsItStands();
    void showErrMsgWithEmptyTextShowsCurrentError();

    void printPagesComposesEachPageThenCompletesIt();
    void printPagesStopsAtFailingPage();
    void printPagesWithNoPagesSendsNothing();
    void printPagesCancelledEndsSilently();
    void printPagesShowsProgressWithoutCancel();
    void landscapeRunPrintsTheDesignedPageUpright();
    void orientationsKeepTheSystemsNumbers();

    void printBillWithoutPreviewPrintsOnePage();
    void demonstrationRunOpensPreviewOfOnePage();
    void printBillReportsFailureWithNumberAsTitle();
    void composePageReportsItsOwnFailure();

    void preViewRefusesTemplateWithOnlyDeletedObjects();
    void preViewAsksToSaveFirst();
    void preViewDocumentNumber_data();
    void preViewDocumentNumber();
    void preViewRefusesNumberBeyond32Bits();

    void composeSkipsHiddenAndUnprintedObjects();
    void composeBoundValues_data();
    void composeBoundValues();
    void scrollingFieldFillsTheGrid();
    void scrollCellsOrder_data();
    void scrollCellsOrder();
    void composeDrawsLinesAndPictures();
    void composedPageIsTheSameOnEveryScreen_data();
    void composedPageIsTheSameOnEveryScreen();

private:
    void setRun(const BillTemplate &bill, int pages);
    std::shared_ptr<RecordingPrintDevice> installDevice();

    FakeDialogs *m_dialogs = nullptr;
    std::shared_ptr<RecordingPrintDevice> m_device;
};

void TestPrintRun::initTestCase()
{
    AppSetup::installFontSubstitutions();
}

void TestPrintRun::init()
{
    m_dialogs = &Platform::installFakes();
    Platform::setClock(std::make_unique<FixedClock>(QDateTime(QDate(2024, 3, 5), QTime(9, 7, 4))));
    Mod_Print::Run() = PrintRun();
}

void TestPrintRun::cleanup()
{
    Mod_Print::setPrintDeviceFactory({});
    Mod_Print::Run().Bill = nullptr;
    m_device.reset();
}

void TestPrintRun::setRun(const BillTemplate &bill, int pages)
{
    Mod_Print::FillPageFromTemplate(bill);
    Mod_Print::Run().Bill = &bill;
    Mod_Print::Run().PageCount = int16_t(pages);
}

std::shared_ptr<RecordingPrintDevice> TestPrintRun::installDevice()
{
    m_device = std::make_shared<RecordingPrintDevice>();
    auto device = m_device;
    Mod_Print::setPrintDeviceFactory([device] { return device; });
    return device;
}

void TestPrintRun::showErrMsgShowsTextAsItStands()
{
    ShowErrMsg(QStringLiteral("设置属性失败！"));
    QCOMPARE(m_dialogs->shown.size(), std::size_t(1));
    const auto &box = m_dialogs->shown.front();
    QCOMPARE(box.text, QStringLiteral("设置属性失败！"));
    QCOMPARE(box.icon, MsgIcon::Exclamation);
    QCOMPARE(box.buttons, MsgButtons::OK);
    QCOMPARE(box.title, QStringLiteral("tst_print_run"));
}

void TestPrintRun::showErrMsgWithEmptyTextShowsCurrentError()
{
    try {
        throw RuntimeError(RuntimeError::SubscriptOutOfRange, QStringLiteral("Subscript out of range"),
                           QString());
    } catch (const RuntimeError &e) {
        ShowErrMsg(QString(), &e);
    }
    QCOMPARE(m_dialogs->lastMessage()->text, QStringLiteral("9:Subscript out of range "));
    QCOMPARE(m_dialogs->lastMessage()->icon, MsgIcon::Exclamation);
    QCOMPARE(m_dialogs->lastMessage()->title, QStringLiteral("tst_print_run"));
}

void TestPrintRun::printPagesComposesEachPageThenCompletesIt()
{
    BillTemplate bill;
    addField(bill, 1440, 1440, 2000, 400, 1);
    setRun(bill, 3);
    auto device = installDevice();
    Mod_Print::PrintPages();
    const QStringList expected = {"StartDoc", "text:1", "EndPage", "text:2", "EndPage",
                                  "text:3", "EndPage"};
    QCOMPARE(device->log, expected);
    QCOMPARE(device->job.pageCount, 3);
    QVERIFY(m_dialogs->shown.empty());
}

void TestPrintRun::printPagesStopsAtFailingPage()
{
    BillTemplate bill;
    addField(bill, 1440, 1440, 2000, 400, 1);
    setRun(bill, 3);
    auto device = installDevice();
    device->failOnEndPage = 2;
    Mod_Print::PrintPages();
    QCOMPARE(device->completed.size(), std::size_t(1));
    QCOMPARE(device->endPageCalls, 2);
    QVERIFY(!device->log.contains("text:3"));
    QCOMPARE(m_dialogs->shown.size(), std::size_t(1));
    QCOMPARE(m_dialogs->lastMessage()->text, QStringLiteral(" 打印错误！") + CrLf + QStringLiteral("打印机缺纸"));
    QCOMPARE(m_dialogs->lastMessage()->icon, MsgIcon::Exclamation);
    QCOMPARE(m_dialogs->lastMessage()->title, AppExeName());
}

void TestPrintRun::printPagesWithNoPagesSendsNothing()
{
    BillTemplate bill;
    addField(bill, 0, 0, 2000, 400, 1);
    setRun(bill, 0);
    auto device = installDevice();
    Mod_Print::PrintPages();
    QCOMPARE(device->startDocs, 0);
    QCOMPARE(device->endPageCalls, 0);
}

void TestPrintRun::printPagesCancelledEndsSilently()
{
    BillTemplate bill;
    addField(bill, 0, 0, 2000, 400, 1);
    setRun(bill, 2);
    auto device = installDevice();
    device->cancel = true;
    Mod_Print::PrintPages();
    QCOMPARE(device->startDocs, 1);
    QCOMPARE(device->endPageCalls, 0);
    QVERIFY(m_dialogs->shown.empty());
}

void TestPrintRun::printPagesShowsProgressWithoutCancel()
{
    BillTemplate bill;
    addField(bill, 0, 0, 2000, 400, 1);
    setRun(bill, 3);
    auto device = installDevice();
    QStringList labels;
    bool cancelShown = false;
    bool modal = true;
    device->onEndPage = [&](int) {
        const auto dialogs = QApplication::topLevelWidgets();
        for (QWidget *w : dialogs) {
            auto *progress = qobject_cast<QProgressDialog *>(w);
            if (!progress || !progress->isVisible())
                continue;
            labels << progress->findChild<QLabel *>()->text();
            cancelShown = cancelShown || progress->findChild<QPushButton *>() != nullptr;
            modal = modal && progress->isModal();
        }
    };
    Mod_Print::PrintPages();
    QCOMPARE(labels, QStringList({QStringLiteral("第 1 页/共 3 页"), QStringLiteral("第 2 页/共 3 页"),
                                  QStringLiteral("第 3 页/共 3 页")}));
    QVERIFY(!cancelShown);
    QVERIFY(modal);
}

void TestPrintRun::landscapeRunPrintsTheDesignedPageUpright()
{
    BillTemplate bill;
    bill.mLandScape = true;
    bill.mObjs.page().setWidth(8190);
    bill.mObjs.page().setHeight(3690);
    addField(bill, 0, 0, 2000, 400, 1);
    setRun(bill, 1);
    QCOMPARE(Mod_Print::Run().Orientation, int16_t(PrintRun::AsFed));
    QCOMPARE(Mod_Print::Run().PageHeight, 8190.0);
    QCOMPARE(Mod_Print::Run().PageWidth, 3690.0);
    auto device = installDevice();
    Mod_Print::PrintPages();
    QVERIFY(device->job.landscape);
    QCOMPARE(device->job.pageWidth, 8190.0);
    QCOMPARE(device->job.pageHeight, 3690.0);
}

// A run records its orientation in the numbers the system gives them.
void TestPrintRun::orientationsKeepTheSystemsNumbers()
{
    QCOMPARE(int(PrintRun::Upright), 1);
    QCOMPARE(int(PrintRun::AsFed), 2);
}

void TestPrintRun::printBillWithoutPreviewPrintsOnePage()
{
    BillTemplate bill;
    addField(bill, 0, 0, 2000, 400, 2);
    auto device = installDevice();
    Mod_Print::PrintBill(bill, 3, 7, 1234, 0, false, false);
    QCOMPARE(Mod_Print::Run().BillNo, 1234);
    QVERIFY(!Mod_Print::Run().IsDemo);
    QCOMPARE(Mod_Print::Run().PageCount, int16_t(1));
    QCOMPARE(device->completed.size(), std::size_t(1));
    QCOMPARE(device->completed.front().texts, QStringList("1"));
    QVERIFY(m_dialogs->shown.empty());
}

void TestPrintRun::demonstrationRunOpensPreviewOfOnePage()
{
    BillTemplate bill;
    addField(bill, 0, 0, 2000, 400, 1);
    auto device = installDevice();
    QString caption, label;
    bool modal = false;
    m_dialogs->modalScripts.push_back([&](QDialog &dialog) {
        auto &form = dynamic_cast<frm_BillPreView &>(dialog);
        caption = form.windowTitle();
        label = form.labPage->text();
        modal = true;
        return 0;
    });
    Mod_Print::PrintBill(bill, 1, 1, 0, 0, false, true);
    QVERIFY(modal);
    QCOMPARE(caption, QStringLiteral("打印预览 - 演示数据"));
    QCOMPARE(label, QStringLiteral("第 1 页/共 1 页（演示数据）"));
    QCOMPARE(device->startDocs, 0);
}

void TestPrintRun::printBillReportsFailureWithNumberAsTitle()
{
    BillTemplate bill;
    bill.mObjs.page().setWidth(0);
    addField(bill, 0, 0, 2000, 400, 1);
    Mod_Print::PrintBill(bill, 1, 1, 0, 0, true, true);
    QCOMPARE(m_dialogs->shown.size(), std::size_t(1));
    const auto &box = m_dialogs->shown.front();
    QCOMPARE(box.title, QStringLiteral("11"));
    QCOMPARE(box.text, QStringLiteral("错误：11 除数为零 frm_BillPreView"));
    QCOMPARE(box.icon, MsgIcon::Exclamation);
    QVERIFY(Mod_Print::Run().IsDemo);
}

void TestPrintRun::composePageReportsItsOwnFailure()
{
    BillTemplate bill;
    addField(bill, 0, 0, 2000, 400, 1);
    setRun(bill, 1);
    // No printer job is open, so there is nothing to draw on.
    Mod_Print::ComposePage(1, true);
    QCOMPARE(m_dialogs->shown.size(), std::size_t(1));
    QVERIFY(m_dialogs->lastMessage()->text.startsWith(QStringLiteral("打印错误！") + CrLf));
    QCOMPARE(m_dialogs->lastMessage()->icon, MsgIcon::Exclamation);
    QCOMPARE(m_dialogs->lastMessage()->title, AppExeName());
}

void TestPrintRun::preViewRefusesTemplateWithOnlyDeletedObjects()
{
    BillTemplate bill;
    bill.Caption = QStringLiteral("发货单");
    bill.mID = 5;
    addText(bill, 0, 0, 100, 100, QStringLiteral("甲"))->ObjCtl()->setVisible(false);
    PreviewCommand::PreView(bill);
    QCOMPARE(m_dialogs->shown.size(), std::size_t(1));
    QCOMPARE(m_dialogs->lastMessage()->text, QStringLiteral("没有发现可打印的内容！"));
    QCOMPARE(m_dialogs->lastMessage()->title, QStringLiteral("发货单"));
    QCOMPARE(m_dialogs->lastMessage()->icon, MsgIcon::Exclamation);
}

void TestPrintRun::preViewAsksToSaveFirst()
{
    BillTemplate bill;
    bill.Caption = QStringLiteral("发货单");
    addText(bill, 0, 0, 100, 100, QStringLiteral("甲"));
    PreviewCommand::PreView(bill);
    QCOMPARE(m_dialogs->shown.size(), std::size_t(1));
    QCOMPARE(m_dialogs->lastMessage()->text, QStringLiteral("请先保存数据！"));
    QCOMPARE(m_dialogs->lastMessage()->title, QStringLiteral("发货单"));
}

void TestPrintRun::preViewDocumentNumber_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("billNo");
    QTest::addColumn<bool>("demo");

    QTest::newRow("number") << "12abc" << 12 << false;
    QTest::newRow("cancel") << "" << 0 << true;
    QTest::newRow("zero") << "0" << 0 << true;
    QTest::newRow("rounded") << "-3.5" << -4 << false;
    // Typed with a Chinese input method.
    QTest::newRow("full-width digits") << "１００２" << 1002 << false;
    QTest::newRow("full-width sign and point") << "－３．５" << -4 << false;
    QTest::newRow("no number at all") << "一〇〇二" << 0 << true;
}

void TestPrintRun::preViewDocumentNumber()
{
    QFETCH(QString, answer);
    QFETCH(int, billNo);
    QFETCH(bool, demo);
    BillTemplate bill;
    bill.Caption = QStringLiteral("发货单");
    bill.mID = 5;
    // A category without a data source: any number runs (the demonstration
    // category refuses numbers its database does not hold).
    bill.mScreenID = 3;
    addText(bill, 0, 0, 100, 100, QStringLiteral("甲"));
    m_dialogs->inputAnswers.push_back(answer);
    int previews = 0;
    QString caption, label;
    m_dialogs->modalScripts.push_back([&](QDialog &dialog) {
        auto &form = dynamic_cast<frm_BillPreView &>(dialog);
        caption = form.windowTitle();
        label = form.labPage->text();
        ++previews;
        return 0;
    });
    PreviewCommand::PreView(bill);
    const auto &input = m_dialogs->shown.front();
    QCOMPARE(input.kind, QStringLiteral("InputBox"));
    QCOMPARE(input.text, QStringLiteral("请输入单据号？"));
    QCOMPARE(input.title, QStringLiteral("单据号"));
    QCOMPARE(input.defaultText, QStringLiteral("0"));
    QCOMPARE(Mod_Print::Run().BillNo, billNo);
    QCOMPARE(Mod_Print::Run().IsDemo, demo);
    QCOMPARE(previews, 1);
    QCOMPARE(Mod_Print::Run().Bill, &bill);
    // A demonstration says so, so nobody takes it for the document asked for.
    QCOMPARE(caption, demo ? QStringLiteral("打印预览 - 演示数据") : QStringLiteral("打印预览"));
    QCOMPARE(label, demo ? QStringLiteral("第 1 页/共 1 页（演示数据）")
                         : QStringLiteral("第 1 页/共 1 页"));
}

void TestPrintRun::preViewRefusesNumberBeyond32Bits()
{
    BillTemplate bill;
    bill.Caption = QStringLiteral("发货单");
    bill.mID = 5;
    addText(bill, 0, 0, 100, 100, QStringLiteral("甲"));
    m_dialogs->inputAnswers.push_back(QStringLiteral("99999999999"));
    Mod_Print::Run().BillNo = 77;
    PreviewCommand::PreView(bill);
    QCOMPARE(m_dialogs->lastMessage()->text, QStringLiteral("单据号超出范围！"));
    QCOMPARE(m_dialogs->lastMessage()->title, QStringLiteral("发货单"));
    QCOMPARE(Mod_Print::Run().BillNo, 77);
    for (const auto &s : m_dialogs->shown)
        QVERIFY(s.kind != QStringLiteral("Modal"));
}

void TestPrintRun::composeSkipsHiddenAndUnprintedObjects()
{
    BillTemplate bill;
    addText(bill, 0, 0, 2000, 400, QStringLiteral("甲"));
    addText(bill, 0, 500, 2000, 400, QStringLiteral("乙"))->setPrinted(false);
    addText(bill, 0, 1000, 2000, 400, QStringLiteral("丙"))->ObjCtl()->setVisible(false);
    addText(bill, 0, 1500, 2000, 400, QStringLiteral("丁"));
    setRun(bill, 1);
    auto device = installDevice();
    Mod_Print::PrintPages();
    QCOMPARE(device->completed.front().texts, QStringList({QStringLiteral("甲"), QStringLiteral("丁")}));
}

void TestPrintRun::composeBoundValues_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<bool>("sumed");
    QTest::addColumn<bool>("sumedPage");
    QTest::addColumn<QString>("format");
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("expected");

    // Grid of 2 rows x 1 column, page 2 of 3.
    QTest::newRow("page-number") << 1 << false << false << "" << 2 << "2";
    QTest::newRow("page-count") << 2 << false << false << "" << 2 << "3";
    QTest::newRow("date-default") << 3 << false << false << "" << 2 << "2024-03-05";
    QTest::newRow("time-default") << 4 << false << false << "" << 2 << "09:07:04";
    QTest::newRow("date-pattern") << 3 << false << false << QStringLiteral("yyyy年m月d日") << 2
                                  << QStringLiteral("2024年3月5日");
    QTest::newRow("subtotal-over-cells") << 1 << true << true << "" << 2 << "4";
    QTest::newRow("total-up-to-page") << 1 << true << false << "" << 2 << "6";
    QTest::newRow("total-formatted") << 2 << true << false << "0.00" << 2 << "12.00";
    QTest::newRow("date-is-never-summed") << 3 << true << false << "" << 2 << "2024-03-05";
    QTest::newRow("capital-page-count") << 2 << false << false << QStringLiteral("[大写数字]") << 1
                                        << QStringLiteral("叁");
}

void TestPrintRun::composeBoundValues()
{
    QFETCH(int, entry);
    QFETCH(bool, sumed);
    QFETCH(bool, sumedPage);
    QFETCH(QString, format);
    QFETCH(int, page);
    QFETCH(QString, expected);
    BillTemplate bill;
    bill.mrowcount = 2;
    bill.mRowHeight = 300;
    auto obj = addField(bill, 0, 0, 3000, 400, entry, false, sumed, sumedPage);
    obj->setFormat(format);
    PageContext context;
    context.Page = page;
    context.PageCount = 3;
    context.Now = QDateTime(QDate(2024, 3, 5), QTime(9, 7, 4));
    QCOMPARE(PageComposer::PrintedText(*obj, bill, context), expected);
}

void TestPrintRun::scrollingFieldFillsTheGrid()
{
    BillTemplate bill;
    bill.mrowcount = 2;
    bill.mRowHeight = 300;
    bill.mcolcount = 3;
    bill.mColWidth = 2500;
    addField(bill, 0, 0, 2000, 300, 1, true);
    // Summed and scrolling: the sum wins and prints once.
    addField(bill, 0, 2000, 2000, 300, 1, true, true, true);
    setRun(bill, 1);
    auto device = installDevice();
    Mod_Print::PrintPages();
    QCOMPARE(device->completed.front().texts,
             QStringList({"1", "1", "1", "1", "1", "1", "6"}));
}

void TestPrintRun::scrollCellsOrder_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("cols");
    QTest::addColumn<bool>("colFirst");
    QTest::addColumn<QList<QPointF>>("expected");

    QTest::newRow("counts-of-0-count-as-1") << 0 << 0 << false << QList<QPointF>{{0, 0}};
    QTest::newRow("row-by-row") << 2 << 2 << false
                                << QList<QPointF>{{0, 0}, {1000, 0}, {0, 300}, {1000, 300}};
    QTest::newRow("column-by-column") << 2 << 2 << true
                                      << QList<QPointF>{{0, 0}, {0, 300}, {1000, 0}, {1000, 300}};
    QTest::newRow("rows-only") << 3 << 0 << true << QList<QPointF>{{0, 0}, {0, 300}, {0, 600}};
}

void TestPrintRun::scrollCellsOrder()
{
    QFETCH(int, rows);
    QFETCH(int, cols);
    QFETCH(bool, colFirst);
    QFETCH(QList<QPointF>, expected);
    BillTemplate bill;
    bill.mrowcount = int16_t(rows);
    bill.mcolcount = int16_t(cols);
    bill.mRowHeight = 300;
    bill.mColWidth = 1000;
    bill.mBlnColFirst = colFirst;
    const std::vector<QPointF> cells = PageComposer::ScrollCells(bill);
    QCOMPARE(QList<QPointF>(cells.begin(), cells.end()), expected);
}

void TestPrintRun::composeDrawsLinesAndPictures()
{
    BillTemplate bill;
    addLine(bill, 0, 0, 3000, 0);
    addLine(bill, 0, 0, 0, 3000)->setPrinted(false);
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::red);
    addPicture(bill, 100, 100, 600, 600, picture);
    setRun(bill, 2);
    auto device = installDevice();
    Mod_Print::PrintPages();
    QCOMPARE(device->completed.size(), std::size_t(2));
    for (const auto &page : device->completed) {
        QCOMPARE(page.lines, 1);
        QCOMPARE(page.images, 1);
    }
}

void TestPrintRun::composedPageIsTheSameOnEveryScreen_data()
{
    QTest::addColumn<QSizeF>("screen"); // twips per pixel across and down
    QTest::newRow("96 dpi") << QSizeF(15, 15);
    QTest::newRow("144 dpi") << QSizeF(10, 10);
    QTest::newRow("120 dpi") << QSizeF(12, 12);
    QTest::newRow("pixels twice as tall as wide") << QSizeF(15, 30);
}

// A line-width pixel is 1/96 inch and a picture's natural size comes from
// its own resolution (96 dpi when its file records none), whatever screen
// the run starts on.
void TestPrintRun::composedPageIsTheSameOnEveryScreen()
{
    QFETCH(QSizeF, screen);
    const auto asInTheProgram = screenResolutionForNewImages();
    BillTemplate bill;
    addLine(bill, 0, 0, 3000, 0);
    addLine(bill, 0, 500, 3000, 500)->ObjCtl()->setBorderWidth(3);
    QImage plain(4, 6, QImage::Format_RGB32);
    plain.fill(Qt::blue);
    const QImage unrecorded = PictureCodec::decode(bytesOf(plain, "PPM"));
    QImage fine(40, 20, QImage::Format_RGB32);
    fine.fill(Qt::green);
    fine.setDotsPerMeterX(11811); // 300 dpi
    fine.setDotsPerMeterY(11811);
    const QImage recorded = PictureCodec::decode(bytesOf(fine, "PNG"));
    addPicture(bill, 100, 1000, 1500, 3000, unrecorded)->ObjCtl()->setStretch(false);
    auto framed = addPicture(bill, 2000, 1000, 1500, 3000, recorded);
    framed->ObjCtl()->setStretch(false);
    framed->ObjCtl()->setBorderStyle(Element::FixedSingle);
    framed->setBWidth(2);
    addText(bill, 4000, 1000, 2000, 400, QStringLiteral("甲"));
    const auto printOn = [&](const QSizeF &twipsPerPixel) {
        Screen::setTwipsPerPixel(twipsPerPixel.width(), twipsPerPixel.height());
        setRun(bill, 1);
        auto device = installDevice();
        Mod_Print::PrintPages();
        Screen::setTwipsPerPixel(15, 15);
        return device->completed.size() == 1 ? device->completed.front()
                                             : RecordingPrintDevice::Page();
    };
    const RecordingPrintDevice::Page at96 = printOn(QSizeF(15, 15));
    const RecordingPrintDevice::Page page = printOn(screen);
    QCOMPARE(page.shapes,
             QStringList({"line 0.0,0.0 3000.0,0.0 w=15.0", "line 0.0,500.0 3000.0,500.0 w=45.0",
                          "image 100.0,1000.0 60.0x90.0", "image 2000.0,1000.0 192.0x96.0",
                          "rect 2015.0,1015.0 1470.0x2970.0 w=30.0"}));
    QCOMPARE(page.texts, QStringList(QStringLiteral("甲")));
    QCOMPARE(page.positions, at96.positions);
}

QTEST_MAIN(TestPrintRun)
#include "tst_print_run.moc"
