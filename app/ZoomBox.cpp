#include "ZoomBox.h"

#include "designer/ZoomSteps.h"

#include "platform/AppTitle.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"

#include <QLineEdit>

ZoomBox::ZoomBox(QWidget *parent)
    : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    for (double step : ZoomSteps::Steps)
        addItem(ZoomSteps::text(step), step);
    setMinimumContentsLength(5);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (index >= 0)
            take(itemText(index));
    });
    connect(lineEdit(), &QLineEdit::returnPressed, this, [this] { take(lineEdit()->text()); });
    showZoom(m_zoom);
}

void ZoomBox::showZoom(double zoom)
{
    m_zoom = zoom;
    const QString text = ZoomSteps::text(zoom);
    const int index = findText(text);
    if (index >= 0)
        setCurrentIndex(index);
    setEditText(text);
}

void ZoomBox::take(const QString &text)
{
    const std::optional<double> zoom = ZoomSteps::parse(text);
    if (!zoom) {
        Platform::dialogs().MsgBox(QStringLiteral("请输入 25% 到 800% 之间的缩放比例！"),
                                   MsgButtons::OK, MsgIcon::Exclamation, AppTitle());
        showZoom(m_zoom);
        return;
    }
    showZoom(*zoom);
    emit zoomChosen(*zoom);
}
