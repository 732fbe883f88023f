#pragma once

#include "PointerEvent.h"

#include <QPointF>
#include <Qt>

class PointerScene;
class QMouseEvent;

// The path of a press, from the window to the model: Qt hands the mouse
// event to the window (mFrm_Bill::mousePressEvent), which clamps it to any
// pointer confinement and gives it to this router; the router asks the
// window which element lies under the pointer (PointerScene::targetAt:
// a page-size handle, an object handle, a label, an image, the page or the
// window itself) and delivers a PointerEvent to it; the window's dispatch
// calls that target's handler under the system's name (PicPage_MouseDown,
// PicHD_MouseDown, PicFixHd_MouseDown, ...), and the handler calls the
// object model: ObjDraws for hit tests, selection and group moves, the
// ObjDraw for drawing, dragging and sizing (through its ObjHd handles), or
// the PageSizer for the page size.
//
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
    bool inGesture() const { return m_grab.kind != PointerTarget::None; }
    // Counts the gestures begun, so a later look can tell it is the same one.
    quint64 gestureNumber() const { return m_gestures; }
    // Ends the gesture under way as the release of the buttons it holds
    // would, at the last position the pointer was seen; the buttons' own
    // release later finds no gesture.

    void endGesture();

    static int buttonCode(Qt::MouseButton button);
    static int buttonsCode(Qt::MouseButtons buttons);
    static int shiftCode(Qt::KeyboardModifiers modifiers);

private:
    void send(const PointerTarget &target, PointerEvent::Action action, int button,
              const QMouseEvent &event);
    void deliver(const PointerTarget &target, PointerEvent::Action action, int button,
                 const QPointF &windowPixels, Qt::KeyboardModifiers modifiers);

    PointerScene &m_scene;
    PointerTarget m_grab;
    Qt::MouseButtons m_gestureButtons;
    quint64 m_gestures = 0;

    QPointF m_lastPosition;
    Qt::KeyboardModifiers m_lastModifiers;
};
