// The catalogue flows against a real store file in a temporary folder:
// 新建, 打开, 保存, 另存为 and delete through the selection dialog, as the
// main window runs them.

#include "tests/store/StoreFixtures.h"

#include "app/DelTables.h"
#include "app/DocumentTypeEditor.h"
#include "app/ImageButton.h"
#include "app/StatusBar.h"
#include "app/mFrm_Main.h"
#include "app/mFrm_Select.h"
#include "app/mfrm_Option.h"

#include "designer/ShellNames.h"
#include "designer/mFrm_Bill.h"

#include "documents/DemoDatabase.h"
#include "documents/DocumentTypes.h"
#include "print/FieldVocabulary.h"
#include "print/frm_BillPreView.h"
#include "store/TemplateStore.h"

#include "platform/AppSetup.h"
#include "platform/FakeDialogs.h"
#include "platform/Platform.h"
#include "platform/RuntimeError.h"
#include "platform/Screen.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include <functional>
#include <memory>

namespace {

using Script = std::function<int(QDialog &)>;

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

mFrm_Select &selectOf(QDialog &dialog)
{
    return dynamic_cast<mFrm_Select &>(dialog);
}

// The selection dialog answered as a user does: a name typed, an entry
// chosen, Cancel, or the frame's close box.
Script typing(const QString &name)
{
    return [name](QDialog &dialog) {
        mFrm_Select &s = selectOf(dialog);
        s.CmbName->setEditText(name);
        s.CmdOk->click();
        return s.result();
    };
}

Script choosing(const QString &name)
{
    return [name](QDialog &dialog) {
        mFrm_Select &s = selectOf(dialog);
        s.CmbName->setCurrentIndex(s.CmbName->findText(name));
        s.CmdOk->click();
        return s.result();
    };
}

// The same answer with the category chosen first.
Script in(const QString &category, const Script &answer)
{
    return [category, answer](QDialog &dialog) {
        mFrm_Select &s = selectOf(dialog);
        s.CmbType->setCurrentIndex(s.CmbType->findText(category));
        s.CmbType_Click();
        return answer(dialog);
    };
}

const QString Saved = QStringLiteral("保存成功！");
const QString ServerSource = QStringLiteral("QPSQL:clerk@db1:5432/erp");

} // namespace

class TestCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void captions_data();
    void captions();
    void newNames_data();
    void newNames();
    void duplicateNamesRefused_data();
    void duplicateNamesRefused();
    void openListsTheCategory();
    void saveAndReopen();
    void saveAsLeavesTheOriginal();
    void deleteAsksFirst_data();
    void deleteAsksFirst();
    void frameCloseIsCancel();
    void openingAnOpenTemplateActivatesIt();
    void damagedTemplateOpensNoWindow();
    void unusableStore_data();
    void unusableStore();
    void failedSaveKeepsThePreviousVersion();
    void saveConflictOffersSaveAs_data();
    void saveConflictOffersSaveAs();
    void deleteImage();
    void selectionDialogGoesWithTheMainWindow();
    void optionsDialog();
    void optionsDefaultMark_data();
    void optionsDefaultMark();
    void dataSourcePanelFollowsTheActiveDesigner();
    void previewReadsTheStoresTypeWithoutOptions_data();
    void previewReadsTheStoresTypeWithoutOptions();

private:
    QString storePath() const { return m_dir->filePath(QStringLiteral("templates.sqlite")); }
    // A designer window for a new template of that name, with objects.
    mFrm_Bill *newBill(const QString &name, int objects = 6);
    mFrm_Bill *openBill(const QString &name);
    int windowCount() const { return int(main->designers().size()); }
    // A separate look at the store file, as another program has.
    std::unique_ptr<TemplateStore> other() const
    {
        return std::make_unique<TemplateStore>(storePath());
    }

    // A document type stored beside the templates; the demonstration
    // database with its queries when there is no driver.
    int16_t addType(const QString &name, const QString &driver = QString());

    QTemporaryDir m_demoDir;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<mFrm_Main> main;
    FakeDialogs *dialogs = nullptr;
};

void TestCatalogue::initTestCase()
{
    // Whatever goes wrong, the user's own store is never touched.
    QStandardPaths::setTestModeEnabled(true);
    DemoDatabase::setPath(m_demoDir.filePath(QStringLiteral("demo.sqlite")));
    AppSetup::installFontSubstitutions();
    Screen::setTwipsPerPixel(15, 15);
}

