// The command table: every main-menu item, context-menu item and toolbar
// button runs its command on the active designer, with its own argument;
// without a designer the designer commands do nothing; closing the program
// asks about unsaved work window by window.

#include "tests/store/StoreFixtures.h"

#include "app/StatusBar.h"
#include "app/ZoomBox.h"
#include "app/mFrm_Main.h"
#include "app/mFrm_Select.h"

#include "designer/DrawTool.h"
#include "designer/PageView.h"
#include "designer/ShellNames.h"
#include "designer/ZoomSteps.h"
#include "designer/mFrm_Bill.h"

#include "model/ObjDraw.h"
#include "model/ObjDraws.h"

#include "platform/AppSetup.h"
#include "platform/Element.h"
#include "platform/FakeDialogs.h"
#include "platform/Platform.h"
#include "platform/Screen.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include <cmath>
#include <functional>
#include <memory>

namespace {

constexpr int TextA = 1001;
constexpr int TextB = 1002;

using Step = std::function<void(mFrm_Main &)>;
// What a command did; empty when it did what it should.
using Check = std::function<QString(mFrm_Main &, FakeDialogs &)>;

QRectF boxOf(mFrm_Bill &bill, int nID)
{
    const Element &e = bill.ObjText()(nID);
    return QRectF(e.Left(), e.Top(), e.Width(), e.Height());
}

QString modalShown(const FakeDialogs &d, const QString &title)
{
    for (const FakeDialogs::Shown &s : d.shown) {
        if (s.kind == QLatin1String("Modal") && s.title == title)
            return QString();
    }
    return QStringLiteral("no dialog ") + title;
}

QString messageShown(const FakeDialogs &d, const QString &text)
{
    return d.messages().contains(text) ? QString() : QStringLiteral("no message ") + text;
}

// Text A ends where the command puts it, B (the current object) stays.
Check aEndsAt(const QRectF &box)
{
    return [box](mFrm_Main &w, FakeDialogs &) {
        const QRectF a = boxOf(*w.gActiveBill(), TextA);
        if (boxOf(*w.gActiveBill(), TextB) != QRectF(4500, 1500, 900, 300))
            return QStringLiteral("B moved");
        return a == box ? QString()
                        : QStringLiteral("A at %1,%2 %3x%4")
                              .arg(a.left()).arg(a.top()).arg(a.width()).arg(a.height());
    };
}

Check both(std::function<bool(const ObjDraw &)> test, const char *what)
{
    return [test, what](mFrm_Main &w, FakeDialogs &) {
        ObjDraws &objs = w.gActiveBill()->mObjs();
        const bool ok = test(*objs.findByID(TextA)) && test(*objs.findByID(TextB));
        return ok ? QString() : QString::fromLatin1(what);
    };
}

// A click on the active designer's page (twips), as the user clicks.
Step clickAt(double x, double y)
{
    return [x, y](mFrm_Main &w) {
        const QPoint local(int(std::lround(x / 15.0)), int(std::lround(y / 15.0)));
        const QPoint p = w.gActiveBill()->pageView().mapTo(&w, local);
        QTest::mousePress(w.windowHandle(), Qt::LeftButton, {}, p);
        QTest::mouseRelease(w.windowHandle(), Qt::LeftButton, {}, p);
    };
}

// The active designer and the zoom box show the zoom.
Check zoomIs(double zoom)
{
    return [zoom](mFrm_Main &w, FakeDialogs &) {
        const double shown = w.gActiveBill()->zoom();
        if (shown != zoom)
            return QStringLiteral("zoom %1").arg(shown);
        return w.zoomBox()->currentText() == ZoomSteps::text(zoom)
                   ? QString()
                   : QStringLiteral("the box shows ") + w.zoomBox()->currentText();
    };
}

// The designers show the grid, the menu and the button show it shown, the
// settings store keeps it.
Check gridIs(int mm)
{
    return [mm](mFrm_Main &w, FakeDialogs &) {
        if (w.gActiveBill()->gridMm() != mm)
            return QStringLiteral("grid %1 mm").arg(w.gActiveBill()->gridMm());
        if (!w.action(MenuItem::ViewGrid)->isChecked() || !w.button(ToolbarKey::Grid)->isChecked())
            return QStringLiteral("not checked");
        const GridChoice stored = GridChoice::read();
        return stored.shown && stored.mm == mm ? QString() : QStringLiteral("not stored");
    };
}

struct Command
{
    const char *name;
    const char *menuItem;
    const char *contextItem;
    const char *toolbarKey;
    Step prepare;
    Check check;
};

} // namespace

