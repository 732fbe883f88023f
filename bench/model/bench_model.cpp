// Speed of the object model on a template of 3000 objects (1000 lines,
// 1000 texts, 1000 pictures). Each figure is held against a plain loop over
// the same element records doing the same reads and writes without the
// model's bookkeeping.
#include "bench/BenchFigure.h"
#include "model/HandlePictures.h"
#include "model/HandlePosition.h"
#include "model/ObjDraws.h"
#include "model/ObjGeometry.h"
#include "model/ObjHds.h"

#include "platform/Element.h"
#include "platform/ElementArray.h"
#include "platform/PageObserver.h"
#include "platform/Screen.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QString>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <functional>
#include <random>
#include <vector>

namespace {

constexpr int PerKind = 1000;
constexpr std::array<int, 3> Kinds{ObjDraw::Line, ObjDraw::Text, ObjDraw::Picture};
constexpr double PageWidth = 30000;
constexpr double PageHeight = 40000;

struct Template
{
    ObjDraws objs;
    // The same records, for the reference loops.
    std::vector<Element *> elements;
    std::vector<std::array<Element *, HandlePosition::Count>> handles;
    std::vector<int> kinds;
};

void build(Template &t)
{
    std::mt19937 random(20240601);
    std::uniform_real_distribution<double> x(0, PageWidth - 2000);
    std::uniform_real_distribution<double> y(0, PageHeight - 2000);
    PageSurface &page = t.objs.page();
    page.setWidth(PageWidth);
    page.setHeight(PageHeight);
    for (int i = 0; i < 3 * PerKind; ++i) {
        const int kind = Kinds[i % Kinds.size()];
        const double left = std::round(x(random));
        const double top = std::round(y(random));
        ElementArray &array = kind == ObjDraw::Line   ? page.ObjLine()
                              : kind == ObjDraw::Text ? page.ObjText()
                                                      : page.ObjImg();
        Element &e = array.Load(array.UBound() + 1);
        if (kind == ObjDraw::Line)
            e.setLine(left, top, left + 1500, top + (i % 2 ? 0 : 400));
        else
            e.Move(left, top, 1200, 300);
        e.setVisible(true);
        auto obj = t.objs.LinkCtl(e.Index(), kind, &e, ObjDraw::Created);
        t.elements.push_back(&e);
        t.kinds.push_back(kind);
        std::array<Element *, HandlePosition::Count> hds{};
        for (int p = HandlePosition::TopLeft; p <= HandlePosition::Count; ++p)
            hds[p - 1] = obj->Handls()->Item(p).ObjCtl();
        t.handles.push_back(hds);
    }
}

// Counts the page's change notifications, to show model and reference
// touched the same records.
struct ChangeCounter : PageObserver
{
    long changes = 0;
    void pageAreaChanged(const QRectF &) override { ++changes; }
    void pageGeometryChanged() override {}
};
ChangeCounter counter;

// The figure to run when one is named on the command line.
QString onlyFigure;

// Times model and reference alternately, each after its own untimed setup.
// With sameWrites the two must change the same number of records.
void figure(const char *name, int reps, int callsPerRep, const std::function<void()> &setup,
            const std::function<void()> &model, const std::function<void()> &reference,
            bool sameWrites = true)
{
    if (!onlyFigure.isEmpty() && onlyFigure != QLatin1String(name))
        return;
    std::vector<double> modelNs, referenceNs;
    long modelChanges = 0, referenceChanges = 0;
    QElapsedTimer timer;
    for (int r = 0; r < reps; ++r) {
        setup();
        long before = counter.changes;
        timer.start();
        model();
        modelNs.push_back(timer.nsecsElapsed());
        modelChanges += counter.changes - before;
        setup();
        before = counter.changes;
        timer.start();
        reference();
        referenceNs.push_back(timer.nsecsElapsed());
        referenceChanges += counter.changes - before;
    }
    const double m = BenchFigure::percentile(modelNs, 0.5) / 1e6 / callsPerRep;
    const double ref = BenchFigure::percentile(referenceNs, 0.5) / 1e6 / callsPerRep;
    BenchFigure::print(name, m, ref);
    if (sameWrites && modelChanges != referenceChanges)
        std::printf("  (%s: model changed %ld records, reference %ld)\n", name, modelChanges,
                    referenceChanges);
    std::fflush(stdout);
}

// A line uses two handles, on its ends: the top-left and the bottom-right.
int handlesInUse(int kind)
{
    return kind == ObjDraw::Line ? 2 : HandlePosition::Count;
}

int positionInUse(int kind, int k)
{
    return kind == ObjDraw::Line && k == 1 ? HandlePosition::BottomRight : k + 1;
}

// Handle placement as the reference does it: the same rule, no lookups.
struct Placement
{
    double hw, hh;
    int px, py;
};

void placeHandles(const Template &t, std::size_t i, const Placement &p)
{
    const Element &e = *t.elements[i];
    const auto &hds = t.handles[i];
    if (t.kinds[i] == ObjDraw::Line) {
        hds[HandlePosition::TopLeft - 1]->Move(e.x1() - p.hw + p.px, e.y1() - p.hh + p.py);
        hds[HandlePosition::BottomRight - 1]->Move(e.x2() - p.hw - p.px, e.y2() - p.hh - p.py);
        return;
    }
    const QRectF box(e.Left(), e.Top(), e.Width(), e.Height());
    for (int pos = HandlePosition::TopLeft; pos <= HandlePosition::Count; ++pos) {
        const QPointF at = ObjGeometry::handleTopLeft(pos, box, p.hw, p.hh, p.px, p.py);
        hds[pos - 1]->Move(at.x(), at.y());
    }
}

// The selected look: handle pictures and pointers, handles shown, label border.
void showSelected(const Template &t, std::size_t i, ObjHd::State state)
{
    const int kind = t.kinds[i];
    const int inUse = handlesInUse(kind);
    const auto &hds = t.handles[i];
    for (int k = 0; k < inUse; ++k) {
        Element *h = hds[positionInUse(kind, k) - 1];
        h->setPicture(HandlePictures::forState(state));
        h->setMousePointer(ObjHd::HdPointer(positionInUse(kind, k)));
    }
    for (int k = 0; k < inUse; ++k)
        hds[positionInUse(kind, k) - 1]->setVisible(true);
    if (kind == ObjDraw::Text)
        t.elements[i]->setBorderStyle(Element::FixedSingle);
}

// Making a selected object current: the current picture on the handles in
// use, then all its handles on top.
void makeCurrent(const Template &t, std::size_t i)
{
    const int kind = t.kinds[i];
    const auto &hds = t.handles[i];
    for (int k = 0; k < handlesInUse(kind); ++k)
        hds[positionInUse(kind, k) - 1]->setPicture(HandlePictures::forState(ObjHd::Current));
    for (Element *h : hds)
        h->ZOrder();
}

void growPage(Template &t)
{
    double right = 0, bottom = 0;
    for (const Element *e : t.elements) {
        const QRectF r = e->rect();
        right = std::max(right, r.right());
        bottom = std::max(bottom, r.bottom());
    }
    PageSurface &page = t.objs.page();
    if (page.Width() < right)
        page.setWidth(right);
    if (page.Height() < bottom)
        page.setHeight(bottom);
}

void adjustReference(Template &t, const Placement &p)
{
    for (std::size_t i = 0; i < t.elements.size(); ++i) {
        Element &e = *t.elements[i];
        if (!e.Visible())
            continue;
        if (t.kinds[i] != ObjDraw::Line) {
            if (e.Top() < 0)
                e.setTop(0);
            if (e.Left() < 0)
                e.setLeft(0);
        }
        placeHandles(t, i, p);
    }
    growPage(t);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc > 1)
        onlyFigure = QString::fromLocal8Bit(argv[1]);
    Screen::setTwipsPerPixel(15, 15);
    Template t;
    build(t);
    t.objs.page().setObserver(&counter);
    ObjDraws &objs = t.objs;
    const Placement placement{37, 37, 8, 8};
    const int count = static_cast<int>(t.elements.size());

