#pragma once

#include "documents/DocumentColumn.h"

#include <QList>
#include <QString>

#include <array>
#include <vector>

class ObjDraw;

// One entry of the binding vocabulary: what the user picks, the short code
// stored in the label's Tag and the data type (0 for fixed text).
struct FieldCode
{
    QString Text;
    QString Code;
    int DataType;
};

// The field codes a text can be bound to and the markers a bound caption
// starts with. The property dialog offers this table; page composition
// reads it back.
namespace FieldVocabulary {

inline const QString FixedText = QStringLiteral("（固定文本）");
inline const QString PageNo = QStringLiteral("#P");
inline const QString PageCount = QStringLiteral("#N");
inline const QString CurrentDate = QStringLiteral("#D");
inline const QString CurrentTime = QStringLiteral("#T");

inline const QString MarkerSubtotal = QStringLiteral("[小计]");
inline const QString MarkerTotal = QStringLiteral("[总计]");
inline const QString MarkerScroll = QStringLiteral("^");
inline const QString MarkerSingle = QStringLiteral("#");

// Short codes of a document's columns: "@H:" and the column name for a
// header value, "@D:" for a detail field. They start with "@", so no column
// name can make one of the run-time codes ("#P", "#N", "#D", "#T").
inline const QString HeaderPrefix = QStringLiteral("@H:");
inline const QString DetailPrefix = QStringLiteral("@D:");

// Data types: dates and times are never summed.
constexpr int DataTypeDateTime = 1;
constexpr int DataTypeNumber = 2;

// The five entries in the order the user sees them; entry 0 is fixed text.
const std::array<FieldCode, 5> &Entries();
// Index of the entry with this short code (or text), -1 when none.
int IndexOfCode(const QString &code);
int IndexOfText(const QString &text);

// The entries of a document type's columns, offered after the five: the
// header columns as single values, then the detail columns, each shown as
// "[列名]"; a text already taken (by the five or an earlier column) gets
// "表头." or "明细." before the name.
std::vector<FieldCode> DataEntries(const QList<DocumentColumn> &header,
                                   const QList<DocumentColumn> &detail);
// What the field list shows for an entry: a detail column, which scrolls
// over the page's rows, is marked "（明细）" after its text ("[金额]（明细）"),
// so it is told from the header's values; what is stored is the entry's
// own text.
QString ShownText(const FieldCode &entry);
inline const QString DetailMark = QStringLiteral("（明细）");
QString HeaderCode(const QString &column);
QString DetailCode(const QString &column);
bool IsHeaderCode(const QString &code);
bool IsDetailCode(const QString &code);
// The column a header or detail code names; empty for any other code.
QString ColumnOf(const QString &code);

// The marker for an object's state, by precedence: subtotal, grand total,
// scrolling, single value.
QString Marker(bool sumed, bool sumedPage, bool isScroll);
QString Marker(const ObjDraw &obj);
// A bound object that repeats over the scrolling grid (marker "^").
bool Scrolls(const ObjDraw &obj);
// A bound object's caption: its marker followed by the entry's text.
QString BoundCaption(bool sumed, bool sumedPage, bool isScroll, const QString &entryText);
// The marker a caption starts with (longest first), or an empty string.
QString MarkerOf(const QString &caption);
// The caption without its marker.
QString EntryTextOf(const QString &caption);

} // namespace FieldVocabulary
