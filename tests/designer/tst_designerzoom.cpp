// The page at every zoom: the one mapping between twips and pixels, the
// same model results from the same gestures at 25 %, 100 % and 800 %, the
// wheel, scrolling, handles of five pixels, rulers, and a view whose kept
// pixels are bounded by the window and stay exact as it scrolls.

#include "DesignerHarness.h"

#include "tests/print/PrintFixtures.h"

#include "designer/DrawTool.h"
#include "designer/FixHandle.h"
#include "designer/PageView.h"
#include "designer/Ruler.h"
#include "designer/RulerScale.h"
#include "designer/ScrollBar.h"
#include "designer/ViewMapping.h"
#include "designer/ZoomSteps.h"

#include "model/HandlePosition.h"
#include "model/ObjDraw.h"
#include "model/ObjDraws.h"

#include "platform/ElementFont.h"
#include "platform/FakeDialogs.h"
#include "platform/PageSurface.h"
#include "platform/Platform.h"
#include "platform/PointerConfinement.h"
#include "platform/Screen.h"
#include "platform/Units.h"

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QWheelEvent>

#include <cmath>
#include <functional>
#include <memory>
#include <optional>

namespace {

// Objects near the page's corner, on whole multiples of 60 twips, so a
// pixel at 25 % (60 twips), 100 % (15) and 800 % (1.875) lands exactly on
// each of them, and all of them show at 800 % in a window of 900 x 600.
constexpr int TextA = 1001;
constexpr int TextB = 1002;
constexpr int LineC = 1;

void placeObjects(mFrm_Bill *bill)
{
    addText(bill->record(), 180, 180, 540, 240, QStringLiteral("收货单位"));
    addText(bill->record(), 900, 180, 420, 240, QStringLiteral("金额"));
    addLine(bill->record(), 180, 600, 1320, 600);
}

Element &handleOf(mFrm_Bill *bill, int nID, int position)
{
    return bill->PicHD()(8 * nID - 8 + position);
}

// Where a handle shows its picture: what the pointer takes at any zoom.
QPointF handleMiddle(const Element &handle)
{
    return PageView::hitRect(handle).center();
}

QRectF boxOf(mFrm_Bill *bill, int id)
{
    return bill->mObjs().findByID(id)->ObjCtl()->rect();
}

// The part of the page the window shows beside the bars, in the page
// view's pixels.
QRect shownPart(mFrm_Bill *bill)
{
    const PageView &view = bill->pageView();
    return view.rect() & QRect(-view.pos(), view.parentWidget()->size());
}

void sendWheel(DesignerHarness &h, mFrm_Bill *bill, const QPoint &at, int turn,
               Qt::KeyboardModifiers modifiers)
{
    QWidget &area = bill->pageArea();
    const QPointF local = area.mapFrom(&h.area, QPointF(at));
    QWheelEvent wheel(local, QPointF(h.area.mapToGlobal(at)), QPoint(), QPoint(0, turn),
                      Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&area, &wheel);
}

// The zoom, with the page's top-left corner in view again: a zoom keeps
// the middle of what was shown where it was.
void zoomHome(mFrm_Bill *bill, double zoom)
{
    bill->setZoom(zoom);
    bill->HS().setValue(0);
    bill->VS().setValue(0);
}

using Gesture = std::function<void(DesignerHarness &, mFrm_Bill *)>;

} // namespace

class TestDesignerZoom : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void mappingRoundTrip_data();
    void mappingRoundTrip();
    void zoomSteps_data();
    void zoomSteps();
    void typedZoom_data();
    void typedZoom();
    void gesturesGiveTheSameModelResults_data();
    void gesturesGiveTheSameModelResults();
    void inPlaceEditingFollowsTheZoom_data();
    void inPlaceEditingFollowsTheZoom();
    void aDragOfPixelsMovesByTheZoomedTwips_data();
    void aDragOfPixelsMovesByTheZoomedTwips();
    void handlesStayFivePixels_data();
    void handlesStayFivePixels();
    void ctrlWheelZoomsAboutThePointer_data();
    void ctrlWheelZoomsAboutThePointer();
    void wheelScrolls();
    void scrollingHoldsPageTwipsAtEveryZoom_data();
    void scrollingHoldsPageTwipsAtEveryZoom();
    void pageSizingMovesByPageTwips_data();
    void pageSizingMovesByPageTwips();
    void keptPixelsAreBoundedByTheWindowAndExact_data();
    void keptPixelsAreBoundedByTheWindowAndExact();
    void rulersFollowThePage_data();
    void rulersFollowThePage();
    void rulerScale_data();
    void rulerScale();