    std::mt19937 random(7);
    std::uniform_real_distribution<double> x(0, PageWidth);
    std::uniform_real_distribution<double> y(0, PageHeight);
    std::vector<QPointF> points;
    for (int i = 0; i < 1000; ++i)
        points.emplace_back(std::round(x(random)), std::round(y(random)));

    auto deselectAll = [&] { objs.setNActCount(0); };
    // The model deselects only what it selected itself, so the records the
    // reference showed directly are put back by hand: both sides then start
    // from the same page.
    auto deselectAndResetRecords = [&] {
        objs.setNActCount(0);
        for (std::size_t i = 0; i < t.elements.size(); ++i) {
            for (Element *h : t.handles[i])
                h->setVisible(false);
            if (t.kinds[i] == ObjDraw::Text) {
                const bool blank = t.elements[i]->Caption().trimmed().isEmpty();
                t.elements[i]->setBorderStyle(blank ? Element::FixedSingle : Element::NoBorder);
            }
        }
    };

    std::shared_ptr<ObjDraw> hit;
    int modelHits = 0, referenceHits = 0;
    // The reference only finds the hit; the model also selects it, so the
    // hits are compared instead of the records changed.
    figure("chkpoint", 9, 1000, deselectAll,
           [&] {
               for (const QPointF &p : points)
                   modelHits += objs.ChkPoint(p.x(), p.y(), hit) ? 1 : 0;
           },
           [&] {
               for (const QPointF &p : points) {
                   for (const Element *e : t.elements) {
                       if (!e->Visible())
                           continue;
                       const double m = ObjGeometry::PointMargin;
                       const QRectF r = e->rect().adjusted(-m, -m, m, m);
                       if (p.x() >= r.left() && p.x() <= r.right() && p.y() >= r.top()
                           && p.y() <= r.bottom()
                           && (!e->isLine()
                               || ObjGeometry::HitLine(e->x1(), e->y1(), e->x2(), e->y2(), p.x(),
                                                       p.y()))) {
                           ++referenceHits;
                           break;
                       }
                   }
               }
           },
           false);

