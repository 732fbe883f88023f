#include "app/Module1.h"
#include "app/StatusBar.h"
#include "app/mFrm_Main.h"
#include "designer/ShellNames.h"
#include "platform/AppSetup.h"
#include "platform/Clock.h"
#include "platform/FakeDialogs.h"
#include "platform/MemorySettingsStore.h"
#include "platform/Platform.h"
#include "platform/RecordingPointerConfinement.h"
#include "platform/Screen.h"

#include <QAction>
#include <QDateTime>
#include <QHash>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <functional>

namespace {

const QString title = QStringLiteral("Kordane-格式报表Tavrel工具");
const QString section = QStringLiteral("Settings");
const QStringList geometryKeys = {"MainLeft", "MainTop", "MainWidth", "MainHeight"};

} // namespace

class tst_MainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void startShowsMainWindow();
    void firstStartUsesDefaultGeometry();
    void restoreThenSaveWritesSameValues_data();
    void restoreThenSaveWritesSameValues();
    void movedWindowSavesNewGeometry();
    void minimisedCloseKeepsStoredGeometry();
    void garbageStoredValueFallsBackToDefault_data();
    void garbageStoredValueFallsBackToDefault();

    void panelsAfterLoad();
    void msgPanelWidth_data();
    void msgPanelWidth();

    void clockText_data();
    void clockText();
    void clockTickAcrossMidnight();
    void timerDrivesClock();

    void exitAnswerNoKeepsRunning_data();
    void exitAnswerNoKeepsRunning();
    void exitAnswerYesClosesDesignersAndSaves();
    void aboutBox();
    void viewToggles_data();
    void viewToggles();

private:
    void store(const QString &key, const QString &value)
    {
        m_settings->SaveSetting(title, section, key, value);
    }
    QString stored(const QString &key) const
    {
        return m_settings->GetSetting(title, section, key, QStringLiteral("<none>"));
    }
    RecordingPointerConfinement &pointer()
    {
        return dynamic_cast<RecordingPointerConfinement &>(Platform::pointer());
    }

    FakeDialogs *m_dialogs = nullptr;
    MemorySettingsStore *m_settings = nullptr;
};

void tst_MainWindow::initTestCase()
{
    AppSetup::installFontSubstitutions();
    Screen::setTwipsPerPixel(15, 15);
}

void tst_MainWindow::init()
{
    m_dialogs = &Platform::installFakes();
    m_settings = &dynamic_cast<MemorySettingsStore &>(Platform::settings());
}

void tst_MainWindow::startShowsMainWindow()
{
    QCOMPARE(Module1::MainForm(), nullptr);
    Module1::Main();
    QPointer<mFrm_Main> form = Module1::MainForm();
    QVERIFY(form);
    QVERIFY(form->isVisible());
    QVERIFY(!form->isModal());
    QCOMPARE(form->windowTitle(), title);
    QCOMPARE(form->sbrMain()->panelText("dbn"), QStringLiteral("None"));

    m_dialogs->msgAnswers.push_back(MsgResult::Yes);
    QVERIFY(form->close());
    QTRY_VERIFY(!form);
    QCOMPARE(Module1::MainForm(), nullptr);
}

void tst_MainWindow::firstStartUsesDefaultGeometry()
{
    mFrm_Main w;
    QCOMPARE(w.windowTitle(), title);
    QCOMPARE(w.Left(), 1000.0f);
    QCOMPARE(w.Top(), 1000.0f);
    QCOMPARE(w.Width(), 6500.0f);
    QCOMPARE(w.Height(), 6500.0f);
    // 15 twips per pixel, rounded to the nearest pixel
    QCOMPARE(w.pos(), QPoint(67, 67));
    QCOMPARE(w.size(), QSize(433, 433));
    QCOMPARE(m_settings->writes, 0);
}

void tst_MainWindow::restoreThenSaveWritesSameValues_data()
{
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QStringList>("written");
    // The offscreen test platform pushes a framed window whose frame would
    // leave the screen's left or top edge back onto it once its geometry
    // changes, so a position off those edges is checked without a frame.
    QTest::addColumn<bool>("frameless");

    QTest::newRow("empty store") << QStringList() << QStringList{"1000", "1000", "6500", "6500"}
                                 << false;
    QTest::newRow("whole pixels") << QStringList{"1500", "2250", "9000", "7500"}
                                  << QStringList{"1500", "2250", "9000", "7500"} << false;
    QTest::newRow("between pixels") << QStringList{"1234", "987.5", "8001", "6999"}
                                    << QStringList{"1234", "987.5", "8001", "6999"} << false;
    QTest::newRow("negative position") << QStringList{"-600", "0", "6000", "5000"}
                                       << QStringList{"-600", "0", "6000", "5000"} << true;
}

