#pragma once

#include <QCommandLineOption>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

class QCommandLineParser;
class TemplateStore;

// Templates to and from files on the command line:
//   tavrel --export 发货单 发货单.tavrel
//   tavrel --import 发货单.tavrel [--category 入库单]
// beside --store for the store to use. Messages go to standard error.
namespace TemplateTransfer {

enum Status { Done = 0, BadArguments = 1, Failed = 2 };

struct Request
{
    enum Kind { Export, Import };
    Kind kind = Export;
    // Export: the template's name.
    QString templateName;
    QString file;
    // Category name or id: export, which one holds the name; import, where
    // the template goes (empty: its own category's name, else the default).
    QString category;
    // Empty: the user's store.
    QString store;
};

QList<QCommandLineOption> Options();
// Whether the command line asks for an export or import.
bool IsAsked(const QCommandLineParser &parser);
// The request of a command line parsed with Options() and the batch's; no
// value, and the reason in error, when it is not a whole request.
std::optional<Request> Parse(const QCommandLineParser &parser, QString &error);

using Writer = std::function<void(const QString &)>;
// Runs the request on the store; what it says goes to write.
Status Run(const Request &request, TemplateStore &store, const Writer &write);
// What main.cpp calls: opens the store (read-only for an export), runs,
// returns the exit status.
int Main(const Request &request);

} // namespace TemplateTransfer
