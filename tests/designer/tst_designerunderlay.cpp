// The form beneath the page in the designer: drawn beneath every object at
// its opacity at every zoom, with the grid's dots over it, hidden and shown
// per window, the same pixels kept as painted afresh, and never more than
// the scan's own dots held for it, however far the page is zoomed.

#include "DesignerHarness.h"

#include "tests/platform/UnderlayFiles.h"
#include "tests/print/PrintFixtures.h"

#include "designer/ScrollBar.h"
#include "designer/ViewMapping.h"

#include "model/FormUnderlay.h"

#include "platform/Platform.h"
#include "platform/Screen.h"

#include <cmath>
#include <memory>

namespace {

// A 300-dpi scan of a form 1200 twips square (250 dots) at 60 twips from
// the page's corner: its left half red, its right half blue. At 25 %, 100 %
// and 800 % all of it that the samples need shows in a window of 900 x 600.
constexpr QRectF Place(60, 60, 1200, 1200);
const QRgb Red = qRgb(255, 0, 0);
const QRgb Blue = qRgb(0, 0, 255);
const QRgb Green = qRgb(0, 160, 0);

QImage scan()
{
    QImage image(250, 250, QImage::Format_RGB32);
    image.fill(Blue);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width() / 2; ++x)
            image.setPixel(x, y, Red);
    image.setDotsPerMeterX(UnderlayFiles::dotsPerMetre(300));
    image.setDotsPerMeterY(UnderlayFiles::dotsPerMetre(300));
    return image;
}

// The colour over white at an opacity, as the view fades it.
QRgb faded(QRgb colour, int opacity)
{
    const auto over = [&](int c) { return int(std::lround(255 + (c - 255) * opacity / 100.0)); };
    return qRgb(over(qRed(colour)), over(qGreen(colour)), over(qBlue(colour)));
}

bool near(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) <= 3 && std::abs(qGreen(a) - qGreen(b)) <= 3
           && std::abs(qBlue(a) - qBlue(b)) <= 3;
}

QString describe(QRgb c)
{
    return QStringLiteral("(%1, %2, %3)").arg(qRed(c)).arg(qGreen(c)).arg(qBlue(c));
}

// The underlay and a green picture object over part of its blue half,
// through the record, as page setup and loading leave it.
void layForm(mFrm_Bill *bill, int opacity)
{
    QImage green(8, 8, QImage::Format_RGB32);
    green.fill(Green);
    auto picture = addPicture(bill->record(), 800, 700, 300, 200, green);
    picture->ObjCtl()->setStretch(true);
    FormUnderlay &underlay = bill->record().mUnderlay;
    underlay.Data = UnderlayFiles::encoded(scan(), "PNG");
    underlay.FileName = QStringLiteral("送货单.png");
    underlay.Opacity = opacity;
    underlay.Place = Place;
    bill->refreshUnderlay();
}

// The view's pixel at a page point (twips).
QRgb pixelAt(mFrm_Bill *bill, double x, double y)
{
    const QPointF pixels = bill->viewMapping().pageToPixels(QPointF(x, y));
    const QPoint at(int(std::floor(pixels.x())), int(std::floor(pixels.y())));
    return bill->pageView().grab(QRect(at, QSize(1, 1))).toImage().pixel(0, 0);
}

QRect shownPart(mFrm_Bill *bill)
{
    const PageView &view = bill->pageView();
    return view.rect() & QRect(-view.pos(), bill->pageArea().size());
}

} // namespace

class TestDesignerUnderlay : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void drawnBeneathEveryObjectAtItsOpacity_data();
    void drawnBeneathEveryObjectAtItsOpacity();
    void gridDotsShowOverTheUnderlay();
    void hiddenAndShownPerWindow();
    void keptPixelsMatchAFreshPaintAndMemoryStaysTheScans_data();
    void keptPixelsMatchAFreshPaintAndMemoryStaysTheScans();

private:
    std::unique_ptr<DesignerHarness> h;
};

void TestDesignerUnderlay::initTestCase()
{
    Screen::setTwipsPerPixel(15, 15);
}

void TestDesignerUnderlay::init()
{
    Platform::installFakes();
    h = std::make_unique<DesignerHarness>();
    QVERIFY(h->ready());
}

void TestDesignerUnderlay::cleanup()
{
    h.reset();
}

void TestDesignerUnderlay::drawnBeneathEveryObjectAtItsOpacity_data()
{
    QTest::addColumn<double>("zoom");
    QTest::addColumn<int>("opacity");
    QTest::newRow("25%, 50% opaque") << 0.25 << 50;
    QTest::newRow("100%, 10% opaque") << 1.0 << 10;
    QTest::newRow("100%, 100% opaque") << 1.0 << 100;
    QTest::newRow("800%, 50% opaque") << 8.0 << 50;
}