void tst_MainWindow::restoreThenSaveWritesSameValues()
{
    QFETCH(QStringList, values);
    QFETCH(QStringList, written);
    QFETCH(bool, frameless);
    for (qsizetype i = 0; i < values.size(); ++i)
        store(geometryKeys[i], values[i]);

    // Two starts in a row: the second must read what the first wrote.
    for (int start = 0; start < 2; ++start) {
        mFrm_Main w;
        if (frameless)
            w.setWindowFlag(Qt::FramelessWindowHint);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        m_dialogs->msgAnswers.push_back(MsgResult::Yes);
        QVERIFY(w.close());
        for (qsizetype i = 0; i < geometryKeys.size(); ++i)
            QCOMPARE(stored(geometryKeys[i]), written[i]);
    }
}

void tst_MainWindow::movedWindowSavesNewGeometry()
{
    mFrm_Main w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.move(100, 120);
    // The stored size is the outer frame's: the client area plus the frame.
    const QSize frame = w.frameGeometry().size() - w.size();
    w.resize(500 - frame.width(), 400 - frame.height());
    m_dialogs->msgAnswers.push_back(MsgResult::Yes);
    QVERIFY(w.close());
    QCOMPARE(stored("MainLeft"), QStringLiteral("1500"));
    QCOMPARE(stored("MainTop"), QStringLiteral("1800"));
    QCOMPARE(stored("MainWidth"), QStringLiteral("7500"));
    QCOMPARE(stored("MainHeight"), QStringLiteral("6000"));
}

void tst_MainWindow::minimisedCloseKeepsStoredGeometry()
{
    const QStringList values{"1500", "2250", "9000", "7500"};
    for (qsizetype i = 0; i < values.size(); ++i)
        store(geometryKeys[i], values[i]);
    const int writesBefore = m_settings->writes;

    mFrm_Main w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.move(300, 300);
    w.showMinimized();
    m_dialogs->msgAnswers.push_back(MsgResult::Yes);
    QVERIFY(w.close());

    QCOMPARE(m_settings->writes, writesBefore);
    for (qsizetype i = 0; i < values.size(); ++i)
        QCOMPARE(stored(geometryKeys[i]), values[i]);
}

void tst_MainWindow::garbageStoredValueFallsBackToDefault_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<float>("expected");

    QTest::newRow("letters") << "MainLeft" << "abc" << 1000.0f;
    QTest::newRow("empty") << "MainTop" << "" << 1000.0f;
    QTest::newRow("trailing unit") << "MainWidth" << "9000px" << 6500.0f;
    QTest::newRow("not a number") << "MainHeight" << "nan" << 6500.0f;
    QTest::newRow("infinite") << "MainWidth" << "inf" << 6500.0f;
    QTest::newRow("padded number") << "MainLeft" << " 1500 " << 1500.0f;
    QTest::newRow("far off screen") << "MainLeft" << "3e9" << 1000.0f;
    QTest::newRow("far off screen above") << "MainTop" << "-1e30" << 1000.0f;
    QTest::newRow("huge width") << "MainWidth" << "3e9" << 6500.0f;
    QTest::newRow("no height") << "MainHeight" << "0" << 6500.0f;
    QTest::newRow("negative width") << "MainWidth" << "-100" << 6500.0f;
    QTest::newRow("left of the screen") << "MainLeft" << "-300" << -300.0f;
}

void tst_MainWindow::garbageStoredValueFallsBackToDefault()
{
    QFETCH(QString, key);
    QFETCH(QString, text);
    QFETCH(float, expected);
    store(QStringLiteral("MainLeft"), "3000");
    store(QStringLiteral("MainTop"), "3000");
    store(QStringLiteral("MainWidth"), "9000");
    store(QStringLiteral("MainHeight"), "9000");
    store(key, text);

    mFrm_Main w;
    const QHash<QString, float> actual{
        {"MainLeft", w.Left()}, {"MainTop", w.Top()}, {"MainWidth", w.Width()}, {"MainHeight", w.Height()}};
    QCOMPARE(actual.value(key), expected);
    for (const QString &other : geometryKeys) {
        if (other != key)
            QCOMPARE(actual.value(other), other.startsWith("MainW") || other.startsWith("MainH") ? 9000.0f : 3000.0f);
    }
}

