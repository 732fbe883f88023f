#include "DesignerHarness.h"
#include "DesignerInvariants.h"

#include "designer/DrawTool.h"
#include "designer/ScrollBar.h"

#include "platform/FakeDialogs.h"
#include "platform/Screen.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QTest>


#include <memory>

namespace {

QPointF handleMiddle(mFrm_Bill *bill, int nID, int position)
{
    const Element &handle = bill->PicHD()(8 * nID - 8 + position);
    return QPointF(handle.Left() + 45, handle.Top() + 45);
}

} // namespace

// Commands, keys and window changes that arrive while the mouse button is
// held: each ends the gesture first, so nothing is left half-done.
class TestDesignerGestures : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Screen::setTwipsPerPixel(15, 15); }
    void init();
    void cleanup() { h.reset(); }

    void lockDuringAHandleResize_data();
    void lockDuringAHandleResize();
    void deleteDuringADrag();
    void selectAllDuringADrag();
    void minimiseAndRestoreDuringAGesture();
    void windowResizedDuringADraw();
    void aReleaseTakenByAnotherWindowEndsTheGesture();
    void aFailureInsideAGestureEndsIt_data();
    void aFailureInsideAGestureEndsIt();

private:
    std::unique_ptr<DesignerHarness> h;
    FakeDialogs *dialogs = nullptr;
};

void TestDesignerGestures::init()
{
    dialogs = &Platform::installFakes();
    h = std::make_unique<DesignerHarness>();
    QVERIFY(h->ready());
}

void TestDesignerGestures::lockDuringAHandleResize_data()
{
    QTest::addColumn<int>("tool");
    QTest::addColumn<int>("nID");
    QTest::addColumn<int>("position");
    QTest::newRow("line") << int(DrawTool::Line) << 1 << 1;
    QTest::newRow("picture") << int(DrawTool::Picture) << 2001 << 5;
}

void TestDesignerGestures::lockDuringAHandleResize()
{
    QFETCH(int, tool);
    QFETCH(int, nID);
    QFETCH(int, position);
    mFrm_Bill *bill = h->open();
    h->draw(bill, tool, 1500, 750, 3000, 1500);
    const QPointF grip = handleMiddle(bill, nID, position);
    h->press(h->at(bill, grip.x(), grip.y()));
    h->move(h->at(bill, grip.x() - 300, grip.y() - 150));
    bill->Locked();
    h->move(h->at(bill, grip.x() - 600, grip.y() - 300));
    h->release(h->at(bill, grip.x() - 600, grip.y() - 300));

    QCOMPARE(brokenInvariant(*bill), QString());
    const ObjDraw *obj = bill->mObjs().findByID(nID);
    QVERIFY(obj->Locked());
    QVERIFY(obj->ObjCtl()->Visible());
    QVERIFY(obj->IsCurrent());
}

void TestDesignerGestures::deleteDuringADrag()
{
    mFrm_Bill *bill = h->open();
    h->draw(bill, DrawTool::Picture, 1500, 750, 3000, 2250);
    h->press(h->at(bill, 2000, 1200));
    h->move(h->at(bill, 2300, 1500));
    bill->Delete();
    h->move(h->at(bill, 2600, 1800));
    h->release(h->at(bill, 2600, 1800));

    QCOMPARE(brokenInvariant(*bill), QString());
    QVERIFY(!bill->ObjImg()(2001).Visible());
}

void TestDesignerGestures::selectAllDuringADrag()
{
    mFrm_Bill *bill = h->open();
    h->draw(bill, DrawTool::Text, 1500, 750, 3000, 1200);
    h->draw(bill, DrawTool::Text, 4500, 750, 6000, 1200);
    h->press(h->at(bill, 2000, 900));
    h->move(h->at(bill, 2300, 1200));
    bill->SelAll();
    h->move(h->at(bill, 2600, 1500));
    // Outside the page: the confinement is gone once the drag has ended.
    h->release(h->at(bill, 9000, 5000));

    QCOMPARE(brokenInvariant(*bill), QString());
    QCOMPARE(bill->mObjs().nActCount(), 2);
}

