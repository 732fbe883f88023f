// The undo history of the designer window: which user actions are steps,
// and what the window shows after undo and redo.

#include "mFrm_Bill.h"

#include "CaptionEditor.h"
#include "PageSizer.h"
#include "PageView.h"

#include "model/ObjDraw.h"
#include "model/ObjDraws.h"
#include "model/TemplateState.h"

#include "print/ShowErrMsg.h"

#include "platform/Element.h"
#include "platform/ElementArray.h"
#include "platform/PageSurface.h"
#include "platform/RuntimeError.h"

// A caption being typed is a change before its edit ends.
bool mFrm_Bill::mChanged() const
{
    if (m_toldChanged || !m_history.stack().isClean())
        return true;
    if (!m_captionBefore || m_captionBefore->states.empty())
        return false;
    const Element *label = m_bill->mObjs.page().ObjText().find(m_captionEditor->editIndex());
    return label && label->Caption() != m_captionBefore->states.front().caption;
}

void mFrm_Bill::setMChanged(bool changed)
{
    m_toldChanged = changed;
    if (changed)
        return;
    // What is saved or loaded is where later changes are told from; an
    // edit under way goes on from there.
    if (m_captionBefore) {
        captionEditFinished();
        captionEditStarted(m_captionEditor->editIndex());
    }
    m_history.stack().setClean();
}

void mFrm_Bill::recordStep(TemplateHistory::Scope scope, const QString &text,
                           const std::function<void()> &change, const std::vector<int> &ids,
                           int mergeId)
{
    const TemplateHistory::Snapshot before = m_history.take(scope, ids);
    try {
        change();
    } catch (...) {
        m_history.record(before, text, mergeId);
        throw;
    }
    m_history.record(before, text, mergeId);
}

void mFrm_Bill::beginGestureStep()
{
    if (m_router.inGesture())
        return;
    m_gestureBefore = m_history.take(TemplateHistory::Scope::Places);
    m_gestureText.clear();
}

// Named by what its press began.
void mFrm_Bill::nameGestureStep()
{
    if (!m_gestureBefore || !m_gestureText.isEmpty())
        return;
    if (m_pageSizer->isSizing())
        m_gestureText = QStringLiteral("页面大小");
    else if (m_drawObj && m_drawObj->IsDrawing() && m_drawObj->eType() != ObjDraw::SelectionBand)
        m_gestureText = QStringLiteral("绘制");
    else if (m_curObj && m_curObj->IsSizing())
        m_gestureText = QStringLiteral("调整大小");
}

void mFrm_Bill::endGestureStep()
{
    if (!m_gestureBefore || m_router.inGesture())
        return;
    const TemplateHistory::Snapshot before = std::move(*m_gestureBefore);
    m_gestureBefore.reset();
    m_history.record(before, m_gestureText.isEmpty() ? QStringLiteral("移动") : m_gestureText);
}

void mFrm_Bill::captionEditStarted(int index)
{
    m_captionBefore = m_history.take(TemplateHistory::Scope::Edits, {index});
}

void mFrm_Bill::captionEditFinished()
{
    if (!m_captionBefore)
        return;
    TemplateHistory::Snapshot before = std::move(*m_captionBefore);
    m_captionBefore.reset();
    // Other steps (a lock, a delete) may have come while the edit was open:
    // this one holds only what typing changes, the text and an auto size.
    const ObjDraw *obj = before.states.empty() ? nullptr
                                               : mObjs().findByID(before.states.front().place.id);
    if (obj && obj->ObjCtl()) {
        const ObjectState typed = before.states.front();
        ObjectState now = ObjectState::of(*obj);
        now.caption = typed.caption;
        now.tag = typed.tag;
        if (now.autoSize) {
            now.place.c = typed.place.c;
            now.place.d = typed.place.d;
        }
        before.states.front() = now;
        before.page = PageState::of(*m_bill);
    }
    m_history.record(before, QStringLiteral("编辑文字"));
}

void mFrm_Bill::finishEdits()
{
    endGesture();
    m_captionEditor->finish();
}

void mFrm_Bill::undo()
{
    finishEdits();
    if (!undoStack().canUndo())
        return;
    try {
        undoStack().undo();
    } catch (const RuntimeError &error) {
        ShowErrMsg(QString(), &error);
    }
    followHistory();
}

void mFrm_Bill::redo()
{
    finishEdits();
    if (!undoStack().canRedo())
        return;
    try {
        undoStack().redo();
    } catch (const RuntimeError &error) {
        ShowErrMsg(QString(), &error);
    }
    followHistory();
}

void mFrm_Bill::followHistory()
{
    const int current = mObjs().nCurID();
    if (current != 0)
        m_curObj = mObjs().Item(ObjDraw::KeyOf(current));
    else
        m_curObj.reset();
    setWindowTitle(m_bill->Caption);
    refreshUnderlay();
    refreshLockState();
    UpdateMenu(false);
    showReadout();
}
