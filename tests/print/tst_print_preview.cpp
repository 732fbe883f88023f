#include "PrintFixtures.h"

#include "tests/platform/UnderlayFiles.h"

#include "print/Mod_Print.h"
#include "print/PagePicture.h"
#include "print/PreviewLayout.h"
#include "print/PrintRun.h"
#include "print/frm_BillPreView.h"

#include "platform/AppSetup.h"
#include "platform/FakeDialogs.h"
#include "platform/Platform.h"
#include "platform/RecordingPrintDevice.h"
#include "platform/Screen.h"

#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

#include <cmath>

Q_DECLARE_METATYPE(ScrollRange)

class TestPrintPreview : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void pictureSize_data();
    void pictureSize();
    void layoutView_data();
    void layoutView();
    void layoutStepThatFailsKeepsPreviousValue();

    void startsOnFirstPageAtActualSize_data();
    void startsOnFirstPageAtActualSize();
    void navigationStaysWithinTheRun();
    void clickZoomsBetweenFittedAndActualSize();
    void clickNearTopLeftLeavesScrollBarsAtZero();
    void printThenNavigateShowsActualSize();
    void resizeDoesNotRefitTheFittedPage();
    void tinyViewStillFitsThePage();
    void scrollBarMovesThePicture();
    void buttonsCarryTheirTips();
    void underlayShowsOnlyWhileItsButtonIsDown();

private:
    void startRun(int pages, double width = 11906, double height = 16838, bool landscape = false);

    FakeDialogs *m_dialogs = nullptr;
    BillTemplate m_bill;
};

void TestPrintPreview::initTestCase()
{
    AppSetup::installFontSubstitutions();
    Screen::setTwipsPerPixel(15, 15);
    addField(m_bill, 1440, 1440, 2000, 400, 1);
}

void TestPrintPreview::init()
{
    m_dialogs = &Platform::installFakes();
    Mod_Print::Run() = PrintRun();
}

void TestPrintPreview::cleanup()
{
    Mod_Print::setPrintDeviceFactory({});
    Mod_Print::Run().Bill = nullptr;
}

void TestPrintPreview::startRun(int pages, double width, double height, bool landscape)
{
    m_bill.mLandScape = landscape;
    m_bill.mObjs.page().setWidth(width);
    m_bill.mObjs.page().setHeight(height);
    Mod_Print::FillPageFromTemplate(m_bill);
    Mod_Print::Run().Bill = &m_bill;
    Mod_Print::Run().PageCount = int16_t(pages);
}

void TestPrintPreview::pictureSize_data()
{
    QTest::addColumn<bool>("actual");
    QTest::addColumn<QSizeF>("page");
    QTest::addColumn<QSizeF>("view");
    QTest::addColumn<QSizeF>("expected");

    QTest::newRow("actual-rounds-width-half-even") << true << QSizeF(1000.5, 2000) << QSizeF(500, 500)
                                                   << QSizeF(1000, 2000);
    QTest::newRow("tall-page-fits-height") << false << QSizeF(2000, 4000) << QSizeF(6200, 3200)
                                           << QSizeF(1500, 3000);
    QTest::newRow("wide-page-fits-width") << false << QSizeF(4000, 1000) << QSizeF(3200, 3200)
                                          << QSizeF(3000, 750);
    QTest::newRow("same-ratio-fits-width") << false << QSizeF(2000, 1000) << QSizeF(4200, 2200)
                                           << QSizeF(4000, 2000);
    QTest::newRow("view-of-200-fits-one-pixel") << false << QSizeF(2000, 1000) << QSizeF(200, 200)
                                                << QSizeF(15, 7.5);
    QTest::newRow("view-smaller-than-margin") << false << QSizeF(1000, 2000) << QSizeF(100, 50)
                                              << QSizeF(8, 15);
}

void TestPrintPreview::pictureSize()
{
    QFETCH(bool, actual);
    QFETCH(QSizeF, page);
    QFETCH(QSizeF, view);
    QFETCH(QSizeF, expected);
    const QSizeF size = PreviewLayout::PictureSize(actual, page.width(), page.height(),
                                                   page.height() / page.width(), view);
    QCOMPARE(size, expected);
}

