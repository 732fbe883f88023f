// Where the page files its elements, when a kept caption layout is laid out
// again, and handles drawn together landing where one by one they would.

#include "platform/Element.h"
#include "platform/ElementFont.h"
#include "platform/ElementPainter.h"
#include "platform/ElementTiles.h"
#include "platform/LaidText.h"
#include "platform/PageIndex.h"
#include "platform/PageSurface.h"
#include "platform/TextLayout.h"
#include "platform/TextLayoutCache.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <QWidget>
#include <QTextLayout>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace {

using Names = QList<int>;

// Elements known by their index; bounds in twips. A cell is 1440 twips.
struct Filed
{
    int name;
    QRectF bounds;
};

const std::vector<Filed> &layout()
{
    static const std::vector<Filed> filed{
        {1, QRectF(100, 100, 500, 300)},     // inside the first cell
        {2, QRectF(1300, 1300, 300, 300)},   // across four cells
        {3, QRectF(-800, 200, 400, 400)},    // left of the page's origin
        {4, QRectF(0, 3000, 10000, 200)},    // a long strip over seven cells
        {5, QRectF(1440, 0, 100, 100)},      // starting on a cell's edge
    };
    return filed;
}

Names sorted(const std::vector<const Element *> &elements)
{
    Names names;
    for (const Element *e : elements)
        names << e->Index();
    std::sort(names.begin(), names.end());
    return names;
}

// A child widget whose paint is given.
class HandleCanvas : public QWidget
{
public:
    HandleCanvas(QWidget *parent, std::function<void(QPainter &)> paint)
        : QWidget(parent)
        , m_paint(std::move(paint))
    {
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        m_paint(painter);
    }

private:
    std::function<void(QPainter &)> m_paint;
};

} // namespace

class TestCaches : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void elementsInAnArea_data();
    void elementsInAnArea();
    void elementsAtAPoint_data();
    void elementsAtAPoint();
    void refiling_data();
    void refiling();

    void layoutKeptUntilItsInputsChange_data();
    void layoutKeptUntilItsInputsChange();

    void handlesTogetherAsOneByOne_data();
    void handlesTogetherAsOneByOne();

    void paintOrderFollowsRaising_data();
    void paintOrderFollowsRaising();

    void keptGlyphsDrawWhatTheLinesDraw_data();
    void keptGlyphsDrawWhatTheLinesDraw();
    void copiedCaptionsDrawWhatDrawingDraws_data() { keptGlyphsDrawWhatTheLinesDraw_data(); }
    void copiedCaptionsDrawWhatDrawingDraws();
    void copiedPicturesDrawWhatDrawingDraws_data();
    void copiedPicturesDrawWhatDrawingDraws();
    void keptPixelsStayWithinTheirLimit();
    void keptFromALaterPassOn();

private:
    void fileAll();
    Element &named(int name) { return *m_elements.at(name - 1); }

    std::vector<std::unique_ptr<Element>> m_elements;
    PageIndex m_index;
};

void TestCaches::init()
{
    m_elements.clear();
    m_index = PageIndex();
    for (const Filed &f : layout())
        m_elements.push_back(std::make_unique<Element>(ElementKind::Label, f.name, nullptr));
    fileAll();
}

void TestCaches::fileAll()
{
    for (const Filed &f : layout())
        m_index.place(named(f.name), f.bounds);
}

void TestCaches::elementsInAnArea_data()
{
    QTest::addColumn<QRectF>("area");
    QTest::addColumn<Names>("expected");
    QTest::newRow("first cell") << QRectF(0, 0, 1440, 1440) << Names{1, 2};
    QTest::newRow("cell empty but for a neighbour's edge")
        << QRectF(1450, 1450, 100, 100) << Names{2};
    QTest::newRow("same cell, nothing painted there") << QRectF(700, 700, 100, 100) << Names{};
    QTest::newRow("negative cells") << QRectF(-1000, 0, 500, 500) << Names{3};
    QTest::newRow("middle of the strip") << QRectF(5000, 3100, 10, 10) << Names{4};
    QTest::newRow("whole page, each once") << QRectF(-2000, -2000, 20000, 8000)
                                           << Names{1, 2, 3, 4, 5};
    QTest::newRow("band across cells") << QRectF(-900, 250, 3000, 10) << Names{1, 3};
    QTest::newRow("empty area") << QRectF(100, 100, 0, 0) << Names{};
}

