#include "ModelFixtures.h"

#include "model/HandlePosition.h"
#include "model/MouseButton.h"
#include "model/ObjHds.h"
#include "model/ShiftState.h"

#include "platform/PageSurface.h"
#include "platform/PointerShape.h"
#include "platform/RuntimeError.h"
#include "platform/Screen.h"
#include "platform/Units.h"

#include <QTest>

#include <functional>

namespace {

int selectedCount(const ObjDraws &objs)
{
    int n = 0;
    for (const auto &obj : objs)
        n += obj->IsActive() ? 1 : 0;
    return n;
}

void selectAll(ObjDraws &objs)
{
    for (const auto &obj : objs)
        obj->setIsActive(true);
    objs.setNActCount(objs.Count());
}

} // namespace

class TestObjDraws : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void addCopiesAndSharesElementAndHandles();
    void addCopiesFlagsAndLockState_data();
    void addCopiesFlagsAndLockState();
    void addWithPresentKeyAddsNothing();
    void findByIdReadsTheKey_data();
    void findByIdReadsTheKey();
    void linkCtlLoadsHiddenHandlesUnselected();
    void chkPointOldestWins();
    void chkPointOnEmptySpace();
    void chkPointDeselectsEverything();
    void deselectSettlesUnselectedObjects();
    void chkRangeFirstTouchedIsCurrent();
    void chkRangeSelectsNothing();
    void chkRangeMarksLockedObject();
    void nCurIDMovesTheCurrentMark_data();
    void nCurIDMovesTheCurrentMark();
    void settingSameCurIdRemarksIt();
    void objActsIsTheSelection();
    void adjustPage();
    void adjustPageGrowsPage_data();
    void adjustPageGrowsPage();
    void calcExtentMeasuresAll();
    void activeAllSelectsOnlyShown_data();
    void activeAllSelectsOnlyShown();
    void activeAllWithNothingShown();
    void alignment_data();
    void alignment();
    void alignOneSelectedChangesNothing();
    void sameSize_data();
    void sameSize();
    void hiddenSelectedObjectIsLeftAlone_data();
    void hiddenSelectedObjectIsLeftAlone();
    void hiddenObjectDoesNotGrowThePage_data();
    void hiddenObjectDoesNotGrowThePage();
    void cloneIsACopy();
    void cloneOfLineAndPicture();
    void cloneOffPageIsBroughtBack();
    void cloneBeyondIdRangeLoadsNothing();
    void startMoveMoreCurrentLocked();
    void startMoveMoreOnUnselectedStartsNothing();
    void startMoveMoreOnLockedSelected();
    void groupMoveLeavesLockedObject();
    void nudgeMovesAsADragDoes_data();
    void nudgeMovesAsADragDoes();
    void nudgeMatchesTheGroupDrag();
    void handlesArePlacedForTheScreen_data();
    void handlesArePlacedForTheScreen();
};

void TestObjDraws::initTestCase()
{
    Screen::setTwipsPerPixel(15, 15);
}

void TestObjDraws::addCopiesAndSharesElementAndHandles()
{
    ObjDraws objs;
    ObjDraw source(&objs.page());
    source.setEType(ObjDraw::Text);
    source.OnStartDraw(MouseButton::Left, ShiftState::None, 100, 100);
    source.OnDrawing(MouseButton::Left, ShiftState::None, 600, 400);
    source.OnEndDraw(MouseButton::Left, ShiftState::None, 600, 400);
    source.setIsScroll(true);
    source.setFormat(QStringLiteral("0.00"));
    source.setBWidth(3);
    source.setEditFlag(ObjDraw::Saved);

    auto member = objs.Add(source, ObjDraw::KeyOf(source.nID()));
    QVERIFY(member.get() != &source);
    QCOMPARE(objs.Item(QStringLiteral("obj1001")).get(), member.get());
    QCOMPARE(member->ObjCtl(), source.ObjCtl());
    QCOMPARE(member->Handls().get(), source.Handls().get());
    QCOMPARE(member->nID(), 1001);
    QCOMPARE(member->eType(), int(ObjDraw::Text));
    QVERIFY(member->IsActive());
    QVERIFY(member->IsScroll());
    QCOMPARE(member->Format(), QStringLiteral("0.00"));
    QCOMPARE(member->BWidth(), 3);
    QCOMPARE(member->EditFlag(), int(ObjDraw::Saved));

    objs.setNCurID(1001);
    QVERIFY(member->IsCurrent());
    QCOMPARE(objs.nActCount(), 1);
    QCOMPARE(source.Handls()->Item(HandlePosition::TopLeft).nState(), int(ObjHd::Current));
}

void TestObjDraws::addCopiesFlagsAndLockState_data()
{
    QTest::addColumn<bool>("current");
    QTest::addColumn<int>("state");
    QTest::addColumn<QColor>("color");

    QTest::newRow("locked") << false << int(ObjHd::LockedSelected) << QColor(255, 0, 0);
    QTest::newRow("lockedCurrent") << true << int(ObjHd::LockedCurrent) << QColor(64, 0, 0);
}

void TestObjDraws::addCopiesFlagsAndLockState()
{
    QFETCH(bool, current);
    QFETCH(int, state);
    QFETCH(QColor, color);
    ObjDraws objs;
    ObjDraw source(&objs.page());
    source.setEType(ObjDraw::Text);
    source.OnStartDraw(MouseButton::Left, ShiftState::None, 100, 100);
    source.OnDrawing(MouseButton::Left, ShiftState::None, 600, 400);
    source.OnEndDraw(MouseButton::Left, ShiftState::None, 600, 400);
    source.setIsScroll(true);
    source.setSumed(true);
    source.setSumedPage(true);
    source.setLocked(true);
    source.setIsCurrent(current);
    // Only the member's lock setter can now bring the shared handles back.
    for (ObjHd &hd : *source.Handls())
        hd.setNState(ObjHd::Selected);

    auto member = objs.Add(source, ObjDraw::KeyOf(source.nID()));
    QVERIFY(member->IsScroll());
    QVERIFY(member->Sumed());
    QVERIFY(member->SumedPage());
    QVERIFY(member->Locked());
    QVERIFY(member->IsActive());
    QCOMPARE(member->IsCurrent(), current);
    for (ObjHd &hd : *member->Handls()) {
        QCOMPARE(hd.nState(), state);
        QCOMPARE(hd.ObjCtl()->Picture().pixelColor(3, 3), color);
        QCOMPARE(hd.ObjCtl()->MousePointer(), int(PointerShape::Default));
    }
}

