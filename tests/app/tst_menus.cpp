#include "app/MenuTable.h"
#include "app/StatusBar.h"
#include "app/ToolbarTable.h"
#include "app/WindowArrange.h"
#include "app/mFrm_Main.h"
#include "designer/DrawTool.h"
#include "designer/ShellNames.h"
#include "platform/AppSetup.h"
#include "platform/FakeDialogs.h"
#include "platform/Platform.h"
#include "platform/RuntimeError.h"
#include "platform/Screen.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>
#include <QToolTip>
#include <QWidgetAction>

#include <functional>
#include <memory>
#include <vector>

namespace {

using ItemOf = std::function<QAction *(const mFrm_Main &)>;

ItemOf item(const char *name)
{
    return [name](const mFrm_Main &w) { return w.action(name); };
}

ItemOf drawMenuTool(int tool)
{
    return [tool](const mFrm_Main &w) { return w.mun_DrawObj(tool); };
}

ItemOf contextMenuTool(int tool)
{
    return [tool](const mFrm_Main &w) { return w.mun_ObjDraw(tool); };
}

// The built item of a table entry: array items by their index, the others
// by name.
QAction *builtItem(const mFrm_Main &w, const MenuEntry &e)
{
    if (e.index < 0)
        return w.action(e.name);
    return QLatin1String(e.name) == QLatin1String(MenuItem::DrawObj) ? w.mun_DrawObj(e.index)
                                                                     : w.mun_ObjDraw(e.index);
}

// The items of the menu an entry belongs to (the menu bar's for a level-0
// entry), and the entry's place among them.
QList<QAction *> siblingsOf(const mFrm_Main &w, const QList<MenuEntry> &table, qsizetype row,
                            qsizetype &place)
{
    const int level = table[row].level;
    place = 0;
    qsizetype parent = row - 1;
    for (; parent >= 0 && table[parent].level >= level; --parent) {
        if (table[parent].level == level)
            ++place;
    }
    if (level == 0)
        return w.menuBar()->actions();
    return w.menu(table[parent].name)->actions();
}

qsizetype itemsUnder(const QList<QAction *> &actions)
{
    qsizetype n = actions.size();
    for (const QAction *a : actions) {
        if (a->menu())
            n += itemsUnder(a->menu()->actions());
    }
    return n;
}

std::vector<QAction *> allItems(const QList<QAction *> &actions)
{
    std::vector<QAction *> items;
    for (QAction *a : actions) {
        items.push_back(a);
        if (a->menu()) {
            const std::vector<QAction *> inner = allItems(a->menu()->actions());
            items.insert(items.end(), inner.begin(), inner.end());
        }
    }
    return items;
}

QString toolbarLine(const char *key, const char *rest)
{
    return QString::fromLatin1(key) + ' ' + QString::fromUtf8(rest);
}

} // namespace

class tst_Menus : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void menusFollowTheTable_data();
    void menusFollowTheTable();
    void menusHoldOnlyTheTable();
    void startStates_data();
    void startStates();
    void shortcutsTriggerTheirItems_data();
    void shortcutsTriggerTheirItems();
    void toolArraysHoldTheFourToolsInOrder();
    void contextMenuIsHiddenInMenuBar();
    void shortcutsSelectTools_data();
    void shortcutsSelectTools();
    void toolSelectionMovesCheckMarks_data();
    void toolSelectionMovesCheckMarks();
    void toolSelectionLeavesToolbarAlone();
    void toolSelectionRejectsUnknownTool();

    void toolbarLayout();
    void shownTips_data();
    void shownTips();
    void toolbarImagesComeFromImageList();
    void buttonValues();

    void windowMenuListsDesignerWindows();
    void tile_data();
    void tile();
    void iconPositions_data();
    void iconPositions();
    void tileHorizontallyStacksWindows();

    void everyCharacterIsInTheFont();
};

