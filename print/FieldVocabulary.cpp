#include "FieldVocabulary.h"

#include "model/ObjDraw.h"

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
