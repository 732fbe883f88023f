#include "AppSetup.h"

#include <QCoreApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace AppSetup {

const char *chineseFamily()
{
    return "WenQuanYi Zen Hei";
}

void installFontSubstitutions()
{
    // Templates name the fonts of the stationery's home system; this one
    // renders every Chinese character and reads back from PDF unchanged.
    const QString family = QString::fromLatin1(chineseFamily());
    for (const QString &name : {QStringLiteral("宋体"), QStringLiteral("SimSun"),
                                QStringLiteral("新宋体"), QStringLiteral("NSimSun")})
        QFont::insertSubstitution(name, family);
}

void installChineseTranslations(QCoreApplication &app)
{
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const char *name : {"qtbase_zh_CN", "qt_zh_CN"}) {
        auto *translator = new QTranslator(&app);
        if (translator->load(QString::fromLatin1(name), dir))
            QCoreApplication::installTranslator(translator);
        else
            delete translator;
    }
}

} // namespace AppSetup
