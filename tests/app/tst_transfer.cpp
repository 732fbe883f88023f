#include "BatchFixtures.h"

#include "tests/print/PdfReadBack.h"
#include "tests/store/StoreFixtures.h"

#include "app/mFrm_Main.h"

#include "designer/ShellNames.h"
#include "designer/mFrm_Bill.h"

#include "store/TemplateFile.h"
#include "store/TemplateStore.h"

#include "platform/AppSetup.h"
#include "platform/FakeDialogs.h"
#include "platform/Platform.h"
#include "platform/Screen.h"

#include <QAction>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSqlError>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Words of a PDF with their place, to a tenth of a point.
QStringList wordsOf(const QString &pdf)
{
    QStringList words;
    int page = 0;
    for (const PdfPage &p : readBack(pdf)) {
        ++page;
        for (const Word &w : p.words)
            words << QStringLiteral("%1 %2 (%3, %4)-(%5, %6)")
                         .arg(page)
                         .arg(w.text)
                         .arg(w.xMin, 0, 'f', 1)
                         .arg(w.yMin, 0, 'f', 1)
                         .arg(w.xMax, 0, 'f', 1)
                         .arg(w.yMax, 0, 'f', 1);
    }
    return words;
}

} // namespace

class TestTransfer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void exportedAndImportedPrintsTheSamePdf();
    void programRefusesANewerFile_data();
    void programRefusesANewerFile();
    void menuExportsAndImports();

private:
    // Runs the program; its exit status, what it said in err.
    int program(const QStringList &arguments, QString *err = nullptr);
    QString file(const QString &name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
    QString m_store;
};

void TestTransfer::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    AppSetup::installFontSubstitutions();
    Screen::setTwipsPerPixel(15, 15);
    QVERIFY(m_dir.isValid());
    m_store = file(QStringLiteral("mine.sqlite"));
    TemplateStore store(m_store);
    BillTemplate bill;
    bill.mrowcount = 5;
    bill.mRowHeight = 300;
    bill.mObjs.page().setWidth(11906);
    bill.mObjs.page().setHeight(8000);
    addField(bill, 1000, FieldVocabulary::HeaderCode(QStringLiteral("客户")), false);
    addField(bill, 3000, FieldVocabulary::DetailCode(QStringLiteral("品名")), true);
    ::addText(bill.mObjs, 7000, 600, 3000, 300)->ObjCtl()->setCaption(QStringLiteral("发货单"));
    ::addLine(bill.mObjs, 500, 2800, 11000, 2800);
    ::addPicture(bill.mObjs, 9000, 5000, bmpBytes(Qt::darkCyan));
    bill.mOffsetLeft = 170;
    bill.Caption = QStringLiteral("发货单");
    QCOMPARE(store.save(bill), SaveResult::Saved);
}

void TestTransfer::init()
{
    Platform::installFakes();
}

int TestTransfer::program(const QStringList &arguments, QString *err)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), file(QStringLiteral("data")));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), file(QStringLiteral("config")));
    QProcess run;
    run.setProcessEnvironment(environment);
    run.start(QStringLiteral(TAVREL_EXE), arguments);
    if (!run.waitForFinished(60000))
        return -1;
    if (err)
        *err = QString::fromLocal8Bit(run.readAllStandardError());
    return run.exitStatus() == QProcess::NormalExit ? run.exitCode() : -2;
}

// Exported from one store and imported into another by the program, the
// template prints the same words at the same places.
void TestTransfer::exportedAndImportedPrintsTheSamePdf()
{
    const QString sent = file(QStringLiteral("发货单.tavrel"));
    const QString theirs = file(QStringLiteral("theirs.sqlite"));
    QString said;
    QCOMPARE(program({"--export", "发货单", sent, "--store", m_store}, &said), 0);
    QVERIFY2(said.contains(QStringLiteral("已导出")), qPrintable(said));
    QCOMPARE(program({"--import", sent, "--store", theirs}, &said), 0);
    QVERIFY2(said.contains(QStringLiteral("已导入“发货单”到类别“演示数据”")), qPrintable(said));

    const QString before = file(QStringLiteral("before.pdf"));
    const QString after = file(QStringLiteral("after.pdf"));
    for (const auto &[store, pdf] : {std::pair{m_store, before}, std::pair{theirs, after}}) {
        QCOMPARE(program({"--template", "发货单", "--bills", "1001-1002", "--pdf", pdf, "--store",
                          store},
                         &said),
                 0);
    }
    const QStringList words = wordsOf(before);
    QVERIFY2(words.size() > 4, qPrintable(words.join(QLatin1Char('\n'))));
    QVERIFY(words.join(QLatin1Char('\n')).contains(QStringLiteral("发货单")));
    QCOMPARE(wordsOf(after), words);
}