void TestObjDraws::addWithPresentKeyAddsNothing()
{
    ObjDraws objs;
    auto first = addText(objs, 0, 0, 500, 300);
    ObjDraw other(&objs.page());
    other.setLocked(true);
    other.setHandls(first->Handls());
    try {
        objs.Add(other, QStringLiteral("OBJ1001"));
        QFAIL("duplicate key accepted");
    } catch (const RuntimeError &e) {
        QCOMPARE(e.Number(), int(RuntimeError::DuplicateKey));
    }
    QCOMPARE(objs.Count(), 1);
    QCOMPARE(first->Handls()->Item(HandlePosition::TopLeft).nState(), int(ObjHd::Selected));
}

void TestObjDraws::findByIdReadsTheKey_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("id");
    QTest::addColumn<bool>("found");
    QTest::newRow("its own key") << QStringLiteral("Obj7") << 7 << true;
    QTest::newRow("letter case") << QStringLiteral("OBJ7") << 7 << true;
    QTest::newRow("negative id") << QStringLiteral("Obj-7") << -7 << true;
    QTest::newRow("leading zero") << QStringLiteral("Obj007") << 7 << false;
    QTest::newRow("another key") << QStringLiteral("Box7") << 7 << false;
    QTest::newRow("no key") << QString() << 7 << false;
}

// Members come and go between lookups: each lookup sees the members now.
void TestObjDraws::findByIdReadsTheKey()
{
    QFETCH(QString, key);
    QFETCH(int, id);
    QFETCH(bool, found);
    ObjDraws objs;
    auto first = addText(objs, 0, 0, 500, 300);
    QCOMPARE(objs.findByID(id), nullptr);
    ObjDraw other(&objs.page());
    other.setHandls(first->Handls());
    const auto added = objs.Add(other, key);
    QCOMPARE(objs.findByID(id), found ? added.get() : nullptr);
    QCOMPARE(objs.findByID(first->nID()), first.get());
    // Clear leaves the last member.
    objs.Clear();
    QCOMPARE(objs.findByID(id), found ? added.get() : nullptr);
    QCOMPARE(objs.findByID(first->nID()), nullptr);
}

void TestObjDraws::linkCtlLoadsHiddenHandlesUnselected()
{
    ObjDraws objs;
    auto line = addLine(objs, 100, 200, 900, 200);
    QCOMPARE(objs.Item(1).get(), line.get());
    QVERIFY(!line->IsActive());
    QCOMPARE(line->EditFlag(), int(ObjDraw::Created));
    QCOMPARE(line->Handls()->Count(), HandlePosition::Count);
    // Keyed by the object's id and the handle's place 0..7: place 5 of object
    // 1 is element 8 * 1 - 7 + 5.
    QCOMPARE(line->Handls()->Item(QStringLiteral("15")).ObjCtl(), &objs.page().PicHD()(6));
    for (ObjHd &hd : *line->Handls())
        QVERIFY(!hd.ObjCtl()->Visible());
    // The bottom-right handle holds the line's second end.
    QCOMPARE(line->Handls()->Item(HandlePosition::BottomRight).HdID(), 1);
}

void TestObjDraws::chkPointOldestWins()
{
    ObjDraws objs;
    auto older = addText(objs, 1000, 1000, 1000, 1000);
    auto newer = addText(objs, 1500, 1500, 1000, 1000);
    std::shared_ptr<ObjDraw> hit;
    QVERIFY(objs.ChkPoint(1700, 1700, hit));
    QCOMPARE(hit.get(), older.get());
    QVERIFY(older->IsCurrent());
    QVERIFY(!newer->IsActive());
    QCOMPARE(objs.nCurID(), older->nID());
    QCOMPARE(objs.nActCount(), 1);
}

void TestObjDraws::chkPointOnEmptySpace()
{
    ObjDraws objs;
    auto box = addText(objs, 1000, 1000, 1000, 1000);
    box->setIsActive(true);
    objs.setNCurID(box->nID());
    std::shared_ptr<ObjDraw> hit = box;
    QVERIFY(!objs.ChkPoint(5000, 5000, hit));
    QVERIFY(!hit);
    QVERIFY(!box->IsActive());
    QCOMPARE(objs.nCurID(), 0);
    QCOMPARE(objs.nActCount(), 0);
}

void TestObjDraws::chkPointDeselectsEverything()
{
    ObjDraws objs;
    auto a = addText(objs, 0, 0, 500, 300);
    auto b = addText(objs, 1000, 0, 500, 300);
    auto c = addText(objs, 2000, 0, 500, 300);
    selectAll(objs);
    objs.setNCurID(c->nID());
    // A caption changed while selected gets its border settled too.
    b->ObjCtl()->setCaption(QStringLiteral("合计"));
    std::shared_ptr<ObjDraw> hit;
    QVERIFY(objs.ChkPoint(100, 100, hit));
    QCOMPARE(hit.get(), a.get());
    QCOMPARE(selectedCount(objs), 1);
    QVERIFY(!c->IsCurrent());
    QCOMPARE(b->ObjCtl()->BorderStyle(), int(Element::NoBorder));
    for (ObjHd &hd : *c->Handls())
        QVERIFY(!hd.ObjCtl()->Visible());
    for (ObjHd &hd : *a->Handls())
        QCOMPARE(hd.nState(), int(ObjHd::Current));
}