class TestRouting : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void commandsReachTheDesigner_data();
    void commandsReachTheDesigner();
    void toolsAndViews_data();
    void toolsAndViews();
    void windowArrangement_data();
    void windowArrangement();
    void designerCommandsNeedADesigner_data();
    void designerCommandsNeedADesigner();
    void shellCommandsWorkWithoutADesigner_data();
    void shellCommandsWorkWithoutADesigner();
    void delDeletesTheSelection();
    void toolbarKeysAreComparedExactly();
    void helpContentsDoesNothing();
    void exitAsksEachChangedWindow_data();
    void exitAsksEachChangedWindow();
    void lockMarkShowsTheCurrentObject_data();
    void lockMarkShowsTheCurrentObject();
    void messagesCarryTheApplicationTitle_data();
    void messagesCarryTheApplicationTitle();
    void zoomBoxTakesATypedValue_data();
    void zoomBoxTakesATypedValue();
    void gridChoiceIsRemembered();
    void readoutPanelShowsTheActiveDesigner();
    void underlayChoiceIsPerWindow();
    void undoItemsNameTheActiveWindowsStep();

private:
    mFrm_Bill *newBill(const QString &name);
    QPoint at(mFrm_Bill *bill, double x, double y) const;
    void click(mFrm_Bill *bill, double x, double y, Qt::MouseButton b = Qt::LeftButton);
    void drawText(mFrm_Bill *bill, double x1, double y1, double x2, double y2);
    static const QList<Command> &commands();
    static void addTriggerRows(const QList<Command> &list);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<mFrm_Main> main;
    FakeDialogs *dialogs = nullptr;
};

void TestRouting::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    AppSetup::installFontSubstitutions();
    Screen::setTwipsPerPixel(15, 15);
}

void TestRouting::init()
{
    dialogs = &Platform::installFakes();
    m_dir = std::make_unique<QTemporaryDir>();
    main = std::make_unique<mFrm_Main>();
    main->catalogue().setPath(m_dir->filePath(QStringLiteral("templates.sqlite")));
    main->resize(1100, 800);
    main->show();
    QVERIFY(QTest::qWaitForWindowActive(main.get()));
}

void TestRouting::cleanup()
{
    main.reset();
    m_dir.reset();
}

mFrm_Bill *TestRouting::newBill(const QString &name)
{
    dialogs->modalScripts.push_back([name](QDialog &dialog) {
        auto &select = dynamic_cast<mFrm_Select &>(dialog);
        select.CmbName->setEditText(name);
        select.CmdOk->click();
        return select.result();
    });
    main->OpenBill(true);
    return main->gActiveBill();
}

QPoint TestRouting::at(mFrm_Bill *bill, double x, double y) const
{
    const QPoint local(int(std::lround(x / 15.0)), int(std::lround(y / 15.0)));
    return bill->pageView().mapTo(main.get(), local);
}

void TestRouting::click(mFrm_Bill *bill, double x, double y, Qt::MouseButton b)
{
    QTest::mousePress(main->windowHandle(), b, {}, at(bill, x, y));
    QTest::mouseRelease(main->windowHandle(), b, {}, at(bill, x, y));
}

void TestRouting::drawText(mFrm_Bill *bill, double x1, double y1, double x2, double y2)
{
    main->mun_DrawObj(DrawTool::Text)->trigger();
    QTest::mousePress(main->windowHandle(), Qt::LeftButton, {}, at(bill, x1, y1));
    QTest::mouseMove(main->windowHandle(), at(bill, (x1 + x2) / 2, (y1 + y2) / 2));
    QTest::mouseMove(main->windowHandle(), at(bill, x2, y2));
    QTest::mouseRelease(main->windowHandle(), Qt::LeftButton, {}, at(bill, x2, y2));
}

