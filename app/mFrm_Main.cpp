#include "mFrm_Main.h"

#include "app/DocumentTypeCatalog.h"
#include "app/MenuTable.h"
#include "app/StatusBar.h"
#include "app/ToolImages.h"
#include "app/ToolbarTable.h"
#include "app/WindowArrange.h"
#include "app/ZoomBox.h"
#include "app/mFrm_Select.h"
#include "designer/DrawTool.h"
#include "designer/GridSteps.h"
#include "designer/ShellNames.h"
#include "dialogs/PrinterCalibrationDialog.h"
#include "print/ReportedSlot.h"
#include "platform/AppTitle.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Icons.h"
#include "platform/Platform.h"
#include "platform/PointerConfinement.h"
#include "platform/RuntimeError.h"
#include "platform/Screen.h"
#include "platform/SettingsStore.h"

#include <QApplication>
#include <QActionGroup>
#include <QCloseEvent>
#include <QMoveEvent>
#include <QShowEvent>
#include <QKeySequence>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QToolBar>

#include <cmath>

namespace {

const QString settingsSection = QStringLiteral("Settings");
constexpr float msgMargin = 400;

// Errors name the main window and the item they arose for.
QString sourceOf(const QString &item)
{
    return QStringLiteral("mFrm_Main.") + item;
}

QString sourceOf(const char *itemArray, int index)
{
    return sourceOf(QStringLiteral("%1(%2)").arg(QString::fromLatin1(itemArray)).arg(index));
}

struct PanelSpec
{
    const char *key;
    const char *toolTip;
    const char *text;
    float width;
};

const PanelSpec panelSpecs[] = {
    {"msg", "提示信息", "", 2000},
    {"dbn", "帐套名称", "", 2300},
    {"mod", "模块名称", "", 1500},
    {"use", "当前用户", "", 1000},
    {"Period", "", "2002年 1期", 1100},
    {"dat", "日期/时间", "2001-01-02 12:12", 1600},
    {"pos", "指针位置与选中对象的位置、大小（毫米）", "", 5600},
};

} // namespace

mFrm_Main::mFrm_Main(QWidget *parent)
    : QMainWindow(parent)
    , m_workspace(new QMdiArea(this))
    , m_timer(new QTimer(this))
{
    setObjectName(QStringLiteral("mFrm_Main"));
    setWindowTitle(AppTitle());
    m_workspace->setObjectName(QStringLiteral("workspace"));
    m_workspace->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_workspace->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_workspace);

    for (const QString &key : ToolImages::keys())
        m_images.add(key, ToolImages::draw(key));
    buildMenus();
    buildToolBar();
    buildStatusBar();
    connectCommands();
    m_catalogue.setWaitNotice([this](bool waiting) { showStoreWait(waiting); });

    m_timer->setObjectName(QStringLiteral("Timer"));
    m_timer->setInterval(60000);
    connect(m_timer, &QTimer::timeout, this, reportedSlot(this, &mFrm_Main::Timer_Timer));
    m_timer->start();

    Form_Load();
    // The panel's design text is a date long past: the clock shows from the
    // start, not only after its first tick.
    Timer_Timer();
}

mFrm_Main::~mFrm_Main()
{
    // Designer windows talk to this shell while they unload: they go while
    // the shell is still whole.
    disconnect(m_workspace, nullptr, this, nullptr);
    delete m_workspace;
}

QString mFrm_Main::AppTitle()
{
    return ::AppTitle();
}

// ---- geometry in twips ----

float mFrm_Main::Left() const
{
    return m_left.twips(pos().x(), Screen::TwipsPerPixelX());
}

float mFrm_Main::Top() const
{
    return m_top.twips(pos().y(), Screen::TwipsPerPixelY());
}

float mFrm_Main::Width() const
{
    return m_width.twips(frameGeometry().width(), Screen::TwipsPerPixelX());
}

float mFrm_Main::Height() const
{
    return m_height.twips(frameGeometry().height(), Screen::TwipsPerPixelY());
}

void mFrm_Main::setLeft(float twips)
{
    move(m_left.set(twips, Screen::TwipsPerPixelX()), pos().y());
}

void mFrm_Main::setTop(float twips)
{
    move(pos().x(), m_top.set(twips, Screen::TwipsPerPixelY()));
}

