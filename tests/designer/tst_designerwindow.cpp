#include "DesignerHarness.h"

#include "tests/platform/Typing.h"

#include "designer/DrawTool.h"
#include "designer/FixHandle.h"
#include "designer/PicturePicker.h"
#include "platform/ScaleConversion.h"
#include "designer/ScrollBar.h"
#include "designer/ShellNames.h"

#include "model/HandlePosition.h"
#include "model/ObjDraw.h"
#include "model/ObjDraws.h"

#include "print/Mod_Print.h"

#include "platform/FakeDialogs.h"
#include "platform/PageSurface.h"
#include "platform/Platform.h"
#include "platform/PointerConfinement.h"
#include "platform/PointerShape.h"
#include "platform/RecordingPointerConfinement.h"
#include "platform/Screen.h"

#include <QApplication>
#include <QHelpEvent>
#include <QToolTip>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPaintEvent>
#include <QTemporaryDir>

#include <functional>
#include <memory>

namespace {

QRectF box(const Element &e)
{
    return QRectF(e.Left(), e.Top(), e.Width(), e.Height());
}

QRectF lineOf(const Element &e)
{
    return QRectF(QPointF(e.x1(), e.y1()), QPointF(e.x2(), e.y2()));
}

// The handle element of object nID at a HandlePosition: object n owns the
// elements 8n-7 .. 8n.
Element &handleOf(mFrm_Bill *bill, int nID, int position)
{
    return bill->PicHD()(8 * nID - 8 + position);
}

// The middle of a handle's picture, in page twips.
QPointF handleMiddle(const Element &handle)
{
    return QPointF(handle.Left() + 45, handle.Top() + 45);
}

RecordingPointerConfinement &pointer()
{
    return static_cast<RecordingPointerConfinement &>(Platform::pointer());
}

QColor pixelAt(mFrm_Bill *bill, const QPointF &twips)
{
    const QImage image = bill->pageView().grab().toImage();
    return image.pixelColor(int(twips.x() / 15.0), int(twips.y() / 15.0));
}

} // namespace

class TestDesignerWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void newWindowShowsTheDefaultPage();
    void drawingATextBox_data();
    void drawingATextBox();
    void drawingALine();
    void aClickDrawsNoInvisibleObject_data();
    void aClickDrawsNoInvisibleObject();
    void bandSelection_data();
    void bandSelection();
    void toolChangedDuringAGesture_data();
    void toolChangedDuringAGesture();
    void commandsOnAnObjectWithoutElement();
    void pressOnALockedObjectSelectsWithoutMoving();
    void groupMoveLeavesTheLockedMemberInPlace();
    void pressOnAnUnselectedObjectSelectsOnlyIt();
    void sizingByAHandle_data();
    void sizingByAHandle();
    void aHandleOfAMultipleSelectionReducesIt_data();
    void aHandleOfAMultipleSelectionReducesIt();
    void pageSizing_data();
    void pageSizing();
    void aDragLeavingItsHandleStillEndsTheGesture();
    void drawingStopsAtTheConfinement_data();
    void drawingStopsAtTheConfinement();
    void pageSizingStopsAtTheWindow();
    void scrollRanges_data();
    void scrollRanges();
    void aScrollMaximumBeyond16BitsKeepsTheRange_data();
    void aScrollMaximumBeyond16BitsKeepsTheRange();
    void aGrownWindowClampsTheScrollPosition_data();
    void aGrownWindowClampsTheScrollPosition();
    void rightPressChangesOnlyMenuStates_data();
    void rightPressChangesOnlyMenuStates();
    void ctrlKeyRefreshesMenuStates_data();
    void ctrlKeyRefreshesMenuStates();
    void handlePixels_data();
    void handlePixels();
    void onlyChangedAreasAreRepainted_data();
    void onlyChangedAreasAreRepainted();
    void theBarsStayOutOfThePagesRepaints();
    void inPlaceCaptionEditing();
    void inPlaceEditingEndsOnFocusLoss();
    void handlesFollowAnAutoSizedTextAsItIsEdited_data();
    void handlesFollowAnAutoSizedTextAsItIsEdited();
    void dataBoundTextIsNotEdited();
    void pictureChoice_data();
    void pictureChoice();
    void runningOutOfIds_data();
    void runningOutOfIds();
    void deleteHidesTheSelection_data();
    void deleteHidesTheSelection();
    void lockedTogglesTheSelection_data();
    void lockedTogglesTheSelection();
    void selAll_data();
    void selAll();
    void setAlign_data();
    void setAlign();
    void preView_data();
    void preView();
    void closingOneOfTwoDesignersKeepsTheOtherActive_data();
    void closingOneOfTwoDesignersKeepsTheOtherActive();
    void aClosedWindowActivatedOnItsWayOutIsNotKept();
    void codesShowOnThePageWithTheirProblemAsTip();

private:
    // Three texts: A (1500,750)-(3000,1200), B (4500,750)-(6000,1200) and
    // C (1500,2250)-(3000,2700), drawn in that order.
    void drawThreeTexts(mFrm_Bill *bill);

    std::unique_ptr<DesignerHarness> h;
    FakeDialogs *dialogs = nullptr;
};

void TestDesignerWindow::initTestCase()
{
    Screen::setTwipsPerPixel(15, 15);
}

void TestDesignerWindow::init()
{
    dialogs = &Platform::installFakes();
    h = std::make_unique<DesignerHarness>();
    QVERIFY(h->ready());
}

void TestDesignerWindow::cleanup()
{
    h.reset();
}

void TestDesignerWindow::drawThreeTexts(mFrm_Bill *bill)
{
    h->draw(bill, DrawTool::Text, 1500, 750, 3000, 1200);
    h->draw(bill, DrawTool::Text, 4500, 750, 6000, 1200);
    h->draw(bill, DrawTool::Text, 1500, 2250, 3000, 2700);
    QCOMPARE(bill->mObjs().Count(), 3);
}

void TestDesignerWindow::newWindowShowsTheDefaultPage()
{
    mFrm_Bill *bill = h->open();
    QCOMPARE(bill->PicPage().Left(), 0.0);
    QCOMPARE(bill->PicPage().Top(), 0.0);
    QCOMPARE(bill->PicPage().Width(), 8190.0);
    QCOMPARE(bill->PicPage().Height(), 3690.0);
    QCOMPARE(bill->pageView().geometry(), QRect(0, 0, 546, 246));
    QCOMPARE(bill->HS().singleStep(), 100);
    QCOMPARE(bill->HS().pageStep(), 1000);
    QCOMPARE(bill->PicHD().designElement().Width(), 75.0);
    // The right-edge handle sits 5 twips right of the page, mid-height.
    QCOMPARE(bill->PicFixHd(FixHandle::RightEdge).Left(), 8195.0);
    QCOMPARE(bill->PicFixHd(FixHandle::RightEdge).Top(), 1845.0 + 13);
    QCOMPARE(bill->PicFixHd(FixHandle::Corner).MousePointer(), int(PointerShape::SizeNWSE));
    QVERIFY(bill->PicFixHd(FixHandle::BottomEdge).Visible());
    QCOMPARE(bill->ScaleX(1440, ScaleConversion::Twips, ScaleConversion::Millimeters), 25.4);
    QCOMPARE(h->shell.gActiveBill(), bill);
}

void TestDesignerWindow::drawingATextBox_data()
{
    QTest::addColumn<QPointF>("from");
    QTest::addColumn<QPointF>("to");
    QTest::newRow("down-right") << QPointF(1500, 750) << QPointF(3000, 1200);
    QTest::newRow("up-left") << QPointF(3000, 1200) << QPointF(1500, 750);
    QTest::newRow("down-left") << QPointF(3000, 750) << QPointF(1500, 1200);
}