void TestCaches::elementsInAnArea()
{
    QFETCH(QRectF, area);
    QFETCH(Names, expected);
    QCOMPARE(sorted(m_index.elementsIn(area)), expected);
}

void TestCaches::elementsAtAPoint_data()
{
    QTest::addColumn<QPointF>("point");
    QTest::addColumn<Names>("expected");
    QTest::newRow("inside one") << QPointF(300, 200) << Names{1};
    QTest::newRow("two overlapping cells' corner") << QPointF(1440, 1440) << Names{2};
    QTest::newRow("on the edge a cell starts at") << QPointF(1460, 50) << Names{5};
    QTest::newRow("left of the origin") << QPointF(-500, 300) << Names{3};
    QTest::newRow("nothing there") << QPointF(5000, 100) << Names{};
}

void TestCaches::elementsAtAPoint()
{
    QFETCH(QPointF, point);
    QFETCH(Names, expected);
    QCOMPARE(sorted(m_index.elementsAt(point)), expected);
}

void TestCaches::refiling_data()
{
    QTest::addColumn<int>("name");
    QTest::addColumn<QRectF>("bounds");
    QTest::addColumn<QRectF>("oldArea");
    QTest::addColumn<QRectF>("newArea");
    QTest::newRow("moved to another cell")
        << 1 << QRectF(5000, 5000, 200, 200) << QRectF(100, 100, 500, 300)
        << QRectF(5100, 5100, 10, 10);
    QTest::newRow("moved within its cells")
        << 2 << QRectF(1350, 1350, 300, 300) << QRectF(1300, 1300, 40, 40)
        << QRectF(1600, 1600, 40, 40);
    QTest::newRow("shrunk from many cells to one")
        << 4 << QRectF(0, 3000, 100, 200) << QRectF(9000, 3000, 10, 10)
        << QRectF(50, 3100, 10, 10);
    // Hidden and removed elements have no paint bounds.
    QTest::newRow("hidden") << 3 << QRectF() << QRectF(-800, 200, 400, 400) << QRectF();
}

void TestCaches::refiling()
{
    QFETCH(int, name);
    QFETCH(QRectF, bounds);
    QFETCH(QRectF, oldArea);
    QFETCH(QRectF, newArea);
    const Element *element = &named(name);
    m_index.place(*element, bounds);

    const auto in = [&](const QRectF &area) {
        const std::vector<const Element *> found = m_index.elementsIn(area);
        return std::count(found.begin(), found.end(), element);
    };
    QCOMPARE(in(oldArea), 0);
    QCOMPARE(in(newArea), newArea.isEmpty() ? 0 : 1);
    QCOMPARE(in(QRectF(-20000, -20000, 40000, 40000)), bounds.isEmpty() ? 0 : 1);
    QCOMPARE(m_index.size(), layout().size() - (bounds.isEmpty() ? 1 : 0));
    // Filed back where it was, it is found as before.
    fileAll();
    QCOMPARE(sorted(m_index.elementsIn(QRectF(-2000, -2000, 20000, 8000))), (Names{1, 2, 3, 4, 5}));
}