void TestCatalogue::init()
{
    dialogs = &Platform::installFakes();
    m_dir = std::make_unique<QTemporaryDir>();
    main = std::make_unique<mFrm_Main>();
    main->catalogue().setPath(storePath());
    main->resize(1000, 800);
    main->show();
    QVERIFY(QTest::qWaitForWindowExposed(main.get()));
}

void TestCatalogue::cleanup()
{
    main.reset();
    m_dir.reset();
}

int16_t TestCatalogue::addType(const QString &name, const QString &driver)
{
    Category type;
    type.id = -1;
    type.name = name;
    type.driver = driver;
    if (driver == QLatin1String("QPSQL")) {
        type.host = QStringLiteral("db1");
        type.port = 5432;
        type.user = QStringLiteral("clerk");
        type.databaseName = QStringLiteral("erp");
    } else if (driver == QLatin1String("QSQLITE")) {
        DemoDatabase::ensure(DemoDatabase::path());
        type.databaseName = DemoDatabase::path();
        type.headerQuery = DemoDatabase::headerQuery();
        type.detailQuery = DemoDatabase::detailQuery();
    }
    return other()->saveCategory(type);
}

mFrm_Bill *TestCatalogue::newBill(const QString &name, int objects)
{
    dialogs->modalScripts.push_back(typing(name));
    main->OpenBill(true);
    mFrm_Bill *bill = main->gActiveBill();
    if (bill)
        fillTemplate(bill->record(), objects, name);
    return bill;
}

mFrm_Bill *TestCatalogue::openBill(const QString &name)
{
    dialogs->modalScripts.push_back(choosing(name));
    main->OpenBill(false);
    return main->gActiveBill();
}

void TestCatalogue::captions_data()
{
    QTest::addColumn<bool>("tmpNew");
    QTest::addColumn<int>("oldType");
    QTest::addColumn<QString>("caption");
    QTest::newRow("新建") << true << -1 << "选择单据： - 新建";
    QTest::newRow("打开") << false << -1 << "选择单据： - 打开";
    QTest::newRow("另存为") << true << 3 << "选择单据： - 另存为";
    // A template of the demonstration category is saved as under 新建's caption.
    QTest::newRow("另存为, category 0") << true << 0 << "选择单据： - 新建";
}

void TestCatalogue::captions()
{
    QFETCH(bool, tmpNew);
    QFETCH(int, oldType);
    QFETCH(QString, caption);
    mFrm_Select dialog(main->catalogue());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("选择单据："));
    dialog.CmbName->setEditText(QStringLiteral("旧的"));
    dialog.SetFlag(tmpNew, int16_t(oldType), QStringLiteral("入库单"));
    QCOMPARE(dialog.windowTitle(), caption);
    QCOMPARE(dialog.CmbType->count(), 1);
    QCOMPARE(dialog.CmbType->itemText(0), QStringLiteral("演示数据"));
    QCOMPARE(dialog.CmbType->itemData(0).toInt(), 0);
    QCOMPARE(dialog.CmbName->currentText(), QString());
    QCOMPARE(dialog.mID, int16_t(-1));
    // The name is typed at once, without a click.
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(dialog.focusWidget(), dialog.CmbName);
}


void TestCatalogue::newNames_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("caption");
    QTest::newRow("spaces around") << "  出库单 " << "出库单";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("only spaces") << "   " << "";
}

void TestCatalogue::newNames()
{
    QFETCH(QString, typed);
    QFETCH(QString, caption);
    bool stayedOpen = false;
    dialogs->modalScripts.push_back([&](QDialog &dialog) {
        typing(typed)(dialog);
        stayedOpen = selectOf(dialog).mID == -1;
        if (stayedOpen)
            selectOf(dialog).CmdCancel->click();
        return dialog.result();
    });
    main->OpenBill(true);
    QCOMPARE(stayedOpen, caption.isEmpty());
    if (caption.isEmpty()) {
        QCOMPARE(dialogs->messages(), QStringList{QStringLiteral("请输入单据名称！")});
        QCOMPARE(dialogs->lastMessage()->title, QStringLiteral("选择单据： - 新建"));
        QCOMPARE(windowCount(), 0);
        return;
    }
    mFrm_Bill *bill = main->gActiveBill();
    QVERIFY(bill);
    QCOMPARE(bill->Caption(), caption);
    QCOMPARE(bill->windowTitle(), caption);
    QCOMPARE(bill->mScreenID(), int16_t(0));
    QCOMPARE(bill->mID(), int16_t(0));
    QCOMPARE(bill->mObjs().Count(), 0);
    QVERIFY(!bill->mChanged());
}

void TestCatalogue::duplicateNamesRefused_data()
{
    QTest::addColumn<bool>("saveAs");
    QTest::newRow("新建") << false;
    QTest::newRow("另存为") << true;
}