void TestDesignerWindow::drawingATextBox()
{
    QFETCH(QPointF, from);
    QFETCH(QPointF, to);
    mFrm_Bill *bill = h->open();
    h->draw(bill, DrawTool::Text, from.x(), from.y(), to.x(), to.y());

    const Element &label = bill->ObjText()(1001);
    QVERIFY(label.Visible());
    QCOMPARE(box(label), QRectF(1500, 750, 1500, 450));
    QCOMPARE(bill->mObjs().Count(), 1);
    QCOMPARE(bill->mObjs().nCurID(), 1001);
    QCOMPARE(bill->mObjs().nActCount(), 1);
    QVERIFY(handleOf(bill, 1001, HandlePosition::BottomRight).Visible());
    // The tool is back to selection with "DrawSel" pressed.
    QCOMPARE(h->shell.drawMode, int(DrawTool::Select));
    QCOMPARE(h->shell.toolSelections, std::vector<int>{DrawTool::Select});
    QCOMPARE(h->shell.buttons.value(ToolbarKey::DrawSel), int(DesignerShell::Pressed));
    QCOMPARE(h->shell.buttons.value(ToolbarKey::Locked), int(DesignerShell::Released));
    QCOMPARE(h->shell.checked.value(MenuItem::EditLock, true), false);
    QVERIFY(!Platform::pointer().isConfined());
    QCOMPARE(pointer().clips, 1);
}

void TestDesignerWindow::drawingALine()
{
    mFrm_Bill *bill = h->open();
    h->draw(bill, DrawTool::Line, 2400, 1500, 600, 600);
    const Element &line = bill->ObjLine()(1);
    QVERIFY(line.Visible());
    QCOMPARE(lineOf(line), QRectF(QPointF(2400, 1500), QPointF(600, 600)));
    QCOMPARE(bill->mObjs().nCurID(), 1);
    // A line shows only the handles on its ends.
    QVERIFY(handleOf(bill, 1, HandlePosition::TopLeft).Visible());
    QVERIFY(handleOf(bill, 1, HandlePosition::BottomRight).Visible());
    QVERIFY(!handleOf(bill, 1, HandlePosition::TopRight).Visible());
    // The rubber line is gone and the line itself is painted.
    QVERIFY(bill->PicPage().marks().empty());
    QCOMPARE(pixelAt(bill, QPointF(1500, 1050)), QColor(Qt::black));
    QCOMPARE(h->shell.drawMode, int(DrawTool::Select));
}

void TestDesignerWindow::aClickDrawsNoInvisibleObject_data()
{
    QTest::addColumn<int>("tool");
    QTest::addColumn<QPointF>("moveTo");
    QTest::addColumn<int>("count");
    QTest::addColumn<QRectF>("expected");
    // A text or picture without width or height takes the size of one drawn
    // by a click; a line without length is not drawn.
    const QPointF still(1500, 750);
    QTest::newRow("text click") << int(DrawTool::Text) << still << 1
                                << QRectF(1500, 750, 1440, 315);
    QTest::newRow("text no height") << int(DrawTool::Text) << QPointF(3000, 750) << 1
                                    << QRectF(1500, 750, 1440, 315);
    QTest::newRow("picture click") << int(DrawTool::Picture) << still << 1
                                   << QRectF(1500, 750, 1440, 1440);
    QTest::newRow("line click") << int(DrawTool::Line) << still << 0 << QRectF();
    QTest::newRow("line back to start") << int(DrawTool::Line) << QPointF(3000, 1500) << 0
                                        << QRectF();
}

void TestDesignerWindow::aClickDrawsNoInvisibleObject()
{
    QFETCH(int, tool);
    QFETCH(QPointF, moveTo);
    QFETCH(int, count);
    QFETCH(QRectF, expected);
    mFrm_Bill *bill = h->open();
    h->shell.drawMode = tool;
    h->press(h->at(bill, 1500, 750));
    h->move(h->at(bill, moveTo.x(), moveTo.y()));
    h->release(h->at(bill, 1500, 750));

    QCOMPARE(bill->mObjs().Count(), count);
    if (count == 0) {
        QVERIFY(!bill->ObjLine()(1).Visible());
        QCOMPARE(bill->mObjs().nCurID(), 0);
        QVERIFY(bill->PicPage().marks().empty());
    } else {
        const bool text = tool == DrawTool::Text;
        const int id = text ? 1001 : 2001;
        const Element &e = text ? bill->ObjText()(id) : bill->ObjImg()(id);
        QVERIFY(e.Visible());
        QCOMPARE(box(e), expected);
        QCOMPARE(bill->mObjs().nCurID(), id);
        // Its handles sit around the default box.
        QCOMPARE(handleOf(bill, id, HandlePosition::BottomRight).Left(), expected.right() - 37 - 8);
        QVERIFY(handleOf(bill, id, HandlePosition::BottomRight).Visible());
    }
    QCOMPARE(h->shell.drawMode, int(DrawTool::Select));
    QCOMPARE(h->shell.buttons.value(ToolbarKey::DrawSel), int(DesignerShell::Pressed));
}

void TestDesignerWindow::bandSelection_data()
{
    QTest::addColumn<QRectF>("band");
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("current");
    QTest::newRow("touching A") << QRectF(QPointF(600, 300), QPointF(1800, 900)) << 1 << 1001;
    QTest::newRow("touching all") << QRectF(QPointF(600, 300), QPointF(7000, 3000)) << 3 << 1001;
    QTest::newRow("drawn upwards") << QRectF(QPointF(7000, 3000), QPointF(2900, 2600)) << 1
                                   << 1003;
    QTest::newRow("missing") << QRectF(QPointF(600, 1500), QPointF(7000, 2100)) << 0 << 0;
    QTest::newRow("only touching an edge") << QRectF(QPointF(600, 300), QPointF(1500, 900)) << 0
                                           << 0;
}

void TestDesignerWindow::bandSelection()
{
    QFETCH(QRectF, band);
    QFETCH(int, selected);
    QFETCH(int, current);
    mFrm_Bill *bill = h->open();
    drawThreeTexts(bill);

    h->press(h->at(bill, band.left(), band.top()));
    h->move(h->at(bill, band.center().x(), band.center().y()));
    QCOMPARE(bill->mObjs().nActCount(), 0);
    QVERIFY(!bill->PicPage().bands().empty());
    h->move(h->at(bill, band.right(), band.bottom()));
    h->release(h->at(bill, band.right(), band.bottom()));

    QCOMPARE(bill->mObjs().nActCount(), selected);
    QCOMPARE(bill->mObjs().nCurID(), current);
    QVERIFY(bill->PicPage().bands().empty());
    QCOMPARE(h->shell.drawMode, int(DrawTool::Select));
    QCOMPARE(box(bill->ObjText()(1001)), QRectF(1500, 750, 1500, 450));
}

void TestDesignerWindow::toolChangedDuringAGesture_data()
{
    QTest::addColumn<int>("pressTool");
    QTest::addColumn<int>("laterTool");
    QTest::addColumn<QPointF>("from");
    QTest::addColumn<QPointF>("to");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("current");
    QTest::addColumn<QRectF>("currentBox");
    const int select = DrawTool::Select;
    QTest::newRow("band, then the text tool")
        << select << int(DrawTool::Text) << QPointF(600, 300) << QPointF(1800, 900) << 3 << 1001
        << QRectF(1500, 750, 1500, 450);
    QTest::newRow("text, then the selection tool")
        << int(DrawTool::Text) << select << QPointF(4500, 2250) << QPointF(6000, 2700) << 4 << 1004
        << QRectF(4500, 2250, 1500, 450);
    QTest::newRow("drag, then the line tool")
        << select << int(DrawTool::Line) << QPointF(2000, 900) << QPointF(2600, 1200) << 3 << 1001
        << QRectF(2100, 1050, 1500, 450);
}

