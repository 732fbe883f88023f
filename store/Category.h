#pragma once

#include <QString>

#include <cstdint>

// One category (单据类别) of the catalogue, which is a document type: where
// its documents are read from and the two queries that read one. The
// demonstration category 0 keeps these empty: its source is built in.
// No password is ever stored.
struct Category
{
    int16_t id = 0;
    QString name;
    // A Qt SQL driver ("QSQLITE", "QPSQL", ...) and how to reach it.
    QString driver;
    QString databaseName;
    QString host;
    int port = 0;
    QString user;
    QString options;
    // One row for :BillNo, and the document's lines in order.
    QString headerQuery;
    QString detailQuery;
    // Seconds reading one document may take.
    int statementTimeout = DefaultTimeout;
    // The category a new template takes; exactly one has it.
    bool isDefault = false;

    static constexpr int DefaultTimeout = 30;
    static constexpr int MinTimeout = 1;
    static constexpr int MaxTimeout = 3600;

    friend bool operator==(const Category &, const Category &) = default;
};
