#include "app/Module1.h"
#include "platform/AppSetup.h"
#include "platform/Platform.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    AppSetup::installFontSubstitutions();
    AppSetup::installChineseTranslations(app);
    Platform::installQtImplementations();
    Module1::Main();
    return app.exec();
}
