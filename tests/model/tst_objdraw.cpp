#include "ModelFixtures.h"

#include "model/HandlePosition.h"
#include "model/MouseButton.h"
#include "model/ObjHds.h"
#include "model/ShiftState.h"

#include "platform/PageSurface.h"
#include "platform/PointerShape.h"
#include "platform/RuntimeError.h"
#include "platform/Screen.h"

#include <QTest>

#include <algorithm>
#include <functional>

class TestObjDraw : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void flagSideEffects_data();
    void flagSideEffects();
    void gestureMarksSavedObjectChanged_data();
    void gestureMarksSavedObjectChanged();
    void currentSelectsAndLockedHandlesKeepState();
    void currentHandlesComeToFront();
    void handlesShowOnlyWithVisibleElement();
    void textBorderIsSelectionCue_data();
    void textBorderIsSelectionCue();
    void drawingTextEitherWayGivesSameBox();
    void drawnTextLoadsKeyedHandles();
    void drawnLineHandlesSitOnItsEnds();
    void selectionBandLagsOneMove();
    void drawingBeyondIdRangeLoadsNothing_data();
    void drawingBeyondIdRangeLoadsNothing();
    void lastIdOfRangeCanBeDrawn();
    void lineDragKeepsDirection();
    void dragLimits_data();
    void dragLimits();
    void sizingBoxStopsAtLastNonEmptySize();
    void sizingIgnoresOtherButtons();
    void lineSizeWithoutMoveKeepsLine();
    void lineSizeMovesTheEndUnderTheHandle_data();
    void lineSizeMovesTheEndUnderTheHandle();
    void checkPointMargins_data();
    void checkPointMargins();
    void checkRangeBands_data();
    void checkRangeBands();
    void hiddenObjectIsNeverHit();
    void codeShowsOnTheTextsElement();
    void codesKeepTheSystemsNumbers_data();
    void codesKeepTheSystemsNumbers();
};

void TestObjDraw::initTestCase()
{
    Screen::setTwipsPerPixel(15, 15);
}

void TestObjDraw::flagSideEffects_data()
{
    using Setter = std::function<void(ObjDraw &, bool)>;
    QTest::addColumn<Setter>("setter");
    QTest::addColumn<bool>("value");
    QTest::addColumn<bool>("isScroll");
    QTest::addColumn<bool>("sumed");
    QTest::addColumn<bool>("sumedPage");

    // Every row starts from IsScroll, Sumed and SumedPage all True.
    const Setter isFix = &ObjDraw::setIsFix;
    const Setter isScroll = &ObjDraw::setIsScroll;
    const Setter sumed = &ObjDraw::setSumed;
    const Setter sumedPage = &ObjDraw::setSumedPage;
    QTest::newRow("isFixFalseClearsAll") << isFix << false << false << false << false;
    QTest::newRow("isFixTrueKeepsAll") << isFix << true << true << true << true;
    QTest::newRow("isScrollTrueClearsTotals") << isScroll << true << true << false << false;
    QTest::newRow("isScrollFalseKeepsTotals") << isScroll << false << false << true << true;
    // A page total needs the total it belongs to.
    QTest::newRow("sumedFalseClearsPage") << sumed << false << true << false << false;
    QTest::newRow("sumedPageAloneKeepsSumed") << sumedPage << false << true << true << false;
}

void TestObjDraw::flagSideEffects()
{
    QFETCH(std::function<void(ObjDraw &, bool)>, setter);
    QFETCH(bool, value);
    ObjDraw obj;
    obj.setIsScroll(true);
    obj.setSumed(true);
    obj.setSumedPage(true);
    QVERIFY(obj.IsScroll() && obj.Sumed() && obj.SumedPage());
    setter(obj, value);
    QTEST(obj.IsScroll(), "isScroll");
    QTEST(obj.Sumed(), "sumed");
    QTEST(obj.SumedPage(), "sumedPage");
}

