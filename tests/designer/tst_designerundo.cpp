// Undo and redo: every kind of change is one step that puts the template
// back exactly as it was, and forward again; the unsaved-changes state
// follows the history.

#include "DesignerHarness.h"
#include "DesignerInvariants.h"

#include "designer/DrawTool.h"
#include "designer/FixHandle.h"

#include "model/HandlePosition.h"
#include "model/ObjDraws.h"
#include "model/TemplateState.h"

#include "platform/FakeDialogs.h"
#include "platform/Screen.h"

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QUndoStack>

#include <functional>
#include <memory>

namespace {

using Action = std::function<void(DesignerHarness &, mFrm_Bill *, FakeDialogs &)>;

const Action nothing = [](DesignerHarness &, mFrm_Bill *, FakeDialogs &) {};

// Fills a field of the dialog the designer opens, then presses OK.
template<typename Field>
std::function<int(QDialog &)> okWith(const char *name, std::function<void(Field &)> fill)
{
    return [name, fill](QDialog &dialog) {
        fill(*dialog.findChild<Field *>(QLatin1String(name)));
        dialog.findChild<QPushButton *>(QStringLiteral("CmdOK"))->click();
        return dialog.result();
    };
}

QPoint handleAt(DesignerHarness &h, mFrm_Bill *bill, int nID, int position)
{
    const Element &handle = bill->PicHD()(8 * nID - 8 + position);
    return h.at(bill, handle.Left() + 45, handle.Top() + 45);
}

QStringList differences(const TemplateState &a, mFrm_Bill *bill)
{
    return a.differences(TemplateState::of(bill->record()));
}

} // namespace

class TestDesignerUndo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup() { h.reset(); }

    void undoAndRedoEveryChange_data();
    void undoAndRedoEveryChange();
    void nudgesOfOneSelectionAreOneStep();
    void cleanStateFollowsTheHistory();
    void aNewChangeDropsTheStepsUndone();
    void undoDuringADragEndsItFirst();
    void undoingADrawLeavesTheSelectionBeforeIt();

private:
    mFrm_Bill *openWithObjects();

    std::unique_ptr<DesignerHarness> h;
    FakeDialogs *dialogs = nullptr;
    QTemporaryDir dir;
};

