#pragma once

#include "DesignerHarness.h"

#include "designer/DrawTool.h"
#include "designer/FixHandle.h"
#include "designer/PageView.h"
#include "designer/ScrollBar.h"
#include "designer/ViewMapping.h"
#include "designer/ZoomSteps.h"

#include "model/ObjDraws.h"

#include <QApplication>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QString>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <QWidget>

#include <random>
#include <vector>

// A hostile user on one designer window: random presses, moves and
// releases anywhere with any button and modifier, releases that come late
// or never, double clicks, typing into the caption editor, keys, every
// designer command, tool changes, scrolling, zooming (steps, the wheel with
// Ctrl, typed values), arrow keys that move the selection, the grid turned
// on and off, resizing and minimising, all of them also in the middle of a
// gesture. Action i draws its parameters from (seed, i) alone, so a
// failure is reproduced by seed and index.
class DesignerMonkey
{
public:
    DesignerMonkey(DesignerHarness &harness, mFrm_Bill &bill, quint64 seed)
        : h(harness)
        , m_bill(&bill)
        , m_seed(seed)
    {
        // A right press on the workspace frame opens its window menu, which
        // waits for the user: the monkey closes it as a user would.
        m_closePopups.setInterval(0);
        QObject::connect(&m_closePopups, &QTimer::timeout, [] {
            if (QWidget *popup = QApplication::activePopupWidget())
                popup->close();
        });
        m_closePopups.start();
    }

    // The window closed (a double click on its frame's icon closes it): the
    // user goes on in a new one.
    void setBill(mFrm_Bill &bill) { m_bill = &bill; }

    // Whether a button is held after the actions so far.
    bool buttonHeld() const { return m_held != Qt::NoButton; }

    // Lets every held button go, so the next run starts with none down.
    void letGo()
    {
        for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
            if (m_held & b)
                QTest::mouseRelease(h.window(), b, {}, m_last);
        }
        m_held = Qt::NoButton;
    }


    // Performs action `index` and returns what it did.
    QString perform(quint64 index)
    {
        std::seed_seq seq{quint32(m_seed), quint32(m_seed >> 32), quint32(index),
                          quint32(index >> 32)};
        m_random.seed(seq);
        switch (pick(Kinds)) {
        case Press:
            return press(pointOnOrNearPage(), anyButton());
        case PressOnObject:
            return press(pointOnObject(), Qt::LeftButton);
        case PressOnHandle:
            return press(pointOnHandle(), Qt::LeftButton);
        case PressOnPageHandle:
            return press(pointOnPageHandle(), Qt::LeftButton);
        case Move:
        case MoveMore:
            return move(pointOnOrNearPage());
        case Release:
        case ReleaseMore:
            return release(pointOnOrNearPage());
        case LoseRelease:
            return loseRelease();
        case Click:
            press(pointOnObject(), Qt::LeftButton);
            return release(pointOnObject()) + QStringLiteral(" (click)");
        case DoubleClick:
            return doubleClick(pointOnObject());
        case Type:
            return type();
        case Key:
            return key();
        case Tool:
            h.shell.drawMode = pick(DrawTool::Count);
            return QStringLiteral("tool %1").arg(h.shell.drawMode);
        case Command:
            return command();
        case Scroll:
            return scroll();
        case Resize:
            return resize();
        case Minimise:
            frame().showMinimized();
            frame().showNormal();
            return QStringLiteral("minimise and restore");
        case Zoom:
            return zoom();
        case Nudge:
            return nudge();
        case Grid: {
            static constexpr double spacings[] = {0, 1, 2, 5, 10};
            const double mm = spacings[pick(5)];
            m_bill->setGridMm(mm);
            return QStringLiteral("grid %1 mm").arg(mm);
        }
        }
        return QString();
    }

