// The catalogue flows of the main window: 新建, 打开, 保存 and 另存为 through
// the selection dialog and the template store.

#include "mFrm_Main.h"

#include "mFrm_Select.h"
#include "StoreChoice.h"
#include "mfrm_Option.h"

#include "app/DocumentTypeCatalog.h"

#include "store/TemplateStore.h"

#include "print/ReportedSlot.h"
#include "print/ShowErrMsg.h"

#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "platform/RuntimeError.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QVBoxLayout>

#include <memory>

namespace {

// Share of the workspace a new designer window takes.
constexpr double NewFrameShare = 0.8;

// Why a save was refused: the stored template is newer than the one the
// window opened, and since when, so the clerk knows whose work it is.
QString changedElsewhere(const QDateTime &savedAt)
{
    if (!savedAt.isValid())
        return QStringLiteral("单据“%1”在您打开之后已在别处修改并保存过。");
    return QStringLiteral("单据“%1”在您打开之后已在别处修改并保存过（%2）。")
        .arg(QStringLiteral("%1"),
             savedAt.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
}

} // namespace

std::optional<StoreLocation> mFrm_Main::askStoreAlone()
{
    QDialog dialog(this);
    dialog.setWindowTitle(QStringLiteral("选择模板库"));
    auto *choice = new StoreChoice;
    choice->showLocation(m_catalogue.location());
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(choice);
    layout->addWidget(buttons);
    std::optional<StoreLocation> chosen;
    connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
        QString refused;
        chosen = choice->chosen(refused);
        if (chosen)
            dialog.accept();
        else
            ShowErrMsg(refused);
    });
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (Platform::dialogs().ExecModal(dialog) != QDialog::Accepted)
        return std::nullopt;
    return chosen;
}

mFrm_Select &mFrm_Main::loadSelectDialog()
{
    if (!m_select) {
        m_select = std::make_unique<mFrm_Select>(m_catalogue, this);
        connect(m_select.get(), &mFrm_Select::templateDeleted, this,
                reportedSlot(this, &mFrm_Main::forgetDeletedTemplate));
        m_selLoad = true;
    }
    return *m_select;
}

QList<mFrm_Bill *> mFrm_Main::designers() const
{
    QList<mFrm_Bill *> bills;
    for (QMdiSubWindow *frame : m_workspace->subWindowList(QMdiArea::CreationOrder)) {
        if (auto *bill = qobject_cast<mFrm_Bill *>(frame->widget()))
            bills.append(bill);
    }
    return bills;
}

mFrm_Bill *mFrm_Main::designerShowing(int16_t id) const
{
    for (mFrm_Bill *bill : designers()) {
        if (bill->mID() == id)
            return bill;
    }
    return nullptr;
}

// The store's own words say what went wrong; the file says where.
void mFrm_Main::reportStoreFailure(const QString &headline, const RuntimeError &error)
{
    QString text = error.Description() + QStringLiteral("\n") + m_catalogue.path();
    if (!headline.isEmpty())
        text = headline + QStringLiteral("\n") + text;
    ShowErrMsg(text);
}

void mFrm_Main::OpenBill(bool tmpNew)
{
    mFrm_Select &dialog = loadSelectDialog();
    try {
        dialog.SetFlag(tmpNew, -1, QString());
    } catch (const RuntimeError &error) {
        reportStoreFailure(QString(), error);
        return;
    }
    if (Platform::dialogs().ExecModal(dialog) != QDialog::Accepted || dialog.mID < 0)
        return;
    if (dialog.mID > 0) {
        if (mFrm_Bill *shown = designerShowing(dialog.mID)) {
            showBill(*shown);
            return;
        }
    }
    openDesigner(dialog.mID, dialog.mName, dialog.mScreenID);
}

void mFrm_Main::openDesigner(int16_t id, const QString &name, int16_t screenID)
{
    auto *bill = new mFrm_Bill(*this);
    bill->setBillSource(&m_catalogue);
    bill->setCaption(name);
    bill->setMScreenID(screenID);
    QMdiSubWindow *frame = m_workspace->addSubWindow(bill);
    frame->resize(m_workspace->viewport()->size() * NewFrameShare);
    frame->show();
    showBill(*bill);
    if (id > 0)
        bill->LoadBill(id);
    refreshDataSource();
}

void mFrm_Main::showBill(mFrm_Bill &bill)
{
    if (auto *frame = qobject_cast<QMdiSubWindow *>(bill.parentWidget()))
        m_workspace->setActiveSubWindow(frame);
    setGActiveBill(&bill);
}

