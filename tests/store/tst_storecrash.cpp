// A writer killed at random moments while it saves a 3000-object template:
// after every kill the store is sound and holds one version whole.

#include "CrashVersions.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <random>

class TestStoreCrash : public QObject
{
    Q_OBJECT

private slots:
    void killedWhileSaving();
};

void TestStoreCrash::killedWhileSaving()
{
    QStandardPaths::setTestModeEnabled(true);
    const quint32 seed = qEnvironmentVariableIsSet("STORE_CRASH_SEED")
                             ? quint32(qEnvironmentVariableIntValue("STORE_CRASH_SEED"))
                             : quint32(QDateTime::currentMSecsSinceEpoch());
    const int kills = qEnvironmentVariableIsSet("STORE_CRASH_KILLS")
                          ? qEnvironmentVariableIntValue("STORE_CRASH_KILLS")
                          : 200;
    qInfo("seed %u (STORE_CRASH_SEED repeats a run), %d kills", seed, kills);
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> delayMs(0, 200);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("templates.sqlite"));
    int16_t id = 0;
    {
        TemplateStore store(path);
        BillTemplate bill;
        fillTemplate(bill, CrashVersions::Objects, QStringLiteral("A"));
        CrashVersions::apply(bill, QLatin1Char('A'));
        QCOMPARE(store.save(bill), SaveResult::Saved);
        id = bill.mID;
    }

    QElapsedTimer timer;
    timer.start();
    int midTransaction = 0;
    int seen[2] = {0, 0};
    for (int kill = 0; kill < kills; ++kill) {
        QProcess writer;
        writer.start(QStringLiteral(STORE_CRASH_WRITER), {path, QString::number(id)});
        QVERIFY(writer.waitForStarted());
        QVERIFY2(writer.waitForReadyRead(30000), writer.readAllStandardError().constData());
        QThread::msleep(delayMs(random));
        writer.kill();
        QVERIFY(writer.waitForFinished());
        QVERIFY2(writer.exitStatus() == QProcess::CrashExit,
                 writer.readAllStandardError().constData());
        // The store keeps a write-ahead log while open, and a save killed
        // halfway leaves nothing in it to see: the writer says when it is
        // inside a save.
        const QList<QByteArray> said = writer.readAllStandardOutput().trimmed().split('\n');
        if (QFileInfo(path + QStringLiteral("-journal")).size() > 0
            || said.constLast() == QByteArrayLiteral("saving"))
            ++midTransaction;

        TemplateStore store(path);
        QSqlQuery check(QSqlDatabase::database(store.connectionName()));
        QVERIFY(check.exec(QStringLiteral("PRAGMA integrity_check")) && check.next());
        QCOMPARE(check.value(0).toString(), QStringLiteral("ok"));
        BillTemplate bill;
        store.load(id, bill);
        const QChar version = CrashVersions::versionOf(bill);
        QVERIFY2(version != QLatin1Char('?'), qPrintable(QStringLiteral("kill %1").arg(kill)));
        ++seen[version == QLatin1Char('B')];
    }
    qInfo("%d kills in %.1f s: %d inside a transaction; read back A %d times, B %d times", kills,
          timer.elapsed() / 1000.0, midTransaction, seen[0], seen[1]);
    // Kills landed inside saves, and saves between them went through.
    QVERIFY(midTransaction > 0);
    QVERIFY(seen[0] > 0 && seen[1] > 0);
}

QTEST_GUILESS_MAIN(TestStoreCrash)
#include "tst_storecrash.moc"