// Names are unique in a category, so 打开 is never ambiguous.
void TestCatalogue::duplicateNamesRefused()
{
    QFETCH(bool, saveAs);
    mFrm_Bill *bill = newBill(QStringLiteral("入库单"));
    main->SaveActive(false);
    dialogs->shown.clear();

    bool stayedOpen = false;
    dialogs->modalScripts.push_back([&](QDialog &dialog) {
        typing(QStringLiteral("入库单"))(dialog);
        stayedOpen = selectOf(dialog).mID == -1;
        selectOf(dialog).CmdCancel->click();
        return dialog.result();
    });
    if (saveAs)
        main->SaveActive(true);
    else
        main->OpenBill(true);
    QVERIFY(stayedOpen);
    QCOMPARE(dialogs->messages(),
             QStringList{QStringLiteral("单据“入库单”已经存在，请输入其他名称！")});
    QCOMPARE(windowCount(), 1);
    QCOMPARE(other()->templates(0).size(), 1);
    QCOMPARE(bill->Caption(), QStringLiteral("入库单"));
}

void TestCatalogue::openListsTheCategory()
{
    auto store = other();
    for (const QString &name : {QStringLiteral("乙"), QStringLiteral("甲"), QStringLiteral("'); DROP TABLE BillTemplates; --")}) {
        BillTemplate bill;
        bill.Caption = name;
        fillTemplate(bill, 3, name);
        store->save(bill);
    }
    const QList<TemplateEntry> entries = store->templates(0);
    store.reset();

    QStringList listed;
    QList<int> ids;
    int countAfterTyping = -1;
    dialogs->modalScripts.push_back([&](QDialog &dialog) {
        mFrm_Select &s = selectOf(dialog);
        for (int i = 0; i < s.CmbName->count(); ++i) {
            listed << s.CmbName->itemText(i);
            ids << s.CmbName->itemData(i).toInt();
        }
        QTest::keyClicks(s.CmbName->lineEdit(), "none such");
        QTest::keyClick(s.CmbName->lineEdit(), Qt::Key_Return);
        countAfterTyping = s.CmbName->count();
        s.CmdOk->click();
        s.CmdCancel->click();
        return s.result();
    });
    main->OpenBill(false);

    QStringList expected;
    QList<int> expectedIds;
    for (const TemplateEntry &e : entries) {
        expected << e.name;
        expectedIds << e.id;
    }
    QCOMPARE(listed, expected);
    QCOMPARE(ids, expectedIds);
    // Typed text is no entry, and chooses nothing.
    QCOMPARE(countAfterTyping, 3);
    QCOMPARE(dialogs->messages(), QStringList{QStringLiteral("请选择单据名称！")});
    QCOMPARE(windowCount(), 0);
}

void TestCatalogue::saveAndReopen()
{
    mFrm_Bill *bill = newBill(QStringLiteral("入库单"), 9);
    bill->PicPage().setWidth(9000);
    main->SaveActive(false);
    QCOMPARE(dialogs->messages(), QStringList{Saved});
    QCOMPARE(dialogs->lastMessage()->icon, MsgIcon::Exclamation);
    QCOMPARE(dialogs->lastMessage()->title, main->windowTitle());
    // A never-saved template takes a new id.
    QVERIFY(bill->mID() > 0);
    QVERIFY(!bill->mChanged());
    QStringList saved;
    for (const auto &obj : bill->mObjs()) {
        QCOMPARE(obj->EditFlag(), -1);
        saved << describe(*obj);
    }
    const int16_t id = bill->mID();
    main->SaveActive(false);
    QCOMPARE(bill->mID(), id);
    {
        auto store = other();
        QCOMPARE(rowCount(*store, StoreTables::Templates), 1);
        QCOMPARE(rowCount(*store, StoreTables::Objects, id), 9);
    }

    QPointer<QWidget> frame = bill->parentWidget();
    main->CloseActive();
    QTRY_VERIFY(!frame);
    // The closed window is gone with its frame, so the one opened now is
    // new, even where it takes the old one's address.
    mFrm_Bill *again = openBill(QStringLiteral("入库单"));
    QVERIFY(again);
    QCOMPARE(again->mID(), id);
    QCOMPARE(again->Caption(), QStringLiteral("入库单"));
    QCOMPARE(again->PicPage().Width(), 9000.0);
    QVERIFY(!again->mChanged());
    QStringList reread;
    for (const auto &obj : again->mObjs())
        reread << describe(*obj);
    QCOMPARE(reread, saved);
}