void mFrm_Main::SaveActive(bool bSaveAs)
{
    if (!gActiveBill())
        return;
    SaveBill(bSaveAs ? int16_t(-1) : gActiveBill()->mID());
}

bool mFrm_Main::SaveBill(int16_t tmpID)
{
    mFrm_Bill *bill = gActiveBill();
    return bill && saveBill(*bill, tmpID);
}

bool mFrm_Main::SaveBill(mFrm_Bill &bill)
{
    return saveBill(bill, bill.mID());
}

// A template is written whole or not at all; "保存成功！" comes only after
// the store has committed. A save that would overwrite what it should not
// is not reported as success: it says why and offers 另存为.
bool mFrm_Main::saveBill(mFrm_Bill &bill, int16_t tmpID)
{
    try {
        TemplateStore &store = m_catalogue.store();
        if (tmpID == -1) {
            mFrm_Select &dialog = loadSelectDialog();
            dialog.SetFlag(true, bill.mScreenID(), bill.Caption());
            if (Platform::dialogs().ExecModal(dialog) != QDialog::Accepted || dialog.mID < 0)
                return false;
            store.saveAs(bill.record(), dialog.mName, dialog.mScreenID);
        } else {
            if (store.nameExists(bill.mScreenID(), bill.Caption(), bill.mID()))
                return offerSaveAs(bill, QStringLiteral("已有另一张单据名为“%1”。"));
            switch (store.save(bill.record())) {
            case SaveResult::Saved:
                break;
            case SaveResult::TemplateGone:
                // Deleted by another clerk: the window holds a new template
                // now, as when it is deleted here.
                forgetDeletedTemplate(bill.mID());
                return offerSaveAs(bill, QStringLiteral("单据“%1”已从单据模板库中删除。"));
            case SaveResult::ChangedElsewhere:
                return offerSaveAs(bill, changedElsewhere(store.savedAt(bill.mID())));
            }
        }
    } catch (const RuntimeError &error) {
        reportStoreFailure(QStringLiteral("保存失败！"), error);
        return false;
    }
    bill.setCaption(bill.record().Caption);
    bill.setMChanged(false);
    refreshDataSource();
    Platform::dialogs().MsgBox(QStringLiteral("保存成功！"), MsgButtons::OK, MsgIcon::Exclamation,
                               AppTitle());
    return true;
}

bool mFrm_Main::offerSaveAs(mFrm_Bill &bill, const QString &reason)
{
    const MsgResult answer = Platform::dialogs().MsgBox(
        reason.arg(bill.Caption()) + QStringLiteral("\n是否另存为新单据？"), MsgButtons::YesNo,
        MsgIcon::Exclamation, AppTitle());
    return answer == MsgResult::Yes && saveBill(bill, -1);
}

// A window still showing a deleted template keeps its content, which is
// now stored nowhere: it is a new, unsaved template.
void mFrm_Main::forgetDeletedTemplate(int16_t id)
{
    for (mFrm_Bill *bill : designers()) {
        if (bill->mID() != id)
            continue;
        bill->setMID(0);
        bill->record().mRevision = 0;
        bill->setMChanged(true);
    }
}

// OK keeps the default mark; whatever the editor stored meanwhile is
// stored either way, so the session takes the types up again after both.
void mFrm_Main::ShowOptions()
{
    std::unique_ptr<mfrm_Option> dialog;
    try {
        dialog = std::make_unique<mfrm_Option>(m_catalogue.store(), this);
        dialog->load();
    } catch (const RuntimeError &error) {
        reportStoreFailure(QString(), error);
        // A store that cannot be reached may still be left for another.
        if (const std::optional<StoreLocation> other = askStoreAlone())
            switchStore(*other);
        return;
    }
    Platform::dialogs().ExecModal(*dialog);
    const std::optional<StoreLocation> changed = dialog->changedLocation();
    dialog.reset();
    if (changed)
        switchStore(*changed);
    InitSystem();
}

// Windows hold ids and revisions of the store they came from; another store
// could take them for its own templates, so the switch waits for them.
void mFrm_Main::switchStore(const StoreLocation &location)
{
    if (!designers().isEmpty()) {
        ShowErrMsg(QStringLiteral("模板库未更换：请先关闭所有单据窗口，再更换模板库。"));
        return;
    }
    TemplateCatalogue::chooseLocation(location);
    m_catalogue.setLocation(std::nullopt);
}