const QList<Command> &TestRouting::commands()
{
    using namespace MenuItem;
    namespace Key = ToolbarKey;
    const Step nothing = [](mFrm_Main &) {};
    // Text A lies left of and above B; every align code and size code
    // moves or sizes A differently.
    static const QList<Command> table = {
        {"New", FileNew, nullptr, Key::New, nothing,
         [](mFrm_Main &, FakeDialogs &d) { return modalShown(d, "选择单据： - 新建"); }},
        {"Open", FileOpen, nullptr, Key::Open, nothing,
         [](mFrm_Main &, FakeDialogs &d) { return modalShown(d, "选择单据： - 打开"); }},
        {"Close", FileClose, nullptr, nullptr, nothing,
         [](mFrm_Main &w, FakeDialogs &) {
             return w.designers().isEmpty() ? QString() : QStringLiteral("still open");
         }},
        {"Save", FileSave, nullptr, Key::Save, nothing,
         [](mFrm_Main &w, FakeDialogs &d) {
             return w.gActiveBill()->mID() > 0 ? messageShown(d, "保存成功！") : "not saved";
         }},
        {"Save as", FileSaveAs, nullptr, Key::SaveAs, nothing,
         [](mFrm_Main &, FakeDialogs &d) { return modalShown(d, "选择单据： - 新建"); }},
        {"Page setup", FilePageSetup, nullptr, Key::PageSetup, nothing,
         [](mFrm_Main &, FakeDialogs &d) { return modalShown(d, "页面设置"); }},
        {"Preview", FilePreView, nullptr, Key::View, nothing,
         [](mFrm_Main &, FakeDialogs &d) { return messageShown(d, "请先保存数据！"); }},
        {"Exit", FileExit, nullptr, Key::Exit, nothing,
         [](mFrm_Main &w, FakeDialogs &d) {
             return w.isVisible() ? messageShown(d, "您确认要退出系统吗？") : "closed";
         }},
        {"Delete", EditDel, Delete, Key::Delete, nothing,
         both([](const ::ObjDraw &o) { return !o.ObjCtl()->Visible(); }, "not deleted")},
        {"Lock", EditLock, Lock, Key::Locked, nothing,
         both([](const ::ObjDraw &o) { return o.Locked(); }, "not locked")},
        {"Clone", EditClone, Clone, Key::Clone, nothing,
         [](mFrm_Main &w, FakeDialogs &) {
             return w.gActiveBill()->mObjs().Count() == 4 ? QString() : "not cloned";
         }},
        {"Select all", EditSelAll, SelAll, Key::SelAll, clickAt(6500, 3000),
         [](mFrm_Main &w, FakeDialogs &) {
             return w.gActiveBill()->mObjs().nActCount() == 2 ? QString() : "not all selected";
         }},
        {"Properties", EditProp, ObjProp, Key::Prop,
         [](mFrm_Main &w) {
             clickAt(6500, 3000)(w);
             clickAt(4900, 1650)(w);
         },
         [](mFrm_Main &, FakeDialogs &d) { return modalShown(d, "对象属性："); }},
        {"Align left", FormatLeft, AlignLeft, Key::Left, nothing, aEndsAt({4500, 750, 1500, 450})},
        // B's centre is at 4950.
        {"Align centre", FormatHCenter, AlignHCenter, Key::HCenter, nothing,
         aEndsAt({4200, 750, 1500, 450})},
        {"Align right", FormatRight, AlignRight, Key::Right, nothing,
         aEndsAt({3900, 750, 1500, 450})},
        {"Align top", FormatTop, AlignTop, Key::Top, nothing, aEndsAt({1500, 1500, 1500, 450})},
        // B's middle is at 1650.
        {"Align middle", FormatVCenter, AlignVCenter, Key::VCenter, nothing,
         aEndsAt({1500, 1425, 1500, 450})},
        {"Align bottom", FormatBottom, AlignBottom, Key::Bottom, nothing,
         aEndsAt({1500, 1350, 1500, 450})},
        {"Same width", FormatWidth, SameWidth, Key::Width, nothing, aEndsAt({1500, 750, 900, 450})},
        {"Same height", FormatHeight, SameHeight, Key::Height, nothing,
         aEndsAt({1500, 750, 1500, 300})},
        {"Same size", FormatSize, SameAll, Key::SizeAll, nothing, aEndsAt({1500, 750, 900, 300})},
        {"Zoom in", ViewZoomIn, nullptr, Key::ZoomIn, nothing, zoomIs(1.5)},
        {"Zoom out", ViewZoomOut, nullptr, Key::ZoomOut, nothing, zoomIs(0.75)},
        {"Actual size", ViewZoomActual, nullptr, nullptr,
         [](mFrm_Main &w) { w.gActiveBill()->setZoom(4); }, zoomIs(1)},
        {"Grid", ViewGrid, nullptr, Key::Grid, nothing, gridIs(5)},
        {"Grid of 2 mm", ViewGrid2, nullptr, nullptr, nothing, gridIs(2)},
        {"Grid of 10 mm", ViewGrid10, nullptr, nullptr, nothing, gridIs(10)},
    };
    return table;
}

void TestRouting::addTriggerRows(const QList<Command> &list)
{
    QTest::addColumn<Step>("trigger");
    QTest::addColumn<Step>("prepare");
    QTest::addColumn<Check>("check");
    for (const Command &c : list) {
        const QString name = QString::fromUtf8(c.name);
        for (const char *item : {c.menuItem, c.contextItem}) {
            if (!item)
                continue;
            QTest::newRow(qPrintable(name + QStringLiteral(", ") + QLatin1String(item)))
                << Step([item](mFrm_Main &w) { w.action(item)->trigger(); }) << c.prepare
                << c.check;
        }
        if (c.toolbarKey) {
            const char *key = c.toolbarKey;
            QTest::newRow(qPrintable(name + QStringLiteral(", button ") + QLatin1String(key)))
                << Step([key](mFrm_Main &w) { w.button(key)->trigger(); }) << c.prepare
                << c.check;
        }
    }
}

void TestRouting::commandsReachTheDesigner_data()
{
    addTriggerRows(commands());
}

void TestRouting::commandsReachTheDesigner()
{
    QFETCH(Step, trigger);
    QFETCH(Step, prepare);
    QFETCH(Check, check);
    mFrm_Bill *bill = newBill(QStringLiteral("入库单"));
    QVERIFY(bill);
    drawText(bill, 1500, 750, 3000, 1200);
    drawText(bill, 4500, 1500, 5400, 1800);
    bill->SelAll();
    QCOMPARE(bill->mObjs().nCurID(), TextB);
    bill->setMChanged(false);
    prepare(*main);
    dialogs->shown.clear();
    dialogs->msgAnswers.push_back(MsgResult::No);

    trigger(*main);
    QTRY_COMPARE(check(*main, *dialogs), QString());
}

