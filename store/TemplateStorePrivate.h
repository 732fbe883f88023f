#pragma once

#include "TemplateStore.h"

#include "ObjectRow.h"
#include "StoreLocation.h"
#include "StoreTransaction.h"
#include "TemplateRow.h"

#include "platform/OpenFiles.h"

#include <QByteArray>
#include <QHash>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

#include <array>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <vector>

namespace TemplateStoreRows {

enum Statement {
    SelectCategories,
    SelectTemplates,
    CountName,
    CategoryExists,
    SelectRevision,
    MaxID,
    FirstIDTaken,
    FirstGap,
    InsertTemplate,
    UpdateTemplate,
    DeleteTemplate,
    DeleteObjects,
    DeletePictures,
    InsertObject,
    InsertPicture,
    InsertObjects,
    InsertPictures,
    InsertObjectArray,
    InsertPictureArray,
    SelectTemplate,
    SelectObjects,
    SelectPictures,
    SelectSavedAt,
    StatementCount
};

// Columns of the categories table, after the id.
inline const char *const CategoryColumns[]
    = {"Name", "Driver", "DatabaseName", "Host", "Port", "UserName", "ConnectOptions",
       "HeaderQuery", "DetailQuery", "StatementTimeout", "IsDefault"};
inline constexpr int CategoryColumnCount = int(std::size(CategoryColumns));


// Rows written by one statement of InsertObjects and InsertPictures: one
// round trip for many rows, well below any driver's limit of bound values.
inline constexpr int RowsPerInsert = 50;

// Characters of a row array sent to a server in one statement of
// InsertObjectArray or InsertPictureArray: a few statements for the
// largest template, each far below a server's limit for one value.
inline constexpr qsizetype MaxArrayLength = 8 << 20;

inline constexpr int64_t MaxInt16 = std::numeric_limits<int16_t>::max();
inline constexpr int64_t MinInt16 = std::numeric_limits<int16_t>::min();
inline constexpr int64_t MaxInt32 = std::numeric_limits<int32_t>::max();

inline const char *const PictureColumns[] = {"FID", "nID", "Data", "FileName"};

// FID is written bare, so a server keeps it in lower case; the other
// names are quoted and kept as they are.
inline QString serverName(const char *const *names, int i)
{
    const QString name = QLatin1String(names[i]);
    return i == 0 ? name.toLower() : name;
}

struct PictureRow
{
    static constexpr int ColumnCount = 4;
    // FID and the row's values in column order, as they are written.
    std::array<QVariant, ColumnCount> values(int16_t fid) const { return {fid, nID, data, fileName}; }

    int nID = 0;
    QByteArray data;
    QString fileName;
};

// The statements that write the rows of one table, and its columns.
struct RowInserts
{
    TemplateStoreRows::Statement one;
    TemplateStoreRows::Statement many;
    TemplateStoreRows::Statement array;
    const char *table;
    const char *const *names;
    int columns;
    // How a server is sent the rows (RowArrays::Layout).
    int layout;
};

// The stored values of one template, read before anything is loaded.
struct StoredTemplate
{
    TemplateRow row;
    std::vector<ObjectRow> objects;
    QHash<int, PictureRow> pictures;
};

} // namespace TemplateStoreRows

// What a store object holds: its connection, where it leads and the
// statements prepared on it. A server connection that was lost is opened
// again before the next call (statements prepared on the old one go with it).
class TemplateStore::Private
{
public:
    using Statement = TemplateStoreRows::Statement;
    using StoredTemplate = TemplateStoreRows::StoredTemplate;

    Private(const StoreLocation &location, Access access);
    ~Private();
    void open();
    void openFile();
    void openServer();
    void close();
    void leaveLogMode();
    // Before a call on a server: a connection the server dropped (a
    // restart, a network fault) is opened again; throws StoreUnreachable
    // while the server cannot be reached.
    void reconnectIfLost();

    QString quoted(const char *column) const
    {
        return db.driver()->escapeIdentifier(QLatin1String(column), QSqlDriver::FieldName);
    }
    QString columns(const char *const *names, int count) const
    {
        QStringList list;
        for (int i = 0; i < count; ++i)
            list << quoted(names[i]);
        return list.join(QStringLiteral(", "));
    }
    QString sqlOf(Statement statement) const;
    // The statement prepared once and reused, its bound values cleared.
    QSqlQuery &prepared(Statement statement);
    void exec(QSqlQuery &query);
    [[noreturn]] void fail(const QSqlQuery &query) const;

    void requireCategory(int16_t categoryID);
    std::optional<int32_t> storedRevision(int16_t id);
    int16_t freeID();
    void writeTemplate(Statement statement, int16_t id, const TemplateRow &row);
    void deleteRows(Statement statement, int16_t id);
    SaveResult write(BillTemplate &bill, int16_t id, const QString &name, int16_t categoryID);
    // Writes the rows (anything with values(fid) in column order): on a
    // file RowsPerInsert at a time and the rest one by one, on a server as
    // the arrays of RowArrays in a statement or a few.
    template <typename Row>
    void insertRows(const std::vector<Row> &rows, int16_t id,
                    const TemplateStoreRows::RowInserts &inserts);
    template <typename Row>
    void insertInChunks(const std::vector<Row> &rows, int16_t id,
                        const TemplateStoreRows::RowInserts &inserts);
    template <typename Row>
    void insertAsArrays(const std::vector<Row> &rows, int16_t id,
                        const TemplateStoreRows::RowInserts &inserts);
    // The INSERT ... SELECT FROM unnest(...) of the columns names[0 ..
    // count - 1] (FID first) as one array of the table's rows, or as one
    // array per column of the column's type on the server.
    QString arrayInsert(const char *table, const char *const *names, int count,
                        int layout) const;
    // The table's columns on the server in their order: names and types.
    QList<std::pair<QString, QString>> serverColumns(const char *table) const;
    // The fields of the inserts' arrays as indexes into its names (-1: a
    // column the store does not write); asked once per connection.
    const std::vector<int> &arrayFields(const TemplateStoreRows::RowInserts &inserts);

    StoredTemplate read(int16_t id);
    void readObjects(int16_t id, StoredTemplate &stored);
    void readPictures(int16_t id, StoredTemplate &stored);
    static void apply(const StoredTemplate &stored, BillTemplate &fresh);

    StoreLocation location;
    Access access;
    QString connection;
    QSqlDatabase db;
    std::array<std::unique_ptr<QSqlQuery>, TemplateStoreRows::StatementCount> statements;
    QHash<int, std::vector<int>> fieldsOfArray;
    // No output of the program is written over the open store.
    std::unique_ptr<OpenFiles::Hold> held;
    StoreTransaction::WaitNotice waitNotice;
};