void TestCatalogue::saveAsLeavesTheOriginal()
{
    mFrm_Bill *bill = newBill(QStringLiteral("入库单"), 4);
    main->SaveActive(false);
    const int16_t original = bill->mID();
    fillTemplate(bill->record(), 2, QStringLiteral("新"));
    dialogs->modalScripts.push_back(typing(QStringLiteral("出库单")));
    main->SaveActive(true);

    QVERIFY(bill->mID() > original);
    QCOMPARE(bill->Caption(), QStringLiteral("出库单"));
    QCOMPARE(bill->parentWidget()->windowTitle(), QStringLiteral("出库单"));
    auto store = other();
    QCOMPARE(rowCount(*store, StoreTables::Objects, original), 4);
    QCOMPARE(rowCount(*store, StoreTables::Objects, bill->mID()), 6);
    BillTemplate kept;
    store->load(original, kept);
    QCOMPARE(kept.Caption, QStringLiteral("入库单"));
}

void TestCatalogue::deleteAsksFirst_data()
{
    QTest::addColumn<MsgResult>("answer");
    QTest::newRow("No") << MsgResult::No;
    QTest::newRow("Yes") << MsgResult::Yes;
}

void TestCatalogue::deleteAsksFirst()
{
    QFETCH(MsgResult, answer);
    const bool deleted = answer == MsgResult::Yes;
    mFrm_Bill *shown = newBill(QStringLiteral("入库单"), 6);
    main->SaveActive(false);
    const int16_t id = shown->mID();
    dialogs->shown.clear();

    int listedAfter = -1;
    dialogs->msgAnswers.push_back(answer);
    dialogs->modalScripts.push_back([&](QDialog &dialog) {
        mFrm_Select &s = selectOf(dialog);
        s.CmbName->setCurrentIndex(0);
        s.ImgDelete_Click();
        listedAfter = s.CmbName->count();
        s.CmdCancel->click();
        return s.result();
    });
    main->OpenBill(false);

    QStringList expected{QStringLiteral("确定要删除单据“入库单”吗？")};
    if (deleted)
        expected << QStringLiteral("删除成功！");
    QCOMPARE(dialogs->messages(), expected);
    const FakeDialogs::Shown &question = dialogs->shown.at(1);
    QCOMPARE(question.text, expected.front());
    QCOMPARE(question.buttons, MsgButtons::YesNo);
    QCOMPARE(question.icon, MsgIcon::Exclamation);
    QCOMPARE(listedAfter, deleted ? 0 : 1);
    auto store = other();
    for (const char *table : {gDelTable1, gDelTable2, gDelTable3}) {
        const int expectedRows = deleted ? 0 : table == gDelTable2 ? 6 : table == gDelTable1 ? 1 : 2;
        QCOMPARE(rowCount(*store, table, id), expectedRows);
    }
    // The window keeps its content, now stored nowhere.
    QCOMPARE(shown->mObjs().Count(), 6);
    QCOMPARE(shown->mID(), deleted ? int16_t(0) : id);
    QCOMPARE(shown->mChanged(), deleted);
}

// The dialog's close box is Cancel: no window, whatever was typed.
void TestCatalogue::frameCloseIsCancel()
{
    newBill(QStringLiteral("入库单"));
    main->SaveActive(false);
    for (bool tmpNew : {true, false}) {
        dialogs->modalScripts.push_back([](QDialog &dialog) {
            mFrm_Select &s = selectOf(dialog);
            s.show();
            s.CmbName->setCurrentIndex(0);
            s.CmbName->setEditText(QStringLiteral("另一张"));
            s.close();
            return s.result();
        });
        main->OpenBill(tmpNew);
        QCOMPARE(main->selectDialog()->mID, int16_t(-1));
        QCOMPARE(windowCount(), 1);
    }
}

void TestCatalogue::openingAnOpenTemplateActivatesIt()
{
    mFrm_Bill *first = newBill(QStringLiteral("入库单"));
    main->SaveActive(false);
    mFrm_Bill *second = newBill(QStringLiteral("出库单"));
    QCOMPARE(main->gActiveBill(), second);

    QCOMPARE(openBill(QStringLiteral("入库单")), first);
    QCOMPARE(windowCount(), 2);
    QCOMPARE(main->workspace()->activeSubWindow()->widget(), first);
}

