// The main window's 导出 and 导入: a template to a file of its own and back
// into the store.

#include "mFrm_Main.h"

#include "store/TemplateFile.h"
#include "store/TemplateStore.h"

#include "print/ShowErrMsg.h"

#include "platform/Dialogs.h"
#include "platform/MessageBoxTypes.h"
#include "platform/Platform.h"
#include "platform/RuntimeError.h"

#include <QFileInfo>

namespace {

QString fileFilter()
{
    return QStringLiteral("模板文件 (*.%1)|*.%1").arg(QLatin1String(TemplateFile::Suffix));
}

} // namespace

// The window's template as it stands, saved or not: what is exported is
// what the clerk sees.
void mFrm_Main::ExportActive()
{
    mFrm_Bill *bill = gActiveBill();
    if (!bill)
        return;
    FileDialogRequest request;
    request.title = QStringLiteral("导出模板");
    request.filter = fileFilter();
    const QString name = bill->Caption().isEmpty() ? QStringLiteral("模板") : bill->Caption();
    request.initialPath = name + QLatin1Char('.') + QLatin1String(TemplateFile::Suffix);
    std::optional<QString> path = Platform::dialogs().SaveFile(request);
    if (!path || path->isEmpty())
        return;
    if (QFileInfo(*path).suffix().isEmpty())
        *path += QLatin1Char('.') + QLatin1String(TemplateFile::Suffix);
    try {
        QString categoryName;
        for (const Category &c : m_catalogue.store().categories()) {
            if (c.id == bill->mScreenID())
                categoryName = c.name;
        }
        bill->record().Caption = bill->Caption();
        TemplateFile::write(bill->record(), categoryName, *path);
    } catch (const RuntimeError &error) {
        reportStoreFailure(QStringLiteral("导出失败！"), error);
        return;
    }
    Platform::dialogs().MsgBox(QStringLiteral("已导出到 %1").arg(*path), MsgButtons::OK,
                               MsgIcon::Information, AppTitle());
}

// The file's template becomes a new template of the store, in the category
// of its category's name (else the default), and opens in a window.
void mFrm_Main::ImportTemplate()
{
    FileDialogRequest request;
    request.title = QStringLiteral("导入模板");
    request.filter = fileFilter();
    const std::optional<QString> path = Platform::dialogs().OpenFile(request);
    if (!path || path->isEmpty())
        return;
    BillTemplate imported;
    try {
        TemplateFile::importTemplate(m_catalogue.store(), *path, imported);
    } catch (const RuntimeError &error) {
        ShowErrMsg(QStringLiteral("导入失败！\n") + error.Description() + QStringLiteral("\n")
                   + error.Source());
        return;
    }
    openDesigner(imported.mID, imported.Caption, imported.mScreenID);
}
