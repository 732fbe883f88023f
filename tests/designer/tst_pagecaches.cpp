// The page view keeps each caption's layout, where every element lies and
// the page as last painted. After any edit, what it shows must equal, pixel
// for pixel, the page painted with all of that forgotten; and the element
// it finds under the pointer must be the topmost one a walk over every
// element finds.

#include "DesignerHarness.h"

#include "designer/DrawTool.h"
#include "designer/ScrollBar.h"

#include "model/HandlePosition.h"
#include "model/ObjDraw.h"
#include "model/ObjDraws.h"

#include "platform/AppSetup.h"
#include "platform/Element.h"
#include "platform/ElementFont.h"
#include "platform/LaidText.h"
#include "platform/TextLayout.h"
#include "platform/PageSurface.h"
#include "platform/Platform.h"
#include "platform/Screen.h"

#include <QAbstractSlider>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPointF>

#include <cmath>
#include <functional>
#include <map>
#include <memory>
#include <optional>

namespace {

constexpr int TextA = 1001;
constexpr int TextB = 1002;
constexpr int Picture = 2001;
constexpr int SlantedLine = 2;
constexpr double TwipsPerMm = 1440 / 25.4;

using Edit = std::function<void(DesignerHarness &, mFrm_Bill *)>;

struct Step
{
    Edit edit;
    // Whether the page looks different afterwards, so a stale copy would
    // show.
    bool shows;
};

Element &text(mFrm_Bill *bill, int id)
{
    return bill->ObjText()(id);
}

QImage shown(mFrm_Bill *bill)
{
    return bill->pageView().grab().toImage();
}

QPoint handleAt(DesignerHarness &h, mFrm_Bill *bill, int nID, int position)
{
    const Element &handle = bill->PicHD()(8 * nID - 8 + position);
    return h.at(bill, handle.Left() + 45, handle.Top() + 45);
}

const std::map<QString, Step> &steps()
{
    static const std::map<QString, Step> all{
        {QStringLiteral("caption"), {[](DesignerHarness &, mFrm_Bill *b) {
             text(b, TextA).setCaption(QStringLiteral("收货单位：华东仓储有限公司第三分库"));
         }, true}},
        {QStringLiteral("font"), {[](DesignerHarness &, mFrm_Bill *b) {
             ElementFont font = text(b, TextA).Font();
             font.Size = 14;
             font.Bold = true;
             text(b, TextA).setFont(font);
         }, true}},
        {QStringLiteral("move"), {[](DesignerHarness &h, mFrm_Bill *b) {
             h.drag(b, 2000, 900, 2900, 1800);
         }, true}},
        {QStringLiteral("size"), {[](DesignerHarness &h, mFrm_Bill *b) {
             h.click(b, 4700, 1600);
             h.dragTo(handleAt(h, b, TextB, HandlePosition::BottomRight), h.at(b, 6600, 2400));
         }, true}},
        {QStringLiteral("auto-size"), {[](DesignerHarness &, mFrm_Bill *b) {
             text(b, TextB).setAutoSize(true);
         }, true}},
        // The designer always cuts a caption at its box; only printing
        // follows Clip.
        {QStringLiteral("clip"), {[](DesignerHarness &, mFrm_Bill *b) {
             b->mObjs().Item(ObjDraw::KeyOf(TextA))->setClip(false);
         }, false}},
        {QStringLiteral("select all"), {[](DesignerHarness &, mFrm_Bill *b) {
             b->SelAll();
         }, true}},
        // More small texts than the page repaints one by one by habit, on
        // a page grown wide enough that it still does; some lie over the
        // picture and the lines. Selected at once, every border shows.
        {QStringLiteral("select all of many"), {[](DesignerHarness &h, mFrm_Bill *b) {
             b->PicPage().setWidth(24000);
             for (int i = 0; i < 100; ++i) {
                 const int id = TextB + 100 + i;
                 Element &e = b->ObjText().Load(id);
                 e.Move(150 + (i % 20) * 1150, 150 + (i / 20) * 700, 450, 210);
                 e.setCaption(QStringLiteral("字"));
                 e.setVisible(true);
                 b->mObjs().LinkCtl(id, ObjDraw::Text, &e, ObjDraw::Created);
             }
             h.click(b, 7500, 3300);
             shown(b);
             b->SelAll();
         }, true}},
        // Two boxes three pixels apart, their handles overlapping: the one
        // made current paints its handles above the other's.
        {QStringLiteral("current above"), {[](DesignerHarness &h, mFrm_Bill *b) {
             h.draw(b, DrawTool::Text, 3045, 750, 4000, 1200);
             b->SelAll();
             shown(b);
             h.click(b, 2200, 1000);
         }, true}},
        {QStringLiteral("select none"), {[](DesignerHarness &h, mFrm_Bill *b) {
             h.click(b, 7500, 3300);
         }, true}},
        // Moved while hidden and painted, then shown at its new place.
        {QStringLiteral("shown elsewhere"), {[](DesignerHarness &, mFrm_Bill *b) {
             Element &moved = text(b, TextA);
             moved.setVisible(false);
             shown(b);
             moved.Move(moved.Left() + 900, moved.Top() + 1650);
             shown(b);
             moved.setVisible(true);
         }, true}},
        {QStringLiteral("delete"), {[](DesignerHarness &h, mFrm_Bill *b) {
             h.click(b, 300, 3000);
             b->Delete();
         }, true}},
    };
    return all;
}

// Lengths no page shows, as typed, read from a store or summed by moves:
// the record keeps them.
const std::map<QString, Edit> &farEdits()
{
    static const std::map<QString, Edit> all{
        {QStringLiteral("height 100 m"), [](DesignerHarness &, mFrm_Bill *b) {
             b->ObjImg()(Picture).setHeight(1e5 * TwipsPerMm);
         }},
        {QStringLiteral("height 1e9 mm"), [](DesignerHarness &, mFrm_Bill *b) {
             b->ObjImg()(Picture).setHeight(1e9 * TwipsPerMm);
         }},
        {QStringLiteral("height 99999999999 mm"), [](DesignerHarness &, mFrm_Bill *b) {
             b->ObjImg()(Picture).setHeight(99999999999 * TwipsPerMm);
         }},
        {QStringLiteral("far above and below"), [](DesignerHarness &, mFrm_Bill *b) {
             b->ObjImg()(Picture).setStretch(true);
             b->ObjImg()(Picture).Move(-5e12, -5e12, 1e13, 1e13);
         }},
        {QStringLiteral("moves summed"), [](DesignerHarness &, mFrm_Bill *b) {
             Element &label = text(b, TextA);
             for (int i = 0; i < 1000; ++i)
                 label.Move(label.Left() + 5e7, label.Top());
         }},
        {QStringLiteral("wide label right aligned"), [](DesignerHarness &, mFrm_Bill *b) {
             text(b, TextB).setAlignment(Element::RightJustify);
             text(b, TextB).setWidth(1e9 * TwipsPerMm);
         }},
        {QStringLiteral("thick line far out"), [](DesignerHarness &, mFrm_Bill *b) {
             Element &line = b->ObjLine()(SlantedLine);
             line.setBorderWidth(3);
             line.setLine(-5e15, -4e15, 1e15, 2e15);
         }},
    };
    return all;
}

// Shrunk sequences after which the page as kept once differed from a
// fresh paint.
const std::map<QString, Edit> &partialRepaints()
{
    static const std::map<QString, Edit> all{
        // A bordered picture across the edge of two kept squares, copied
        // from its own kept pixels: its corner pixel went missing where it
        // was drawn into the square afresh.
        {QStringLiteral("border across squares at 300 %"), [](DesignerHarness &, mFrm_Bill *b) {
             b->setZoom(3);
             b->HS().setValue(0);
             b->VS().setValue(0);
             Element &picture = b->ObjImg()(Picture);
             picture.setBorderStyle(Element::FixedSingle);
             picture.Move(1196, 85, 526, 70);
             shown(b);
             b->pageView().setGrid(120);
             shown(b);
             b->pageView().setGrid(0);
         }},
        // A bordered picture kept as pixels over white, copied where the
        // form beneath the page shows.
        {QStringLiteral("bordered picture over the underlay"), [](DesignerHarness &, mFrm_Bill *b) {
             QImage form(800, 400, QImage::Format_RGB32);
             form.fill(QColor(0xd0, 0xe8, 0xff));
             b->pageView().setUnderlay(form, QRectF(0, 0, 8000, 3600), 60);
             Element &picture = b->ObjImg()(Picture);
             picture.setBorderStyle(Element::FixedSingle);
             shown(b);
             b->pageView().setGrid(120);
             shown(b);
             b->pageView().setGrid(0);
         }},
        {QStringLiteral("line 300 wide"), [](DesignerHarness &h, mFrm_Bill *b) {
             b->ObjLine()(SlantedLine).setBorderWidth(300);
             shown(b);
             h.drag(b, 2000, 900, 2600, 1500);
         }},
        {QStringLiteral("line 3 wide"), [](DesignerHarness &h, mFrm_Bill *b) {
             b->ObjLine()(SlantedLine).setBorderWidth(3);
             shown(b);
             h.drag(b, 2000, 900, 2600, 1500);
         }},
        // A picture larger than its box, aligned right with the rest, the
        // page scrolled, then dragged with Shift.
        {QStringLiteral("picture aligned, scrolled, shift-dragged"),
         [](DesignerHarness &h, mFrm_Bill *b) {
             QImage wide(400, 300, QImage::Format_RGB32);
             wide.fill(Qt::darkBlue);
             b->ObjImg()(Picture).setPicture(wide);
             b->setZoom(2);
             b->SelAll();
             shown(b);
             b->SetAlign(ObjDraws::AlignRight);
             shown(b);
             b->VS().triggerAction(QAbstractSlider::SliderSingleStepAdd);
             shown(b);
             const QPoint from = h.at(b, 5000, 1700);
             h.press(from, Qt::LeftButton, Qt::ShiftModifier);
             h.move(from + QPoint(7, 3));
             h.release(from + QPoint(7, 3), Qt::LeftButton, Qt::ShiftModifier);
         }},
    };
    return all;
}

bool paintsAbove(const Element &e, const Element *other)
{
    if (!other)
        return true;
    const bool handle = e.kind() == ElementKind::Handle;
    if (handle != (other->kind() == ElementKind::Handle))
        return handle;
    return e.zOrder() > other->zOrder();
}

// The topmost element under a point that takes the pointer, found by
// walking every element of the page.
const Element *walkTopmost(PageSurface &page, const QPointF &twips)
{
    const Element *best = nullptr;
    for (ElementKind kind : {ElementKind::Label, ElementKind::Image, ElementKind::Handle}) {
        page.arrayOf(kind).forEach([&](const Element &e) {
            if (e.Visible() && PageView::hitRect(e).contains(twips) && paintsAbove(e, best))
                best = &e;
        });
    }
    return best;
}

// The first point of a grid over the page where the view finds another
// element than the walk does.
std::optional<QPointF> pointerMismatch(mFrm_Bill *bill)
{
    for (double y = 0; y < bill->PicPage().Height(); y += 45) {
        for (double x = 0; x < bill->PicPage().Width(); x += 45) {
            const QPointF at(x, y);
            if (bill->pageView().elementAt(at) != walkTopmost(bill->PicPage(), at))
                return at;
        }
    }
    return std::nullopt;
}

QString describe(const std::optional<QPointF> &at)
{
    return at ? QStringLiteral("%1, %2").arg(at->x()).arg(at->y()) : QString();
}

} // namespace

