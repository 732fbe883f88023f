#include "FindListIndex.h"

#include "platform/Units.h"

#include <QComboBox>

namespace {

class ComboListSource : public ListSource
{
public:
    explicit ComboListSource(const QComboBox &combo) : m_combo(combo) {}
    int ListCount() const override { return m_combo.count(); }
    QString List(int index) const override { return m_combo.itemText(index); }
    int32_t ItemData(int index) const override { return m_combo.itemData(index).toInt(); }

private:
    const QComboBox &m_combo;
};

} // namespace

int16_t FindListIndex(const ListSource &tmpList, const QString &tmpKey, bool tmpByItemData)
{
    const int n = tmpList.ListCount();
    const double value = Units::leadingNumber(tmpKey);
    const bool byValue = tmpByItemData || tmpKey == QLatin1String("0") || value != 0.0;
    for (int i = 0; i < n; ++i) {
        const bool match = byValue ? double(tmpList.ItemData(i)) == value
                                   : tmpList.List(i) == tmpKey;
        if (match)
            return int16_t(i);
    }
    return -1;
}

int16_t FindListIndex(const QComboBox &tmpList, const QString &tmpKey, bool tmpByItemData)
{
    return FindListIndex(ComboListSource(tmpList), tmpKey, tmpByItemData);
}