void tst_Menus::initTestCase()
{
    AppSetup::installFontSubstitutions();
    Screen::setTwipsPerPixel(15, 15);
}

void tst_Menus::init()
{
    Platform::installFakes();
}

void tst_Menus::menusFollowTheTable_data()
{
    QTest::addColumn<int>("row");
    const QList<MenuEntry> &table = MenuTable::entries();
    for (qsizetype row = 0; row < table.size(); ++row) {
        const MenuEntry &e = table[row];
        if (e.index < 0)
            QTest::addRow("%s", e.name) << int(row);
        else
            QTest::addRow("%s(%d)", e.name, e.index) << int(row);
    }
}

// Each line of the table is an item of the menus, under its name, in its
// menu and place, with its caption, shortcut and state.
void tst_Menus::menusFollowTheTable()
{
    QFETCH(int, row);
    const QList<MenuEntry> &table = MenuTable::entries();
    const MenuEntry &e = table[row];
    mFrm_Main w;
    QAction *built = builtItem(w, e);
    QCOMPARE(built->objectName(), QString::fromLatin1(e.name));

    qsizetype place = 0;
    const QList<QAction *> siblings = siblingsOf(w, table, row, place);
    QCOMPARE(siblings.value(place), built);

    const QString caption = QString::fromUtf8(e.caption);
    QCOMPARE(built->isSeparator(), caption == QLatin1String("-"));
    if (!built->isSeparator())
        QCOMPARE(built->text(), caption);
    QCOMPARE(built->shortcut().toString(QKeySequence::PortableText),
             QString::fromLatin1(e.shortcut));
    QCOMPARE(built->isCheckable(), (e.flags & MenuEntry::Checkable) != 0);
    QCOMPARE(built->isChecked(), (e.flags & MenuEntry::Checked) == MenuEntry::Checked);
    QCOMPARE(built->isVisible(), (e.flags & MenuEntry::Hidden) == 0);

    // An entry followed by deeper ones opens a menu of its own.
    const bool opensMenu =
        e.level == 0 || (row + 1 < table.size() && table[row + 1].level > e.level);
    QCOMPARE(built->menu() != nullptr, opensMenu);
    if (opensMenu) {
        QCOMPARE(w.menu(e.name), built->menu());
        QCOMPARE(built->menu()->title(), caption);
    }
}

void tst_Menus::menusHoldOnlyTheTable()
{
    mFrm_Main w;
    QCOMPARE(itemsUnder(w.menuBar()->actions()), MenuTable::entries().size());
}

void tst_Menus::startStates_data()
{
    QTest::addColumn<ItemOf>("item");
    QTest::addColumn<bool>("checkable");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<bool>("visible");

    // The designer starts with the selection tool.
    QTest::newRow("绘制 选区") << drawMenuTool(DrawTool::Select) << true << true << true;
    QTest::newRow("context 选区") << contextMenuTool(DrawTool::Select) << true << true << true;
    for (int tool : {DrawTool::Line, DrawTool::Text, DrawTool::Picture}) {
        QTest::addRow("绘制 tool %d", tool) << drawMenuTool(tool) << true << false << true;
        QTest::addRow("context tool %d", tool) << contextMenuTool(tool) << true << false << true;
    }
    // Both bars are shown at start.
    QTest::newRow("工具栏") << item(MenuItem::ViewToolbar) << true << true << true;
    QTest::newRow("状态栏") << item(MenuItem::ViewStatusbar) << true << true << true;
    // The lock items carry a check mark for the designer to set.
    QTest::newRow("编辑 锁定") << item(MenuItem::EditLock) << true << false << true;
    QTest::newRow("context 锁定") << item(MenuItem::Lock) << true << false << true;
    // There is no list of recent files to show.
    QTest::newRow("最近文件") << item(MenuItem::FileMRU) << false << false << false;
    QTest::newRow("最近文件 separator") << item(MenuItem::FileLine3) << false << false << false;
    QTest::newRow("Right") << item(MenuItem::Right) << false << false << false;
    QTest::newRow("plain item") << item(MenuItem::FileNew) << false << false << true;
}