// The menu shortcuts change the tool while the button is held; the gesture
// still ends as it began.
void TestDesignerWindow::toolChangedDuringAGesture()
{
    QFETCH(int, pressTool);
    QFETCH(int, laterTool);
    QFETCH(QPointF, from);
    QFETCH(QPointF, to);
    QFETCH(int, count);
    QFETCH(int, current);
    QFETCH(QRectF, currentBox);
    mFrm_Bill *bill = h->open();
    drawThreeTexts(bill);
    h->shell.drawMode = pressTool;
    const QPointF middle = (from + to) / 2;
    h->press(h->at(bill, from.x(), from.y()));
    h->move(h->at(bill, middle.x(), middle.y()));
    h->shell.drawMode = laterTool;
    h->move(h->at(bill, to.x(), to.y()));
    h->release(h->at(bill, to.x(), to.y()));

    QCOMPARE(bill->mObjs().Count(), count);
    QCOMPARE(bill->mObjs().nCurID(), current);
    QCOMPARE(bill->mObjs().nActCount(), 1);
    QVERIFY(!bill->mObjs().findByID(current)->IsDraging());
    const Element &element = bill->ObjText()(current);
    QCOMPARE(box(element), currentBox);
    for (int position = HandlePosition::TopLeft; position <= HandlePosition::Count; ++position)
        QVERIFY(handleOf(bill, current, position).Visible());
    QVERIFY(bill->PicPage().bands().empty());
    QVERIFY(!Platform::pointer().isConfined());
    // A new object sends the tool back to selection; anything else leaves
    // the tool the user picked.
    QCOMPARE(h->shell.drawMode, pressTool != DrawTool::Select ? int(DrawTool::Select) : laterTool);

    bill->Delete();
    QVERIFY(!element.Visible());
    QCOMPARE(bill->mObjs().nActCount(), 0);
    QVERIFY(dialogs->shown.empty());
}

// An object that never got its element (nothing the designer makes now)
// is reported by the commands, not followed into nothing.
void TestDesignerWindow::commandsOnAnObjectWithoutElement()
{
    mFrm_Bill *bill = h->open();
    h->draw(bill, DrawTool::Text, 1500, 750, 3000, 1200);
    ObjDraw bare(&bill->PicPage());
    bare.setNID(2);
    const std::shared_ptr<ObjDraw> added = bill->mObjs().Add(bare, ObjDraw::KeyOf(2));

    // Selected together with the text: the text is hidden before the
    // failure, and stays so.
    added->setIsActive(true);
    bill->mObjs().setNActCount(2);
    bill->Delete();
    QCOMPARE(dialogs->messages(), QStringList{QStringLiteral("删除对象失败！")});
    QVERIFY(!bill->ObjText()(1001).Visible());

    // Alone and current.
    bill->mObjs().setNActCount(0);
    bill->mObjs().setNCurID(2);
    bill->Delete();
    QCOMPARE(dialogs->messages().size(), 2);
    QCOMPARE(dialogs->messages().last(), QStringLiteral("删除对象失败！"));
    QCOMPARE(bill->mObjs().Count(), 2);
}

void TestDesignerWindow::pressOnALockedObjectSelectsWithoutMoving()
{
    mFrm_Bill *bill = h->open();
    drawThreeTexts(bill);
    h->click(bill, 2000, 900);
    bill->Locked();
    h->click(bill, 5000, 900);
    QCOMPARE(bill->mObjs().nCurID(), 1002);
    QCOMPARE(h->shell.checked.value(MenuItem::EditLock), false);

    h->drag(bill, 2000, 900, 3500, 1800);
    QCOMPARE(box(bill->ObjText()(1001)), QRectF(1500, 750, 1500, 450));
    QCOMPARE(bill->mObjs().nCurID(), 1001);
    QCOMPARE(bill->mObjs().nActCount(), 1);
    QVERIFY(handleOf(bill, 1001, HandlePosition::TopLeft).Visible());
    QCOMPARE(h->shell.checked.value(MenuItem::EditLock), true);
    QCOMPARE(h->shell.buttons.value(ToolbarKey::Locked), int(DesignerShell::Pressed));
}

void TestDesignerWindow::groupMoveLeavesTheLockedMemberInPlace()
{
    mFrm_Bill *bill = h->open();
    drawThreeTexts(bill);
    h->click(bill, 2000, 2400);
    bill->Locked();
    h->drag(bill, 600, 300, 7000, 3000);
    QCOMPARE(bill->mObjs().nActCount(), 3);

    h->drag(bill, 5000, 900, 5600, 1200);
    QCOMPARE(box(bill->ObjText()(1001)), QRectF(2100, 1050, 1500, 450));
    QCOMPARE(box(bill->ObjText()(1002)), QRectF(5100, 1050, 1500, 450));
    QCOMPARE(box(bill->ObjText()(1003)), QRectF(1500, 2250, 1500, 450));
    QCOMPARE(bill->mObjs().nActCount(), 3);
    // The moved objects show their handles at their new places.
    QCOMPARE(handleOf(bill, 1002, HandlePosition::TopLeft).Left(), 5100 - 37 + 8.0);
    QVERIFY(handleOf(bill, 1002, HandlePosition::TopLeft).Visible());
    QVERIFY(!Platform::pointer().isConfined());
}

void TestDesignerWindow::pressOnAnUnselectedObjectSelectsOnlyIt()
{
    mFrm_Bill *bill = h->open();
    drawThreeTexts(bill);
    h->drag(bill, 600, 300, 7000, 1500);
    QCOMPARE(bill->mObjs().nActCount(), 2);

    h->drag(bill, 2000, 2400, 2300, 2550);
    QCOMPARE(bill->mObjs().nActCount(), 1);
    QCOMPARE(bill->mObjs().nCurID(), 1003);
    QVERIFY(!bill->mObjs().findByID(1001)->IsActive());
    QVERIFY(!bill->mObjs().findByID(1002)->IsActive());
    // Only it was dragged.
    QCOMPARE(box(bill->ObjText()(1003)), QRectF(1800, 2400, 1500, 450));
    QCOMPARE(box(bill->ObjText()(1001)), QRectF(1500, 750, 1500, 450));
}

void TestDesignerWindow::sizingByAHandle_data()
{
    QTest::addColumn<bool>("locked");
    QTest::addColumn<QRectF>("expected");
    QTest::newRow("unlocked") << false << QRectF(1500, 750, 2100, 750);
    QTest::newRow("locked") << true << QRectF(1500, 750, 1500, 450);
}

void TestDesignerWindow::sizingByAHandle()
{
    QFETCH(bool, locked);
    QFETCH(QRectF, expected);
    mFrm_Bill *bill = h->open();
    h->draw(bill, DrawTool::Text, 1500, 750, 3000, 1200);
    if (locked)
        bill->Locked();
    const int clipsBefore = pointer().clips;

    const QPointF grip = handleMiddle(handleOf(bill, 1001, HandlePosition::BottomRight));
    QCOMPARE(grip, QPointF(3000, 1200));
    h->press(h->at(bill, grip.x(), grip.y()));
    h->move(h->at(bill, 3300, 1350));
    h->move(h->at(bill, 3600, 1500));
    h->release(h->at(bill, 3600, 1500));

    QCOMPARE(box(bill->ObjText()(1001)), expected);
    QCOMPARE(handleOf(bill, 1001, HandlePosition::BottomRight).Left(), expected.right() - 45);
    QVERIFY(handleOf(bill, 1001, HandlePosition::BottomRight).Visible());
    QCOMPARE(bill->mObjs().nCurID(), 1001);
    QCOMPARE(pointer().clips - clipsBefore, locked ? 0 : 1);
    QVERIFY(!Platform::pointer().isConfined());
}

void TestDesignerWindow::aHandleOfAMultipleSelectionReducesIt_data()
{
    QTest::addColumn<bool>("locked");
    QTest::addColumn<QRectF>("expected");
    QTest::newRow("unlocked") << false << QRectF(QPointF(600, 1800), QPointF(3000, 2700));
    // A locked object is not sized, but the press still picks it out.
    QTest::newRow("locked") << true << QRectF(QPointF(600, 1800), QPointF(2400, 2400));
}