void TestCatalogue::damagedTemplateOpensNoWindow()
{
    newBill(QStringLiteral("入库单"), 9);
    main->SaveActive(false);
    main->CloseActive();
    QTRY_COMPARE(windowCount(), 0);
    QVERIFY(execOn(*other(), QStringLiteral("DELETE FROM BillObjects WHERE Position = 4")));
    dialogs->shown.clear();

    openBill(QStringLiteral("入库单"));
    QTRY_COMPARE(windowCount(), 0);
    QCOMPARE(main->gActiveBill(), nullptr);
    QCOMPARE(dialogs->messages().size(), 1);
    QVERIFY(dialogs->messages().front().startsWith(
        QString::number(RuntimeError::TemplateDataCorrupt) + QLatin1Char(':')));
}

void TestCatalogue::unusableStore_data()
{
    QTest::addColumn<QString>("condition");
    QTest::addColumn<int>("error");
    QTest::newRow("read-only file") << "read-only" << int(RuntimeError::StoreReadOnly);
    QTest::newRow("not a database") << "garbage" << int(RuntimeError::StoreCorrupt);
    QTest::newRow("folder cannot be made") << "no folder" << int(RuntimeError::StoreCannotOpen);
    QTest::newRow("another program's database") << "foreign" << int(RuntimeError::StoreNotAStore);
    QTest::newRow("store cut short") << "cut short" << int(RuntimeError::StoreCorrupt);
}

// A clear message, the program running, the stored template as it was.
void TestCatalogue::unusableStore()
{
    QFETCH(QString, condition);
    QFETCH(int, error);
    newBill(QStringLiteral("入库单"), 6);
    main->SaveActive(false);
    const int16_t keptID = main->gActiveBill()->mID();
    main->CloseActive();
    QTRY_COMPARE(windowCount(), 0);
    main->catalogue().setPath(QString());

    QString path = storePath();
    const auto readable = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther;
    QFile::setPermissions(m_dir->path(), readable | QFile::WriteOwner);
    if (condition == "read-only") {
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadOther);
    } else if (condition == "garbage") {
        path = m_dir->filePath(QStringLiteral("garbage.sqlite"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(QByteArray(4096, 'x')) == 4096);
    } else if (condition == "foreign") {
        path = m_dir->filePath(QStringLiteral("shop.sqlite"));
        QSqlDatabase shop = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("shop"));
        shop.setDatabaseName(path);
        QVERIFY(shop.open());
        QVERIFY(QSqlQuery(shop).exec(QStringLiteral("CREATE TABLE Customers (id INTEGER, name TEXT)")));
        shop.close();
        shop = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("shop"));
    } else if (condition == "cut short") {
        path = m_dir->filePath(QStringLiteral("cut.sqlite"));
        QVERIFY(QFile::copy(storePath(), path));
        QVERIFY(QFile::resize(path, QFileInfo(path).size() - 1024));
    } else {
        QFile::setPermissions(m_dir->path(), readable);
        path = m_dir->filePath(QStringLiteral("new/templates.sqlite"));
    }
    const QByteArray before = contentsOf(path);
    dialogs->shown.clear();
    {
        AsNobody nobody;
        main->catalogue().setPath(path);
        if (condition == "read-only") {
            mFrm_Bill *bill = openBill(QStringLiteral("入库单"));
            QVERIFY(bill);
            bill->SelAll();
            bill->Delete();
            QVERIFY(bill->mChanged());
            QVERIFY(!main->SaveBill(bill->mID()));
            QVERIFY(bill->mChanged());
        } else {
            main->OpenBill(true);
            QCOMPARE(windowCount(), 0);
        }
        main->catalogue().setPath(QString());
    }
    QCOMPARE(dialogs->messages().size(), 1);
    const QString message = dialogs->messages().front();
    QVERIFY2(message.contains(RuntimeError::standardDescription(error)), qPrintable(message));
    QVERIFY(message.contains(path));
    QCOMPARE(message.startsWith(QStringLiteral("保存失败！")), condition == "read-only");
    QVERIFY(!dialogs->messages().contains(Saved));
    QVERIFY(main->isVisible());
    QCOMPARE(contentsOf(path), before);

    QFile::setPermissions(m_dir->path(), readable | QFile::WriteOwner);
    QFile::setPermissions(storePath(), QFile::ReadOwner | QFile::WriteOwner);
    QCOMPARE(rowCount(*other(), StoreTables::Objects, keptID), 6);
}

