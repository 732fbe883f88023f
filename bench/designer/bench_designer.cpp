// A page of 3000 objects in the designer: a full repaint against raw
// QPainter drawing the same texts, lines and pictures into an image of the
// same size, at 100 % and at 400 %; dragging one object; select-all with
// its frame; one scroll-bar step with its paint; one zoom step of the wheel
// and one arrow key on every object, each with its frame; opening the page,
// stored, into a designer window; the frames that aligning and sizing
// every object paint. The full repaint, the drag and the scroll step again
// over a 300-dpi scan of an A4 form (2480 x 3508) stretched beneath the
// page, with the memory the scan takes.

#include "bench/BenchFigure.h"
#include "bench/BenchShell.h"
#include "bench/PaintCounter.h"

#include "app/TemplateCatalogue.h"

#include "designer/DrawTool.h"
#include "designer/PageView.h"
#include "designer/ScrollBar.h"
#include "designer/mFrm_Bill.h"

#include "model/BillTemplate.h"
#include "model/ObjDraw.h"
#include "model/ObjDraws.h"
#include "model/TemplateState.h"

#include "platform/AppSetup.h"
#include "platform/Element.h"
#include "platform/ElementPainter.h"
#include "platform/PageSurface.h"
#include "platform/Platform.h"
#include "platform/Screen.h"
#include "platform/TextLayout.h"

#include "store/TemplateStore.h"

#include <QApplication>
#include <QBackingStore>
#include <QElapsedTimer>
#include <QFontMetricsF>
#include <QImage>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPaintEvent>
#include <QPainter>
#include <QPen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextLayout>
#include <QTextOption>
#include <QWheelEvent>
#include <QWindow>

#include <algorithm>
#include <malloc.h>
#include <array>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int Columns = 60;
constexpr int Rows = 50;
constexpr double CellWidth = 500;
constexpr double CellHeight = 400;
constexpr double Twips = 15;
constexpr int Steps = 200;
constexpr int Repaints = 15;
constexpr int SelectRuns = 7;
constexpr int ScrollSteps = 60;
constexpr int Opens = 7;
constexpr int ZoomNotches = 20;
constexpr int Nudges = 50;
constexpr int UndoRuns = 10;
constexpr int SingleMoves = 1000;
constexpr double DetailZoom = 4;
constexpr double FrameMs = 1000.0 / 60.0;
constexpr double FastFrameMs = 8.0;
constexpr double OpenMs = 300.0;
constexpr std::array<int, 3> Kinds{ObjDraw::Line, ObjDraw::Text, ObjDraw::Picture};
constexpr QSize ScanDots(2480, 3508);
constexpr int UnderlayOpacity = 50;

