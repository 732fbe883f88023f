#pragma once

#include "app/GridChoice.h"
#include "app/ImageList.h"
#include "app/TemplateCatalogue.h"
#include "app/TwipsCoordinate.h"
#include "designer/DesignerShell.h"
#include "designer/DrawTool.h"
#include "designer/mFrm_Bill.h"

#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QPointer>

#include <cstdint>
#include <memory>

class QAction;
class RuntimeError;
class QActionGroup;
class QMdiArea;
class QMenu;
class QTimer;
class QToolBar;
class StatusBar;
class ZoomBox;
class mFrm_Select;

// The multiple-document frame that holds every designer window, with the
// menus, the toolbar, the status bar and its clock, and the shell state
// (the active designer window and the current drawing tool).
class mFrm_Main : public QMainWindow, public DesignerShell
{
    Q_OBJECT

public:
    explicit mFrm_Main(QWidget *parent = nullptr);
    ~mFrm_Main() override;

    static QString AppTitle();
    // What the status bar says while a save waits for another clerk's.
    static QString StoreWaitMessage() { return QStringLiteral("正在等待其他用户的保存完成……"); }

    // The window's position and size in twips (position of the outer frame).
    float Left() const;
    float Top() const;
    float Width() const;
    float Height() const;
    void setLeft(float twips);
    void setTop(float twips);
    void setWidth(float twips);
    void setHeight(float twips);

    // Shell state.
    int gDrawMode() const override { return m_drawMode; }
    // The designer window commands go to, or none.
    mFrm_Bill *gActiveBill() const override { return m_activeBill.data(); }
    // Also shows its category's data source in the "dbn" panel and its
    // current object's lock.
    void setGActiveBill(mFrm_Bill *bill) override;
    // The check marks of 锁定(&U) and 锁定 and the "Locked" button show
    // whether the active designer's current object is locked; unchecked
    // without one.
    void showLockState();
    // The check of 显示底图 and its button follow the active window.
    void showUnderlayState();
    // 撤销 and 重做 and their buttons name what the active window would
    // undo or redo ("撤销 移动"), disabled when there is nothing.
    void showHistoryState();

    // What the designer windows ask of the shell.
    void SelectDrawTool(int index) override { mun_ObjDraw_Click(index); }
    void setMenuChecked(const QString &itemName, bool checked) override;
    void setMenuEnabled(const QString &itemName, bool enabled) override;
    void PopupRightMenu(const QPoint &globalPos) override;
    // Saves a changed designer window that is closing, as 保存 does.
    bool SaveBill(mFrm_Bill &bill) override;

    // The catalogue flows. The store is the catalogue's, opened on first use.
    TemplateCatalogue &catalogue() { return m_catalogue; }
    // 新建 (True) or 打开 (False): a designer window for a new name or for a
    // stored template; an open template's window is activated instead.
    void OpenBill(bool tmpNew);
    // 保存 (False) or 另存为 (True) of the active designer window.
    void SaveActive(bool bSaveAs);
    // 文件 > 导出 and 导入: the active template to a file, a file to a new template.
    void ExportActive();
    void ImportTemplate();
    // Saves the active designer window: -1 asks for a new name and
    // category first, any other value saves under its present identity.
    // True when the template was saved.
    bool SaveBill(int16_t tmpID);
    // True once the selection dialog has been loaded.
    bool mbSelLoad() const { return m_selLoad; }
    // The selection dialog while it is loaded, else nullptr.
    mFrm_Select *selectDialog() const { return m_select.get(); }
    // Every designer window, in the order they were opened.
    QList<mFrm_Bill *> designers() const;

    // Commands of the command table that are the main window's own.
    void CloseActive();
    void PageSetupActive();
    void PreviewActive();
    // The options dialog, then InitSystem.
    void ShowOptions();
    // The printer calibration dialog.
    void CalibratePrinters();
    // A toolbar button's click: runs the command of its key, compared
    // exactly; a key of no command does nothing.
    void TlbMain_ButtonClick(const QString &key);

    // The designers' grid, for every designer window, remembered in the
    // settings store: shown or not, and its spacing (a GridSteps choice; a
    // spacing chosen shows the grid).
    const GridChoice &grid() const { return m_grid; }
    void setGridShown(bool shown);
    void setGridSpacing(int mm);
    // The toolbar's zoom box: the active designer's zoom.
    ZoomBox *zoomBox() const { return m_zoomBox; }