void TestCaches::layoutKeptUntilItsInputsChange_data()
{
    QTest::addColumn<bool>("autoSize");
    QTest::addColumn<std::function<void(Element &)>>("change");
    QTest::addColumn<bool>("laidOutAgain");
    using Change = std::function<void(Element &)>;
    // An auto-sized caption does not wrap, so no width lays it out again.
    QTest::newRow("width while auto-sized")
        << true << Change([](Element &e) { e.setWidth(e.Width() + 700); }) << false;
    QTest::newRow("auto-size off") << true << Change([](Element &e) { e.setAutoSize(false); })
                                   << true;
    QTest::newRow("caption") << false << Change([](Element &e) { e.setCaption(QStringLiteral("合计")); })
                             << true;
    QTest::newRow("font size") << false << Change([](Element &e) {
        ElementFont font = e.Font();
        font.Size = 12;
        e.setFont(font);
    }) << true;
    QTest::newRow("font bold") << false << Change([](Element &e) {
        ElementFont font = e.Font();
        font.Bold = true;
        e.setFont(font);
    }) << true;
    QTest::newRow("width") << false << Change([](Element &e) { e.setWidth(e.Width() - 300); }) << true;
    QTest::newRow("auto-size on") << false << Change([](Element &e) { e.setAutoSize(true); }) << true;
    QTest::newRow("moved") << false << Change([](Element &e) { e.Move(e.Left() + 500, e.Top() + 90); })
                           << false;
    // Lines only break at the width; the height just cuts them.
    QTest::newRow("height") << false << Change([](Element &e) { e.setHeight(e.Height() * 2); }) << false;
    QTest::newRow("alignment") << false << Change([](Element &e) { e.setAlignment(Element::Center); })
                               << false;
    QTest::newRow("colour") << false << Change([](Element &e) { e.setForeColor(Qt::red); }) << false;
}

void TestCaches::layoutKeptUntilItsInputsChange()
{
    QFETCH(bool, autoSize);
    QFETCH(std::function<void(Element &)>, change);
    QFETCH(bool, laidOutAgain);
    Element label(ElementKind::Label, 1001, nullptr);
    label.Move(300, 300, 1500, 600);
    label.setAutoSize(autoSize);
    label.setCaption(QStringLiteral("出库单 第一联 存根"));
    TextLayoutCache cache;
    const LaidText *first = &cache.layoutFor(label);
    QCOMPARE(&cache.layoutFor(label), first);
    change(label);
    QCOMPARE(&cache.layoutFor(label) != first, laidOutAgain);
    QCOMPARE(cache.size(), std::size_t(1));
}

void TestCaches::handlesTogetherAsOneByOne_data()
{
    QTest::addColumn<QPointF>("offset");
    QTest::addColumn<int>("format");
    // Twips that fall between pixels, at 15 twips a pixel.
    QTest::newRow("no offset") << QPointF(0, 0) << int(QImage::Format_RGB32);
    QTest::newRow("a third in") << QPointF(5, 10) << int(QImage::Format_RGB32);
    QTest::newRow("half a pixel") << QPointF(7.5, 7.5) << int(QImage::Format_RGB32);
    QTest::newRow("just under half") << QPointF(7, 8) << int(QImage::Format_RGB32);
    QTest::newRow("premultiplied, half a pixel")
        << QPointF(7.5, 22.5) << int(QImage::Format_ARGB32_Premultiplied);
}

void TestCaches::handlesTogetherAsOneByOne()
{
    QFETCH(QPointF, offset);
    QFETCH(int, format);
    QImage picture(7, 7, QImage::Format_RGB32);
    picture.fill(QColor(0, 0, 128));
    QImage stretched(7, 7, QImage::Format_RGB32);
    stretched.fill(Qt::red);
    std::vector<std::unique_ptr<Element>> handles;
    for (int i = 0; i < 12; ++i) {
        auto handle = std::make_unique<Element>(ElementKind::Handle, i, nullptr);
        // Overlapping, partly off the image, one stretched to a box.
        handle->Move(offset.x() + i * 80 - 60, offset.y() + (i % 3) * 40 - 30, 75, 75);
        handle->setPicture(i == 5 ? stretched : picture);
        handle->setStretch(i == 5);
        handle->setVisible(true);
        handles.push_back(std::move(handle));
    }
    handles[7]->setVisible(false);
    std::vector<const Element *> order;
    for (const auto &handle : handles)
        order.push_back(handle.get());

    ElementPainter::Options options;
    QImage blank(70, 20, QImage::Format(format));
    blank.fill(Qt::white);
    const auto paintOn = [&](QPainter &painter, bool together) {
        painter.setClipRect(QRect(2, 2, 64, 16));
        painter.scale(1.0 / 15, 1.0 / 15);
        if (together) {
            ElementPainter::paintHandles(painter, order, options);
        } else {
            for (const Element *e : order)
                ElementPainter::paint(painter, *e, options);
        }
    };
    const auto painted = [&](bool together) {
        QImage image = blank.copy();
        QPainter painter(&image);
        paintOn(painter, together);
        return image;
    };
    // A widget paints moved by where it lies in its window.
    const auto paintedInWidget = [&](bool together) {
        QWidget window;
        window.resize(blank.width() + 9, blank.height() + 5);
        HandleCanvas canvas(&window, [&](QPainter &painter) { paintOn(painter, together); });
        canvas.setGeometry(9, 5, blank.width(), blank.height());
        canvas.show();
        QImage whole(window.size(), QImage::Format(format));
        whole.fill(Qt::white);
        window.render(&whole, QPoint(), QRegion(), QWidget::DrawChildren);
        return whole.copy(canvas.geometry());
    };
    const QImage oneByOne = painted(false);
    QCOMPARE(painted(true), oneByOne);
    QVERIFY(oneByOne != blank);
    const QImage oneByOneInWidget = paintedInWidget(false);
    QCOMPARE(paintedInWidget(true), oneByOneInWidget);
    QVERIFY(oneByOneInWidget != blank);
}

