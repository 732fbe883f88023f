// In-place caption editing and the picture choice of the designer window.

#include "mFrm_Bill.h"

#include "CaptionEditor.h"
#include "PicturePicker.h"

#include "model/ObjDraw.h"

#include "platform/ElementArray.h"
#include "platform/PageSurface.h"

// Only fixed text is edited here; a data-bound text keeps its field.
void mFrm_Bill::ObjText_DblClick(int Index)
{
    const ObjDraw *obj = mObjs().findByID(Index);
    if (!obj || !obj->IsFix())
        return;
    captionEditStarted(Index);
    m_captionEditor->start(Index);
}

// Cancelling the dialog is how a picture is removed.
void mFrm_Bill::ObjImg_DblClick(int Index)
{
    Element &image = ObjImg()(Index);
    const TemplateHistory::Snapshot before = m_history.take(TemplateHistory::Scope::Edits, {Index});
    const std::optional<QString> file = PicturePicker::choose();
    if (!file) {
        image.setPicture(QImage());
        image.setTag(QString());
        m_history.record(before, QStringLiteral("删除图片"));
        return;
    }
    if (file->isEmpty())
        return;
    QByteArray bytes;
    const QImage picture = PicturePicker::load(*file, &bytes);
    image.setPicture(picture, bytes);
    image.setTag(*file);
    m_history.record(before, QStringLiteral("选择图片"));
}
