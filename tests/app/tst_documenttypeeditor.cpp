#include "app/DocumentTypeCatalog.h"
#include "app/DocumentTypeEditor.h"

#include "documents/DemoDatabase.h"
#include "documents/DocumentTypes.h"
#include "model/BillTemplate.h"
#include "platform/Element.h"
#include "platform/ElementArray.h"
#include "platform/FakeDialogs.h"
#include "platform/Platform.h"
#include "store/TemplateStore.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

template<typename T>
T &field(const QWidget &editor, const char *name)
{
    T *found = editor.findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("no element %s", name);
    return *found;
}

QStringList itemsOf(const QComboBox &box)
{
    QStringList items;
    for (int i = 0; i < box.count(); ++i)
        items << box.itemText(i);
    return items;
}

} // namespace

class TestDocumentTypeEditor : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void listsTypesAndShowsTheDemonstration();
    void addEditAndStoreAType();
    void testReportsSuccessOrTheDriversError_data();
    void testReportsSuccessOrTheDriversError();
    void savingRefusesWhatCannotRead_data();
    void savingRefusesWhatCannotRead();
    void removeAsksAndKeepsTypesInUse();
    void defaultMarkWaitsForOk();
    void statusBarNamesTheDataSource();

private:
    void select(const QString &name);

    QTemporaryDir m_dir;
    FakeDialogs *m_dialogs = nullptr;
    std::unique_ptr<TemplateStore> m_store;
    std::unique_ptr<QWidget> m_host;
    QComboBox *m_system = nullptr;
    QCheckBox *m_defMode = nullptr;
    DocumentTypeEditor *m_editor = nullptr;
};

void TestDocumentTypeEditor::initTestCase()
{
    QVERIFY(m_dir.isValid());
    DemoDatabase::setPath(m_dir.filePath(QStringLiteral("demo.sqlite")));
}

// The editor inside a host that holds the options dialog's two elements.
void TestDocumentTypeEditor::init()
{
    m_dialogs = &Platform::installFakes();
    QFile::remove(m_dir.filePath(QStringLiteral("templates.sqlite")));
    m_store = std::make_unique<TemplateStore>(m_dir.filePath(QStringLiteral("templates.sqlite")));
    DocumentTypeCatalog::publish(*m_store);
    m_host = std::make_unique<QWidget>();
    m_system = new QComboBox(m_host.get());
    m_system->setObjectName(QStringLiteral("CmbSystem"));
    m_defMode = new QCheckBox(QStringLiteral("默认系统(&D)"), m_host.get());
    m_defMode->setObjectName(QStringLiteral("ChkDefMode"));
    m_editor = new DocumentTypeEditor(*m_store, *m_system, *m_defMode, m_host.get());
    m_editor->reload();
}

void TestDocumentTypeEditor::cleanup()
{
    m_host.reset();
    m_store.reset();
}

void TestDocumentTypeEditor::select(const QString &name)
{
    m_system->setCurrentIndex(m_system->findText(name));
}

void TestDocumentTypeEditor::listsTypesAndShowsTheDemonstration()
{
    QCOMPARE(itemsOf(*m_system), QStringList{"演示数据"});
    QCOMPARE(m_system->currentData().toInt(), 0);
    QVERIFY(m_defMode->isChecked());
    QCOMPARE(field<QComboBox>(*m_editor, "CmbDriver").currentText(), QStringLiteral("QSQLITE"));
    QCOMPARE(field<QLineEdit>(*m_editor, "TxtDatabase").text(), DemoDatabase::path());
    QVERIFY(!field<QLineEdit>(*m_editor, "TxtTypeName").isEnabled());
    QVERIFY(!field<QPushButton>(*m_editor, "CmdSave").isEnabled());
    QVERIFY(!field<QPushButton>(*m_editor, "CmdRemove").isEnabled());
    QVERIFY(field<QPushButton>(*m_editor, "CmdTest").isEnabled());
}