void TestObjDraws::deselectSettlesUnselectedObjects()
{
    // A template loads its labels with whatever border they were saved with.
    ObjDraws objs;
    auto saved = addText(objs, 0, 0, 500, 300);
    saved->ObjCtl()->setCaption(QStringLiteral("合计"));
    saved->ObjCtl()->setBorderStyle(Element::FixedSingle);
    auto blank = addText(objs, 1000, 0, 500, 300);
    blank->ObjCtl()->setCaption(QString());
    blank->ObjCtl()->setBorderStyle(Element::NoBorder);
    // A drag ended on an unselected object shows its handles.
    auto dragged = addText(objs, 2000, 0, 500, 300);
    dragged->OnStartDrag(2100, 100);
    dragged->OnEndDrag(2100, 100);
    QVERIFY(dragged->Handls()->Item(HandlePosition::TopLeft).ObjCtl()->Visible());
    std::shared_ptr<ObjDraw> hit;
    QVERIFY(!objs.ChkPoint(5000, 5000, hit));
    // A label with text shows no border once deselected; a blank one keeps a
    // border so that it can still be seen.
    QCOMPARE(saved->ObjCtl()->BorderStyle(), int(Element::NoBorder));
    QCOMPARE(blank->ObjCtl()->BorderStyle(), int(Element::FixedSingle));
    for (ObjHd &hd : *dragged->Handls())
        QVERIFY(!hd.ObjCtl()->Visible());
}

void TestObjDraws::chkRangeFirstTouchedIsCurrent()
{
    ObjDraws objs;
    auto a = addText(objs, 0, 0, 500, 300);
    auto b = addLine(objs, 0, 1000, 2000, 1000);
    auto c = addText(objs, 3000, 0, 500, 300);
    auto outside = addText(objs, 9000, 9000, 500, 300);
    std::shared_ptr<ObjDraw> current;
    QVERIFY(objs.ChkRange(3200, 1010, 400, 200, current));
    QCOMPARE(current.get(), a.get());
    QCOMPARE(objs.nActCount(), 3);
    QCOMPARE(objs.nCurID(), a->nID());
    QVERIFY(a->IsCurrent() && b->IsActive() && c->IsActive());
    QVERIFY(!b->IsCurrent() && !outside->IsActive());
}

void TestObjDraws::chkRangeSelectsNothing()
{
    ObjDraws objs;
    addText(objs, 1000, 1000, 500, 300);
    std::shared_ptr<ObjDraw> current = std::make_shared<ObjDraw>();
    QVERIFY(!objs.ChkRange(0, 0, 1000, 1000, current));
    QVERIFY(!current);
    QCOMPARE(objs.nActCount(), 0);
    QCOMPARE(objs.nCurID(), 0);
}

void TestObjDraws::chkRangeMarksLockedObject()
{
    ObjDraws objs;
    auto a = addText(objs, 0, 0, 500, 300);
    auto locked = addText(objs, 1000, 0, 500, 300);
    locked->setLocked(true);
    // Picked alone before, its handles were left in the current-locked state.
    std::shared_ptr<ObjDraw> hit;
    QVERIFY(objs.ChkPoint(1100, 100, hit));
    objs.setNActCount(0);
    QCOMPARE(locked->Handls()->Item(HandlePosition::TopLeft).nState(), int(ObjHd::LockedCurrent));

    QVERIFY(objs.ChkRange(100, 100, 1200, 200, hit));
    QCOMPARE(hit.get(), a.get());
    QCOMPARE(objs.nActCount(), 2);
    QVERIFY(locked->IsActive() && !locked->IsCurrent());
    for (ObjHd &hd : *locked->Handls()) {
        QCOMPARE(hd.nState(), int(ObjHd::LockedSelected));
        QCOMPARE(hd.ObjCtl()->Picture().pixelColor(3, 3), QColor(255, 0, 0));
        QCOMPARE(hd.ObjCtl()->MousePointer(), int(PointerShape::Default));
        QVERIFY(hd.ObjCtl()->Visible());
    }
    for (ObjHd &hd : *a->Handls())
        QCOMPARE(hd.nState(), int(ObjHd::Current));
}

void TestObjDraws::nCurIDMovesTheCurrentMark_data()
{
    QTest::addColumn<bool>("firstLocked");
    QTest::addColumn<bool>("toSecond");
    QTest::addColumn<bool>("firstCurrent");
    QTest::addColumn<int>("firstState");

    // The first object is made current, then the second one or 0.
    QTest::newRow("toOther") << false << true << false << int(ObjHd::Selected);
    QTest::newRow("lockedToOther") << true << true << false << int(ObjHd::LockedSelected);
    // No object is current then, but the first keeps its mark.
    QTest::newRow("toZeroKeepsMark") << false << false << true << int(ObjHd::Current);
}

void TestObjDraws::nCurIDMovesTheCurrentMark()
{
    QFETCH(bool, firstLocked);
    QFETCH(bool, toSecond);
    ObjDraws objs;
    auto first = addText(objs, 0, 0, 500, 300);
    auto second = addText(objs, 1000, 0, 500, 300);
    first->setLocked(firstLocked);
    objs.setNCurID(first->nID());
    objs.setNCurID(toSecond ? second->nID() : 0);
    QTEST(first->IsCurrent(), "firstCurrent");
    QVERIFY(first->IsActive());
    for (ObjHd &hd : *first->Handls())
        QTEST(hd.nState(), "firstState");
    QCOMPARE(second->IsCurrent(), toSecond);
    QCOMPARE(objs.nCurID(), toSecond ? second->nID() : 0);
    if (toSecond) {
        for (ObjHd &hd : *second->Handls())
            QCOMPARE(hd.nState(), int(ObjHd::Current));
    }
}

void TestObjDraws::settingSameCurIdRemarksIt()
{
    ObjDraws objs;
    auto a = addText(objs, 0, 0, 500, 300);
    auto b = addText(objs, 1000, 0, 500, 300);
    objs.setNCurID(a->nID());
    b->setIsCurrent(true);
    a->setIsCurrent(false);
    objs.setNCurID(a->nID());
    QVERIFY(a->IsCurrent());
    QVERIFY(b->IsCurrent());
}

void TestObjDraws::objActsIsTheSelection()
{
    ObjDraws objs;
    auto a = addText(objs, 0, 0, 500, 300);
    auto b = addText(objs, 1000, 0, 500, 300);
    auto c = addText(objs, 2000, 0, 500, 300);
    QCOMPARE(objs.ObjActs().Count(), 0);
    std::shared_ptr<ObjDraw> current;
    objs.ChkRange(2100, 0, 100, 100, current);
    const ObjActs acts = objs.ObjActs();
    QCOMPARE(acts.Count(), 3);
    QCOMPARE(acts.Item(1).get(), a.get());
    QCOMPARE(acts.Item(3).get(), c.get());
    b->setIsActive(false);
    QCOMPARE(objs.ObjActs().Item(2).get(), c.get());
}