// A statement failing halfway through a save rolls the whole save back.
void TestCatalogue::failedSaveKeepsThePreviousVersion()
{
    mFrm_Bill *bill = newBill(QStringLiteral("入库单"), 6);
    main->SaveActive(false);
    QVERIFY(execOn(*other(), QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON BillObjects"
                                            " WHEN NEW.Position = 9"
                                            " BEGIN SELECT RAISE(ABORT, 'refused'); END")));
    fillTemplate(bill->record(), 6, QStringLiteral("第二版"));
    bill->setMChanged(true);
    dialogs->shown.clear();

    QVERIFY(!main->SaveBill(bill->mID()));
    QCOMPARE(dialogs->messages().size(), 1);
    QVERIFY(dialogs->messages().front().startsWith(QStringLiteral("保存失败！\n")));
    QVERIFY(bill->mChanged());
    BillTemplate stored;
    other()->load(bill->mID(), stored);
    QCOMPARE(stored.mObjs.Count(), 6);
    QCOMPARE(stored.mRevision, bill->record().mRevision);
}

void TestCatalogue::saveConflictOffersSaveAs_data()
{
    QTest::addColumn<QString>("conflict");
    QTest::addColumn<MsgResult>("answer");
    QTest::addColumn<QString>("question");
    const QString gone = QStringLiteral("单据“入库单”已从单据模板库中删除。\n是否另存为新单据？");
    // With the time the other save landed.
    const QString newer
        = QStringLiteral("单据“入库单”在您打开之后已在别处修改并保存过（%1）。\n是否另存为新单据？");
    QTest::newRow("deleted, No") << "deleted" << MsgResult::No << gone;
    QTest::newRow("deleted, Yes") << "deleted" << MsgResult::Yes << gone;
    QTest::newRow("saved elsewhere, No") << "newer" << MsgResult::No << newer;
    QTest::newRow("saved elsewhere, Yes") << "newer" << MsgResult::Yes << newer;
}

void TestCatalogue::saveConflictOffersSaveAs()
{
    QFETCH(QString, conflict);
    QFETCH(MsgResult, answer);
    QFETCH(QString, question);
    mFrm_Bill *bill = newBill(QStringLiteral("入库单"), 6);
    main->SaveActive(false);
    const int16_t id = bill->mID();
    bill->SelAll();
    bill->Delete();
    {
        auto store = other();
        if (conflict == "deleted") {
            store->remove(id);
        } else {
            BillTemplate elsewhere;
            store->load(id, elsewhere);
            store->save(elsewhere);
            question = question.arg(store->savedAt(id).toLocalTime().toString(
                QStringLiteral("yyyy-MM-dd HH:mm:ss")));
        }
    }
    dialogs->shown.clear();
    dialogs->msgAnswers.push_back(answer);
    dialogs->modalScripts.push_back(typing(QStringLiteral("入库单（副本）")));

    const bool yes = answer == MsgResult::Yes;
    QCOMPARE(main->SaveBill(id), yes);
    QStringList expected{question};
    if (yes)
        expected << Saved;
    QCOMPARE(dialogs->messages(), expected);
    QCOMPARE(bill->Caption(), yes ? QStringLiteral("入库单（副本）") : QStringLiteral("入库单"));
    QCOMPARE(bill->mChanged(), !yes);
    // A window whose template was deleted elsewhere holds a new template.
    if (conflict == "deleted" && !yes)
        QCOMPARE(bill->mID(), int16_t(0));
    auto store = other();
    // The copy is stored under the window's id; what was stored elsewhere stays.
    if (yes) {
        BillTemplate copy;
        store->load(bill->mID(), copy);
        QCOMPARE(copy.Caption, QStringLiteral("入库单（副本）"));
    }
    QCOMPARE(store->templates(0).size(), qsizetype(conflict == "deleted" ? 0 : 1) + (yes ? 1 : 0));
}

void TestCatalogue::deleteImage()
{
    main->OpenBill(false);
    mFrm_Select *dialog = main->selectDialog();
    QVERIFY(dialog);
    QCOMPARE(dialog->ImgDelete->toolTip(), QStringLiteral("删除些单据"));
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    QCOMPARE(dialog->ImgDelete->BorderStyle(), int(ImageButton::NoBorder));
    QTest::mouseMove(dialog->windowHandle(),
                     dialog->ImgDelete->mapTo(dialog, dialog->ImgDelete->rect().center()));
    QTRY_COMPARE(dialog->ImgDelete->BorderStyle(), int(ImageButton::FixedSingle));
    QTest::mouseMove(dialog->windowHandle(), QPoint(2, 2));
    QTRY_COMPARE(dialog->ImgDelete->BorderStyle(), int(ImageButton::NoBorder));

    // Nothing chosen: nothing is asked, nothing deleted.
    dialogs->shown.clear();
    QTest::mouseClick(dialog->ImgDelete, Qt::LeftButton);
    QCOMPARE(dialogs->messages(), QStringList{QStringLiteral("请选择单据名称！")});
    dialog->hide();
}