void tst_Menus::startStates()
{
    QFETCH(ItemOf, item);
    mFrm_Main w;
    QAction *a = item(w);
    QTEST(a->isCheckable(), "checkable");
    QTEST(a->isChecked(), "checked");
    QTEST(a->isVisible(), "visible");
}

void tst_Menus::shortcutsTriggerTheirItems_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<ItemOf>("item");

    const int ctrl = Qt::ControlModifier;
    QTest::newRow("Ctrl+N") << int(Qt::Key_N) << ctrl << item(MenuItem::FileNew);
    QTest::newRow("Ctrl+O") << int(Qt::Key_O) << ctrl << item(MenuItem::FileOpen);
    QTest::newRow("Ctrl+S") << int(Qt::Key_S) << ctrl << item(MenuItem::FileSave);
    QTest::newRow("Del") << int(Qt::Key_Delete) << 0 << item(MenuItem::EditDel);
    QTest::newRow("Ctrl+U") << int(Qt::Key_U) << ctrl << item(MenuItem::EditLock);
    QTest::newRow("Ctrl+C") << int(Qt::Key_C) << ctrl << item(MenuItem::EditClone);
    QTest::newRow("Ctrl+A") << int(Qt::Key_A) << ctrl << item(MenuItem::EditSelAll);
    QTest::newRow("Ctrl+P") << int(Qt::Key_P) << ctrl << item(MenuItem::EditProp);
    QTest::newRow("Ctrl+R") << int(Qt::Key_R) << ctrl << drawMenuTool(DrawTool::Select);
    QTest::newRow("Ctrl+L") << int(Qt::Key_L) << ctrl << drawMenuTool(DrawTool::Line);
    QTest::newRow("Ctrl+T") << int(Qt::Key_T) << ctrl << drawMenuTool(DrawTool::Text);
    QTest::newRow("Ctrl+I") << int(Qt::Key_I) << ctrl << drawMenuTool(DrawTool::Picture);
    QTest::newRow("Ctrl+=") << int(Qt::Key_Equal) << ctrl << item(MenuItem::ViewZoomIn);
    QTest::newRow("Ctrl+-") << int(Qt::Key_Minus) << ctrl << item(MenuItem::ViewZoomOut);
    QTest::newRow("Ctrl+0") << int(Qt::Key_0) << ctrl << item(MenuItem::ViewZoomActual);
    QTest::newRow("Ctrl+G") << int(Qt::Key_G) << ctrl << item(MenuItem::ViewGrid);
}

// The key, pressed on the main window, triggers its item and no other.
void tst_Menus::shortcutsTriggerTheirItems()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(ItemOf, item);
    mFrm_Main w;
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    std::vector<std::unique_ptr<QSignalSpy>> spies;
    const std::vector<QAction *> items = allItems(w.menuBar()->actions());
    for (QAction *a : items)
        spies.push_back(std::make_unique<QSignalSpy>(a, &QAction::triggered));

    QTest::keyClick(&w, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    for (std::size_t i = 0; i < items.size(); ++i)
        QCOMPARE(spies[i]->count(), items[i] == item(w) ? 1 : 0);
}

void tst_Menus::toolArraysHoldTheFourToolsInOrder()
{
    mFrm_Main w;
    const QList<QAction *> drawMenu = w.menu(MenuItem::Draw)->actions();
    const QList<QAction *> contextMenu = w.contextMenu()->actions();
    for (int tool = DrawTool::Select; tool < DrawTool::Count; ++tool) {
        QCOMPARE(drawMenu.value(tool), w.mun_DrawObj(tool));
        QCOMPARE(contextMenu.value(tool), w.mun_ObjDraw(tool));
    }
    QCOMPARE(drawMenu.size(), qsizetype(DrawTool::Count));
    QVERIFY_THROWS_EXCEPTION(RuntimeError, w.mun_DrawObj(DrawTool::Count));
    QVERIFY_THROWS_EXCEPTION(RuntimeError, w.mun_ObjDraw(DrawTool::Count));
    QVERIFY_THROWS_EXCEPTION(RuntimeError, w.mun_DrawObj(-1));
}

