#pragma once

#include "PointerEvent.h"

#include <Qt>

class PointerScene;
class QMouseEvent;
class QPointF;

// Turns the designer window's mouse events into element events: the
// element under a press receives that press and every move and release of
// the gesture (an implicit grab, wherever the pointer goes), with
// coordinates relative to it. Without a button held, moves go to the
// element under the pointer.
class PointerRouter
{
public:
    explicit PointerRouter(PointerScene &scene);

    // Event positions are window pixels.
    void press(const QMouseEvent &event);
    void move(const QMouseEvent &event);
    void release(const QMouseEvent &event);
    void doubleClick(const QMouseEvent &event);

    // The element holding the current gesture (kind None between gestures).
    PointerTarget grabbed() const { return m_grab; }

    static int buttonCode(Qt::MouseButton button);
    static int buttonsCode(Qt::MouseButtons buttons);
    static int shiftCode(Qt::KeyboardModifiers modifiers);

private:
    void send(const PointerTarget &target, PointerEvent::Action action, int button,
              const QMouseEvent &event);

    PointerScene &m_scene;
    PointerTarget m_grab;
};