void TestTransfer::programRefusesANewerFile_data()
{
    QTest::addColumn<QString>("sabotage");
    QTest::newRow("newer schema")
        << "UPDATE StoreInfo SET Value = Value + 1 WHERE Name = 'SchemaVersion'";
    QTest::newRow("newer file format") << "UPDATE StoreInfo SET Value = 9 WHERE Name = 'TemplateFile'";
}

void TestTransfer::programRefusesANewerFile()
{
    QFETCH(QString, sabotage);
    const QString sent = file(QStringLiteral("newer.tavrel"));
    QFile::remove(sent);
    QCOMPARE(program({"--export", "发货单", sent, "--store", m_store}), 0);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "newer");
        db.setDatabaseName(sent);
        QVERIFY(db.open());
        QSqlQuery query(db);
        QVERIFY2(query.exec(sabotage), qPrintable(query.lastError().text()));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("newer"));
    const QString into = file(QStringLiteral("into-%1.sqlite").arg(QTest::currentDataTag()));
    QString said;
    QCOMPARE(program({"--import", sent, "--store", into}, &said), 2);
    QVERIFY2(said.contains(QStringLiteral("这个模板文件由较新版本的程序导出，本程序无法读取")),
             qPrintable(said));
    QCOMPARE(TemplateStore(into).templates(0).size(), 0);
}

// 文件 > 导入 opens the file's template in a window of its own; 文件 > 导出
// writes what the active window shows.
void TestTransfer::menuExportsAndImports()
{
    FakeDialogs &dialogs = Platform::installFakes();
    const QString sent = file(QStringLiteral("menu.tavrel"));
    {
        TemplateStore store(m_store);
        TemplateFile::exportTemplate(store, 1, sent);
    }
    mFrm_Main main;
    main.catalogue().setPath(file(QStringLiteral("menu.sqlite")));
    main.resize(1000, 800);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    dialogs.fileAnswers.push_back(sent);
    main.action(MenuItem::FileImport)->trigger();
    mFrm_Bill *bill = main.gActiveBill();
    QVERIFY(bill);
    QCOMPARE(bill->Caption(), QStringLiteral("发货单"));
    QCOMPARE(bill->mObjs().Count(), 5);
    QVERIFY(bill->mID() > 0);
    QVERIFY(!bill->mChanged());

    bill->record().mObjs.Item(3)->ObjCtl()->setCaption(QStringLiteral("未保存的改动"));
    const QString again = file(QStringLiteral("again"));
    dialogs.fileAnswers.push_back(again);
    main.action(MenuItem::FileExport)->trigger();
    QCOMPARE(dialogs.messages().last(),
             QStringLiteral("已导出到 %1").arg(again + QStringLiteral(".tavrel")));
    BillTemplate back;
    const TemplateFile::Imported imported
        = TemplateFile::read(again + QStringLiteral(".tavrel"), back);
    QCOMPARE(imported.categoryName, QStringLiteral("演示数据"));
    QCOMPARE(back.mObjs.Item(3)->ObjCtl()->Caption(), QStringLiteral("未保存的改动"));

    // A file that is no template: said, and nothing opens.
    const int windows = int(main.designers().size());
    dialogs.fileAnswers.push_back(m_store);
    main.action(MenuItem::FileImport)->trigger();
    QVERIFY(dialogs.messages().last().startsWith(QStringLiteral("导入失败！")));
    QCOMPARE(int(main.designers().size()), windows);
}

QTEST_MAIN(TestTransfer)
#include "tst_transfer.moc"