void tst_Menus::contextMenuIsHiddenInMenuBar()
{
    mFrm_Main w;
    QMenu *right = w.contextMenu();
    QCOMPARE(right->title(), QStringLiteral("Right"));
    QCOMPARE(right, w.menu(MenuItem::Right));
    QVERIFY(!right->menuAction()->isVisible());
    int visibleMenus = 0;
    for (QAction *a : w.menuBar()->actions())
        visibleMenus += a->isVisible() ? 1 : 0;
    // 文件 编辑 绘制 格式 视图 工具 窗口 帮助
    QCOMPARE(visibleMenus, 8);
    QCOMPARE(w.action(MenuItem::Align)->menu(), w.menu(MenuItem::Align));
}

void tst_Menus::shortcutsSelectTools_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("startTool");
    QTest::addColumn<int>("tool");

    QTest::newRow("Ctrl+R") << int(Qt::Key_R) << int(DrawTool::Picture) << int(DrawTool::Select);
    QTest::newRow("Ctrl+L") << int(Qt::Key_L) << int(DrawTool::Select) << int(DrawTool::Line);
    QTest::newRow("Ctrl+T") << int(Qt::Key_T) << int(DrawTool::Select) << int(DrawTool::Text);
    QTest::newRow("Ctrl+I") << int(Qt::Key_I) << int(DrawTool::Text) << int(DrawTool::Picture);
}

void tst_Menus::shortcutsSelectTools()
{
    QFETCH(int, key);
    QFETCH(int, startTool);
    QFETCH(int, tool);
    mFrm_Main w;
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.mun_ObjDraw_Click(startTool);
    QCOMPARE(w.gDrawMode(), startTool);

    QTest::keyClick(&w, Qt::Key(key), Qt::ControlModifier);
    QCOMPARE(w.gDrawMode(), tool);
    QVERIFY(w.mun_DrawObj(tool)->isChecked());
    QVERIFY(w.mun_ObjDraw(tool)->isChecked());
    QVERIFY(!w.mun_DrawObj(startTool)->isChecked());
}

void tst_Menus::toolSelectionMovesCheckMarks_data()
{
    using Picker = std::function<QAction *(const mFrm_Main &, int tool)>;
    QTest::addColumn<Picker>("picker");
    QTest::addColumn<int>("tool");

    const Picker drawMenu = [](const mFrm_Main &w, int tool) { return w.mun_DrawObj(tool); };
    const Picker contextMenu = [](const mFrm_Main &w, int tool) { return w.mun_ObjDraw(tool); };
    const Picker button = [](const mFrm_Main &w, int tool) {
        return w.button(ToolbarKey::ForTool[tool]);
    };
    for (int tool : {DrawTool::Line, DrawTool::Text, DrawTool::Picture, DrawTool::Select}) {
        QTest::addRow("绘制 menu %d", tool) << drawMenu << tool;
        QTest::addRow("context menu %d", tool) << contextMenu << tool;
        QTest::addRow("button %s", ToolbarKey::ForTool[tool]) << button << tool;
    }
}

void tst_Menus::toolSelectionMovesCheckMarks()
{
    QFETCH(std::function<QAction *(const mFrm_Main &, int)>, picker);
    QFETCH(int, tool);
    mFrm_Main w;
    // Start from another tool so every mark has to move.
    const int other = (tool + 2) % DrawTool::Count;
    w.mun_DrawObj(other)->trigger();
    QCOMPARE(w.gDrawMode(), other);

    picker(w, tool)->trigger();

    QCOMPARE(w.gDrawMode(), tool);
    for (int i = DrawTool::Select; i < DrawTool::Count; ++i) {
        QCOMPARE(w.mun_DrawObj(i)->isChecked(), i == tool);
        QCOMPARE(w.mun_ObjDraw(i)->isChecked(), i == tool);
        QCOMPARE(w.buttonValue(ToolbarKey::ForTool[i]),
                 int(i == tool ? DesignerShell::Pressed : DesignerShell::Released));
    }
}