void TestObjDraw::gestureMarksSavedObjectChanged_data()
{
    QTest::addColumn<bool>("sizing");
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("after");

    // Only a saved object becomes changed; a new or changed one stays as it is.
    QTest::newRow("dragNew") << false << int(ObjDraw::Created) << int(ObjDraw::Created);
    QTest::newRow("dragSaved") << false << int(ObjDraw::Saved) << int(ObjDraw::Changed);
    QTest::newRow("sizeNew") << true << int(ObjDraw::Created) << int(ObjDraw::Created);
    QTest::newRow("sizeSaved") << true << int(ObjDraw::Saved) << int(ObjDraw::Changed);
    QTest::newRow("sizeChanged") << true << int(ObjDraw::Changed) << int(ObjDraw::Changed);
}

void TestObjDraw::gestureMarksSavedObjectChanged()
{
    QFETCH(bool, sizing);
    QFETCH(int, before);
    ObjDraw obj;
    obj.setEditFlag(before);
    if (sizing)
        obj.setIsSizing(true);
    else
        obj.setIsDraging(true);
    QTEST(obj.EditFlag(), "after");
}

void TestObjDraw::currentSelectsAndLockedHandlesKeepState()
{
    ObjDraws objs;
    auto obj = addText(objs, 1000, 1000, 800, 300);
    obj->setLocked(true);
    QVERIFY(!obj->IsActive());

    obj->setIsCurrent(true);
    QVERIFY(obj->IsActive());
    QCOMPARE(obj->Handls()->Count(), HandlePosition::Count);
    for (ObjHd &hd : *obj->Handls()) {
        QCOMPARE(hd.nState(), int(ObjHd::LockedCurrent));
        QVERIFY(hd.ObjCtl()->Visible());
        QCOMPARE(hd.ObjCtl()->Picture().pixelColor(3, 3), QColor(64, 0, 0));
    }

    obj->setIsActive(false);
    QVERIFY(!obj->IsCurrent());
    for (ObjHd &hd : *obj->Handls()) {
        QCOMPARE(hd.nState(), int(ObjHd::LockedCurrent));
        QVERIFY(!hd.ObjCtl()->Visible());
    }
}

void TestObjDraw::currentHandlesComeToFront()
{
    ObjDraws objs;
    auto older = addText(objs, 1000, 1000, 800, 300);
    auto newer = addText(objs, 1200, 1100, 800, 300);
    // The newer label and its handles lie above the older object's handles.
    newer->ObjCtl()->ZOrder();
    older->setIsCurrent(true);
    quint64 highestOther = 0;
    auto noteHighest = [&](const Element &e) { highestOther = std::max(highestOther, e.zOrder()); };
    objs.page().ObjText().forEach(noteHighest);
    for (ObjHd &hd : *newer->Handls())
        noteHighest(*hd.ObjCtl());
    for (ObjHd &hd : *older->Handls())
        QVERIFY(hd.ObjCtl()->zOrder() > highestOther);
}

void TestObjDraw::handlesShowOnlyWithVisibleElement()
{
    ObjDraws objs;
    auto obj = addText(objs, 1000, 1000, 800, 300);
    obj->ObjCtl()->setVisible(false);
    obj->setIsActive(true);
    for (ObjHd &hd : *obj->Handls())
        QVERIFY(!hd.ObjCtl()->Visible());

    obj->ObjCtl()->setVisible(true);
    obj->setIsActive(true);
    for (ObjHd &hd : *obj->Handls())
        QVERIFY(hd.ObjCtl()->Visible());
}

void TestObjDraw::textBorderIsSelectionCue_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("selected");
    QTest::addColumn<int>("border");

    // A label without visible text keeps its border, or it could not be
    // seen on the page; a selected label always shows it.
    QTest::newRow("blankDeselected") << "   " << false << int(Element::FixedSingle);
    QTest::newRow("emptyDeselected") << "" << false << int(Element::FixedSingle);
    QTest::newRow("textDeselected") << " 合计 " << false << int(Element::NoBorder);
    QTest::newRow("textSelected") << "合计" << true << int(Element::FixedSingle);
}

void TestObjDraw::textBorderIsSelectionCue()
{
    QFETCH(QString, caption);
    QFETCH(bool, selected);
    ObjDraws objs;
    auto obj = addText(objs, 0, 0, 800, 300);
    obj->ObjCtl()->setCaption(caption);
    obj->setIsActive(true);
    obj->setIsActive(selected);
    QTEST(obj->ObjCtl()->BorderStyle(), "border");
}

