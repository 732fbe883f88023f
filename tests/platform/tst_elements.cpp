#include "platform/PageObserver.h"
#include "platform/PageSurface.h"
#include "platform/RuntimeError.h"

#include <QTest>

namespace {

struct RecordingObserver : PageObserver
{
    void pageAreaChanged(const QRectF &twips) override { areas.push_back(twips); }
    void pageGeometryChanged() override { ++geometryChanges; }
    std::vector<QRectF> areas;
    int geometryChanges = 0;
};

int errorNumberOf(const std::function<void()> &f)
{
    try {
        f();
    } catch (const RuntimeError &e) {
        return e.Number();
    }
    return 0;
}

} // namespace

class TestElements : public QObject
{
    Q_OBJECT

private slots:
    void designElementsSitAtTheirIndexes_data();
    void designElementsSitAtTheirIndexes();
    void loadCopiesTheDesignLookAndStartsHidden();
    void loadRules_data();
    void loadRules();
    void uboundFollowsTheHighestLoadedIndex();
    void zorderPutsTheElementOnTop();
    void xorRectDisappearsWhenDrawnTwice();
    void clsRemovesMarksAndBands();
    void changesReportOldAndNewArea();
    void hiddenElementsReportNothing();
    void heldHandleChangesReportOnce();
};

void TestElements::designElementsSitAtTheirIndexes_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("designIndex");
    QTest::newRow("ObjLine") << int(ElementKind::Line) << 0;
    QTest::newRow("ObjText") << int(ElementKind::Label) << 1000;
    QTest::newRow("ObjImg") << int(ElementKind::Image) << 2000;
    QTest::newRow("PicHD") << int(ElementKind::Handle) << 0;
}

void TestElements::designElementsSitAtTheirIndexes()
{
    QFETCH(int, kind);
    QFETCH(int, designIndex);
    PageSurface page;
    ElementArray &array = page.arrayOf(ElementKind(kind));
    QCOMPARE(array.UBound(), designIndex);
    QCOMPARE(array.LBound(), designIndex);
    QVERIFY(array.IsLoaded(designIndex));
    QVERIFY(!array(designIndex).Visible());
}

void TestElements::loadCopiesTheDesignLookAndStartsHidden()
{
    PageSurface page;
    Element &design = page.ObjText().designElement();
    ElementFont font;
    font.Name = QStringLiteral("黑体");
    font.Size = 12;
    design.setFont(font);
    design.setForeColor(Qt::red);
    design.setVisible(true);
    Element &text = page.ObjText().Load(1001);
    QCOMPARE(text.Caption(), QStringLiteral("文字"));
    QCOMPARE(text.Font(), font);
    QCOMPARE(text.ForeColor(), QColor(Qt::red));
    QVERIFY(!text.Visible());
    QCOMPARE(text.Index(), 1001);
    QCOMPARE(text.kind(), ElementKind::Label);
}

void TestElements::loadRules_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::addColumn<int>("error");
    QTest::newRow("twice") << 5 << 5 << int(RuntimeError::ElementAlreadyLoaded);
    QTest::newRow("design index") << 1 << 0 << int(RuntimeError::ElementAlreadyLoaded);
    QTest::newRow("beyond 32767") << 1 << 32768 << int(RuntimeError::SubscriptOutOfRange);
    QTest::newRow("negative") << 1 << -1 << int(RuntimeError::SubscriptOutOfRange);
    QTest::newRow("limit itself") << 1 << 32767 << 0;
}

void TestElements::loadRules()
{
    QFETCH(int, first);
    QFETCH(int, second);
    QFETCH(int, error);
    PageSurface page;
    page.PicHD().Load(first);
    QCOMPARE(errorNumberOf([&] { page.PicHD().Load(second); }), error);
}

void TestElements::uboundFollowsTheHighestLoadedIndex()
{
    PageSurface page;
    page.PicHD().Load(8);
    page.PicHD().Load(8001);
    QCOMPARE(page.PicHD().UBound(), 8001);
    QCOMPARE(errorNumberOf([&] { page.PicHD()(7); }), int(RuntimeError::ElementNotLoaded));
    QVERIFY(page.PicHD().find(7) == nullptr);
}