void tst_Menus::toolSelectionLeavesToolbarAlone()
{
    mFrm_Main w;
    w.mun_ObjDraw_Click(DrawTool::Text);
    QCOMPARE(w.gDrawMode(), int(DrawTool::Text));
    QVERIFY(w.mun_DrawObj(DrawTool::Text)->isChecked());
    QCOMPARE(w.buttonValue(ToolbarKey::DrawSel), int(DesignerShell::Pressed));
    QCOMPARE(w.buttonValue(ToolbarKey::DrawText), int(DesignerShell::Released));
}

void tst_Menus::toolSelectionRejectsUnknownTool()
{
    mFrm_Main w;
    w.mun_ObjDraw_Click(DrawTool::Line);
    QVERIFY_THROWS_EXCEPTION(RuntimeError, w.mun_ObjDraw_Click(DrawTool::Count));
    QVERIFY_THROWS_EXCEPTION(RuntimeError, w.mun_ObjDraw_Click(-1));
    QCOMPARE(w.gDrawMode(), int(DrawTool::Line));
    QVERIFY(w.mun_ObjDraw(DrawTool::Line)->isChecked());
}

void tst_Menus::toolbarLayout()
{
    mFrm_Main w;
    // Key, tool tip, picture and kind of each button, left to right. The
    // tool tips show no access-key marker: "直线(L)", not "直线(&L)".
    const QStringList expected = {
        toolbarLine(ToolbarKey::New, "新建(N) New push"),
        toolbarLine(ToolbarKey::Open, "打开(O) Open push"),
        toolbarLine(ToolbarKey::Save, "保存(S) Save push"),
        toolbarLine(ToolbarKey::SaveAs, "另存为... SaveAs push"),
        "-",
        toolbarLine(ToolbarKey::Undo, "撤销(Ctrl+Z) Undo push"),
        toolbarLine(ToolbarKey::Redo, "重做(Ctrl+Y) Redo push"),
        "-",
        toolbarLine(ToolbarKey::SelAll, "全选(A) SelAll push"),
        toolbarLine(ToolbarKey::Delete, "删除(D) Delete push"),
        toolbarLine(ToolbarKey::Clone, "克隆(C) Copy push"),
        toolbarLine(ToolbarKey::Prop, "属性(P) Prop push"),
        toolbarLine(ToolbarKey::Locked, "锁定(U) Lock check"),
        "-",
        toolbarLine(ToolbarKey::DrawSel, "选区(R) ObjSel group pressed"),
        toolbarLine(ToolbarKey::DrawLine, "直线(L) ObjLine group"),
        toolbarLine(ToolbarKey::DrawText, "文字(T) ObjText group"),
        toolbarLine(ToolbarKey::DrawImg, "图形(I) ObjImg group"),
        "-",
        toolbarLine(ToolbarKey::Left, "左对齐 Left push"),
        toolbarLine(ToolbarKey::HCenter, "水平居中 HCenter push"),
        toolbarLine(ToolbarKey::Right, "右对齐 Right push"),
        toolbarLine(ToolbarKey::Top, "顶对齐 Top push"),
        toolbarLine(ToolbarKey::VCenter, "垂直居中 VCenter push"),
        toolbarLine(ToolbarKey::Bottom, "底对齐 Bottom push"),
        "-",
        toolbarLine(ToolbarKey::Width, "相同宽度 Width push"),
        toolbarLine(ToolbarKey::Height, "相同高度 Height push"),
        toolbarLine(ToolbarKey::SizeAll, "相同尺寸 SizeAll push"),
        "-",
        toolbarLine(ToolbarKey::PageSetup, "页面(P) PageSetup push"),
        toolbarLine(ToolbarKey::View, "预览(V) PreView push"),
        toolbarLine(ToolbarKey::Exit, "退出(X) Exit push"),
        "-",
        toolbarLine(ToolbarKey::ZoomOut, "缩小(Ctrl+-) ZoomOut push"),
        toolbarLine(ToolbarKey::Zoom, "缩放比例  push"),
        toolbarLine(ToolbarKey::ZoomIn, "放大(Ctrl+=) ZoomIn push"),
        toolbarLine(ToolbarKey::Grid, "显示网格(Ctrl+G) Grid check"),
        toolbarLine(ToolbarKey::Underlay, "显示底图 Underlay check pressed"),
    };
    QStringList actual;
    for (QAction *a : w.TlbMain()->actions()) {
        if (a->isSeparator()) {
            actual << "-";
            continue;
        }
        QString style = "push";
        if (a->actionGroup())
            style = a->actionGroup()->isExclusive() ? "group" : "?";
        else if (a->isCheckable())
            style = "check";
        QString line = a->objectName() + ' ' + a->toolTip() + ' ' + w.buttonImageKey(a->objectName())
                       + ' ' + style;
        if (a->isChecked())
            line += " pressed";
        actual << line;
        QCOMPARE(w.button(a->objectName()), a);
    }
    QCOMPARE(actual, expected);
    QCOMPARE(w.TlbMain()->toolButtonStyle(), Qt::ToolButtonIconOnly);
}

