#include "mFrm_Select.h"

#include "ImageButton.h"
#include "TemplateCatalogue.h"
#include "mFrm_Main.h"

#include "store/TemplateStore.h"

#include "print/ReportedSlot.h"
#include "print/ShowErrMsg.h"

#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "platform/RuntimeError.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include <algorithm>

namespace {

const QString DesignCaption = QStringLiteral("选择单据：");

QLabel *buddyLabel(const QString &text, QWidget *buddy)
{
    auto *label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

} // namespace

mFrm_Select::mFrm_Select(TemplateCatalogue &catalogue, QWidget *parent)
    : QDialog(parent)
    , CmbType(new QComboBox)
    , CmbName(new QComboBox)
    , ImgDelete(new ImageButton(QStringLiteral("Delete")))
    , CmdOk(new QPushButton(QStringLiteral("确定(&O)")))
    , CmdCancel(new QPushButton(QStringLiteral("取消(&C)")))
    , m_catalogue(catalogue)
{
    setObjectName(QStringLiteral("mFrm_Select"));
    setWindowTitle(DesignCaption);
    setMouseTracking(true);
    CmbType->setObjectName(QStringLiteral("CmbType"));
    CmbName->setObjectName(QStringLiteral("CmbName"));
    ImgDelete->setObjectName(QStringLiteral("ImgDelete"));
    CmdOk->setObjectName(QStringLiteral("CmdOk"));
    CmdCancel->setObjectName(QStringLiteral("CmdCancel"));

    CmbName->setEditable(true);
    // Typed text is a name, never a new entry of the list.
    CmbName->setInsertPolicy(QComboBox::NoInsert);
    // Completing a typed name to a stored one would make 新建 name an
    // existing template.
    CmbName->setCompleter(nullptr);
    CmbName->setMinimumContentsLength(24);
    CmbName->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    ImgDelete->setToolTip(QStringLiteral("删除些单据"));
    CmdOk->setDefault(true);

    auto *grid = new QGridLayout;
    grid->addWidget(buddyLabel(QStringLiteral("单据类别(&T)："), CmbType), 0, 0);
    grid->addWidget(CmbType, 0, 1);
    grid->addWidget(buddyLabel(QStringLiteral("单据名称(&N)："), CmbName), 1, 0);
    grid->addWidget(CmbName, 1, 1);
    grid->addWidget(ImgDelete, 1, 2);
    auto *buttons = new QDialogButtonBox;
    buttons->addButton(CmdOk, QDialogButtonBox::AcceptRole);
    buttons->addButton(CmdCancel, QDialogButtonBox::RejectRole);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);

    connect(CmdOk, &QPushButton::clicked, this, reportedSlot(this, &mFrm_Select::CmdOk_Click));
    connect(CmdCancel, &QPushButton::clicked, this,
            reportedSlot(this, &mFrm_Select::CmdCancel_Click));
    connect(ImgDelete, &ImageButton::clicked, this,
            reportedSlot(this, &mFrm_Select::ImgDelete_Click));
    connect(CmbType, &QComboBox::activated, this, reportedSlot(this, &mFrm_Select::CmbType_Click));
}

void mFrm_Select::SetFlag(bool tmpNew, int16_t mOldType, const QString &bOldName)
{
    Q_UNUSED(bOldName);
    mbNew = tmpNew;
    // No flow reads what an earlier use left behind.
    mID = -1;
    CmbName->clearEditText();
    CmbType->clear();
    for (const Category &category : m_catalogue.store().categories())
        CmbType->addItem(category.name, int(category.id));
    // A template being saved keeps its category; otherwise the one marked
    // default in the options comes first.
    const int16_t preferred = mOldType >= 0 ? mOldType : m_catalogue.store().defaultCategory();
    CmbType->setCurrentIndex(CmbType->count() > 0 ? std::max(0, CmbType->findData(int(preferred)))
                                                  : -1);
    CmbType_Click();
    QString mode = QStringLiteral("打开");
    if (tmpNew)
        mode = mOldType > 0 ? QStringLiteral("另存为") : QStringLiteral("新建");
    setWindowTitle(DesignCaption + QStringLiteral(" - ") + mode);
    // The clerk types a name at once; the category is one Shift+Tab away.
    CmbName->setFocus(Qt::OtherFocusReason);
}


