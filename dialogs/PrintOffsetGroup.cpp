#include "PrintOffsetGroup.h"

#include "DialogParts.h"
#include "NumberText.h"

#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "platform/PrinterCalibration.h"
#include "platform/Units.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include <cmath>

namespace {

const char *const Names[] = {"TxtOffsetLeft", "TxtOffsetTop"};
const char *const Labels[] = {"向右(&R)：", "向下(&B)："};

} // namespace

PrintOffsetGroup::PrintOffsetGroup(const QPointF &offset, QWidget *parent)
    : QGroupBox(QStringLiteral("打印偏移(毫米)"), parent)
{
    setObjectName(QStringLiteral("GrpOffset"));
    auto *row = new QHBoxLayout(this);
    const double twips[] = {offset.x(), offset.y()};
    for (int i = 0; i < 2; ++i) {
        m_txt[i] = new QLineEdit;
        m_txt[i]->setObjectName(QLatin1String(Names[i]));
        m_txt[i]->setMinimumWidth(
            m_txt[i]->fontMetrics().horizontalAdvance(QStringLiteral("-00.00")) + 12);
        m_shown[i] = {Units::formatMm(Units::twipsToMm(twips[i])), twips[i]};
        m_txt[i]->setText(m_shown[i].text);
        row->addWidget(DialogParts::buddyLabel(QString::fromUtf8(Labels[i]), m_txt[i]));
        row->addWidget(m_txt[i]);
    }
    auto *note = new QLabel(QStringLiteral("只用于打印机，加在打印机校准上；PDF 文件不偏移。"));
    note->setWordWrap(true);
    row->addWidget(note, 1);
}

std::optional<double> PrintOffsetGroup::fieldTwips(int field, const QString &title)
{
    const QString text = m_txt[field]->text();
    if (m_shown[field].unchanged(text))
        return m_shown[field].value;
    const double mm = std::round(NumberText::value(text) / PrinterCalibration::StepMm)
                      * PrinterCalibration::StepMm;
    if (std::abs(mm) > PrinterCalibration::LimitMm) {
        Platform::dialogs().MsgBox(QStringLiteral("打印偏移必须在 -%1 到 %1 毫米之间！")
                                       .arg(PrinterCalibration::LimitMm),
                                   MsgButtons::OK, MsgIcon::Exclamation, title);
        m_txt[field]->setFocus(Qt::OtherFocusReason);
        m_txt[field]->selectAll();
        return std::nullopt;
    }
    return Units::mmToTwips(mm);
}

std::optional<QPointF> PrintOffsetGroup::result(const QString &title)
{
    const std::optional<double> x = fieldTwips(0, title);
    if (!x)
        return std::nullopt;
    const std::optional<double> y = fieldTwips(1, title);
    if (!y)
        return std::nullopt;
    return QPointF(*x, *y);
}
