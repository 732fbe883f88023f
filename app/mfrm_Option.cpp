#include "mfrm_Option.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

mfrm_Option::mfrm_Option(QWidget *parent)
    : QDialog(parent)
    , ChkDefMode(new QCheckBox(QStringLiteral("默认系统(&D)")))
    , CmbSystem(new QComboBox)
    , CmdOK(new QPushButton(QStringLiteral("确 定(&O)")))
    , CmdCancel(new QPushButton(QStringLiteral("取 消(&C)")))
{
    setObjectName(QStringLiteral("mfrm_Option"));
    setWindowTitle(QStringLiteral("套打系统选项:"));
    ChkDefMode->setObjectName(QStringLiteral("ChkDefMode"));
    CmbSystem->setObjectName(QStringLiteral("CmbSystem"));
    CmdOK->setObjectName(QStringLiteral("CmdOK"));
    CmdCancel->setObjectName(QStringLiteral("CmdCancel"));
    CmdOK->setDefault(true);

    auto *label = new QLabel(QStringLiteral("请选择系统(&M):"));
    label->setBuddy(CmbSystem);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CmdOK);
    buttons->addWidget(CmdCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(ChkDefMode);
    layout->addWidget(label);
    layout->addWidget(CmbSystem);
    layout->addLayout(buttons);

    connect(CmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(CmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void mfrm_Option::listSystems(const QList<Category> &categories)
{
    CmbSystem->clear();
    for (const Category &category : categories)
        CmbSystem->addItem(category.name, int(category.id));
}