private:
    std::unique_ptr<DesignerHarness> h;
};

void TestDesignerZoom::initTestCase()
{
    Screen::setTwipsPerPixel(15, 15);
}

void TestDesignerZoom::init()
{
    Platform::installFakes();
    h = std::make_unique<DesignerHarness>();
    QVERIFY(h->ready());
}

void TestDesignerZoom::cleanup()
{
    h.reset();
}

void TestDesignerZoom::mappingRoundTrip_data()
{
    QTest::addColumn<double>("twipsPerPixel");
    QTest::addColumn<double>("zoom");
    for (double screen : {15.0, 12.0, 10.0}) {
        for (double zoom : {0.25, 0.5, 0.75, 1.0, 1.5, 3.0, 8.0}) {
            QTest::addRow("%g twips a pixel, %g%%", screen, zoom * 100) << screen << zoom;
        }
    }
}

// Twips to pixels and back lands within half a pixel of where it began;
// the window's own twips do not zoom.
void TestDesignerZoom::mappingRoundTrip()
{
    QFETCH(double, twipsPerPixel);
    QFETCH(double, zoom);
    const ViewMapping mapping(twipsPerPixel, twipsPerPixel, zoom);
    const double pixel = twipsPerPixel / zoom;
    QCOMPARE(mapping.pageTwipsPerPixelX(), pixel);
    for (double twips : {0.0, 7.0, 56.69, 1133.86, 8190.0, 16838.0, 32767.0}) {
        const QRect pixels = mapping.pageToPixels(QRectF(twips, twips, 0, 0));
        const QPointF back = mapping.pageToTwips(QPointF(pixels.topLeft()));
        QVERIFY2(std::abs(back.x() - twips) <= pixel / 2 + 1e-9, qPrintable(QString::number(twips)));
        QVERIFY(std::abs(back.y() - twips) <= pixel / 2 + 1e-9);
    }
    QCOMPARE(mapping.windowToPixels(QRectF(0, 0, 1500, 300)),
             QRect(0, 0, int(std::lround(1500 / twipsPerPixel)),
                   int(std::lround(300 / twipsPerPixel))));
    QCOMPARE(mapping.pageToWindow(1000), 1000 * zoom);
}

void TestDesignerZoom::zoomSteps_data()
{
    QTest::addColumn<double>("from");
    QTest::addColumn<double>("larger");
    QTest::addColumn<double>("smaller");
    QTest::newRow("100%") << 1.0 << 1.5 << 0.75;
    QTest::newRow("25% is the least") << 0.25 << 0.5 << 0.25;
    QTest::newRow("800% is the most") << 8.0 << 8.0 << 6.0;
    QTest::newRow("between steps") << 1.2 << 1.5 << 1.0;
    QTest::newRow("300%") << 3.0 << 4.0 << 2.0;
}

void TestDesignerZoom::zoomSteps()
{
    QFETCH(double, from);
    QFETCH(double, larger);
    QFETCH(double, smaller);
    QCOMPARE(ZoomSteps::larger(from), larger);
    QCOMPARE(ZoomSteps::smaller(from), smaller);
}

void TestDesignerZoom::typedZoom_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("zoom"); // 0: refused
    QTest::newRow("plain") << "150" << 1.5;
    QTest::newRow("with percent") << "75%" << 0.75;
    QTest::newRow("full width") << QStringLiteral("１２０％") << 1.2;
    QTest::newRow("blanks") << " 400 " << 4.0;
    QTest::newRow("least") << "25" << 0.25;
    QTest::newRow("most") << "800%" << 8.0;
    QTest::newRow("too small") << "20" << 0.0;
    QTest::newRow("too large") << "801" << 0.0;
    QTest::newRow("no number") << "大" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
}

void TestDesignerZoom::typedZoom()
{
    QFETCH(QString, typed);
    QFETCH(double, zoom);
    const std::optional<double> parsed = ZoomSteps::parse(typed);
    QCOMPARE(parsed.has_value(), zoom > 0);
    if (parsed)
        QCOMPARE(*parsed, zoom);
    if (zoom > 0)
        QCOMPARE(ZoomSteps::parse(ZoomSteps::text(zoom)), std::optional<double>(zoom));
}