class TestPageCaches : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void cachesChangeNoPixel_data();
    void cachesChangeNoPixel();
    void pointerFindsWhatTheWalkFinds();
    void partialRepaintPaintsAsWhole_data();
    void partialRepaintPaintsAsWhole();
    void farLengthsStayWithinThePage_data();
    void farLengthsStayWithinThePage();
    void largeCaptionsPaintAlikeWhateverTheFontDidBefore();

private:
    mFrm_Bill *openWithObjects();

    std::unique_ptr<DesignerHarness> h;
};

void TestPageCaches::initTestCase()
{
    Screen::setTwipsPerPixel(15, 15);
}

void TestPageCaches::init()
{
    Platform::installFakes();
    h = std::make_unique<DesignerHarness>();
    QVERIFY(h->ready());
}

void TestPageCaches::cleanup()
{
    h.reset();
}

// Two texts crossed by a line, a text over a picture and a line across the
// page; the last one drawn is selected, so handles show.
mFrm_Bill *TestPageCaches::openWithObjects()
{
    mFrm_Bill *bill = h->open();
    h->draw(bill, DrawTool::Text, 1500, 750, 3000, 1200);
    h->draw(bill, DrawTool::Text, 4500, 1500, 5400, 1800);
    h->draw(bill, DrawTool::Picture, 4200, 1200, 6000, 2100);
    h->draw(bill, DrawTool::Line, 300, 3000, 6000, 3000);
    h->draw(bill, DrawTool::Line, 1200, 600, 3300, 1500);
    text(bill, TextA).setCaption(QStringLiteral("品名 规格"));
    // Too long for its box: it wraps there until auto-sized.
    text(bill, TextB).setCaption(QStringLiteral("数量合计（大写）"));
    text(bill, TextB).ZOrder();
    return bill;
}

