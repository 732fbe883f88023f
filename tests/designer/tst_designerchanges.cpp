// Unsaved work: every change a user makes marks the designer window
// changed, what only looks or selects does not, and a changed window asks
// before it closes.

#include "DesignerHarness.h"

#include "designer/BillSource.h"
#include "designer/DrawTool.h"
#include "designer/FixHandle.h"
#include "designer/ScrollBar.h"

#include "model/BillTemplate.h"
#include "model/HandlePosition.h"
#include "model/ObjDraw.h"
#include "model/ObjDraws.h"

#include "platform/Element.h"
#include "platform/FakeDialogs.h"
#include "platform/PageSurface.h"
#include "platform/Platform.h"
#include "platform/RuntimeError.h"
#include "platform/Screen.h"

#include <QDialog>
#include <QImage>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>

#include <functional>
#include <memory>

namespace {

constexpr int TextA = 1001;
constexpr int TextB = 1002;
constexpr int PictureC = 2001;

using Action = std::function<void(DesignerHarness &, mFrm_Bill *, FakeDialogs &)>;

// Presses a button of whatever dialog the designer opens.
std::function<int(QDialog &)> pressing(const char *button)
{
    return [button](QDialog &dialog) {
        dialog.findChild<QPushButton *>(QLatin1String(button))->click();
        return dialog.result();
    };
}

QPoint handleAt(DesignerHarness &h, mFrm_Bill *bill, int nID, int position)
{
    const Element &handle = bill->PicHD()(8 * nID - 8 + position);
    return h.at(bill, handle.Left() + 45, handle.Top() + 45);
}

class FailingSource : public BillSource
{
public:
    void ReadBill(int16_t, BillTemplate &fresh) override
    {
        fresh.Caption = QStringLiteral("半张单据");
        throw RuntimeError(RuntimeError::TemplateDataCorrupt);
    }
};

} // namespace

class TestDesignerChanges : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void changesAreTracked_data();
    void changesAreTracked();
    void closingAChangedWindow_data();
    void closingAChangedWindow();
    void aFailedLoadLeavesNoWindowWithTheId();

private:
    mFrm_Bill *openWithObjects();

    std::unique_ptr<DesignerHarness> h;
    FakeDialogs *dialogs = nullptr;
    QTemporaryDir dir;
};