void TestDesignerZoom::gesturesGiveTheSameModelResults_data()
{
    QTest::addColumn<double>("zoom");
    QTest::addColumn<Gesture>("gesture");
    QTest::addColumn<Gesture>("check");

    const Gesture hit = [](DesignerHarness &h, mFrm_Bill *b) { h.click(b, 480, 300); };
    const Gesture hitChecked = [](DesignerHarness &, mFrm_Bill *b) {
        QCOMPARE(b->mObjs().nCurID(), TextA);
        QCOMPARE(b->mObjs().nActCount(), 1);
    };
    // Over the line and B, clear of A.
    const Gesture band = [](DesignerHarness &h, mFrm_Bill *b) { h.drag(b, 840, 60, 1380, 660); };
    const Gesture bandChecked = [](DesignerHarness &, mFrm_Bill *b) {
        QCOMPARE(b->mObjs().nActCount(), 2);
        QCOMPARE(b->mObjs().nCurID(), TextB);
        QVERIFY(b->mObjs().findByID(LineC)->IsActive());
        QVERIFY(!b->mObjs().findByID(TextA)->IsActive());
    };
    const Gesture size = [](DesignerHarness &h, mFrm_Bill *b) {
        h.click(b, 480, 300);
        const QPointF grip = handleMiddle(handleOf(b, TextA, HandlePosition::BottomRight));
        h.dragTo(h.at(b, grip.x(), grip.y()), h.at(b, 960, 540));
    };
    const Gesture sizeChecked = [](DesignerHarness &, mFrm_Bill *b) {
        QCOMPARE(boxOf(b, TextA), QRectF(180, 180, 780, 360));
        QCOMPARE(b->mObjs().nCurID(), TextA);
    };
    const Gesture lineEnd = [](DesignerHarness &h, mFrm_Bill *b) {
        h.click(b, 600, 600);
        const QPointF grip = handleMiddle(handleOf(b, LineC, HandlePosition::BottomRight));
        h.dragTo(h.at(b, grip.x(), grip.y()), h.at(b, 1200, 900));
    };
    const Gesture lineEndChecked = [](DesignerHarness &, mFrm_Bill *b) {
        const Element &line = *b->mObjs().findByID(LineC)->ObjCtl();
        QCOMPARE(QLineF(line.x1(), line.y1(), line.x2(), line.y2()),
                 QLineF(180, 600, 1200, 900));
    };
    const Gesture draw = [](DesignerHarness &h, mFrm_Bill *b) {
        h.draw(b, DrawTool::Text, 240, 720, 1080, 1020);
    };
    const Gesture drawChecked = [](DesignerHarness &, mFrm_Bill *b) {
        QCOMPARE(b->mObjs().Count(), 4);
        QCOMPARE(boxOf(b, 1003), QRectF(240, 720, 840, 300));
    };
    for (double zoom : {0.25, 1.0, 8.0}) {
        const int percent = int(zoom * 100);
        QTest::addRow("hit test at %d%%", percent) << zoom << hit << hitChecked;
        QTest::addRow("band at %d%%", percent) << zoom << band << bandChecked;
        QTest::addRow("handle at %d%%", percent) << zoom << size << sizeChecked;
        QTest::addRow("line end at %d%%", percent) << zoom << lineEnd << lineEndChecked;
        QTest::addRow("drawing at %d%%", percent) << zoom << draw << drawChecked;
    }
}

void TestDesignerZoom::gesturesGiveTheSameModelResults()
{
    QFETCH(double, zoom);
    QFETCH(Gesture, gesture);
    QFETCH(Gesture, check);
    mFrm_Bill *bill = h->open();
    placeObjects(bill);
    zoomHome(bill, zoom);
    QCOMPARE(bill->zoom(), zoom);
    gesture(*h, bill);
    check(*h, bill);
    QVERIFY(!Platform::pointer().isConfined());
}

void TestDesignerZoom::inPlaceEditingFollowsTheZoom_data()
{
    QTest::addColumn<double>("zoom");
    QTest::newRow("25%") << 0.25;
    QTest::newRow("100%") << 1.0;
    QTest::newRow("800%") << 8.0;
}

