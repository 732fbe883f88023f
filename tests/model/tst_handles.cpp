#include "ModelFixtures.h"

#include "model/HandlePosition.h"
#include "model/ObjHds.h"

#include "platform/PageSurface.h"
#include "platform/PointerShape.h"
#include "platform/RuntimeError.h"

#include <QTest>

#include <functional>

class TestHandles : public QObject
{
    Q_OBJECT

private slots:
    void stateSetsPictureAndPointer_data();
    void stateSetsPictureAndPointer();
    void pointerFollowsTag_data();
    void pointerFollowsTag();
    void addStoresStateBeforeBindingElement();
    void clearHidesAndEmpties();
    void zOrderPutsLastHandleOnTop();
    void keyedCollectionErrors_data();
    void keyedCollectionErrors();
    void keysIgnoreCaseAndSurviveRemove();
    void objActsHoldsSameObjectTwice();
};

void TestHandles::stateSetsPictureAndPointer_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<QColor>("color");
    QTest::addColumn<int>("pointer");

    // The handle sits at the right middle, so it offers the west-east pointer
    // unless it is locked.
    const int sizeWE = PointerShape::SizeWE;
    const int none = PointerShape::Default;
    QTest::newRow("selected") << int(ObjHd::Selected) << QColor(0, 0, 128) << sizeWE;
    QTest::newRow("current") << int(ObjHd::Current) << QColor(0, 0, 255) << sizeWE;
    QTest::newRow("locked") << int(ObjHd::LockedSelected) << QColor(255, 0, 0) << none;
    QTest::newRow("currentLocked") << int(ObjHd::LockedCurrent) << QColor(64, 0, 0) << none;
    QTest::newRow("unknown state looks selected") << 5 << QColor(0, 0, 128) << sizeWE;
}

void TestHandles::stateSetsPictureAndPointer()
{
    QFETCH(int, state);
    QFETCH(QColor, color);
    QFETCH(int, pointer);
    PageSurface page;
    Element &element = page.PicHD().Load(HandlePosition::RightMiddle);
    element.setTag(QString::number(HandlePosition::RightMiddle));
    ObjHd hd;
    hd.setObjCtl(&element);
    hd.setNState(ObjHd::LockedSelected);
    hd.setNState(state);
    QCOMPARE(element.Picture().pixelColor(3, 3), color);
    QCOMPARE(element.MousePointer(), pointer);
}

void TestHandles::pointerFollowsTag_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<int>("pointer");

    // The tag holds the handle's position as text.
    auto tagOf = [](HandlePosition::Code position) { return QString::number(position); };
    QTest::newRow("top left") << tagOf(HandlePosition::TopLeft) << int(PointerShape::SizeNWSE);
    QTest::newRow("top middle") << tagOf(HandlePosition::TopMiddle) << int(PointerShape::SizeNS);
    QTest::newRow("top right") << tagOf(HandlePosition::TopRight) << int(PointerShape::SizeNESW);
    QTest::newRow("left middle") << tagOf(HandlePosition::LeftMiddle) << int(PointerShape::SizeWE);
    QTest::newRow("past the last position") << "9" << int(PointerShape::Default);
    QTest::newRow("noNumber") << "abc" << int(PointerShape::Default);
    QTest::newRow("empty") << "" << int(PointerShape::Default);
    // " 2.6px" reads as 2.6, rounded to 3: the top right.
    QTest::newRow("leadingNumberRounded") << " 2.6px" << int(PointerShape::SizeNESW);
}

void TestHandles::pointerFollowsTag()
{
    QFETCH(QString, tag);
    PageSurface page;
    Element &element = page.PicHD().Load(1);
    element.setTag(tag);
    ObjHd hd;
    hd.setObjCtl(&element);
    hd.setNState(ObjHd::Selected);
    QTEST(element.MousePointer(), "pointer");
}

void TestHandles::addStoresStateBeforeBindingElement()
{
    PageSurface page;
    Element &element = page.PicHD().Load(1);
    element.setTag(QString::number(HandlePosition::TopLeft));
    ObjHds hds;
    ObjHd &hd = hds.Add(3, ObjHd::Current, &element);
    QCOMPARE(hd.HdID(), 3);
    QCOMPARE(hd.nState(), int(ObjHd::Current));
    QCOMPARE(hd.ObjCtl(), &element);
    QVERIFY(element.Picture().isNull());
    QCOMPARE(hds.Count(), 1);
    // Added without a key: reachable by position only.
    QVERIFY_THROWS_EXCEPTION(RuntimeError, hds.Item(QString()));
    QCOMPARE(&hds.Item(1), &hd);
}