void TestDesignerGestures::minimiseAndRestoreDuringAGesture()
{
    mFrm_Bill *bill = h->open();
    auto *frame = qobject_cast<QMdiSubWindow *>(bill->parentWidget());
    h->press(h->at(bill, 600, 600));
    h->move(h->at(bill, 1200, 900));
    frame->showMinimized();
    frame->showNormal();
    h->move(h->at(bill, 1500, 1200));
    h->release(h->at(bill, 1500, 1200));

    QCOMPARE(brokenInvariant(*bill), QString());
    QVERIFY(bill->PicPage().bands().empty());
}

// The box ends where the pointer was when the window changed, on the page.
void TestDesignerGestures::windowResizedDuringADraw()
{
    mFrm_Bill *bill = h->open(QSize(400, 260));
    bill->VS().setValue(600);
    QCOMPARE(bill->PicPage().Top(), -600.0);
    h->shell.drawMode = DrawTool::Text;
    h->press(h->at(bill, 900, 1200));
    h->move(h->at(bill, 1500, 1500));
    qobject_cast<QMdiSubWindow *>(bill->parentWidget())->resize(900, 650);
    h->move(h->at(bill, 1800, 1650));
    h->release(h->at(bill, 1800, 1650));

    QCOMPARE(brokenInvariant(*bill), QString());
    QCOMPARE(bill->mObjs().Count(), 1);
    const QRectF drawn = bill->ObjText()(1001).rect();
    QCOMPARE(drawn, QRectF(900, 1200, 600, 300));
}

// A release that happened outside every window never arrives.
void TestDesignerGestures::aReleaseTakenByAnotherWindowEndsTheGesture()
{
    mFrm_Bill *bill = h->open();
    h->draw(bill, DrawTool::Text, 1500, 750, 3000, 1200);
    h->press(h->at(bill, 2000, 900));
    h->move(h->at(bill, 2300, 1200));
    // Another window of the program holds the mouse when the button comes up.
    h->area.viewport()->grabMouse();
    h->release(h->at(bill, 2300, 1200));
    h->area.viewport()->releaseMouse();

    QTRY_COMPARE(brokenInvariant(*bill), QString());


    QCOMPARE(bill->ObjText()(1001).rect(), QRectF(1800, 1050, 1500, 450));
}

// A picture far taller than any page (a stored or summed length, past what
// 32-bit twips hold) makes hit tests and sizing fail; the gesture the failure
// falls in still ends whole.
void TestDesignerGestures::aFailureInsideAGestureEndsIt_data()
{
    QTest::addColumn<QString>("gesture");
    QTest::newRow("band after a selection") << "band";
    QTest::newRow("press after select all") << "press";
    QTest::newRow("size a line's end") << "lineEnd";
}

void TestDesignerGestures::aFailureInsideAGestureEndsIt()
{
    QFETCH(QString, gesture);
    const double huge = 99999999999.0 * 56.7;
    mFrm_Bill *bill = h->open();
    h->draw(bill, DrawTool::Line, 600, 600, 2400, 1200);
    h->draw(bill, DrawTool::Picture, 3000, 750, 4500, 2250);
    if (gesture == "lineEnd") {
        bill->ObjLine()(1).setY2(huge);
        bill->SelAll();
        const QPointF grip = handleMiddle(bill, 1, 1);
        h->drag(bill, grip.x(), grip.y(), grip.x() + 600, grip.y() + 300);
    } else {
        bill->ObjImg()(2001).setHeight(huge);
        if (gesture == "band") {
            h->click(bill, 1500, 900);
            h->drag(bill, 300, 3000, 6000, 300);
        } else {
            bill->SelAll();
            h->click(bill, 3750, 3000);
        }
    }
    QCOMPARE(dialogs->messages(), QStringList{QStringLiteral("6:溢出 ")});
    QCOMPARE(brokenInvariant(*bill), QString());
    QVERIFY(bill->ObjLine()(1).Visible());
    QVERIFY(bill->PicPage().bands().empty());
}

QTEST_MAIN(TestDesignerGestures)
#include "tst_designergestures.moc"