void TestDesignerUnderlay::drawnBeneathEveryObjectAtItsOpacity()
{
    QFETCH(double, zoom);
    QFETCH(int, opacity);
    mFrm_Bill *bill = h->open();
    bill->setZoom(zoom);
    bill->HS().setValue(0);
    bill->VS().setValue(0);
    layForm(bill, opacity);
    const struct
    {
        double x, y;
        QRgb expected;
    } samples[] = {
        {300, 300, faded(Red, opacity)},
        {1000, 300, faded(Blue, opacity)},
        // The picture object lies over the underlay, unfaded.
        {950, 800, Green},
        // Past the underlay the page is white.
        {30, 1000, qRgb(255, 255, 255)},
        {300, 1275, qRgb(255, 255, 255)},
    };
    for (const auto &s : samples) {
        const QRgb seen = pixelAt(bill, s.x, s.y);
        QVERIFY2(near(seen, s.expected),
                 qPrintable(QStringLiteral("at %1, %2 twips: %3, expected %4")
                                .arg(s.x)
                                .arg(s.y)
                                .arg(describe(seen), describe(s.expected))));
    }
}

// Dots go where the page is blank: over the underlay as over white paper,
// and not where an object paints.
void TestDesignerUnderlay::gridDotsShowOverTheUnderlay()
{
    mFrm_Bill *bill = h->open();
    layForm(bill, 50);
    const QRgb redThere = pixelAt(bill, 286, 286);
    bill->setGridMm(5);
    // The dot of 5 mm by 5 mm (pixel 19 at 100 %) lies in the red half.
    const QRgb dotThere = pixelAt(bill, 286, 286);
    QVERIFY2(!near(dotThere, redThere), qPrintable(describe(dotThere)));
    QVERIFY2(near(pixelAt(bill, 300, 450), faded(Red, 50)), "the grid fills only its dots");
    // 15 mm by 15 mm: under the picture object.
    QCOMPARE(pixelAt(bill, 856, 856), Green);
}

// Each window keeps its own choice; hiding shows the white page beneath
// the objects, and showing again brings the form back.
void TestDesignerUnderlay::hiddenAndShownPerWindow()
{
    mFrm_Bill *first = h->open();
    layForm(first, 50);
    mFrm_Bill *second = h->open();
    layForm(second, 50);
    QVERIFY(first->underlayShown());
    first->setUnderlayShown(false);
    QVERIFY(!first->underlayShown());
    QVERIFY(second->underlayShown());
    QCOMPARE(pixelAt(first, 300, 300), qRgb(255, 255, 255));
    QCOMPARE(pixelAt(first, 950, 800), Green);
    QVERIFY(near(pixelAt(second, 300, 300), faded(Red, 50)));
    first->setUnderlayShown(true);
    QVERIFY(near(pixelAt(first, 300, 300), faded(Red, 50)));

    // Removed in page setup: gone from the page.
    first->record().mUnderlay = FormUnderlay();
    first->refreshUnderlay();
    QCOMPARE(pixelAt(first, 300, 300), qRgb(255, 255, 255));
}

void TestDesignerUnderlay::keptPixelsMatchAFreshPaintAndMemoryStaysTheScans_data()
{
    QTest::addColumn<double>("zoom");
    QTest::newRow("25%") << 0.25;
    QTest::newRow("100%") << 1.0;
    QTest::newRow("800%") << 8.0;
}

// Scrolled about, the squares kept are what painting afresh gives; the
// underlay's own copy is never larger than the scan, so 800 % costs what
// 100 % does.
void TestDesignerUnderlay::keptPixelsMatchAFreshPaintAndMemoryStaysTheScans()
{
    QFETCH(double, zoom);
    mFrm_Bill *bill = h->open();
    layForm(bill, 40);
    FormUnderlay &underlay = bill->record().mUnderlay;
    underlay.Place = QRectF(0, 0, 11906, 16838);
    bill->refreshUnderlay();
    bill->setGridMm(5);
    bill->setZoom(zoom);
    PageView &view = bill->pageView();
    for (int step = 0; step < 10; ++step) {
        bill->VS().triggerAction(step % 3 ? QAbstractSlider::SliderSingleStepAdd
                                          : QAbstractSlider::SliderPageStepAdd);
        if (step % 4 == 0)
            bill->HS().triggerAction(QAbstractSlider::SliderSingleStepAdd);
        view.repaint();
    }
    const QRect shown = shownPart(bill);
    const QImage cached = view.grab(shown).toImage();
    view.clearCaches();
    QCOMPARE(view.grab(shown).toImage(), cached);
    const qint64 scanBytes = view.underlayPicture().sizeInBytes();
    QVERIFY2(view.underlayBytes() <= 2 * scanBytes,
             qPrintable(QStringLiteral("%1 bytes for a scan of %2")
                            .arg(view.underlayBytes())
                            .arg(scanBytes)));
}

QTEST_MAIN(TestDesignerUnderlay)
#include "tst_designerunderlay.moc"