void tst_MainWindow::panelsAfterLoad()
{
    Platform::setClock(std::make_unique<FixedClock>(QDateTime(QDate(2025, 11, 3), QTime(9, 41, 5))));
    mFrm_Main w;
    StatusBar *bar = w.sbrMain();
    // The six panels of the main window, then the position readout.
    QCOMPARE(bar->panelCount(), 7);
    const QStringList keys{"msg", "dbn", "mod", "use", "Period", "dat", "pos"};
    const QStringList tips{"提示信息", "帐套名称", "模块名称", "当前用户", "", "日期/时间",
                           "指针位置与选中对象的位置、大小（毫米）"};
    // The clock shows from the start, not the design text "2001-01-02 12:12".
    const QStringList texts{"", "None", "Tavrel", "Demo", "2002年 1期", "2025-11-03 09:41", ""};
    const QList<float> widths{2300, 1500, 1000, 1100, 1600, 5600};
    for (int i = 1; i <= 7; ++i) {
        QCOMPARE(bar->panel(i)->objectName(), keys[i - 1]);
        QCOMPARE(bar->panel(i)->toolTip(), tips[i - 1]);
        QCOMPARE(bar->panelText(keys[i - 1]), texts[i - 1]);
        if (i > 1) {
            QCOMPARE(bar->panelWidth(i), widths[i - 2]);
            QCOMPARE(bar->panel(i)->width(), int(widths[i - 2] / 15 + 0.5f));
        }
    }
}

void tst_MainWindow::msgPanelWidth_data()
{
    QTest::addColumn<float>("windowWidth");
    QTest::addColumn<float>("expected");

    // The fixed panels take 13100 twips (the position readout 5600 of
    // them), and 400 more are kept free.
    QTest::newRow("wide") << 25000.0f << 11500.0f;
    QTest::newRow("exactly fits") << 13505.0f << 5.0f;
    QTest::newRow("one pixel short keeps last width") << 13490.0f << 7100.0f;
    QTest::newRow("very narrow keeps last width") << 3000.0f << 7100.0f;
}

void tst_MainWindow::msgPanelWidth()
{
    QFETCH(float, windowWidth);
    QFETCH(float, expected);
    mFrm_Main w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.setWidth(20600);
    QCOMPARE(w.sbrMain()->panelWidth(1), 7100.0f);

    w.setWidth(windowWidth);
    QCOMPARE(w.Width(), windowWidth);
    QCOMPARE(w.sbrMain()->panelWidth(1), expected);
    QCOMPARE(w.sbrMain()->panel(1)->width(), qRound(expected / 15));
    QVERIFY(m_dialogs->shown.empty());
}

void tst_MainWindow::clockText_data()
{
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QString>("text");

    QTest::newRow("afternoon") << QDateTime(QDate(2024, 3, 5), QTime(14, 7, 59)) << "2024-03-05 14:07";
    QTest::newRow("small hours") << QDateTime(QDate(2009, 1, 2), QTime(3, 4)) << "2009-01-02 03:04";
    QTest::newRow("last minute of the year")
        << QDateTime(QDate(1999, 12, 31), QTime(23, 59, 30)) << "1999-12-31 23:59";
}

void tst_MainWindow::clockText()
{
    QFETCH(QDateTime, now);
    QFETCH(QString, text);
    mFrm_Main w;
    Platform::setClock(std::make_unique<FixedClock>(now));
    w.Timer_Timer();
    QCOMPARE(w.sbrMain()->panelText("dat"), text);
}

void tst_MainWindow::clockTickAcrossMidnight()
{
    mFrm_Main w;
    Platform::setClock(std::make_unique<FixedClock>(QDateTime(QDate(2024, 2, 28), QTime(23, 59, 40))));
    w.Timer_Timer();
    QCOMPARE(w.sbrMain()->panelText("dat"), QStringLiteral("2024-02-28 23:59"));
    Platform::setClock(std::make_unique<FixedClock>(QDateTime(QDate(2024, 2, 29), QTime(0, 0, 40))));
    w.Timer_Timer();
    QCOMPARE(w.sbrMain()->panelText("dat"), QStringLiteral("2024-02-29 00:00"));
}

void tst_MainWindow::timerDrivesClock()
{
    mFrm_Main w;
    QVERIFY(w.Timer()->isActive());
    QCOMPARE(w.Timer()->interval(), 60000);
    Platform::setClock(std::make_unique<FixedClock>(QDateTime(QDate(2030, 6, 7), QTime(8, 9))));
    w.Timer()->start(5);
    QTRY_COMPARE(w.sbrMain()->panelText("dat"), QStringLiteral("2030-06-07 08:09"));
}

