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
// parameter :BillNo, never as SQL text. Every failure throws RuntimeError
// with the type's name as source: DataSourceUnreachable with the driver's
// reason, DataSourceQueryFailed for a query the source refused,
// DocumentNotFound for a number without a header row.
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

    // A document holds at most this many lines: a detail query that runs
    // away is stopped before it fills the memory.
    static constexpr int MaxLines = 100000;

    // The header row (the first one when the query returns several) and
    // every detail line in the query's order. More than MaxLines lines
    // throw DataSourceQueryFailed.
    DocumentData read(int32_t billNo);
    // Whether the header query finds the number; the lines are not read.
    bool exists(int32_t billNo);

    // The columns each query returns, found without fetching a row.
    QList<DocumentColumn> headerColumns();
    QList<DocumentColumn> detailColumns();

private:
    class Private;
    std::unique_ptr<Private> d;
};
