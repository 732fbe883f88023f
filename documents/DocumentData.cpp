#include "DocumentData.h"

namespace {

int indexOf(const QStringList &columns, const QString &column)
{
    for (int i = 0; i < columns.size(); ++i) {
        if (columns.at(i).compare(column, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

} // namespace

int DocumentData::headerIndex(const QString &column) const
{
    return indexOf(headerColumns, column);
}

int DocumentData::detailIndex(const QString &column) const
{
    return indexOf(detailColumns, column);
}

QVariant DocumentData::headerValue(const QString &column) const
{
    const int i = headerIndex(column);
    return i < 0 || i >= header.size() ? QVariant() : header.at(i);
}

QVariant DocumentData::detailValue(int line, int column) const
{
    if (line < 0 || line >= lineCount() || column < 0 || column >= lines[std::size_t(line)].size())
        return QVariant();
    return lines[std::size_t(line)].at(column);
}