void TestRouting::toolsAndViews_data()
{
    QTest::addColumn<Step>("trigger");
    QTest::addColumn<Check>("check");
    // The tool in use before, so choosing proves something.
    QTest::addColumn<int>("before");
    for (int tool = 0; tool < DrawTool::Count; ++tool) {
        const int other = (tool + 1) % DrawTool::Count;
        const Check chosen = [tool](mFrm_Main &w, FakeDialogs &) {
            return w.gDrawMode() == tool && w.mun_DrawObj(tool)->isChecked()
                           && w.mun_ObjDraw(tool)->isChecked()
                       ? QString()
                       : QStringLiteral("tool %1 not chosen").arg(tool);
        };
        QTest::addRow("tool %d, mun_DrawObj", tool)
            << Step([tool](mFrm_Main &w) { w.mun_DrawObj(tool)->trigger(); }) << chosen << other;
        QTest::addRow("tool %d, mun_ObjDraw", tool)
            << Step([tool](mFrm_Main &w) { w.mun_ObjDraw(tool)->trigger(); }) << chosen << other;
        QTest::addRow("tool %d, button %s", tool, ToolbarKey::ForTool[tool])
            << Step([tool](mFrm_Main &w) { w.button(ToolbarKey::ForTool[tool])->trigger(); })
            << chosen << other;
    }
    QTest::newRow("toolbar") << Step([](mFrm_Main &w) {
        w.action(MenuItem::ViewToolbar)->trigger();
    }) << Check([](mFrm_Main &w, FakeDialogs &) {
        return w.TlbMain()->isHidden() ? QString() : QStringLiteral("toolbar shown");
    }) << 0;
    QTest::newRow("status bar") << Step([](mFrm_Main &w) {
        w.action(MenuItem::ViewStatusbar)->trigger();
    }) << Check([](mFrm_Main &w, FakeDialogs &) {
        return w.statusBar()->isHidden() ? QString() : QStringLiteral("status bar shown");
    }) << 0;
    QTest::newRow("options") << Step([](mFrm_Main &w) {
        w.action(MenuItem::ToolSystem)->trigger();
    }) << Check([](mFrm_Main &, FakeDialogs &d) { return modalShown(d, "套打系统选项:"); }) << 0;
    QTest::newRow("printer calibration") << Step([](mFrm_Main &w) {
        w.action(MenuItem::ToolCalibrate)->trigger();
    }) << Check([](mFrm_Main &, FakeDialogs &d) { return modalShown(d, "打印机校准"); }) << 0;
    QTest::newRow("about") << Step([](mFrm_Main &w) { w.action(MenuItem::About)->trigger(); })
                           << Check([](mFrm_Main &w, FakeDialogs &d) {
                                  return d.lastMessage() && d.lastMessage()->title == w.windowTitle()
                                             ? QString()
                                             : QStringLiteral("no About box");
                              })
                           << 0;
}

// These work with and without a designer window.
void TestRouting::toolsAndViews()
{
    QFETCH(Step, trigger);
    QFETCH(Check, check);
    QFETCH(int, before);
    for (bool withDesigner : {false, true}) {
        if (withDesigner)
            QVERIFY(newBill(QStringLiteral("入库单")));
        main->mun_ObjDraw_Click(before);
        if (main->TlbMain()->isHidden())
            main->action(MenuItem::ViewToolbar)->trigger();
        if (main->statusBar()->isHidden())
            main->action(MenuItem::ViewStatusbar)->trigger();
        dialogs->shown.clear();
        trigger(*main);
        QCOMPARE(check(*main, *dialogs), QString());
    }
}

void TestRouting::windowArrangement_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("code");
    QTest::newRow("cascade") << MenuItem::WindowCascade << 0;
    QTest::newRow("tile horizontally") << MenuItem::WindowTileHorizontal << 1;
    QTest::newRow("tile vertically") << MenuItem::WindowTileVertical << 2;
    QTest::newRow("arrange icons") << MenuItem::WindowArrangeIcons << 3;
}

// Each item arranges by its own code: two windows end where only that
// arrangement puts them.
void TestRouting::windowArrangement()
{
    QFETCH(QString, item);
    QFETCH(int, code);
    newBill(QStringLiteral("甲"));
    newBill(QStringLiteral("乙"));
    const QList<QMdiSubWindow *> frames = main->workspace()->subWindowList(QMdiArea::CreationOrder);
    QCOMPARE(frames.size(), 2);
    for (QMdiSubWindow *f : frames)
        f->setGeometry(200, 150, 300, 200);
    if (code == 3)
        frames[1]->showMinimized();
    const QRect area = main->workspace()->viewport()->rect();

    main->action(item)->trigger();
    const QRect a = frames[0]->geometry();
    const QRect b = frames[1]->geometry();
    switch (code) {
    case 0:
        QVERIFY(b.left() > a.left() && b.top() > a.top());
        break;
    case 1:
        QCOMPARE(a.width(), area.width());
        QCOMPARE(b.top(), a.bottom() + 1);
        break;
    case 2:
        QCOMPARE(a.height(), area.height());
        QCOMPARE(b.left(), a.right() + 1);
        break;
    default:
        QCOMPARE(a, QRect(200, 150, 300, 200));
        QCOMPARE(b.bottom(), area.bottom());
        QCOMPARE(b.left(), 0);
    }
}