private:
    enum Kind {
        Press,
        PressOnObject,
        PressOnHandle,
        PressOnPageHandle,
        Move,
        MoveMore,
        Release,
        ReleaseMore,
        LoseRelease,
        Click,
        DoubleClick,
        Type,
        Key,
        Tool,
        Command,
        Scroll,
        Resize,
        Minimise,
        Zoom,
        Nudge,
        Grid,
        Kinds
    };

    int pick(int n) { return int(m_random() % quint64(n)); }
    double between(double low, double high)
    {
        return low + (high - low) * double(m_random() % 100001) / 100000.0;
    }

    QMdiSubWindow &frame() { return *qobject_cast<QMdiSubWindow *>(m_bill->parentWidget()); }

    Qt::MouseButton anyButton()
    {
        static const Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::LeftButton, Qt::RightButton,
                                                  Qt::MiddleButton};
        return buttons[pick(4)];
    }

    Qt::KeyboardModifiers anyModifiers()
    {
        const int bits = pick(8);
        Qt::KeyboardModifiers m;
        if (bits & 1)
            m |= Qt::ShiftModifier;
        if (bits & 2)
            m |= Qt::ControlModifier;
        if (bits & 4)
            m |= Qt::AltModifier;
        return m;
    }

    // Mostly where the window shows the page (at a high zoom most of the
    // page lies outside it), else anywhere on or near the page.
    QPoint pointOnOrNearPage()
    {
        const PageView &view = m_bill->pageView();
        const QRect shown = view.geometry() & m_bill->pageArea().rect();
        if (pick(4) != 0 && !shown.isEmpty()) {
            const QPoint local(int(between(shown.left() - 20, shown.right() + 20)),
                               int(between(shown.top() - 20, shown.bottom() + 20)));
            return m_bill->pageArea().mapTo(&h.area, local);
        }
        const PageSurface &page = m_bill->PicPage();
        return h.at(m_bill, between(-1500, page.Width() + 1500),
                    between(-1500, page.Height() + 1500));
    }

    QPoint pointOnObject()
    {
        std::vector<const Element *> shown;
        for (const auto &obj : m_bill->mObjs()) {
            if (obj->ObjCtl() && obj->ObjCtl()->Visible())
                shown.push_back(obj->ObjCtl());
        }
        if (shown.empty())
            return pointOnOrNearPage();
        const QRectF r = shown[std::size_t(pick(int(shown.size())))]->rect();
        return h.at(m_bill, between(r.left(), r.right()), between(r.top(), r.bottom()));
    }

    QPoint pointOnHandle()
    {
        const int id = m_bill->mObjs().nCurID();
        const Element *handle = m_bill->PicHD().find(8 * id - 7 + pick(8));
        if (id <= 0 || !handle || !handle->Visible())
            return pointOnObject();
        return h.at(m_bill, handle->Left() + 45, handle->Top() + 45);
    }

    QPoint pointOnPageHandle()
    {
        const FixHandle &grip = m_bill->PicFixHd(FixHandle::RightEdge + pick(3));
        return grip.mapTo(&h.area, QPoint(2, 2));
    }

    QString press(const QPoint &at, Qt::MouseButton button)
    {
        // A button already down cannot go down again.
        if (m_held & button)
            return move(at);
        const Qt::KeyboardModifiers modifiers = pick(4) == 0 ? anyModifiers() : Qt::NoModifier;
        QTest::mousePress(h.window(), button, modifiers, at);
        m_held |= button;
        m_last = at;
        return QStringLiteral("press %1 at %2,%3").arg(int(button)).arg(at.x()).arg(at.y());
    }

    QString move(const QPoint &at)
    {
        QTest::mouseMove(h.window(), at);
        m_last = at;
        return QStringLiteral("move to %1,%2").arg(at.x()).arg(at.y());
    }

    QString release(const QPoint &at)
    {
        if (m_held == Qt::NoButton)
            return move(at);
        const Qt::MouseButton button = (m_held & Qt::LeftButton)     ? Qt::LeftButton
                                       : (m_held & Qt::RightButton) ? Qt::RightButton
                                                                     : Qt::MiddleButton;
        QTest::mouseRelease(h.window(), button, {}, at);
        m_held &= ~button;
        m_last = at;
        return QStringLiteral("release %1 at %2,%3").arg(int(button)).arg(at.x()).arg(at.y());
    }

    // The buttons come up while another window of the program holds the
    // mouse (as a pop-up does), so the designer never receives the release.
    QString loseRelease()
    {
        if (m_held == Qt::NoButton)
            return QStringLiteral("nothing to lose");
        h.area.viewport()->grabMouse();
        for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
            if (m_held & b)
                QTest::mouseRelease(h.window(), b, {}, m_last);
        }
        h.area.viewport()->releaseMouse();
        m_held = Qt::NoButton;
        return QStringLiteral("lose the release");
    }


    QString doubleClick(const QPoint &at)
    {
        if (m_held != Qt::NoButton)
            return move(at);
        QTest::mouseDClick(h.window(), Qt::LeftButton, {}, at);
        return QStringLiteral("double click at %1,%2").arg(at.x()).arg(at.y());
    }

    QString type()
    {
        QLineEdit &editor = m_bill->TxtLab();
        if (!editor.isVisible())
            return QStringLiteral("nothing to type into");
        if (pick(4) == 0) {
            QTest::keyClick(&editor, Qt::Key_Return);
            return QStringLiteral("Enter in the editor");
        }
        if (pick(2)) {
            static const char *const words[] = {"ab", " 12", "x", "0.5"};
            const char *word = words[pick(4)];
            QTest::keyClicks(&editor, QString::fromLatin1(word));
            return QStringLiteral("type \"%1\"").arg(QString::fromLatin1(word));
        }
        // Chinese arrives committed by the input method.
        static const QString words[] = {QStringLiteral("单据号"), QStringLiteral("金额"),
                                        QStringLiteral("发货单 第")};
        const QString &word = words[pick(3)];
        editor.insert(word);
        return QStringLiteral("enter \"%1\"").arg(word);

    }

    QString key()
    {
        static const Qt::Key keys[] = {Qt::Key_Control, Qt::Key_A, Qt::Key_U, Qt::Key_Delete,
                                       Qt::Key_L,       Qt::Key_Escape, Qt::Key_Left};
        const Qt::Key k = keys[pick(7)];
        QTest::keyClick(m_bill, k, anyModifiers());
        return QStringLiteral("key %1").arg(int(k));
    }

    QString command()
    {
        switch (pick(14)) {
        case 0: {
            const int code = pick(8);
            m_bill->SetAlign(code);
            return QStringLiteral("SetAlign %1").arg(code);
        }
        case 1: {
            const int code = pick(5);
            m_bill->SetSameSize(code);
            return QStringLiteral("SetSameSize %1").arg(code);
        }
        case 2:
            m_bill->CloneObj();
            return QStringLiteral("CloneObj");
        case 3:
            m_bill->Delete();
            return QStringLiteral("Delete");
        case 4:
        case 5:
            m_bill->Locked();
            return QStringLiteral("Locked");
        case 6:
            m_bill->SelAll();
            return QStringLiteral("SelAll");
        case 7:
            m_bill->PreView();
            return QStringLiteral("PreView");
        case 8:
            m_bill->SetObjProp();
            return QStringLiteral("SetObjProp");
        case 9:
            m_bill->ShowPageSetup();
            return QStringLiteral("ShowPageSetup");
        case 10:
        case 11:
            m_bill->undo();
            return QStringLiteral("undo");
        case 12:
            m_bill->redo();
            return QStringLiteral("redo");

        default:
            m_bill->LoadBill(int16_t(pick(3)));
            return QStringLiteral("LoadBill");
        }
    }

    QString scroll()
    {
        ScrollBar &bar = pick(2) ? m_bill->HS() : m_bill->VS();
        if (!bar.Visible())
            return QStringLiteral("nothing to scroll");
        // As the user does: arrows, page steps and the ends of the range.
        const auto action = QAbstractSlider::SliderAction(QAbstractSlider::SliderSingleStepAdd
                                                          + pick(6));
        bar.triggerAction(action);
        return QStringLiteral("scroll action %1 to %2").arg(int(action)).arg(bar.Value());

    }

    QString zoom()
    {
        switch (pick(4)) {
        case 0: {
            const double step = ZoomSteps::Steps[std::size_t(pick(int(ZoomSteps::Steps.size())))];
            m_bill->setZoom(step);
            return QStringLiteral("zoom to %1").arg(step);
        }
        case 1: {
            // A typed value anywhere in the range, not only a step.
            const double zoom = between(ViewMapping::MinZoom, ViewMapping::MaxZoom);
            m_bill->setZoom(zoom);
            return QStringLiteral("zoom to %1").arg(zoom);
        }
        default: {
            // The wheel, with Ctrl (zoom about the pointer) or without
            // (scroll), as the user turns it, over the page or the rulers.
            const QPoint at = pointOnOrNearPage();
            const int turn = pick(2) ? 120 : -120;
            const Qt::KeyboardModifiers modifiers = pick(3) ? Qt::ControlModifier : anyModifiers();
            QWidget *under = h.area.childAt(at);
            QWidget *target = under ? under : &m_bill->pageArea();
            const QPointF local = target->mapFrom(&h.area, QPointF(at));
            QWheelEvent wheel(local, QPointF(h.area.mapToGlobal(at)), QPoint(), QPoint(0, turn),
                              m_held, modifiers, Qt::NoScrollPhase, false);
            QApplication::sendEvent(target, &wheel);
            return QStringLiteral("wheel %1 with %2 at %3,%4")
                .arg(turn)
                .arg(int(modifiers))
                .arg(at.x())
                .arg(at.y());
        }
        }
    }

    // Arrow keys, a few repeats of one at times, as a held key sends them.
    QString nudge()
    {
        static const Qt::Key arrows[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down};
        const Qt::Key k = arrows[pick(4)];
        const Qt::KeyboardModifiers modifiers = pick(3) ? Qt::KeyboardModifiers(pick(2) ? Qt::ShiftModifier : Qt::NoModifier)
                                                        : anyModifiers();
        const int repeats = pick(4) == 0 ? 1 + pick(8) : 1;
        for (int i = 0; i < repeats; ++i)
            QTest::keyClick(m_bill, k, modifiers);
        return QStringLiteral("arrow %1 with %2, %3 times").arg(int(k)).arg(int(modifiers)).arg(repeats);
    }

    QString resize()
    {
        const QSize size(250 + pick(700), 200 + pick(500));
        frame().resize(size);
        return QStringLiteral("resize to %1x%2").arg(size.width()).arg(size.height());
    }

    DesignerHarness &h;
    mFrm_Bill *m_bill;
    quint64 m_seed;
    std::mt19937_64 m_random;
    Qt::MouseButtons m_held;
    QPoint m_last;
    QTimer m_closePopups;
};