void TestPageCaches::cachesChangeNoPixel_data()
{
    QTest::addColumn<QStringList>("sequence");
    QStringList all;
    for (const auto &[name, step] : steps()) {
        QTest::newRow(qPrintable(name)) << QStringList{name};
        all << name;
    }
    QTest::newRow("all in sequence") << all;
}

void TestPageCaches::cachesChangeNoPixel()
{
    QFETCH(QStringList, sequence);
    mFrm_Bill *bill = openWithObjects();
    QImage before = shown(bill);
    for (const QString &name : sequence) {
        const Step &step = steps().at(name);
        step.edit(*h, bill);
        const QImage cached = shown(bill);
        QVERIFY2((cached != before) == step.shows, qPrintable(name));
        bill->pageView().clearCaches();
        const QImage fresh = shown(bill);
        QVERIFY2(cached == fresh, qPrintable(name));
        const std::optional<QPointF> mismatch = pointerMismatch(bill);
        QVERIFY2(!mismatch, qPrintable(name + QLatin1Char(' ') + describe(mismatch)));
        before = fresh;
    }
}

void TestPageCaches::pointerFindsWhatTheWalkFinds()
{
    mFrm_Bill *bill = openWithObjects();
    bill->SelAll();
    const std::optional<QPointF> mismatch = pointerMismatch(bill);
    QVERIFY2(!mismatch, qPrintable(describe(mismatch)));
    // Every shown handle answers at its centre, above the object it sizes.
    int handles = 0;
    bill->PicHD().forEach([&](const Element &handle) {
        if (!handle.Visible())
            return;
        ++handles;
        QCOMPARE(bill->pageView().elementAt(PageView::hitRect(handle).center()), &handle);
    });
    QCOMPARE(handles, 3 * 8 + 2 * 2);
}