void TestRouting::designerCommandsNeedADesigner_data()
{
    QList<Command> designerOnes;
    for (const Command &c : commands()) {
        const QByteArray name(c.name);
        if (name != "New" && name != "Open" && name != "Exit")
            designerOnes << c;
    }
    addTriggerRows(designerOnes);
}

void TestRouting::designerCommandsNeedADesigner()
{
    QFETCH(Step, trigger);
    trigger(*main);
    QVERIFY(dialogs->shown.empty());
    QVERIFY(main->designers().isEmpty());
    QVERIFY(main->isVisible());
}

void TestRouting::shellCommandsWorkWithoutADesigner_data()
{
    QTest::addColumn<Step>("trigger");
    QTest::addColumn<QString>("title");
    QTest::newRow("New") << Step([](mFrm_Main &w) { w.action(MenuItem::FileNew)->trigger(); })
                         << "选择单据： - 新建";
    QTest::newRow("New, button") << Step([](mFrm_Main &w) {
        w.button(ToolbarKey::New)->trigger();
    }) << "选择单据： - 新建";
    QTest::newRow("Open") << Step([](mFrm_Main &w) { w.action(MenuItem::FileOpen)->trigger(); })
                          << "选择单据： - 打开";
    QTest::newRow("Open, button") << Step([](mFrm_Main &w) {
        w.button(ToolbarKey::Open)->trigger();
    }) << "选择单据： - 打开";
}

void TestRouting::shellCommandsWorkWithoutADesigner()
{
    QFETCH(Step, trigger);
    QFETCH(QString, title);
    trigger(*main);
    QCOMPARE(modalShown(*dialogs, title), QString());
}

// Del is the main menu's shortcut, which stays enabled whatever the
// context menu last showed.
void TestRouting::delDeletesTheSelection()
{
    mFrm_Bill *bill = newBill(QStringLiteral("入库单"));
    drawText(bill, 1500, 750, 3000, 1200);
    drawText(bill, 4500, 1500, 5400, 1800);
    click(bill, 6500, 3000);
    click(bill, 6500, 3000, Qt::RightButton);
    QTRY_VERIFY(main->contextMenu()->isVisible());
    main->contextMenu()->close();
    QVERIFY(!main->action(MenuItem::Delete)->isEnabled());
    QVERIFY(main->action(MenuItem::EditDel)->isEnabled());

    click(bill, 2000, 900);
    QTest::keyClick(main.get(), Qt::Key_Delete);
    QVERIFY(!bill->ObjText()(TextA).Visible());
    QVERIFY(bill->ObjText()(TextB).Visible());
}

void TestRouting::toolbarKeysAreComparedExactly()
{
    mFrm_Bill *bill = newBill(QStringLiteral("入库单"));
    drawText(bill, 1500, 750, 3000, 1200);
    dialogs->shown.clear();
    for (const char *key : {"save", "Save ", "SAVE", "", "Unknown"})
        main->TlbMain_ButtonClick(QString::fromLatin1(key));
    QVERIFY(dialogs->shown.empty());
    QCOMPARE(bill->mID(), int16_t(0));
    main->TlbMain_ButtonClick(QStringLiteral("Save"));
    QVERIFY(bill->mID() > 0);
}

void TestRouting::helpContentsDoesNothing()
{
    mFrm_Bill *bill = newBill(QStringLiteral("入库单"));
    drawText(bill, 1500, 750, 3000, 1200);
    bill->setMChanged(false);
    dialogs->shown.clear();
    main->action(MenuItem::HelpContents)->trigger();
    QVERIFY(dialogs->shown.empty());
    QVERIFY(!bill->mChanged());
    QCOMPARE(main->designers().size(), 1);
    QVERIFY(!main->action(MenuItem::FileMRU)->isVisible());
}