void mFrm_Main::setWidth(float twips)
{
    const QSize frame = frameExtent();
    resize(m_width.set(twips, Screen::TwipsPerPixelX()) - frame.width(), height());
}

void mFrm_Main::setHeight(float twips)
{
    const QSize frame = frameExtent();
    resize(width(), m_height.set(twips, Screen::TwipsPerPixelY()) - frame.height());
}

// What the window system's frame adds around the client area; nothing
// until the window has been shown and framed.
QSize mFrm_Main::frameExtent() const
{
    return frameGeometry().size() - size();
}

// The stored size is the outer frame's, but the frame is only known once
// the window system has framed the window: the client area, sized to the
// whole window until then, is shrunk by the frame once, so the window opens
// at the stored outer size and writes back the same values.
void mFrm_Main::fitStoredSizeToFrame()
{
    if (!m_fitToFrame || !isVisible() || isMinimized() || isMaximized()
        || frameExtent().isNull())
        return;
    m_fitToFrame = false;
    // Until now the client area stood for the whole window.
    resize(size() - frameExtent());
}

float mFrm_Main::readGeometry(const char *key, float defaultValue) const
{
    const QString text = Platform::settings().GetSetting(
        AppTitle(), settingsSection, QString::fromLatin1(key), QString::number(defaultValue));
    bool ok = false;
    const float value = text.trimmed().toFloat(&ok);
    return ok && isPlausibleGeometry(key, value) ? value : defaultValue;
}

// A value no screen can show (beyond the 16-bit pixel range a window
// system handles, or a size of nothing) would lose the window for good,
// since it is written back as it was read.
bool mFrm_Main::isPlausibleGeometry(const char *key, float value)
{
    if (!std::isfinite(value))
        return false;
    const double limit = 32767.0 * Screen::TwipsPerPixelX();
    const bool isSize = qstrcmp(key, "MainWidth") == 0 || qstrcmp(key, "MainHeight") == 0;
    return isSize ? value > 0 && value <= limit : std::abs(value) <= limit;
}

void mFrm_Main::writeGeometry(const char *key, float value) const
{
    Platform::settings().SaveSetting(AppTitle(), settingsSection, QString::fromLatin1(key),
                                     QString::number(double(value), 'g', 7));
}

// ---- building the window ----

void mFrm_Main::buildMenus()
{
    const QList<MenuEntry> &entries = MenuTable::entries();
    QMenu *topMenu = nullptr;
    QMenu *subMenu = nullptr;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const MenuEntry &e = entries[i];
        const QString name = QString::fromLatin1(e.name);
        const QString caption = QString::fromUtf8(e.caption);
        const bool hasItems = i + 1 < entries.size() && entries[i + 1].level > e.level;

        QAction *item = nullptr;
        if (e.level == 0 || hasItems) {
            QMenu *parentMenu = e.level == 1 ? topMenu : nullptr;
            QMenu *m = parentMenu ? parentMenu->addMenu(caption) : menuBar()->addMenu(caption);
            m->setObjectName(name);
            m_menus.insert(name, m);
            (e.level == 0 ? topMenu : subMenu) = m;
            item = m->menuAction();
        } else {
            QMenu *parentMenu = e.level == 1 ? topMenu : subMenu;
            item = caption == QLatin1String("-") ? parentMenu->addSeparator()
                                                 : parentMenu->addAction(caption);
        }
        item->setObjectName(name);
        if (*e.shortcut)
            item->setShortcut(QKeySequence(QString::fromLatin1(e.shortcut)));
        item->setCheckable(e.flags & MenuEntry::Checkable);
        item->setChecked((e.flags & MenuEntry::Checked) == MenuEntry::Checked);
        item->setVisible(!(e.flags & MenuEntry::Hidden));

        if (e.index < 0)
            m_actions.insert(name, item);
        else if (name == QLatin1String(MenuItem::DrawObj))
            m_drawObj.append(item);
        else
            m_objDraw.append(item);
    }
}