void TestDesignerWindow::aHandleOfAMultipleSelectionReducesIt()
{
    QFETCH(bool, locked);
    QFETCH(QRectF, expected);
    mFrm_Bill *bill = h->open();
    h->draw(bill, DrawTool::Line, 600, 600, 2400, 600);
    h->draw(bill, DrawTool::Line, 600, 1800, 2400, 2400);
    if (locked)
        bill->Locked();
    h->drag(bill, 300, 300, 3000, 3000);
    QCOMPARE(bill->mObjs().nActCount(), 2);
    QCOMPARE(bill->mObjs().nCurID(), 1);
    const int clips = pointer().clips;

    // The end handle of the second line (its bottom-right handle) is PicHD
    // element 13.
    const Element &end = bill->PicHD()(13);
    QVERIFY(end.Visible());
    const QPointF grip = handleMiddle(end);
    h->press(h->at(bill, grip.x(), grip.y()));
    QCOMPARE(bill->mObjs().nActCount(), 1);
    QCOMPARE(bill->mObjs().nCurID(), 2);
    QVERIFY(!bill->mObjs().findByID(1)->IsActive());
    QVERIFY(!handleOf(bill, 1, HandlePosition::TopLeft).Visible());
    QCOMPARE(bill->currentObject()->nID(), 2);
    h->move(h->at(bill, 2700, 2550));
    h->move(h->at(bill, 3000, 2700));
    h->release(h->at(bill, 3000, 2700));
    QCOMPARE(lineOf(bill->ObjLine()(2)), expected);
    QCOMPARE(lineOf(bill->ObjLine()(1)), QRectF(QPointF(600, 600), QPointF(2400, 600)));
    QVERIFY(end.Visible());
    QCOMPARE(pointer().clips - clips, locked ? 0 : 1);
    QVERIFY(!Platform::pointer().isConfined());
}

void TestDesignerWindow::pageSizing_data()
{
    QTest::addColumn<int>("handle");
    QTest::addColumn<QPoint>("pixels");
    QTest::addColumn<QSizeF>("expected");
    // 15 twips a pixel; the page never gets smaller than 1000 twips.
    const int right = FixHandle::RightEdge;
    const int bottom = FixHandle::BottomEdge;
    const int corner = FixHandle::Corner;
    QTest::newRow("right edge outward") << right << QPoint(20, 40) << QSizeF(8490, 3690);
    QTest::newRow("bottom edge outward") << bottom << QPoint(40, 10) << QSizeF(8190, 3840);
    QTest::newRow("corner outward") << corner << QPoint(20, 10) << QSizeF(8490, 3840);
    QTest::newRow("right edge far inward") << right << QPoint(-520, -100) << QSizeF(1000, 3690);
    QTest::newRow("bottom edge far inward") << bottom << QPoint(-100, -240) << QSizeF(8190, 1000);
    QTest::newRow("corner far inward") << corner << QPoint(-530, -240) << QSizeF(1000, 1000);
}

void TestDesignerWindow::pageSizing()
{
    QFETCH(int, handle);
    QFETCH(QPoint, pixels);
    QFETCH(QSizeF, expected);
    mFrm_Bill *bill = h->open();
    FixHandle &grip = bill->PicFixHd(handle);
    const QPoint from = grip.mapTo(&h->area, QPoint(2, 2));
    h->press(from);
    QVERIFY(!bill->PicFixHd(FixHandle::RightEdge).Visible());
    QVERIFY(Platform::pointer().isConfined());
    h->move(from + pixels / 2);
    h->move(from + pixels);
    h->release(from + pixels);

    QCOMPARE(QSizeF(bill->PicPage().Width(), bill->PicPage().Height()), expected);
    for (int i : {FixHandle::RightEdge, FixHandle::BottomEdge, FixHandle::Corner})
        QVERIFY(bill->PicFixHd(i).Visible());
    QCOMPARE(bill->PicFixHd(FixHandle::RightEdge).Left(), expected.width() + 5);
    QCOMPARE(bill->PicFixHd(FixHandle::BottomEdge).Top(), expected.height() + 5);
    QVERIFY(!Platform::pointer().isConfined());
}

void TestDesignerWindow::aDragLeavingItsHandleStillEndsTheGesture()
{
    mFrm_Bill *bill = h->open();
    const QPoint from = bill->PicFixHd(FixHandle::RightEdge).mapTo(&h->area, QPoint(2, 2));
    const QPoint over = h->at(bill, 3000, 1500);
    h->press(from);
    h->move(over);
    QCOMPARE(bill->PicPage().Width(), 8190.0 - (from.x() - over.x()) * 15);
    // Released over the page, far from the handle that took the press.
    h->release(over);
    QVERIFY(bill->PicFixHd(FixHandle::RightEdge).Visible());
    QVERIFY(!Platform::pointer().isConfined());
    // The next press on the page is an ordinary page press again.
    const double width = bill->PicPage().Width();
    h->shell.drawMode = DrawTool::Text;
    h->drag(bill, 600, 600, 1500, 900);
    QCOMPARE(bill->PicPage().Width(), width);
    QCOMPARE(bill->mObjs().Count(), 1);
}

void TestDesignerWindow::drawingStopsAtTheConfinement_data()
{
    QTest::addColumn<int>("tool");
    QTest::addColumn<QPointF>("from");
    QTest::addColumn<QPointF>("to");
    QTest::addColumn<QRectF>("expected"); // the text's box, or the line's ends
    // The page is 546 x 246 pixels: its last pixel starts at 8175, 3675.
    QTest::newRow("text past the right and bottom edges")
        << int(DrawTool::Text) << QPointF(6000, 2250) << QPointF(12000, 6000)
        << QRectF(QPointF(6000, 2250), QPointF(8175, 3675));
    QTest::newRow("line past the right edge")
        << int(DrawTool::Line) << QPointF(3000, 1500) << QPointF(11000, 2400)
        << QRectF(QPointF(3000, 1500), QPointF(8175, 2400));
}

void TestDesignerWindow::drawingStopsAtTheConfinement()
{
    QFETCH(int, tool);
    QFETCH(QPointF, from);
    QFETCH(QPointF, to);
    QFETCH(QRectF, expected);
    mFrm_Bill *bill = h->open();
    h->draw(bill, tool, from.x(), from.y(), to.x(), to.y());

    QCOMPARE(bill->mObjs().Count(), 1);
    if (tool == DrawTool::Text)
        QCOMPARE(box(bill->ObjText()(1001)), expected);
    else
        QCOMPARE(lineOf(bill->ObjLine()(1)), expected);
    QCOMPARE(bill->PicPage().Width(), 8190.0);
    QVERIFY(!Platform::pointer().isConfined());
}

// Page sizing is confined to the designer's frame in the workspace.
void TestDesignerWindow::pageSizingStopsAtTheWindow()
{
    mFrm_Bill *bill = h->open();
    const QWidget *frame = bill->parentWidget();
    const QRect inWorkspace(frame->mapTo(&h->area, QPoint(0, 0)), frame->size());
    const QPoint from = bill->PicFixHd(FixHandle::Corner).mapTo(&h->area, QPoint(2, 2));
    const QPoint beyond = inWorkspace.bottomRight() + QPoint(60, 60);
    QVERIFY(h->area.rect().contains(beyond));
    h->press(from);
    h->move(beyond);
    h->release(beyond);

    const QPoint reached = inWorkspace.bottomRight() - from;
    QCOMPARE(bill->PicPage().Width(), 8190.0 + reached.x() * 15);
    QCOMPARE(bill->PicPage().Height(), 3690.0 + reached.y() * 15);
}

void TestDesignerWindow::scrollRanges_data()
{
    QTest::addColumn<bool>("vertical");
    QTest::addColumn<double>("overhang");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<int>("max");
    QTest::newRow("100 twips past VS") << false << 100.0 << true << 610;
    QTest::newRow("just left of VS") << false << 0.0 << false << 0;
    QTest::newRow("100 twips below HS") << true << 100.0 << true << 610;
    QTest::newRow("just above HS") << true << 0.0 << false << 0;
}