void tst_MainWindow::exitAnswerNoKeepsRunning_data()
{
    using Way = std::function<void(mFrm_Main &)>;
    QTest::addColumn<Way>("leave");
    QTest::newRow("close box") << Way([](mFrm_Main &w) { QVERIFY(!w.close()); });
    QTest::newRow("menu 退出") << Way([](mFrm_Main &w) {
        w.action(MenuItem::FileExit)->trigger();
    });
    QTest::newRow("toolbar Exit") << Way([](mFrm_Main &w) {
        w.button(ToolbarKey::Exit)->trigger();
    });
}

void tst_MainWindow::exitAnswerNoKeepsRunning()
{
    QFETCH(std::function<void(mFrm_Main &)>, leave);
    mFrm_Main w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto *bill = new mFrm_Bill(w);
    w.workspace()->addSubWindow(bill)->show();
    w.workspace()->addSubWindow(new mFrm_Bill(w))->show();
    w.setGActiveBill(bill);
    pointer().ClipCursor(QRect(10, 10, 100, 100));
    m_dialogs->msgAnswers.push_back(MsgResult::No);

    leave(w);

    QCOMPARE(m_dialogs->messages(), QStringList{"您确认要退出系统吗？"});
    const FakeDialogs::Shown *question = m_dialogs->lastMessage();
    QCOMPARE(question->buttons, MsgButtons::YesNo);
    QCOMPARE(question->icon, MsgIcon::Exclamation);
    QCOMPARE(question->title, title);
    QVERIFY(w.isVisible());
    QCOMPARE(w.workspace()->subWindowList().size(), 2);
    QCOMPARE(w.gActiveBill(), bill);
    QVERIFY(!pointer().isConfined());
    QCOMPARE(m_settings->writes, 0);
}

void tst_MainWindow::exitAnswerYesClosesDesignersAndSaves()
{
    mFrm_Main w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto *bill = new mFrm_Bill(w);
    w.workspace()->addSubWindow(bill)->show();
    w.setGActiveBill(bill);
    pointer().ClipCursor(QRect(10, 10, 100, 100));
    m_dialogs->msgAnswers.push_back(MsgResult::Yes);

    QVERIFY(w.close());
    QVERIFY(!w.isVisible());
    QVERIFY(w.workspace()->subWindowList().isEmpty());
    QCOMPARE(w.gActiveBill(), nullptr);
    QVERIFY(!pointer().isConfined());
    QCOMPARE(stored("MainWidth"), QStringLiteral("6500"));
}

void tst_MainWindow::aboutBox()
{
    mFrm_Main w;
    w.action(MenuItem::About)->trigger();
    QCOMPARE(m_dialogs->shown.size(), size_t(1));
    const FakeDialogs::Shown &box = m_dialogs->shown.front();
    QCOMPARE(box.kind, QStringLiteral("MsgBox"));
    QCOMPARE(box.buttons, MsgButtons::OK);
    QCOMPARE(box.icon, MsgIcon::None);
    QCOMPARE(box.title, w.windowTitle());
    const QStringList lines = box.text.split('\n');
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines[0], title);
    QCOMPARE(lines[1], QString());
    QVERIFY(!lines[2].trimmed().isEmpty());
}

void tst_MainWindow::viewToggles_data()
{
    using Bar = std::function<QWidget *(const mFrm_Main &)>;
    QTest::addColumn<QString>("item");
    QTest::addColumn<Bar>("bar");
    QTest::addColumn<Bar>("other");
    const Bar toolBar = [](const mFrm_Main &w) { return w.TlbMain(); };
    const Bar statusBar = [](const mFrm_Main &w) { return w.sbrMain(); };
    QTest::newRow("toolbar") << QString(MenuItem::ViewToolbar) << toolBar << statusBar;
    QTest::newRow("status bar") << QString(MenuItem::ViewStatusbar) << statusBar << toolBar;
}

void tst_MainWindow::viewToggles()
{
    QFETCH(QString, item);
    using Bar = std::function<QWidget *(const mFrm_Main &)>;
    QFETCH(Bar, bar);
    QFETCH(Bar, other);
    mFrm_Main w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QAction *toggle = w.action(item);
    QVERIFY(toggle->isChecked());
    QVERIFY(bar(w)->isVisible());

    toggle->trigger();
    QVERIFY(!toggle->isChecked());
    QVERIFY(!bar(w)->isVisible());
    QVERIFY(other(w)->isVisible());

    toggle->trigger();
    QVERIFY(toggle->isChecked());
    QVERIFY(bar(w)->isVisible());
}

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