void mFrm_Main::buildToolBar()
{
    action(MenuItem::EditRedo)
        ->setShortcuts({action(MenuItem::EditRedo)->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))});
    // Ctrl and the plus key zooms in too, as Ctrl and = does.
    action(MenuItem::ViewZoomIn)
        ->setShortcuts({action(MenuItem::ViewZoomIn)->shortcut(), QKeySequence(QStringLiteral("Ctrl++"))});

    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("TlbMain"));
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setIconSize(m_images.imageSize());
    m_toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    addToolBar(Qt::TopToolBarArea, m_toolBar);

    m_toolGroup = new QActionGroup(this);
    m_toolGroup->setExclusive(true);
    for (const ToolbarEntry &e : ToolbarTable::entries()) {
        if (e.style == ToolbarEntry::Separator) {
            m_toolBar->addSeparator();
            continue;
        }
        const QString key = QString::fromLatin1(e.key);
        const QString imageKey = QString::fromLatin1(e.imageKey);
        if (e.style == ToolbarEntry::Widget) {
            m_zoomBox = new ZoomBox(m_toolBar);
            m_zoomBox->setObjectName(key);
            m_zoomBox->setToolTip(ToolbarTable::shownTip(e.toolTip));
            QAction *box = m_toolBar->addWidget(m_zoomBox);
            box->setObjectName(key);
            box->setToolTip(m_zoomBox->toolTip());
            m_buttons.insert(key, box);
            m_buttonImages.insert(key, imageKey);
            connect(m_zoomBox, &ZoomBox::zoomChosen, this, reportedSlot([this](double zoom) {
                        if (mFrm_Bill *bill = gActiveBill())
                            bill->setZoom(zoom);
                    }));
            continue;
        }
        // The key, not the tool tip, is the text: a mnemonic in the tool
        // tips would otherwise steal Alt+T and friends from the menus.
        QAction *b = m_toolBar->addAction(Icons::icon(imageKey), key);
        b->setObjectName(key);
        b->setToolTip(ToolbarTable::shownTip(e.toolTip));
        if (e.style != ToolbarEntry::Push)
            b->setCheckable(true);
        if (e.style == ToolbarEntry::Group)
            m_toolGroup->addAction(b);
        b->setChecked(e.pressed);
        m_buttons.insert(key, b);
        m_buttonImages.insert(key, imageKey);
    }
}

void mFrm_Main::buildStatusBar()
{
    m_statusBar = new StatusBar(this);
    m_statusBar->setObjectName(QStringLiteral("sbrMain"));
    setStatusBar(m_statusBar);
    for (const PanelSpec &p : panelSpecs) {
        m_statusBar->addPanel(QString::fromLatin1(p.key), QString::fromUtf8(p.toolTip),
                              QString::fromUtf8(p.text), p.width);
    }
}

// A save held up by another clerk's says so at once, since the window
// answers nothing until the store lets it write.
void mFrm_Main::showStoreWait(bool waiting)
{
    if (waiting) {
        m_statusBar->showMessage(StoreWaitMessage());
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_statusBar->repaint();
    } else {
        m_statusBar->clearMessage();
        QApplication::restoreOverrideCursor();
    }
}

void mFrm_Main::connectCommands()
{
    for (int i = 0; i < DrawTool::Count; ++i) {
        const auto fromMenu = reportedSlot([this, i] { chooseToolFromMenu(i); });
        connect(m_drawObj[i], &QAction::triggered, this, fromMenu);
        connect(m_objDraw[i], &QAction::triggered, this, fromMenu);
    }
    for (auto it = m_buttons.cbegin(); it != m_buttons.cend(); ++it) {
        connect(it.value(), &QAction::triggered, this,
                reportedSlot([this, key = it.key()] { TlbMain_ButtonClick(key); }));
    }
    connectRoutedCommands();
    showHistoryState();
    connect(action(MenuItem::ToolSystem), &QAction::triggered, this,
            reportedSlot(this, &mFrm_Main::ShowOptions));
    connect(action(MenuItem::ToolCalibrate), &QAction::triggered, this,
            reportedSlot(this, &mFrm_Main::CalibratePrinters));
    connect(action(MenuItem::About), &QAction::triggered, this,
            reportedSlot(this, &mFrm_Main::About));
    connect(action(MenuItem::ViewToolbar), &QAction::triggered, m_toolBar, &QWidget::setVisible);
    connect(action(MenuItem::ViewStatusbar), &QAction::triggered, m_statusBar,
            &QWidget::setVisible);

    const std::pair<const char *, WindowArrange::Code> arrangeItems[] = {
        {MenuItem::WindowCascade, WindowArrange::Cascade},
        {MenuItem::WindowTileHorizontal, WindowArrange::TileHorizontal},
        {MenuItem::WindowTileVertical, WindowArrange::TileVertical},
        {MenuItem::WindowArrangeIcons, WindowArrange::ArrangeIcons},
    };
    for (const auto &[name, code] : arrangeItems) {
        connect(action(name), &QAction::triggered, this,
                reportedSlot([this, code = code] { Arrange(code); }));
    }
    connect(menu(MenuItem::Window), &QMenu::aboutToShow, this,
            reportedSlot(this, &mFrm_Main::refreshWindowList));
}

