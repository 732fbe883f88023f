// A slow document read never freezes the designer: a progress dialog with
// 取消 shows while it reads, cancelling ends the run without a word, and a
// read past the type's time limit ends with a message naming the category
// and the reason.

#include "PrintFixtures.h"

#include "print/FieldVocabulary.h"
#include "print/Mod_Print.h"

#include "documents/DemoDatabase.h"
#include "documents/DocumentTypes.h"
#include "platform/FakeDialogs.h"
#include "platform/Platform.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

constexpr int16_t SlowType = 8;

// Counting to a billion takes SQLite minutes.
const QString SlowHeader = QStringLiteral(
    "WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c WHERE x < 1000000000)"
    " SELECT max(x) AS 客户 FROM c WHERE :BillNo > 0");

} // namespace

class TestPrintReading : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void slowReadShowsACancellableProgress_data();
    void slowReadShowsACancellableProgress();

private:
    QTemporaryDir m_dir;
};

void TestPrintReading::initTestCase()
{
    QVERIFY(m_dir.isValid());
    DemoDatabase::setPath(m_dir.filePath(QStringLiteral("demo.sqlite")));
}

void TestPrintReading::slowReadShowsACancellableProgress_data()
{
    QTest::addColumn<bool>("cancel");
    QTest::newRow("cancelled by the user") << true;
    QTest::newRow("given up after its time limit") << false;
}

void TestPrintReading::slowReadShowsACancellableProgress()
{
    QFETCH(bool, cancel);
    FakeDialogs &dialogs = Platform::installFakes();
    DocumentType slow = DemoDatabase::documentType();
    slow.id = SlowType;
    slow.name = QStringLiteral("慢单据");
    slow.headerQuery = SlowHeader;
    slow.timeoutSeconds = cancel ? 60 : 1;
    DocumentTypes::setTypes({slow});
    BillTemplate bill;
    bill.mObjs.page().setWidth(11906);
    bill.mObjs.page().setHeight(16838);
    auto customer = addText(bill, 1000, 1000, 5000, 300, QString());
    customer->setIsFix(false);
    customer->ObjCtl()->setTag(FieldVocabulary::HeaderCode(QStringLiteral("客户")));
    bill.mScreenID = SlowType;

    // What the user sees while it reads, and their 取消.
    QString shown;
    bool hadCancel = false;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            auto *progress = qobject_cast<QProgressDialog *>(w);
            if (!progress || !progress->isVisible())
                continue;
            shown = progress->labelText();
            QPushButton *button = progress->findChild<QPushButton *>();
            hadCancel = button && button->text() == QStringLiteral("取消");
            if (cancel && button)
                button->click();
        }
    });
    watcher.start(50);
    QElapsedTimer clock;
    clock.start();
    Mod_Print::PrintBill(bill, bill.mScreenID, 0, 1001, 0, true, false);
    const qint64 took = clock.elapsed();
    watcher.stop();

    QVERIFY2(shown.contains(QStringLiteral("慢单据")) && shown.contains(QStringLiteral("1001")),
             qPrintable(shown));
    QVERIFY(hadCancel);
    // No preview of a document that was not read.
    for (const FakeDialogs::Shown &s : dialogs.shown)
        QVERIFY(s.kind != QStringLiteral("Modal"));
    if (cancel) {
        QCOMPARE(dialogs.messages(), QStringList());
    } else {
        QCOMPARE(dialogs.messages().size(), 1);
        const QString message = dialogs.messages().front();
        QVERIFY2(message.contains(QStringLiteral("慢单据")) && message.contains(QStringLiteral("超过 1 秒")),
                 qPrintable(message));
    }
    // Far short of the minutes the query would run.
    QVERIFY2(took < 15000, qPrintable(QString::number(took)));
    DocumentTypes::setTypes({});
}

QTEST_MAIN(TestPrintReading)
#include "tst_print_reading.moc"
