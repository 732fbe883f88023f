#include "app/BatchPrint.h"
#include "app/CommandLine.h"
#include "app/Module1.h"
#include "app/TemplateTransfer.h"
#include "platform/AppSetup.h"
#include "platform/Platform.h"

#include <QApplication>

#include <cstdio>

namespace {

void write(std::FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
}

} // namespace

int main(int argc, char *argv[])
{
    // Help, a batch or a bad argument may come where there is no display, so
    // the platform is chosen before the application connects to one.
    const bool offscreen = CommandLine::DrawOffscreenWithoutDisplay();
    QApplication app(argc, argv);
    CommandLine::NameApplication();
    AppSetup::installFontSubstitutions();
    AppSetup::installChineseTranslations(app);
    // The application has taken Qt's own options out of its arguments.
    const CommandLine::Start start = CommandLine::Decide(QApplication::arguments());
    if (start.mode == CommandLine::Finish) {
        write(stdout, start.out);
        write(stderr, start.err);
        return start.status;
    }
    if (start.mode == CommandLine::Designer && offscreen) {
        write(stderr, CommandLine::NoDisplay());
        return BatchPrint::BadArguments;
    }
    Platform::installQtImplementations();
    if (start.mode == CommandLine::Batch)
        return BatchPrint::Main(start.request);
    if (start.mode == CommandLine::Transfer)
        return TemplateTransfer::Main(start.transfer);
    Module1::Main();
    return app.exec();
}