void TestRouting::exitAsksEachChangedWindow_data()
{
    QTest::addColumn<QList<MsgResult>>("answers");
    QTest::addColumn<QString>("sabotage");
    QTest::addColumn<QStringList>("asked");
    QTest::addColumn<int>("left");
    QTest::addColumn<bool>("exits");
    const QString exit = QStringLiteral("您确认要退出系统吗？");
    const QString first = QStringLiteral("是否保存对单据“甲”的修改？");
    const QString second = QStringLiteral("是否保存对单据“乙”的修改？");
    using R = QList<MsgResult>;
    QTest::newRow("Cancel on the first")
        << R{MsgResult::Yes, MsgResult::Cancel} << QString() << QStringList{exit, first} << 3
        << false;
    QTest::newRow("No, then Cancel")
        << R{MsgResult::Yes, MsgResult::No, MsgResult::Cancel} << QString()
        << QStringList{exit, first, second} << 2 << false;
    QTest::newRow("No to both") << R{MsgResult::Yes, MsgResult::No, MsgResult::No} << QString()
                                << QStringList{exit, first, second} << 0 << true;
    QTest::newRow("Yes saves both")
        << R{MsgResult::Yes, MsgResult::Yes, MsgResult::OK, MsgResult::Yes}
        << QString() << QStringList{exit, first, "保存成功！", second, "保存成功！"} << 0 << true;
    // The store refuses the first window's objects: the save fails, the
    // window stays, and the exit stops there.
    QTest::newRow("the save fails")
        << R{MsgResult::Yes, MsgResult::Yes}
        << "CREATE TRIGGER refuse BEFORE INSERT ON BillObjects BEGIN SELECT RAISE(ABORT, 'no'); END"
        << QStringList{exit, first, "保存失败！"} << 3 << false;
}

// Two changed windows and an unchanged one: each changed one is asked in
// turn, the unchanged one closes without a word.
void TestRouting::exitAsksEachChangedWindow()
{
    QFETCH(QList<MsgResult>, answers);
    QFETCH(QString, sabotage);
    QFETCH(QStringList, asked);
    QFETCH(int, left);
    QFETCH(bool, exits);
    for (const QString &name : {QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙")}) {
        mFrm_Bill *bill = newBill(name);
        drawText(bill, 1500, 750, 3000, 1200);
        if (name == QStringLiteral("丙"))
            bill->setMChanged(false);
    }
    if (!sabotage.isEmpty()) {
        TemplateStore store(main->catalogue().path());
        QVERIFY(execOn(store, sabotage));
    }
    dialogs->shown.clear();
    for (MsgResult answer : answers)
        dialogs->msgAnswers.push_back(answer);

    QCOMPARE(main->close(), exits);
    QStringList shown = dialogs->messages();
    for (QString &text : shown)
        text = text.section(QLatin1Char('\n'), 0, 0);
    QCOMPARE(shown, asked);
    QTRY_COMPARE(main->designers().size(), exits ? 0 : left);
    QCOMPARE(main->isVisible(), !exits);
}

void TestRouting::lockMarkShowsTheCurrentObject_data()
{
    QTest::addColumn<Step>("trigger");
    QTest::addColumn<QString>("situation");
    QTest::addColumn<bool>("locked");
    const QList<QPair<QString, Step>> triggers = {
        {QStringLiteral("锁定(&U)"),
         [](mFrm_Main &w) { w.action(MenuItem::EditLock)->trigger(); }},
        {QStringLiteral("button Locked"),
         [](mFrm_Main &w) { w.button(ToolbarKey::Locked)->trigger(); }},
        {QStringLiteral("Ctrl+U"),
         [](mFrm_Main &w) { QTest::keyClick(&w, Qt::Key_U, Qt::ControlModifier); }},
    };
    const QList<QPair<QString, bool>> situations = {
        {QStringLiteral("no designer"), false},
        {QStringLiteral("nothing selected"), false},
        {QStringLiteral("a text selected"), true},
        {QStringLiteral("a locked text selected"), false},
    };
    for (const auto &[name, trigger] : triggers) {
        for (const auto &[situation, locked] : situations) {
            QTest::newRow(qPrintable(name + QStringLiteral(", ") + situation))
                << trigger << situation << locked;
        }
    }
}

// The check marks are checkable actions Qt flips on every trigger; they
// end showing the current object's lock and nothing else.
void TestRouting::lockMarkShowsTheCurrentObject()
{
    QFETCH(Step, trigger);
    QFETCH(QString, situation);
    QFETCH(bool, locked);
    if (situation != QLatin1String("no designer")) {
        mFrm_Bill *bill = newBill(QStringLiteral("入库单"));
        drawText(bill, 1500, 750, 3000, 1200);
        if (situation == QLatin1String("nothing selected"))
            click(bill, 6500, 3000);
        if (situation == QLatin1String("a locked text selected")) {
            bill->Locked();
            click(bill, 2000, 900);
        }
    }
    main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(main.get()));
    trigger(*main);
    QCOMPARE(main->action(MenuItem::EditLock)->isChecked(), locked);
    QCOMPARE(main->action(MenuItem::Lock)->isChecked(), locked);
    QCOMPARE(main->buttonValue(ToolbarKey::Locked),
             locked ? DesignerShell::Pressed : DesignerShell::Released);
    if (mFrm_Bill *bill = main->gActiveBill())
        QCOMPARE(bill->mObjs().findByID(TextA)->Locked(), locked);
}

