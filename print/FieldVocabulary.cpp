#include "FieldVocabulary.h"

#include "model/ObjDraw.h"

#include <QStringList>

namespace FieldVocabulary {

const std::array<FieldCode, 5> &Entries()
{
    static const std::array<FieldCode, 5> entries = {{
        {FixedText, QString(), 0},
        {QStringLiteral("[页号]"), PageNo, DataTypeNumber},
        {QStringLiteral("[总页号]"), PageCount, DataTypeNumber},
        {QStringLiteral("[当前日期]"), CurrentDate, DataTypeDateTime},
        {QStringLiteral("[当前时间]"), CurrentTime, DataTypeDateTime},
    }};
    return entries;
}

int IndexOfCode(const QString &code)
{
    if (code.isEmpty())
        return -1;
    const auto &entries = Entries();
    for (int i = 0; i < int(entries.size()); ++i) {
        if (entries[i].Code == code)
            return i;
    }
    return -1;
}

int IndexOfText(const QString &text)
{
    const auto &entries = Entries();
    for (int i = 0; i < int(entries.size()); ++i) {
        if (entries[i].Text == text)
            return i;
    }
    return -1;
}

std::vector<FieldCode> DataEntries(const QList<DocumentColumn> &header,
                                   const QList<DocumentColumn> &detail)
{
    QStringList taken;
    for (const FieldCode &entry : Entries())
        taken << entry.Text;
    std::vector<FieldCode> entries;
    auto add = [&](const DocumentColumn &column, const QString &code, const QString &group) {
        QString text = QStringLiteral("[%1]").arg(column.name);
        if (taken.contains(text))
            text = QStringLiteral("[%1.%2]").arg(group, column.name);
        taken << text;
        entries.push_back({text, code, column.dataType});
    };
    for (const DocumentColumn &column : header)
        add(column, HeaderCode(column.name), QStringLiteral("表头"));
    for (const DocumentColumn &column : detail)
        add(column, DetailCode(column.name), QStringLiteral("明细"));
    return entries;
}

QString ShownText(const FieldCode &entry)
{
    return IsDetailCode(entry.Code) ? entry.Text + DetailMark : entry.Text;
}

QString HeaderCode(const QString &column)
{
    return HeaderPrefix + column;
}

QString DetailCode(const QString &column)
{
    return DetailPrefix + column;
}

bool IsHeaderCode(const QString &code)
{
    return code.startsWith(HeaderPrefix) && code.size() > HeaderPrefix.size();
}

bool IsDetailCode(const QString &code)
{
    return code.startsWith(DetailPrefix) && code.size() > DetailPrefix.size();
}

QString ColumnOf(const QString &code)
{
    if (IsHeaderCode(code))
        return code.mid(HeaderPrefix.size());
    if (IsDetailCode(code))
        return code.mid(DetailPrefix.size());
    return QString();
}

QString Marker(bool sumed, bool sumedPage, bool isScroll)
{
    if (sumed)
        return sumedPage ? MarkerSubtotal : MarkerTotal;
    return isScroll ? MarkerScroll : MarkerSingle;
}

QString Marker(const ObjDraw &obj)
{
    return Marker(obj.Sumed(), obj.SumedPage(), obj.IsScroll());
}

bool Scrolls(const ObjDraw &obj)
{
    return !obj.IsFix() && Marker(obj) == MarkerScroll;
}

QString BoundCaption(bool sumed, bool sumedPage, bool isScroll, const QString &entryText)
{
    return Marker(sumed, sumedPage, isScroll) + entryText;
}

QString MarkerOf(const QString &caption)
{
    for (const QString &marker : {MarkerSubtotal, MarkerTotal, MarkerScroll, MarkerSingle}) {
        if (caption.startsWith(marker))
            return marker;
    }
    return QString();
}

QString EntryTextOf(const QString &caption)
{
    return caption.mid(MarkerOf(caption).size());
}

} // namespace FieldVocabulary
