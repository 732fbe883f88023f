// The designer commands the main window sends to the active designer. Each
// first ends a pointer gesture it interrupts (a shortcut can be pressed while
// the mouse button is held).

#include "mFrm_Bill.h"

#include "BillSource.h"
#include "PageView.h"

#include "dialogs/mFrm_PageSetup.h"
#include "dialogs/mFrm_Prop.h"

#include "model/ObjDraw.h"
#include "model/ObjHds.h"

#include "print/PreviewCommand.h"
#include "print/ShowErrMsg.h"

#include "platform/Dialogs.h"
#include "platform/Element.h"
#include "platform/Platform.h"
#include "platform/RuntimeError.h"

namespace {

// Geometry moved apart by a clone, in twips.
constexpr int CloneOffset = 15;

bool anyShown(const ObjDraws &objs)
{
    for (const auto &obj : objs) {
        if (obj->ObjCtl() && obj->ObjCtl()->Visible())
            return true;
    }
    return false;
}


constexpr auto Places = TemplateHistory::Scope::Places;
constexpr auto Locks = TemplateHistory::Scope::Locks;
constexpr auto Edits = TemplateHistory::Scope::Edits;
constexpr auto PageSettings = TemplateHistory::Scope::Page;

} // namespace

void mFrm_Bill::SetAlign(int32_t alignpar)
{
    endGesture();
    recordStep(Places, QStringLiteral("对齐"), [&] {
        try {
            mObjs().AlginToCur(alignpar);
        } catch (const RuntimeError &) {
            ShowErrMsg(QStringLiteral("操作失败！"));
        }
    });
}

void mFrm_Bill::SetSameSize(int32_t sizepar)
{
    endGesture();
    recordStep(Places, QStringLiteral("相同尺寸"), [&] {
        try {
            mObjs().MakeSameSize(sizepar);
        } catch (const RuntimeError &) {
            ShowErrMsg(QStringLiteral("操作失败！"));
        }
    });
}

void mFrm_Bill::CloneObj()
{
    endGesture();
    if (mObjs().nActCount() == 0)
        return;
    recordStep(Places, QStringLiteral("克隆"), [&] {
        try {
            mObjs().CloneActObj(CloneOffset);
        } catch (const RuntimeError &error) {
            if (error.Number() == RuntimeError::ObjectLimitReached)
                ShowErrMsg(QStringLiteral("对象数量已超出上限！"));
            else
                ShowErrMsg(QString(), &error);
        }
    });
}

// Deleted objects stay in the collection with their elements hidden.
void mFrm_Bill::Delete()
{
    endGesture();
    const int n = mObjs().nActCount();
    if (n == 0)
        return;
    // Objects hidden before a failure stay hidden, and are one step.
    recordStep(Places, QStringLiteral("删除"), [&] {
        try {
            if (n == 1) {
                mCurObj().Handls()->Clear();
                objectByID(mObjs().nCurID()).requireCtl().setVisible(false);
            } else {
                for (const auto &obj : mObjs()) {
                    if (!obj->IsActive())
                        continue;
                    obj->requireCtl().setVisible(false);

                    obj->Handls()->Clear();
                }
            }
            mObjs().setNActCount(0);
        } catch (const RuntimeError &) {
            ShowErrMsg(QStringLiteral("删除对象失败！"));
        }
    });
}

// Every selected object ends with the opposite of the current object's
// lock, taken once before any change.
void mFrm_Bill::Locked()
{
    endGesture();
    const int n = mObjs().nActCount();
    if (n == 0)
        return;
    // A lock is stored; one set before a failure stays.
    const bool locked = !mCurObj().Locked();
    recordStep(Locks, locked ? QStringLiteral("锁定") : QStringLiteral("解锁"), [&] {
        try {
            if (n == 1) {
                mCurObj().setLocked(locked);
                return;
            }
            for (const auto &obj : mObjs()) {
                if (obj->IsActive())
                    objectByID(obj->nID()).setLocked(locked);
            }
        } catch (const RuntimeError &) {
            ShowErrMsg(QStringLiteral("设置锁定失败！"));
        }
    });
}