// The editor lies over its label at the zoom, with the label's font as
// large as the page shows it, and writes into the same caption.
void TestDesignerZoom::inPlaceEditingFollowsTheZoom()
{
    QFETCH(double, zoom);
    mFrm_Bill *bill = h->open();
    // Large enough that at 25 % its handles leave a place to click on it.
    const QRectF box(180, 60, 1200, 900);
    addText(bill->record(), box.left(), box.top(), box.width(), box.height(),
            QStringLiteral("收货单位"));
    zoomHome(bill, zoom);
    h->doubleClick(bill, 540, 540);
    QLineEdit &editor = bill->TxtLab();
    QVERIFY(editor.isVisible());
    const QRect label = bill->viewMapping().pageToPixels(box);
    QCOMPARE(editor.geometry(), label.translated(bill->pageView().pos()));
    const ElementFont font = bill->ObjText()(TextA).Font();
    QCOMPARE(editor.font().pixelSize(), int(std::lround(font.Size * 20 * zoom / 15)));
    editor.selectAll();
    QTest::keyClicks(&editor, QStringLiteral("ab"));
    QTest::keyClick(&editor, Qt::Key_Return);
    QCOMPARE(bill->ObjText()(TextA).Caption(), QStringLiteral("ab"));
    QVERIFY(!editor.isVisible());
    // The editor follows a zoom while it is open.
    h->doubleClick(bill, 540, 540);
    QVERIFY(editor.isVisible());
    zoomHome(bill, zoom == 1.0 ? 2.0 : 1.0);
    QCOMPARE(editor.geometry(),
             bill->viewMapping().pageToPixels(box).translated(bill->pageView().pos()));
}

void TestDesignerZoom::aDragOfPixelsMovesByTheZoomedTwips_data()
{
    QTest::addColumn<double>("zoom");
    QTest::addColumn<int>("pixels");
    for (double zoom : {0.25, 0.5, 0.75, 1.0, 2.0, 4.0, 8.0})
        for (int pixels : {8, 24})
            QTest::addRow("%d pixels at %g%%", pixels, zoom * 100) << zoom << pixels;
}

// A drag of N pixels at zoom z moves the object N x 15 / z twips (96 dpi).
void TestDesignerZoom::aDragOfPixelsMovesByTheZoomedTwips()
{
    QFETCH(double, zoom);
    QFETCH(int, pixels);
    mFrm_Bill *bill = h->open();
    placeObjects(bill);
    zoomHome(bill, zoom);
    const QPoint from = h->at(bill, 480, 300);
    h->dragTo(from, from + QPoint(pixels, pixels));
    const double moved = pixels * 15 / zoom;
    QCOMPARE(boxOf(bill, TextA).topLeft(), QPointF(180 + moved, 180 + moved));
    QVERIFY(bill->mChanged());
}

void TestDesignerZoom::handlesStayFivePixels_data()
{
    QTest::addColumn<double>("zoom");
    for (double zoom : ZoomSteps::Steps)
        QTest::addRow("%g%%", zoom * 100) << zoom;
}

// A handle is five pixels (its picture seven) on screen at every zoom, as
// far off the object's corner as at 100 %; the model's handles do not move
// with the zoom. The page-size handles stay where the page ends on screen.
void TestDesignerZoom::handlesStayFivePixels()
{
    QFETCH(double, zoom);
    mFrm_Bill *bill = h->open();
    placeObjects(bill);
    h->click(bill, 480, 300);
    const Element &corner = handleOf(bill, TextA, HandlePosition::BottomRight);
    const QRectF placed = corner.rect();
    const QPointF shownAt100 = bill->viewMapping().pageToPixels(PageView::hitRect(corner).topLeft());
    zoomHome(bill, zoom);
    QCOMPARE(corner.rect(), placed);
    const double pixel = 15 / zoom;
    const QRectF hit = PageView::hitRect(corner);
    QVERIFY(std::abs(hit.width() / pixel - 7) < 1e-9);
    QVERIFY(std::abs(hit.height() / pixel - 7) < 1e-9);
    // As many pixels off the corner (720, 420) as at 100 %.
    const QPointF shown = bill->viewMapping().pageToPixels(hit.topLeft());
    const QPointF cornerAt = bill->viewMapping().pageToPixels(QPointF(720, 420));
    const QPointF offAt100 = shownAt100 - QPointF(48, 28);
    QVERIFY2(std::abs((shown - cornerAt - offAt100).x()) < 1e-6
                 && std::abs((shown - cornerAt - offAt100).y()) < 1e-6,
             qPrintable(QStringLiteral("%1,%2").arg(shown.x() - cornerAt.x()).arg(shown.y() - cornerAt.y())));
    // Its picture's pixels there, the handle above the page under it.
    const QPoint at = cornerAt.toPoint();
    const QImage pixels = bill->pageView().grab(QRect(at - QPoint(6, 6), QSize(13, 13))).toImage();
    int blue = 0;
    for (int y = 0; y < pixels.height(); ++y)
        for (int x = 0; x < pixels.width(); ++x)
            blue += pixels.pixelColor(x, y) == QColor(0, 0, 255) ? 1 : 0;
    QVERIFY2(blue >= 9, qPrintable(QString::number(blue)));
    QCOMPARE(bill->pageView().elementAt(hit.center()), &corner);
    // The page-size handle 5 twips right of the page's edge on screen.
    const double pageRight = bill->PicPage().Left() + bill->PicPage().Width() * zoom;
    QCOMPARE(bill->PicFixHd(FixHandle::RightEdge).Left(), pageRight + 5);
}

