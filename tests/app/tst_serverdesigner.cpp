#include "tests/documents/PostgresCluster.h"
#include "tests/store/StoreFixtures.h"

#include "app/mFrm_Main.h"
#include "app/StoreChoice.h"
#include "app/mFrm_Select.h"
#include "app/mfrm_Option.h"

#include "designer/mFrm_Bill.h"

#include "documents/DemoDatabase.h"
#include "documents/PasswordVault.h"

#include "platform/AppSetup.h"
#include "platform/FakeDialogs.h"
#include "platform/Platform.h"
#include "platform/Screen.h"
#include "platform/SettingsStore.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

using Script = std::function<int(QDialog &)>;

// The selection dialog with a name typed or chosen, as a clerk does it.
Script naming(const QString &name, bool choose)
{
    return [name, choose](QDialog &dialog) {
        auto &s = dynamic_cast<mFrm_Select &>(dialog);
        if (choose)
            s.CmbName->setCurrentIndex(s.CmbName->findText(name));
        else
            s.CmbName->setEditText(name);
        s.CmdOk->click();
        return s.result();
    };
}

const QString Saved = QStringLiteral("保存成功！");

} // namespace

// The designer on a catalogue kept on a PostgreSQL server the test starts.
class TestServerDesigner : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void catalogueFlowAndAnotherClerk();
    void serverStoppedUnderAnOpenDesigner();
    void optionsMoveTheCatalogueToTheServer();

private:
    StoreLocation location() const;
    mFrm_Bill *newBill(const QString &name, int objects);

    PostgresCluster m_cluster;
    QTemporaryDir m_dir;
    FakeDialogs *m_dialogs = nullptr;
    std::unique_ptr<mFrm_Main> m_main;
    int m_databases = 0;
    QString m_database;
};

void TestServerDesigner::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    AppSetup::installFontSubstitutions();
    Screen::setTwipsPerPixel(15, 15);
    QVERIFY(m_dir.isValid());
    DemoDatabase::setPath(m_dir.filePath(QStringLiteral("demo.sqlite")));
    const QString failure = m_cluster.start();
    if (!failure.isEmpty()) {
        if (qEnvironmentVariableIsSet("CI"))
            QFAIL(qPrintable(failure));
        QSKIP(qPrintable(failure));
    }
}

void TestServerDesigner::init()
{
    m_dialogs = &Platform::installFakes();
    PasswordVault::clear();
    m_database = QStringLiteral("designer%1").arg(++m_databases);
    QVERIFY(m_cluster.exec(QStringLiteral("postgres"), {QStringLiteral("CREATE DATABASE ") + m_database})
                .isEmpty());
    m_main = std::make_unique<mFrm_Main>();
    StoreLocation where = location();
    where.password.clear();
    m_main->catalogue().setLocation(where);
    m_main->resize(1000, 800);
    m_main->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
}

void TestServerDesigner::cleanup()
{
    m_main.reset();
    if (!m_cluster.isRunning())
        QVERIFY(m_cluster.startAgain().isEmpty());
}

StoreLocation TestServerDesigner::location() const
{
    StoreLocation where = StoreLocation::server(m_cluster.socketDir(), PostgresCluster::Port,
                                                m_database, PostgresCluster::User);
    where.password = PostgresCluster::Password;
    return where;
}

mFrm_Bill *TestServerDesigner::newBill(const QString &name, int objects)
{
    m_dialogs->modalScripts.push_back(naming(name, false));
    m_main->OpenBill(true);
    mFrm_Bill *bill = m_main->gActiveBill();
    if (bill) {
        fillTemplate(bill->record(), objects, name);
        bill->setMChanged(true);
    }
    return bill;
}

// New, save, open again, save as, delete: on the server, the password
// asked once; a second clerk's save makes the first one's a conflict.
void TestServerDesigner::catalogueFlowAndAnotherClerk()
{
    m_dialogs->passwordAnswers.push_back(PostgresCluster::Password);
    mFrm_Bill *bill = newBill(QStringLiteral("入库单"), 6);
    QVERIFY(bill);
    QVERIFY(m_main->SaveBill(*bill));
    QCOMPARE(m_dialogs->messages().last(), Saved);
    const int16_t id = bill->mID();
    QVERIFY(id > 0);
    m_main->CloseActive();
    QTRY_VERIFY(m_main->designers().isEmpty());

    m_dialogs->modalScripts.push_back(naming(QStringLiteral("入库单"), true));
    m_main->OpenBill(false);
    bill = m_main->gActiveBill();
    QVERIFY(bill);
    QCOMPARE(bill->mID(), id);
    QCOMPARE(bill->mObjs().Count(), 6);

    {
        TemplateStore other(location());
        BillTemplate theirs;
        other.load(id, theirs);
        QCOMPARE(other.save(theirs), SaveResult::Saved);
    }
    bill->setMChanged(true);
    m_dialogs->msgAnswers.push_back(MsgResult::Yes);
    m_dialogs->modalScripts.push_back(naming(QStringLiteral("入库单（我的）"), false));
    QVERIFY(m_main->SaveBill(*bill));
    const QStringList said = m_dialogs->messages();
    QVERIFY2(said.join(QLatin1Char('\n')).contains(QStringLiteral("在您打开之后已在别处修改并保存过（")),
             qPrintable(said.join(QLatin1Char('\n'))));
    QCOMPARE(said.last(), Saved);
    QVERIFY(bill->mID() != id);
    // Asked once for the whole session.
    int asked = 0;
    for (const auto &shown : m_dialogs->shown)
        asked += shown.kind == QLatin1String("PasswordBox");
    QCOMPARE(asked, 1);
}