void TestObjDraws::adjustPage()
{
    ObjDraws objs;
    objs.page().setWidth(5000);
    objs.page().setHeight(3000);
    auto line = addLine(objs, -100, 50, 200, -30);
    auto text = addText(objs, -50, 200, 700, 300);
    auto wide = addText(objs, 5500, 100, 700, 300);
    objs.AdjustPage();
    QCOMPARE(lineOf(*line), QLineF(0, 80, 300, 0));
    QCOMPARE(boxOf(*text), QRectF(0, 200, 700, 300));
    QCOMPARE(objs.page().Width(), 6200.0);
    QCOMPARE(objs.page().Height(), 3000.0);
    QCOMPARE(text->Handls()->Item(HandlePosition::TopLeft).ObjCtl()->Left(), 0 - 37 + 8);
    QVERIFY(wide->ObjCtl()->Visible());
}

void TestObjDraws::adjustPageGrowsPage_data()
{
    QTest::addColumn<QRectF>("box");
    QTest::addColumn<QSizeF>("page");

    // The page starts 5000 x 3000.
    QTest::newRow("wider") << QRectF(5500, 100, 700, 300) << QSizeF(6200, 3000);
    QTest::newRow("lower") << QRectF(100, 2900, 700, 1200) << QSizeF(5000, 4100);
    QTest::newRow("both") << QRectF(4800, 2900, 700, 300) << QSizeF(5500, 3200);
    QTest::newRow("insideNeverShrinks") << QRectF(100, 100, 700, 300) << QSizeF(5000, 3000);
}

void TestObjDraws::adjustPageGrowsPage()
{
    QFETCH(QRectF, box);
    ObjDraws objs;
    objs.page().setWidth(5000);
    objs.page().setHeight(3000);
    addText(objs, box.left(), box.top(), box.width(), box.height());
    objs.AdjustPage();
    QTEST(QSizeF(objs.page().Width(), objs.page().Height()), "page");
}

void TestObjDraws::calcExtentMeasuresAll()
{
    ObjDraws objs;
    auto a = addText(objs, 1000, 0, 2000, 300);
    auto b = addText(objs, 4200, 0, 1000, 300);
    auto c = addLine(objs, 4100, 500, 3000, 500);
    b->ObjCtl()->setVisible(false);
    a->setIsActive(true);
    objs.setNActCount(1);
    double start = 0, end = 0, total = 0;
    objs.CalcExtent(start, end, total, false, false);
    QCOMPARE(start, 1000.0);
    QCOMPARE(end, 5200.0);
    QCOMPARE(total, 4100.0);
    double vStart = 0, vEnd = 0, vTotal = 0;
    objs.CalcExtent(vStart, vEnd, vTotal, true, true);
    // Only the selected box is measured; the unselected line below it is not.
    QCOMPARE(vEnd, 300.0);
    QCOMPARE(vTotal, 300.0);
    Q_UNUSED(c);
}

void TestObjDraws::activeAllSelectsOnlyShown_data()
{
    QTest::addColumn<bool>("deletedWasSelected");

    QTest::newRow("deletedUnselected") << false;
    QTest::newRow("deletedStillSelected") << true;
}

void TestObjDraws::activeAllSelectsOnlyShown()
{
    QFETCH(bool, deletedWasSelected);
    ObjDraws objs;
    auto a = addText(objs, 0, 0, 500, 300);
    auto b = addText(objs, 1000, 0, 500, 300);
    auto deleted = addText(objs, 2000, 0, 500, 300);
    deleted->ObjCtl()->setVisible(false);
    deleted->setIsActive(deletedWasSelected);
    objs.setNCurID(a->nID());
    objs.ActiveAll();
    QCOMPARE(objs.nActCount(), 2);
    QCOMPARE(objs.nCurID(), b->nID());
    QVERIFY(b->IsCurrent());
    QVERIFY(a->IsActive() && !a->IsCurrent());
    QVERIFY(!deleted->IsActive());
    QCOMPARE(selectedCount(objs), objs.nActCount());
    for (ObjHd &hd : *a->Handls())
        QCOMPARE(hd.nState(), int(ObjHd::Selected));
}

void TestObjDraws::activeAllWithNothingShown()
{
    ObjDraws objs;
    objs.ActiveAll();
    QCOMPARE(objs.nActCount(), 0);
    auto deleted = addText(objs, 0, 0, 500, 300);
    deleted->ObjCtl()->setVisible(false);
    objs.ActiveAll();
    QCOMPARE(objs.nActCount(), 0);
    QCOMPARE(objs.nCurID(), 0);
    QVERIFY(!deleted->IsActive());
}

namespace {

// Align and same-size tables give a line by its ends and a box as
// (left, top)-(width, height).
std::shared_ptr<ObjDraw> addSpan(ObjDraws &objs, bool line, const QLineF &span)
{
    return line ? addLine(objs, span.x1(), span.y1(), span.x2(), span.y2())
                : addText(objs, span.x1(), span.y1(), span.x2(), span.y2());
}

QLineF spanOf(const ObjDraw &obj, bool line)
{
    if (line)
        return lineOf(obj);
    const QRectF box = boxOf(obj);
    return QLineF(box.topLeft(), QPointF(box.width(), box.height()));
}

} // namespace