void tst_Menus::shownTips_data()
{
    QTest::addColumn<QString>("marked");
    QTest::addColumn<QString>("shown");
    QTest::newRow("access key") << "直线(&L)" << "直线(L)";
    QTest::newRow("none") << "新建(N)" << "新建(N)";
    QTest::newRow("doubled marker is an ampersand") << "A&&B" << "A&B";
    QTest::newRow("marker at the end stays") << "末尾&" << "末尾&";
}

void tst_Menus::shownTips()
{
    QFETCH(QString, marked);
    QFETCH(QString, shown);
    QCOMPARE(ToolbarTable::shownTip(marked.toUtf8().constData()), shown);
}

void tst_Menus::toolbarImagesComeFromImageList()
{
    mFrm_Main w;
    QCOMPARE(w.ImgLst1().count(), 31);
    for (QAction *a : w.TlbMain()->actions()) {
        // The zoom box is a control of its own, with no picture.
        if (a->isSeparator() || qobject_cast<QWidgetAction *>(a))
            continue;
        const QString key = w.buttonImageKey(a->objectName());
        // Crisp at 200 % too: the button holds a picture of twice the size.
        QVERIFY2(a->icon().availableSizes().contains(QSize(32, 32)), qPrintable(key));
        // The same picture as the image list's, which lays the edges that are
        // partly covered onto its mask colour.
        const QImage shown = a->icon().pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
        const QImage listed = w.ImgLst1().image(key);
        QCOMPARE(shown.size(), listed.size());
        for (int y = 0; y < shown.height(); ++y) {
            for (int x = 0; x < shown.width(); ++x) {
                const QRgb p = shown.pixel(x, y);
                if (qAlpha(p) == 255)
                    QCOMPARE(listed.pixel(x, y), p);
                else if (qAlpha(p) == 0)
                    QCOMPARE(qAlpha(listed.pixel(x, y)), 0);
            }
        }
    }
}