void TestPrintPreview::layoutView_data()
{
    QTest::addColumn<QSizeF>("view");
    QTest::addColumn<QSizeF>("picture");
    QTest::addColumn<QPointF>("click");
    QTest::addColumn<QPointF>("position");
    QTest::addColumn<ScrollRange>("h");
    QTest::addColumn<ScrollRange>("v");

    // Scroll bars 255 twips thick.
    QTest::newRow("small-page-centred") << QSizeF(6000, 4000) << QSizeF(2000, 1000) << QPointF(0, 0)
                                        << QPointF(2000, 1500) << ScrollRange{} << ScrollRange{};
    QTest::newRow("large-page-click-at-origin")
        << QSizeF(6000, 4000) << QSizeF(11906, 16838) << QPointF(0, 0) << QPointF(100, 100)
        << ScrollRange{true, 0, 6361, 0} << ScrollRange{true, 0, 13293, 0};
    QTest::newRow("large-page-click-brought-to-middle")
        << QSizeF(6000, 4000) << QSizeF(11906, 16838) << QPointF(5000, 8000)
        << QPointF(-1900, -5900) << ScrollRange{true, 0, 6361, 2000}
        << ScrollRange{true, 0, 13293, 6000};
    QTest::newRow("click-beyond-range-stops-at-max")
        << QSizeF(6000, 4000) << QSizeF(11906, 16838) << QPointF(11906, 16838)
        << QPointF(-6261, -13193) << ScrollRange{true, 0, 6361, 6361}
        << ScrollRange{true, 0, 13293, 13293};
    QTest::newRow("wider-only") << QSizeF(6000, 4000) << QSizeF(8000, 2000) << QPointF(4000, 0)
                                << QPointF(-900, 1000) << ScrollRange{true, 0, 2455, 1000}
                                << ScrollRange{};
}

void TestPrintPreview::layoutView()
{
    QFETCH(QSizeF, view);
    QFETCH(QSizeF, picture);
    QFETCH(QPointF, click);
    QFETCH(QPointF, position);
    QFETCH(ScrollRange, h);
    QFETCH(ScrollRange, v);
    const ViewLayout layout = PreviewLayout::LayoutView(view, picture, 255, 255, click, ViewLayout());
    QCOMPARE(QPointF(layout.PicLeft, layout.PicTop), position);
    QCOMPARE(layout.H.Visible, h.Visible);
    QCOMPARE(layout.V.Visible, v.Visible);
    if (h.Visible) {
        QCOMPARE(layout.H.Max, h.Max);
        QCOMPARE(layout.H.Value, h.Value);
    }
    if (v.Visible) {
        QCOMPARE(layout.V.Max, v.Max);
        QCOMPARE(layout.V.Value, v.Value);
    }
    QCOMPARE(layout.HS, QRectF(0, view.height() - 255, view.width() - 255, 255));
    QCOMPARE(layout.VS, QRectF(view.width() - 255, 0, 255, view.height() - 255));
}

void TestPrintPreview::layoutStepThatFailsKeepsPreviousValue()
{
    ViewLayout previous;
    previous.H.Max = 500;
    previous.HS = QRectF(1, 2, 3, 4);
    // A range beyond 16 bits keeps the old maximum; the value is still set.
    const ViewLayout wide = PreviewLayout::LayoutView(QSizeF(6000, 4000), QSizeF(40000, 1000), 255,
                                                      255, QPointF(9000, 0), previous);
    QCOMPARE(wide.H.Max, 500);
    QCOMPARE(wide.H.Value, 500);
    QCOMPARE(wide.PicLeft, -400.0);
    // A view narrower than the bar keeps the bar where it was.
    const ViewLayout narrow = PreviewLayout::LayoutView(QSizeF(100, 4000), QSizeF(50, 1000), 255,
                                                        255, QPointF(), previous);
    QCOMPARE(narrow.HS, QRectF(1, 2, 3, 4));
    QCOMPARE(narrow.PicLeft, 25.0);
}

void TestPrintPreview::startsOnFirstPageAtActualSize_data()
{
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<QSizeF>("page");
    QTest::addColumn<QSize>("pixels");

    QTest::newRow("portrait") << false << QSizeF(11906, 16838) << QSize(794, 1123);
    // The run records the paper as fed; the preview shows the designed page.
    QTest::newRow("landscape-upright") << true << QSizeF(16838, 11906) << QSize(1123, 794);
}

void TestPrintPreview::startsOnFirstPageAtActualSize()
{
    QFETCH(bool, landscape);
    QFETCH(QSizeF, page);
    QFETCH(QSize, pixels);
    frm_BillPreView form;
    QCOMPARE(form.labPage->text(), QStringLiteral("第 1 页 共 1 页"));
    QCOMPARE(form.labPage->font().family(), QStringLiteral("宋体"));
    startRun(1, page.width(), page.height(), landscape);
    QCOMPARE(Mod_Print::Run().Orientation,
             int16_t(landscape ? PrintRun::AsFed : PrintRun::Upright));
    form.PageSetup();
    QCOMPARE(form.labPage->text(), QStringLiteral("第 1 页/共 1 页"));
    QVERIFY(form.mActualSize);
    QCOMPARE(form.mPageWidth > form.mPageHeight, landscape);
    QCOMPARE(form.pictMainTwips().size(), page);
    QCOMPARE(form.pictMain->image().size(), pixels);
    QCOMPARE(Mod_Print::Run().PageScale, 1.0);
    QVERIFY(form.pictMain->isVisibleTo(&form));
}