// A grid of lines, texts and pictures, one per cell, a third of each kind.
void fillPage(mFrm_Bill &bill, int count = Columns * Rows)
{
    QImage picture(16, 16, QImage::Format_RGB32);
    picture.fill(QColor(200, 120, 40));
    // The next id of each kind, indexed by kind.
    std::array<int, ObjDraw::Picture + 1> next{};
    for (int kind : Kinds)
        next[kind] = ObjDraw::FirstID(kind);
    for (int i = 0; i < count; ++i) {
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

// A blank form as a scanner gives it: greyish paper, ruled boxes, labels.
QImage a4Scan()
{
    QImage scan(ScanDots, QImage::Format_RGB32);
    scan.fill(QColor(246, 244, 238));
    QPainter painter(&scan);
    painter.setPen(QPen(QColor(60, 60, 70), 4));
    for (int row = 0; row < 40; ++row) {
        const int y = 300 + row * 75;
        painter.drawLine(150, y, ScanDots.width() - 150, y);
    }
    for (int column = 0; column < 7; ++column) {
        const int x = 150 + column * 363;
        painter.drawLine(x, 300, x, 300 + 39 * 75);
    }
    painter.setFont(QFont(QStringLiteral("Noto Sans CJK SC"), 40));
    painter.drawText(QRect(0, 80, ScanDots.width(), 150), Qt::AlignCenter,
                     QStringLiteral("送 货 单"));
    return scan;
}

// The scan as the view keeps it for a size: scaled and faded over white.
QImage fadedScan(const QImage &scan, const QSize &size)
{
    QImage faded(size, QImage::Format_RGB32);
    faded.fill(Qt::white);
    QPainter painter(&faded);
    painter.setOpacity(UnderlayOpacity / 100.0);
    painter.drawImage(QRect(QPoint(0, 0), size), scan);
    return faded;
}

void flushFrame()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
}

double elapsedMs(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

// One line of a caption as the page lays it out: its text and where it
// starts in the box.
struct RawLine
{
    QString text;
    QPointF offset;
};

struct RawText
{
    QRectF box;
    QFont font;
    QColor color;
    std::vector<RawLine> lines;
};

// The lines each caption breaks into, found once: the reference draws the
// same glyphs at the same places without any layout of its own.
std::vector<RawLine> breakCaption(const Element &e)
{
    std::vector<RawLine> lines;
    const QFont font = TextLayout::pageFont(e.Font());
    QTextLayout layout(e.Caption(), font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    double y = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(e.Width());
        lines.push_back({e.Caption().mid(line.textStart(), line.textLength()),
                         QPointF(0, y + line.ascent())});
        y += line.height();
    }
    layout.endLayout();
    return lines;
}

// What plain QPainter calls cost for the page's content: the white page,
// every line with its pen, every caption's lines cut at its box, every
// picture and every border.
// Only what lies in area (page twips) is drawn, at a zoom, the area's
// corner at the image's.
class RawPage
{
public:
    explicit RawPage(const PageSurface &page, const QRectF &area = QRectF(), double zoom = 1,
                     const QImage &underlay = QImage())
        : m_area(area)
        , m_zoom(zoom)
        , m_underlay(underlay)
    {
        const auto inArea = [&](const Element &e) {
            return e.Visible() && (area.isNull() || e.rect().normalized().intersects(area));
        };
        page.ObjLine().forEach([&](const Element &e) {
            if (inArea(e))
                m_lines.push_back(&e);
        });
        page.ObjText().forEach([&](const Element &e) {
            if (inArea(e))
                m_texts.push_back({e.rect(), TextLayout::pageFont(e.Font()), e.ForeColor(),
                                   breakCaption(e)});
        });
        page.ObjImg().forEach([&](const Element &e) {
            if (inArea(e))
                m_images.push_back(&e);
        });
    }

    void paint(QImage &image) const
    {
        QPainter painter(&image);
        painter.fillRect(image.rect(), Qt::white);
        if (!m_underlay.isNull())
            painter.drawImage(0, 0, m_underlay);
        painter.scale(m_zoom / Twips, m_zoom / Twips);
        painter.translate(-m_area.topLeft());
        painter.setRenderHint(QPainter::TextAntialiasing);
        const double pixel = Twips / m_zoom;
        for (const Element *e : m_lines) {
            painter.setPen(QPen(e->BorderColor(), Twips, Qt::SolidLine, Qt::FlatCap));
            painter.drawLine(QPointF(e->x1(), e->y1()), QPointF(e->x2(), e->y2()));
        }
        const QPen border(Qt::black, pixel, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
        const double inset = pixel / 2;
        for (const RawText &text : m_texts) {
            painter.setClipRect(text.box);
            painter.setFont(text.font);
            painter.setPen(text.color);
            for (const RawLine &line : text.lines)
                painter.drawText(text.box.topLeft() + line.offset, line.text);
            painter.setClipping(false);
            painter.setPen(border);
            painter.drawRect(text.box.adjusted(inset, inset, -inset, -inset));
        }
        for (const Element *e : m_images) {
            painter.drawImage(e->rect(), e->Picture());
            painter.setPen(border);
            painter.drawRect(e->rect().adjusted(inset, inset, -inset, -inset));
        }
    }

private:
    QRectF m_area;
    double m_zoom;
    QImage m_underlay;
    std::vector<const Element *> m_lines;
    std::vector<RawText> m_texts;
    std::vector<const Element *> m_images;
};

// The format the window's backing store paints in, so the reference image
// costs what the window's does.
QImage::Format backingFormat(QWidget &window)
{
    QBackingStore *store = window.backingStore();
    if (store && store->paintDevice() && store->paintDevice()->devType() == QInternal::Image)
        return static_cast<QImage *>(store->paintDevice())->format();
    return QImage::Format_RGB32;
}

// Every element painted again (as after the window grows or every object
// changes), with the captions' layouts and the elements' pixels kept.
double fullRepaintMs(PageView &view)
{
    const QRectF page(0, 0, view.page().Width(), view.page().Height());
    std::vector<double> samples;
    for (int i = 0; i < Repaints; ++i) {
        QElapsedTimer timer;
        timer.start();
        view.pageAreaChanged(page);
        view.repaint();
        samples.push_back(elapsedMs(timer));
    }
    return BenchFigure::percentile(samples, 0.5);
}

double rawRepaintMs(const RawPage &raw, const QSize &size, QImage::Format format)
{
    QImage image(size, format);
    std::vector<double> samples;
    for (int i = 0; i < Repaints; ++i) {
        QElapsedTimer timer;
        timer.start();
        raw.paint(image);
        samples.push_back(elapsedMs(timer));
    }
    return BenchFigure::percentile(samples, 0.5);
}

// A press at start (page twips, on an object), dragged in one-pixel steps,
// each with its frame; frames: how many the view painted.
std::vector<double> dragSteps(mFrm_Bill &bill, const QPointF &start, const PaintCounter &counter,
                              int &frames, bool &moved)
{
    QWindow *window = bill.windowHandle();
    QPoint at = bill.pageView().mapTo(&bill, (start / Twips).toPoint());
    const Element *dragged = bill.pageView().elementAt(start);
    const QPointF from = dragged ? dragged->rect().topLeft() : QPointF();
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
        steps.push_back(elapsedMs(timer));
    }
    QTest::mouseRelease(window, Qt::LeftButton, {}, at);
    frames = counter.paints - paintsBefore;
    moved = dragged && dragged->rect().topLeft() != from;
    return steps;
}

// A click on the page between the cells: deselects everything.
void clickBetweenCells(mFrm_Bill &bill)
{
    const QPoint at = bill.pageView().mapTo(&bill, QPoint(2, 2));
    QTest::mouseClick(bill.windowHandle(), Qt::LeftButton, {}, at);
    flushFrame();
}

// framesEach: the most frames one select-all painted.
double selectAllFrameMs(mFrm_Bill &bill, const PaintCounter &counter, int &framesEach)
{
    std::vector<double> samples;
    framesEach = 0;
    for (int i = 0; i < SelectRuns; ++i) {
        clickBetweenCells(bill);
        const int before = counter.paints;
        QElapsedTimer timer;
        timer.start();
        bill.SelAll();
        flushFrame();
        samples.push_back(elapsedMs(timer));
        framesEach = std::max(framesEach, counter.paints - before);
    }
    clickBetweenCells(bill);
    return BenchFigure::percentile(samples, 0.5);
}

// Frames painted for one command over every object selected.
int framesFor(mFrm_Bill &bill, const PaintCounter &counter, const std::function<void()> &command)
{
    clickBetweenCells(bill);
    bill.SelAll();
    // The current object grows, so that every other one changes size.
    if (ObjDraw *current = bill.mObjs().findByID(bill.mObjs().nCurID())) {
        Element &e = *current->ObjCtl();
        e.Move(e.Left(), e.Top(), e.Width() + 150, e.Height() + 150);
    }
    flushFrame();
    const int before = counter.paints;
    command();
    flushFrame();
    return counter.paints - before;
}

// Steps down the page and back up, one small change at a time.
std::vector<double> scrollSteps(mFrm_Bill &bill)
{
    std::vector<double> samples;
    for (int i = 0; i < ScrollSteps; ++i) {
        const auto action = i < ScrollSteps / 2 ? QAbstractSlider::SliderSingleStepAdd
                                                : QAbstractSlider::SliderSingleStepSub;
        QElapsedTimer timer;
        timer.start();
        bill.VS().triggerAction(action);
        flushFrame();
        samples.push_back(elapsedMs(timer));
    }
    return samples;
}

// The page at 400 %, scrolled to its middle: painting all it shows again
// against raw drawing of what lies there at that zoom.
std::pair<double, double> detailRepaintMs(mFrm_Bill &bill, QImage::Format format)
{
    bill.setZoom(DetailZoom);
    bill.HS().setValue(bill.HS().Max() / 2);
    bill.VS().setValue(bill.VS().Max() / 2);
    flushFrame();
    const PageView &view = bill.pageView();
    // What the view shows: the page area less the bars.
    const QRect shown = view.rect() & QRect(-view.pos(), view.parentWidget()->size());
    const QRectF area = bill.viewMapping().pageToTwips(QRectF(shown));
    const double full = fullRepaintMs(bill.pageView());
    const double raw = rawRepaintMs(RawPage(bill.PicPage(), area, DetailZoom), shown.size(), format);
    bill.setZoom(1);
    bill.HS().setValue(0);
    bill.VS().setValue(0);
    flushFrame();
    return {full, raw};
}

// One notch of the wheel with Ctrl, in and out by turns, about the middle of
// the page, each with the frame it paints.
std::vector<double> zoomSteps(mFrm_Bill &bill)
{
    std::vector<double> samples;
    QWidget &area = bill.pageArea();
    const QPointF at(area.width() / 2.0, area.height() / 2.0);
    for (int i = 0; i < ZoomNotches; ++i) {
        const int turn = i % 2 ? -120 : 120;
        QWheelEvent wheel(at, area.mapToGlobal(at), QPoint(), QPoint(0, turn), Qt::NoButton,
                          Qt::ControlModifier, Qt::NoScrollPhase, false);
        QElapsedTimer timer;
        timer.start();
        QCoreApplication::sendEvent(&area, &wheel);
        flushFrame();
        samples.push_back(elapsedMs(timer));
    }
    return samples;
}

// An arrow key, right and left by turns, on every object selected, each with
// the frame it paints.
std::vector<double> nudgeSteps(mFrm_Bill &bill)
{
    std::vector<double> samples;
    bill.SelAll();
    flushFrame();
    for (int i = 0; i < Nudges; ++i) {
        QKeyEvent key(QEvent::KeyPress, i % 2 ? Qt::Key_Left : Qt::Key_Right, Qt::NoModifier,
                      QString(), i > 0);
        QElapsedTimer timer;
        timer.start();
        QCoreApplication::sendEvent(&bill, &key);
        flushFrame();
        samples.push_back(elapsedMs(timer));
    }
    return samples;
}

// Undo, then redo, of a move of every object by an arrow key, each with the
// frame it paints; whether the objects ended where they began.
std::vector<double> undoMoveSteps(mFrm_Bill &bill, bool &restored)
{
    std::vector<double> samples;
    bill.SelAll();
    const QRectF before = bill.ObjText()(1001).rect();
    QKeyEvent key(QEvent::KeyPress, Qt::Key_Right, Qt::ShiftModifier);
    QCoreApplication::sendEvent(&bill, &key);
    flushFrame();
    const QRectF moved = bill.ObjText()(1001).rect();
    restored = moved != before;
    for (int i = 0; i < UndoRuns; ++i) {
        QElapsedTimer timer;
        timer.start();
        bill.undo();
        flushFrame();
        samples.push_back(elapsedMs(timer));
        restored = restored && bill.ObjText()(1001).rect() == before;
        bill.redo();
        flushFrame();
        restored = restored && bill.ObjText()(1001).rect() == moved;
    }
    bill.undo();
    flushFrame();
    return samples;
}

// The heap the history holds after moves of one object at a time, each a
// step of its own.
double historyKiB(mFrm_Bill &bill)
{
    bill.undoStack().clear();
    const std::size_t before = mallinfo2().uordblks;
    for (int i = 0; i < SingleMoves; ++i) {
        const int id = 1001 + i % 900;
        Selection{{id}, id}.applyTo(bill.mObjs());
        QKeyEvent key(QEvent::KeyPress, i % 2 ? Qt::Key_Left : Qt::Key_Right, Qt::NoModifier);
        QCoreApplication::sendEvent(&bill, &key);
    }
    flushFrame();
    const std::size_t after = mallinfo2().uordblks;
    return bill.undoStack().count() == SingleMoves ? double(after - before) / 1024.0 : -1;
}

// Opening as the program does: a new window in the workspace, shown, then
// the template read from the store, until the page has painted.
double openMs(TemplateCatalogue &catalogue, BenchShell &shell, int16_t id)
{
    QMdiArea workspace;
    workspace.resize(1200, 800);
    workspace.show();
    if (!QTest::qWaitForWindowExposed(&workspace))
        return -1;
    std::vector<double> samples;
    for (int i = 0; i < Opens; ++i) {
        QElapsedTimer timer;
        timer.start();
        auto *bill = new mFrm_Bill(shell);
        PaintCounter counter;
        bill->pageView().installEventFilter(&counter);
        bill->setBillSource(&catalogue);
        QMdiSubWindow *frame = workspace.addSubWindow(bill);
        frame->resize(workspace.size() * 0.8);
        frame->show();
        workspace.setActiveSubWindow(frame);
        bill->LoadBill(id);
        counter.paints = 0;
        while (counter.paints == 0)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        samples.push_back(elapsedMs(timer));
        const bool whole = bill->mObjs().Count() == Columns * Rows;
        bill->pageView().removeEventFilter(&counter);
        delete frame;
        if (!whole)
            return -1;
    }
    return BenchFigure::percentile(samples, 0.5);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    AppSetup::installFontSubstitutions();
    Platform::installFakes();
    Screen::setTwipsPerPixel(Twips, Twips);

    BenchShell shell;
    mFrm_Bill bill(shell);
    bill.PicPage().setWidth(Columns * CellWidth + 120);
    bill.PicPage().setHeight(Rows * CellHeight + 120);
    fillPage(bill);
    bill.resize(int(bill.PicPage().Width() / Twips) + 60,
                int(bill.PicPage().Height() / Twips) + 60);
    bill.show();
    if (!QTest::qWaitForWindowExposed(&bill))
        return 1;
    // The first frame of the page is painted before anything is timed.
    QCoreApplication::processEvents();

    PaintCounter counter;
    bill.pageView().installEventFilter(&counter);

    const QSize repainted = bill.pageView().size();
    const double full = fullRepaintMs(bill.pageView());
    const double raw = rawRepaintMs(RawPage(bill.PicPage()), repainted, backingFormat(bill));
    const auto [detail, detailRaw] = detailRepaintMs(bill, backingFormat(bill));

    // Press on a text near the middle and drag it in 200 one-pixel steps.
    const int cell = (Rows / 2) * Columns + Columns / 2 + 1;
    const QPointF start((cell % Columns) * CellWidth + 200, (cell / Columns) * CellHeight + 150);
    const Element *dragged = bill.pageView().elementAt(start);
    const QPointF from = dragged ? dragged->rect().topLeft() : QPointF();
    int framesPainted = 0;
    bool moved = false;
    const std::vector<double> steps = dragSteps(bill, start, counter, framesPainted, moved);
    const QPointF movedBy = moved ? dragged->rect().topLeft() - from : QPointF();

    // The same over the scan, stretched beneath the whole page; the raw
    // reference draws the scan as the view keeps it, scaled and faded once.
    const QImage scan = a4Scan();
    const QRectF wholePage(0, 0, bill.PicPage().Width(), bill.PicPage().Height());
    bill.pageView().setUnderlay(scan, wholePage, UnderlayOpacity);
    flushFrame();
    const double fullUnderlay = fullRepaintMs(bill.pageView());
    const double rawUnderlay
        = rawRepaintMs(RawPage(bill.PicPage(), QRectF(), 1, fadedScan(scan, repainted)),
                       repainted, backingFormat(bill));
    const qint64 underlayBytes = bill.pageView().underlayBytes();
    int underlayFrames = 0;
    bool movedOverUnderlay = false;
    const std::vector<double> underlaySteps
        = dragSteps(bill, start + movedBy, counter, underlayFrames, movedOverUnderlay);
    bill.pageView().setUnderlay(QImage(), QRectF(), UnderlayOpacity);

    // Selecting every object shows 18000 handles at once.
    int selectFrames = 0;
    const double selectAll = selectAllFrameMs(bill, counter, selectFrames);

    // A zoom step of the wheel with every handle shown, and with none.
    clickBetweenCells(bill);
    bill.SelAll();
    flushFrame();
    const std::vector<double> zoomSelected = zoomSteps(bill);
    clickBetweenCells(bill);
    const std::vector<double> zoom = zoomSteps(bill);
    bill.setZoom(1);
    const QRectF before = bill.ObjText()(1001).rect();
    const std::vector<double> nudges = nudgeSteps(bill);
    const bool nudged = bill.ObjText()(1001).rect() == before && bill.mChanged();
    bool undone = false;
    const std::vector<double> undoMoves = undoMoveSteps(bill, undone);
    const double historyAfterMoves = historyKiB(bill);
    clickBetweenCells(bill);

    // A window smaller than the page, scrolled with its vertical bar.
    bill.resize(1000, 700);
    flushFrame();
    const std::vector<double> scroll = scrollSteps(bill);
    bill.pageView().setUnderlay(scan, wholePage, UnderlayOpacity);
    flushFrame();
    const std::vector<double> scrollUnderlay = scrollSteps(bill);
    bill.pageView().setUnderlay(QImage(), QRectF(), UnderlayOpacity);

    // The same page, stored and opened again.
    QTemporaryDir dir;
    TemplateCatalogue catalogue;
    catalogue.setPath(dir.filePath(QStringLiteral("templates.sqlite")));
    bill.record().Caption = QStringLiteral("三千个对象");
    catalogue.store().save(bill.record());
    const double open = openMs(catalogue, shell, bill.record().mID);
    if (open < 0)
        return 1;

    // Last, as they pile every object onto the current one's edge.
    const int alignFrames = framesFor(bill, counter, [&] { bill.SetAlign(ObjDraws::AlignLeft); });
    const int sizeFrames
        = framesFor(bill, counter, [&] { bill.SetSameSize(ObjDraws::SameWidthAndHeight); });
    // The ids of each kind leave room to clone half of them at most.
    mFrm_Bill halfFull(shell);
    halfFull.PicPage().setWidth(bill.PicPage().Width());
    halfFull.PicPage().setHeight(bill.PicPage().Height());
    fillPage(halfFull, Columns * Rows / 2);
    halfFull.resize(bill.size());
    halfFull.show();
    flushFrame();
    PaintCounter cloneCounter;
    halfFull.pageView().installEventFilter(&cloneCounter);
    const int cloneFrames = framesFor(halfFull, cloneCounter, [&] { halfFull.CloneObj(); });
    const bool clonedAll = halfFull.mObjs().Count() == Columns * Rows;

    const double p95 = BenchFigure::percentile(steps, 0.95);
    const double slowest = *std::max_element(steps.begin(), steps.end());
    BenchFigure::print("full-repaint", full, raw);
    BenchFigure::print("full-repaint-target", full, FastFrameMs);
    BenchFigure::print("full-repaint-400", detail, detailRaw * 1.5);
    BenchFigure::print("full-repaint-400-raw", detail, detailRaw);
    BenchFigure::print("drag-step", p95, full);
    BenchFigure::print("drag-step-slowest", slowest, FrameMs);
    BenchFigure::print("drag-step-p95-target", p95, FastFrameMs);
    BenchFigure::print("select-all-frame", selectAll, FrameMs);
    BenchFigure::print("scroll-step", BenchFigure::percentile(scroll, 0.95), FastFrameMs);
    BenchFigure::print("zoom-step", BenchFigure::percentile(zoomSelected, 0.95), FrameMs);
    BenchFigure::print("zoom-step-unselected", BenchFigure::percentile(zoom, 0.95), FrameMs);
    BenchFigure::print("nudge-step", BenchFigure::percentile(nudges, 0.95), FrameMs);
    BenchFigure::print("undo-move-3000", BenchFigure::percentile(undoMoves, 0.95), FrameMs);
    std::printf("history-1000-moves: %.1f KiB (%.0f bytes a step)\n", historyAfterMoves,
                historyAfterMoves * 1024.0 / SingleMoves);
    BenchFigure::print("open-3000", open, OpenMs);
    BenchFigure::print("full-repaint-underlay", fullUnderlay, FastFrameMs);
    BenchFigure::print("full-repaint-underlay-raw", fullUnderlay, rawUnderlay * 1.5);
    BenchFigure::print("drag-step-underlay", BenchFigure::percentile(underlaySteps, 0.95),
                       FastFrameMs);
    BenchFigure::print("scroll-step-underlay", BenchFigure::percentile(scrollUnderlay, 0.95),
                       FastFrameMs);
    std::printf("# %d objects, page %dx%d px, %d drag steps, %d frames painted, dragged text "
                "moved by %.0f x %.0f twips; frames per select-all %d, align %d, same size %d, "
                "clone of %d %d; medians of %d repaints, %d select-alls, %d opens; p95 of %d "
                "drag and %d scroll steps\n",
                bill.mObjs().Count(), repainted.width(), repainted.height(), Steps,
                framesPainted, movedBy.x(), movedBy.y(), selectFrames, alignFrames, sizeFrames,
                Columns * Rows / 2, cloneFrames, Repaints, SelectRuns, Opens, Steps, ScrollSteps);
    const bool onceEach = selectFrames == 1 && alignFrames == 1 && sizeFrames == 1
                          && cloneFrames == 1 && clonedAll;
    std::printf("# zoom and nudge steps: p95 of %d wheel notches between 100%% and 150%% with "
                "every object selected and with none, of %d arrow keys on every object; "
                "400%%: median of %d repaints of the middle of the page\n",
                ZoomNotches, Nudges, Repaints);
    std::printf("# underlay: a %dx%d scan (%.1f MB) stretched beneath the page at %d%%; the "
                "view holds %.1f MB for it (the scan and its copy at the zoom); raw drawing "
                "of the same content with the scan pre-scaled %.2f ms\n",
                ScanDots.width(), ScanDots.height(), scan.sizeInBytes() / 1048576.0,
                UnderlayOpacity, underlayBytes / 1048576.0, rawUnderlay);
    const bool underlaid = underlayFrames >= Steps && movedOverUnderlay;
    std::printf("# undo: p95 of %d undos of a Shift+arrow move of every object, each with its "
                "frame; history: heap held after %d arrow-key moves of one object each\n",
                UndoRuns, SingleMoves);
    return framesPainted >= Steps && moved && onceEach && nudged && underlaid && undone
                   && historyAfterMoves > 0
               ? 0
               : 2;
}
