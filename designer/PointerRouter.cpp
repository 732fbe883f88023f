#include "PointerRouter.h"

#include "PointerScene.h"

#include "model/MouseButton.h"
#include "model/ShiftState.h"

#include <QMouseEvent>

PointerRouter::PointerRouter(PointerScene &scene)
    : m_scene(scene)
{
}

int PointerRouter::buttonCode(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return MouseButton::Left;
    case Qt::RightButton:
        return MouseButton::Right;
    case Qt::MiddleButton:
        return MouseButton::Middle;
    default:
        return MouseButton::None;
    }
}

int PointerRouter::buttonsCode(Qt::MouseButtons buttons)
{
    int code = MouseButton::None;
    if (buttons & Qt::LeftButton)
        code |= MouseButton::Left;
    if (buttons & Qt::RightButton)
        code |= MouseButton::Right;
    if (buttons & Qt::MiddleButton)
        code |= MouseButton::Middle;
    return code;
}

int PointerRouter::shiftCode(Qt::KeyboardModifiers modifiers)
{
    int code = ShiftState::None;
    if (modifiers & Qt::ShiftModifier)
        code |= ShiftState::Shift;
    if (modifiers & Qt::ControlModifier)
        code |= ShiftState::Ctrl;
    if (modifiers & Qt::AltModifier)
        code |= ShiftState::Alt;
    return code;
}

void PointerRouter::press(const QMouseEvent &event)
{
    // A press with no other button held starts a gesture; one that joins a
    // held button goes to the element already holding the gesture.
    const bool joins = (event.buttons() & ~event.button()) != Qt::NoButton;
    // A press while a gesture seems under way, or of a button the gesture
    // already holds, means a release was lost (it happened where this
    // window never saw it): that gesture ends first.
    if (!joins || (m_gestureButtons & event.button()))
        endGesture();

    if (!joins || m_grab.kind == PointerTarget::None) {
        m_grab = m_scene.targetAt(event.position());
        ++m_gestures;
    }

    m_gestureButtons |= event.button();
    send(m_grab, PointerEvent::Down, buttonCode(event.button()), event);
}

void PointerRouter::move(const QMouseEvent &event)
{
    // No button is held any more: the release went where this window never
    // saw it.
    if (event.buttons() == Qt::NoButton)
        endGesture();

    const bool held = event.buttons() != Qt::NoButton && m_grab.kind != PointerTarget::None;
    const PointerTarget target = held ? m_grab : m_scene.targetAt(event.position());
    send(target, PointerEvent::Move, buttonsCode(event.buttons()), event);
}

void PointerRouter::release(const QMouseEvent &event)
{
    const PointerTarget target =
        m_grab.kind != PointerTarget::None ? m_grab : m_scene.targetAt(event.position());
    m_gestureButtons &= ~event.button();
    if (event.buttons() == Qt::NoButton) {
        m_grab = {};
        m_gestureButtons = Qt::NoButton;
    }
    send(target, PointerEvent::Up, buttonCode(event.button()), event);
}

void PointerRouter::doubleClick(const QMouseEvent &event)
{
    const PointerTarget target =
        m_grab.kind != PointerTarget::None ? m_grab : m_scene.targetAt(event.position());
    send(target, PointerEvent::DblClick, buttonCode(event.button()), event);
}

void PointerRouter::endGesture()
{
    if (m_grab.kind == PointerTarget::None)
        return;
    const PointerTarget target = m_grab;
    const Qt::MouseButtons held = m_gestureButtons;
    m_grab = {};
    m_gestureButtons = Qt::NoButton;
    // The left button last: its release is the one that ends a gesture.
    for (Qt::MouseButton button : {Qt::MiddleButton, Qt::RightButton, Qt::LeftButton}) {
        if (held & button)
            deliver(target, PointerEvent::Up, buttonCode(button),
                    m_scene.confine(m_lastPosition), m_lastModifiers);

    }

}

void PointerRouter::send(const PointerTarget &target, PointerEvent::Action action, int button,
                         const QMouseEvent &event)
{
    m_lastPosition = event.position();
    m_lastModifiers = event.modifiers();
    deliver(target, action, button, event.position(), event.modifiers());
}

void PointerRouter::deliver(const PointerTarget &target, PointerEvent::Action action, int button,
                            const QPointF &windowPixels, Qt::KeyboardModifiers modifiers)
{
    if (target.kind == PointerTarget::None)
        return;
    PointerEvent e;
    e.target = target;
    e.action = action;
    e.Button = button;
    e.Shift = shiftCode(modifiers);
    const QPointF at = m_scene.toTarget(target, windowPixels);
    e.X = at.x();
    e.Y = at.y();
    m_scene.deliver(e);
}
