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
// with progress and every message on standard error, and a non-zero exit
// status when anything fails. The store is opened read-only. Every number
// is looked up before the first page, so a missing document prints nothing
// (all missing ones are named at once); then the documents are read and
// printed one at a time, so memory stays flat. The PDF file is refused
// before anything is written when it is the store, a database the run
// reads or no file at all, and it appears under its name only when whole.
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
    // Progress is written at most this often, with a carriage return on a
    // terminal, as a line of its own otherwise.
    int progressIntervalMs = 1000;
    bool progressOnTerminal = false;
};

// The options of a batch, with what --help says of each.
QList<QCommandLineOption> Options();

// "1001-1050,1060 1070": ranges and single numbers; no value for anything
// else, a range backwards or more than MaxDocuments numbers, with the
// reason in error.
std::optional<std::vector<int32_t>> ParseBills(const QString &text, QString *error = nullptr);
// The request of a command line parsed with Options(); no value, and the
// reason in error, when it is not a whole request.
std::optional<Request> Parse(const QCommandLineParser &parser, QString &error);

// The one stored template of that name (in the category of that name or
// id, when given), or no value and the reason in error.
std::optional<int16_t> FindTemplate(const TemplateStore &store, const QString &name,
                                    const QString &category, QString &error);

using Writer = std::function<void(const QString &)>;
// Runs the request on the store; what it says goes to write.
Status Run(const Request &request, TemplateStore &store, const Writer &write);
// Why the PDF file of the request may not be written (empty when it may):
// no file, a folder or device, or a file the run reads from (the store, the
// demonstration database, a document type's database file).
QString OutputRefusal(const QString &pdf, const TemplateStore &store);
// What main.cpp calls for a batch: opens the store read-only, runs with the
// console's dialogs, returns the exit status.
int Main(const Request &request);

} // namespace BatchPrint