void TestObjDraws::alignment_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("line");
    QTest::addColumn<QLineF>("before");
    QTest::addColumn<QLineF>("after");

    // The current box spans (1000, 2000)-(1500, 2400); a box object is
    // given as (left, top, width, height). A line keeps its direction.
    const int left = ObjDraws::AlignLeft;
    const int centre = ObjDraws::AlignHCenter;
    const int right = ObjDraws::AlignRight;
    const int top = ObjDraws::AlignTop;
    const int middle = ObjDraws::AlignVCenter;
    const int bottom = ObjDraws::AlignBottom;
    QTest::newRow("rightLine") << right << true << QLineF(100, 50, 400, 50)
                               << QLineF(1200, 50, 1500, 50);
    QTest::newRow("rightLineReversed") << right << true << QLineF(400, 50, 100, 50)
                                       << QLineF(1500, 50, 1200, 50);
    QTest::newRow("leftLineReversed") << left << true << QLineF(400, 50, 100, 80)
                                      << QLineF(1300, 50, 1000, 80);
    QTest::newRow("centreLine") << centre << true << QLineF(0, 0, 200, 0)
                                << QLineF(1150, 0, 1350, 0);
    QTest::newRow("topLineUpward") << top << true << QLineF(0, 900, 0, 600)
                                   << QLineF(0, 2300, 0, 2000);
    QTest::newRow("middleLine") << middle << true << QLineF(0, 0, 0, 100)
                                << QLineF(0, 2150, 0, 2250);
    QTest::newRow("bottomLine") << bottom << true << QLineF(0, 0, 0, 100)
                                << QLineF(0, 2300, 0, 2400);
    QTest::newRow("leftBox") << left << false << QLineF(300, 50, 200, 100)
                             << QLineF(1000, 50, 200, 100);
    QTest::newRow("centreBox") << centre << false << QLineF(0, 50, 300, 100)
                               << QLineF(1100, 50, 300, 100);
    QTest::newRow("rightBox") << right << false << QLineF(0, 50, 300, 100)
                              << QLineF(1200, 50, 300, 100);
    QTest::newRow("topBox") << top << false << QLineF(0, 50, 300, 100) << QLineF(0, 2000, 300, 100);
    QTest::newRow("middleBox") << middle << false << QLineF(0, 50, 300, 100)
                               << QLineF(0, 2150, 300, 100);
    QTest::newRow("bottomBox") << bottom << false << QLineF(0, 50, 300, 100)
                               << QLineF(0, 2300, 300, 100);
    // 9 is no alignment code.
    QTest::newRow("unknownCode") << 9 << false << QLineF(0, 50, 300, 100)
                                 << QLineF(0, 50, 300, 100);
}

void TestObjDraws::alignment()
{
    QFETCH(int, code);
    QFETCH(bool, line);
    QFETCH(QLineF, before);
    QFETCH(QLineF, after);
    ObjDraws objs;
    auto obj = addSpan(objs, line, before);
    auto current = addText(objs, 1000, 2000, 500, 400);
    selectAll(objs);
    objs.setNCurID(current->nID());
    objs.AlginToCur(code);
    const QLineF result = spanOf(*obj, line);
    QCOMPARE(result, after);
    QCOMPARE(boxOf(*current), QRectF(1000, 2000, 500, 400));
    // Handles follow the object.
    const Element &first = *obj->Handls()->Item(HandlePosition::TopLeft).ObjCtl();
    QCOMPARE(QPointF(first.Left(), first.Top()), after.p1() - QPointF(29, 29));
}

void TestObjDraws::alignOneSelectedChangesNothing()
{
    ObjDraws objs;
    objs.page().setWidth(5000);
    auto offPage = addText(objs, -300, 0, 500, 300);
    auto current = addText(objs, 1000, 0, 7000, 300);
    objs.setNCurID(current->nID());
    objs.AlginToCur(ObjDraws::AlignLeft);
    objs.MakeSameSize(ObjDraws::SameWidthAndHeight);
    QCOMPARE(boxOf(*offPage), QRectF(-300, 0, 500, 300));
    QCOMPARE(objs.page().Width(), 5000.0);
}

void TestObjDraws::sameSize_data()
{
    QTest::addColumn<int>("bits");
    QTest::addColumn<bool>("line");
    QTest::addColumn<QLineF>("before");
    QTest::addColumn<QLineF>("after");

    // The current object is a box 100 wide and 40 high. A line's box keeps
    // its top-left corner, and the line its direction.
    const int width = ObjDraws::SameWidth;
    const int height = ObjDraws::SameHeight;
    const int both = ObjDraws::SameWidthAndHeight;
    QTest::newRow("widthLineReversed") << width << true << QLineF(800, 0, 200, 0)
                                       << QLineF(300, 0, 200, 0);
    QTest::newRow("widthLine") << width << true << QLineF(200, 0, 800, 0) << QLineF(200, 0, 300, 0);
    QTest::newRow("bothLine") << both << true << QLineF(200, 900, 800, 500)
                              << QLineF(200, 540, 300, 500);
    QTest::newRow("heightBox") << height << false << QLineF(50, 50, 300, 200)
                               << QLineF(50, 50, 300, 40);
    QTest::newRow("bothBox") << both << false << QLineF(50, 50, 300, 200)
                             << QLineF(50, 50, 100, 40);
}

void TestObjDraws::sameSize()
{
    QFETCH(int, bits);
    QFETCH(bool, line);
    QFETCH(QLineF, before);
    ObjDraws objs;
    auto obj = addSpan(objs, line, before);
    auto current = addText(objs, 1000, 2000, 100, 40);
    selectAll(objs);
    objs.setNCurID(current->nID());
    objs.MakeSameSize(bits);
    const QLineF result = spanOf(*obj, line);
    QTEST(result, "after");
}

void TestObjDraws::hiddenSelectedObjectIsLeftAlone_data()
{
    using Operation = std::function<void(ObjDraws &)>;
    QTest::addColumn<Operation>("operation");
    QTest::addColumn<QRectF>("shownAfter");
    QTest::addColumn<int>("count");

    // The shown object starts at (300, 600) 200 x 100; the current one is
    // (1000, 2000) 500 x 400.
    QTest::newRow("align") << Operation([](ObjDraws &objs) {
        objs.AlginToCur(ObjDraws::AlignLeft);
    })
                           << QRectF(1000, 600, 200, 100) << 3;
    QTest::newRow("sameSize") << Operation([](ObjDraws &objs) {
        objs.MakeSameSize(ObjDraws::SameWidthAndHeight);
    })
                              << QRectF(300, 600, 500, 400) << 3;
    QTest::newRow("clone") << Operation([](ObjDraws &objs) { objs.CloneActObj(15); })
                           << QRectF(300, 600, 200, 100) << 5;
    QTest::newRow("groupMove") << Operation([](ObjDraws &objs) {
        std::shared_ptr<ObjDraw> hit;
        QVERIFY(objs.StartMoveMore(1100, 2100, hit));
        objs.MovingMore(1150, 2150, true, 0, 0);
        objs.MovingMore(1200, 2200, true, 0, 0);
        objs.EndMoveMore(1200, 2200);
    }) << QRectF(400, 700, 200, 100) << 3;
}

