#include "ModelFixtures.h"

#include "model/ObjHds.h"

#include "platform/PageSurface.h"
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

    // The handle sits at position 4 (right-middle).
    QTest::newRow("selected") << 0 << QColor(0, 0, 128) << 9;
    QTest::newRow("current") << 1 << QColor(0, 0, 255) << 9;
    QTest::newRow("locked") << -1 << QColor(255, 0, 0) << 0;
    QTest::newRow("currentLocked") << -2 << QColor(64, 0, 0) << 0;
    QTest::newRow("five") << 5 << QColor(0, 0, 128) << 9;
}

void TestHandles::stateSetsPictureAndPointer()
{
    QFETCH(int, state);
    QFETCH(QColor, color);
    QFETCH(int, pointer);
    PageSurface page;
    Element &element = page.PicHD().Load(4);
    element.setTag(QStringLiteral("4"));
    ObjHd hd;
    hd.setObjCtl(&element);
    hd.setNState(-1);
    hd.setNState(state);
    QCOMPARE(element.Picture().pixelColor(3, 3), color);
    QCOMPARE(element.MousePointer(), pointer);
}

void TestHandles::pointerFollowsTag_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<int>("pointer");

    QTest::newRow("1") << "1" << 8;
    QTest::newRow("2") << "2" << 7;
    QTest::newRow("3") << "3" << 6;
    QTest::newRow("8") << "8" << 9;
    QTest::newRow("9") << "9" << 0;
    QTest::newRow("noNumber") << "abc" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("leadingNumberRounded") << " 2.6px" << 6;
}

void TestHandles::pointerFollowsTag()
{
    QFETCH(QString, tag);
    PageSurface page;
    Element &element = page.PicHD().Load(1);
    element.setTag(tag);
    ObjHd hd;
    hd.setObjCtl(&element);
    hd.setNState(0);
    QTEST(element.MousePointer(), "pointer");
}

void TestHandles::addStoresStateBeforeBindingElement()
{
    PageSurface page;
    Element &element = page.PicHD().Load(1);
    element.setTag(QStringLiteral("1"));
    ObjHds hds;
    ObjHd &hd = hds.Add(3, 1, &element);
    QCOMPARE(hd.HdID(), 3);
    QCOMPARE(hd.nState(), 1);
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
    QCOMPARE(elements.size(), std::size_t(8));
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
    quint64 previous = later->Handls()->Item(8).ObjCtl()->zOrder();
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
    QTest::newRow("duplicateKey") << Call([](auto &c) { c.Add(9, "OBJ1"); }) << 457;
    QTest::newRow("positionZero") << Call([](auto &c) { c.Item(0); }) << 5;
    QTest::newRow("positionPastEnd") << Call([](auto &c) { c.Item(3); }) << 5;
    QTest::newRow("absentKey") << Call([](auto &c) { c.Item("Obj3"); }) << 5;
    QTest::newRow("removeAbsentKey") << Call([](auto &c) { c.Remove("Obj3"); }) << 5;
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