void TestDesignerWindow::scrollRanges()
{
    QFETCH(bool, vertical);
    QFETCH(double, overhang);
    QFETCH(bool, shown);
    QFETCH(int, max);
    mFrm_Bill *bill = h->open();
    ScrollBar &bar = vertical ? bill->VS() : bill->HS();
    QVERIFY(!bar.Visible());
    QCOMPARE(bill->VS().Width(), 255.0);
    QCOMPARE(bill->HS().Height(), 255.0);
    if (vertical)
        bill->PicPage().setHeight(bill->HS().Top() + overhang);
    else
        bill->PicPage().setWidth(bill->VS().Left() + overhang);
    QCOMPARE(bar.Visible(), shown);
    QCOMPARE(bar.Max(), max);
    QCOMPARE(bill->PicPage().Left(), 0.0);
    QCOMPARE(bill->PicPage().Top(), 0.0);
}

void TestDesignerWindow::aScrollMaximumBeyond16BitsKeepsTheRange_data()
{
    QTest::addColumn<bool>("vertical");
    QTest::newRow("horizontal") << false;
    QTest::newRow("vertical") << true;
}

// The failing step is skipped: the bar keeps its range, value and place
// of the page, and the other bar's step still runs.
void TestDesignerWindow::aScrollMaximumBeyond16BitsKeepsTheRange()
{
    QFETCH(bool, vertical);
    mFrm_Bill *bill = h->open();
    ScrollBar &bar = vertical ? bill->VS() : bill->HS();
    ScrollBar &other = vertical ? bill->HS() : bill->VS();
    auto setExtent = [&](double twips) {
        if (vertical)
            bill->PicPage().setHeight((bill->HS().Top() + twips));
        else
            bill->PicPage().setWidth(bill->VS().Left() + twips);
    };
    auto pageStart = [&] { return vertical ? bill->PicPage().Top() : bill->PicPage().Left(); };
    setExtent(100);
    bar.setValue(300);
    QCOMPARE(pageStart(), -300.0);

    setExtent(40000);
    QVERIFY(bar.Visible());
    QCOMPARE(bar.Max(), 610);
    QCOMPARE(bar.Value(), 300);
    QCOMPARE(pageStart(), -300.0);

    QVERIFY(!other.Visible());
    bill->parentWidget()->resize(vertical ? QSize(400, 600) : QSize(900, 200));
    QVERIFY(other.Visible());
    QCOMPARE(bar.Max(), 610);
    QCOMPARE(bar.Value(), 300);
}

void TestDesignerWindow::aGrownWindowClampsTheScrollPosition_data()
{
    QTest::addColumn<bool>("vertical");
    QTest::newRow("horizontal") << false;
    QTest::newRow("vertical") << true;
}

void TestDesignerWindow::aGrownWindowClampsTheScrollPosition()
{
    QFETCH(bool, vertical);
    mFrm_Bill *bill = h->open(QSize(500, 400));
    ScrollBar &bar = vertical ? bill->VS() : bill->HS();
    auto setExtent = [&](double twips) {
        if (vertical)
            bill->PicPage().setHeight(twips);
        else
            bill->PicPage().setWidth(twips);
    };
    auto pageStart = [&] { return vertical ? bill->PicPage().Top() : bill->PicPage().Left(); };
    // The page-size handle in the middle of the far edge.
    auto farHandle = [&] {
        return vertical ? bill->PicFixHd(FixHandle::BottomEdge).Top()
                        : bill->PicFixHd(FixHandle::RightEdge).Left();
    };
    setExtent(12000);
    const int before = bar.Max();
    const double edge = vertical ? bill->HS().Top() : bill->VS().Left();
    QCOMPARE(before, int(12000 - edge + 510));
    bar.setValue(before);
    QCOMPARE(pageStart(), -double(before));
    QCOMPARE(farHandle(), 12000 - before + 5.0);

    bill->parentWidget()->resize(vertical ? QSize(500, 600) : QSize(700, 400));
    const int after = bar.Max();
    QVERIFY(after < before);
    QCOMPARE(bar.Value(), after);
    QCOMPARE(pageStart(), -double(after));

    // A page that fits again hides the bar and returns to the origin.
    setExtent(3000);
    QVERIFY(!bar.Visible());
    QCOMPARE(bar.Value(), 0);
    QCOMPARE(pageStart(), 0.0);
    QCOMPARE(farHandle(), 3005.0);
}

void TestDesignerWindow::rightPressChangesOnlyMenuStates_data()
{
    QTest::addColumn<int>("selected");
    QTest::addColumn<bool>("several");
    QTest::addColumn<bool>("some");
    QTest::addColumn<bool>("one");
    QTest::newRow("none") << 0 << false << false << false;
    QTest::newRow("one") << 1 << false << true << true;
    QTest::newRow("three") << 3 << true << true << false;
}

void TestDesignerWindow::rightPressChangesOnlyMenuStates()
{
    QFETCH(int, selected);
    QFETCH(bool, several);
    QFETCH(bool, some);
    QFETCH(bool, one);
    mFrm_Bill *bill = h->open();
    drawThreeTexts(bill);
    if (selected == 0)
        h->click(bill, 600, 3300);
    else if (selected == 3)
        bill->SelAll();
    bill->Locked();
    QCOMPARE(bill->mObjs().nActCount(), selected);
    const int clips = pointer().clips;

    h->press(h->at(bill, 5000, 900), Qt::RightButton);
    h->move(h->at(bill, 6500, 1800));
    h->release(h->at(bill, 6500, 1800), Qt::RightButton);

    QCOMPARE(h->shell.popups, 1);
    QCOMPARE(h->shell.enabled.value(MenuItem::Align), several);
    QCOMPARE(h->shell.enabled.value(MenuItem::SameSize), several);
    QCOMPARE(h->shell.enabled.value(MenuItem::Delete), some);
    QCOMPARE(h->shell.enabled.value(MenuItem::Lock), some);
    QCOMPARE(h->shell.enabled.value(MenuItem::Clone), some);
    QCOMPARE(h->shell.enabled.value(MenuItem::ObjProp), one);
    QCOMPARE(h->shell.checked.value(MenuItem::Lock, false), some);
    QCOMPARE(bill->mObjs().nActCount(), selected);
    QCOMPARE(box(bill->ObjText()(1002)), QRectF(4500, 750, 1500, 450));
    QCOMPARE(bill->mObjs().Count(), 3);
    QCOMPARE(pointer().clips, clips);
}

void TestDesignerWindow::ctrlKeyRefreshesMenuStates_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("refreshed");
    QTest::newRow("Ctrl+U") << int(Qt::Key_U) << int(Qt::ControlModifier) << true;
    // The window system reports the state before the key; Qt adds the
    // pressed modifier key's own bit.
    QTest::newRow("Ctrl itself") << int(Qt::Key_Control) << 0 << true;
    QTest::newRow("Ctrl+Shift+U") << int(Qt::Key_U) << int(Qt::ControlModifier | Qt::ShiftModifier)
                                  << false;
    QTest::newRow("Ctrl+Alt+U") << int(Qt::Key_U) << int(Qt::ControlModifier | Qt::AltModifier)
                                << false;
    QTest::newRow("U") << int(Qt::Key_U) << 0 << false;
}

void TestDesignerWindow::ctrlKeyRefreshesMenuStates()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, refreshed);
    mFrm_Bill *bill = h->open();
    h->draw(bill, DrawTool::Text, 1500, 750, 3000, 1200);
    // One key event with exactly these modifiers held.
    QKeyEvent press(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers));
    QApplication::sendEvent(bill, &press);
    QCOMPARE(h->shell.enableCalls > 0, refreshed);
    QCOMPARE(h->shell.popups, 0);
    if (refreshed)
        QCOMPARE(h->shell.enabled.value(MenuItem::ObjProp), true);
}