// ---- lookups ----

QAction *mFrm_Main::action(const QString &name) const
{
    QAction *a = m_actions.value(name);
    if (!a)
        throw RuntimeError(RuntimeError::SubscriptOutOfRange, sourceOf(name));
    return a;
}

QMenu *mFrm_Main::menu(const QString &name) const
{
    QMenu *m = m_menus.value(name);
    if (!m)
        throw RuntimeError(RuntimeError::SubscriptOutOfRange, sourceOf(name));
    return m;
}

QAction *mFrm_Main::mun_DrawObj(int index) const
{
    if (index < 0 || index >= m_drawObj.size())
        throw RuntimeError(RuntimeError::SubscriptOutOfRange, sourceOf(MenuItem::DrawObj, index));
    return m_drawObj[index];
}

QAction *mFrm_Main::mun_ObjDraw(int index) const
{
    if (index < 0 || index >= m_objDraw.size())
        throw RuntimeError(RuntimeError::SubscriptOutOfRange, sourceOf(MenuItem::ObjDraw, index));
    return m_objDraw[index];
}

QMenu *mFrm_Main::contextMenu() const
{
    return menu(MenuItem::Right);
}

void mFrm_Main::setMenuChecked(const QString &itemName, bool checked)
{
    action(itemName)->setChecked(checked);
}

void mFrm_Main::setMenuEnabled(const QString &itemName, bool enabled)
{
    if (QMenu *submenu = m_menus.value(itemName))
        submenu->setEnabled(enabled);
    action(itemName)->setEnabled(enabled);
}

void mFrm_Main::PopupRightMenu(const QPoint &globalPos)
{
    contextMenu()->popup(globalPos);
}

QAction *mFrm_Main::button(const QString &key) const
{
    QAction *b = m_buttons.value(key);
    if (!b)
        throw RuntimeError(RuntimeError::SubscriptOutOfRange, sourceOf(key));
    return b;
}

QString mFrm_Main::buttonImageKey(const QString &key) const
{
    button(key);
    return m_buttonImages.value(key);
}

int mFrm_Main::buttonValue(const QString &key) const
{
    return button(key)->isChecked() ? Pressed : Released;
}

void mFrm_Main::setButtonValue(const QString &key, int value)
{
    QAction *b = button(key);
    if (!b->isCheckable())
        throw RuntimeError(RuntimeError::InvalidArgument, sourceOf(key));
    b->setChecked(value != Released);
}

// ---- commands ----

void mFrm_Main::mun_ObjDraw_Click(int index)
{
    if (index < 0 || index >= DrawTool::Count)
        throw RuntimeError(RuntimeError::SubscriptOutOfRange, sourceOf(MenuItem::ObjDraw, index));
    m_drawMode = index;
    for (QAction *item : std::as_const(m_objDraw))
        item->setChecked(false);
    for (QAction *item : std::as_const(m_drawObj))
        item->setChecked(false);
    m_objDraw[index]->setChecked(true);
    m_drawObj[index]->setChecked(true);
}

// A tool picked from a menu also presses its toolbar button, so the
// toolbar never shows another tool than the one in use.
void mFrm_Main::chooseToolFromMenu(int index)
{
    button(ToolbarKey::ForTool[index])->setChecked(true);
    mun_ObjDraw_Click(index);
}

void mFrm_Main::setGActiveBill(mFrm_Bill *bill)
{
    for (const QMetaObject::Connection &connection : m_activeConnections)
        disconnect(connection);
    m_activeConnections.clear();
    m_activeBill = bill;
    refreshDataSource();
    showLockState();
    showUnderlayState();
    followActiveDesigner();
    showHistoryState();
}