void TestCatalogue::selectionDialogGoesWithTheMainWindow()
{
    QVERIFY(!main->mbSelLoad());
    QCOMPARE(main->selectDialog(), nullptr);
    main->OpenBill(true);
    QVERIFY(main->mbSelLoad());
    QPointer<mFrm_Select> dialog = main->selectDialog();
    QVERIFY(dialog);
    dialogs->msgAnswers.push_back(MsgResult::Yes);
    QVERIFY(main->close());
    QVERIFY(!dialog);
    QVERIFY(!main->mbSelLoad());
}

void TestCatalogue::optionsDialog()
{
    addType(QStringLiteral("发货单"));
    QStringList systems;
    QString check, label, ok, cancel;
    bool editorInside = false;
    dialogs->modalScripts.push_back([&](QDialog &dialog) {
        auto &options = dynamic_cast<mfrm_Option &>(dialog);
        editorInside = options.isAncestorOf(&options.editor());
        for (int i = 0; i < options.CmbSystem->count(); ++i)
            systems << options.CmbSystem->itemText(i);
        check = options.ChkDefMode->text();
        label = dialog.findChild<QLabel *>()->text();
        ok = options.CmdOK->text();
        cancel = options.CmdCancel->text();
        options.CmdOK->click();
        return options.result();
    });
    main->action(MenuItem::ToolSystem)->trigger();
    QCOMPARE(dialogs->shown.back().kind, QStringLiteral("Modal"));
    QCOMPARE(dialogs->shown.back().title, QStringLiteral("套打系统选项:"));
    QCOMPARE(systems, QStringList({QStringLiteral("演示数据"), QStringLiteral("发货单")}));
    QVERIFY(editorInside);
    QCOMPARE(check, QStringLiteral("默认系统(&D)"));
    QCOMPARE(label, QStringLiteral("请选择系统(&M):"));
    QCOMPARE(ok, QStringLiteral("确 定(&O)"));
    QCOMPARE(cancel, QStringLiteral("取 消(&C)"));
    QCOMPARE(dialogs->shown.size(), size_t(1));
}

void TestCatalogue::optionsDefaultMark_data()
{
    QTest::addColumn<bool>("ok");
    QTest::addColumn<bool>("refused");
    QTest::addColumn<bool>("marked");
    QTest::newRow("OK writes the mark") << true << false << true;
    QTest::newRow("Cancel leaves it") << false << false << false;
    // The failure is said and the dialog stays; Cancel then ends it.
    QTest::newRow("store refuses on OK") << true << true << false;
}

// The default type is the one a new template takes.
void TestCatalogue::optionsDefaultMark()
{
    QFETCH(bool, ok);
    QFETCH(bool, refused);
    QFETCH(bool, marked);
    const int16_t id = addType(QStringLiteral("发货单"));
    if (refused)
        QVERIFY(execOn(*other(), QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE OF IsDefault"
                                                " ON BillCategories"
                                                " BEGIN SELECT RAISE(ABORT, 'refused'); END")));
    int resultAfterOk = -1;
    dialogs->modalScripts.push_back([&](QDialog &dialog) {
        auto &options = dynamic_cast<mfrm_Option &>(dialog);
        options.CmbSystem->setCurrentIndex(options.CmbSystem->findText(QStringLiteral("发货单")));
        options.ChkDefMode->click();
        (ok ? options.CmdOK : options.CmdCancel)->click();
        resultAfterOk = options.result();
        if (refused)
            options.CmdCancel->click();
        return options.result();
    });
    main->ShowOptions();
    QCOMPARE(resultAfterOk, int(ok && !refused ? QDialog::Accepted : QDialog::Rejected));
    QCOMPARE(dialogs->messages().size(), qsizetype(refused ? 1 : 0));
    if (refused)
        QVERIFY2(dialogs->messages().front().startsWith(QStringLiteral("默认系统未保存！\n")),
                 qPrintable(dialogs->messages().front()));
    QCOMPARE(other()->defaultCategory(), marked ? id : int16_t(0));
    mFrm_Bill *bill = newBill(QStringLiteral("出库单"), 0);
    QVERIFY(bill);
    QCOMPARE(bill->mScreenID(), marked ? id : int16_t(0));
}