void TestObjDraw::drawingTextEitherWayGivesSameBox()
{
    PageSurface page;
    ObjDraw forward(&page);
    forward.setEType(ObjDraw::Text);
    forward.OnStartDraw(MouseButton::Left, ShiftState::None, 1000, 500);
    forward.OnDrawing(MouseButton::Left, ShiftState::None, 1600, 800);
    forward.OnEndDraw(MouseButton::Left, ShiftState::None, 1600, 800);

    ObjDraw backward(&page);
    backward.setEType(ObjDraw::Text);
    backward.OnStartDraw(MouseButton::Left, ShiftState::None, 1600, 800);
    backward.OnDrawing(MouseButton::Left, ShiftState::None, 1000, 500);
    backward.OnEndDraw(MouseButton::Left, ShiftState::None, 1000, 500);

    QCOMPARE(boxOf(forward), QRectF(1000, 500, 600, 300));
    QCOMPARE(boxOf(backward), boxOf(forward));
    QVERIFY(!backward.IsDrawing());
    QVERIFY(backward.IsActive());
    QVERIFY(backward.ObjCtl()->Visible());
}

void TestObjDraw::drawnTextLoadsKeyedHandles()
{
    PageSurface page;
    page.ObjText().Load(1001);
    page.ObjText().Load(1002);
    ObjDraw obj(&page);
    obj.setEType(ObjDraw::Text);
    obj.OnStartDraw(MouseButton::Left, ShiftState::None, 100, 100);
    obj.OnDrawing(MouseButton::Left, ShiftState::None, 900, 400);
    obj.OnEndDraw(MouseButton::Left, ShiftState::None, 900, 400);

    QCOMPARE(obj.nID(), 1003);
    QCOMPARE(obj.ObjCtl()->BorderStyle(), int(Element::FixedSingle));
    ObjHds &hds = *obj.Handls();
    QCOMPARE(hds.Count(), HandlePosition::Count);
    for (int k = 0; k < HandlePosition::Count; ++k) {
        ObjHd &hd = hds.Item(QStringLiteral("1003%1").arg(k));
        QCOMPARE(hd.HdID(), k);
        // Object n owns the handle elements 8n-7 .. 8n.
        QCOMPARE(hd.ObjCtl(), &page.PicHD()(8 * 1003 - 7 + k));
        QCOMPARE(hd.ObjCtl()->Tag(), QString::number(k + 1));
        QVERIFY(hd.ObjCtl()->Visible());
    }
    QCOMPARE(hds.Item(HandlePosition::TopMiddle).ObjCtl()->MousePointer(),
             int(PointerShape::SizeNS));
}

void TestObjDraw::drawnLineHandlesSitOnItsEnds()
{
    PageSurface page;
    ObjDraw obj(&page);
    obj.setEType(ObjDraw::Line);
    obj.OnStartDraw(MouseButton::Left, ShiftState::None, 1000, 1000);
    obj.OnDrawing(MouseButton::Left, ShiftState::None, 700, 900);
    QCOMPARE(page.marks().size(), std::size_t(1));
    QVERIFY(!obj.ObjCtl()->Visible());
    obj.OnEndDraw(MouseButton::Left, ShiftState::None, 500, 800);

    QVERIFY(page.marks().empty());
    QCOMPARE(obj.nID(), 1);
    QCOMPARE(lineOf(obj), QLineF(1000, 1000, 500, 800));
    ObjHds &hds = *obj.Handls();
    // A line sizes through HdID 0 (first end) and 1 (second end), held by the
    // top-left and bottom-right handles; the unused top-middle handle gives
    // up id 1 and takes 5.
    ObjHd &start = hds.Item(HandlePosition::TopLeft);
    ObjHd &end = hds.Item(HandlePosition::BottomRight);
    QCOMPARE(start.HdID(), 0);
    QCOMPARE(end.HdID(), 1);
    QCOMPARE(hds.Item(HandlePosition::TopMiddle).HdID(), 5);
    // Handle half size 37, half pixel 8.
    QCOMPARE(start.ObjCtl()->Left(), 1000 - 37 + 8);
    QCOMPARE(start.ObjCtl()->Top(), 1000 - 37 + 8);
    QCOMPARE(end.ObjCtl()->Left(), 500 - 37 - 8);
    QCOMPARE(end.ObjCtl()->Top(), 800 - 37 - 8);
    for (int position = 1; position <= HandlePosition::Count; ++position)
        QCOMPARE(hds.Item(position).ObjCtl()->Visible(),
                 position == HandlePosition::TopLeft || position == HandlePosition::BottomRight);
}