    figure("chkrange", 15, 1, deselectAndResetRecords,
           [&] { objs.ChkRange(0, 0, PageWidth, PageHeight, hit); },
           [&] {
               const TwipRect band{0, 0, int(PageWidth), int(PageHeight)};
               std::size_t first = t.elements.size();
               for (std::size_t i = 0; i < t.elements.size(); ++i) {
                   const Element &e = *t.elements[i];
                   if (!e.Visible())
                       continue;
                   const TwipRect r = t.kinds[i] == ObjDraw::Line
                                          ? ObjGeometry::lineRangeRect(e.x1(), e.y1(), e.x2(), e.y2())
                                          : ObjGeometry::rectFrom(e.Left(), e.Top(),
                                                                  e.Left() + e.Width(),
                                                                  e.Top() + e.Height());
                   if (ObjGeometry::IntersectRect(band, r)) {
                       showSelected(t, i, ObjHd::Selected);
                       first = std::min(first, i);
                   }
               }
               if (first < t.elements.size())
                   makeCurrent(t, first);
           });

    figure("activeall", 15, 1, deselectAndResetRecords, [&] { objs.ActiveAll(); },
           [&] {
               std::size_t last = t.elements.size();
               for (std::size_t i = 0; i < t.elements.size(); ++i) {
                   if (t.elements[i]->Visible()) {
                       showSelected(t, i, ObjHd::Selected);
                       last = i;
                   }
               }
               if (last < t.elements.size())
                   makeCurrent(t, last);
           });

    // Everything selected from here on. Align and same size run from the
    // same saved layout every time, so model and reference do the same moves.
    objs.ActiveAll();
    const int firstText = objs.Item(2)->nID();
    objs.Item(2)->ObjCtl()->Move(9000, 9000, 700, 500);
    std::vector<QRectF> layout;
    for (std::size_t i = 0; i < t.elements.size(); ++i) {
        const Element &e = *t.elements[i];
        layout.push_back(t.kinds[i] == ObjDraw::Line
                             ? QRectF(QPointF(e.x1(), e.y1()), QPointF(e.x2(), e.y2()))
                             : QRectF(e.Left(), e.Top(), e.Width(), e.Height()));
    }
    auto restoreLayout = [&] {
        for (std::size_t i = 0; i < t.elements.size(); ++i) {
            Element &e = *t.elements[i];
            const QRectF &r = layout[i];
            if (t.kinds[i] == ObjDraw::Line)
                e.setLine(r.left(), r.top(), r.right(), r.bottom());
            else
                e.Move(r.left(), r.top(), r.width(), r.height());
            placeHandles(t, i, placement);
        }
        objs.setNCurID(firstText);
    };