void mFrm_Main::followActiveDesigner()
{
    mFrm_Bill *bill = gActiveBill();
    m_zoomBox->showZoom(bill ? bill->zoom() : 1.0);
    m_statusBar->setPanelText(QStringLiteral("pos"), bill ? bill->readoutText() : QString());
    if (!bill)
        return;
    bill->setGridMm(m_grid.shownMm());
    m_activeConnections << connect(bill, &mFrm_Bill::zoomChanged, m_zoomBox, &ZoomBox::showZoom);
    QUndoStack &history = bill->undoStack();
    for (auto signal : {&QUndoStack::canUndoChanged, &QUndoStack::canRedoChanged})
        m_activeConnections << connect(&history, signal, this, [this] { showHistoryState(); });
    for (auto signal : {&QUndoStack::undoTextChanged, &QUndoStack::redoTextChanged})
        m_activeConnections << connect(&history, signal, this, [this] { showHistoryState(); });
    m_activeConnections << connect(&history, &QUndoStack::indexChanged, this, [this] {
        showLockState();
        showUnderlayState();
    });
    m_activeConnections << connect(bill, &mFrm_Bill::readoutChanged, this,
                                   [this](const QString &text) {
                                       m_statusBar->setPanelText(QStringLiteral("pos"), text);
                                   });
}

void mFrm_Main::setGridShown(bool shown)
{
    m_grid.shown = shown;
    applyGrid();
    rememberGrid();
}

void mFrm_Main::setGridSpacing(int mm)
{
    if (!GridSteps::isChoice(mm))
        throw RuntimeError(RuntimeError::InvalidArgument, sourceOf(QStringLiteral("GridMm")));
    m_grid.mm = mm;
    m_grid.shown = true;
    applyGrid();
    rememberGrid();
}

// Every designer shows the grid as chosen; the menu and the button show
// the choice.
void mFrm_Main::applyGrid()
{
    action(MenuItem::ViewGrid)->setChecked(m_grid.shown);
    button(ToolbarKey::Grid)->setChecked(m_grid.shown);
    const std::pair<const char *, int> spacings[] = {
        {MenuItem::ViewGrid1, 1}, {MenuItem::ViewGrid2, 2}, {MenuItem::ViewGrid5, 5},
        {MenuItem::ViewGrid10, 10}};
    for (const auto &[item, mm] : spacings)
        action(item)->setChecked(mm == m_grid.mm);
    for (mFrm_Bill *bill : designers())
        bill->setGridMm(m_grid.shownMm());
}

void mFrm_Main::rememberGrid()
{
    try {
        m_grid.write();
    } catch (const RuntimeError &) {
        // Not remembered, but shown all the same.
    }
}

void mFrm_Main::showLockState()
{
    const mFrm_Bill *bill = gActiveBill();
    const bool locked = bill && bill->CurrentLocked();
    action(MenuItem::EditLock)->setChecked(locked);
    action(MenuItem::Lock)->setChecked(locked);
    button(ToolbarKey::Locked)->setChecked(locked);
}

// Without a designer window the item shows what a new window starts with.
void mFrm_Main::showUnderlayState()
{
    const mFrm_Bill *bill = gActiveBill();
    const bool shown = !bill || bill->underlayShown();
    action(MenuItem::ViewUnderlay)->setChecked(shown);
    button(ToolbarKey::Underlay)->setChecked(shown);
}

// The session's print runs and the data-source panel take up the store's
// document types as they now are.
void mFrm_Main::InitSystem()
{
    try {
        DocumentTypeCatalog::publish(m_catalogue.store());
    } catch (const RuntimeError &error) {
        reportStoreFailure(QString(), error);
    }
    refreshDataSource();
}

void mFrm_Main::refreshDataSource()
{
    const mFrm_Bill *bill = gActiveBill();
    m_statusBar->setPanelText(QStringLiteral("dbn"),
                              bill ? DocumentTypeCatalog::dataSourceText(bill->mScreenID())
                                   : QStringLiteral("None"));
}

void mFrm_Main::Timer_Timer()
{
    try {
        m_statusBar->setPanelText(QStringLiteral("dat"),
                                  Platform::clock().now().toString(QStringLiteral("yyyy-MM-dd HH:mm")));
    } catch (const RuntimeError &) {
        // A missed tick is made good by the next one.
    }
}

void mFrm_Main::About()
{
    Platform::dialogs().MsgBox(AppTitle() + QStringLiteral("\n\n")
                                   + QStringLiteral("设计套打单据、凭证和报表的打印格式，并可预览和打印。"),
                               MsgButtons::OK, MsgIcon::None, AppTitle());
}