void TestDocumentTypeEditor::addEditAndStoreAType()
{
    m_dialogs->inputAnswers = {QStringLiteral("  发货单 ")};
    QTest::mouseClick(&field<QPushButton>(*m_editor, "CmdNew"), Qt::LeftButton);
    QCOMPARE(itemsOf(*m_system), QStringList({"演示数据", "发货单"}));
    QCOMPARE(m_system->currentText(), QStringLiteral("发货单"));
    QVERIFY(!m_defMode->isChecked());
    field<QComboBox>(*m_editor, "CmbDriver").setCurrentText(QStringLiteral("QPSQL"));
    field<QLineEdit>(*m_editor, "TxtDatabase").setText(QStringLiteral("erp"));
    field<QLineEdit>(*m_editor, "TxtHost").setText(QStringLiteral("/run/postgresql"));
    field<QLineEdit>(*m_editor, "TxtPort").setText(QStringLiteral("5433"));
    field<QLineEdit>(*m_editor, "TxtUser").setText(QStringLiteral("clerk"));
    field<QPlainTextEdit>(*m_editor, "TxtHeaderQuery").setPlainText(QStringLiteral("SELECT :BillNo AS a"));
    field<QPlainTextEdit>(*m_editor, "TxtDetailQuery")
        .setPlainText(QStringLiteral("SELECT b FROM t WHERE n = :BillNo"));
    field<QLineEdit>(*m_editor, "TxtTimeout").setText(QStringLiteral("１２０"));
    QTest::mouseClick(&field<QPushButton>(*m_editor, "CmdSave"), Qt::LeftButton);
    QCOMPARE(m_dialogs->messages().last(), QStringLiteral("保存成功！"));
    const Category stored = m_store->categories().at(1);
    QCOMPARE(stored.name, QStringLiteral("发货单"));
    QCOMPARE(stored.driver, QStringLiteral("QPSQL"));
    QCOMPARE(stored.port, 5433);
    QCOMPARE(stored.user, QStringLiteral("clerk"));
    QCOMPARE(stored.headerQuery, QStringLiteral("SELECT :BillNo AS a"));
    QCOMPARE(stored.statementTimeout, 120);
    // The session's print runs see the stored type at once.
    const std::optional<DocumentType> published = DocumentTypes::find(stored.id);
    QVERIFY(published);
    QCOMPARE(published->source.host, QStringLiteral("/run/postgresql"));
    QCOMPARE(published->timeoutSeconds, 120);

    // A name another type has is refused, and nothing changes.
    field<QLineEdit>(*m_editor, "TxtTypeName").setText(QStringLiteral("演示数据"));
    QTest::mouseClick(&field<QPushButton>(*m_editor, "CmdSave"), Qt::LeftButton);
    QVERIFY(m_dialogs->messages().last().startsWith(QStringLiteral("保存单据类别失败")));
    QCOMPARE(m_store->categories().at(1).name, QStringLiteral("发货单"));
}

void TestDocumentTypeEditor::testReportsSuccessOrTheDriversError_data()
{
    QTest::addColumn<QString>("database");
    QTest::addColumn<QString>("header");
    QTest::addColumn<QString>("shown");
    QTest::newRow("working source") << "<demo>" << DemoDatabase::headerQuery() << "连接成功";
    QTest::newRow("missing file") << "none.sqlite" << DemoDatabase::headerQuery() << "数据库文件不存在";
    QTest::newRow("bad query") << "<demo>" << "SELECT * FROM Nowhere WHERE n = :BillNo" << "Nowhere";
    QTest::newRow("a query without the number") << "<demo>" << "SELECT * FROM Bills"
                                                << "表头查询缺少参数 :BillNo";
    QTest::newRow("not a query") << "<demo>" << "DELETE FROM Bills WHERE BillNo = :BillNo"
                                 << "表头查询必须是一条 SELECT 查询";
}

// The fields are tested as they stand, before they are stored.
void TestDocumentTypeEditor::testReportsSuccessOrTheDriversError()
{
    QFETCH(QString, database);
    QFETCH(QString, header);
    QFETCH(QString, shown);
    DemoDatabase::ensure(DemoDatabase::path());
    m_dialogs->inputAnswers = {QStringLiteral("发货单")};
    m_editor->CmdNew_Click();
    field<QLineEdit>(*m_editor, "TxtDatabase")
        .setText(database == QLatin1String("<demo>") ? DemoDatabase::path() : m_dir.filePath(database));
    field<QPlainTextEdit>(*m_editor, "TxtHeaderQuery").setPlainText(header);
    field<QPlainTextEdit>(*m_editor, "TxtDetailQuery").setPlainText(DemoDatabase::detailQuery());
    QTest::mouseClick(&field<QPushButton>(*m_editor, "CmdTest"), Qt::LeftButton);
    QVERIFY2(m_dialogs->messages().last().contains(shown), qPrintable(m_dialogs->messages().last()));
    QCOMPARE(m_dialogs->lastMessage()->title, QStringLiteral("发货单"));
    QVERIFY(m_store->categories().at(1).headerQuery.isEmpty());
    QVERIFY(!QFileInfo::exists(m_dir.filePath(QStringLiteral("none.sqlite"))));
}

void TestDocumentTypeEditor::savingRefusesWhatCannotRead_data()
{
    QTest::addColumn<QString>("header");
    QTest::addColumn<QString>("detail");
    QTest::addColumn<QString>("timeout");
    QTest::addColumn<QString>("said");
    QTest::addColumn<QString>("focus");
    const QString header = DemoDatabase::headerQuery();
    const QString detail = DemoDatabase::detailQuery();
    QTest::newRow("header query without :BillNo")
        << "SELECT Customer AS 客户 FROM Bills" << detail << "30" << "表头查询缺少参数 :BillNo"
        << "TxtHeaderQuery";
    QTest::newRow("detail query without :BillNo")
        << header << "SELECT Item AS 品名 FROM BillLines ORDER BY LineNo" << "30"
        << "明细查询缺少参数 :BillNo" << "TxtDetailQuery";
    QTest::newRow("no time to read") << header << detail << "0" << "查询时限必须在 1 到 3600 秒之间"
                                     << "TxtTimeout";
}