void TestDesignerZoom::ctrlWheelZoomsAboutThePointer_data()
{
    QTest::addColumn<QPointF>("under");
    QTest::addColumn<int>("turn");
    QTest::addColumn<double>("zoom");
    QTest::newRow("in, page middle") << QPointF(6000, 4000) << 120 << 1.5;
    QTest::newRow("out") << QPointF(6000, 4000) << -120 << 0.75;
    QTest::newRow("two notches in") << QPointF(3000, 2000) << 240 << 2.0;
}

// The page point under the pointer stays under it.
void TestDesignerZoom::ctrlWheelZoomsAboutThePointer()
{
    QFETCH(QPointF, under);
    QFETCH(int, turn);
    QFETCH(double, zoom);
    mFrm_Bill *bill = h->open();
    bill->PicPage().setWidth(20000);
    bill->PicPage().setHeight(15000);
    bill->HS().setValue(2000);
    bill->VS().setValue(1000);
    QSignalSpy zoomed(bill, &mFrm_Bill::zoomChanged);
    const QPoint at = h->at(bill, under.x(), under.y());
    sendWheel(*h, bill, at, turn, Qt::ControlModifier);
    QCOMPARE(bill->zoom(), zoom);
    QCOMPARE(zoomed.count(), std::abs(turn) / 120);
    const QPoint after = h->at(bill, under.x(), under.y());
    QVERIFY2((after - at).manhattanLength() <= 2,
             qPrintable(QStringLiteral("%1,%2").arg(after.x()).arg(after.y())));
}

void TestDesignerZoom::wheelScrolls()
{
    mFrm_Bill *bill = h->open();
    bill->PicPage().setWidth(20000);
    bill->PicPage().setHeight(15000);
    zoomHome(bill, 2);
    const QPoint at = h->at(bill, 1000, 1000);
    sendWheel(*h, bill, at, -120, Qt::NoModifier);
    QCOMPARE(bill->VS().singleStep(), 50);
    QCOMPARE(bill->VS().Value(), 3 * 50);
    sendWheel(*h, bill, at, -120, Qt::ShiftModifier);
    QCOMPARE(bill->HS().Value(), 3 * 50);
    sendWheel(*h, bill, at, 120, Qt::NoModifier);
    QCOMPARE(bill->VS().Value(), 0);
    QCOMPARE(bill->zoom(), 2.0);
}

void TestDesignerZoom::scrollingHoldsPageTwipsAtEveryZoom_data()
{
    QTest::addColumn<double>("zoom");
    for (double zoom : {0.25, 0.5, 1.0, 3.0, 8.0})
        QTest::addRow("%g%%", zoom * 100) << zoom;
}

// The bars hold page twips scrolled; what shows beside a bar is its window
// twips at the zoom; scrolled to its end a bar shows the page's far edge.
void TestDesignerZoom::scrollingHoldsPageTwipsAtEveryZoom()
{
    QFETCH(double, zoom);
    mFrm_Bill *bill = h->open(QSize(400, 300));
    bill->PicPage().setWidth(30000);
    bill->PicPage().setHeight(30000);
    bill->setZoom(zoom);
    ScrollBar &hs = bill->HS();
    QVERIFY(hs.Visible());
    const double shown = bill->VS().Left() / zoom;
    QCOMPARE(hs.Max(), int(Units::toInt16(30000 - shown + 2 * bill->VS().Width() / zoom)));
    QCOMPARE(hs.singleStep(), std::max(1, int(std::lround(100 / zoom))));
    hs.setValue(hs.Max());
    QCOMPARE(bill->PicPage().Left(), -hs.Max() * zoom);
    // The page's right edge lies left of the vertical bar, near it.
    const int pageRight = bill->pageView().geometry().right();
    QVERIFY(pageRight < bill->VS().x());
    QVERIFY(pageRight > bill->VS().x() - 3 * ScrollBar::Thickness);
}