// A dialog that cannot be filled is not shown. A lock set in the dialog
// shows in the menu and the toolbar at once.
void mFrm_Bill::SetObjProp()
{
    endGesture();
    if (mObjs().nActCount() != 1)
        return;
    mFrm_Prop dialog(record(), ScaleMode(), this);
    try {
        dialog.Init();
    } catch (const RuntimeError &) {
        ShowErrMsg(QStringLiteral("设置属性失败！"));
        return;
    }
    bool accepted = false;
    recordStep(Edits, QStringLiteral("属性"),
               [&] { accepted = Platform::dialogs().ExecModal(dialog) == QDialog::Accepted; },
               {mObjs().nCurID()});
    if (!accepted)
        return;
    try {
        refreshLockState();
    } catch (const RuntimeError &error) {
        ShowErrMsg(QString(), &error);
    }
}

void mFrm_Bill::ShowPageSetup()
{
    endGesture();
    try {
        mFrm_PageSetup dialog(record(), ScaleMode(), this);
        bool accepted = false;
        recordStep(PageSettings, QStringLiteral("页面设置"), [&] {
            accepted = Platform::dialogs().ExecModal(dialog) == QDialog::Accepted;
        });
        if (accepted) {
            setCaption(record().Caption);
            refreshUnderlay();
        }
    } catch (const RuntimeError &error) {
        ShowErrMsg(QString(), &error);
    }
}

void mFrm_Bill::setUnderlayShown(bool shown)
{
    m_pageView->setUnderlayShown(shown);
}

bool mFrm_Bill::underlayShown() const
{
    return m_pageView->underlayShown();
}

// Decoded only when the file or its page changed; a new place or opacity
// is drawn from the picture already held.
void mFrm_Bill::refreshUnderlay()
{
    const FormUnderlay &underlay = record().mUnderlay;
    if (underlay == m_shownUnderlay)
        return;
    const bool samePicture
        = underlay.Data == m_shownUnderlay.Data && underlay.Page == m_shownUnderlay.Page;
    const QImage picture = samePicture ? m_pageView->underlayPicture() : underlay.decoded();
    m_pageView->setUnderlay(picture, underlay.Place, underlay.Opacity);
    m_shownUnderlay = underlay;
}

// With nothing shown there is nothing to select.
void mFrm_Bill::SelAll()
{
    endGesture();
    if (mObjs().Count() == 0 || !anyShown(mObjs()))
        return;
    try {
        mObjs().ActiveAll();
        if (mObjs().nCurID() != 0)
            m_curObj = mObjs().Item(ObjDraw::KeyOf(mObjs().nCurID()));
    } catch (const RuntimeError &error) {
        ShowErrMsg(QString(), &error);
    }
}

// Refusals are warnings titled with the template name; a failure of the run
// itself is reported by the run.
void mFrm_Bill::PreView()
{
    endGesture();
    try {
        PreviewCommand::PreView(record());
    } catch (const RuntimeError &error) {
        ShowErrMsg(QString(), &error);
    }
}

void mFrm_Bill::showStoredTemplate()
{
    setCaption(record().Caption);
    // A template read afresh starts a history of its own.
    undoStack().clear();
    setMChanged(false);
    refreshUnderlay();
}

// Only a whole template claims its id: a window that could not read it
// closes, so nothing is ever saved over the stored template from a part of
// it. A window that already held objects is not filled and stays as it was.
void mFrm_Bill::LoadBill(int16_t tmpID)
{
    endGesture();
    const bool fresh = mObjs().Count() == 0;
    try {
        if (!m_source)
            throw RuntimeError(RuntimeError::ObjectNotSet, QStringLiteral("mFrm_Bill.LoadBill"));
        if (!fresh)
            throw RuntimeError(RuntimeError::InvalidArgument, QStringLiteral("mFrm_Bill.LoadBill"));
        m_source->ReadBill(tmpID, record());
        showStoredTemplate();
    } catch (const RuntimeError &error) {
        if (fresh) {
            setMID(0);
            undoStack().clear();
            m_toldChanged = false;
            Unload();
        }
        ShowErrMsg(QString(), &error);
    }
}