void TestRouting::messagesCarryTheApplicationTitle_data()
{
    QTest::addColumn<Step>("trigger");
    QTest::addColumn<QString>("text");
    QTest::newRow("about") << Step([](mFrm_Main &w) { w.action(MenuItem::About)->trigger(); })
                           << "Kordane-格式报表Tavrel工具\n\n设计套打单据、凭证和报表的打印格式，并可预览和打印。";
    QTest::newRow("saved") << Step([](mFrm_Main &w) { w.SaveActive(false); }) << "保存成功！";
    // The template went from the store meanwhile: saving offers a new one.
    QTest::newRow("offer to save as") << Step([](mFrm_Main &w) {
        const int16_t id = w.gActiveBill()->mID();
        TemplateStore(w.catalogue().path()).remove(id);
        w.gActiveBill()->setMChanged(true);
        w.SaveActive(false);
    }) << "单据“入库单”已从单据模板库中删除。\n是否另存为新单据？";
}

// While a designer window is maximised Qt shows its name in the main
// window's title; the messages keep the application's own title.
void TestRouting::messagesCarryTheApplicationTitle()
{
    QFETCH(Step, trigger);
    QFETCH(QString, text);
    mFrm_Bill *bill = newBill(QStringLiteral("入库单"));
    drawText(bill, 1500, 750, 3000, 1200);
    main->SaveActive(false);
    QVERIFY(bill->mID() > 0);
    main->workspace()->activeSubWindow()->showMaximized();
    QTRY_VERIFY(main->windowTitle() != mFrm_Main::AppTitle());
    dialogs->shown.clear();
    dialogs->msgAnswers.push_back(MsgResult::No);
    trigger(*main);
    QVERIFY(dialogs->lastMessage());
    QCOMPARE(dialogs->messages().front(), text);
    QCOMPARE(dialogs->shown.front().title, QStringLiteral("Kordane-格式报表Tavrel工具"));
}

void TestRouting::zoomBoxTakesATypedValue_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("zoom");
    QTest::addColumn<bool>("refused");
    QTest::newRow("a step") << "200%" << 2.0 << false;
    QTest::newRow("between steps") << "120" << 1.2 << false;
    QTest::newRow("full width") << QStringLiteral("１５０％") << 1.5 << false;
    QTest::newRow("below 25%") << "10%" << 1.0 << true;
    QTest::newRow("not a number") << QStringLiteral("一半") << 1.0 << true;
}

// A value typed into the zoom box goes to the active designer; one it
// cannot take is refused with a message and the box shows the zoom again.
void TestRouting::zoomBoxTakesATypedValue()
{
    QFETCH(QString, typed);
    QFETCH(double, zoom);
    QFETCH(bool, refused);
    mFrm_Bill *bill = newBill(QStringLiteral("入库单"));
    QVERIFY(bill);
    ZoomBox &box = *main->zoomBox();
    dialogs->shown.clear();
    box.lineEdit()->setText(typed);
    QTest::keyClick(box.lineEdit(), Qt::Key_Return);
    QCOMPARE(bill->zoom(), zoom);
    QCOMPARE(box.currentText(), ZoomSteps::text(zoom));
    QCOMPARE(dialogs->messages().size(), qsizetype(refused ? 1 : 0));
    if (refused)
        QCOMPARE(dialogs->messages().front(), QStringLiteral("请输入 25% 到 800% 之间的缩放比例！"));
    // A step picked from the list.
    box.setCurrentIndex(box.findText(QStringLiteral("400%")));
    emit box.activated(box.currentIndex());
    QCOMPARE(bill->zoom(), 4.0);
}

// The grid as chosen last time is there when the program starts again and
// shows in every designer window.
void TestRouting::gridChoiceIsRemembered()
{
    mFrm_Bill *first = newBill(QStringLiteral("入库单"));
    QVERIFY(first);
    QCOMPARE(first->gridMm(), 0.0);
    main->action(MenuItem::ViewGrid10)->trigger();
    QCOMPARE(first->gridMm(), 10.0);
    mFrm_Bill *second = newBill(QStringLiteral("出库单"));
    QCOMPARE(second->gridMm(), 10.0);
    main->button(ToolbarKey::Grid)->trigger();
    QCOMPARE(first->gridMm(), 0.0);
    QCOMPARE(second->gridMm(), 0.0);
    QVERIFY(!main->action(MenuItem::ViewGrid)->isChecked());
    main->action(MenuItem::ViewGrid)->trigger();
    QCOMPARE(second->gridMm(), 10.0);

    mFrm_Main again;
    QCOMPARE(again.grid().shown, true);
    QCOMPARE(again.grid().mm, 10);
    QVERIFY(again.action(MenuItem::ViewGrid10)->isChecked());
    QVERIFY(!again.action(MenuItem::ViewGrid5)->isChecked());
    QVERIFY(again.button(ToolbarKey::Grid)->isChecked());
}