void TestObjDraw::selectionBandLagsOneMove()
{
    PageSurface page;
    ObjDraw band(&page);
    band.OnStartDraw(MouseButton::Left, ShiftState::None, 150, 150);
    QCOMPARE(page.bands().size(), std::size_t(1));
    QVERIFY(page.bands().front().dashed);

    band.OnDrawing(MouseButton::Left, ShiftState::None, 300, 450);
    QCOMPARE(page.bands().size(), std::size_t(1));
    QCOMPARE(page.bands().front().pixels, QRect(10, 10, 0, 0));

    band.OnDrawing(MouseButton::Left, ShiftState::None, 600, 600);
    QCOMPARE(page.bands().size(), std::size_t(1));
    QCOMPARE(page.bands().front().pixels, QRect(10, 10, 10, 20));
    band.OnEndDraw(MouseButton::Left, ShiftState::None, 600, 600);
    QVERIFY(!band.IsDrawing());
    QVERIFY(!band.ObjCtl());
}

void TestObjDraw::drawingBeyondIdRangeLoadsNothing_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("lastLoaded");

    QTest::newRow("line1001") << int(ObjDraw::Line) << 1000;
    QTest::newRow("text2001") << int(ObjDraw::Text) << 2000;
    QTest::newRow("picture4096") << int(ObjDraw::Picture) << 4095;
}

void TestObjDraw::drawingBeyondIdRangeLoadsNothing()
{
    QFETCH(int, kind);
    QFETCH(int, lastLoaded);
    PageSurface page;
    ElementArray &array = kind == ObjDraw::Line ? page.ObjLine()
                          : kind == ObjDraw::Text ? page.ObjText()
                                                  : page.ObjImg();
    for (int index = array.UBound() + 1; index <= lastLoaded; ++index)
        array.Load(index);
    const std::size_t handles = page.PicHD().size();

    ObjDraw obj(&page);
    obj.setEType(kind);
    try {
        obj.OnStartDraw(MouseButton::Left, ShiftState::None, 100, 100);
        QFAIL("drawing past the id range was accepted");
    } catch (const RuntimeError &e) {
        QCOMPARE(e.Number(), int(RuntimeError::ObjectLimitReached));
        QCOMPARE(e.Description(), QStringLiteral("对象数量已超出上限！"));
    }
    QCOMPARE(array.UBound(), lastLoaded);
    QCOMPARE(page.PicHD().size(), handles);
    QVERIFY(!obj.IsDrawing());
    QVERIFY(!obj.ObjCtl());
}

void TestObjDraw::lastIdOfRangeCanBeDrawn()
{
    PageSurface page;
    for (int index = 1001; index <= 1999; ++index)
        page.ObjText().Load(index);
    ObjDraw obj(&page);
    obj.setEType(ObjDraw::Text);
    obj.OnStartDraw(MouseButton::Left, ShiftState::None, 100, 100);
    obj.OnDrawing(MouseButton::Left, ShiftState::None, 500, 500);
    obj.OnEndDraw(MouseButton::Left, ShiftState::None, 500, 500);
    QCOMPARE(obj.nID(), 2000);
}

void TestObjDraw::lineDragKeepsDirection()
{
    ObjDraws objs;
    auto line = addLine(objs, 1000, 1000, 500, 800);
    line->setIsActive(true);
    line->OnStartDrag(600, 600);
    QVERIFY(line->IsDraging());
    QCOMPARE(Screen::MousePointer(), int(PointerShape::SizeAll));
    QVERIFY(!line->Handls()->Item(HandlePosition::TopLeft).ObjCtl()->Visible());
    line->OnDraging(650, 650, false, 0, 0);
    line->OnDraging(700, 700, false, 0, 0);
    QCOMPARE(lineOf(*line), QLineF(1100, 1100, 600, 900));
    line->OnEndDrag(700, 700);
    QVERIFY(!line->IsDraging());
    QCOMPARE(Screen::MousePointer(), int(PointerShape::Default));
    QVERIFY(line->Handls()->Item(HandlePosition::TopLeft).ObjCtl()->Visible());
    QCOMPARE(line->Handls()->Item(HandlePosition::TopLeft).ObjCtl()->Left(), 1100 - 37 + 8);
}

