// In-place caption editing and the picture choice of the designer window.

#include "mFrm_Bill.h"

#include "PageView.h"
#include "PicturePicker.h"
#include "PixelMapping.h"

#include "model/ObjDraw.h"

#include "platform/PageSurface.h"
#include "platform/Screen.h"
#include "platform/TextLayout.h"

#include <QEvent>
#include <QLineEdit>
#include <QPalette>

#include <algorithm>
#include <cmath>

// Only fixed text is edited here; a data-bound text keeps its field.
void mFrm_Bill::ObjText_DblClick(int Index)
{
    const ObjDraw *obj = mObjs().findByID(Index);
    if (!obj || !obj->IsFix())
        return;
    mEditIndex = Index;
    const Element &label = ObjText()(Index);
    placeTxtLab();
    TxtLab().setText(label.Caption());
    QFont font = TextLayout::pageFont(label.Font());
    const double pixels = label.Font().Size * 20.0 / Screen::TwipsPerPixelY();
    font.setPixelSize(std::max(1, int(std::lround(pixels))));
    TxtLab().setFont(font);
    QPalette look = TxtLab().palette();
    look.setColor(QPalette::Text, label.ForeColor());
    TxtLab().setPalette(look);
    TxtLab().show();
    TxtLab().setFocus(Qt::OtherFocusReason);
}

// The editor lies over its label and moves with the page.
void mFrm_Bill::placeTxtLab()
{
    const Element *label = ObjText().find(mEditIndex);
    if (!label)
        return;
    const QRectF box(label->Left(), label->Top(), label->Width(), label->Height());
    TxtLab().setGeometry(PixelMapping::toPixels(box).translated(pageView().pos()));
}

void mFrm_Bill::TxtLab_GotFocus()
{
    TxtLab().selectAll();
}

// Every keystroke shows on the page at once.
void mFrm_Bill::TxtLab_Change()
{
    Element *label = ObjText().find(mEditIndex);
    if (!label)
        return;
    label->setCaption(TxtLab().text());
    label->setTag(TxtLab().text());
}

// Enter ends editing and gives the keys back to the designer; a hidden
// editor would otherwise pass the focus on to the workspace frame, and
// the Ctrl keys would no longer refresh the menu states.
void mFrm_Bill::TxtLab_Return()
{
    setFocus(Qt::OtherFocusReason);
    TxtLab().hide();
}

void mFrm_Bill::TxtLab_LostFocus()
{
    TxtLab().hide();
}

bool mFrm_Bill::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_txtLab) {
        if (event->type() == QEvent::FocusIn)
            TxtLab_GotFocus();
        else if (event->type() == QEvent::FocusOut)
            TxtLab_LostFocus();
    }
    return QWidget::eventFilter(watched, event);
}

// Cancelling the dialog is how a picture is removed.
void mFrm_Bill::ObjImg_DblClick(int Index)
{
    Element &image = ObjImg()(Index);
    const std::optional<QString> file = PicturePicker::choose();
    if (!file) {
        image.setPicture(QImage());
        image.setTag(QString());
        return;
    }
    if (file->isEmpty())
        return;
    QByteArray bytes;
    const QImage picture = PicturePicker::load(*file, &bytes);
    image.setPicture(picture, bytes);
    image.setTag(*file);
}