void TestPrintPreview::navigationStaysWithinTheRun()
{
    startRun(3);
    frm_BillPreView form;
    form.PageSetup();
    form.cmdPageUp->click();
    QCOMPARE(form.labPage->text(), QStringLiteral("第 1 页/共 3 页"));
    form.cmdPageDown->click();
    form.cmdPageDown->click();
    QCOMPARE(form.labPage->text(), QStringLiteral("第 3 页/共 3 页"));
    form.cmdPageDown->click();
    QCOMPARE(form.mCurPage, int16_t(3));
    form.cmdPageFirst->click();
    QCOMPARE(form.labPage->text(), QStringLiteral("第 1 页/共 3 页"));
    form.cmdPageLast->click();
    QCOMPARE(form.labPage->text(), QStringLiteral("第 3 页/共 3 页"));
    form.cmdPageUp->click();
    QCOMPARE(form.mCurPage, int16_t(2));
}

void TestPrintPreview::clickZoomsBetweenFittedAndActualSize()
{
    startRun(1);
    frm_BillPreView form;
    form.PageSetup();
    const QSizeF view = form.pictViewTwips();
    // Actual size -> fitted: the page fits within the view less the margin.
    QTest::mouseClick(form.pictMain, Qt::LeftButton, {}, QPoint(10, 10));
    QVERIFY(!form.mActualSize);
    const QRectF fitted = form.pictMainTwips();
    QVERIFY(fitted.width() <= view.width() - 200 + 0.5);
    QVERIFY(fitted.height() <= view.height() - 200 + 0.5);
    QVERIFY(form.HS->isHidden());
    QVERIFY(form.VS->isHidden());
    QCOMPARE(fitted.left(), (view.width() - fitted.width()) / 2);

    // Fitted -> actual size with the clicked point as near the middle as
    // the ranges allow.
    const QPoint at(form.pictMain->width() / 2, form.pictMain->height() / 2);
    QTest::mouseClick(form.pictMain, Qt::LeftButton, {}, at);
    QVERIFY(form.mActualSize);
    const double scale = fitted.height() / 16838.0;
    const double clickX = at.x() * 15 / scale;
    const double clickY = at.y() * 15 / scale;
    QCOMPARE(form.mClickX, clickX);
    QVERIFY(form.VS->isVisibleTo(&form));
    QCOMPARE(form.VS->value(), int(std::nearbyint(clickY - view.height() / 2)));
    QCOMPARE(form.pictMainTwips().top(), 100.0 - form.VS->value());
}

void TestPrintPreview::clickNearTopLeftLeavesScrollBarsAtZero()
{
    startRun(1);
    frm_BillPreView form;
    form.PageSetup();
    form.mActualSize = false;
    form.ShowPage();
    QTest::mouseClick(form.pictMain, Qt::LeftButton, {}, QPoint(2, 2));
    QVERIFY(form.mActualSize);
    QVERIFY(form.VS->isVisibleTo(&form));
    QCOMPARE(form.VS->value(), 0);
    QCOMPARE(form.pictMainTwips().topLeft(), QPointF(100, 100));
}