void TestCatalogue::dataSourcePanelFollowsTheActiveDesigner()
{
    const auto panel = [this] { return main->sbrMain()->panelText(QStringLiteral("dbn")); };
    const int16_t served = addType(QStringLiteral("发货单"), QStringLiteral("QPSQL"));
    addType(QStringLiteral("手工单"));
    QCOMPARE(panel(), QStringLiteral("None"));

    dialogs->modalScripts.push_back(in(QStringLiteral("发货单"), typing(QStringLiteral("甲"))));
    main->OpenBill(true);
    mFrm_Bill *first = main->gActiveBill();
    QVERIFY(first);
    QCOMPARE(panel(), ServerSource);
    dialogs->modalScripts.push_back(in(QStringLiteral("手工单"), typing(QStringLiteral("乙"))));
    main->OpenBill(true);
    QCOMPARE(panel(), QStringLiteral("None"));
    main->workspace()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(first->parentWidget()));
    QTRY_COMPARE(panel(), ServerSource);

    // Changed in the store: shown once the session takes the types up again.
    Category moved = other()->categories().at(1);
    QCOMPARE(moved.id, served);
    moved.host = QStringLiteral("db2");
    other()->saveCategory(moved);
    QCOMPARE(panel(), ServerSource);
    main->InitSystem();
    QCOMPARE(panel(), QStringLiteral("QPSQL:clerk@db2:5432/erp"));

    fillTemplate(first->record(), 2, QStringLiteral("甲"));
    dialogs->modalScripts.push_back(in(QStringLiteral("手工单"), typing(QStringLiteral("丙"))));
    main->SaveActive(true);
    QCOMPARE(first->mScreenID(), other()->categories().at(2).id);
    QCOMPARE(panel(), QStringLiteral("None"));

    for (mFrm_Bill *bill : main->designers()) {
        bill->setMChanged(false);
        bill->Unload();
    }
    QTRY_COMPARE(windowCount(), 0);
    QCOMPARE(panel(), QStringLiteral("None"));
}

void TestCatalogue::previewReadsTheStoresTypeWithoutOptions_data()
{
    QTest::addColumn<bool>("reachable");
    QTest::addColumn<QStringList>("said");
    QTest::newRow("source at hand") << true << QStringList();
    QTest::newRow("file gone") << false << QStringList{"发货单", "数据库文件不存在"};
}

// A fresh session previews a template of a type with a data source before
// anyone opened the options; a source that is gone is named, and the
// template stays as it was.
void TestCatalogue::previewReadsTheStoresTypeWithoutOptions()
{
    QFETCH(bool, reachable);
    QFETCH(QStringList, said);
    const int16_t type = addType(QStringLiteral("发货单"), QStringLiteral("QSQLITE"));
    if (!reachable) {
        Category gone = other()->categories().at(1);
        gone.databaseName = m_dir->filePath(QStringLiteral("gone.sqlite"));
        other()->saveCategory(gone);
    }
    {
        BillTemplate bill;
        fillTemplate(bill, 2, QStringLiteral("发货单"));
        bill.Caption = QStringLiteral("发货单");
        bill.mScreenID = type;
        bill.mrowcount = 10;
        auto detail = bill.mObjs.Item(ObjDraw::KeyOf(1001));
        detail->setIsFix(false);
        detail->setIsScroll(true);
        detail->ObjCtl()->setTag(FieldVocabulary::DetailCode(QStringLiteral("行号")));
        QCOMPARE(other()->save(bill), SaveResult::Saved);
    }
    DocumentTypes::setTypes({});
    dialogs->modalScripts.push_back(in(QStringLiteral("发货单"), choosing(QStringLiteral("发货单"))));
    main->OpenBill(false);
    mFrm_Bill *shown = main->gActiveBill();
    QVERIFY(shown);
    QCOMPARE(main->sbrMain()->panelText(QStringLiteral("dbn")),
             reachable ? QStringLiteral("QSQLITE:demo.sqlite") : QStringLiteral("QSQLITE:gone.sqlite"));

    QString pages;
    dialogs->inputAnswers = {QString::number(DemoDatabase::LongBillNo)};
    dialogs->modalScripts.push_back([&](QDialog &dialog) {
        pages = dynamic_cast<frm_BillPreView &>(dialog).labPage->text();
        return 0;
    });
    shown->PreView();
    if (reachable) {
        QVERIFY2(dialogs->messages().isEmpty(), qPrintable(dialogs->messages().join(QLatin1Char('\n'))));
        QCOMPARE(pages, QStringLiteral("第 1 页/共 5 页"));
        return;
    }
    QCOMPARE(dialogs->messages().size(), qsizetype(1));
    for (const QString &part : said)
        QVERIFY2(dialogs->messages().front().contains(part), qPrintable(dialogs->messages().front()));
    QVERIFY(pages.isEmpty());
    QCOMPARE(shown->mObjs().Count(), 2);
    QVERIFY(!shown->mChanged());
    QVERIFY(!QFileInfo::exists(m_dir->filePath(QStringLiteral("gone.sqlite"))));
}

QTEST_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
