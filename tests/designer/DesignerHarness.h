#pragma once

#include "FakeShell.h"

#include "designer/PageView.h"
#include "designer/mFrm_Bill.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <QWindow>

#include <cmath>

// A workspace with designer windows in it, driven through the window
// system's event path (so the pointer grabs of a real session apply).
class DesignerHarness
{
public:
    DesignerHarness()
    {
        area.resize(1000, 700);
        area.show();
        area.activateWindow();
    }

    bool ready() { return QTest::qWaitForWindowActive(&area); }

    mFrm_Bill *open(const QSize &frame = QSize(900, 600))
    {
        auto *bill = new mFrm_Bill(shell);
        QMdiSubWindow *sub = area.addSubWindow(bill);
        sub->resize(frame);
        sub->move(0, 0);
        sub->show();
        area.setActiveSubWindow(sub);
        return bill;
    }

    QWindow *window() { return area.windowHandle(); }

    // A page point (twips) in the workspace window's pixels, at the
    // window's zoom.
    QPoint at(mFrm_Bill *bill, double x, double y) const
    {
        const QPointF pixels = bill->viewMapping().pageToPixels(QPointF(x, y));
        const QPoint local(int(std::lround(pixels.x())), int(std::lround(pixels.y())));
        return bill->pageView().mapTo(&area, local);
    }

    void press(QPoint p, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers m = {})
    {
        QTest::mousePress(window(), b, m, p);
    }
    void move(QPoint p) { QTest::mouseMove(window(), p); }
    void release(QPoint p, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers m = {})
    {
        QTest::mouseRelease(window(), b, m, p);
    }
    void dragTo(QPoint from, QPoint to)
    {
        press(from);
        move((from + to) / 2);
        move(to);
        release(to);
    }
    // A gesture on the page between two page points.
    void drag(mFrm_Bill *bill, double x1, double y1, double x2, double y2)
    {
        dragTo(at(bill, x1, y1), at(bill, x2, y2));
    }
    void click(mFrm_Bill *bill, double x, double y, Qt::MouseButton b = Qt::LeftButton)
    {
        press(at(bill, x, y), b);
        release(at(bill, x, y), b);
    }
    void doubleClick(mFrm_Bill *bill, double x, double y)
    {
        QTest::mouseDClick(window(), Qt::LeftButton, {}, at(bill, x, y));
    }
    // Draws with a tool as the user does after picking it.
    void draw(mFrm_Bill *bill, int tool, double x1, double y1, double x2, double y2)
    {
        shell.drawMode = tool;
        drag(bill, x1, y1, x2, y2);
    }

    FakeShell shell;
    QMdiArea area;
};
