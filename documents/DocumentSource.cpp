#include "DocumentSource.h"

#include "documents/Decimal.h"
#include "documents/PasswordVault.h"
#include "documents/StatementLimit.h"

#include "platform/OpenFiles.h"
#include "platform/RuntimeError.h"

#include <QDate>
#include <QDateTime>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>

#include <atomic>
#include <limits>
#include <optional>

namespace {

bool isNumberType(int typeId)
{
    switch (typeId) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

// Dates are text in SQLite; the ISO forms read as dates so that a date
// format applies to them as to a server's dates.
QVariant dateOf(const QString &text)
{
    static const QRegularExpression date(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
    static const QRegularExpression dateTime(
        QStringLiteral("^\\d{4}-\\d{2}-\\d{2}[ T]\\d{2}:\\d{2}(:\\d{2}(\\.\\d+)?)?$"));
    if (date.match(text).hasMatch()) {
        const QDate d = QDate::fromString(text, Qt::ISODate);
        if (d.isValid())
            return d;
    } else if (dateTime.match(text).hasMatch()) {
        QString iso = text;
        iso[10] = QLatin1Char('T');
        const QDateTime dt = QDateTime::fromString(iso, Qt::ISODateWithMs);
        if (dt.isValid())
            return dt;
    }
    return text;
}

// A value as the composition takes it: numbers exact, dates as dates.
QVariant plainValue(const QVariant &value, int columnType)
{
    if (value.isNull())
        return QVariant();
    const int type = value.typeId();
    switch (type) {
    case QMetaType::Double:
    case QMetaType::Float:
        return QVariant::fromValue(Decimal::fromDouble(value.toDouble()));
    case QMetaType::ULongLong:
        if (value.toULongLong() > quint64(std::numeric_limits<qint64>::max()))
            return QVariant::fromValue(*Decimal::fromString(value.toString()));
        return QVariant::fromValue(Decimal::fromInteger(value.toLongLong()));
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return QVariant::fromValue(Decimal::fromInteger(value.toLongLong()));
    case QMetaType::QString: {
        const QString text = value.toString();
        // A server's exact numeric arrives as text under high precision.
        if (isNumberType(columnType)) {
            if (const std::optional<Decimal> d = Decimal::fromString(text))
                return QVariant::fromValue(*d);
        }
        return dateOf(text);
    }
    default:
        return value;
    }
}

QString withoutTrailingSemicolons(QString sql)
{
    sql = sql.trimmed();
    while (sql.endsWith(QLatin1Char(';')))
        sql = sql.chopped(1).trimmed();
    return sql;
}

QString timeoutOption(const QString &driver)
{
    const int s = DocumentSource::ConnectTimeoutSeconds;
    if (driver == QLatin1String("QPSQL"))
        return QStringLiteral("connect_timeout=%1").arg(s);
    if (driver == QLatin1String("QMYSQL") || driver == QLatin1String("QMARIADB"))
        return QStringLiteral("MYSQL_OPT_CONNECT_TIMEOUT=%1").arg(s);
    if (driver == QLatin1String("QODBC"))
        return QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=%1").arg(s);
    if (driver == QLatin1String("QSQLITE"))
        return QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=%1").arg(s * 1000);
    return QString();
}

} // namespace

class DocumentSource::Private
{
public:
    explicit Private(DocumentType t) : type(std::move(t)), limit(type.timeoutSeconds)
    {
        static std::atomic<int> serial{0};
        connection = QStringLiteral("DocumentSource-%1").arg(++serial);
    }
    ~Private() { close(); }

    void close()
    {
        header.reset();
        detail.reset();
        held.reset();
        limit.detach();
        if (QSqlDatabase::contains(connection)) {
            {
                QSqlDatabase db = QSqlDatabase::database(connection, false);
                db.close();
            }
            QSqlDatabase::removeDatabase(connection);
        }
    }

    [[noreturn]] void unreachable(const QString &reason)
    {
        close();
        throw RuntimeError(RuntimeError::DataSourceUnreachable, reason, type.name);
    }

    // A query the source refused, or a connection lost meanwhile. Either
    // way the connection is dropped, so the next run connects afresh.
    [[noreturn]] void failed(const QSqlError &error)
    {
        switch (limit.stopped(error)) {
        case StatementLimit::TimedOut:
            close();
            throw RuntimeError(RuntimeError::DataSourceTimedOut,
                               QStringLiteral("读取单据超过 %1 秒，已停止。可以在“系统选项”里为单据类别"
                                              "设定更长的查询时限。")
                                   .arg(limit.seconds()),
                               type.name);
        case StatementLimit::Cancelled:
            close();
            throw RuntimeError(RuntimeError::DataSourceCancelled, type.name);
        case StatementLimit::NotStopped:
            break;
        }
        const bool lost = error.type() == QSqlError::ConnectionError || !db().isOpen();
        if (lost)
            unreachable(error.text());
        close();
        throw RuntimeError(RuntimeError::DataSourceQueryFailed, error.text(), type.name);
    }

    QSqlDatabase db() const { return QSqlDatabase::database(connection, false); }

    void open();
    // A value as the composition takes it; one beyond what prints is
    // named with its document, line and column.
    QVariant valueOf(const QVariant &value, int columnType, const QString &column, int32_t billNo,
                     int line) const;
    void prepareBoth();
    // Runs the header query; the query stands on its row when it finds one.
    bool findHeader(int32_t billNo);
    std::unique_ptr<QSqlQuery> prepare(const QString &sql, const char *which);
    void bindBillNo(QSqlQuery &query, const QString &sql, int32_t billNo);
    void run(QSqlQuery &query);
    QList<DocumentColumn> columnsOf(const QString &sql, const char *which);
    static QList<DocumentColumn> columns(const QSqlRecord &record);

    // Throws for a type whose queries lack :BillNo, before anything runs.
    void requireBillNo() const
    {
        if (const QString missing = missingParameter(type); !missing.isEmpty())
            throw RuntimeError(RuntimeError::DataSourceQueryFailed, missing, type.name);
    }

    DocumentType type;
    StatementLimit limit;
    QString connection;
    std::unique_ptr<QSqlQuery> header;
    std::unique_ptr<QSqlQuery> detail;
    // No output of the program is written over a database it reads.
    std::unique_ptr<OpenFiles::Hold> held;
};

void DocumentSource::Private::open()
{
    if (db().isOpen())
        return;
    close();
    const DataSourceSettings &s = type.source;
    if (s.isEmpty())
        unreachable(QStringLiteral("没有设置数据源"));
    if (!QSqlDatabase::isDriverAvailable(s.driver))
        unreachable(QStringLiteral("没有安装数据库驱动 %1").arg(s.driver));
    // Opening a missing SQLite file would create an empty database.
    if (s.isFileDatabase() && !QFileInfo(s.databaseName).isFile())
        unreachable(QStringLiteral("数据库文件不存在：%1").arg(s.databaseName));
    std::optional<QString> password;
    if (!s.isFileDatabase() && !s.user.isEmpty()) {
        password = PasswordVault::passwordFor(s, type.name);
        if (!password)
            unreachable(QStringLiteral("没有输入密码"));
    }
    QSqlDatabase made = QSqlDatabase::addDatabase(s.driver, connection);
    made.setDatabaseName(s.databaseName);
    if (!s.isFileDatabase()) {
        made.setHostName(s.host);
        if (s.port > 0)
            made.setPort(s.port);
        made.setUserName(s.user);
        if (password)
            made.setPassword(*password);
    }
    QStringList options;
    if (const QString timeout = timeoutOption(s.driver); !timeout.isEmpty())
        options << timeout;
    if (!s.options.trimmed().isEmpty())
        options << s.options.trimmed();
    made.setConnectOptions(options.join(QLatin1Char(';')));
    if (s.isFileDatabase())
        held = std::make_unique<OpenFiles::Hold>(s.databaseName);
    if (!made.open()) {
        const QString reason = made.lastError().text();
        made = QSqlDatabase();
        if (password)
            PasswordVault::forget(s);
        unreachable(reason);
    }
    if (const QString refused = limit.attach(made); !refused.isEmpty()) {
        made = QSqlDatabase();
        unreachable(refused);
    }
}

std::unique_ptr<QSqlQuery> DocumentSource::Private::prepare(const QString &sql, const char *which)
{
    if (sql.trimmed().isEmpty())
        throw RuntimeError(RuntimeError::DataSourceQueryFailed,
                           QStringLiteral("没有设置%1查询").arg(QString::fromUtf8(which)),
                           type.name);
    auto query = std::make_unique<QSqlQuery>(db());
    query->setForwardOnly(true);
    query->setNumericalPrecisionPolicy(QSql::HighPrecision);
    if (!query->prepare(sql)) {
        const QSqlError error = query->lastError();
        query.reset();
        failed(error);
    }
    return query;
}

void DocumentSource::Private::bindBillNo(QSqlQuery &query, const QString &sql, int32_t billNo)
{
    if (sql.contains(BillNoParameter))
        query.bindValue(BillNoParameter, billNo);
}

void DocumentSource::Private::run(QSqlQuery &query)
{
    if (!query.exec())
        failed(query.lastError());
}

QList<DocumentColumn> DocumentSource::Private::columns(const QSqlRecord &record)
{
    QList<DocumentColumn> list;
    for (int i = 0; i < record.count(); ++i) {
        const QSqlField field = record.field(i);
        list.append({field.name(), isNumberType(field.metaType().id()) ? DocumentColumn::Number
                                                                       : DocumentColumn::Other});
    }
    return list;
}

// The query wrapped so that it returns no row. One that cannot be wrapped
// is no plain query; it is refused, never run as it is.
QList<DocumentColumn> DocumentSource::Private::columnsOf(const QString &sql, const char *which)
{
    requireBillNo();
    open();
    limit.startRead();
    const QString inner = withoutTrailingSemicolons(sql);
    QSqlError error;
    {
        QSqlQuery wrapped(db());
        wrapped.setForwardOnly(true);
        const QString noRows = QStringLiteral("SELECT * FROM (%1) AS q WHERE 1 = 0").arg(inner);
        if (wrapped.prepare(noRows)) {
            bindBillNo(wrapped, noRows, 0);
            if (wrapped.exec())
                return columns(wrapped.record());
        }
        error = wrapped.lastError();
    }
    if (limit.stopped(error) != StatementLimit::NotStopped || !db().isOpen())
        failed(error);
    close();
    throw RuntimeError(RuntimeError::DataSourceQueryFailed,
                       QStringLiteral("%1查询必须是一条 SELECT 查询：%2")
                           .arg(QString::fromUtf8(which), error.text()),
                       type.name);
}

QString DocumentSource::missingParameter(const DocumentType &type)
{
    static const QRegularExpression billNo(QStringLiteral(":BillNo(?![A-Za-z0-9_])"));
    QStringList missing;
    if (!type.headerQuery.contains(billNo))
        missing << QStringLiteral("表头查询缺少参数 %1").arg(BillNoParameter);
    if (!type.detailQuery.contains(billNo))
        missing << QStringLiteral("明细查询缺少参数 %1").arg(BillNoParameter);
    return missing.join(QStringLiteral("；"));
}

void DocumentSource::cancel()
{
    d->limit.cancel();
}

DocumentSource::DocumentSource(DocumentType type) : d(std::make_unique<Private>(std::move(type))) {}

DocumentSource::~DocumentSource() = default;

const DocumentType &DocumentSource::type() const
{
    return d->type;
}

void DocumentSource::open()
{
    d->open();
}

bool DocumentSource::isOpen() const
{
    return d->db().isOpen();
}

void DocumentSource::test()
{
    headerColumns();
    detailColumns();
}

QVariant DocumentSource::Private::valueOf(const QVariant &value, int columnType,
                                          const QString &column, int32_t billNo, int line) const
{
    try {
        return plainValue(value, columnType);
    } catch (const RuntimeError &e) {
        const QString where = line < 0 ? QStringLiteral("单据 %1 表头").arg(billNo)
                                       : QStringLiteral("单据 %1 第 %2 行").arg(billNo).arg(line + 1);
        throw RuntimeError(static_cast<enum RuntimeError::Number>(e.Number()),
                           QStringLiteral("%1的“%2”值 %3 超出能打印的范围")
                               .arg(where, column, value.toString()),
                           type.name);
    }
}

void DocumentSource::Private::prepareBoth()
{
    open();
    if (!header)
        header = prepare(type.headerQuery, "表头");
    if (!detail)
        detail = prepare(type.detailQuery, "明细");
}

bool DocumentSource::Private::findHeader(int32_t billNo)
{
    requireBillNo();
    prepareBoth();
    limit.startRead();
    bindBillNo(*header, type.headerQuery, billNo);
    run(*header);
    if (header->next())
        return true;
    if (header->lastError().isValid())
        failed(header->lastError());
    header->finish();
    return false;
}

bool DocumentSource::exists(int32_t billNo)
{
    const bool found = d->findHeader(billNo);
    d->header->finish();
    return found;
}

DocumentData DocumentSource::read(int32_t billNo)
{
    DocumentData data;
    data.billNo = billNo;
    if (!d->findHeader(billNo))
        throw RuntimeError(RuntimeError::DocumentNotFound, d->type.name);
    QSqlQuery &header = *d->header;
    const QSqlRecord headerRecord = header.record();
    for (int i = 0; i < headerRecord.count(); ++i) {
        data.headerColumns << headerRecord.fieldName(i);
        data.header << d->valueOf(header.value(i), headerRecord.field(i).metaType().id(),
                                  data.headerColumns.last(), billNo, -1);
    }
    header.finish();

    QSqlQuery &detail = *d->detail;
    d->bindBillNo(detail, d->type.detailQuery, billNo);
    d->run(detail);
    const QSqlRecord detailRecord = detail.record();
    const int count = detailRecord.count();
    std::vector<int> types(std::size_t(count), 0);
    for (int i = 0; i < count; ++i) {
        data.detailColumns << detailRecord.fieldName(i);
        types[std::size_t(i)] = detailRecord.field(i).metaType().id();
    }
    while (detail.next()) {
        if (data.lineCount() == MaxLines) {
            detail.finish();
            throw RuntimeError(RuntimeError::DataSourceQueryFailed,
                               QStringLiteral("明细查询为单据 %1 返回了 %2 行以上，超出一张单据的上限，"
                                              "请检查明细查询的条件")
                                   .arg(billNo)
                                   .arg(MaxLines),
                               d->type.name);
        }
        QVariantList line;
        line.reserve(count);
        for (int i = 0; i < count; ++i)
            line << d->valueOf(detail.value(i), types[std::size_t(i)], data.detailColumns[i], billNo,
                               data.lineCount());
        data.lines.push_back(std::move(line));
    }
    if (detail.lastError().isValid())
        d->failed(detail.lastError());
    detail.finish();
    return data;
}

QList<DocumentColumn> DocumentSource::headerColumns()
{
    return d->columnsOf(d->type.headerQuery, "表头");
}

QList<DocumentColumn> DocumentSource::detailColumns()
{
    return d->columnsOf(d->type.detailQuery, "明细");
}
