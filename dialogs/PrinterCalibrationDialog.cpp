#include "PrinterCalibrationDialog.h"

#include "DialogParts.h"
#include "NumberText.h"

#include "print/CalibrationSheet.h"
#include "print/Mod_Print.h"
#include "print/ReportedSlot.h"

#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "platform/PrinterCalibration.h"
#include "platform/Printers.h"
#include "platform/Units.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace {

QLineEdit *distanceBox(const char *name)
{
    auto *box = new QLineEdit;
    box->setObjectName(QLatin1String(name));
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("000.00")) + 12);
    return box;
}

QPushButton *button(const QString &caption, const char *name)
{
    auto *b = new QPushButton(caption);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

PrinterCalibrationDialog::PrinterCalibrationDialog(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("打印机校准"));
    createElements();
    layOut();
    showStoredOffset();
}

QString PrinterCalibrationDialog::printer() const
{
    return m_cmbPrinter->currentText();
}

void PrinterCalibrationDialog::createElements()
{
    m_cmbPrinter = new QComboBox;
    m_cmbPrinter->setObjectName(QStringLiteral("CmbPrinter"));
    const Printers &printers = Platform::printers();
    m_cmbPrinter->addItems(printers.names());
    const int preferred = m_cmbPrinter->findText(printers.defaultName());
    m_cmbPrinter->setCurrentIndex(preferred >= 0 ? preferred : 0);
    m_cmbPrinter->setEnabled(m_cmbPrinter->count() > 0);
    m_labOffset = new QLabel;
    m_labOffset->setObjectName(QStringLiteral("LabOffset"));
    m_txtLeft = distanceBox("TxtLeft");
    m_txtTop = distanceBox("TxtTop");
    m_txtRight = distanceBox("TxtRight");
    m_txtBottom = distanceBox("TxtBottom");
    m_cmdPrint = button(QStringLiteral("打印校准页(&P)"), "CmdPrint");
    m_cmdSave = button(QStringLiteral("计算并保存(&S)"), "CmdSave");
    m_cmdSave->setDefault(true);
    m_cmdReset = button(QStringLiteral("重置为 0(&Z)"), "CmdReset");
    m_cmdClose = button(QStringLiteral("关  闭(&C)"), "CmdClose");

    connect(m_cmbPrinter, &QComboBox::currentIndexChanged, this,
            reportedSlot(this, &PrinterCalibrationDialog::showStoredOffset));
    connect(m_cmdPrint, &QPushButton::clicked, this,
            reportedSlot(this, &PrinterCalibrationDialog::CmdPrint_Click));
    connect(m_cmdSave, &QPushButton::clicked, this,
            reportedSlot(this, &PrinterCalibrationDialog::CmdSave_Click));
    connect(m_cmdReset, &QPushButton::clicked, this,
            reportedSlot(this, &PrinterCalibrationDialog::CmdReset_Click));
    connect(m_cmdClose, &QPushButton::clicked, this, &QDialog::accept);
}

void PrinterCalibrationDialog::layOut()
{
    using DialogParts::buddyLabel;
    const QString inset = QString::number(CalibrationSheet::CrossInsetMm, 'f', 1);
    auto *printerRow = new QHBoxLayout;
    printerRow->addWidget(buddyLabel(QStringLiteral("打印机(&N)："), m_cmbPrinter));
    printerRow->addWidget(m_cmbPrinter, 1);
    printerRow->addWidget(m_cmdPrint);

    auto *steps = new QLabel(
        QStringLiteral("先打印校准页（按实际大小，不缩放），再用直尺量出两个十字中心到纸边的距离，"
                       "填在下面。十字印得准时，每个距离都是 %1 毫米。右下十字可以不填。")
            .arg(inset));
    steps->setWordWrap(true);

    const Qt::Alignment labelAlignment = Qt::AlignRight | Qt::AlignVCenter;
    auto *measured = new QGroupBox(QStringLiteral("量得的距离(毫米)"));
    auto *grid = new QGridLayout(measured);
    grid->addWidget(buddyLabel(QStringLiteral("左上十字到左边(&L)："), m_txtLeft), 0, 0,
                    labelAlignment);
    grid->addWidget(m_txtLeft, 0, 1);
    grid->addWidget(buddyLabel(QStringLiteral("到上边(&T)："), m_txtTop), 0, 2, labelAlignment);
    grid->addWidget(m_txtTop, 0, 3);
    grid->addWidget(buddyLabel(QStringLiteral("右下十字到右边(&R)："), m_txtRight), 1, 0,
                    labelAlignment);
    grid->addWidget(m_txtRight, 1, 1);
    grid->addWidget(buddyLabel(QStringLiteral("到下边(&B)："), m_txtBottom), 1, 2,
                    labelAlignment);
    grid->addWidget(m_txtBottom, 1, 3);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_labOffset, 1);
    buttons->addWidget(m_cmdSave);
    buttons->addWidget(m_cmdReset);
    buttons->addWidget(m_cmdClose);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(printerRow);
    layout->addWidget(steps);
    layout->addWidget(measured);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void PrinterCalibrationDialog::showStoredOffset()
{
    const bool any = !printer().isEmpty();
    m_labOffset->setText(any ? QStringLiteral("已存偏移：")
                                   + PrinterCalibration::describe(
                                       PrinterCalibration::offset(printer()))
                             : QStringLiteral("没有安装打印机：校准页打印到 PDF 文件，不存偏移。"));
    m_cmdSave->setEnabled(any);
    m_cmdReset->setEnabled(any);
}