void TestCaches::paintOrderFollowsRaising_data()
{
    QTest::addColumn<Names>("raised");
    QTest::addColumn<int>("loadedAfter");
    QTest::addColumn<Names>("expected");
    QTest::newRow("one from the middle") << Names{2} << 0 << Names{1, 3, 4, 5, 2};
    QTest::newRow("the top one") << Names{5} << 0 << Names{1, 2, 3, 4, 5};
    QTest::newRow("two, the first again")
        << Names{1, 3, 1} << 0 << Names{2, 4, 5, 3, 1};
    // A new element is filed above every other; the order is found afresh.
    QTest::newRow("then one loaded") << Names{2} << 6 << Names{1, 3, 4, 5, 2, 6};
}

// Kept between paints, the order must follow every raise as sorting the
// elements afresh would.
void TestCaches::paintOrderFollowsRaising()
{
    QFETCH(Names, raised);
    QFETCH(int, loadedAfter);
    QFETCH(Names, expected);
    PageSurface page;
    const auto load = [&](int name) {
        Element &e = page.ObjText().Load(1000 + name);
        e.Move(name * 300, 100, 500, 200);
        e.setVisible(true);
    };
    for (int name = 1; name <= 5; ++name)
        load(name);
    const auto order = [&] {
        Names names;
        // The page's own template elements aside.
        for (const Element *e : page.index().inPaintOrder())
            if (e->kind() == ElementKind::Label && e->Index() > 1000)
                names << e->Index() - 1000;
        return names;
    };
    QCOMPARE(order(), (Names{1, 2, 3, 4, 5}));
    for (int name : raised)
        page.ObjText()(1000 + name).ZOrder();
    if (loadedAfter)
        load(loadedAfter);
    QCOMPARE(order(), expected);
    QVERIFY(page.index().liesWithin(QRectF(-3000, -3000, 9000, 6000)));
    QVERIFY(!page.index().liesWithin(QRectF(0, 0, 1000, 1000)));
}

namespace {

struct Caption
{
    QString text;
    ElementFont font;
    QRectF box;
    int alignment;
    double twipsPerPixel;
};

// Each line of the caption's layout drawing itself, cut at the box, no
// paragraph below it: how captions were drawn before their glyphs were kept.
void drawLineByLine(QPainter &painter, const Caption &c)
{
    const QFont font = TextLayout::pageFont(c.font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    painter.save();
    painter.setClipRect(c.box, Qt::IntersectClip);
    painter.setPen(Qt::black);
    double y = c.box.top();
    for (const QString &paragraph : TextLayout::explicitLines(c.text)) {
        QTextLayout layout(paragraph, font);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine())
            line.setLineWidth(c.box.width());
        layout.endLayout();
        for (int i = 0; i < layout.lineCount(); ++i) {
            const QTextLine line = layout.lineAt(i);
            const double spare = c.box.width() - line.naturalTextWidth();
            const double x = c.box.left()
                             + (c.alignment == Element::RightJustify ? spare
                                : c.alignment == Element::Center    ? spare / 2
                                                                    : 0);
            line.draw(&painter, QPointF(x, y));
            y += line.height();
        }
        if (y > c.box.bottom())
            break;
    }
    painter.restore();
}

ElementFont fontOf(double size, bool bold = false, bool italic = false, bool underline = false)
{
    ElementFont font;
    font.Size = size;
    font.Bold = bold;
    font.Italic = italic;
    font.Underline = underline;
    return font;
}

} // namespace

