#include "designer/DesignerGeometry.h"
#include "designer/DesignerShell.h"
#include "designer/DrawTool.h"
#include "designer/FixHandle.h"
#include "designer/PointerRouter.h"
#include "designer/PointerScene.h"

#include "model/MouseButton.h"

#include "platform/ScaleConversion.h"
#include "platform/Screen.h"

#include <QMouseEvent>
#include <QTest>

#include <vector>

namespace {

// A window 100 pixels wide: the right-edge page-size handle at 10..19, the
// page from 20 on.
class FakeScene : public PointerScene
{
public:
    PointerTarget targetAt(const QPointF &p) const override
    {
        if (p.x() >= 10 && p.x() < 20)
            return {PointerTarget::FixHandle, FixHandle::RightEdge};
        if (p.x() >= 20)
            return {PointerTarget::Page, 0};
        return {PointerTarget::Window, 0};
    }
    QPointF toTarget(const PointerTarget &target, const QPointF &p) const override
    {
        const double origin = target.kind == PointerTarget::FixHandle ? 10
                              : target.kind == PointerTarget::Page    ? 20
                                                                      : 0;
        return QPointF((p.x() - origin) * 15, p.y() * 15);
    }
    void deliver(const PointerEvent &event) override { events.push_back(event); }

    std::vector<PointerEvent> events;
};

QMouseEvent mouse(QEvent::Type type, double x, Qt::MouseButton button, Qt::MouseButtons buttons,
                  Qt::KeyboardModifiers modifiers = {})
{
    const QPointF at(x, 5);
    return QMouseEvent(type, at, at, button, buttons, modifiers);
}

} // namespace

class TestDesignerRouting : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Screen::setTwipsPerPixel(15, 15); }

    void aGestureStaysWithThePressedElement();
    void movesWithoutAButtonFollowThePointer();
    void aSecondButtonJoinsTheGesture();

    void fixHandlePositions_data();
    void fixHandlePositions();
    void sizedPage_data();
    void sizedPage();
    void clickPlace_data();
    void clickPlace();
    void handleOwner_data();
    void handleOwner();
    void scaleConversion_data();
    void scaleConversion();
    void codesKeepTheSystemsNumbers_data();
    void codesKeepTheSystemsNumbers();
};

void TestDesignerRouting::aGestureStaysWithThePressedElement()
{
    FakeScene scene;
    PointerRouter router(scene);
    router.press(mouse(QEvent::MouseButtonPress, 12, Qt::LeftButton, Qt::LeftButton));
    router.move(mouse(QEvent::MouseMove, 60, Qt::NoButton, Qt::LeftButton));
    router.move(mouse(QEvent::MouseMove, 2, Qt::NoButton, Qt::LeftButton));
    router.release(mouse(QEvent::MouseButtonRelease, 70, Qt::LeftButton, Qt::NoButton));

    QCOMPARE(scene.events.size(), std::size_t(4));
    for (const PointerEvent &e : scene.events)
        QCOMPARE(e.target, (PointerTarget{PointerTarget::FixHandle, FixHandle::RightEdge}));
    // Coordinates stay relative to the handle, wherever the pointer is.
    QCOMPARE(scene.events[1].X, 50 * 15.0);
    QCOMPARE(scene.events[2].X, -8 * 15.0);
    QCOMPARE(scene.events[3].action, PointerEvent::Up);
    QCOMPARE(router.grabbed().kind, PointerTarget::None);
}

void TestDesignerRouting::movesWithoutAButtonFollowThePointer()
{
    FakeScene scene;
    PointerRouter router(scene);
    router.move(mouse(QEvent::MouseMove, 15, Qt::NoButton, Qt::NoButton));
    router.move(mouse(QEvent::MouseMove, 50, Qt::NoButton, Qt::NoButton));
    QCOMPARE(scene.events[0].target.kind, PointerTarget::FixHandle);
    QCOMPARE(scene.events[1].target.kind, PointerTarget::Page);
    QCOMPARE(scene.events[1].Button, int(MouseButton::None));
    QCOMPARE(scene.events[1].X, 30 * 15.0);
}

void TestDesignerRouting::aSecondButtonJoinsTheGesture()
{
    FakeScene scene;
    PointerRouter router(scene);
    router.press(mouse(QEvent::MouseButtonPress, 50, Qt::LeftButton, Qt::LeftButton));
    router.press(mouse(QEvent::MouseButtonPress, 12, Qt::RightButton,
                       Qt::LeftButton | Qt::RightButton));
    router.release(mouse(QEvent::MouseButtonRelease, 12, Qt::RightButton, Qt::LeftButton));
    QCOMPARE(router.grabbed().kind, PointerTarget::Page);
    router.release(mouse(QEvent::MouseButtonRelease, 5, Qt::LeftButton, Qt::NoButton));
    QCOMPARE(scene.events.size(), std::size_t(4));
    for (const PointerEvent &e : scene.events)
        QCOMPARE(e.target.kind, PointerTarget::Page);
    QCOMPARE(scene.events[1].Button, int(MouseButton::Right));
    QCOMPARE(router.grabbed().kind, PointerTarget::None);
}