void TestHandles::clearHidesAndEmpties()
{
    ObjHds empty;
    empty.Clear();
    QCOMPARE(empty.Count(), 0);

    ObjDraws objs;
    auto obj = addText(objs, 100, 100, 500, 300);
    obj->setIsActive(true);
    std::vector<Element *> elements;
    for (ObjHd &hd : *obj->Handls()) {
        QVERIFY(hd.ObjCtl()->Visible());
        elements.push_back(hd.ObjCtl());
    }
    QCOMPARE(elements.size(), std::size_t(HandlePosition::Count));
    obj->Handls()->Clear();
    QCOMPARE(obj->Handls()->Count(), 0);
    for (Element *element : elements) {
        QVERIFY(!element->Visible());
        QVERIFY(objs.page().PicHD().find(element->Index()) == element);
    }
}

void TestHandles::zOrderPutsLastHandleOnTop()
{
    ObjDraws objs;
    auto obj = addText(objs, 100, 100, 500, 300);
    auto later = addText(objs, 800, 100, 500, 300);
    obj->Handls()->ZOrder();
    quint64 previous = later->Handls()->Item(HandlePosition::Count).ObjCtl()->zOrder();
    for (ObjHd &hd : *obj->Handls()) {
        QVERIFY(hd.ObjCtl()->zOrder() > previous);
        previous = hd.ObjCtl()->zOrder();
    }
}

void TestHandles::keyedCollectionErrors_data()
{
    QTest::addColumn<std::function<void(KeyedCollection<int> &)>>("call");
    QTest::addColumn<int>("number");

    using Call = std::function<void(KeyedCollection<int> &)>;
    // Keys ignore case, so "OBJ1" is taken; positions count from 1.
    const int duplicate = RuntimeError::DuplicateKey;
    const int invalid = RuntimeError::InvalidArgument;
    QTest::newRow("duplicateKey") << Call([](auto &c) { c.Add(9, "OBJ1"); }) << duplicate;
    QTest::newRow("positionZero") << Call([](auto &c) { c.Item(0); }) << invalid;
    QTest::newRow("positionPastEnd") << Call([](auto &c) { c.Item(3); }) << invalid;
    QTest::newRow("absentKey") << Call([](auto &c) { c.Item("Obj3"); }) << invalid;
    QTest::newRow("removeAbsentKey") << Call([](auto &c) { c.Remove("Obj3"); }) << invalid;
}

void TestHandles::keyedCollectionErrors()
{
    QFETCH(std::function<void(KeyedCollection<int> &)>, call);
    QFETCH(int, number);
    KeyedCollection<int> col;
    col.Add(1, "Obj1");
    col.Add(2, "Obj2");
    try {
        call(col);
        QFAIL("no error");
    } catch (const RuntimeError &e) {
        QCOMPARE(e.Number(), number);
    }
    QCOMPARE(col.Count(), 2);
    QCOMPARE(col.Item(2), 2);
}

void TestHandles::keysIgnoreCaseAndSurviveRemove()
{
    KeyedCollection<int> col;
    col.Add(10, "Obj1");
    col.Add(20);
    col.Add(30, "Obj3");
    QCOMPARE(col.Item("oBJ3"), 30);
    col.Remove("OBJ1");
    QCOMPARE(col.Count(), 2);
    QCOMPARE(col.Item(1), 20);
    QCOMPARE(col.Item("obj3"), 30);
    col.Add(40, "obj1");
    QCOMPARE(col.Item(3), 40);
}

void TestHandles::objActsHoldsSameObjectTwice()
{
    auto obj = std::make_shared<ObjDraw>();
    ObjActs acts;
    acts.Add(obj);
    acts.Add(obj);
    QCOMPARE(acts.Count(), 2);
    QCOMPARE(acts.Item(1).get(), obj.get());
    QCOMPARE(acts.Item(2).get(), obj.get());
}

QTEST_GUILESS_MAIN(TestHandles)
#include "tst_handles.moc"
