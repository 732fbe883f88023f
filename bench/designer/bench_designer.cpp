// Dragging one object over a page of 3000 objects: time from the pointer
// move to the painted frame, against a full repaint of the same page.

#include "bench/BenchFigure.h"
#include "designer/DesignerShell.h"
#include "designer/DrawTool.h"
#include "designer/PageView.h"
#include "designer/mFrm_Bill.h"

#include "model/ObjDraw.h"
#include "model/ObjDraws.h"

#include "platform/PageSurface.h"
#include "platform/Platform.h"
#include "platform/Screen.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPaintEvent>
#include <QTest>
#include <QWindow>

#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

namespace {

constexpr int Columns = 60;
constexpr int Rows = 50;
constexpr double CellWidth = 500;
constexpr double CellHeight = 400;
constexpr int Steps = 200;
constexpr std::array<int, 3> Kinds{ObjDraw::Line, ObjDraw::Text, ObjDraw::Picture};

class BenchShell : public DesignerShell
{
public:
    int gDrawMode() const override { return DrawTool::Select; }
    void SelectDrawTool(int) override {}
    mFrm_Bill *gActiveBill() const override { return active; }
    void setGActiveBill(mFrm_Bill *bill) override { active = bill; }
    void setMenuChecked(const QString &, bool) override {}
    void setMenuEnabled(const QString &, bool) override {}
    void setButtonValue(const QString &, int) override {}
    void PopupRightMenu(const QPoint &) override {}
    mFrm_Bill *active = nullptr;
};

// Counts the frames the page view paints.
class PaintCounter : public QObject
{
public:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
    int paints = 0;
};

// A grid of lines, texts and pictures, one per cell, 1000 of each kind.
void fillPage(mFrm_Bill &bill)
{
    QImage picture(16, 16, QImage::Format_RGB32);
    picture.fill(QColor(200, 120, 40));
    // The next id of each kind, indexed by kind.
    std::array<int, ObjDraw::Picture + 1> next{};
    for (int kind : Kinds)
        next[kind] = ObjDraw::FirstID(kind);
    for (int i = 0; i < Columns * Rows; ++i) {
        const int kind = Kinds[i % Kinds.size()];
        const double left = (i % Columns) * CellWidth + 60;
        const double top = (i / Columns) * CellHeight + 60;
        const int id = next[kind]++;
        Element *element = nullptr;
        if (kind == ObjDraw::Line) {
            element = &bill.ObjLine().Load(id);
            element->setLine(left, top, left + CellWidth - 120, top + CellHeight - 120);
        } else if (kind == ObjDraw::Text) {
            element = &bill.ObjText().Load(id);
            element->Move(left, top, CellWidth - 120, CellHeight - 120);
            element->setCaption(QStringLiteral("文字%1").arg(id));
            element->setBorderStyle(Element::FixedSingle);
        } else {
            element = &bill.ObjImg().Load(id);
            element->Move(left, top, CellWidth - 120, CellHeight - 120);
            element->setPicture(picture);
            element->setStretch(true);
            element->setBorderStyle(Element::FixedSingle);
        }
        element->setVisible(true);
        bill.mObjs().LinkCtl(id, kind, element, ObjDraw::Created);
    }
}

void flushFrame()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Platform::installFakes();
    Screen::setTwipsPerPixel(15, 15);

    BenchShell shell;
    mFrm_Bill bill(shell);
    bill.PicPage().setWidth(Columns * CellWidth + 120);
    bill.PicPage().setHeight(Rows * CellHeight + 120);
    fillPage(bill);
    bill.resize(int(bill.PicPage().Width() / 15) + 60, int(bill.PicPage().Height() / 15) + 60);
    bill.show();
    if (!QTest::qWaitForWindowExposed(&bill))
        return 1;
    // The first frame of the page is painted before anything is timed.
    QCoreApplication::processEvents();

    PaintCounter counter;
    bill.pageView().installEventFilter(&counter);

    // Full repaints of the whole page: the reference.
    std::vector<double> full;
    for (int i = 0; i < 15; ++i) {
        QElapsedTimer timer;
        timer.start();
        bill.pageView().repaint();
        full.push_back(timer.nsecsElapsed() / 1e6);
    }
    const double reference = BenchFigure::percentile(full, 0.5);

    // Press on a text near the middle and drag it in 200 one-pixel steps.
    QWindow *window = bill.windowHandle();
    const int cell = (Rows / 2) * Columns + Columns / 2 + 1;
    const QPointF start((cell % Columns) * CellWidth + 200, (cell / Columns) * CellHeight + 150);
    QPoint at = bill.pageView().mapTo(&bill, (start / 15).toPoint());
    QTest::mousePress(window, Qt::LeftButton, {}, at);
    flushFrame();
    const int paintsBefore = counter.paints;
    std::vector<double> steps;
    for (int i = 0; i < Steps; ++i) {
        at += (i % 2) ? QPoint(1, 0) : QPoint(0, 1);
        QElapsedTimer timer;
        timer.start();
        QTest::mouseMove(window, at);
        flushFrame();
        steps.push_back(timer.nsecsElapsed() / 1e6);
    }
    QTest::mouseRelease(window, Qt::LeftButton, {}, at);
    const int framesPainted = counter.paints - paintsBefore;

    // Selecting every object changes 24000 handles at once.
    QElapsedTimer selectAll;
    selectAll.start();
    bill.SelAll();
    flushFrame();
    const double selectAllMs = selectAll.nsecsElapsed() / 1e6;

    const double p95 = BenchFigure::percentile(steps, 0.95);
    const double slowest = *std::max_element(steps.begin(), steps.end());
    BenchFigure::print("drag-step", p95, reference);
    BenchFigure::print("drag-step-slowest", slowest, 16.667);
    BenchFigure::print("drag-step-p95-target", p95, 8.0);
    BenchFigure::print("select-all", selectAllMs, reference);
    std::printf("# %d objects, %d steps, %d frames painted, full repaint median of %zu\n",
                bill.mObjs().Count(), Steps, framesPainted, full.size());
    return framesPainted >= Steps ? 0 : 2;
}
