#include "mfrm_Option.h"

#include "DocumentTypeEditor.h"
#include "StoreChoice.h"

#include "print/ReportedSlot.h"
#include "print/ShowErrMsg.h"

#include "platform/RuntimeError.h"
#include "store/TemplateStore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

mfrm_Option::mfrm_Option(TemplateStore &store, QWidget *parent)
    : QDialog(parent)
    , ChkDefMode(new QCheckBox(QStringLiteral("默认系统(&D)")))
    , CmbSystem(new QComboBox)
    , CmdOK(new QPushButton(QStringLiteral("确 定(&O)")))
    , CmdCancel(new QPushButton(QStringLiteral("取 消(&C)")))
    , m_store(store)
    , m_editor(new DocumentTypeEditor(store, *CmbSystem, *ChkDefMode))
    , m_storeChoice(new StoreChoice)
{
    setObjectName(QStringLiteral("mfrm_Option"));
    setWindowTitle(QStringLiteral("套打系统选项:"));
    ChkDefMode->setObjectName(QStringLiteral("ChkDefMode"));
    CmbSystem->setObjectName(QStringLiteral("CmbSystem"));
    CmdOK->setObjectName(QStringLiteral("CmdOK"));
    CmdCancel->setObjectName(QStringLiteral("CmdCancel"));
    m_editor->setObjectName(QStringLiteral("DocumentTypeEditor"));
    CmdOK->setDefault(true);

    auto *label = new QLabel(QStringLiteral("请选择系统(&M):"));
    label->setBuddy(CmbSystem);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CmdOK);
    buttons->addWidget(CmdCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_storeChoice);
    layout->addWidget(label);
    layout->addWidget(CmbSystem);
    layout->addWidget(ChkDefMode);
    layout->addWidget(m_editor);
    layout->addLayout(buttons);

    connect(CmdOK, &QPushButton::clicked, this, reportedSlot(this, &mfrm_Option::CmdOK_Click));
    connect(CmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void mfrm_Option::load()
{
    m_storeChoice->showLocation(m_store.location());
    m_editor->reload();
}

// The mark is written before the dialog closes, so a refused write leaves
// the user in front of the choice that was not kept.
void mfrm_Option::CmdOK_Click()
{
    QString refused;
    const std::optional<StoreLocation> location = m_storeChoice->chosen(refused);
    if (!location) {
        ShowErrMsg(refused);
        return;
    }
    m_changedLocation.reset();
    if (!(*location == m_store.location()))
        m_changedLocation = location;
    try {
        m_editor->apply();
    } catch (const RuntimeError &error) {
        ShowErrMsg(QStringLiteral("默认系统未保存！\n") + error.Description() + QLatin1Char('\n')
                   + m_store.path());
        return;
    }
    accept();
}