    figure("aligntocur", 15, 1, restoreLayout, [&] { objs.AlginToCur(ObjDraws::AlignLeft); },
           [&] {
               const double reference = objs.Item(ObjDraw::KeyOf(objs.nCurID()))->ObjCtl()->Left();
               for (std::size_t i = 0; i < t.elements.size(); ++i) {
                   Element &e = *t.elements[i];
                   if (!e.Visible() || e.Index() == objs.nCurID())
                       continue;
                   if (t.kinds[i] == ObjDraw::Line) {
                       double x1 = e.x1(), x2 = e.x2();
                       ObjGeometry::alignSpan(x1, x2, reference, true);
                       e.setLine(x1, e.y1(), x2, e.y2());
                   } else {
                       e.setLeft(reference);
                   }
                   placeHandles(t, i, placement);
               }
               adjustReference(t, placement);
           });

    figure("makesamesize", 15, 1, restoreLayout,
           [&] { objs.MakeSameSize(ObjDraws::SameWidthAndHeight); },
           [&] {
               const QRectF cur = objs.Item(ObjDraw::KeyOf(objs.nCurID()))->ObjCtl()->rect();
               for (std::size_t i = 0; i < t.elements.size(); ++i) {
                   Element &e = *t.elements[i];
                   if (!e.Visible() || e.Index() == objs.nCurID())
                       continue;
                   if (t.kinds[i] == ObjDraw::Line) {
                       double x1 = e.x1(), y1 = e.y1(), x2 = e.x2(), y2 = e.y2();
                       ObjGeometry::resizeSpan(x1, x2, cur.width());
                       ObjGeometry::resizeSpan(y1, y2, cur.height());
                       e.setLine(x1, y1, x2, y2);
                   } else {
                       e.Move(e.Left(), e.Top(), cur.width(), cur.height());
                   }
                   placeHandles(t, i, placement);
               }
               adjustReference(t, placement);
           });

    // One step of a group move with everything selected.
    objs.setNCurID(firstText);
    const QRectF start = objs.Item(ObjDraw::KeyOf(firstText))->ObjCtl()->rect();
    double px = start.left() + 10, py = start.top() + 10;
    if (!objs.StartMoveMore(px, py, hit))
        std::printf("group move did not start\n");
    int step = 0;
    double refOldX = px, refOldY = py;
    figure("movingmore", 15, 1, [] {},
           [&] {
               const double d = step++ % 2 ? -15 : 15;
               px += d;
               py += d;
               objs.MovingMore(px, py, true, PageWidth * 2, PageHeight * 2);
           },
           [&] {
               const double d = step % 2 ? -15 : 15;
               const double nx = refOldX + d, ny = refOldY + d;
               for (std::size_t i = 0; i < t.elements.size(); ++i) {
                   Element &e = *t.elements[i];
                   if (!e.Visible())
                       continue;
                   const QRectF r = e.rect();
                   double left = std::max(0.0, r.left() + nx - refOldX);
                   double top = std::max(0.0, r.top() + ny - refOldY);
                   if (left + r.width() > PageWidth * 2)
                       left = PageWidth * 2 - r.width();
                   if (top + r.height() > PageHeight * 2)
                       top = PageHeight * 2 - r.height();
                   if (t.kinds[i] == ObjDraw::Line) {
                       const bool lw = e.x1() > e.x2(), up = e.y1() > e.y2();
                       const double w = r.width(), h = r.height();
                       e.setLine(lw ? left + w : left, up ? top + h : top, lw ? left : left + w,
                                 up ? top : top + h);
                   } else {
                       e.Move(left, top);
                   }
               }
               refOldX = nx;
               refOldY = ny;
           });
    objs.EndMoveMore(px, py);

    std::printf("(%d objects; chkpoint hits model %d, reference %d)\n", count, modelHits,
                referenceHits);
    return 0;
}