void TestDesignerWindow::handlePixels_data()
{
    QTest::addColumn<int>("nID");
    QTest::addColumn<bool>("locked");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("selected") << 1002 << false << QColor(0, 0, 128);
    QTest::newRow("current") << 1001 << false << QColor(0, 0, 255);
    QTest::newRow("selected and locked") << 1002 << true << QColor(255, 0, 0);
    QTest::newRow("current and locked") << 1001 << true << QColor(64, 0, 0);
}

void TestDesignerWindow::handlePixels()
{
    QFETCH(int, nID);
    QFETCH(bool, locked);
    QFETCH(QColor, colour);
    mFrm_Bill *bill = h->open();
    drawThreeTexts(bill);
    h->drag(bill, 600, 300, 7000, 1500);
    QCOMPARE(bill->mObjs().nCurID(), 1001);
    if (locked)
        bill->Locked();
    for (int position = HandlePosition::TopLeft; position <= HandlePosition::Count; ++position)
        QCOMPARE(pixelAt(bill, handleMiddle(handleOf(bill, nID, position))), colour);
    // The unselected object shows no handles.
    QCOMPARE(pixelAt(bill, handleMiddle(handleOf(bill, 1003, HandlePosition::BottomRight))),
             QColor(Qt::white));
}

namespace {

// Collects what the page view repaints.
class PaintRecorder : public QObject
{
public:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent *>(event)->region();
        return false;
    }
    QRegion painted;
};

} // namespace

void TestDesignerWindow::onlyChangedAreasAreRepainted_data()
{
    QTest::addColumn<int>("changes");
    QTest::newRow("a few") << 3;
    QTest::newRow("more than the view keeps apart") << 150;
}

void TestDesignerWindow::onlyChangedAreasAreRepainted()
{
    QFETCH(int, changes);
    mFrm_Bill *bill = h->open();
    std::vector<Element *> labels;
    for (int i = 0; i < changes; ++i) {
        Element &label = bill->ObjText().Load(1001 + i);
        label.Move(300 + (i % 15) * 510, 300 + (i / 15) * 300, 450, 240);
        labels.push_back(&label);
    }
    // Paint what opening the window asked for first, so that the recorder
    // sees only what the changes repaint.
    QCoreApplication::processEvents();
    PaintRecorder recorder;
    bill->pageView().installEventFilter(&recorder);
    for (Element *label : labels)
        label->setVisible(true);
    auto firstUnpainted = [&]() -> const Element * {
        for (const Element *label : labels) {
            const QRect pixels(int(label->Left() / 15), int(label->Top() / 15), 30, 16);
            if (!recorder.painted.contains(pixels))
                return label;
        }
        return nullptr;
    };
    // The message is built whether or not the check fails.
    auto unpaintedIndex = [&] {
        const Element *label = firstUnpainted();
        return QString::number(label ? label->Index() : 0);
    };
    QTRY_VERIFY2(!firstUnpainted(), qPrintable(unpaintedIndex()));
    // Nothing below the changed rows was repainted.
    const int below = int(labels.back()->Top() / 15) + 20;
    QVERIFY(!recorder.painted.intersects(QRect(0, below, 546, 246 - below)));
}

// The page shows where the bars leave room: a change of the whole page
// repaints the page and never the bars above it.
void TestDesignerWindow::theBarsStayOutOfThePagesRepaints()
{
    mFrm_Bill *bill = h->open();
    bill->PicPage().setWidth(30000);
    bill->PicPage().setHeight(30000);
    bill->ObjText().Load(1001).Move(300, 300, 450, 240);
    QVERIFY(bill->HS().Visible() && bill->VS().Visible());
    QCoreApplication::processEvents();
    PaintRecorder page, across, down;
    bill->pageView().installEventFilter(&page);
    bill->HS().installEventFilter(&across);
    bill->VS().installEventFilter(&down);
    bill->pageView().pageAreaChanged(QRectF(0, 0, 30000, 30000));
    QTRY_VERIFY(!page.painted.isEmpty());
    QCoreApplication::processEvents();
    QVERIFY(across.painted.isEmpty());
    QVERIFY(down.painted.isEmpty());
}

void TestDesignerWindow::inPlaceCaptionEditing()
{
    mFrm_Bill *bill = h->open();
    h->draw(bill, DrawTool::Text, 1500, 750, 3000, 1200);
    h->doubleClick(bill, 2000, 900);
    QLineEdit &editor = bill->TxtLab();
    QVERIFY(editor.isVisible());
    QCOMPARE(editor.text(), QStringLiteral("文字"));
    QCOMPARE(editor.geometry(), QRect(100, 50, 100, 30));
    QTRY_VERIFY(editor.hasFocus());
    QCOMPARE(editor.selectedText(), QStringLiteral("文字"));

    const Element &label = bill->ObjText()(1001);
    QTest::keyClick(&editor, Qt::Key_A);
    QCOMPARE(label.Caption(), QStringLiteral("a"));
    QTest::keyClick(&editor, Qt::Key_B);
    QCOMPARE(label.Caption(), QStringLiteral("ab"));
    QCOMPARE(label.Tag(), QStringLiteral("ab"));
    QTest::keyClick(&editor, Qt::Key_Return);
    QVERIFY(!editor.isVisible());
    QCOMPARE(label.Caption(), QStringLiteral("ab"));

    // The keys reach the designer again: Ctrl+U through the window.
    QVERIFY(bill->hasFocus());
    h->shell.enableCalls = 0;
    QTest::keyPress(h->window(), Qt::Key_U, Qt::ControlModifier);
    QTest::keyRelease(h->window(), Qt::Key_U, Qt::ControlModifier);
    QVERIFY(h->shell.enableCalls > 0);
    QCOMPARE(h->shell.enabled.value(MenuItem::ObjProp), true);
    QCOMPARE(label.Caption(), QStringLiteral("ab"));
}

void TestDesignerWindow::inPlaceEditingEndsOnFocusLoss()
{
    mFrm_Bill *bill = h->open();
    h->draw(bill, DrawTool::Text, 1500, 750, 3000, 1200);
    h->doubleClick(bill, 2000, 900);
    QTRY_VERIFY(bill->TxtLab().hasFocus());
    QTest::keyClicks(&bill->TxtLab(), "xy");
    h->click(bill, 6000, 3000);
    QTRY_VERIFY(!bill->TxtLab().isVisible());
    QCOMPARE(bill->ObjText()(1001).Caption(), QStringLiteral("xy"));
}

void TestDesignerWindow::handlesFollowAnAutoSizedTextAsItIsEdited_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("typed");
    QTest::newRow("grows") << "文字" << "一段加长了许多的说明文字";
    QTest::newRow("shrinks") << "一段加长了许多的说明文字" << "a";
}

void TestDesignerWindow::handlesFollowAnAutoSizedTextAsItIsEdited()
{
    QFETCH(QString, before);
    QFETCH(QString, typed);
    mFrm_Bill *bill = h->open();
    h->draw(bill, DrawTool::Text, 1500, 750, 3000, 1200);
    Element &label = bill->ObjText()(1001);
    ObjDraw &obj = *bill->mObjs().findByID(1001);
    label.setAutoSize(true);
    label.setCaption(before);
    obj.MoveHd();
    const QRectF sizedBefore = box(label);
    h->doubleClick(bill, 1600, 800);
    QTRY_VERIFY(bill->TxtLab().hasFocus());
    QTest::keyClick(&bill->TxtLab(), Qt::Key_Backspace);
    typeText(bill->TxtLab(), typed);
    QCOMPARE(label.Caption(), typed);
    QVERIFY(box(label) != sizedBefore);
    QList<QPointF> shown;
    for (int position = HandlePosition::TopLeft; position <= HandlePosition::Count; ++position)
        shown << QPointF(handleOf(bill, 1001, position).Left(), handleOf(bill, 1001, position).Top());
    // Where the handles of a label of that size belong.
    obj.MoveHd();
    QList<QPointF> placed;
    for (int position = HandlePosition::TopLeft; position <= HandlePosition::Count; ++position)
        placed << QPointF(handleOf(bill, 1001, position).Left(), handleOf(bill, 1001, position).Top());
    QCOMPARE(shown, placed);
}