void PrinterCalibrationDialog::CmdPrint_Click()
{
    Mod_Print::PrintCalibrationSheet(printer());
}

bool PrinterCalibrationDialog::readDistance(QLineEdit &box, bool required,
                                            std::optional<double> &value)
{
    const QString text = box.text().trimmed();
    value.reset();
    if (text.isEmpty()) {
        if (required)
            refuse(QStringLiteral("请填入量得的距离！"), box);
        return !required;
    }
    const double mm = NumberText::value(text);
    // A cross is printed 20 mm in; one that landed outside 0 to 40 mm
    // cannot be corrected within the limits.
    const double reach = CalibrationSheet::CrossInsetMm + PrinterCalibration::LimitMm;
    if (!Units::hasLeadingNumber(text) || mm < 0 || mm > reach) {
        refuse(QStringLiteral("量得的距离必须在 0 到 %1 毫米之间！").arg(reach), box);
        return false;
    }
    value = mm;
    return true;
}

void PrinterCalibrationDialog::CmdSave_Click()
{
    std::optional<double> left, top, right, bottom;
    if (!readDistance(*m_txtLeft, true, left) || !readDistance(*m_txtTop, true, top)
        || !readDistance(*m_txtRight, false, right) || !readDistance(*m_txtBottom, false, bottom))
        return;
    const QPointF printedWith = PrinterCalibration::offset(printer());
    const PrinterCalibration::Computed computed = PrinterCalibration::fromMeasured(
        printedWith, {*left, *top, right, bottom}, CalibrationSheet::CrossInsetMm);
    if (!PrinterCalibration::withinLimit(computed.offset)) {
        refuse(QStringLiteral("算出的偏移（%1）超出了 ±%2 毫米。请检查量得的距离，"
                              "或校准页是否放反了。")
                   .arg(PrinterCalibration::describe(computed.offset))
                   .arg(PrinterCalibration::LimitMm),
               *m_txtLeft);
        return;
    }
    const double disagreement
        = std::max(computed.disagreement.x(), computed.disagreement.y());
    if (disagreement > MaxDisagreementMm
        && Platform::dialogs().MsgBox(
               QStringLiteral("两个十字量得的偏移相差 %1 毫米：纸张大小或打印缩放可能不对"
                              "（应按实际大小打印）。仍然保存吗？")
                   .arg(QString::number(disagreement, 'f', 1)),
               MsgButtons::YesNo, MsgIcon::Exclamation, windowTitle())
               != MsgResult::Yes)
        return;
    PrinterCalibration::setOffset(printer(), computed.offset);
    showStoredOffset();
}

void PrinterCalibrationDialog::CmdReset_Click()
{
    PrinterCalibration::reset(printer());
    showStoredOffset();
}

void PrinterCalibrationDialog::refuse(const QString &message, QLineEdit &box)
{
    Platform::dialogs().MsgBox(message, MsgButtons::OK, MsgIcon::Exclamation, windowTitle());
    box.setFocus(Qt::OtherFocusReason);
    box.selectAll();
}