// Refused with the reason, the cursor where it is, and the stored type as
// it was.
void TestDocumentTypeEditor::savingRefusesWhatCannotRead()
{
    QFETCH(QString, header);
    QFETCH(QString, detail);
    QFETCH(QString, timeout);
    QFETCH(QString, said);
    QFETCH(QString, focus);
    m_host->show();
    m_host->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_host.get()));
    m_dialogs->inputAnswers = {QStringLiteral("发货单")};
    m_editor->CmdNew_Click();
    const Category before = m_store->categories().at(1);
    field<QLineEdit>(*m_editor, "TxtDatabase").setText(DemoDatabase::path());
    field<QPlainTextEdit>(*m_editor, "TxtHeaderQuery").setPlainText(header);
    field<QPlainTextEdit>(*m_editor, "TxtDetailQuery").setPlainText(detail);
    field<QLineEdit>(*m_editor, "TxtTimeout").setText(timeout);
    m_dialogs->shown.clear();
    QTest::mouseClick(&field<QPushButton>(*m_editor, "CmdSave"), Qt::LeftButton);
    QCOMPARE(m_dialogs->messages().size(), 1);
    QVERIFY2(m_dialogs->messages().front().contains(said), qPrintable(m_dialogs->messages().front()));
    QCOMPARE(m_store->categories().at(1), before);
    QCOMPARE(QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(), focus);
}

void TestDocumentTypeEditor::removeAsksAndKeepsTypesInUse()
{
    m_dialogs->inputAnswers = {QStringLiteral("发货单"), QStringLiteral("退货单")};
    m_editor->CmdNew_Click();
    m_editor->CmdNew_Click();
    BillTemplate bill;
    Element &e = bill.mObjs.page().ObjText().Load(1001);
    e.setVisible(true);
    bill.mObjs.LinkCtl(e.Index(), ObjDraw::Text, &e, ObjDraw::Created);
    bill.Caption = QStringLiteral("发货单模板");
    bill.mScreenID = int16_t(m_store->categories().at(1).id);
    QCOMPARE(m_store->save(bill), SaveResult::Saved);

    select(QStringLiteral("退货单"));
    m_dialogs->msgAnswers = {MsgResult::No};
    m_editor->CmdRemove_Click();
    QCOMPARE(m_store->categories().size(), 3);
    m_dialogs->msgAnswers = {MsgResult::Yes};
    m_editor->CmdRemove_Click();
    QCOMPARE(itemsOf(*m_system), QStringList({"演示数据", "发货单"}));

    select(QStringLiteral("发货单"));
    m_dialogs->msgAnswers = {MsgResult::Yes};
    m_editor->CmdRemove_Click();
    QVERIFY(m_dialogs->messages().last().contains(QStringLiteral("还有单据模板")));
    QCOMPARE(itemsOf(*m_system), QStringList({"演示数据", "发货单"}));
}

void TestDocumentTypeEditor::defaultMarkWaitsForOk()
{
    m_dialogs->inputAnswers = {QStringLiteral("发货单")};
    m_editor->CmdNew_Click();
    const int16_t id = m_store->categories().at(1).id;
    QTest::mouseClick(m_defMode, Qt::LeftButton);
    QCOMPARE(m_editor->pendingDefault(), id);
    QCOMPARE(m_store->defaultCategory(), int16_t(0));
    // The mark follows the chosen type in the list.
    select(QStringLiteral("演示数据"));
    QVERIFY(!m_defMode->isChecked());
    select(QStringLiteral("发货单"));
    QVERIFY(m_defMode->isChecked());
    m_editor->apply();
    QCOMPARE(m_store->defaultCategory(), id);
    // Unticking the default gives new templates back to the demonstration.
    QTest::mouseClick(m_defMode, Qt::LeftButton);
    QCOMPARE(m_editor->pendingDefault(), int16_t(0));
    m_editor->reload();
    QCOMPARE(m_system->currentText(), QStringLiteral("发货单"));
    QVERIFY(m_defMode->isChecked());
}

void TestDocumentTypeEditor::statusBarNamesTheDataSource()
{
    QCOMPARE(DocumentTypeCatalog::dataSourceText(0), QStringLiteral("QSQLITE:demo.sqlite"));
    Category noSource;
    noSource.id = -1;
    noSource.name = QStringLiteral("手工单");
    const int16_t manual = m_store->saveCategory(noSource);
    Category server = noSource;
    server.name = QStringLiteral("发货单");
    server.driver = QStringLiteral("QPSQL");
    server.host = QStringLiteral("db1");
    server.port = 5432;
    server.user = QStringLiteral("clerk");
    server.databaseName = QStringLiteral("erp");
    const int16_t served = m_store->saveCategory(server);
    DocumentTypeCatalog::publish(*m_store);
    QCOMPARE(DocumentTypeCatalog::dataSourceText(manual), QStringLiteral("None"));
    QCOMPARE(DocumentTypeCatalog::dataSourceText(served), QStringLiteral("QPSQL:clerk@db1:5432/erp"));
    QCOMPARE(DocumentTypeCatalog::dataSourceText(99), QStringLiteral("None"));
}

QTEST_MAIN(TestDocumentTypeEditor)
#include "tst_documenttypeeditor.moc"