void TestDesignerWindow::dataBoundTextIsNotEdited()
{
    mFrm_Bill *bill = h->open();
    h->draw(bill, DrawTool::Text, 1500, 750, 3000, 1200);
    bill->mObjs().findByID(1001)->setIsFix(false);
    h->doubleClick(bill, 2000, 900);
    QVERIFY(!bill->TxtLab().isVisible());
}

void TestDesignerWindow::pictureChoice_data()
{
    // The tag the picture object has afterwards, given the path chosen.
    using TagAfter = std::function<QString(const QString &chosen)>;
    QTest::addColumn<QString>("answer"); // "" cancels, "bad" is a file that is no picture
    QTest::addColumn<QSize>("pictureSize");
    QTest::addColumn<TagAfter>("tagAfter");
    QTest::addColumn<QString>("message");
    QTest::newRow("bitmap") << "good.bmp" << QSize(12, 8)
                            << TagAfter([](const QString &chosen) { return chosen; }) << QString();
    QTest::newRow("cancel clears") << QString() << QSize(0, 0)
                                   << TagAfter([](const QString &) { return QString(); })
                                   << QString();
    // A failed load keeps the picture and the tag it had.
    QTest::newRow("not a picture")
        << "bad.bmp" << QSize(3, 3)
        << TagAfter([](const QString &) { return QStringLiteral("earlier.bmp"); })
        << QStringLiteral("481:无效的图片 ");
}

void TestDesignerWindow::pictureChoice()
{
    QFETCH(QString, answer);
    QFETCH(QSize, pictureSize);
    QFETCH(std::function<QString(const QString &)>, tagAfter);
    QFETCH(QString, message);
    QTemporaryDir dir;
    QImage good(12, 8, QImage::Format_RGB32);
    good.fill(Qt::green);
    QVERIFY(good.save(dir.filePath("good.bmp")));
    QFile bad(dir.filePath("bad.bmp"));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write("no picture here");
    bad.close();

    mFrm_Bill *bill = h->open();
    h->draw(bill, DrawTool::Picture, 1500, 750, 3000, 2250);
    Element &image = bill->ObjImg()(2001);
    QImage before(3, 3, QImage::Format_RGB32);
    before.fill(Qt::red);
    image.setPicture(before);
    image.setTag(QStringLiteral("earlier.bmp"));

    const QString chosen = answer.isEmpty() ? QString() : dir.filePath(answer);
    if (answer.isEmpty())
        dialogs->fileAnswers.push_back(std::nullopt);
    else
        dialogs->fileAnswers.push_back(chosen);
    h->doubleClick(bill, 2000, 1500);

    QCOMPARE(dialogs->shown.front().kind, QStringLiteral("OpenFile"));
    QCOMPARE(dialogs->shown.front().file.title, QStringLiteral("选择图形文件"));
    QCOMPARE(dialogs->shown.front().file.filter,
             QStringLiteral("位图文件(*.Bmp)|*.Bmp|所有图形文件|*.Bmp;*.Jpg;*.Gif;*.Ico|所有文件(*.*)|*.*"));
    // The file and its path must exist, a help button, no read-only box.
    QCOMPARE(dialogs->shown.front().file.flags, 6164);
    QCOMPARE(image.Picture().size(), pictureSize);
    QCOMPARE(image.Tag(), tagAfter(chosen));
    // The bytes stay with the picture: the file may go before the save.
    QByteArray expectedBytes;
    QFile file(chosen);
    if (!chosen.isEmpty() && image.Tag() == chosen && file.open(QIODevice::ReadOnly))
        expectedBytes = file.readAll();
    QCOMPARE(image.PictureData(), expectedBytes);
    QCOMPARE(dialogs->messages().isEmpty() ? QString() : dialogs->messages().last(), message);
    if (!message.isEmpty())
        QCOMPARE(dialogs->lastMessage()->icon, MsgIcon::Exclamation);
    QVERIFY(!Platform::pointer().isConfined());
}

void TestDesignerWindow::runningOutOfIds_data()
{
    QTest::addColumn<int>("tool");
    QTest::addColumn<bool>("clone");
    QTest::newRow("drawing a line") << int(DrawTool::Line) << false;
    QTest::newRow("drawing a text") << int(DrawTool::Text) << false;
    QTest::newRow("drawing a picture") << int(DrawTool::Picture) << false;
    QTest::newRow("cloning a text") << int(DrawTool::Text) << true;
    QTest::newRow("cloning a picture") << int(DrawTool::Picture) << true;
}

// The message, and nothing half made: no object, no element loaded.
void TestDesignerWindow::runningOutOfIds()
{
    QFETCH(int, tool);
    QFETCH(bool, clone);
    mFrm_Bill *bill = h->open();
    // A drawing tool draws the object kind of its own number.
    ElementArray &array = tool == DrawTool::Line   ? bill->ObjLine()
                          : tool == DrawTool::Text ? bill->ObjText()
                                                   : bill->ObjImg();
    int before = 0;
    if (clone) {
        h->draw(bill, tool, 600, 600, 2100, 1500);
        before = 1;
    }
    for (int id = array.UBound() + 1; id <= ObjDraw::LastID(tool); ++id)
        array.Load(id);
    if (clone)
        bill->CloneObj();
    else
        h->draw(bill, tool, 600, 600, 1500, 900);

    QCOMPARE(dialogs->messages(), QStringList{QStringLiteral("对象数量已超出上限！")});
    QCOMPARE(bill->mObjs().Count(), before);
    QCOMPARE(array.UBound(), ObjDraw::LastID(tool));
    QCOMPARE(bill->mObjs().nActCount(), before);
    QVERIFY(!Platform::pointer().isConfined());
}

void TestDesignerWindow::deleteHidesTheSelection_data()
{
    QTest::addColumn<int>("selected");
    QTest::newRow("one") << 1;
    QTest::newRow("two") << 2;
    QTest::newRow("none") << 0;
}

void TestDesignerWindow::deleteHidesTheSelection()
{
    QFETCH(int, selected);
    mFrm_Bill *bill = h->open();
    drawThreeTexts(bill);
    if (selected == 2)
        h->drag(bill, 600, 300, 7000, 1500);
    else if (selected == 0)
        h->click(bill, 600, 3300);
    QCOMPARE(bill->mObjs().nActCount(), selected);
    bill->Delete();

    QCOMPARE(bill->mObjs().Count(), 3);
    QCOMPARE(bill->mObjs().nActCount(), 0);
    QCOMPARE(bill->ObjText()(1003).Visible(), selected != 1);
    QCOMPARE(bill->ObjText()(1001).Visible(), selected != 2);
    QCOMPARE(bill->ObjText()(1002).Visible(), selected != 2);
    for (int position = HandlePosition::TopLeft; position <= HandlePosition::Count; ++position) {
        QVERIFY(!handleOf(bill, 1003, position).Visible());
        QVERIFY(!handleOf(bill, 1001, position).Visible());
    }
    QVERIFY(dialogs->shown.empty());
}

void TestDesignerWindow::lockedTogglesTheSelection_data()
{
    QTest::addColumn<bool>("currentLocked");
    QTest::addColumn<bool>("expected");
    QTest::newRow("only the current one locked") << true << false;
    QTest::newRow("none locked") << false << true;
}

void TestDesignerWindow::lockedTogglesTheSelection()
{
    QFETCH(bool, currentLocked);
    QFETCH(bool, expected);
    mFrm_Bill *bill = h->open();
    drawThreeTexts(bill);
    if (currentLocked) {
        h->click(bill, 2000, 900);
        bill->Locked();
    }
    h->drag(bill, 600, 300, 7000, 3000);
    QCOMPARE(bill->mObjs().nCurID(), 1001);
    QCOMPARE(bill->mObjs().findByID(1001)->Locked(), currentLocked);
    bill->Locked();
    for (int id = 1001; id <= 1003; ++id)
        QCOMPARE(bill->mObjs().findByID(id)->Locked(), expected);
    // The release over the page later brings the check mark in line.
    h->click(bill, 2000, 900);
    QCOMPARE(h->shell.checked.value(MenuItem::EditLock), expected);
}