void TestDesignerRouting::fixHandlePositions_data()
{
    QTest::addColumn<QRectF>("page");
    QTest::addColumn<double>("twipsPerPixel");
    QTest::addColumn<QPointF>("right");
    QTest::addColumn<QPointF>("bottom");
    QTest::addColumn<QPointF>("corner");
    // At 15 twips per pixel: handle 75 wide, hw = 37 - 50 = -13, ox = 8.
    QTest::newRow("new page") << QRectF(0, 0, 8190, 3690) << 15.0 << QPointF(8195, 1858)
                              << QPointF(4108, 3695) << QPointF(8195, 3695);
    QTest::newRow("scrolled") << QRectF(-610, -100, 8190, 3690) << 15.0 << QPointF(7585, 1758)
                              << QPointF(3498, 3595) << QPointF(7585, 3595);
    QTest::newRow("odd size") << QRectF(0, 0, 1001, 1001) << 15.0 << QPointF(1006, 513.5)
                              << QPointF(513.5, 1006) << QPointF(1006, 1006);
    // At 12 twips per pixel (120 dpi): handle 60 wide, hw = -20, ox = 6.
    QTest::newRow("120 dpi") << QRectF(0, 0, 8190, 3690) << 12.0 << QPointF(8204, 1865)
                             << QPointF(4115, 3704) << QPointF(8204, 3704);
}

void TestDesignerRouting::fixHandlePositions()
{
    QFETCH(QRectF, page);
    QFETCH(double, twipsPerPixel);
    QFETCH(QPointF, right);
    QFETCH(QPointF, bottom);
    QFETCH(QPointF, corner);
    const double side = twipsPerPixel * 5;
    const auto at = DesignerGeometry::fixHandlePositions(page.left(), page.top(), page.width(),
                                                         page.height(), side, side, twipsPerPixel,
                                                         twipsPerPixel);
    QCOMPARE(at[0], right);
    QCOMPARE(at[1], bottom);
    QCOMPARE(at[2], corner);
}

void TestDesignerRouting::sizedPage_data()
{
    QTest::addColumn<int>("handle");
    QTest::addColumn<QPointF>("pointer");
    QTest::addColumn<QSizeF>("expected");
    QTest::addColumn<QSizeF>("contents");
    // Last pointer position (9000, 4000), page 8190 x 3690.
    const int right = FixHandle::RightEdge;
    const int bottom = FixHandle::BottomEdge;
    const int corner = FixHandle::Corner;
    QTest::newRow("right edge grows width only")
        << right << QPointF(9300, 4500) << QSizeF(8490, 3690) << QSizeF();
    QTest::newRow("bottom edge grows height only")
        << bottom << QPointF(9300, 4500) << QSizeF(8190, 4190) << QSizeF();
    QTest::newRow("corner grows both")
        << corner << QPointF(9300, 4500) << QSizeF(8490, 4190) << QSizeF();
    QTest::newRow("right edge stops at 1000")
        << right << QPointF(0, 4000) << QSizeF(1000, 3690) << QSizeF();
    QTest::newRow("bottom edge stops at 1000")
        << bottom << QPointF(9000, 0) << QSizeF(8190, 1000) << QSizeF();
    QTest::newRow("corner stops at 1000 each")
        << corner << QPointF(1500, 1000) << QSizeF(1000, 1000) << QSizeF();
    // 8190 + 1810 - 9000 and 3690 + 1310 - 4000: the minimum exactly.
    QTest::newRow("corner exactly 1000")
        << corner << QPointF(1810, 1310) << QSizeF(1000, 1000) << QSizeF();
    // The page keeps what its objects need, on the axis the handle moves.
    QTest::newRow("right edge stops at the objects")
        << right << QPointF(0, 4000) << QSizeF(2500, 3690) << QSizeF(2500, 3000);
    QTest::newRow("bottom edge stops at the objects")
        << bottom << QPointF(9000, 0) << QSizeF(8190, 3000) << QSizeF(2500, 3000);
    QTest::newRow("corner stops at the objects, 1000 beyond")
        << corner << QPointF(0, 0) << QSizeF(2500, 1000) << QSizeF(2500, 700);
    // An object ending half a twip in holds the page at the next whole twip,
    // where an object sized to the edge is kept.
    QTest::newRow("objects ending between twips")
        << corner << QPointF(0, 0) << QSizeF(7448, 3001) << QSizeF(7447.5, 3000.25);
}