void TestObjDraw::dragLimits_data()
{
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("dx");
    QTest::addColumn<bool>("limited");
    QTest::addColumn<double>("limX");
    QTest::addColumn<double>("left");

    // The box starts at left 2000.
    QTest::newRow("pastRightLimit") << 3000.0 << 6000.0 << true << 10000.0 << 7000.0;
    QTest::newRow("zeroLimitIsNoLimit") << 3000.0 << 6000.0 << true << 0.0 << 8000.0;
    QTest::newRow("unlimited") << 3000.0 << 6000.0 << false << 10000.0 << 8000.0;
    QTest::newRow("pastLeftEdge") << 3000.0 << -2500.0 << true << 10000.0 << 0.0;
    QTest::newRow("widerThanPage") << 12000.0 << -2500.0 << true << 10000.0 << -2000.0;
}

void TestObjDraw::dragLimits()
{
    QFETCH(double, width);
    QFETCH(double, dx);
    QFETCH(bool, limited);
    QFETCH(double, limX);
    ObjDraws objs;
    auto box = addText(objs, 2000, 500, width, 300);
    box->OnStartDrag(2100, 600);
    box->OnDraging(2100 + dx, 600, limited, limX, 0);
    QTEST(box->ObjCtl()->Left(), "left");
    QCOMPARE(box->ObjCtl()->Width(), width);
    QCOMPARE(box->ObjCtl()->Top(), 500.0);
}

void TestObjDraw::sizingBoxStopsAtLastNonEmptySize()
{
    ObjDraws objs;
    auto box = addText(objs, 1000, 1000, 1000, 500);
    box->ObjCtl()->setAutoSize(true);
    box->setIsActive(true);
    ObjHd &topLeft = box->Handls()->Item(HandlePosition::TopLeft);
    topLeft.OnMouseDown(*box, MouseButton::Left, ShiftState::None, 3, 3);
    QVERIFY(box->IsSizing());
    QVERIFY(!box->ObjCtl()->AutoSize());
    QVERIFY(!topLeft.ObjCtl()->Visible());
    topLeft.OnMouseMove(*box, MouseButton::Left, ShiftState::None, 1500, 1200);
    QCOMPARE(boxOf(*box), QRectF(1500, 1200, 500, 300));
    topLeft.OnMouseMove(*box, MouseButton::Left, ShiftState::None, 2500, 2000);
    QCOMPARE(boxOf(*box), QRectF(1500, 1200, 500, 300));
    topLeft.OnMouseUp(*box, MouseButton::Left, ShiftState::None, 3, 3);
    QVERIFY(!box->IsSizing());
    QVERIFY(topLeft.ObjCtl()->Visible());
    QCOMPARE(topLeft.ObjCtl()->Left(), 1500 - 37 + 8);
}

void TestObjDraw::sizingIgnoresOtherButtons()
{
    ObjDraws objs;
    auto box = addText(objs, 1000, 1000, 1000, 500);
    box->OnStartSize(HandlePosition::hdIdOf(HandlePosition::BottomRight), MouseButton::Left,
                     ShiftState::None, 0, 0);
    box->OnSizing(MouseButton::Right, ShiftState::None, 3000, 3000);
    QCOMPARE(boxOf(*box), QRectF(1000, 1000, 1000, 500));
    box->OnEndSize(MouseButton::Right, ShiftState::None, 0, 0);
    QVERIFY(box->IsSizing());
}

void TestObjDraw::lineSizeWithoutMoveKeepsLine()
{
    ObjDraws objs;
    auto line = addLine(objs, 100, 100, 900, 500);
    // A hit test leaves its grown rectangle behind in the object's scratch.
    QVERIFY(line->CheckPoint(500, 300));
    // HdID 1 is the line's second end.
    line->OnStartSize(1, MouseButton::Left, ShiftState::None, 0, 0);
    line->OnEndSize(MouseButton::Left, ShiftState::None, 0, 0);
    QCOMPARE(lineOf(*line), QLineF(100, 100, 900, 500));
    QVERIFY(line->ObjCtl()->Visible());
    QVERIFY(!line->IsSizing());
}