void mFrm_Select::CmbType_Click()
{
    CmbName->clear();
    if (CmbType->currentIndex() < 0)
        return;
    mScreenID = int16_t(CmbType->currentData().toInt());
    for (const TemplateEntry &entry : m_catalogue.store().templates(mScreenID))
        CmbName->addItem(entry.name, int(entry.id));
    // Nothing is chosen until the user chooses.
    CmbName->setCurrentIndex(-1);
    CmbName->clearEditText();
}

// A name typed exactly as a listed one chooses that entry.
int mFrm_Select::chosenEntry() const
{
    const QString text = CmbName->currentText();
    const int current = CmbName->currentIndex();
    if (current >= 0 && CmbName->itemText(current) == text)
        return current;
    return CmbName->findText(text);
}

void mFrm_Select::refuse(const QString &text)
{
    Platform::dialogs().MsgBox(text, MsgButtons::OK, MsgIcon::Exclamation, windowTitle());
    CmbName->setFocus(Qt::OtherFocusReason);
}

void mFrm_Select::CmdOk_Click()
{
    if (mbNew) {
        const QString name = CmbName->currentText().trimmed();
        CmbName->setEditText(name);
        if (name.isEmpty()) {
            refuse(QStringLiteral("请输入单据名称！"));
            return;
        }
        // Names are unique in a category, so 打开 is never ambiguous.
        if (m_catalogue.store().nameExists(mScreenID, name)) {
            refuse(QStringLiteral("单据“%1”已经存在，请输入其他名称！").arg(name));
            return;
        }
        mID = 0;
        mName = name;
    } else {
        const int entry = chosenEntry();
        if (entry < 0) {
            refuse(QStringLiteral("请选择单据名称！"));
            return;
        }
        mID = int16_t(CmbName->itemData(entry).toInt());
        mName = CmbName->itemText(entry);
    }
    accept();
}

void mFrm_Select::CmdCancel_Click()
{
    reject();
}

void mFrm_Select::reject()
{
    mID = -1;
    QDialog::reject();
}

// Deleting cannot be undone, so it is asked first; "删除成功！" comes only
// once the store has committed.
void mFrm_Select::ImgDelete_Click()
{
    try {
        const int entry = chosenEntry();
        if (entry < 0) {
            refuse(QStringLiteral("请选择单据名称！"));
            return;
        }
        const auto id = int16_t(CmbName->itemData(entry).toInt());
        const QString name = CmbName->itemText(entry);
        const MsgResult answer = Platform::dialogs().MsgBox(
            QStringLiteral("确定要删除单据“%1”吗？").arg(name), MsgButtons::YesNo,
            MsgIcon::Exclamation, windowTitle());
        if (answer != MsgResult::Yes)
            return;
        const bool existed = m_catalogue.store().remove(id);
        emit templateDeleted(id);
        CmbType_Click();
        if (!existed)
            throw RuntimeError(RuntimeError::TemplateNotFound, QString::number(id));
        Platform::dialogs().MsgBox(QStringLiteral("删除成功！"), MsgButtons::OK, MsgIcon::None,
                                   mFrm_Main::AppTitle());
    } catch (const RuntimeError &error) {
        ShowErrMsg(QStringLiteral("删除失败！\n") + error.Description());
    }
}

// Over the free area of the dialog the delete picture loses its border.
void mFrm_Select::mouseMoveEvent(QMouseEvent *event)
{
    QDialog::mouseMoveEvent(event);
    if (ImgDelete->isVisible())
        ImgDelete->setBorderStyle(ImageButton::NoBorder);
}