void TestObjDraws::hiddenSelectedObjectIsLeftAlone()
{
    QFETCH(std::function<void(ObjDraws &)>, operation);
    ObjDraws objs;
    auto deleted = addText(objs, 300, 300, 200, 100);
    auto shown = addText(objs, 300, 600, 200, 100);
    auto current = addText(objs, 1000, 2000, 500, 400);
    selectAll(objs);
    objs.setNCurID(current->nID());
    deleted->ObjCtl()->setVisible(false);
    operation(objs);
    QCOMPARE(boxOf(*deleted), QRectF(300, 300, 200, 100));
    QTEST(boxOf(*shown), "shownAfter");
    QTEST(objs.Count(), "count");
}

void TestObjDraws::hiddenObjectDoesNotGrowThePage_data()
{
    using Operation = std::function<void(ObjDraws &)>;
    QTest::addColumn<Operation>("operation");
    QTest::newRow("adjust page") << Operation([](ObjDraws &objs) { objs.AdjustPage(); });
    QTest::newRow("align") << Operation([](ObjDraws &objs) {
        objs.AlginToCur(ObjDraws::AlignTop);
    });
    QTest::newRow("same size") << Operation([](ObjDraws &objs) {
        objs.MakeSameSize(ObjDraws::SameWidthAndHeight);
    });
    QTest::newRow("clone") << Operation([](ObjDraws &objs) { objs.CloneActObj(15); });
}

// The page was sized past a deleted object; growing it again looks at
// what is shown only.
void TestObjDraws::hiddenObjectDoesNotGrowThePage()
{
    QFETCH(std::function<void(ObjDraws &)>, operation);
    ObjDraws objs;
    objs.page().setWidth(5000);
    objs.page().setHeight(3000);
    auto deleted = addText(objs, 6000, 4000, 700, 300);
    addText(objs, 300, 600, 200, 100);
    auto current = addText(objs, 1000, 2000, 500, 400);
    selectAll(objs);
    objs.setNCurID(current->nID());
    deleted->ObjCtl()->setVisible(false);
    operation(objs);
    QCOMPARE(QSizeF(objs.page().Width(), objs.page().Height()), QSizeF(5000, 3000));
}

void TestObjDraws::cloneIsACopy()
{
    ObjDraws objs;
    auto source = addText(objs, 1000, 500, 800, 300);
    Element &look = *source->ObjCtl();
    look.setCaption(QStringLiteral("[小计]金额"));
    look.setTag(QStringLiteral("JE"));
    look.setToolTipText(QStringLiteral("0.00"));
    look.setFont(ElementFont{QStringLiteral("黑体"), 12, true, false, true, false});
    look.setForeColor(Qt::red);
    look.setAlignment(Element::Center);
    look.setAutoSize(true);
    source->setIsFix(false);
    source->setDataType(3);
    // Scrolling first, then the totals: the dialog can leave all three set.
    source->setIsScroll(true);
    source->setSumed(true);
    source->setSumedPage(true);
    source->setFormat(QStringLiteral("0.00"));
    source->setPrinted(false);
    source->setClip(false);
    source->setBWidth(3);
    BarcodeLook qr;
    qr.type = BarcodeLook::QrCode;
    qr.qrLevel = BarcodeLook::QrH;
    qr.moduleWidth = 0.5;
    source->setBarcode(qr);
    source->setLocked(true);
    source->setEditFlag(ObjDraw::Saved);
    source->setIsActive(true);
    objs.setNCurID(source->nID());

    objs.CloneActObj(15);
    QCOMPARE(objs.Count(), 2);
    const auto &clone = objs.Item(2);
    QCOMPARE(clone->nID(), 1002);
    QCOMPARE(objs.Item(QStringLiteral("Obj1002")).get(), clone.get());
    const Element &copy = *clone->ObjCtl();
    QCOMPARE(boxOf(*clone), QRectF(985, 485, 800, 300));
    QVERIFY(copy.Visible());
    QCOMPARE(copy.Caption(), look.Caption());
    QCOMPARE(copy.Tag(), look.Tag());
    QCOMPARE(copy.ToolTipText(), look.ToolTipText());
    QCOMPARE(copy.Font(), look.Font());
    QCOMPARE(copy.ForeColor(), QColor(Qt::red));
    QCOMPARE(copy.Alignment(), int(Element::Center));
    QVERIFY(copy.AutoSize());
    QCOMPARE(copy.BorderStyle(), int(Element::NoBorder));
    QVERIFY(!clone->IsFix());
    QCOMPARE(clone->DataType(), 3);
    QVERIFY(clone->IsScroll());
    QVERIFY(clone->Sumed() && clone->SumedPage());
    QCOMPARE(clone->Format(), QStringLiteral("0.00"));
    QVERIFY(!clone->Printed());
    QVERIFY(!clone->Clip());
    QCOMPARE(clone->BWidth(), 3);
    // The clone prints the same code, and its page shows it as a sample.
    QVERIFY(clone->Barcode() == qr);
    QVERIFY(copy.Barcode() == qr);
    QVERIFY(copy.BarcodeSample());
    QVERIFY(!clone->Locked());
    QVERIFY(!clone->IsActive());
    QCOMPARE(clone->EditFlag(), int(ObjDraw::Created));
    QVERIFY(source->IsActive());
    QCOMPARE(objs.nActCount(), 1);
    QCOMPARE(selectedCount(objs), 1);
    for (ObjHd &hd : *clone->Handls())
        QVERIFY(!hd.ObjCtl()->Visible());
}