void TestElements::zorderPutsTheElementOnTop()
{
    PageSurface page;
    Element &a = page.ObjText().Load(1001);
    Element &b = page.ObjImg().Load(2001);
    QVERIFY(b.zOrder() > a.zOrder());
    a.ZOrder();
    QVERIFY(a.zOrder() > b.zOrder());
}

void TestElements::xorRectDisappearsWhenDrawnTwice()
{
    PageSurface page;
    const QRect band(10, 10, 40, 20);
    page.XorRect(band, true);
    QCOMPARE(page.bands().size(), std::size_t(1));
    page.XorRect(QRect(10, 10, 41, 20), true);
    QCOMPARE(page.bands().size(), std::size_t(2));
    page.XorRect(band, true);
    QCOMPARE(page.bands().size(), std::size_t(1));
    QCOMPARE(page.bands().front().pixels, QRect(10, 10, 41, 20));
}

void TestElements::clsRemovesMarksAndBands()
{
    PageSurface page;
    page.Line(0, 0, 100, 100);
    page.XorRect(QRect(1, 1, 5, 5), true);
    page.Cls();
    QVERIFY(page.marks().empty());
    QVERIFY(page.bands().empty());
}

void TestElements::changesReportOldAndNewArea()
{
    PageSurface page;
    RecordingObserver observer;
    page.setObserver(&observer);
    Element &text = page.ObjText().Load(1001);
    text.Move(100, 100, 1000, 300);
    text.setVisible(true);
    observer.areas.clear();
    text.Move(5000, 2000);
    QCOMPARE(observer.areas.size(), std::size_t(1));
    const QRectF area = observer.areas.front();
    QVERIFY(area.contains(QRectF(100, 100, 1000, 300)));
    QVERIFY(area.contains(QRectF(5000, 2000, 1000, 300)));
    page.setWidth(9000);
    QCOMPARE(observer.geometryChanges, 1);
}

void TestElements::hiddenElementsReportNothing()
{
    PageSurface page;
    RecordingObserver observer;
    page.setObserver(&observer);
    Element &line = page.ObjLine().Load(1);
    line.setLine(0, 0, 500, 500);
    QVERIFY(observer.areas.empty());
    line.setVisible(true);
    QCOMPARE(observer.areas.size(), std::size_t(1));
}

// Held changes of handles come as one area, at the outermost release;
// other elements report as they change.
void TestElements::heldHandleChangesReportOnce()
{
    PageSurface page;
    RecordingObserver observer;
    page.setObserver(&observer);
    Element &first = page.PicHD().Load(1);
    Element &second = page.PicHD().Load(2);
    Element &line = page.ObjLine().Load(1);
    for (Element *e : {&first, &second, &line})
        e->setVisible(true);
    // Zoomed out, a handle's picture reaches past its box on every side.
    page.setViewTwipsPerPixel(60, 60);
    QImage picture(7, 7, QImage::Format_ARGB32);
    picture.fill(Qt::black);
    first.setPicture(picture);
    second.setPicture(picture);
    second.Move(6000, 5000);
    // Where the picture lands: its pixels from the box's corner.
    const auto pictureAt = [](const Element &e) { return QRectF(e.Left(), e.Top(), 7 * 60, 7 * 60); };
    const QRectF firstBefore = pictureAt(first), secondBefore = pictureAt(second);
    observer.areas.clear();
    page.holdHandleChanges();
    page.holdHandleChanges();
    first.Move(100, 100);
    second.Move(3000, 2000);
    line.setLine(0, 0, 500, 500);
    QCOMPARE(observer.areas.size(), std::size_t(1));
    page.releaseHandleChanges();
    QCOMPARE(observer.areas.size(), std::size_t(1));
    page.releaseHandleChanges();
    QCOMPARE(observer.areas.size(), std::size_t(2));
    const QRectF held = observer.areas.back();
    for (const QRectF &painted :
         {firstBefore, secondBefore, pictureAt(first), pictureAt(second)})
        QVERIFY(held.contains(painted));
    page.releaseHandleChanges();
    QCOMPARE(observer.areas.size(), std::size_t(2));
    page.holdHandleChanges();
    first.Move(200, 200);
    QCOMPARE(observer.areas.size(), std::size_t(2));
    page.releaseHandleChanges();
    QCOMPARE(observer.areas.size(), std::size_t(3));
}

QTEST_GUILESS_MAIN(TestElements)
#include "tst_elements.moc"