void tst_Menus::buttonValues()
{
    mFrm_Main w;
    const int pressed = DesignerShell::Pressed;
    const int released = DesignerShell::Released;
    QCOMPARE(w.buttonValue(ToolbarKey::Locked), released);
    w.setButtonValue(ToolbarKey::Locked, pressed);
    QCOMPARE(w.buttonValue(ToolbarKey::Locked), pressed);
    w.button(ToolbarKey::Locked)->trigger();
    QCOMPARE(w.buttonValue(ToolbarKey::Locked), released);

    // The designer presses "DrawSel" when it returns to the selection tool.
    w.button(ToolbarKey::DrawImg)->trigger();
    QCOMPARE(w.buttonValue(ToolbarKey::DrawSel), released);
    w.setButtonValue(ToolbarKey::DrawSel, pressed);
    QCOMPARE(w.buttonValue(ToolbarKey::DrawSel), pressed);
    QCOMPARE(w.buttonValue(ToolbarKey::DrawImg), released);

    // A push button has no value; "Lock" names a picture, not a button.
    QVERIFY_THROWS_EXCEPTION(RuntimeError, w.setButtonValue(ToolbarKey::Save, pressed));
    QVERIFY_THROWS_EXCEPTION(RuntimeError, w.button("Lock"));
    QCOMPARE(w.buttonValue(ToolbarKey::Save), released);
}

void tst_Menus::windowMenuListsDesignerWindows()
{
    mFrm_Main w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QMenu *windowMenu = w.menu(MenuItem::Window);
    emit windowMenu->aboutToShow();
    QVERIFY(w.windowListActions().isEmpty());
    QCOMPARE(windowMenu->actions().size(), 4);

    QStringList titles{"收款单", "付款单"};
    QList<QMdiSubWindow *> windows;
    for (const QString &t : titles) {
        auto *page = new QWidget;
        page->setWindowTitle(t);
        windows << w.workspace()->addSubWindow(page);
        windows.last()->show();
    }
    w.workspace()->setActiveSubWindow(windows[1]);

    emit windowMenu->aboutToShow();
    QStringList entries;
    for (QAction *a : w.windowListActions())
        entries << (a->isSeparator() ? "-" : a->text() + (a->isChecked() ? " checked" : ""));
    QCOMPARE(entries, (QStringList{"-", "&1 收款单", "&2 付款单 checked"}));
    QCOMPARE(windowMenu->actions().size(), 7);

    w.windowListActions()[1]->trigger();
    QCOMPARE(w.workspace()->currentSubWindow(), windows[0]);

    // Opening the menu again does not pile up entries.
    emit windowMenu->aboutToShow();
    QCOMPARE(windowMenu->actions().size(), 7);
    QVERIFY(w.windowListActions()[1]->isChecked());
}

void tst_Menus::tile_data()
{
    QTest::addColumn<QRect>("area");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("stacking");
    QTest::addColumn<QList<QRect>>("expected");

    QTest::newRow("none") << QRect(0, 0, 100, 90) << 0 << int(Qt::Vertical) << QList<QRect>();
    QTest::newRow("one fills the area")
        << QRect(0, 0, 100, 90) << 1 << int(Qt::Vertical) << QList<QRect>{QRect(0, 0, 100, 90)};
    QTest::newRow("rows share the remainder")
        << QRect(0, 0, 100, 10) << 3 << int(Qt::Vertical)
        << QList<QRect>{QRect(0, 0, 100, 4), QRect(0, 4, 100, 3), QRect(0, 7, 100, 3)};
    QTest::newRow("columns from an offset origin")
        << QRect(5, 7, 9, 20) << 2 << int(Qt::Horizontal)
        << QList<QRect>{QRect(5, 7, 5, 20), QRect(10, 7, 4, 20)};
}

void tst_Menus::tile()
{
    QFETCH(QRect, area);
    QFETCH(int, count);
    QFETCH(int, stacking);
    QFETCH(QList<QRect>, expected);
    QCOMPARE(WindowArrange::tile(area, count, Qt::Orientation(stacking)), expected);
}

