#include "app/StatusBar.h"
#include "app/WindowArrange.h"
#include "app/mFrm_Main.h"
#include "platform/AppSetup.h"
#include "platform/FakeDialogs.h"
#include "platform/Platform.h"
#include "platform/RuntimeError.h"
#include "platform/Screen.h"

#include <QActionGroup>
#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolTip>
#include <QtTest>

class tst_Menus : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void menuTree();
    void contextMenuIsHiddenInMenuBar();
    void shortcutsSelectTools_data();
    void shortcutsSelectTools();
    void toolSelectionMovesCheckMarks_data();
    void toolSelectionMovesCheckMarks();
    void toolSelectionLeavesToolbarAlone();
    void toolSelectionRejectsUnknownTool();

    void toolbarLayout();
    void toolbarImagesComeFromImageList();
    void buttonValues();

    void windowMenuListsDesignerWindows();
    void tile_data();
    void tile();
    void iconPositions_data();
    void iconPositions();
    void tileHorizontallyStacksWindows();

    void everyCharacterIsInTheFont();

private:
    QStringList describeMenu(const mFrm_Main &w, const QList<QAction *> &actions, int depth) const;
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

// One line per item: indentation for nesting, the item name (with the
// array index), caption, shortcut and initial state.
QStringList tst_Menus::describeMenu(const mFrm_Main &w, const QList<QAction *> &actions,
                                    int depth) const
{
    QStringList lines;
    for (QAction *a : actions) {
        QString name = a->objectName();
        for (int i = 0; i < 4; ++i) {
            if (a == w.mun_DrawObj(i) || a == w.mun_ObjDraw(i))
                name += QStringLiteral("(%1)").arg(i);
        }
        QString line = QString(depth * 2, ' ') + name + ' ' + (a->isSeparator() ? "-" : a->text());
        if (!a->shortcut().isEmpty())
            line += ' ' + a->shortcut().toString(QKeySequence::PortableText);
        if (a->isChecked())
            line += " checked";
        if (!a->isVisible())
            line += " hidden";
        lines << line;
        if (a->menu())
            lines << describeMenu(w, a->menu()->actions(), depth + 1);
    }
    return lines;
}

