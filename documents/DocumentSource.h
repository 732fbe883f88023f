#pragma once

#include "documents/DocumentColumn.h"
#include "documents/DocumentData.h"
#include "documents/DocumentType.h"

#include <QList>
#include <QString>

#include <cstdint>
#include <memory>

// The connection to one document type's data source, through Qt SQL. It
// connects on first need (asking for the password once a session), gives
// up after ConnectTimeoutSeconds, and binds the document number as the
// parameter :BillNo, never as SQL text. The connection is read-only (a
// SQLite file opened read-only, a read-only PostgreSQL session), and
// reading one document stops after the type's time limit (StatementLimit).
// Every failure throws RuntimeError with the type's name as source:
// DataSourceUnreachable with the driver's reason, DataSourceQueryFailed for
// a query the source refused or that lacks :BillNo, DocumentNotFound for a
// number without a header row, DataSourceTimedOut and DataSourceCancelled
// for a read stopped by the limit or by cancel().
class DocumentSource
{
public:
    static constexpr int ConnectTimeoutSeconds = 5;
    static inline const QString BillNoParameter = QStringLiteral(":BillNo");

    explicit DocumentSource(DocumentType type);
    ~DocumentSource();
    DocumentSource(const DocumentSource &) = delete;
    DocumentSource &operator=(const DocumentSource &) = delete;

    const DocumentType &type() const;
    // Connects when not connected.
    void open();
    bool isOpen() const;
    // Connects and runs the two queries without fetching rows: what the
    // options dialog's test reports as "连接成功".
    void test();
    // Stops the read in progress on another thread; it throws
    // DataSourceCancelled.
    void cancel();

    // What a type's queries lack: "表头查询缺少参数 :BillNo", the same for
    // the detail query, or empty. A query without the number would give
    // every number a document, or every document all lines.
    static QString missingParameter(const DocumentType &type);

    // A document holds at most this many lines: a detail query that runs
    // away is stopped before it fills the memory.
    static constexpr int MaxLines = 100000;

    // The header row (the first one when the query returns several) and
    // every detail line in the query's order. More than MaxLines lines
    // throw DataSourceQueryFailed.
    DocumentData read(int32_t billNo);
    // Whether the header query finds the number; the lines are not read.
    bool exists(int32_t billNo);

    // The columns each query returns, found without fetching a row. Only
    // the query wrapped in "SELECT * FROM (...) WHERE 1 = 0" is run, so a
    // statement that is not a query is refused, never executed.
    QList<DocumentColumn> headerColumns();
    QList<DocumentColumn> detailColumns();

private:
    class Private;
    std::unique_ptr<Private> d;
};
