// Keyboard and wheel input of the designer window.

#include "mFrm_Bill.h"

#include "model/PlaceStep.h"

#include "CaptionEditor.h"
#include "ScrollBar.h"

#include "model/ObjDraws.h"
#include "model/ShiftState.h"

#include "platform/RuntimeError.h"
#include "platform/Units.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWheelEvent>

namespace {

// One notch of a wheel.
constexpr int WheelStep = 120;

} // namespace

void mFrm_Bill::keyPressEvent(QKeyEvent *event)
{
    const int shift = PointerRouter::shiftCode(event->modifiers());
    try {
        if (nudge(event->key(), shift))
            return;
    } catch (const RuntimeError &error) {
        reportFailure(error);
        return;
    }
    Form_KeyDown(event->key(), shift);
    QWidget::keyPressEvent(event);
}

// Ctrl alone brings the context-menu states up to date before the main
// window's Ctrl shortcuts look at them.
void mFrm_Bill::Form_KeyDown(int, int Shift)
{
    if (Shift != ShiftState::Ctrl)
        return;
    try {
        UpdateMenu(false);
    } catch (const RuntimeError &error) {
        reportFailure(error);
    }
}

// The arrow keys move the selection by a tenth of a millimetre, with Shift
// by a millimetre, as dragging it that far would (the page's edges hold
// it, locked objects stay); a held key repeats. An arrow that reaches the
// window from the caption editor moves its text cursor, not the objects,
// and one during a pointer gesture does nothing.
bool mFrm_Bill::nudge(int KeyCode, int Shift)
{
    double dx = 0;
    double dy = 0;
    switch (KeyCode) {
    case Qt::Key_Left:
        dx = -1;
        break;
    case Qt::Key_Right:
        dx = 1;
        break;
    case Qt::Key_Up:
        dy = -1;
        break;
    case Qt::Key_Down:
        dy = 1;
        break;
    default:
        return false;
    }
    if (Shift != ShiftState::None && Shift != ShiftState::Shift)
        return false;
    if (m_captionEditor->isEditing() || inGesture())
        return true;
    const double step = Units::mmToTwips(Shift == ShiftState::Shift ? 10 * NudgeMm : NudgeMm);
    recordStep(TemplateHistory::Scope::Places, QStringLiteral("移动"),
               [&] { mObjs().NudgeSelected(dx * step, dy * step); }, {}, PlaceStep::NudgeId);
    return true;
}

// Ctrl and the wheel zoom about the pointer; the wheel alone scrolls the
// page down and up, with Shift left and right.
void mFrm_Bill::wheelEvent(QWheelEvent *event)
{
    event->accept();
    const QPointF area = m_client->mapFromGlobal(event->globalPosition());
    const QPoint delta = event->angleDelta();
    if (event->modifiers() & Qt::ControlModifier) {
        m_wheelAngle += delta.y() != 0 ? delta.y() : delta.x();
        while (m_wheelAngle >= WheelStep) {
            m_wheelAngle -= WheelStep;
            zoomIn(area);
        }
        while (m_wheelAngle <= -WheelStep) {
            m_wheelAngle += WheelStep;
            zoomOut(area);
        }
        return;
    }
    m_wheelAngle = 0;
    const bool across = (event->modifiers() & Qt::ShiftModifier) || delta.y() == 0;
    ScrollBar &bar = across ? HS() : VS();
    const int turned = across && delta.x() != 0 ? delta.x() : delta.y();
    if (!bar.Visible() || turned == 0)
        return;
    endGesture();
    const int lines = QApplication::wheelScrollLines() * turned / WheelStep;
    bar.setValue(std::clamp(bar.Value() - lines * bar.singleStep(), bar.Min(), bar.Max()));
}