void TestDesignerRouting::clickPlace_data()
{
    QTest::addColumn<QPointF>("at");
    QTest::addColumn<QSizeF>("size");
    QTest::addColumn<QPointF>("expected");
    // On a page of 8190 x 3690.
    QTest::newRow("inside stays") << QPointF(300, 600) << QSizeF(1440, 315) << QPointF(300, 600);
    QTest::newRow("past the right edge moves left")
        << QPointF(7500, 600) << QSizeF(1440, 315) << QPointF(6750, 600);
    QTest::newRow("past the bottom moves up")
        << QPointF(300, 3600) << QSizeF(1440, 1440) << QPointF(300, 2250);
    QTest::newRow("wider than the page sits at 0")
        << QPointF(300, 600) << QSizeF(9000, 315) << QPointF(0, 600);
}

void TestDesignerRouting::clickPlace()
{
    QFETCH(QPointF, at);
    QFETCH(QSizeF, size);
    QFETCH(QPointF, expected);
    QCOMPARE(DesignerGeometry::clickPlace(at, size, QSizeF(8190, 3690)), expected);
}

void TestDesignerRouting::sizedPage()
{
    QFETCH(QSizeF, contents);
    QFETCH(int, handle);
    QFETCH(QPointF, pointer);
    QFETCH(QSizeF, expected);
    QCOMPARE(DesignerGeometry::sizedPage(handle, pointer.x(), pointer.y(), 9000, 4000, 8190, 3690,
                                         contents),
             expected);
}

void TestDesignerRouting::handleOwner_data()
{
    QTest::addColumn<int>("element");
    QTest::addColumn<int>("owner");
    // Object n owns the handle elements 8n-7 .. 8n.
    QTest::newRow("1") << 1 << 1;
    QTest::newRow("8") << 8 << 1;
    QTest::newRow("9") << 9 << 2;
    QTest::newRow("16") << 16 << 2;
    QTest::newRow("8001") << 8001 << 1001;
    QTest::newRow("32760") << 32760 << 4095;
}

void TestDesignerRouting::handleOwner()
{
    QFETCH(int, element);
    QFETCH(int, owner);
    QCOMPARE(DesignerGeometry::handleOwner(element), owner);
}

void TestDesignerRouting::scaleConversion_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<bool>("horizontal");
    QTest::addColumn<double>("expected");
    using namespace ScaleConversion;
    QTest::newRow("inch to mm") << 1440.0 << Twips << Millimeters << true << 25.4;
    QTest::newRow("mm to twips") << 10.0 << Millimeters << Twips << false << 566.9291338582677;
    QTest::newRow("pixels to twips") << 4.0 << Pixels << Twips << true << 60.0;
    // A character is 120 twips across and 240 down.
    QTest::newRow("characters down") << 2.0 << Characters << Twips << false << 480.0;
    QTest::newRow("points to cm") << 72.0 << Points << Centimeters << true << 2.54;
}

void TestDesignerRouting::scaleConversion()
{
    QFETCH(double, value);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(bool, horizontal);
    QFETCH(double, expected);
    QCOMPARE(ScaleConversion::convert(value, from, to, horizontal), expected);
}

// The shell and the page-size handles are addressed by these numbers, so a
// name may never be renumbered.
void TestDesignerRouting::codesKeepTheSystemsNumbers_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("number");
    QTest::newRow("selection tool") << int(DrawTool::Select) << 0;
    QTest::newRow("line tool") << int(DrawTool::Line) << 1;
    QTest::newRow("text tool") << int(DrawTool::Text) << 2;
    QTest::newRow("picture tool") << int(DrawTool::Picture) << 3;
    QTest::newRow("released") << int(DesignerShell::Released) << 0;
    QTest::newRow("pressed") << int(DesignerShell::Pressed) << 1;
    QTest::newRow("template handle") << int(FixHandle::Template) << 0;
    QTest::newRow("right edge") << int(FixHandle::RightEdge) << 1;
    QTest::newRow("bottom edge") << int(FixHandle::BottomEdge) << 2;
    QTest::newRow("corner") << int(FixHandle::Corner) << 3;
}

void TestDesignerRouting::codesKeepTheSystemsNumbers()
{
    QFETCH(int, code);
    QTEST(code, "number");
}

QTEST_MAIN(TestDesignerRouting)
#include "tst_designerrouting.moc"