    // Tool selection: 0 select, 1 line, 2 text, 3 picture. Moves the check
    // marks of both tool menus; leaves the toolbar alone.
    void mun_ObjDraw_Click(int index);
    // Takes up the store's document types after the options dialog.
    void InitSystem();
    // The clock tick: writes the current time into the "dat" panel.
    void Timer_Timer();
    void About();
    // Closes the main window, asking for confirmation first.
    void ExitApp();
    void Arrange(int code);

    QMdiArea *workspace() const { return m_workspace; }
    StatusBar *sbrMain() const { return m_statusBar; }
    QToolBar *TlbMain() const { return m_toolBar; }
    const ImageList &ImgLst1() const { return m_images; }
    QTimer *Timer() const { return m_timer; }

    // Menu items by name (a menu by the name of its item). Item arrays are
    // reached through mun_DrawObj and mun_ObjDraw. Throw RuntimeError for an
    // unknown name or index.
    QAction *action(const QString &name) const;
    QMenu *menu(const QString &name) const;
    QAction *mun_DrawObj(int index) const;
    QAction *mun_ObjDraw(int index) const;
    // The hidden menu "Right", shown by the designer as its context menu.
    QMenu *contextMenu() const;
    // The entries of 窗口(&W) that list the open designer windows.
    QList<QAction *> windowListActions() const { return m_windowList; }
    void refreshWindowList();

    // Toolbar buttons by key. Value 1 is pressed, 0 released; only check
    // and group buttons have a value.
    QAction *button(const QString &key) const;
    QString buttonImageKey(const QString &key) const;
    int buttonValue(const QString &key) const;
    void setButtonValue(const QString &key, int value) override;

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void showEvent(QShowEvent *event) override;
    // The bars are switched from the 工具 menu only.
    QMenu *createPopupMenu() override { return nullptr; }

private:
    void buildMenus();
    void buildToolBar();
    void buildStatusBar();
    void showStoreWait(bool waiting);
    void connectCommands();
    void connectRoutedCommands();
    void chooseToolFromMenu(int index);

    mFrm_Select &loadSelectDialog();
    bool saveBill(mFrm_Bill &bill, int16_t tmpID);
    bool offerSaveAs(mFrm_Bill &bill, const QString &reason);
    // A new designer window on the stored template id (0: a new template).
    void openDesigner(int16_t id, const QString &name, int16_t screenID);
    // Keeps the templates at location from now on (refused while a
    // template is open).
    void switchStore(const StoreLocation &location);
    // The store choice on its own, when the options cannot open for want
    // of a store.
    std::optional<StoreLocation> askStoreAlone();
    void showBill(mFrm_Bill &bill);
    mFrm_Bill *designerShowing(int16_t id) const;
    void forgetDeletedTemplate(int16_t id);
    void reportStoreFailure(const QString &headline, const RuntimeError &error);
    // The "dbn" panel: the active designer's data source, or "None".
    void refreshDataSource();
    // The zoom box and the "pos" panel show the active designer, which
    // takes the grid.
    void followActiveDesigner();
    void applyGrid();
    void rememberGrid();
    // Closes the designer windows one by one; false as soon as one stays.
    bool closeDesigners();

    void Form_Load();
    void Form_Resize();
    bool Form_QueryUnload();
    void Form_Unload();

    float readGeometry(const char *key, float defaultValue) const;
    static bool isPlausibleGeometry(const char *key, float value);
    QSize frameExtent() const;
    void fitStoredSizeToFrame();
    void writeGeometry(const char *key, float value) const;

    QMdiArea *m_workspace;
    QToolBar *m_toolBar = nullptr;
    StatusBar *m_statusBar = nullptr;
    QTimer *m_timer;
    ImageList m_images;

    QHash<QString, QAction *> m_actions;
    QHash<QString, QMenu *> m_menus;
    QList<QAction *> m_drawObj;
    QList<QAction *> m_objDraw;
    QList<QAction *> m_windowList;
    QHash<QString, QAction *> m_buttons;
    QHash<QString, QString> m_buttonImages;
    QActionGroup *m_toolGroup = nullptr;
    ZoomBox *m_zoomBox = nullptr;
    GridChoice m_grid;
    QList<QMetaObject::Connection> m_activeConnections;

    TwipsCoordinate m_left;
    TwipsCoordinate m_top;
    TwipsCoordinate m_width;
    TwipsCoordinate m_height;

    bool m_fitToFrame = true;
    int m_drawMode = DrawTool::Select;
    QPointer<mFrm_Bill> m_activeBill;

    TemplateCatalogue m_catalogue;
    std::unique_ptr<mFrm_Select> m_select;
    bool m_selLoad = false;
};
