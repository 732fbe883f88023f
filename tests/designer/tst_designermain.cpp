// The designer window inside the program's own main window: the items the
// designer names must be the main window's real actions and buttons, and
// the layout must hold in the states the real workspace puts it in.

#include "app/mFrm_Main.h"

#include "designer/DrawTool.h"
#include "designer/PageView.h"
#include "designer/ScrollBar.h"
#include "designer/ShellNames.h"
#include "designer/WorkspaceFrame.h"
#include "designer/mFrm_Bill.h"

#include "model/ObjDraw.h"
#include "model/ObjDraws.h"

#include "platform/FakeDialogs.h"
#include "platform/Platform.h"
#include "platform/Screen.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>
#include <QWindow>

#include <cmath>
#include <functional>
#include <memory>

namespace {

// How far the scroll bars stop short of the client area's bottom and right
// edges, in pixels (negative: past them).
// The bars lie in the page area, right of and below the rulers.
QPoint barGaps(const mFrm_Bill &bill)
{
    const QPoint area = bill.pageArea().mapTo(&bill, QPoint(0, 0));
    return QPoint(bill.width() - 1 - bill.VS().geometry().translated(area).right(),
                  bill.height() - 1 - bill.HS().geometry().translated(area).bottom());
}

} // namespace

class TestDesignerMain : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void normalFrameAllowance_data();
    void normalFrameAllowance();
    void scrollBarsSitAtTheClientEdges_data();
    void scrollBarsSitAtTheClientEdges();
    void drawingReturnsTheMainWindowToSelection();
    void releaseShowsTheLockOnTheMainWindow();
    void contextMenuStates_data();
    void contextMenuStates();
    void aToolShortcutDuringABandAddsNothing();

private:
    mFrm_Bill *open(bool maximized = false);
    QPoint at(mFrm_Bill *bill, double x, double y) const;
    void press(QPoint p, Qt::MouseButton b = Qt::LeftButton);
    void move(QPoint p);
    void release(QPoint p, Qt::MouseButton b = Qt::LeftButton);
    void drag(mFrm_Bill *bill, double x1, double y1, double x2, double y2);

    std::unique_ptr<mFrm_Main> main;
};

void TestDesignerMain::initTestCase()
{
    Screen::setTwipsPerPixel(15, 15);
}

void TestDesignerMain::init()
{
    Platform::installFakes();
    main = std::make_unique<mFrm_Main>();
    main->resize(1000, 800);
    main->show();
    QVERIFY(QTest::qWaitForWindowActive(main.get()));
}

void TestDesignerMain::cleanup()
{
    main.reset();
}

mFrm_Bill *TestDesignerMain::open(bool maximized)
{
    auto *bill = new mFrm_Bill(*main);
    QMdiSubWindow *frame = main->workspace()->addSubWindow(bill);
    frame->resize(700, 500);
    if (maximized)
        frame->showMaximized();
    else
        frame->show();
    main->workspace()->setActiveSubWindow(frame);
    return bill;
}

QPoint TestDesignerMain::at(mFrm_Bill *bill, double x, double y) const
{
    const QPoint local(int(std::lround(x / 15.0)), int(std::lround(y / 15.0)));
    return bill->pageView().mapTo(main.get(), local);
}

void TestDesignerMain::press(QPoint p, Qt::MouseButton b)
{
    QTest::mousePress(main->windowHandle(), b, {}, p);
}

void TestDesignerMain::move(QPoint p)
{
    QTest::mouseMove(main->windowHandle(), p);
}

void TestDesignerMain::release(QPoint p, Qt::MouseButton b)
{
    QTest::mouseRelease(main->windowHandle(), b, {}, p);
}

void TestDesignerMain::drag(mFrm_Bill *bill, double x1, double y1, double x2, double y2)
{
    press(at(bill, x1, y1));
    move(at(bill, (x1 + x2) / 2, (y1 + y2) / 2));
    move(at(bill, x2, y2));
    release(at(bill, x2, y2));
}

void TestDesignerMain::normalFrameAllowance_data()
{
    QTest::addColumn<QString>("style");
    QTest::addColumn<bool>("frameless");
    QTest::newRow("fusion") << "Fusion" << false;
    QTest::newRow("windows") << "Windows" << false;
    QTest::newRow("frameless") << "Fusion" << true;
}