void TestObjDraw::lineSizeMovesTheEndUnderTheHandle_data()
{
    QTest::addColumn<int>("hdID");
    QTest::addColumn<QLineF>("expected");

    // HdID 0 is the line's first end, 1 its second; the fixed end becomes
    // the line's first end.
    QTest::newRow("secondEnd") << 1 << QLineF(100, 100, 1200, 700);
    QTest::newRow("firstEnd") << 0 << QLineF(900, 500, 1200, 700);
}

void TestObjDraw::lineSizeMovesTheEndUnderTheHandle()
{
    QFETCH(int, hdID);
    ObjDraws objs;
    auto line = addLine(objs, 100, 100, 900, 500);
    line->OnStartSize(hdID, MouseButton::Left, ShiftState::None, 0, 0);
    line->OnSizing(MouseButton::Left, ShiftState::None, 1000, 600);
    line->OnSizing(MouseButton::Left, ShiftState::None, 1200, 700);
    QVERIFY(!line->ObjCtl()->Visible());
    QCOMPARE(objs.page().marks().size(), std::size_t(1));
    line->OnEndSize(MouseButton::Left, ShiftState::None, 0, 0);
    QTEST(lineOf(*line), "expected");
    QVERIFY(line->ObjCtl()->Visible());
    QVERIFY(objs.page().marks().empty());
}

void TestObjDraw::checkPointMargins_data()
{
    QTest::addColumn<double>("lineX");
    QTest::addColumn<QPointF>("point");
    QTest::addColumn<bool>("hit");

    // A vertical line from (lineX, 0) to (lineX, 2000).
    QTest::newRow("70right") << 1000.0 << QPointF(1070, 1000) << true;
    QTest::newRow("80right") << 1000.0 << QPointF(1080, 1000) << false;
    QTest::newRow("70left") << 1000.0 << QPointF(930, 1000) << true;
    QTest::newRow("80left") << 1000.0 << QPointF(920, 1000) << false;
    QTest::newRow("75right") << 1000.0 << QPointF(1075, 1000) << true;
    // The line's box is taken in whole twips, halves to even.
    QTest::newRow("halfTwipLineLeftEdge") << 1000.5 << QPointF(925, 1000) << true;
    QTest::newRow("halfTwipLineRightEdge") << 1000.5 << QPointF(1075.4, 1000) << false;
    QTest::newRow("halfTwipUpLineLeftEdge") << 1001.5 << QPointF(926.6, 1000) << false;
    QTest::newRow("halfTwipUpLineRightEdge") << 1001.5 << QPointF(1076.8, 1000) << true;
    QTest::newRow("belowLineEnd") << 1000.0 << QPointF(1000, 2070) << false;
}

void TestObjDraw::checkPointMargins()
{
    QFETCH(double, lineX);
    QFETCH(QPointF, point);
    ObjDraws objs;
    auto line = addLine(objs, lineX, 0, lineX, 2000);
    QTEST(line->CheckPoint(point.x(), point.y()), "hit");
}

void TestObjDraw::checkRangeBands_data()
{
    QTest::addColumn<bool>("line");
    QTest::addColumn<QRectF>("band");
    QTest::addColumn<bool>("hit");

    // The line runs from (0, 500) to (1000, 500); the box is (1000, 1000) 500 x 500.
    QTest::newRow("10ShortOfLine") << true << QRectF(QPointF(100, 0), QPointF(600, 490)) << true;
    QTest::newRow("30ShortOfLine") << true << QRectF(QPointF(100, 0), QPointF(600, 470)) << false;
    QTest::newRow("touchesBox") << false << QRectF(QPointF(0, 0), QPointF(1000, 1200)) << false;
    QTest::newRow("overlapsBox") << false << QRectF(QPointF(0, 0), QPointF(1001, 1200)) << true;
    QTest::newRow("partOfBox") << false << QRectF(QPointF(1400, 1400), QPointF(3000, 3000)) << true;
    QTest::newRow("zeroWidth") << false << QRectF(QPointF(1200, 0), QPointF(1200, 3000)) << false;
}

void TestObjDraw::checkRangeBands()
{
    QFETCH(bool, line);
    QFETCH(QRectF, band);
    ObjDraws objs;
    auto obj = line ? addLine(objs, 0, 500, 1000, 500) : addText(objs, 1000, 1000, 500, 500);
    QTEST(obj->CheckRange(band.left(), band.top(), band.right(), band.bottom()), "hit");
}

