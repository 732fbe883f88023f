// The template store on a PostgreSQL server of the bench's own (a local
// socket), against the same work on this machine's SQLite file: saving and
// loading a template of 3000 objects (lines, texts and pictures sharing one
// small image), and listing a category of 10,000 templates.

#include "bench/BenchFigure.h"
#include "bench/store/StoreBenchPage.h"

#include "tests/documents/PostgresCluster.h"

#include "model/BillTemplate.h"
#include "model/ObjDraw.h"

#include "platform/Element.h"
#include "platform/PageSurface.h"
#include "platform/Platform.h"

#include "store/TemplateStore.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int Runs = 9;
constexpr int Listed = 10000;

double median(const std::function<void()> &work)
{
    std::vector<double> samples;
    for (int run = 0; run < Runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        work();
        samples.push_back(timer.nsecsElapsed() / 1e6);
    }
    return BenchFigure::percentile(samples, 0.5);
}

struct Figures
{
    double save = 0;
    double load = 0;
    double list = 0;
};

// 10,000 template rows in one new category, written straight into the
// table (the listing is what is measured, not 10,000 saves).
int16_t fillCategory(TemplateStore &store)
{
    Category type;
    type.id = -1;
    type.name = QStringLiteral("一万张");
    const int16_t category = store.saveCategory(type);
    QSqlDatabase db = QSqlDatabase::database(store.connectionName());
    db.transaction();
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral(
        "INSERT INTO BillTemplates (FID, \"CategoryID\", \"Name\", \"PageWidth\", \"PageHeight\","
        " \"mrowcount\", \"mRowHeight\", \"mcolcount\", \"mColWidth\", \"mBlnColFirst\","
        " \"mLandScape\", \"mIsDefault\", \"Revision\") VALUES (?, ?, ?, 11906, 16838, 0, 0, 0, 0,"
        " 0, 0, 0, 1)"));
    for (int i = 0; i < Listed; ++i) {
        insert.bindValue(0, 10 + i);
        insert.bindValue(1, category);
        insert.bindValue(2, QStringLiteral("单据%1").arg(i, 5, 10, QLatin1Char('0')));
        insert.exec();
    }
    db.commit();
    return category;
}

Figures measure(TemplateStore &store)
{
    Figures figures;
    BillTemplate bill;
    bill.Caption = QStringLiteral("三千个对象");
    StoreBenchPage::fill(bill);
    store.save(bill);
    figures.save = median([&] { store.save(bill); });
    figures.load = median([&] {
        BillTemplate fresh;
        store.load(bill.mID, fresh);
    });
    const int16_t category = fillCategory(store);
    figures.list = median([&] {
        if (store.templates(category).size() != Listed)
            std::fprintf(stderr, "listing is short\n");
    });
    return figures;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    Platform::installFakes();
    QTemporaryDir dir;
    PostgresCluster cluster;
    const QString failure = cluster.start();
    if (!failure.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(failure));
        return 1;
    }
    if (!cluster.exec(QStringLiteral("postgres"), {QStringLiteral("CREATE DATABASE bench")}).isEmpty())
        return 1;
    Figures file, server;
    {
        TemplateStore store(dir.filePath(QStringLiteral("templates.sqlite")));
        file = measure(store);
    }
    {
        StoreLocation where = StoreLocation::server(cluster.socketDir(), PostgresCluster::Port,
                                                    QStringLiteral("bench"), PostgresCluster::User);
        where.password = PostgresCluster::Password;
        TemplateStore store(where);
        server = measure(store);
    }
    BenchFigure::print("server-save-3000", server.save, file.save);
    BenchFigure::print("server-load-3000", server.load, file.load);
    // Its target is absolute (100 ms); the file's figure is for comparison.
    BenchFigure::print("server-list-10000", server.list, file.list);
    return 0;
}