void tst_Menus::menuTree()
{
    mFrm_Main w;
    const QStringList expected = {
        "mun_File 文件(&F)",
        "  mun_FileNew 新建(&N) Ctrl+N",
        "  mun_FileOpen 打开(&O) Ctrl+O",
        "  mun_FileClose 关闭(&C)",
        "  mun_FileLine0 -",
        "  mun_FileSave 保存(&S) Ctrl+S",
        "  mun_FileSaveAs 另存为(&A)...",
        "  mun_FileLine1 -",
        "  mun_FilePageSetup 页面设置(&U)...",
        "  mun_FilePreView 打印预览(&V)",
        "  mun_FileLine2 -",
        "  mun_FileMRU 最近文件 hidden",
        "  mun_FileLine3 - hidden",
        "  mnu_FileExit 退出(&X)",
        "mun_Edit 编辑(&E)",
        "  mun_EditDel 删除(&D) Del",
        "  mun_EditLock 锁定(&U) Ctrl+U",
        "  mun_EditClone 克隆(&C) Ctrl+C",
        "  mun_EditLine0 -",
        "  mun_EditSelAll 全选(&A) Ctrl+A",
        "  mun_EditProp 属性(&P) Ctrl+P",
        "mun_Draw 绘制(&D)",
        "  mun_DrawObj(0) 选区(&S) Ctrl+R checked",
        "  mun_DrawObj(1) 直线(&L) Ctrl+L",
        "  mun_DrawObj(2) 文字(&T) Ctrl+T",
        "  mun_DrawObj(3) 图形(&I) Ctrl+I",
        "mun_Format 格式(&F)",
        "  mun_FormatLeft 左对齐(&L)",
        "  mun_FormatHCenter 水平居中(&C)",
        "  mun_FormatRight 右对齐(&R)",
        "  mun_FormatLine0 -",
        "  mun_FormatTop 顶对齐(&T)",
        "  mun_FormatVCenter 垂直居中(&M)",
        "  mun_FormatBottom 底对齐(&B)",
        "  mun_FormatLine1 -",
        "  mun_FormatWidth 相同宽度(&W)",
        "  mun_FormatHeight 相同高度(&H)",
        "  mun_FormatSize 相同尺寸(&S)",
        "mun_Tool 工具(&T)",
        "  mun_ViewToolbar 工具栏(&T) checked",
        "  mun_ViewStatusbar 状态栏(&B) checked",
        "  mun_ToolLine -",
        "  mun_ToolSystem 系统选项",
        "mun_Window 窗口(&W)",
        "  mnu_WindowCascade 层叠(&C)",
        "  mnu_WindowTileHorizontal 横向平铺(&H)",
        "  mnu_WindowTileVertical 纵向平铺(&V)",
        "  mnu_WindowArrangeIcons 排列图标(&A)",
        "mun_Help 帮助(&H)",
        "  mnu_HelpContents 目录(&C)",
        "  mun_About 关于(&A)..",
        "mun_Right Right hidden",
        "  mun_ObjDraw(0) 选区 checked",
        "  mun_ObjDraw(1) 直线",
        "  mun_ObjDraw(2) 文字",
        "  mun_ObjDraw(3) 图形",
        "  mun_Line0 -",
        "  mun_Align 对齐",
        "    mun_AlignLeft 左对齐",
        "    mun_AlignHCenter 水平居中",
        "    mun_AlignRight 右对齐",
        "    mun_line1 -",
        "    mun_AlignTop 顶对齐",
        "    mun_AlignVCenter 垂直居中",
        "    mun_AlignBottom 底对齐",
        "  mun_SameSize 统一尺寸",
        "    mun_SameWidth 相同宽度",
        "    mun_SameHeight 相同高度",
        "    mun_SameAll 相同尺寸",
        "  mun_Line2 -",
        "  mun_Delete 删除",
        "  mun_Lock 锁定",
        "  mun_Clone 克隆",
        "  mun_Line3 -",
        "  mun_SelAll 全选",
        "  mun_ObjProp 属性",
    };
    const QStringList actual = describeMenu(w, w.menuBar()->actions(), 0);
    for (qsizetype i = 0; i < std::min(actual.size(), expected.size()); ++i)
        QCOMPARE(actual[i], expected[i]);
    QCOMPARE(actual.size(), expected.size());

    // The lock items carry a check mark for the designer to set.
    QVERIFY(w.action("mun_EditLock")->isCheckable());
    QVERIFY(w.action("mun_Lock")->isCheckable());
    QVERIFY(!w.action("mun_EditLock")->isChecked());
}

void tst_Menus::contextMenuIsHiddenInMenuBar()
{
    mFrm_Main w;
    QMenu *right = w.contextMenu();
    QCOMPARE(right->title(), QStringLiteral("Right"));
    QCOMPARE(right, w.menu("mun_Right"));
    QVERIFY(!right->menuAction()->isVisible());
    int visibleMenus = 0;
    for (QAction *a : w.menuBar()->actions())
        visibleMenus += a->isVisible() ? 1 : 0;
    QCOMPARE(visibleMenus, 7);
    QCOMPARE(w.action("mun_Align")->menu(), w.menu("mun_Align"));
}

void tst_Menus::shortcutsSelectTools_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("startTool");
    QTest::addColumn<int>("tool");

    QTest::newRow("Ctrl+R") << int(Qt::Key_R) << 3 << 0;
    QTest::newRow("Ctrl+L") << int(Qt::Key_L) << 0 << 1;
    QTest::newRow("Ctrl+T") << int(Qt::Key_T) << 0 << 2;
    QTest::newRow("Ctrl+I") << int(Qt::Key_I) << 2 << 3;
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
    QTest::addColumn<QString>("from");
    QTest::addColumn<int>("tool");

    const char *const buttons[] = {"DrawSel", "DrawLine", "DrawText", "DrawImg"};
    for (int tool : {1, 2, 3, 0}) {
        QTest::addRow("绘制 menu %d", tool) << "mun_DrawObj" << tool;
        QTest::addRow("context menu %d", tool) << "mun_ObjDraw" << tool;
        QTest::addRow("button %s", buttons[tool]) << buttons[tool] << tool;
    }
}

void tst_Menus::toolSelectionMovesCheckMarks()
{
    QFETCH(QString, from);
    QFETCH(int, tool);
    const QStringList buttons{"DrawSel", "DrawLine", "DrawText", "DrawImg"};
    mFrm_Main w;
    // Start from another tool so every mark has to move.
    const int other = (tool + 2) % 4;
    w.mun_DrawObj(other)->trigger();
    QCOMPARE(w.gDrawMode(), other);

    if (from == "mun_DrawObj")
        w.mun_DrawObj(tool)->trigger();
    else if (from == "mun_ObjDraw")
        w.mun_ObjDraw(tool)->trigger();
    else
        w.button(from)->trigger();

    QCOMPARE(w.gDrawMode(), tool);
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(w.mun_DrawObj(i)->isChecked(), i == tool);
        QCOMPARE(w.mun_ObjDraw(i)->isChecked(), i == tool);
        QCOMPARE(w.buttonValue(buttons[i]), i == tool ? 1 : 0);
    }
}