void mFrm_Main::CalibratePrinters()
{
    PrinterCalibrationDialog dialog(this);
    Platform::dialogs().ExecModal(dialog);
}

void mFrm_Main::ExitApp()
{
    close();
}

void mFrm_Main::Arrange(int code)
{
    WindowArrange::Arrange(*m_workspace, code);
}

void mFrm_Main::refreshWindowList()
{
    QMenu *windowMenu = menu(MenuItem::Window);
    qDeleteAll(m_windowList);
    m_windowList.clear();

    const QList<QMdiSubWindow *> windows = m_workspace->subWindowList(QMdiArea::CreationOrder);
    if (windows.isEmpty())
        return;
    m_windowList.append(windowMenu->addSeparator());
    QMdiSubWindow *current = m_workspace->currentSubWindow();
    int number = 0;
    for (QMdiSubWindow *w : windows) {
        ++number;
        QAction *entry = windowMenu->addAction(QStringLiteral("&%1 %2").arg(number).arg(w->windowTitle()));
        entry->setCheckable(true);
        entry->setChecked(w == current);
        QPointer<QMdiSubWindow> target(w);
        connect(entry, &QAction::triggered, this, reportedSlot([this, target] {
                    if (target)
                        m_workspace->setActiveSubWindow(target);
                }));
        m_windowList.append(entry);
    }
}

// ---- window events ----

void mFrm_Main::Form_Load()
{
    setLeft(readGeometry("MainLeft", 1000));
    setTop(readGeometry("MainTop", 1000));
    setWidth(readGeometry("MainWidth", 6500));
    setHeight(readGeometry("MainHeight", 6500));
    refreshDataSource();
    m_statusBar->setPanelText(QStringLiteral("use"), QStringLiteral("Demo"));
    m_statusBar->setPanelText(QStringLiteral("mod"), QStringLiteral("Tavrel"));
    m_grid = GridChoice::read();
    applyGrid();
    Form_Resize();
}

void mFrm_Main::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    fitStoredSizeToFrame();
    Form_Resize();
}

void mFrm_Main::moveEvent(QMoveEvent *event)
{
    QMainWindow::moveEvent(event);
    fitStoredSizeToFrame();
}

void mFrm_Main::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    fitStoredSizeToFrame();
}

void mFrm_Main::Form_Resize()
{
    try {
        float fixed = 0;
        for (int i = 2; i <= m_statusBar->panelCount(); ++i)
            fixed += m_statusBar->panelWidth(i);
        m_statusBar->setPanelWidth(1, Width() - fixed - msgMargin);
    } catch (const RuntimeError &) {
        // Too narrow for the fixed panels: "msg" keeps its last width.
    }
}

void mFrm_Main::closeEvent(QCloseEvent *event)
{
    try {
        if (!Form_QueryUnload()) {
            event->ignore();
            return;
        }
        if (!closeDesigners()) {
            event->ignore();
            return;
        }
        Form_Unload();
        event->accept();
    } catch (const RuntimeError &) {
        event->ignore();
    }
}

bool mFrm_Main::Form_QueryUnload()
{
    const MsgResult answer = Platform::dialogs().MsgBox(QStringLiteral("您确认要退出系统吗？"),
                                                        MsgButtons::YesNo, MsgIcon::Exclamation,
                                                        AppTitle());
    Platform::pointer().ReleaseCursor();
    return answer == MsgResult::Yes;
}

void mFrm_Main::Form_Unload()
{
    if (!isMinimized()) {
        writeGeometry("MainLeft", Left());
        writeGeometry("MainTop", Top());
        writeGeometry("MainWidth", Width());
        writeGeometry("MainHeight", Height());
    }
    if (m_selLoad) {
        m_select.reset();
        m_selLoad = false;
    }
    m_activeBill = nullptr;
}

// Each changed window asks in turn, in front; Cancel or a save that did
// not happen stops the exit there, and no further window is asked.
bool mFrm_Main::closeDesigners()
{
    const QList<QMdiSubWindow *> frames = m_workspace->subWindowList(QMdiArea::CreationOrder);
    for (const QPointer<QMdiSubWindow> frame : frames) {
        if (!frame)
            continue;
        m_workspace->setActiveSubWindow(frame);
        if (!frame->close())
            return false;
    }
    return true;
}