void tst_Menus::iconPositions_data()
{
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QList<QSize>>("sizes");
    QTest::addColumn<QList<QPoint>>("expected");

    QTest::newRow("one row along the bottom")
        << QRect(0, 0, 300, 200) << QList<QSize>{QSize(100, 20), QSize(100, 20)}
        << QList<QPoint>{QPoint(0, 180), QPoint(100, 180)};
    QTest::newRow("full row wraps upwards")
        << QRect(0, 0, 250, 200) << QList<QSize>{QSize(100, 20), QSize(100, 20), QSize(100, 20)}
        << QList<QPoint>{QPoint(0, 180), QPoint(100, 180), QPoint(0, 160)};
    QTest::newRow("wider than the area still placed")
        << QRect(0, 0, 50, 100) << QList<QSize>{QSize(80, 20)} << QList<QPoint>{QPoint(0, 80)};
}

void tst_Menus::iconPositions()
{
    QFETCH(QRect, area);
    QFETCH(QList<QSize>, sizes);
    QFETCH(QList<QPoint>, expected);
    QCOMPARE(WindowArrange::iconPositions(area, sizes), expected);
}

void tst_Menus::tileHorizontallyStacksWindows()
{
    mFrm_Main w;
    w.resize(600, 500);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QMdiSubWindow *a = w.workspace()->addSubWindow(new QWidget);
    QMdiSubWindow *b = w.workspace()->addSubWindow(new QWidget);
    a->show();
    b->show();

    w.action(MenuItem::WindowTileHorizontal)->trigger();
    const QRect area = w.workspace()->viewport()->rect();
    QCOMPARE(a->geometry().width(), area.width());
    QCOMPARE(b->geometry().width(), area.width());
    QCOMPARE(a->geometry().top(), 0);
    QCOMPARE(b->geometry().top(), a->geometry().bottom() + 1);

    w.action(MenuItem::WindowTileVertical)->trigger();
    QCOMPARE(a->geometry().height(), area.height());
    QCOMPARE(b->geometry().left(), a->geometry().right() + 1);
}

void tst_Menus::everyCharacterIsInTheFont()
{
    mFrm_Main w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));

    QList<std::pair<QString, QFont>> texts;
    texts.append({w.windowTitle(), QApplication::font()});
    texts.append({QStringLiteral("您确认要退出系统吗？"), QApplication::font("QMessageBox")});
    std::function<void(QMenu *)> addMenu = [&](QMenu *m) {
        texts.append({m->title(), w.menuBar()->font()});
        for (QAction *a : m->actions()) {
            texts.append({a->text(), m->font()});
            if (a->menu())
                addMenu(a->menu());
        }
    };
    for (QAction *a : w.menuBar()->actions())
        addMenu(a->menu());
    for (QAction *a : w.TlbMain()->actions())
        texts.append({a->toolTip(), QToolTip::font()});
    for (int i = 1; i <= w.sbrMain()->panelCount(); ++i) {
        QLabel *panel = w.sbrMain()->panel(i);
        texts.append({panel->text(), panel->font()});
        texts.append({panel->toolTip(), QToolTip::font()});
    }
    Platform::installFakes().msgAnswers.clear();
    auto &dialogs = dynamic_cast<FakeDialogs &>(Platform::dialogs());
    w.About();
    texts.append({dialogs.lastMessage()->text, QApplication::font("QMessageBox")});

    int checked = 0;
    for (const auto &[text, font] : texts) {
        const QFontMetrics metrics(font);
        for (QChar c : text) {
            if (c == '\n')
                continue;
            QVERIFY2(metrics.inFont(c),
                     qPrintable(QStringLiteral("%1 (U+%2) of \"%3\" is not in %4")
                                    .arg(c).arg(c.unicode(), 4, 16, QChar('0')).arg(text, font.family())));
            ++checked;
        }
    }
    QVERIFY(checked > 500);
    // The check itself can fail: an unassigned code point is in no font.
    QVERIFY(!QFontMetrics(QApplication::font()).inFont(QChar(0x0378)));
}

QTEST_MAIN(tst_Menus)
#include "tst_menus.moc"