Q_DECLARE_METATYPE(Caption)


void TestCaches::keptGlyphsDrawWhatTheLinesDraw_data()
{
    QTest::addColumn<Caption>("caption");
    const ElementFont plain = fontOf(9);
    // Boxes in twips; some fit the text loosely, some just, some cut it.
    QTest::newRow("loose box") << Caption{QStringLiteral("出库单 No.1002"), plain,
                                          QRectF(150, 150, 3000, 600), Element::LeftJustify, 15};
    QTest::newRow("between pixels, centred")
        << Caption{QStringLiteral("合计：32,394.30"), plain, QRectF(157.3, 163.9, 2900, 400),
                   Element::Center, 15};
    QTest::newRow("right, at 144 DPI")
        << Caption{QStringLiteral("第 2 页/共 5 页"), plain, QRectF(95, 101, 2500, 330),
                   Element::RightJustify, 10};
    QTest::newRow("wrapped and cut below")
        << Caption{QStringLiteral("文字1001文字1002文字1003"), plain, QRectF(60, 60, 380, 280),
                   Element::LeftJustify, 15};
    QTest::newRow("cut on the right, no wrap point")
        << Caption{QStringLiteral("WWWWWWWWWWWWWWWW"), plain, QRectF(60, 60, 900, 400),
                   Element::LeftJustify, 15};
    QTest::newRow("paragraphs, the third below the box")
        << Caption{QStringLiteral("第一行\n第二行\n第三行"), plain, QRectF(60, 60, 1500, 420),
                   Element::Center, 15};
    // Boxes the text's own size, on a pixel's corner and between pixels.
    const auto ownSize = [](const QString &text, const ElementFont &font, double at) {
        return Caption{text, font, QRectF(QPointF(at, at), TextLayout::naturalSize(text, font)),
                       Element::LeftJustify, 15};
    };
    QTest::newRow("box the text's own size") << ownSize(QStringLiteral("Ag单据"), plain, 75);
    QTest::newRow("bold, its own size") << ownSize(QStringLiteral("发货单"), fontOf(22, true), 45);
    QTest::newRow("italic, its own size")
        << ownSize(QStringLiteral("fijl 金额"), fontOf(14, false, true), 37);
    QTest::newRow("underlined, cut")
        << Caption{QStringLiteral("客户签收"), fontOf(12, false, false, true),
                   QRectF(60, 60, 700, 200), Element::LeftJustify, 15};
    QTest::newRow("large, at a third of a pixel")
        << Caption{QStringLiteral("增值税专用发票"), fontOf(36, true, true),
                   QRectF(35, 35, 9000, 900), Element::Center, 7.5};
}

// Drawn as kept glyphs, and without the cut where the text lies inside its
// box, a caption covers the very pixels its lines drew.
void TestCaches::keptGlyphsDrawWhatTheLinesDraw()
{
    QFETCH(Caption, caption);
    const LaidText laid(caption.text, caption.font, caption.box.width(), false);
    for (const QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied}) {
        QImage blank(QSize(720, 100), format);
        blank.fill(Qt::white);
        const auto painted = [&](bool kept) {
            QImage image = blank.copy();
            QPainter painter(&image);
            painter.scale(1 / caption.twipsPerPixel, 1 / caption.twipsPerPixel);
            painter.setRenderHint(QPainter::TextAntialiasing);
            if (kept)
                laid.draw(painter, caption.box, Qt::black, caption.alignment, true);
            else
                drawLineByLine(painter, caption);
            return image;
        };
        const QImage lineByLine = painted(false);
        QVERIFY(lineByLine != blank);
        QCOMPARE(painted(true), lineByLine);
    }
}