void TestPrintPreview::printThenNavigateShowsActualSize()
{
    startRun(2);
    auto device = std::make_shared<RecordingPrintDevice>();
    Mod_Print::setPrintDeviceFactory([device] { return device; });
    frm_BillPreView form;
    form.PageSetup();
    form.mActualSize = false;
    form.ShowPage();
    const QRectF fitted = form.pictMainTwips();
    form.cmdPrint->click();
    QCOMPARE(device->completed.size(), std::size_t(2));
    QVERIFY(form.mActualSize);
    QCOMPARE(form.pictMainTwips(), fitted);
    form.cmdPageDown->click();
    QCOMPARE(form.pictMainTwips().size(), QSizeF(11906, 16838));

    // A click on a page still shown fitted inverts the flag back.
    form.mActualSize = false;
    form.ShowPage();
    form.cmdPrint->click();
    QTest::mouseClick(form.pictMain, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(!form.mActualSize);
    QCOMPARE(form.pictMainTwips().size(), fitted.size());
}

void TestPrintPreview::resizeDoesNotRefitTheFittedPage()
{
    startRun(1);
    frm_BillPreView form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.PageSetup();
    form.mActualSize = false;
    form.ShowPage();
    const QSizeF fitted = form.pictMainTwips().size();
    const QRect viewBefore = form.pictView->geometry();
    form.resize(form.width() + 200, form.height() + 100);
    QTRY_COMPARE(form.pictView->width(), viewBefore.width() + 200);
    QCOMPARE(form.pictView->pos(), viewBefore.topLeft());
    QCOMPARE(form.pictMainTwips().size(), fitted);
    QCOMPARE(form.pictMainTwips().left(), (form.pictViewTwips().width() - fitted.width()) / 2);
    QVERIFY(!form.mActualSize);
    // Smaller than the page now: it keeps its size and gets scroll bars.
    form.resize(300, 250);
    QTRY_VERIFY(form.VS->isVisible());
    QCOMPARE(form.pictMainTwips().size(), fitted);
}

void TestPrintPreview::tinyViewStillFitsThePage()
{
    startRun(1);
    frm_BillPreView form;
    form.pictView->resize(10, 12);
    QVERIFY(form.pictViewTwips().width() <= 200);
    QVERIFY(form.pictViewTwips().height() <= 200);
    form.PageSetup();
    form.mActualSize = false;
    form.ShowPage();
    const QRectF picture = form.pictMainTwips();
    QVERIFY(std::isfinite(picture.width()) && picture.width() > 0);
    QVERIFY(std::isfinite(picture.height()) && picture.height() > 0);
    QVERIFY(std::isfinite(Mod_Print::Run().PageScale));
}

void TestPrintPreview::scrollBarMovesThePicture()
{
    startRun(1);
    frm_BillPreView form;
    form.PageSetup();
    QVERIFY(form.HS->isVisibleTo(&form));
    form.HS->setValue(form.HS->value() + 100);
    QCOMPARE(form.pictMainTwips().left(), 100.0 - form.HS->value());
    QCOMPARE(form.HS->singleStep(), 100);
    QCOMPARE(form.HS->pageStep(), 1000);
}

void TestPrintPreview::buttonsCarryTheirTips()
{
    frm_BillPreView form;
    QCOMPARE(form.windowTitle(), QStringLiteral("打印预览"));
    const QList<QPair<QToolButton *, QString>> buttons = {
        {form.cmdPageFirst, QStringLiteral("第一页")}, {form.cmdPageUp, QStringLiteral("前一页")},
        {form.cmdPageDown, QStringLiteral("后一页")},  {form.cmdPageLast, QStringLiteral("最后一页")},
        {form.cmdPrint, QStringLiteral("打印")},       {form.cmdClose, QStringLiteral("关闭")},
        {form.cmdPrintSetup, QStringLiteral("打印设置")}, {form.cmdUnderlay, QStringLiteral("底图")}};
    for (const auto &[button, tip] : buttons) {
        QCOMPARE(button->toolTip(), tip);
        QVERIFY(!button->icon().isNull());
    }
}

// A black underlay over the page's lower half: the preview shows it only
// while 底图 is down, beneath the page's text, and up again on the next run.
void TestPrintPreview::underlayShowsOnlyWhileItsButtonIsDown()
{
    startRun(1);
    frm_BillPreView form;
    form.PageSetup();
    QVERIFY(!form.cmdUnderlay->isEnabled());

    QImage black(200, 100, QImage::Format_RGB32);
    black.fill(Qt::black);
    m_bill.mUnderlay = {UnderlayFiles::encoded(black, "PNG"), QStringLiteral("black.png"), 1, 40,
                        QRectF(0, 8419, 11906, 8419)};
    form.PageSetup();
    QVERIFY(form.cmdUnderlay->isEnabled());
    QVERIFY(form.cmdUnderlay->isCheckable());
    QVERIFY(!form.cmdUnderlay->isChecked());
    // Pixels: the page is at its own size, 15 twips a pixel.
    const QPoint below(400, 800);
    const QPoint above(400, 300);
    const auto greyAt = [&form](const QPoint &p) { return qGray(form.pictMain->image().pixel(p)); };
    QCOMPARE(greyAt(below), 255);

    form.cmdUnderlay->click();
    QVERIFY(form.cmdUnderlay->isChecked());
    // Black at 40 % over white.
    QVERIFY2(std::abs(greyAt(below) - 153) <= 2, qPrintable(QString::number(greyAt(below))));
    QCOMPARE(greyAt(above), 255);
    // The page's text is drawn over it.
    m_bill.mUnderlay.Place = QRectF(0, 0, 11906, 16838);
    form.PageSetup();
    form.cmdUnderlay->click();
    const QImage shown = form.pictMain->image();
    int darkest = 255;
    for (int y = 96; y < 122; ++y)
        for (int x = 96; x < 230; ++x)
            darkest = std::min(darkest, qGray(shown.pixel(x, y)));
    QVERIFY2(darkest < 100, qPrintable(QString::number(darkest)));

    form.cmdUnderlay->click();
    QCOMPARE(greyAt(below), 255);
    form.cmdUnderlay->click();
    form.PageSetup();
    QVERIFY(!form.cmdUnderlay->isChecked());
    QCOMPARE(greyAt(below), 255);
    m_bill.mUnderlay = FormUnderlay();
}

QTEST_MAIN(TestPrintPreview)
#include "tst_print_preview.moc"
