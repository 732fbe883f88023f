#include "StoreChoice.h"

#include "TemplateCatalogue.h"

#include "store/StoreCopy.h"
#include "store/TemplateStore.h"

#include "print/ReportedSlot.h"
#include "print/ShowErrMsg.h"

#include "platform/AppTitle.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "platform/RuntimeError.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

StoreChoice::StoreChoice(QWidget *parent)
    : QGroupBox(QStringLiteral("模板库"), parent)
    , OptFile(new QRadioButton(QStringLiteral("本机文件(&F)")))
    , OptServer(new QRadioButton(QStringLiteral("服务器(&E)")))
    , TxtHost(new QLineEdit)
    , TxtPort(new QSpinBox)
    , TxtDatabase(new QLineEdit)
    , TxtUser(new QLineEdit)
    , CmdCopy(new QPushButton(QStringLiteral("把本机模板复制到服务器(&Y)")))
    , m_filePath(TemplateStore::defaultPath())
{
    setObjectName(QStringLiteral("StoreChoice"));
    OptFile->setObjectName(QStringLiteral("OptFile"));
    OptServer->setObjectName(QStringLiteral("OptServer"));
    TxtHost->setObjectName(QStringLiteral("TxtHost"));
    TxtPort->setObjectName(QStringLiteral("TxtPort"));
    TxtDatabase->setObjectName(QStringLiteral("TxtDatabase"));
    TxtUser->setObjectName(QStringLiteral("TxtUser"));
    CmdCopy->setObjectName(QStringLiteral("CmdCopy"));
    TxtPort->setRange(1, 65535);
    TxtPort->setValue(StoreLocation::DefaultPort);

    auto *kinds = new QHBoxLayout;
    kinds->addWidget(OptFile);
    kinds->addWidget(OptServer);
    kinds->addStretch();
    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("主机(&I):"), TxtHost);
    fields->addRow(QStringLiteral("端口(&K):"), TxtPort);
    fields->addRow(QStringLiteral("数据库(&G):"), TxtDatabase);
    fields->addRow(QStringLiteral("用户(&J):"), TxtUser);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(kinds);
    layout->addLayout(fields);
    layout->addWidget(CmdCopy);

    connect(OptServer, &QRadioButton::toggled, this, [this] { enableServerFields(); });
    connect(CmdCopy, &QPushButton::clicked, this, reportedSlot(this, &StoreChoice::CmdCopy_Click));
    showLocation(StoreLocation::file(m_filePath));
}

void StoreChoice::showLocation(const StoreLocation &location)
{
    if (!location.isServer())
        m_filePath = location.path;
    OptServer->setChecked(location.isServer());
    OptFile->setChecked(!location.isServer());
    if (location.isServer()) {
        TxtHost->setText(location.host);
        TxtPort->setValue(location.port);
        TxtDatabase->setText(location.database);
        TxtUser->setText(location.user);
    }
    enableServerFields();
}

std::optional<StoreLocation> StoreChoice::chosen(QString &error) const
{
    if (OptFile->isChecked())
        return StoreLocation::file(m_filePath);
    const StoreLocation location
        = StoreLocation::server(TxtHost->text().trimmed(), TxtPort->value(),
                                TxtDatabase->text().trimmed(), TxtUser->text().trimmed());
    if (location.host.isEmpty() || location.database.isEmpty() || location.user.isEmpty()) {
        error = QStringLiteral("请填写服务器的主机、数据库和用户。");
        return std::nullopt;
    }
    return location;
}

void StoreChoice::enableServerFields()
{
    const bool server = OptServer->isChecked();
    for (QWidget *field : {static_cast<QWidget *>(TxtHost), static_cast<QWidget *>(TxtPort),
                           static_cast<QWidget *>(TxtDatabase), static_cast<QWidget *>(TxtUser),
                           static_cast<QWidget *>(CmdCopy)})
        field->setEnabled(server);
}

// Safe to run again: what the server has of a name already is kept and named.
void StoreChoice::CmdCopy_Click()
{
    QString error;
    const std::optional<StoreLocation> server = chosen(error);
    if (!server || !server->isServer()) {
        ShowErrMsg(error);
        return;
    }
    StoreCopy::Result result;
    try {
        TemplateStore from(m_filePath, TemplateStore::Access::ReadOnly);
        const std::unique_ptr<TemplateStore> to = TemplateCatalogue::open(*server);
        result = StoreCopy::copyAll(from, *to);
    } catch (const RuntimeError &e) {
        ShowErrMsg(QStringLiteral("复制未完成！\n") + e.Description() + QLatin1Char('\n')
                   + e.Source());
        return;
    }
    QString text = QStringLiteral("已复制 %1 个单据类别、%2 张单据模板到服务器。")
                       .arg(result.categoriesAdded)
                       .arg(result.templatesAdded);
    if (!result.kept.isEmpty())
        text += QStringLiteral("\n服务器上已有同名的，未覆盖：\n") + result.kept.join(QLatin1Char('\n'));
    Platform::dialogs().MsgBox(text, MsgButtons::OK, MsgIcon::Information, AppTitle());
}