namespace {

// The page's elements painted in their order onto a copy of blank, cut by
// a clip, as the screen paints them; the page moved by whole pixels, as a
// view of part of it paints it.
QImage paintedPage(PageSurface &page, const QImage &blank, double twipsPerPixel,
                   TextLayoutCache &texts, ElementTiles *kept, const QPoint &shift = QPoint(),
                   bool newPass = true)
{
    if (kept && newPass)
        kept->startPass();
    QImage image = blank.copy();
    QPainter painter(&image);
    painter.setClipRect(QRect(0, 0, 500, 100));
    painter.translate(shift);
    painter.scale(1 / twipsPerPixel, 1 / twipsPerPixel);
    painter.setRenderHint(QPainter::TextAntialiasing);
    ElementPainter::Options options;
    options.twipsPerPixel = options.twipsPerPixelY = twipsPerPixel;
    options.textCache = &texts;
    options.tiles = kept;
    for (const Element *e : page.index().inPaintOrder())
        ElementPainter::paint(painter, *e, options);
    return image;
}

// The element that load puts on a page, over a line across its box or
// alone, painted with its pixels kept (and copied from the third paint on)
// and without, in two pixel formats and cut by a clip. Alone, it is then
// crossed by a line loaded later and raised above it.
void copiesDrawWhatDrawingDraws(const std::function<Element &(PageSurface &)> &load,
                                double twipsPerPixel)
{
    const auto lineAcross = [](Element &line, const QRectF &box) {
        line.setLine(box.left(), box.center().y(), box.right(), box.center().y());
        line.setVisible(true);
    };
    for (const bool overLine : {false, true}) {
        for (const QImage::Format format :
             {QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied}) {
            PageSurface page;
            Element *line = overLine ? &page.ObjLine().Load(1) : nullptr;
            // Loaded last, the element paints above the line.
            Element &element = load(page);
            element.setVisible(true);
            if (line)
                lineAcross(*line, element.rect());
            TextLayoutCache texts;
            ElementTiles tiles(page.index());
            QImage blank(QSize(720, 100), format);
            blank.fill(Qt::white);
            const auto painted = [&](ElementTiles *kept) {
                return paintedPage(page, blank, twipsPerPixel, texts, kept);
            };
            const QImage drawn = painted(nullptr);
            QVERIFY(drawn != blank);
            for (int paint = 1; paint <= 3; ++paint)
                QCOMPARE(painted(&tiles), drawn);
            // Kept pixels copied to a page moved back by whole pixels, as a
            // square of the page paints it, land where drawing there lands.
            for (const QPoint shift : {QPoint(-1, 0), QPoint(0, -2), QPoint(-7, -3),
                                       QPoint(-40, -1)}) {
                const QImage moved = paintedPage(page, blank, twipsPerPixel, texts, nullptr, shift);
                QVERIFY(moved != drawn);
                QCOMPARE(paintedPage(page, blank, twipsPerPixel, texts, &tiles, shift), moved);
            }
            QCOMPARE(tiles.size(), std::size_t(overLine ? 0 : 1));
            if (overLine)
                continue;
            lineAcross(page.ObjLine().Load(2), element.rect());
            QCOMPARE(painted(&tiles), painted(nullptr));
            element.ZOrder();
            QCOMPARE(painted(&tiles), painted(nullptr));
        }
    }
}

} // namespace

void TestCaches::copiedCaptionsDrawWhatDrawingDraws()
{
    QFETCH(Caption, caption);
    copiesDrawWhatDrawingDraws(
        [&](PageSurface &page) -> Element & {
            Element &label = page.ObjText().Load(1001);
            label.Move(caption.box.left(), caption.box.top(), caption.box.width(),
                       caption.box.height());
            label.setCaption(caption.text);
            label.setFont(caption.font);
            label.setAlignment(caption.alignment);
            label.setForeColor(QColor(160, 20, 60));
            label.setBorderStyle(Element::FixedSingle);
            return label;
        },
        caption.twipsPerPixel);
}