void TestDesignerUndo::initTestCase()
{
    Screen::setTwipsPerPixel(15, 15);
    QImage picture(8, 6, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    QVERIFY(picture.save(dir.filePath(QStringLiteral("p.bmp"))));
}

void TestDesignerUndo::init()
{
    dialogs = &Platform::installFakes();
    h = std::make_unique<DesignerHarness>();
    QVERIFY(h->ready());
}

// Two texts, a line and a picture, the picture selected, as saved.
mFrm_Bill *TestDesignerUndo::openWithObjects()
{
    mFrm_Bill *bill = h->open();
    bill->setCaption(QStringLiteral("入库单"));
    h->draw(bill, DrawTool::Text, 1500, 750, 3000, 1200);
    h->draw(bill, DrawTool::Text, 4500, 1500, 5400, 1800);
    h->draw(bill, DrawTool::Line, 600, 2400, 4200, 2400);
    h->draw(bill, DrawTool::Picture, 6000, 300, 7200, 1200);
    bill->setMChanged(false);
    return bill;
}

void TestDesignerUndo::undoAndRedoEveryChange_data()
{
    QTest::addColumn<Action>("prepare");
    QTest::addColumn<Action>("change");
    QTest::addColumn<QString>("step");
    const QString picture = dir.filePath(QStringLiteral("p.bmp"));
    const Action selectA = [](DesignerHarness &h, mFrm_Bill *b, FakeDialogs &) {
        h.click(b, 2000, 900);
    };
    const Action selectAll = [](DesignerHarness &, mFrm_Bill *b, FakeDialogs &) { b->SelAll(); };

    QTest::newRow("draw a text") << nothing << Action([](DesignerHarness &h, mFrm_Bill *b, FakeDialogs &) {
        h.draw(b, DrawTool::Text, 1500, 3000, 3000, 3500);
    }) << "绘制";
    QTest::newRow("draw a line") << nothing << Action([](DesignerHarness &h, mFrm_Bill *b, FakeDialogs &) {
        h.draw(b, DrawTool::Line, 300, 3000, 6000, 3300);
    }) << "绘制";
    QTest::newRow("move one") << selectA << Action([](DesignerHarness &h, mFrm_Bill *b, FakeDialogs &) {
        h.drag(b, 2000, 900, 2600, 1500);
    }) << "移动";
    QTest::newRow("move all") << selectAll << Action([](DesignerHarness &h, mFrm_Bill *b, FakeDialogs &) {
        h.drag(b, 2000, 900, 2300, 1350);
    }) << "移动";
    QTest::newRow("size with a handle") << selectA << Action([](DesignerHarness &h, mFrm_Bill *b, FakeDialogs &) {
        h.dragTo(handleAt(h, b, 1001, HandlePosition::BottomRight), h.at(b, 3600, 1500));
    }) << "调整大小";
    QTest::newRow("size a line's end") << Action([](DesignerHarness &h, mFrm_Bill *b, FakeDialogs &) {
        h.click(b, 2400, 2400);
    }) << Action([](DesignerHarness &h, mFrm_Bill *b, FakeDialogs &) {
        h.dragTo(handleAt(h, b, 1, HandlePosition::BottomRight), h.at(b, 4800, 3300));
    }) << "调整大小";
    QTest::newRow("size the page") << nothing << Action([](DesignerHarness &h, mFrm_Bill *b, FakeDialogs &) {
        const QPoint corner = b->PicFixHd(FixHandle::Corner).mapTo(&h.area, QPoint(2, 2));
        h.dragTo(corner, corner + QPoint(30, 20));
    }) << "页面大小";
    QTest::newRow("align") << selectAll << Action([](DesignerHarness &, mFrm_Bill *b, FakeDialogs &) {
        b->SetAlign(ObjDraws::AlignTop);
    }) << "对齐";
    QTest::newRow("same size") << selectAll << Action([](DesignerHarness &, mFrm_Bill *b, FakeDialogs &) {
        b->SetSameSize(ObjDraws::SameWidthAndHeight);
    }) << "相同尺寸";
    QTest::newRow("clone") << selectAll << Action([](DesignerHarness &, mFrm_Bill *b, FakeDialogs &) {
        b->CloneObj();
    }) << "克隆";
    QTest::newRow("delete") << selectAll << Action([](DesignerHarness &, mFrm_Bill *b, FakeDialogs &) {
        b->Delete();
    }) << "删除";
    QTest::newRow("lock") << selectAll << Action([](DesignerHarness &, mFrm_Bill *b, FakeDialogs &) {
        b->Locked();
    }) << "锁定";
    QTest::newRow("arrow key") << selectA << Action([](DesignerHarness &, mFrm_Bill *b, FakeDialogs &) {
        QTest::keyClick(b, Qt::Key_Right, Qt::ShiftModifier);
    }) << "移动";
    QTest::newRow("edit a caption in place") << selectA << Action([](DesignerHarness &h, mFrm_Bill *b, FakeDialogs &) {
        h.doubleClick(b, 2000, 900);
        QTest::keyClicks(&b->TxtLab(), QStringLiteral("77"));
        QTest::keyClick(&b->TxtLab(), Qt::Key_Return);
    }) << "编辑文字";
    QTest::newRow("choose a picture") << nothing << Action([picture](DesignerHarness &h, mFrm_Bill *b, FakeDialogs &d) {
        d.fileAnswers.push_back(picture);
        h.doubleClick(b, 6500, 700);
    }) << "选择图片";
    QTest::newRow("remove a picture") << Action([picture](DesignerHarness &h, mFrm_Bill *b, FakeDialogs &d) {
        d.fileAnswers.push_back(picture);
        h.doubleClick(b, 6500, 700);
    }) << Action([](DesignerHarness &h, mFrm_Bill *b, FakeDialogs &d) {
        d.fileAnswers.push_back(std::nullopt);
        h.doubleClick(b, 6500, 700);
    }) << "删除图片";
    QTest::newRow("property dialog OK") << selectA << Action([](DesignerHarness &, mFrm_Bill *b, FakeDialogs &d) {
        d.modalScripts.push_back(okWith<QCheckBox>("ChkPrint", [](QCheckBox &c) { c.setChecked(true); }));
        b->SetObjProp();
    }) << "属性";
    QTest::newRow("page setup OK") << nothing << Action([](DesignerHarness &, mFrm_Bill *b, FakeDialogs &d) {
        d.modalScripts.push_back(okWith<QLineEdit>("TxtName", [](QLineEdit &e) { e.setText(QStringLiteral("出库单")); }));
        b->ShowPageSetup();
    }) << "页面设置";
}

void TestDesignerUndo::undoAndRedoEveryChange()
{
    QFETCH(Action, prepare);
    QFETCH(Action, change);
    QFETCH(QString, step);
    mFrm_Bill *bill = openWithObjects();
    prepare(*h, bill, *dialogs);
    const int steps = bill->undoStack().count();
    const TemplateState before = TemplateState::of(bill->record());

    change(*h, bill, *dialogs);
    const TemplateState after = TemplateState::of(bill->record());
    QVERIFY(!before.differences(after).isEmpty());
    QCOMPARE(bill->undoStack().count(), steps + 1);
    QCOMPARE(bill->undoStack().undoText(), step);

    bill->undo();
    QCOMPARE(differences(before, bill), QStringList());
    QCOMPARE(brokenInvariant(*bill), QString());
    QCOMPARE(bill->windowTitle(), before.page.caption);

    bill->redo();
    QCOMPARE(differences(after, bill), QStringList());
    QCOMPARE(brokenInvariant(*bill), QString());
}

// Arrow keys held down are one step; a mouse move after them is another.
void TestDesignerUndo::nudgesOfOneSelectionAreOneStep()
{
    mFrm_Bill *bill = openWithObjects();
    bill->SelAll();
    const TemplateState before = TemplateState::of(bill->record());
    const int steps = bill->undoStack().count();
    for (int i = 0; i < 50; ++i)
        QTest::keyClick(bill, i % 5 ? Qt::Key_Down : Qt::Key_Right);
    QCOMPARE(bill->undoStack().count(), steps + 1);
    h->drag(bill, 2000, 1150, 2300, 1450);
    QCOMPARE(bill->undoStack().count(), steps + 2);
    bill->undo();
    bill->undo();
    QCOMPARE(differences(before, bill), QStringList());
}

void TestDesignerUndo::cleanStateFollowsTheHistory()
{
    mFrm_Bill *bill = openWithObjects();
    QVERIFY(!bill->mChanged());
    h->drag(bill, 2000, 900, 2600, 1500);
    QVERIFY(bill->mChanged());
    bill->undo();
    QVERIFY(!bill->mChanged());
    bill->redo();
    QVERIFY(bill->mChanged());
    bill->setMChanged(false); // saved here
    bill->undo();
    QVERIFY(bill->mChanged());
    bill->redo();
    QVERIFY(!bill->mChanged());
    // Told so from outside (a template deleted elsewhere): changed whatever
    // the history says.
    bill->setMChanged(true);
    QVERIFY(bill->mChanged());
}

void TestDesignerUndo::aNewChangeDropsTheStepsUndone()
{
    mFrm_Bill *bill = openWithObjects();
    h->drag(bill, 2000, 900, 2600, 1500);
    bill->undo();
    QVERIFY(bill->undoStack().canRedo());
    bill->SelAll();
    bill->Locked();
    QVERIFY(!bill->undoStack().canRedo());
    QCOMPARE(bill->undoStack().undoText(), QStringLiteral("锁定"));
}

// The drag under way becomes a step of its own, which the undo then takes
// back; the button's later release finds no gesture.
void TestDesignerUndo::undoDuringADragEndsItFirst()
{
    mFrm_Bill *bill = openWithObjects();
    h->click(bill, 2000, 900);
    const TemplateState before = TemplateState::of(bill->record());
    h->press(h->at(bill, 2000, 900));
    h->move(h->at(bill, 2600, 1500));
    bill->undo();
    h->move(h->at(bill, 3000, 1800));
    h->release(h->at(bill, 3000, 1800));
    QCOMPARE(differences(before, bill), QStringList());
    QCOMPARE(brokenInvariant(*bill), QString());
    QCOMPARE(bill->undoStack().redoText(), QStringLiteral("移动"));
}

// A new object selected together with the one that was current before it:
// undoing its drawing leaves that one selected, and counted once.
void TestDesignerUndo::undoingADrawLeavesTheSelectionBeforeIt()
{
    mFrm_Bill *bill = openWithObjects();
    const TemplateState before = TemplateState::of(bill->record());
    h->draw(bill, DrawTool::Text, 6000, 1500, 7200, 1900);
    h->drag(bill, 5900, 200, 7400, 2000);
    QCOMPARE(bill->mObjs().nActCount(), 2);
    bill->undo();
    QCOMPARE(differences(before, bill), QStringList());
    QCOMPARE(brokenInvariant(*bill), QString());
    QCOMPARE(bill->mObjs().nActCount(), 1);
}

QTEST_MAIN(TestDesignerUndo)
#include "tst_designerundo.moc"