void TestPageCaches::partialRepaintPaintsAsWhole_data()
{
    QTest::addColumn<QString>("sequence");
    for (const auto &[name, edit] : partialRepaints())
        QTest::newRow(qPrintable(name)) << name;
}

void TestPageCaches::partialRepaintPaintsAsWhole()
{
    QFETCH(QString, sequence);
    mFrm_Bill *bill = openWithObjects();
    shown(bill);
    partialRepaints().at(sequence)(*h, bill);
    PageView &view = bill->pageView();
    const QRect shownArea = view.rect() & QRect(-view.pos(), bill->pageArea().size());
    const QImage cached = view.grab(shownArea).toImage();
    QVERIFY(cached == view.grabAfresh(shownArea));
}

void TestPageCaches::farLengthsStayWithinThePage_data()
{
    QTest::addColumn<QString>("edit");
    for (const auto &[name, edit] : farEdits())
        QTest::newRow(qPrintable(name)) << name;
}

// Whatever an element's bounds, the index files it no farther than the
// page and its surroundings, and the kept page shows what a fresh paint
// does, selected or not.
void TestPageCaches::farLengthsStayWithinThePage()
{
    QFETCH(QString, edit);
    mFrm_Bill *bill = openWithObjects();
    PageSurface &page = bill->PicPage();
    const QRectF reach = page.reachArea();
    const auto cellsAcross = [](double twips) { return std::size_t(twips / 1440) + 2; };
    const std::size_t mostCells = cellsAcross(reach.width()) * cellsAcross(reach.height());
    shown(bill);
    farEdits().at(edit)(*h, bill);
    const QRect whole = bill->pageView().rect();
    for (const auto &after : std::vector<Edit>{
             [](DesignerHarness &, mFrm_Bill *) {},
             [](DesignerHarness &, mFrm_Bill *b) { b->SelAll(); },
             [](DesignerHarness &hh, mFrm_Bill *b) { hh.drag(b, 2000, 900, 2600, 1500); }}) {
        after(*h, bill);
        const QImage cached = shown(bill);
        QVERIFY2(page.index().cellCount() <= mostCells,
                 qPrintable(QString::number(page.index().cellCount())));
        QVERIFY(cached == bill->pageView().grabAfresh(whole));
    }
}

// A caption at a zoom too large for Qt's glyph cache paints the same pixels
// before and after an editor shows it at that size, whatever sizes the font
// was used at before: a kept square then shows what a fresh paint does.
void TestPageCaches::largeCaptionsPaintAlikeWhateverTheFontDidBefore()
{
    AppSetup::installFontSubstitutions();
    const ElementFont font;
    const QString caption = QStringLiteral("发货单 第");
    const LaidText laid(caption, font, 1000, true);
    const auto painted = [&](double zoom) {
        QImage image(600, 200, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.scale(zoom / 15, zoom / 15);
        laid.draw(painter, QRectF(0, 0, 1000, 315), Qt::black, Element::LeftJustify, true);
        return image;
    };
    const auto editedAt = [&](double zoom) {
        QLineEdit editor(caption);
        QFont shown = TextLayout::pageFont(font);
        shown.setPixelSize(int(std::lround(font.Size * 20 * zoom / 15)));
        editor.setFont(shown);
        editor.show();
        editor.grab();
    };
    const double zoom = 7.4437;
    painted(1);
    editedAt(1);
    const QImage before = painted(zoom);
    editedAt(zoom);
    QCOMPARE(painted(zoom), before);
}

QTEST_MAIN(TestPageCaches)
#include "tst_pagecaches.moc"