// The seventh panel shows the active designer's readout.
void TestRouting::readoutPanelShowsTheActiveDesigner()
{
    mFrm_Bill *first = newBill(QStringLiteral("入库单"));
    QVERIFY(first);
    QTest::mouseMove(main->windowHandle(), at(first, 1440, 2880));
    QTRY_COMPARE(main->sbrMain()->panelText(QStringLiteral("pos")),
                 QStringLiteral("X 25.4  Y 50.8"));
    mFrm_Bill *second = newBill(QStringLiteral("出库单"));
    QCOMPARE(main->gActiveBill(), second);
    QCOMPARE(main->sbrMain()->panelText(QStringLiteral("pos")), second->readoutText());
    drawText(second, 1500, 750, 3000, 1200);
    QTRY_VERIFY(main->sbrMain()->panelText(QStringLiteral("pos"))
                    .endsWith(QStringLiteral("左 26.46  上 13.23  宽 26.46  高 7.94")));
}

// 显示底图 and its button hide and show the form beneath the active window's
// page only; the check follows the window that becomes active.
void TestRouting::underlayChoiceIsPerWindow()
{
    QVERIFY(main->action(MenuItem::ViewUnderlay)->isChecked());
    mFrm_Bill *first = newBill(QStringLiteral("入库单"));
    QVERIFY(first);
    mFrm_Bill *second = newBill(QStringLiteral("出库单"));
    QVERIFY(second);
    QCOMPARE(main->gActiveBill(), second);
    main->action(MenuItem::ViewUnderlay)->trigger();
    QVERIFY(!second->underlayShown());
    QVERIFY(first->underlayShown());
    QVERIFY(!main->action(MenuItem::ViewUnderlay)->isChecked());
    QVERIFY(!main->button(ToolbarKey::Underlay)->isChecked());

    const QList<QMdiSubWindow *> frames = main->workspace()->subWindowList(QMdiArea::CreationOrder);
    main->workspace()->setActiveSubWindow(frames.front());
    QCOMPARE(main->gActiveBill(), first);
    QVERIFY(main->action(MenuItem::ViewUnderlay)->isChecked());
    QVERIFY(main->button(ToolbarKey::Underlay)->isChecked());
    main->button(ToolbarKey::Underlay)->trigger();
    QVERIFY(!first->underlayShown());
    QVERIFY(!main->action(MenuItem::ViewUnderlay)->isChecked());

    main->workspace()->setActiveSubWindow(frames.back());
    main->button(ToolbarKey::Underlay)->trigger();
    QVERIFY(second->underlayShown());
    QVERIFY(!first->underlayShown());
    QVERIFY(main->action(MenuItem::ViewUnderlay)->isChecked());
}

// 撤销 and 重做 follow the active window's history: captions, enabled
// states, the buttons and the keys.
void TestRouting::undoItemsNameTheActiveWindowsStep()
{
    QAction *undo = main->action(MenuItem::EditUndo);
    QAction *redo = main->action(MenuItem::EditRedo);
    QCOMPARE(main->menu(MenuItem::Edit)->actions().first(), undo);
    QCOMPARE(undo->text(), QStringLiteral("撤销(&Z)"));
    QVERIFY(!undo->isEnabled());
    mFrm_Bill *first = newBill(QStringLiteral("入库单"));
    QVERIFY(first);
    drawText(first, 1500, 750, 3000, 1200);
    drawText(first, 4500, 1500, 5400, 1800);
    QCOMPARE(undo->text(), QStringLiteral("撤销 绘制(&Z)"));
    QVERIFY(undo->isEnabled() && main->button(ToolbarKey::Undo)->isEnabled());
    QCOMPARE(redo->text(), QStringLiteral("重做(&Y)"));
    QVERIFY(!redo->isEnabled());
    first->SelAll();
    first->SetAlign(ObjDraws::AlignLeft);
    QTest::keySequence(main.get(), QKeySequence(QStringLiteral("Ctrl+Z")));
    QCOMPARE(redo->text(), QStringLiteral("重做 对齐(&Y)"));
    QCOMPARE(main->button(ToolbarKey::Redo)->toolTip(), QStringLiteral("重做 对齐"));
    QCOMPARE(undo->text(), QStringLiteral("撤销 绘制(&Z)"));
    main->button(ToolbarKey::Undo)->trigger();
    QVERIFY(!first->ObjText()(1002).Visible());
    QTest::keySequence(main.get(), QKeySequence(QStringLiteral("Ctrl+Shift+Z")));
    QVERIFY(first->ObjText()(1002).Visible());

    // Another window has a history of its own.
    mFrm_Bill *second = newBill(QStringLiteral("出库单"));
    QCOMPARE(main->gActiveBill(), second);
    QVERIFY(!undo->isEnabled());
    QVERIFY(!redo->isEnabled());
    main->workspace()->setActiveSubWindow(
        main->workspace()->subWindowList(QMdiArea::CreationOrder).front());
    QCOMPARE(undo->text(), QStringLiteral("撤销 绘制(&Z)"));
    QCOMPARE(redo->text(), QStringLiteral("重做 对齐(&Y)"));
}

QTEST_MAIN(TestRouting)
#include "tst_routing.moc"