// What a frame never seen in its normal state is taken to add: what the
// workspace really adds in that state.
void TestDesignerMain::normalFrameAllowance()
{
    QFETCH(QString, style);
    QFETCH(bool, frameless);
    std::unique_ptr<QStyle> look(QStyleFactory::create(style));
    QVERIFY(look);
    // Declared after the style, so it goes before the style does.
    std::unique_ptr<QMdiSubWindow> frame(main->workspace()->addSubWindow(new QWidget));
    frame->setStyle(look.get());
    if (frameless)
        frame->setWindowFlags(Qt::FramelessWindowHint);
    frame->resize(300, 200);
    frame->show();
    auto added = [&] {
        const QMargins m = frame->contentsMargins();
        return QSize(m.left() + m.right(), m.top() + m.bottom());
    };
    QTRY_COMPARE(WorkspaceFrame::normalAllowance(*frame), added());
    QCOMPARE(WorkspaceFrame::normalAllowance(*frame).isNull(), frameless);
}

void TestDesignerMain::scrollBarsSitAtTheClientEdges_data()
{
    // What the workspace does to the designer window opened first; returns
    // the designer window to look at.
    using Change = std::function<mFrm_Bill *(mFrm_Bill *)>;
    QTest::addColumn<Change>("change");
    // Only a frame in its normal state shows a caption and a border.
    QTest::addColumn<bool>("framed");
    auto frameOf = [](mFrm_Bill *bill) {
        return qobject_cast<QMdiSubWindow *>(bill->parentWidget());
    };
    QTest::newRow("maximized") << Change([=](mFrm_Bill *bill) {
        frameOf(bill)->showMaximized();
        return bill;
    }) << false;
    QTest::newRow("maximized, then restored") << Change([=](mFrm_Bill *bill) {
        frameOf(bill)->showMaximized();
        frameOf(bill)->showNormal();
        return bill;
    }) << true;
    QTest::newRow("opened while another is maximized") << Change([=, this](mFrm_Bill *bill) {
        frameOf(bill)->showMaximized();
        return open();
    }) << false;
    QTest::newRow("tabbed workspace") << Change([this](mFrm_Bill *bill) {
        main->workspace()->setViewMode(QMdiArea::TabbedView);
        return bill;
    }) << false;
    QTest::newRow("opened maximized")
        << Change([this](mFrm_Bill *) { return open(true); }) << false;
}

// The scroll bars keep the place they have in a normal frame, whatever
// caption and border the workspace gives the frame.
void TestDesignerMain::scrollBarsSitAtTheClientEdges()
{
    QFETCH(std::function<mFrm_Bill *(mFrm_Bill *)>, change);
    QFETCH(bool, framed);
    mFrm_Bill *bill = open();
    const QPoint normal = barGaps(*bill);
    QVERIFY(std::abs(normal.x()) <= 2);
    QVERIFY(std::abs(normal.y()) <= 2);

    mFrm_Bill *looked = change(bill);
    // Let the workspace lay the frames out before measuring: the expected
    // gaps are those of before the change, so waiting for them would pass
    // before the change took effect.
    QCoreApplication::processEvents();
    auto *lookedFrame = qobject_cast<QMdiSubWindow *>(looked->parentWidget());
    // Without caption and border, the client fills the frame.
    QCOMPARE(lookedFrame->contentsMargins().isNull(), !framed);
    QCOMPARE(barGaps(*looked), normal);
}

void TestDesignerMain::drawingReturnsTheMainWindowToSelection()
{
    mFrm_Bill *bill = open();
    main->mun_DrawObj(DrawTool::Text)->trigger();
    QCOMPARE(main->gDrawMode(), int(DrawTool::Text));
    QCOMPARE(main->buttonValue(ToolbarKey::DrawText), int(DesignerShell::Pressed));

    drag(bill, 1500, 750, 3000, 1200);
    QCOMPARE(bill->mObjs().Count(), 1);
    QCOMPARE(main->gDrawMode(), int(DrawTool::Select));
    QCOMPARE(main->buttonValue(ToolbarKey::DrawSel), int(DesignerShell::Pressed));
    QCOMPARE(main->buttonValue(ToolbarKey::DrawText), int(DesignerShell::Released));
    QVERIFY(main->mun_DrawObj(DrawTool::Select)->isChecked());
    QVERIFY(!main->mun_DrawObj(DrawTool::Text)->isChecked());
    QVERIFY(main->mun_ObjDraw(DrawTool::Select)->isChecked());
    QCOMPARE(main->gActiveBill(), bill);
}