void TestObjDraw::hiddenObjectIsNeverHit()
{
    ObjDraws objs;
    auto box = addText(objs, 1000, 1000, 500, 500);
    box->ObjCtl()->setVisible(false);
    QVERIFY(!box->CheckPoint(1200, 1200));
    QVERIFY(!box->CheckRange(0, 0, 3000, 3000));
}

// Saved templates and the designer's events carry these numbers, so a name
// may never be renumbered.
void TestObjDraw::codesKeepTheSystemsNumbers_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("number");
    QTest::newRow("left button") << int(MouseButton::Left) << 1;
    QTest::newRow("right button") << int(MouseButton::Right) << 2;
    QTest::newRow("middle button") << int(MouseButton::Middle) << 4;
    QTest::newRow("shift") << int(ShiftState::Shift) << 1;
    QTest::newRow("ctrl") << int(ShiftState::Ctrl) << 2;
    QTest::newRow("alt") << int(ShiftState::Alt) << 4;
    QTest::newRow("top left") << int(HandlePosition::TopLeft) << 1;
    QTest::newRow("bottom right") << int(HandlePosition::BottomRight) << 5;
    QTest::newRow("left middle") << int(HandlePosition::LeftMiddle) << 8;
    QTest::newRow("selected") << int(ObjHd::Selected) << 0;
    QTest::newRow("current") << int(ObjHd::Current) << 1;
    QTest::newRow("locked selected") << int(ObjHd::LockedSelected) << -1;
    QTest::newRow("locked current") << int(ObjHd::LockedCurrent) << -2;
    QTest::newRow("selection band") << int(ObjDraw::SelectionBand) << 0;
    QTest::newRow("line") << int(ObjDraw::Line) << 1;
    QTest::newRow("text") << int(ObjDraw::Text) << 2;
    QTest::newRow("picture") << int(ObjDraw::Picture) << 3;
    QTest::newRow("created") << int(ObjDraw::Created) << 0;
    QTest::newRow("saved") << int(ObjDraw::Saved) << -1;
    QTest::newRow("changed") << int(ObjDraw::Changed) << 1;
    QTest::newRow("align left") << int(ObjDraws::AlignLeft) << 1;
    QTest::newRow("align horizontal centre") << int(ObjDraws::AlignHCenter) << 2;
    QTest::newRow("align right") << int(ObjDraws::AlignRight) << 3;
    QTest::newRow("align top") << int(ObjDraws::AlignTop) << 4;
    QTest::newRow("align vertical centre") << int(ObjDraws::AlignVCenter) << 5;
    QTest::newRow("align bottom") << int(ObjDraws::AlignBottom) << 6;
    QTest::newRow("same width") << int(ObjDraws::SameWidth) << 1;
    QTest::newRow("same height") << int(ObjDraws::SameHeight) << 2;
    QTest::newRow("same width and height") << int(ObjDraws::SameWidthAndHeight) << 3;
}

// The page paints the element, so the element carries the object's code
// and whether its caption names a bound value (a sample is shown).
void TestObjDraw::codeShowsOnTheTextsElement()
{
    ObjDraws objs;
    auto text = addText(objs, 100, 100, 3000, 800);
    auto line = addLine(objs, 100, 1000, 3000, 1000);
    BarcodeLook ean;
    ean.type = BarcodeLook::Ean13;
    ean.moduleWidth = 0.25;
    ean.showText = false;
    text->setBarcode(ean);
    line->setBarcode(ean);
    const Element &label = *text->ObjCtl();
    QVERIFY(label.Barcode() == ean);
    QVERIFY(!label.BarcodeSample());
    QVERIFY(!line->ObjCtl()->Barcode().isCode());
    text->setIsFix(false);
    QVERIFY(label.BarcodeSample());
    text->setIsFix(true);
    QVERIFY(!label.BarcodeSample());
    text->setBarcode(BarcodeLook());
    QVERIFY(!label.Barcode().isCode());
}

void TestObjDraw::codesKeepTheSystemsNumbers()
{
    QFETCH(int, code);
    QTEST(code, "number");
}

QTEST_GUILESS_MAIN(TestObjDraw)
#include "tst_objdraw.moc"
