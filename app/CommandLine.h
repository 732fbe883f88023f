#pragma once

#include "BatchPrint.h"
#include "TemplateTransfer.h"

#include <QString>
#include <QStringList>

// How a start of the program goes, by its command line: the designer, a
// batch, or an answer on the terminal (help, version, bad arguments) with the
// exit status. Qt parses the options, so --help, --version, "--name=value"
// and the error messages follow Qt's conventions; Qt's own options (-style,
// -platform, ...) are taken out by the application before we see them.
namespace CommandLine {

enum Mode { Designer, Batch, Transfer, Finish };

struct Start
{
    Mode mode = Designer;
    // What a batch prints.
    BatchPrint::Request request;
    // What an export or import moves.
    TemplateTransfer::Request transfer;
    // A finish's exit status and what it writes to standard output and error.
    int status = 0;
    QString out;
    QString err;
};

// Names the application and its version, which --version prints and the
// user's folders are named after.
void NameApplication();
// Without a display, Qt is told to draw off screen, so that help, a batch or
// a bad argument need none. Call before the application is made; says
// whether it did.
bool DrawOffscreenWithoutDisplay();
// The start asked for by the arguments the application leaves (the program's
// name first).
Start Decide(const QStringList &arguments);
// What the designer says when it has no display to open on.
QString NoDisplay();

} // namespace CommandLine