void tst_Menus::toolSelectionLeavesToolbarAlone()
{
    mFrm_Main w;
    w.mun_ObjDraw_Click(2);
    QCOMPARE(w.gDrawMode(), 2);
    QVERIFY(w.mun_DrawObj(2)->isChecked());
    QCOMPARE(w.buttonValue("DrawSel"), 1);
    QCOMPARE(w.buttonValue("DrawText"), 0);
}

void tst_Menus::toolSelectionRejectsUnknownTool()
{
    mFrm_Main w;
    w.mun_ObjDraw_Click(1);
    QVERIFY_THROWS_EXCEPTION(RuntimeError, w.mun_ObjDraw_Click(4));
    QVERIFY_THROWS_EXCEPTION(RuntimeError, w.mun_ObjDraw_Click(-1));
    QCOMPARE(w.gDrawMode(), 1);
    QVERIFY(w.mun_ObjDraw(1)->isChecked());
}

void tst_Menus::toolbarLayout()
{
    mFrm_Main w;
    const QStringList expected = {
        "New 新建(N) New push",       "Open 打开(O) Open push",     "Save 保存(S) Save push",
        "SaveAs 另存为... SaveAs push", "-",                         "SelAll 全选(A) SelAll push",
        "Delete 删除(D) Delete push", "Clone 克隆(C) Copy push",    "Prop 属性(P) Prop push",
        "Locked 锁定(U) Lock check",  "-",                          "DrawSel 选区(&R) ObjSel group pressed",
        "DrawLine 直线(&L) ObjLine group", "DrawText 文字(&T) ObjText group",
        "DrawImg 图形(&I) ObjImg group", "-",                        "Left 左对齐 Left push",
        "HCenter 水平居中 HCenter push", "Right 右对齐 Right push",  "Top 顶对齐 Top push",
        "VCenter 垂直居中 VCenter push", "Bottom 底对齐 Bottom push", "-",
        "Width 相同宽度 Width push",  "Height 相同高度 Height push", "SizeAll 相同尺寸 SizeAll push",
        "-",                          "PageSetup 页面(P) PageSetup push", "View 预览(V) PreView push",
        "Exit 退出(X) Exit push",
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

void tst_Menus::toolbarImagesComeFromImageList()
{
    mFrm_Main w;
    QCOMPARE(w.ImgLst1().count(), 25);
    for (QAction *a : w.TlbMain()->actions()) {
        if (a->isSeparator())
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
    QCOMPARE(w.buttonValue("Locked"), 0);
    w.setButtonValue("Locked", 1);
    QCOMPARE(w.buttonValue("Locked"), 1);
    w.button("Locked")->trigger();
    QCOMPARE(w.buttonValue("Locked"), 0);

    // The designer presses "DrawSel" when it returns to the selection tool.
    w.button("DrawImg")->trigger();
    QCOMPARE(w.buttonValue("DrawSel"), 0);
    w.setButtonValue("DrawSel", 1);
    QCOMPARE(w.buttonValue("DrawSel"), 1);
    QCOMPARE(w.buttonValue("DrawImg"), 0);

    QVERIFY_THROWS_EXCEPTION(RuntimeError, w.setButtonValue("Save", 1));
    QVERIFY_THROWS_EXCEPTION(RuntimeError, w.button("Lock"));
    QCOMPARE(w.buttonValue("Save"), 0);
}

void tst_Menus::windowMenuListsDesignerWindows()
{
    mFrm_Main w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QMenu *windowMenu = w.menu("mun_Window");
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

    w.action("mnu_WindowTileHorizontal")->trigger();
    const QRect area = w.workspace()->viewport()->rect();
    QCOMPARE(a->geometry().width(), area.width());
    QCOMPARE(b->geometry().width(), area.width());
    QCOMPARE(a->geometry().top(), 0);
    QCOMPARE(b->geometry().top(), a->geometry().bottom() + 1);

    w.action("mnu_WindowTileVertical")->trigger();
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
