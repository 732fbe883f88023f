// Saves one stored template over and over, its two crash versions in turn,
// until it is killed. Arguments: the store file and the template id.

#include "CrashVersions.h"

#include "platform/RuntimeError.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return 2;
    try {
        TemplateStore store(QString::fromLocal8Bit(argv[1]));
        BillTemplate bill;
        store.load(int16_t(QByteArray(argv[2]).toInt()), bill);
        std::puts("ready");
        std::fflush(stdout);
        QChar mark = CrashVersions::versionOf(bill);
        for (;;) {
            mark = mark == QLatin1Char('A') ? QLatin1Char('B') : QLatin1Char('A');
            CrashVersions::apply(bill, mark);
            // The test tells a kill inside a save from one between two.
            std::puts("saving");
            std::fflush(stdout);
            if (store.save(bill) != SaveResult::Saved)
                return 3;
            std::puts("saved");
            std::fflush(stdout);
        }
    } catch (const RuntimeError &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
