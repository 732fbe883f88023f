#include "DocumentMessages.h"

#include "documents/DocumentType.h"
#include "platform/RuntimeError.h"

namespace DocumentMessages {

QString ForError(const RuntimeError &error, const DocumentType &type, int32_t billNo)
{
    switch (error.Number()) {
    case RuntimeError::DocumentNotFound:
        return QStringLiteral("单据类别“%1”中没有单据号为 %2 的单据，打印没有开始。")
            .arg(type.name)
            .arg(billNo);
    case RuntimeError::DataSourceUnreachable:
        return QStringLiteral("无法连接单据类别“%1”的数据源 %2：\r\n%3")
            .arg(type.name, type.source.displayName(), error.Description());
    case RuntimeError::DataSourceQueryFailed:
        return QStringLiteral("单据类别“%1”的查询出错：\r\n%2").arg(type.name, error.Description());
    case RuntimeError::DemoDatabaseFailed:
        return error.Description();
    default:
        return QStringLiteral("无法读取单据类别“%1”的单据 %2：\r\n%3")
            .arg(type.name)
            .arg(billNo)
            .arg(error.Description());
    }
}

QString FieldsUnavailable(const RuntimeError &error)
{
    return QStringLiteral("无法读取单据类别“%1”的字段，只能选择固定的字段：\r\n%2")
        .arg(error.Source(), error.Description());
}

QString MissingColumns(const QString &typeName, const QStringList &columns)
{
    return QStringLiteral("单据类别“%1”的查询不再返回以下字段，它们将打印为空：\r\n%2")
        .arg(typeName, columns.join(QStringLiteral("、")));
}

} // namespace DocumentMessages