void TestCaches::copiedPicturesDrawWhatDrawingDraws_data()
{
    QTest::addColumn<QRectF>("box");
    QTest::addColumn<bool>("stretch");
    QTest::addColumn<bool>("border");
    QTest::addColumn<double>("twipsPerPixel");
    QTest::newRow("stretched between pixels") << QRectF(157.3, 163.9, 2900, 700) << true << true
                                               << 15.0;
    QTest::newRow("cut by its box") << QRectF(95, 101, 250, 200) << false << true << 15.0;
    QTest::newRow("smaller than its box, no border")
        << QRectF(37.5, 22.5, 900, 1200) << false << false << 15.0;
    QTest::newRow("stretched, at 144 DPI") << QRectF(35, 35, 1000, 450) << true << true << 10.0;
}

void TestCaches::copiedPicturesDrawWhatDrawingDraws()
{
    QFETCH(QRectF, box);
    QFETCH(bool, stretch);
    QFETCH(bool, border);
    QFETCH(double, twipsPerPixel);
    QImage picture(30, 20, QImage::Format_ARGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixelColor(x, y, QColor(x * 8, y * 12, 90, 120 + x * 4));
    copiesDrawWhatDrawingDraws(
        [&](PageSurface &page) -> Element & {
            Element &image = page.ObjImg().Load(2001);
            image.Move(box.left(), box.top(), box.width(), box.height());
            image.setPicture(picture);
            image.setStretch(stretch);
            image.setBorderStyle(border ? Element::FixedSingle : Element::NoBorder);
            return image;
        },
        twipsPerPixel);
}

// Past their limit, hidden elements give up their pixels first; one shown
// again is kept afresh.
void TestCaches::keptPixelsStayWithinTheirLimit()
{
    PageSurface page;
    QImage picture(40, 40, QImage::Format_RGB32);
    picture.fill(QColor(40, 90, 160));
    // Whole pixels, 40 across and down, so each needs 42 by 42 to paint.
    for (int i = 1; i <= 3; ++i) {
        Element &image = page.ObjImg().Load(2000 + i);
        image.Move(i * 1500, 300, 600, 600);
        image.setPicture(picture);
        image.setStretch(true);
        image.setVisible(true);
    }
    const qint64 twoAreas = 2 * 42 * 42 * 4;
    TextLayoutCache texts;
    ElementTiles tiles(page.index(), twoAreas);
    QImage blank(QSize(720, 100), QImage::Format_RGB32);
    blank.fill(Qt::white);
    const auto kept = [&] {
        Names names;
        for (int i = 1; i <= 3; ++i)
            if (tiles.keeps(page.ObjImg()(2000 + i)))
                names << i;
        return names;
    };
    const auto paintedAlike = [&] {
        const QImage drawn = paintedPage(page, blank, 15, texts, nullptr);
        for (int paint = 1; paint <= 2; ++paint) {
            if (paintedPage(page, blank, 15, texts, &tiles) != drawn)
                return false;
        }
        return tiles.bytes() <= twoAreas;
    };
    QVERIFY(paintedAlike());
    QCOMPARE(kept(), (Names{1, 2}));
    page.ObjImg()(2001).setVisible(false);
    QVERIFY(paintedAlike());
    QCOMPARE(kept(), (Names{2, 3}));
    page.ObjImg()(2001).setVisible(true);
    QVERIFY(paintedAlike());
    QCOMPARE(kept(), (Names{2, 3}));
}

// Painted twice in one pass, as two parts of a frame cut it, an element is
// drawn both times; a later pass keeps it.
void TestCaches::keptFromALaterPassOn()
{
    PageSurface page;
    Element &label = page.ObjText().Load(1001);
    label.Move(300, 300, 1500, 400);
    label.setCaption(QStringLiteral("发货单"));
    label.setVisible(true);
    TextLayoutCache texts;
    ElementTiles tiles(page.index());
    QImage blank(QSize(720, 100), QImage::Format_RGB32);
    blank.fill(Qt::white);
    paintedPage(page, blank, 15, texts, &tiles);
    paintedPage(page, blank, 15, texts, &tiles, QPoint(-7, 0), false);
    QVERIFY(!tiles.keeps(label));
    paintedPage(page, blank, 15, texts, &tiles);
    QVERIFY(tiles.keeps(label));
}

QTEST_MAIN(TestCaches)
#include "tst_caches.moc"