void TestObjDraws::cloneOfLineAndPicture()
{
    ObjDraws objs;
    auto line = addLine(objs, 600, 900, 100, 200);
    line->ObjCtl()->setBorderStyle(Element::Dot);
    line->ObjCtl()->setBorderWidth(2);
    line->ObjCtl()->setBorderColor(Qt::blue);
    auto picture = addBox(objs, ObjDraw::Picture, 2000, 1000, 600, 400);
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::green);
    const QByteArray bytes("the picture file's bytes");
    picture->ObjCtl()->setPicture(image, bytes);
    picture->ObjCtl()->setStretch(false);
    picture->ObjCtl()->setBorderStyle(Element::NoBorder);
    picture->setBStyle(Element::Dash);
    picture->setFColor(ObjDraw::rgbValueFromColor(Qt::blue));
    selectAll(objs);
    objs.setNCurID(line->nID());

    objs.CloneActObj(15);
    QCOMPARE(objs.Count(), 4);
    const auto &lineClone = objs.Item(3);
    QCOMPARE(lineOf(*lineClone), QLineF(585, 885, 85, 185));
    QCOMPARE(lineClone->ObjCtl()->BorderStyle(), int(Element::Dot));
    QCOMPARE(lineClone->ObjCtl()->BorderWidth(), 2);
    QCOMPARE(lineClone->ObjCtl()->BorderColor(), QColor(Qt::blue));
    const auto &pictureClone = objs.Item(4);
    QCOMPARE(pictureClone->nID(), 2002);
    QCOMPARE(boxOf(*pictureClone), QRectF(1985, 985, 600, 400));
    QCOMPARE(pictureClone->ObjCtl()->Picture(), image);
    QCOMPARE(pictureClone->ObjCtl()->PictureData(), bytes);
    QVERIFY(!pictureClone->ObjCtl()->Stretch());
    QCOMPARE(pictureClone->ObjCtl()->BorderStyle(), int(Element::NoBorder));
    QCOMPARE(pictureClone->BStyle(), int(Element::Dash));
    QCOMPARE(ObjDraw::colorFromRgbValue(pictureClone->FColor()), QColor(Qt::blue));
}

void TestObjDraws::cloneOffPageIsBroughtBack()
{
    ObjDraws objs;
    auto box = addText(objs, 5, 10, 500, 300);
    box->setIsActive(true);
    objs.setNCurID(box->nID());
    objs.CloneActObj(15);
    QCOMPARE(boxOf(*objs.Item(2)), QRectF(0, 0, 500, 300));
}

void TestObjDraws::cloneBeyondIdRangeLoadsNothing()
{
    ObjDraws objs;
    auto text = addText(objs, 100, 100, 500, 300);
    auto line = addLine(objs, 0, 0, 100, 0);
    for (int index = 2; index <= 1000; ++index)
        objs.page().ObjLine().Load(index);
    const std::size_t handles = objs.page().PicHD().size();
    selectAll(objs);
    objs.setNCurID(text->nID());
    try {
        objs.CloneActObj(15);
        QFAIL("clone past the id range was accepted");
    } catch (const RuntimeError &e) {
        QCOMPARE(e.Number(), int(RuntimeError::ObjectLimitReached));
        QCOMPARE(e.Description(), QStringLiteral("对象数量已超出上限！"));
    }
    QCOMPARE(objs.Count(), 2);
    QCOMPARE(objs.page().ObjText().UBound(), 1001);
    QCOMPARE(objs.page().PicHD().size(), handles);
    Q_UNUSED(line);
}

void TestObjDraws::startMoveMoreCurrentLocked()
{
    ObjDraws objs;
    auto a = addText(objs, 0, 0, 500, 300);
    auto b = addText(objs, 1000, 0, 500, 300);
    selectAll(objs);
    objs.setNCurID(a->nID());
    a->setLocked(true);
    std::shared_ptr<ObjDraw> hit = a;
    QVERIFY(!objs.StartMoveMore(1200, 100, hit));
    QVERIFY(!hit);
    QVERIFY(a->IsCurrent());
    QVERIFY(!b->IsDraging() && !a->IsDraging());
    QCOMPARE(objs.nCurID(), a->nID());
}

void TestObjDraws::startMoveMoreOnUnselectedStartsNothing()
{
    ObjDraws objs;
    auto a = addText(objs, 0, 0, 500, 300);
    auto b = addText(objs, 1000, 0, 500, 300);
    auto unselected = addText(objs, 2000, 0, 500, 300);
    a->setIsActive(true);
    b->setIsActive(true);
    objs.setNActCount(2);
    objs.setNCurID(b->nID());
    std::shared_ptr<ObjDraw> hit;
    QVERIFY(!objs.StartMoveMore(2100, 100, hit));
    QVERIFY(!hit);
    QVERIFY(!unselected->IsActive());
    QVERIFY(b->IsCurrent());
    QVERIFY(!a->IsDraging() && !b->IsDraging());
    QCOMPARE(objs.nActCount(), selectedCount(objs));
}

void TestObjDraws::startMoveMoreOnLockedSelected()
{
    ObjDraws objs;
    auto locked = addText(objs, 0, 0, 1000, 1000);
    auto under = addText(objs, 0, 0, 1000, 1000);
    auto other = addText(objs, 3000, 0, 500, 300);
    selectAll(objs);
    objs.setNCurID(other->nID());
    locked->setLocked(true);
    std::shared_ptr<ObjDraw> hit;
    QVERIFY(!objs.StartMoveMore(500, 500, hit));
    QCOMPARE(hit.get(), locked.get());
    QVERIFY(locked->IsActive());
    QVERIFY(!under->IsDraging() && !other->IsDraging());
}

void TestObjDraws::groupMoveLeavesLockedObject()
{
    ObjDraws objs;
    auto a = addText(objs, 1000, 1000, 500, 300);
    auto locked = addText(objs, 3000, 1000, 500, 300);
    auto line = addLine(objs, 900, 2000, 100, 2500);
    selectAll(objs);
    objs.setNCurID(line->nID());
    locked->setLocked(true);
    std::shared_ptr<ObjDraw> hit;
    QVERIFY(objs.StartMoveMore(1200, 1100, hit));
    QCOMPARE(hit.get(), a.get());
    QCOMPARE(objs.nCurID(), a->nID());
    QVERIFY(a->IsCurrent() && !line->IsCurrent());
    QVERIFY(a->IsDraging() && line->IsDraging() && !locked->IsDraging());
    QCOMPARE(Screen::MousePointer(), int(PointerShape::SizeAll));
    objs.MovingMore(1300, 1150, true, 10000, 10000);
    objs.MovingMore(1400, 1200, true, 10000, 10000);
    objs.EndMoveMore(1400, 1200);
    QCOMPARE(boxOf(*a), QRectF(1200, 1100, 500, 300));
    QCOMPARE(lineOf(*line), QLineF(1100, 2100, 300, 2600));
    QCOMPARE(boxOf(*locked), QRectF(3000, 1000, 500, 300));
    QVERIFY(!a->IsDraging() && !line->IsDraging());
    QCOMPARE(Screen::MousePointer(), int(PointerShape::Default));
    QCOMPARE(objs.nActCount(), 3);
    QCOMPARE(selectedCount(objs), 3);
}