void TestDesignerChanges::initTestCase()
{
    Screen::setTwipsPerPixel(15, 15);
    QImage picture(8, 6, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    QVERIFY(picture.save(dir.filePath(QStringLiteral("p.bmp"))));
}

void TestDesignerChanges::init()
{
    dialogs = &Platform::installFakes();
    h = std::make_unique<DesignerHarness>();
    QVERIFY(h->ready());
}

void TestDesignerChanges::cleanup()
{
    h.reset();
}

// Two texts and an empty picture (selected, being drawn last), as saved.
mFrm_Bill *TestDesignerChanges::openWithObjects()
{
    mFrm_Bill *bill = h->open();
    bill->setCaption(QStringLiteral("入库单"));
    h->draw(bill, DrawTool::Text, 1500, 750, 3000, 1200);
    h->draw(bill, DrawTool::Text, 4500, 1500, 5400, 1800);
    h->draw(bill, DrawTool::Picture, 6000, 300, 7200, 1200);
    bill->setMChanged(false);
    return bill;
}

void TestDesignerChanges::changesAreTracked_data()
{
    QTest::addColumn<Action>("action");
    QTest::addColumn<bool>("changed");
    const QString picture = dir.filePath(QStringLiteral("p.bmp"));

    QTest::newRow("draw a text") << Action([](DesignerHarness &h, mFrm_Bill *b, FakeDialogs &) {
        h.draw(b, DrawTool::Text, 1500, 2400, 3000, 2900);
    }) << true;
    QTest::newRow("draw a line") << Action([](DesignerHarness &h, mFrm_Bill *b, FakeDialogs &) {
        h.draw(b, DrawTool::Line, 300, 3000, 6000, 3000);
    }) << true;
    QTest::newRow("move") << Action([](DesignerHarness &h, mFrm_Bill *b, FakeDialogs &) {
        h.drag(b, 2000, 900, 2600, 1500);
    }) << true;
    QTest::newRow("size with a handle")
        << Action([](DesignerHarness &h, mFrm_Bill *b, FakeDialogs &) {
               h.click(b, 2000, 900);
               h.dragTo(handleAt(h, b, TextA, HandlePosition::BottomRight), h.at(b, 3600, 1500));
           })
        << true;
    QTest::newRow("size the page") << Action([](DesignerHarness &h, mFrm_Bill *b, FakeDialogs &) {
        const QPoint corner = b->PicFixHd(FixHandle::Corner).mapTo(&h.area, QPoint(2, 2));
        h.dragTo(corner, corner + QPoint(30, 20));
    }) << true;
    QTest::newRow("align") << Action([](DesignerHarness &, mFrm_Bill *b, FakeDialogs &) {
        b->SelAll();
        b->SetAlign(ObjDraws::AlignTop);
    }) << true;
    QTest::newRow("same size") << Action([](DesignerHarness &, mFrm_Bill *b, FakeDialogs &) {
        b->SelAll();
        b->SetSameSize(ObjDraws::SameWidthAndHeight);
    }) << true;
    QTest::newRow("clone") << Action([](DesignerHarness &, mFrm_Bill *b, FakeDialogs &) {
        b->CloneObj();
    }) << true;
    QTest::newRow("delete") << Action([](DesignerHarness &, mFrm_Bill *b, FakeDialogs &) {
        b->Delete();
    }) << true;
    QTest::newRow("lock") << Action([](DesignerHarness &, mFrm_Bill *b, FakeDialogs &) {
        b->Locked();
    }) << true;
    QTest::newRow("edit a caption in place")
        << Action([](DesignerHarness &h, mFrm_Bill *b, FakeDialogs &) {
               h.doubleClick(b, 2000, 900);
               QTest::keyClicks(&b->TxtLab(), QStringLiteral("7"));
           })
        << true;
    QTest::newRow("choose a picture")
        << Action([picture](DesignerHarness &h, mFrm_Bill *b, FakeDialogs &d) {
               d.fileAnswers.push_back(picture);
               h.doubleClick(b, 6500, 700);
           })
        << true;
    QTest::newRow("remove a picture")
        << Action([picture](DesignerHarness &h, mFrm_Bill *b, FakeDialogs &d) {
               d.fileAnswers.push_back(picture);
               h.doubleClick(b, 6500, 700);
               b->setMChanged(false);
               d.fileAnswers.push_back(std::nullopt);
               h.doubleClick(b, 6500, 700);
           })
        << true;
    QTest::newRow("property dialog OK")
        << Action([](DesignerHarness &h, mFrm_Bill *b, FakeDialogs &d) {
               h.click(b, 2000, 900);
               d.modalScripts.push_back(pressing("CmdOK"));
               b->SetObjProp();
           })
        << true;
    QTest::newRow("page setup OK") << Action([](DesignerHarness &, mFrm_Bill *b, FakeDialogs &d) {
        d.modalScripts.push_back(pressing("CmdOK"));
        b->ShowPageSetup();
    }) << true;

    QTest::newRow("click without a move")
        << Action([](DesignerHarness &h, mFrm_Bill *b, FakeDialogs &) { h.click(b, 2000, 900); })
        << false;
    QTest::newRow("band selection") << Action([](DesignerHarness &h, mFrm_Bill *b, FakeDialogs &) {
        h.drag(b, 600, 300, 7800, 2100);
    }) << false;
    QTest::newRow("select all") << Action([](DesignerHarness &, mFrm_Bill *b, FakeDialogs &) {
        b->SelAll();
    }) << false;
    QTest::newRow("scroll") << Action([](DesignerHarness &, mFrm_Bill *b, FakeDialogs &) {
        // Room to scroll both ways.
        b->PicPage().setWidth(20000);
        b->PicPage().setHeight(12000);
        b->setMChanged(false);
        b->VS().triggerAction(QAbstractSlider::SliderPageStepAdd);
        b->HS().triggerAction(QAbstractSlider::SliderPageStepAdd);
    }) << false;
    QTest::newRow("preview") << Action([](DesignerHarness &, mFrm_Bill *b, FakeDialogs &) {
        b->setMID(3);
        b->setMChanged(false);
        b->PreView();
    }) << false;
    QTest::newRow("property dialog cancelled")
        << Action([](DesignerHarness &h, mFrm_Bill *b, FakeDialogs &d) {
               h.click(b, 2000, 900);
               d.modalScripts.push_back(pressing("CmdCancel"));
               b->SetObjProp();
           })
        << false;
    QTest::newRow("page setup cancelled")
        << Action([](DesignerHarness &, mFrm_Bill *b, FakeDialogs &d) {
               d.modalScripts.push_back(pressing("CmdCancel"));
               b->ShowPageSetup();
           })
        << false;
    // Cancelling removes the picture, and there is none.
    QTest::newRow("picture dialog cancelled")
        << Action([](DesignerHarness &h, mFrm_Bill *b, FakeDialogs &) { h.doubleClick(b, 6500, 700); })
        << false;
    QTest::newRow("caption editor opened, nothing typed")
        << Action([](DesignerHarness &h, mFrm_Bill *b, FakeDialogs &) {
               h.doubleClick(b, 2000, 900);
               QTest::keyClick(&b->TxtLab(), Qt::Key_Return);
           })
        << false;
    QTest::newRow("align with one selected")
        << Action([](DesignerHarness &, mFrm_Bill *b, FakeDialogs &) {
               b->SetAlign(ObjDraws::AlignTop);
               b->SetSameSize(ObjDraws::SameWidth);
           })
        << false;
    QTest::newRow("lock, delete, clone with nothing selected")
        << Action([](DesignerHarness &h, mFrm_Bill *b, FakeDialogs &) {
               h.click(b, 600, 3300);
               b->Locked();
               b->Delete();
               b->CloneObj();
           })
        << false;
}

void TestDesignerChanges::changesAreTracked()
{
    QFETCH(Action, action);
    QFETCH(bool, changed);
    mFrm_Bill *bill = openWithObjects();
    QVERIFY(!bill->mChanged());

    action(*h, bill, *dialogs);
    QCOMPARE(bill->mChanged(), changed);

    const size_t before = dialogs->shown.size();
    dialogs->msgAnswers.push_back(MsgResult::No);
    QPointer<QWidget> frame = bill->parentWidget();
    QVERIFY(frame->close());
    const QString question = QStringLiteral("是否保存对单据“入库单”的修改？");
    QCOMPARE(dialogs->shown.size() - before, size_t(changed ? 1 : 0));
    if (changed) {
        QCOMPARE(dialogs->shown.back().text, question);
        QCOMPARE(dialogs->shown.back().buttons, MsgButtons::YesNoCancel);
        QCOMPARE(dialogs->shown.back().icon, MsgIcon::Exclamation);
    }
    QVERIFY(h->shell.saved.empty());
    QTRY_VERIFY(!frame);
}

void TestDesignerChanges::closingAChangedWindow_data()
{
    QTest::addColumn<MsgResult>("answer");
    QTest::addColumn<bool>("saveSucceeds");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<bool>("saved");
    QTest::newRow("Yes, saved") << MsgResult::Yes << true << true << true;
    QTest::newRow("Yes, the save fails") << MsgResult::Yes << false << false << true;
    QTest::newRow("No") << MsgResult::No << true << true << false;
    QTest::newRow("Cancel") << MsgResult::Cancel << true << false << false;
}

void TestDesignerChanges::closingAChangedWindow()
{
    QFETCH(MsgResult, answer);
    QFETCH(bool, saveSucceeds);
    QFETCH(bool, closes);
    QFETCH(bool, saved);
    mFrm_Bill *bill = openWithObjects();
    bill->Delete();
    h->shell.saveSucceeds = saveSucceeds;
    dialogs->msgAnswers.push_back(answer);

    QPointer<QWidget> frame = bill->parentWidget();
    QCOMPARE(frame->close(), closes);
    QCOMPARE(h->shell.saved.size(), size_t(saved ? 1 : 0));
    if (closes) {
        QTRY_VERIFY(!frame);
        return;
    }
    QVERIFY(frame->isVisible());
    QVERIFY(bill->mChanged());
    QCOMPARE(h->shell.active, bill);
}

// A window that cannot read its template closes: nothing could later be
// saved over the stored template from a part of it.
void TestDesignerChanges::aFailedLoadLeavesNoWindowWithTheId()
{
    FailingSource source;
    mFrm_Bill *bill = h->open();
    bill->setBillSource(&source);
    QPointer<QWidget> frame = bill->parentWidget();
    bill->LoadBill(7);
    QCOMPARE(bill->mID(), int16_t(0));
    QCOMPARE(dialogs->messages(),
             QStringList{QStringLiteral("%1:%2 ").arg(int(RuntimeError::TemplateDataCorrupt))
                             .arg(RuntimeError::standardDescription(RuntimeError::TemplateDataCorrupt))});
    QTRY_VERIFY(!frame);
    QCOMPARE(h->shell.active, nullptr);
}

QTEST_MAIN(TestDesignerChanges)
#include "tst_designerchanges.moc"