// The server stops while a template is open: nothing of the window is
// lost, the save says the server cannot be reached and the window stays
// unsaved; once the server is back the next save lands.
void TestServerDesigner::serverStoppedUnderAnOpenDesigner()
{
    m_dialogs->passwordAnswers.push_back(PostgresCluster::Password);
    mFrm_Bill *bill = newBill(QStringLiteral("出库单"), 9);
    QVERIFY(m_main->SaveBill(*bill));
    bill->record().mObjs.Item(2)->ObjCtl()->setCaption(QStringLiteral("停机时改的"));
    bill->setMChanged(true);

    m_cluster.stop();
    m_dialogs->shown.clear();
    QVERIFY(!m_main->SaveBill(*bill));
    QCOMPARE(m_dialogs->messages().size(), 1);
    QVERIFY2(m_dialogs->messages().front().contains(QStringLiteral("无法连接模板服务器")),
             qPrintable(m_dialogs->messages().front()));
    QVERIFY(bill->mChanged());
    QCOMPARE(bill->mObjs().Count(), 9);
    QCOMPARE(bill->record().mObjs.Item(2)->ObjCtl()->Caption(), QStringLiteral("停机时改的"));

    QVERIFY(m_cluster.startAgain().isEmpty());
    QVERIFY(m_main->SaveBill(*bill));
    QCOMPARE(m_dialogs->messages().last(), Saved);
    QVERIFY(!bill->mChanged());
    TemplateStore other(location());
    BillTemplate stored;
    other.load(bill->mID(), stored);
    QCOMPARE(stored.mObjs.Item(2)->ObjCtl()->Caption(), QStringLiteral("停机时改的"));
}

// 工具 > 系统选项: the server chosen, this machine's templates copied to it
// (twice: nothing added the second time), OK: the catalogue is the
// server's from now on, kept in the settings without the password. With a
// template open the switch waits.
void TestServerDesigner::optionsMoveTheCatalogueToTheServer()
{
    const QString file = m_dir.filePath(QStringLiteral("mine-%1.sqlite").arg(m_databases));
    {
        TemplateStore mine(file);
        BillTemplate bill;
        fillTemplate(bill, 5, QStringLiteral("本机"));
        bill.Caption = QStringLiteral("本机的单据");
        mine.save(bill);
    }
    m_main->catalogue().setPath(file);
    const auto chooseServer = [this](mfrm_Option &options) {
        StoreChoice &choice = options.storeChoice();
        choice.OptServer->click();
        choice.TxtHost->setText(m_cluster.socketDir());
        choice.TxtPort->setValue(PostgresCluster::Port);
        choice.TxtDatabase->setText(m_database);
        choice.TxtUser->setText(PostgresCluster::User);
    };
    const auto options = [&](bool copy, bool ok) {
        m_dialogs->modalScripts.push_back([=](QDialog &dialog) {
            auto &o = dynamic_cast<mfrm_Option &>(dialog);
            chooseServer(o);
            if (copy) {
                o.storeChoice().CmdCopy->click();
                o.storeChoice().CmdCopy->click();
            }
            (ok ? o.CmdOK : o.CmdCancel)->click();
            return o.result();
        });
        m_main->ShowOptions();
    };
    // A template open: the switch is refused, and said.
    m_dialogs->modalScripts.push_back(naming(QStringLiteral("本机的单据"), true));
    m_main->OpenBill(false);
    QVERIFY(m_main->gActiveBill());
    m_dialogs->passwordAnswers.push_back(PostgresCluster::Password);
    options(true, true);
    QStringList said = m_dialogs->messages();
    QCOMPARE(said.size(), 3);
    QCOMPARE(said[0], QStringLiteral("已复制 0 个单据类别、1 张单据模板到服务器。"));
    QCOMPARE(said[1], QStringLiteral("已复制 0 个单据类别、0 张单据模板到服务器。\n"
                                     "服务器上已有同名的，未覆盖：\n类别“演示数据”中的“本机的单据”"));
    QVERIFY2(said[2].contains(QStringLiteral("请先关闭所有单据窗口")), qPrintable(said[2]));
    QCOMPARE(m_main->catalogue().location().toString(), file);

    m_main->CloseActive();
    QTRY_VERIFY(m_main->designers().isEmpty());
    m_dialogs->shown.clear();
    options(false, true);
    QVERIFY(m_dialogs->messages().isEmpty());
    const QString kept = Platform::settings().GetSetting(mFrm_Main::AppTitle(), "Store", "Location", {});
    QCOMPARE(kept, location().toString());
    QVERIFY(!kept.contains(PostgresCluster::Password));
    QVERIFY(m_main->catalogue().location().isServer());
    // The list now comes from the server, with the password of the session.
    m_dialogs->modalScripts.push_back(naming(QStringLiteral("本机的单据"), true));
    m_main->OpenBill(false);
    QVERIFY(m_main->gActiveBill());
    QCOMPARE(m_main->gActiveBill()->mObjs().Count(), 5);
    QVERIFY(m_main->catalogue().store().location().isServer());
}

QTEST_MAIN(TestServerDesigner)
#include "tst_serverdesigner.moc"