void TestDesignerWindow::selAll_data()
{
    QTest::addColumn<int>("deleted");
    QTest::addColumn<int>("selected");
    QTest::newRow("all shown") << 0 << 3;
    QTest::newRow("all deleted") << 3 << 0;
}

void TestDesignerWindow::selAll()
{
    QFETCH(int, deleted);
    QFETCH(int, selected);
    mFrm_Bill *bill = h->open();
    drawThreeTexts(bill);
    if (deleted) {
        bill->SelAll();
        bill->Delete();
    }
    bill->SelAll();
    QCOMPARE(bill->mObjs().nActCount(), selected);
    QCOMPARE(bill->mObjs().nCurID(), selected ? 1003 : 0);
    QVERIFY(dialogs->shown.empty());
    if (selected)
        QCOMPARE(bill->currentObject()->nID(), 1003);
}

void TestDesignerWindow::setAlign_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<double>("left");
    QTest::newRow("code 0 changes nothing") << 0 << 4500.0;
    QTest::newRow("left edges") << int(ObjDraws::AlignLeft) << 1500.0;
}

void TestDesignerWindow::setAlign()
{
    QFETCH(int, code);
    QFETCH(double, left);
    mFrm_Bill *bill = h->open();
    drawThreeTexts(bill);
    h->drag(bill, 600, 300, 7000, 1500);
    bill->SetAlign(code);
    QCOMPARE(bill->ObjText()(1002).Left(), left);
    QCOMPARE(bill->ObjText()(1001).Left(), 1500.0);
    QVERIFY(dialogs->shown.empty());
}

void TestDesignerWindow::preView_data()
{
    QTest::addColumn<bool>("withObject");
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<int>("billNo");
    QTest::newRow("empty, never saved") << false << 0 << QString() << "没有发现可打印的内容！" << -1;
    QTest::newRow("never saved") << true << 0 << QString() << "请先保存数据！" << -1;
    QTest::newRow("number then letters") << true << 7 << "12ab" << QString() << 12;
    QTest::newRow("cancelled answer") << true << 7 << QString() << QString() << 0;
}

void TestDesignerWindow::preView()
{
    QFETCH(bool, withObject);
    QFETCH(int, id);
    QFETCH(QString, answer);
    QFETCH(QString, warning);
    QFETCH(int, billNo);
    mFrm_Bill *bill = h->open();
    bill->setCaption(QStringLiteral("入库单"));
    if (withObject)
        h->draw(bill, DrawTool::Text, 1500, 750, 3000, 1200);
    bill->setMID(int16_t(id));
    QCOMPARE(bill->mID(), id);
    Mod_Print::Run().BillNo = -1;
    dialogs->inputAnswers.push_back(answer);
    bill->PreView();

    QCOMPARE(Mod_Print::Run().BillNo, billNo);
    if (!warning.isEmpty()) {
        QCOMPARE(dialogs->messages(), QStringList{warning});
        QCOMPARE(dialogs->lastMessage()->title, QStringLiteral("入库单"));
        return;
    }
    QCOMPARE(dialogs->shown.front().kind, QStringLiteral("InputBox"));
    QCOMPARE(dialogs->shown.front().text, QStringLiteral("请输入单据号？"));
    QCOMPARE(dialogs->shown.front().title, QStringLiteral("单据号"));
    QCOMPARE(Mod_Print::Run().IsDemo, billNo == 0);
}

void TestDesignerWindow::closingOneOfTwoDesignersKeepsTheOtherActive_data()
{
    QTest::addColumn<bool>("closeActive");
    QTest::newRow("closing the active one") << true;
    QTest::newRow("closing the other one") << false;
}

void TestDesignerWindow::closingOneOfTwoDesignersKeepsTheOtherActive()
{
    QFETCH(bool, closeActive);
    mFrm_Bill *first = h->open();
    mFrm_Bill *second = h->open();
    QTRY_COMPARE(h->shell.gActiveBill(), second);
    QPointer<mFrm_Bill> closing = closeActive ? second : first;
    mFrm_Bill *staying = closeActive ? first : second;
    closing->Unload();
    QTRY_VERIFY(closing.isNull());
    QTRY_COMPARE(h->shell.gActiveBill(), staying);
    QCOMPARE(h->area.subWindowList().size(), 1);
}

// Between its close and its deletion a frame can still be activated (the
// workspace, a restore); the shell must not keep the window after that.
void TestDesignerWindow::aClosedWindowActivatedOnItsWayOutIsNotKept()
{
    QPointer<mFrm_Bill> closing = h->open();
    auto *frame = qobject_cast<QMdiSubWindow *>(closing->parentWidget());
    QVERIFY(frame);
    closing->Unload();
    QCOMPARE(h->shell.gActiveBill(), nullptr);
    frame->showNormal();
    h->area.setActiveSubWindow(frame);
    closing->Form_Activate();
    QCOMPARE(h->shell.gActiveBill(), nullptr);
    delete frame;
    QVERIFY(closing.isNull());
    QCOMPARE(h->shell.gActiveBill(), nullptr);
}

// A fixed caption shows its own code, or, when the type cannot encode it,
// the box crossed out with the reason as the tip; a bound value shows a
// grey sample.
void TestDesignerWindow::codesShowOnThePageWithTheirProblemAsTip()
{
    mFrm_Bill *bill = h->open();
    h->draw(bill, DrawTool::Text, 600, 600, 6600, 2100);
    h->click(bill, 8000, 4000);
    ObjDraw &obj = *bill->mObjs().Item(QStringLiteral("Obj1001"));
    Element &label = *obj.ObjCtl();
    label.setCaption(QStringLiteral("ABC-1"));
    BarcodeLook ean;
    ean.type = BarcodeLook::Ean13;
    obj.setBarcode(ean);

    const QPoint middle = bill->pageView().mapTo(bill, QPoint(3600 / 15, 1350 / 15));
    const QString reason = QStringLiteral("EAN-13 只能由数字组成，“A”不是数字");
    QCOMPARE(bill->toolTipAt(middle), reason);
    QHelpEvent help(QEvent::ToolTip, middle, bill->mapToGlobal(middle));
    QApplication::sendEvent(bill, &help);
    QCOMPARE(QToolTip::text(), reason);
    // On the diagonal from the top left to the bottom right corner.
    const QColor cross = pixelAt(bill, QPointF(3600, 1350));
    QVERIFY2(cross.red() > 150 && cross.green() < 120, qPrintable(cross.name()));

    auto darkest = [bill] {
        const QImage page = bill->pageView().grab().toImage().copy(600 / 15, 600 / 15, 400, 100);
        int lowest = 255;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                lowest = std::min(lowest, qGray(page.pixel(x, y)));
        return lowest;
    };
    label.setCaption(QStringLiteral("6901234567892"));
    label.setToolTipText(QStringLiteral("商品条码"));
    QCOMPARE(bill->toolTipAt(middle), QStringLiteral("商品条码"));
    QVERIFY(darkest() < 40);

    obj.setIsFix(false);
    label.setCaption(QStringLiteral("#[单据号]"));
    QCOMPARE(bill->toolTipAt(middle), QStringLiteral("商品条码"));
    // Grey bars, and the caption in the object's own colour over them.
    QVERIFY(darkest() < 40);
    const QImage page = bill->pageView().grab().toImage();
    int grey = 0;
    for (int x = 600 / 15; x < 6600 / 15; ++x)
        grey += qAbs(qGray(page.pixel(x, 700 / 15)) - 0x90) < 8;
    QVERIFY2(grey > 20, qPrintable(QString::number(grey)));
}

QTEST_MAIN(TestDesignerWindow)

#include "tst_designerwindow.moc"
