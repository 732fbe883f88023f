#include "BarcodeFields.h"

#include "DialogParts.h"
#include "NumberText.h"

#include "print/FindListIndex.h"

#include "platform/BarcodeSymbol.h"
#include "platform/Units.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

using DialogParts::buddyLabel;

constexpr DialogParts::ListEntry QrLevels[] = {
    {u"L（约 7%）", BarcodeLook::QrL},
    {u"M（约 15%）", BarcodeLook::QrM},
    {u"Q（约 25%）", BarcodeLook::QrQ},
    {u"H（约 30%）", BarcodeLook::QrH},
};

void selectByData(QComboBox &list, int value)
{
    list.setCurrentIndex(FindListIndex(list, QString::number(value), true));
}

} // namespace

BarcodeFields::BarcodeFields(QWidget *parent)
    : QGroupBox(QStringLiteral("条码："), parent)
{
    m_cmbBarcode = new QComboBox;
    m_cmbBarcode->setObjectName(QStringLiteral("CmbBarcode"));
    for (int type = BarcodeLook::FirstType; type <= BarcodeLook::LastType; ++type)
        m_cmbBarcode->addItem(BarcodeSymbol::typeName(type), type);
    m_txtModuleWidth = new QLineEdit;
    m_txtModuleWidth->setObjectName(QStringLiteral("TxtModuleWidth"));
    m_txtModuleWidth->setMaximumWidth(
        m_txtModuleWidth->fontMetrics().horizontalAdvance(QStringLiteral("0.000")) + 16);
    m_cmbQrLevel = new QComboBox;
    m_cmbQrLevel->setObjectName(QStringLiteral("CmbQrLevel"));
    DialogParts::fill(*m_cmbQrLevel, QrLevels);
    m_chkBarcodeText = new QCheckBox(QStringLiteral("条码下印文字"));
    m_chkBarcodeText->setObjectName(QStringLiteral("ChkBarcodeText"));

    auto *widthRow = new QHBoxLayout;
    widthRow->addWidget(m_txtModuleWidth);
    widthRow->addWidget(new QLabel(QStringLiteral("(mm)")));
    widthRow->addStretch();

    auto *grid = new QGridLayout(this);
    grid->addWidget(buddyLabel(QStringLiteral("显示为(&D)："), m_cmbBarcode), 0, 0,
                    Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(m_cmbBarcode, 0, 1);
    grid->addWidget(buddyLabel(QStringLiteral("纠错等级(&E)："), m_cmbQrLevel), 0, 2,
                    Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(m_cmbQrLevel, 0, 3);
    grid->addWidget(buddyLabel(QStringLiteral("模块宽度(&M)："), m_txtModuleWidth), 1, 0,
                    Qt::AlignRight | Qt::AlignVCenter);
    grid->addLayout(widthRow, 1, 1);
    grid->addWidget(m_chkBarcodeText, 1, 2, 1, 2);
    grid->setColumnStretch(4, 1);

    connect(m_cmbBarcode, &QComboBox::currentIndexChanged, this, &BarcodeFields::CmbBarcode_Click);
    setLook(BarcodeLook());
}

void BarcodeFields::setLook(const BarcodeLook &look)
{
    selectByData(*m_cmbBarcode, look.type);
    m_txtModuleWidth->setText(Units::plainNumber(look.moduleWidth));
    selectByData(*m_cmbQrLevel, look.qrLevel);
    m_chkBarcodeText->setChecked(look.showText);
    CmbBarcode_Click();
}

double BarcodeFields::typedModuleWidth() const
{
    return BarcodeLook::roundedWidth(NumberText::value(m_txtModuleWidth->text()));
}

BarcodeLook BarcodeFields::look() const
{
    BarcodeLook look;
    look.type = m_cmbBarcode->currentIndex() >= 0 ? m_cmbBarcode->currentData().toInt()
                                                  : BarcodeLook::Text;
    look.moduleWidth = typedModuleWidth();
    if (!BarcodeLook::isModuleWidth(look.moduleWidth))
        look.moduleWidth = BarcodeLook::DefaultModuleWidth;
    look.qrLevel = m_cmbQrLevel->currentIndex() >= 0 ? m_cmbQrLevel->currentData().toInt()
                                                     : BarcodeLook::QrM;
    look.showText = m_chkBarcodeText->isChecked();
    return look;
}

QString BarcodeFields::moduleWidthProblem() const
{
    if (!m_txtModuleWidth->isEnabled())
        return QString();
    if (BarcodeLook::isModuleWidth(typedModuleWidth()))
        return QString();
    return QStringLiteral("模块宽度应在 %1 到 %2 mm 之间！")
        .arg(Units::plainNumber(BarcodeLook::MinModuleWidth),
             Units::plainNumber(BarcodeLook::MaxModuleWidth));
}

void BarcodeFields::CmbBarcode_Click()
{
    BarcodeLook chosen;
    chosen.type = m_cmbBarcode->currentData().toInt();
    m_txtModuleWidth->setEnabled(chosen.isLinear());
    m_chkBarcodeText->setEnabled(chosen.isLinear());
    m_cmbQrLevel->setEnabled(chosen.type == BarcodeLook::QrCode);
}
