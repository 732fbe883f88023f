// Saving and opening a template of 3000 objects (1000 lines, 1000 texts,
// 1000 pictures sharing one small image), against the plain
// single-transaction insert of the same rows. Opening includes showing the
// template in a designer window until it has painted.

#include "bench/BenchFigure.h"
#include "bench/store/StoreBenchPage.h"
#include "bench/BenchShell.h"
#include "bench/PaintCounter.h"
#include "designer/PageView.h"
#include "designer/mFrm_Bill.h"

#include "model/BillTemplate.h"
#include "model/ObjDraw.h"

#include "platform/Element.h"
#include "platform/PageSurface.h"
#include "platform/Platform.h"
#include "platform/Screen.h"

#include "store/TemplateStore.h"

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QVariant>

#include <cstdio>
#include <vector>

namespace {

constexpr int Runs = 15;

// The same rows, written by hand: what any store has to pay at least.
double plainInsert(const QString &path, const TemplateStore &store, int16_t id)
{
    QSqlDatabase source = QSqlDatabase::database(store.connectionName());
    std::vector<std::vector<QVariant>> objects, pictures;
    for (const char *table : {"BillObjects", "BillPictures"}) {
        QSqlQuery read(source);
        read.prepare(QStringLiteral("SELECT * FROM %1 WHERE FID = ?").arg(QLatin1String(table)));
        read.addBindValue(id);
        read.exec();
        auto &rows = QLatin1String(table) == QLatin1String("BillObjects") ? objects : pictures;
        while (read.next()) {
            std::vector<QVariant> row;
            for (int c = 0; c < read.record().count(); ++c)
                row.push_back(read.value(c));
            rows.push_back(std::move(row));
        }
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("plain"));
    db.setDatabaseName(path);
    db.open();
    QSqlQuery(db).exec(QStringLiteral("CREATE TABLE o (c%1)").arg([] {
        QStringList c;
        for (int i = 0; i < 41; ++i)
            c << QString::number(i);
        return c.join(QStringLiteral(", c"));
    }()));
    QSqlQuery(db).exec(QStringLiteral("CREATE TABLE p (a, b, c, d)"));
    std::vector<double> samples;
    for (int run = 0; run < Runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        db.transaction();
        QSqlQuery(db).exec(QStringLiteral("DELETE FROM o"));
        QSqlQuery(db).exec(QStringLiteral("DELETE FROM p"));
        for (auto [table, rows] : {std::pair{"o", &objects}, std::pair{"p", &pictures}}) {
            const int width = int(rows->front().size());
            QSqlQuery insert(db);
            insert.prepare(
                QStringLiteral("INSERT INTO %1 VALUES (?%2)")
                    .arg(QLatin1String(table), QStringLiteral(", ?").repeated(width - 1)));
            for (const auto &row : *rows) {
                for (int c = 0; c < width; ++c)
                    insert.bindValue(c, row[c]);
                insert.exec();
            }
        }
        db.commit();
        samples.push_back(timer.nsecsElapsed() / 1e6);
    }
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("plain"));
    return BenchFigure::percentile(samples, 0.5);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    Platform::installFakes();
    Screen::setTwipsPerPixel(15, 15);
    QTemporaryDir dir;

    TemplateStore store(dir.filePath(QStringLiteral("templates.sqlite")));
    BillTemplate bill;
    bill.Caption = QStringLiteral("三千个对象");
    StoreBenchPage::fill(bill);
    store.save(bill);

    std::vector<double> saves;
    for (int run = 0; run < Runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        if (store.save(bill) != SaveResult::Saved)
            return 1;
        saves.push_back(timer.nsecsElapsed() / 1e6);
    }
    const double reference
        = plainInsert(dir.filePath(QStringLiteral("plain.sqlite")), store, bill.mID);
    BenchFigure::print("save-3000", BenchFigure::percentile(saves, 0.5), reference);

    BenchShell shell;
    std::vector<double> loads;
    for (int run = 0; run < Runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        auto window = std::make_unique<mFrm_Bill>(shell);
        PaintCounter counter;
        window->pageView().installEventFilter(&counter);
        store.load(bill.mID, window->record());
        window->setCaption(window->record().Caption);
        window->resize(1000, 700);
        window->show();
        while (counter.paints == 0)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        loads.push_back(timer.nsecsElapsed() / 1e6);
        if (window->mObjs().Count() != 3000)
            return 1;
    }
    BenchFigure::print("load-3000", BenchFigure::percentile(loads, 0.5), reference);
    return 0;
}