void TestDesignerZoom::pageSizingMovesByPageTwips_data()
{
    QTest::addColumn<double>("zoom");
    QTest::addColumn<int>("pixels");
    QTest::newRow("25%") << 0.25 << 10;
    QTest::newRow("100%") << 1.0 << 10;
    QTest::newRow("150%") << 1.5 << 7;
    QTest::newRow("800%") << 8.0 << 30;
}

// The right page-size handle moved by N pixels grows the page by N pixels
// of the page, in whole twips.
void TestDesignerZoom::pageSizingMovesByPageTwips()
{
    QFETCH(double, zoom);
    QFETCH(int, pixels);
    mFrm_Bill *bill = h->open(QSize(900, 600));
    bill->PicPage().setWidth(1200);
    bill->PicPage().setHeight(900);
    zoomHome(bill, zoom);
    const FixHandle &grip = bill->PicFixHd(FixHandle::RightEdge);
    const QPoint from = grip.mapTo(&h->area, grip.rect().center());
    h->press(from);
    for (int step = 1; step <= pixels; ++step)
        h->move(from + QPoint(step, 0));
    h->release(from + QPoint(pixels, 0));
    QCOMPARE(bill->PicPage().Width(), 1200 + std::round(pixels * 15 / zoom));
    QCOMPARE(bill->PicPage().Height(), 900.0);
    QVERIFY(grip.Visible());
}

void TestDesignerZoom::keptPixelsAreBoundedByTheWindowAndExact_data()
{
    QTest::addColumn<double>("zoom");
    QTest::addColumn<bool>("grid");
    QTest::newRow("100%") << 1.0 << false;
    QTest::newRow("400% with the grid") << 4.0 << true;
    QTest::newRow("800%") << 8.0 << false;
}

// At 800 % an A4 page would be thousands of pixels each way; the view
// keeps the pixels of what the window shows, and after scrolling about
// they are the pixels painting afresh gives.
void TestDesignerZoom::keptPixelsAreBoundedByTheWindowAndExact()
{
    QFETCH(double, zoom);
    QFETCH(bool, grid);
    mFrm_Bill *bill = h->open();
    bill->PicPage().setWidth(11906);
    bill->PicPage().setHeight(16838);
    for (int i = 0; i < 40; ++i)
        addText(bill->record(), 300 + (i % 8) * 1400, 300 + (i / 8) * 3000, 1200, 400,
                QStringLiteral("第%1栏").arg(i));
    addLine(bill->record(), 200, 200, 11000, 16000);
    bill->SelAll();
    if (grid)
        bill->setGridMm(5);
    bill->setZoom(zoom);
    PageView &view = bill->pageView();
    // A jump past every kept square (zoomed in, the page is far larger
    // than the window) starts the squares where the window shows, so what
    // shows takes the fewest; a shorter one keeps them where they were.
    view.repaint();
    const QRect keptBefore = view.keptArea();
    bill->HS().setValue(bill->HS().Max() / 2);
    bill->VS().setValue(bill->VS().Max() / 2);
    view.repaint();
    const QRect jumped = shownPart(bill);
    const auto squares = [](int pixels) {
        return (pixels + PageView::PiecePixels - 1) / PageView::PiecePixels * PageView::PiecePixels;
    };
    QCOMPARE(keptBefore.intersects(jumped), zoom == 1);
    if (zoom > 1)
        QCOMPARE(view.keptArea(), QRect(jumped.topLeft(),
                                        QSize(squares(jumped.width()), squares(jumped.height()))));
    const QPoint moved = view.keptArea().topLeft() - keptBefore.topLeft();
    if (zoom == 1)
        QCOMPARE(QPoint(moved.x() % PageView::PiecePixels, moved.y() % PageView::PiecePixels),
                 QPoint());
    for (int step = 0; step < 12; ++step) {
        bill->VS().triggerAction(step % 3 ? QAbstractSlider::SliderSingleStepAdd
                                          : QAbstractSlider::SliderPageStepAdd);
        if (step % 4 == 0)
            bill->HS().triggerAction(QAbstractSlider::SliderSingleStepAdd);
        view.repaint();
    }
    // The squares that hold what shows, whatever the page's size.
    const QRect kept = view.keptArea();
    const int room = 2 * PageView::PiecePixels;
    QVERIFY2(kept.width() <= bill->pageArea().width() + room
                 && kept.height() <= bill->pageArea().height() + room,
             qPrintable(QStringLiteral("%1x%2").arg(kept.width()).arg(kept.height())));
    const QRect shown = shownPart(bill);
    QVERIFY(kept.contains(shown));
    const QImage cached = view.grab(shown).toImage();
    view.clearCaches();
    const QImage fresh = view.grab(shown).toImage();
    if (fresh != cached && qEnvironmentVariableIsSet("TAVREL_SAVE_DIFF")) {
        cached.save(QStringLiteral("/tmp/cached.png"));
        fresh.save(QStringLiteral("/tmp/fresh.png"));
    }
    QCOMPARE(fresh, cached);
}