void TestDesignerMain::releaseShowsTheLockOnTheMainWindow()
{
    mFrm_Bill *bill = open();
    main->mun_DrawObj(DrawTool::Text)->trigger();
    drag(bill, 1500, 750, 3000, 1200);
    bill->Locked();
    press(at(bill, 2000, 900));
    release(at(bill, 2000, 900));
    QVERIFY(main->action(MenuItem::EditLock)->isChecked());
    QCOMPARE(main->buttonValue(ToolbarKey::Locked), int(DesignerShell::Pressed));

    bill->Locked();
    press(at(bill, 2000, 900));
    release(at(bill, 2000, 900));
    QVERIFY(!main->action(MenuItem::EditLock)->isChecked());
    QCOMPARE(main->buttonValue(ToolbarKey::Locked), int(DesignerShell::Released));
}

void TestDesignerMain::contextMenuStates_data()
{
    QTest::addColumn<int>("selected");
    QTest::addColumn<bool>("several");
    QTest::addColumn<bool>("some");
    QTest::addColumn<bool>("one");
    QTest::newRow("none") << 0 << false << false << false;
    QTest::newRow("one, locked") << 1 << false << true << true;
    QTest::newRow("two") << 2 << true << true << false;
}

void TestDesignerMain::contextMenuStates()
{
    QFETCH(int, selected);
    QFETCH(bool, several);
    QFETCH(bool, some);
    QFETCH(bool, one);
    mFrm_Bill *bill = open();
    main->mun_DrawObj(DrawTool::Text)->trigger();
    drag(bill, 1500, 750, 3000, 1200);
    main->mun_DrawObj(DrawTool::Text)->trigger();
    drag(bill, 4500, 750, 6000, 1200);
    if (selected == 1)
        bill->Locked();
    else if (selected == 2)
        drag(bill, 600, 300, 7000, 1500);
    else
        bill->mObjs().setNActCount(0);
    QCOMPARE(bill->mObjs().nActCount(), selected);

    press(at(bill, 5000, 2700), Qt::RightButton);
    release(at(bill, 5000, 2700), Qt::RightButton);
    QMenu *menu = main->contextMenu();
    QTRY_VERIFY(menu->isVisible());
    QCOMPARE(main->action(MenuItem::Align)->isEnabled(), several);
    QCOMPARE(main->menu(MenuItem::Align)->isEnabled(), several);
    QCOMPARE(main->action(MenuItem::SameSize)->isEnabled(), several);
    QCOMPARE(main->action(MenuItem::Delete)->isEnabled(), some);
    QCOMPARE(main->action(MenuItem::Lock)->isEnabled(), some);
    QCOMPARE(main->action(MenuItem::Clone)->isEnabled(), some);
    QCOMPARE(main->action(MenuItem::ObjProp)->isEnabled(), one);
    QCOMPARE(main->action(MenuItem::Lock)->isChecked(), selected == 1);
    menu->close();
}

// Ctrl+T while a band is being drawn switches the tool; the band still
// ends as a band and joins nothing to the template.
void TestDesignerMain::aToolShortcutDuringABandAddsNothing()
{
    mFrm_Bill *bill = open();
    main->mun_DrawObj(DrawTool::Text)->trigger();
    drag(bill, 1500, 750, 3000, 1200);
    QCOMPARE(main->gDrawMode(), int(DrawTool::Select));

    press(at(bill, 600, 300));
    move(at(bill, 1200, 600));
    QTest::keyClick(main.get(), Qt::Key_T, Qt::ControlModifier);
    QCOMPARE(main->gDrawMode(), int(DrawTool::Text));
    move(at(bill, 1800, 900));
    release(at(bill, 1800, 900));

    QCOMPARE(bill->mObjs().Count(), 1);
    QCOMPARE(bill->mObjs().nCurID(), 1001);
    QCOMPARE(bill->mObjs().nActCount(), 1);
    QCOMPARE(main->gDrawMode(), int(DrawTool::Text));
    bill->Delete();
    QVERIFY(!bill->ObjText()(1001).Visible());
}

QTEST_MAIN(TestDesignerMain)
#include "tst_designermain.moc"
