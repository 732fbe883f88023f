#include "app/BatchPrint.h"
#include "app/Module1.h"
#include "platform/AppSetup.h"
#include "platform/Platform.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // A batch may run where there is no display, so its platform is chosen
    // before the application connects to one.
    const bool batch = BatchPrint::IsBatch(argc, argv);
    if (batch)
        BatchPrint::PrepareEnvironment();
    QApplication app(argc, argv);
    AppSetup::installFontSubstitutions();
    AppSetup::installChineseTranslations(app);
    Platform::installQtImplementations();
    if (batch)
        return BatchPrint::Main(QApplication::arguments());
    Module1::Main();
    return app.exec();
}