void TestObjDraws::nudgeMovesAsADragDoes_data()
{
    QTest::addColumn<QPointF>("by");
    QTest::addColumn<QRectF>("box");     // the text at 1000, 1000, 500 x 300 moves to
    QTest::addColumn<QLineF>("line");    // the line from (900, 2000) to (100, 2500)
    QTest::addColumn<bool>("moved");
    QTest::newRow("right") << QPointF(5.67, 0) << QRectF(1005.67, 1000, 500, 300)
                           << QLineF(905.67, 2000, 105.67, 2500) << true;
    QTest::newRow("up and left") << QPointF(-56.7, -56.7) << QRectF(943.3, 943.3, 500, 300)
                                 << QLineF(843.3, 1943.3, 43.3, 2443.3) << true;
    // The page's edges hold each object, as in a drag.
    QTest::newRow("past the left edge") << QPointF(-950, 0) << QRectF(50, 1000, 500, 300)
                                        << QLineF(800, 2000, 0, 2500) << true;
    QTest::newRow("past the bottom edge") << QPointF(0, 900) << QRectF(1000, 1900, 500, 300)
                                          << QLineF(900, 2500, 100, 3000) << true;
    QTest::newRow("nothing") << QPointF(0, 0) << QRectF(1000, 1000, 500, 300)
                             << QLineF(900, 2000, 100, 2500) << false;
}

void TestObjDraws::nudgeMovesAsADragDoes()
{
    QFETCH(QPointF, by);
    QFETCH(QRectF, box);
    QFETCH(QLineF, line);
    QFETCH(bool, moved);
    ObjDraws objs;
    objs.page().setWidth(5000);
    objs.page().setHeight(3000);
    auto text = addText(objs, 1000, 1000, 500, 300);
    auto locked = addText(objs, 3000, 1000, 500, 300);
    auto slant = addLine(objs, 900, 2000, 100, 2500);
    auto hidden = addText(objs, 4000, 100, 500, 300);
    selectAll(objs);
    hidden->ObjCtl()->setVisible(false);
    locked->setLocked(true);
    text->setEditFlag(ObjDraw::Saved);
    objs.setNCurID(text->nID());
    QCOMPARE(objs.NudgeSelected(by.x(), by.y()), moved);
    QCOMPARE(boxOf(*text), box);
    QCOMPARE(lineOf(*slant), line);
    QCOMPARE(boxOf(*locked), QRectF(3000, 1000, 500, 300));
    QCOMPARE(boxOf(*hidden), QRectF(4000, 100, 500, 300));
    QCOMPARE(text->EditFlag(), int(moved ? ObjDraw::Changed : ObjDraw::Saved));
    // Still selected, handles shown around the new place, no drag left over.
    QVERIFY(text->IsActive() && text->IsCurrent() && !text->IsDraging());
    const Element &corner = *text->Handls()->Item(HandlePosition::BottomRight).ObjCtl();
    QVERIFY(corner.Visible());
    QCOMPARE(corner.Left(), box.right() - 37 - 8);
    QCOMPARE(Screen::MousePointer(), int(PointerShape::Default));
}

// A nudge lands where a group drag by the same distance lands.
void TestObjDraws::nudgeMatchesTheGroupDrag()
{
    for (const QPointF by : {QPointF(-2000, 50), QPointF(120, 4000), QPointF(33.3, -7.5)}) {
        ObjDraws dragged;
        ObjDraws nudged;
        for (ObjDraws *objs : {&dragged, &nudged}) {
            objs->page().setWidth(6000);
            objs->page().setHeight(4000);
            addText(*objs, 1000, 1000, 500, 300);
            addLine(*objs, 900, 2000, 100, 2500);
            addText(*objs, 5000, 3500, 600, 300);
            selectAll(*objs);
            objs->setNCurID(1001);
        }
        std::shared_ptr<ObjDraw> hit;
        QVERIFY(dragged.StartMoveMore(1200, 1100, hit));
        dragged.MovingMore(1200 + by.x(), 1100 + by.y(), true, 6000, 4000);
        dragged.EndMoveMore(1200 + by.x(), 1100 + by.y());
        nudged.NudgeSelected(by.x(), by.y());
        for (int position = 1; position <= 3; ++position) {
            const Element &a = *dragged.Item(position)->ObjCtl();
            const Element &b = *nudged.Item(position)->ObjCtl();
            QCOMPARE(b.rect(), a.rect());
        }
    }
}

void TestObjDraws::handlesArePlacedForTheScreen_data()
{
    QTest::addColumn<double>("viewTwipsPerPixel");
    QTest::newRow("the screen's") << 15.0;
    QTest::newRow("25%") << 60.0;
    QTest::newRow("800%") << 1.875;
}

// The model places handles as the screen shows the page at 100 %, whatever
// the zoom of the page's view: a zoom moves nothing of the model.
void TestObjDraws::handlesArePlacedForTheScreen()
{
    QFETCH(double, viewTwipsPerPixel);
    ObjDraws objs;
    objs.page().setViewTwipsPerPixel(viewTwipsPerPixel, viewTwipsPerPixel);
    auto text = addText(objs, 1000, 1000, 500, 300);
    auto line = addLine(objs, 900, 2000, 100, 2500);
    selectAll(objs);
    const Element &corner = *text->Handls()->Item(HandlePosition::TopLeft).ObjCtl();
    QCOMPARE(corner.rect(), QRectF(1000 - 37 + 8, 1000 - 37 + 8, 75, 75));
    const Element &end = *line->Handls()->Item(HandlePosition::BottomRight).ObjCtl();
    QCOMPARE(end.rect().topLeft(), QPointF(100 - 37 - 8, 2500 - 37 - 8));
    objs.NudgeSelected(30, 0);
    QCOMPARE(corner.rect(), QRectF(1000 - 37 + 8 + 30, 1000 - 37 + 8, 75, 75));
}

QTEST_GUILESS_MAIN(TestObjDraws)
#include "tst_objdraws.moc"
