#pragma once

#include <QCommandLineOption>
#include <QList>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class QCommandLineParser;
class TemplateStore;

// The print run from the command line: a stored template filled with a
// range or list of documents, to one PDF file or to a printer (the one
// named, else the template's, else the default), in one or more copies,
//   tavrel --template 发货单 --bills 1001-1050,1060 --pdf out.pdf
//   tavrel --template 发货单 --bills 1001 --printer Office --copies 2
// with a progress line and every message on standard error, and a non-zero
// exit status when anything fails. All documents are read before the first
// page, so a bad number prints nothing.
namespace BatchPrint {

enum Status { Done = 0, BadArguments = 1, DocumentsFailed = 2, OutputFailed = 3 };

// A batch holds at most this many documents.
inline constexpr int MaxDocuments = 100000;
inline constexpr int MaxCopies = 999;

struct Request
{
    QString templateName;
    // Category name or id; empty: any category holding the name.
    QString category;
    std::vector<int32_t> billNos;
    // Empty: a printer.
    QString pdf;
    // Empty: the template's printer, else the default.
    QString printer;
    int copies = 1;
    // Empty: the user's store.
    QString storePath;
};

// The options of a batch, with what --help says of each.
QList<QCommandLineOption> Options();

// "1001-1050,1060 1070": ranges and single numbers; no value for anything
// else, a range backwards or more than MaxDocuments numbers.
std::optional<std::vector<int32_t>> ParseBills(const QString &text);
// The request of a command line parsed with Options(); no value, and the
// reason in error, when it is not a whole request.
std::optional<Request> Parse(const QCommandLineParser &parser, QString &error);

using Writer = std::function<void(const QString &)>;
// Runs the request on the store; what it says goes to write.
Status Run(const Request &request, TemplateStore &store, const Writer &write);
// What main.cpp calls for a batch: opens the store, runs with the console's
// dialogs, returns the exit status.
int Main(const Request &request);

} // namespace BatchPrint