void TestDesignerZoom::rulersFollowThePage_data()
{
    QTest::addColumn<double>("zoom");
    QTest::newRow("25%") << 0.25;
    QTest::newRow("100%") << 1.0;
    QTest::newRow("400%") << 4.0;
}

// Millimetres from the page's top-left: the rulers start where the page
// does, scroll with it, and mark where the pointer is.
void TestDesignerZoom::rulersFollowThePage()
{
    QFETCH(double, zoom);
    mFrm_Bill *bill = h->open();
    bill->PicPage().setWidth(16838);
    bill->PicPage().setHeight(11906);
    zoomHome(bill, zoom);
    Ruler &across = bill->horizontalRuler();
    Ruler &down = bill->verticalRuler();
    QCOMPARE(across.pixelsPerMm(), Units::TwipsPerMm * zoom / 15);
    QCOMPARE(across.pageStart(), bill->pageView().x());
    QCOMPARE(down.pageStart(), bill->pageView().y());
    QCOMPARE(across.mapTo(bill, QPoint(0, 0)).x(), bill->pageArea().mapTo(bill, QPoint(0, 0)).x());
    QCOMPARE(down.mapTo(bill, QPoint(0, 0)).y(), bill->pageArea().mapTo(bill, QPoint(0, 0)).y());
    // 50 mm from the page's left edge.
    const QPoint at = h->at(bill, Units::mmToTwips(50), 500);
    h->move(at);
    QVERIFY(across.pointer().has_value());
    const double mm = (*across.pointer() - across.pageStart()) / across.pixelsPerMm();
    QVERIFY2(std::abs(mm - 50) <= 1 / across.pixelsPerMm() + 0.01, qPrintable(QString::number(mm)));
    if (bill->HS().Visible()) {
        bill->HS().setValue(bill->HS().Max());
        QCOMPARE(across.pageStart(), bill->pageView().x());
        QVERIFY(across.pageStart() < 0);
    }
}

void TestDesignerZoom::rulerScale_data()
{
    QTest::addColumn<double>("zoom");
    QTest::addColumn<int>("markMm");
    QTest::addColumn<int>("numberMm");
    // Pixels a millimetre spans at 96 dpi: 3.78 at 100 %.
    QTest::newRow("25%") << 0.25 << 5 << 50;
    QTest::newRow("50%") << 0.5 << 2 << 20;
    QTest::newRow("100%") << 1.0 << 1 << 10;
    QTest::newRow("200%") << 2.0 << 1 << 10;
    QTest::newRow("400%") << 4.0 << 1 << 5;
    QTest::newRow("800%") << 8.0 << 1 << 5;
}

void TestDesignerZoom::rulerScale()
{
    QFETCH(double, zoom);
    const RulerScale scale = RulerScale::forPixelsPerMm(Units::TwipsPerMm * zoom / 15);
    QTEST(scale.markMm, "markMm");
    QTEST(scale.numberMm, "numberMm");
    QCOMPARE(scale.numberMm % scale.markMm, 0);
}

QTEST_MAIN(TestDesignerZoom)
#include "tst_designerzoom.moc"
