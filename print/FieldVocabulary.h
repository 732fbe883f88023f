#pragma once

#include <QString>

#include <array>

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

// Data types: dates and times are never summed.
constexpr int DataTypeDateTime = 1;
constexpr int DataTypeNumber = 2;

// The five entries in the order the user sees them; entry 0 is fixed text.
const std::array<FieldCode, 5> &Entries();
// Index of the entry with this short code (or text), -1 when none.
int IndexOfCode(const QString &code);
int IndexOfText(const QString &text);

// The marker for an object's state, by precedence: subtotal, grand total,
// scrolling, single value.
QString Marker(bool sumed, bool sumedPage, bool isScroll);
QString Marker(const ObjDraw &obj);
// A bound object's caption: its marker followed by the entry's text.
QString BoundCaption(bool sumed, bool sumedPage, bool isScroll, const QString &entryText);
// The marker a caption starts with (longest first), or an empty string.
QString MarkerOf(const QString &caption);
// The caption without its marker.
QString EntryTextOf(const QString &caption);

} // namespace FieldVocabulary
