// Placing to a tenth of a millimetre: arrow keys, the grid and its
// snapping, the position readout, and a print that never depends on the
// zoom the window was at.

#include "DesignerHarness.h"

#include "tests/print/PdfReadBack.h"
#include "tests/print/PrintFixtures.h"

#include "designer/DrawTool.h"
#include "designer/GridSteps.h"
#include "designer/PageView.h"
#include "designer/PositionReadout.h"

#include "model/HandlePosition.h"
#include "model/ObjDraw.h"
#include "model/ObjDraws.h"

#include "print/Mod_Print.h"

#include "platform/AppSetup.h"
#include "platform/FakeDialogs.h"
#include "platform/PageSurface.h"
#include "platform/Platform.h"
#include "platform/QtPrintDevice.h"
#include "platform/RecordingPrintDevice.h"
#include "platform/Screen.h"
#include "platform/Units.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cmath>
#include <functional>
#include <memory>
#include <optional>

namespace {

constexpr int TextA = 1001;
constexpr int TextB = 1002;
constexpr int LineC = 1;

using Setup = std::function<void(DesignerHarness &, mFrm_Bill *)>;

void placeObjects(mFrm_Bill *bill)
{
    addText(bill->record(), 180, 180, 540, 240, QStringLiteral("收货单位"));
    addText(bill->record(), 900, 180, 420, 240, QStringLiteral("金额"));
    addLine(bill->record(), 180, 600, 1320, 600);
}

QRectF rectOf(mFrm_Bill *bill, int id)
{
    return bill->mObjs().findByID(id)->ObjCtl()->rect();
}

Element &handleOf(mFrm_Bill *bill, int nID, int position)
{
    return bill->PicHD()(8 * nID - 8 + position);
}

QPointF handleMiddle(const Element &handle)
{
    return PageView::hitRect(handle).center();
}

bool near(const QRectF &a, const QRectF &b)
{
    constexpr double Slack = 1e-6;
    return std::abs(a.left() - b.left()) < Slack && std::abs(a.top() - b.top()) < Slack
           && std::abs(a.width() - b.width()) < Slack && std::abs(a.height() - b.height()) < Slack;
}

QString describe(const QRectF &r)
{
    return QStringLiteral("(%1, %2, %3 x %4)").arg(r.left()).arg(r.top()).arg(r.width()).arg(r.height());
}

double mm(double v)
{
    return Units::mmToTwips(v);
}

} // namespace

class TestDesignerPlacing : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void arrowKeys_data();
    void arrowKeys();
    void aHeldKeyRepeats();
    void arrowsInTheCaptionEditorMoveItsCursor();
    void snapping_data();
    void snapping();
    void gridSteps_data();
    void gridSteps();
    void gridDotsLieBeneathTheObjects();
    void gridFollowsAGrowingPage();
    void readoutText_data();
    void readoutText();
    void readoutFollowsPointerAndObject();
    void printIsTheSameAtEveryZoom();

private:
    std::unique_ptr<DesignerHarness> h;
    QTemporaryDir m_dir;
};

void TestDesignerPlacing::initTestCase()
{
    AppSetup::installFontSubstitutions();
    Screen::setTwipsPerPixel(15, 15);
    QVERIFY(m_dir.isValid());
}

void TestDesignerPlacing::init()
{
    Platform::installFakes();
    Mod_Print::Run() = PrintRun();
    h = std::make_unique<DesignerHarness>();
    QVERIFY(h->ready());
}

void TestDesignerPlacing::cleanup()
{
    Mod_Print::setPrintDeviceFactory({});
    Mod_Print::Run().Bill = nullptr;
    h.reset();
}

void TestDesignerPlacing::arrowKeys_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QRectF>("a");
    QTest::addColumn<QRectF>("b");
    QTest::addColumn<bool>("changed");

    const QRectF a(180, 180, 540, 240);
    const QRectF b(900, 180, 420, 240);
    const Setup selectA = [](DesignerHarness &h, mFrm_Bill *bill) { h.click(bill, 480, 300); };
    const Setup all = [](DesignerHarness &, mFrm_Bill *bill) { bill->SelAll(); };
    const int shift = Qt::ShiftModifier;
    QTest::newRow("right, a tenth of a millimetre")
        << selectA << int(Qt::Key_Right) << 0 << a.translated(mm(0.1), 0) << b << true;
    QTest::newRow("left") << selectA << int(Qt::Key_Left) << 0 << a.translated(-mm(0.1), 0) << b
                          << true;
    QTest::newRow("down with Shift, a millimetre")
        << selectA << int(Qt::Key_Down) << shift << a.translated(0, mm(1)) << b << true;
    QTest::newRow("up with Shift") << selectA << int(Qt::Key_Up) << shift
                                   << a.translated(0, -mm(1)) << b << true;
    QTest::newRow("every selected object") << all << int(Qt::Key_Right) << shift
                                           << a.translated(mm(1), 0) << b.translated(mm(1), 0)
                                           << true;
    // The page's edges hold the objects as they hold a drag.
    QTest::newRow("left at the page's edge")
        << Setup([](DesignerHarness &h, mFrm_Bill *bill) {
               bill->ObjText()(TextA).setLeft(0);
               bill->setMChanged(false);
               h.click(bill, 300, 300);
           })
        << int(Qt::Key_Left) << 0 << QRectF(0, 180, 540, 240) << b << false;
    QTest::newRow("up, held short of the edge")
        << Setup([](DesignerHarness &h, mFrm_Bill *bill) {
               bill->ObjText()(TextA).setTop(30);
               h.click(bill, 480, 300);
           })
        << int(Qt::Key_Up) << shift << QRectF(180, 0, 540, 240) << b << true;
    QTest::newRow("right at the page's edge")
        << Setup([](DesignerHarness &h, mFrm_Bill *bill) {
               bill->ObjText()(TextB).setLeft(bill->PicPage().Width() - 420);
               bill->setMChanged(false);
               h.click(bill, bill->PicPage().Width() - 200, 300);
           })
        << int(Qt::Key_Right) << shift << a << QRectF(8190 - 420, 180, 420, 240) << false;
    QTest::newRow("a locked object stays")
        << Setup([](DesignerHarness &, mFrm_Bill *bill) {
               bill->mObjs().findByID(TextB)->setLocked(true);
               bill->SelAll();
           })
        << int(Qt::Key_Down) << 0 << a.translated(0, mm(0.1)) << b << true;
    QTest::newRow("nothing selected") << Setup([](DesignerHarness &, mFrm_Bill *) {})
                                      << int(Qt::Key_Right) << 0 << a << b << false;
    QTest::newRow("with Ctrl nothing moves") << selectA << int(Qt::Key_Right)
                                             << int(Qt::ControlModifier) << a << b << false;
}

void TestDesignerPlacing::arrowKeys()
{
    QFETCH(Setup, setup);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QRectF, a);
    QFETCH(QRectF, b);
    QFETCH(bool, changed);
    mFrm_Bill *bill = h->open();
    placeObjects(bill);
    bill->setMChanged(false);
    setup(*h, bill);
    const Element &line = bill->ObjLine()(LineC);
    const QLineF lineBefore(line.x1(), line.y1(), line.x2(), line.y2());
    const bool lineSelected = bill->mObjs().findByID(LineC)->IsActive();
    QTest::keyClick(bill, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QVERIFY2(near(rectOf(bill, TextA), a), qPrintable(describe(rectOf(bill, TextA))));
    QVERIFY2(near(rectOf(bill, TextB), b), qPrintable(describe(rectOf(bill, TextB))));
    if (!lineSelected)
        QCOMPARE(QLineF(line.x1(), line.y1(), line.x2(), line.y2()), lineBefore);
    QCOMPARE(bill->mChanged(), changed);
    // The handles went with the object.
    const ObjDraw &current = *bill->mObjs().findByID(TextA);
    if (current.IsActive()) {
        const Element &corner = handleOf(bill, TextA, HandlePosition::BottomRight);
        QVERIFY(corner.Visible());
        QVERIFY(PageView::hitRect(corner).contains(QPointF(a.right() - 10, a.bottom() - 10)));
    }
}

// Fifty repeats of a held key move the object five millimetres.
void TestDesignerPlacing::aHeldKeyRepeats()
{
    mFrm_Bill *bill = h->open();
    placeObjects(bill);
    h->click(bill, 480, 300);
    for (int i = 0; i < 50; ++i) {
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier, QString(), i > 0);
        QApplication::sendEvent(bill, &repeat);
    }
    QVERIFY(std::abs(rectOf(bill, TextA).left() - (180 + mm(5))) < 1e-6);
    QVERIFY(bill->mChanged());
}

// The caption editor keeps its arrow keys: the text cursor moves, the
// label stays.
void TestDesignerPlacing::arrowsInTheCaptionEditorMoveItsCursor()
{
    mFrm_Bill *bill = h->open();
    placeObjects(bill);
    h->doubleClick(bill, 480, 300);
    QLineEdit &editor = bill->TxtLab();
    QVERIFY(editor.isVisible());
    editor.setFocus();
    editor.setCursorPosition(2);
    for (Qt::Key k : {Qt::Key_Left, Qt::Key_Up, Qt::Key_Down, Qt::Key_Right, Qt::Key_Left})
        QTest::keyClick(&editor, k);
    QCOMPARE(editor.cursorPosition(), 1);
    QCOMPARE(rectOf(bill, TextA), QRectF(180, 180, 540, 240));
    QVERIFY(editor.isVisible());
}

void TestDesignerPlacing::snapping_data()
{
    QTest::addColumn<double>("gridMm");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("gesture");
    QTest::addColumn<QRectF>("result");

    // 5 mm is 283.46 twips; the pointer lands on whole pixels (15 twips).
    const QRectF drawn(283, 283, 1134 - 283, 567 - 283);
    const QRectF drawnFreely(300, 300, 705, 405);
    QTest::newRow("drawing on the grid") << 5.0 << 0 << "draw" << drawn;
    QTest::newRow("drawing with Alt") << 5.0 << int(Qt::AltModifier) << "draw" << drawnFreely;
    QTest::newRow("drawing without a grid") << 0.0 << 0 << "draw" << drawnFreely;
    // A drag puts the dragged object's corner on the grid.
    QTest::newRow("dragging on the grid") << 5.0 << 0 << "drag" << QRectF(567, 567, 540, 240);
    QTest::newRow("dragging with Alt") << 5.0 << int(Qt::AltModifier) << "drag"
                                       << QRectF(585, 435, 540, 240);
    QTest::newRow("dragging on a 1 mm grid") << 1.0 << 0 << "drag" << QRectF(567, 454, 540, 240);
    QTest::newRow("sizing on the grid") << 5.0 << 0 << "size"
                                        << QRectF(180, 180, 1134 - 180, 567 - 180);
    QTest::newRow("sizing with Alt") << 5.0 << int(Qt::AltModifier) << "size"
                                     << QRectF(180, 180, 1005 - 180, 705 - 180);
}

void TestDesignerPlacing::snapping()
{
    QFETCH(double, gridMm);
    QFETCH(int, modifiers);
    QFETCH(QString, gesture);
    QFETCH(QRectF, result);
    mFrm_Bill *bill = h->open();
    placeObjects(bill);
    bill->setGridMm(gridMm);
    const auto keys = Qt::KeyboardModifiers(modifiers);
    // A gesture with the modifiers held from the press to the release.
    const auto gestureTo = [&](const QPoint &from, const QPoint &to) {
        h->press(from, Qt::LeftButton, keys);
        QTest::mouseEvent(QTest::MouseMove, h->window(), Qt::NoButton, keys, (from + to) / 2);
        QTest::mouseEvent(QTest::MouseMove, h->window(), Qt::NoButton, keys, to);
        h->release(to, Qt::LeftButton, keys);
    };
    int id = TextA;
    if (gesture == QLatin1String("draw")) {
        h->shell.drawMode = DrawTool::Text;
        gestureTo(h->at(bill, 300, 300), h->at(bill, 1000, 700));
        id = 1003;
    } else if (gesture == QLatin1String("drag")) {
        const QPoint from = h->at(bill, 480, 300);
        gestureTo(from, h->at(bill, 880, 550));
    } else {
        h->click(bill, 480, 300);
        const QPointF grip = handleMiddle(handleOf(bill, TextA, HandlePosition::BottomRight));
        gestureTo(h->at(bill, grip.x(), grip.y()), h->at(bill, 1000, 700));
    }
    QVERIFY2(near(rectOf(bill, id), result), qPrintable(describe(rectOf(bill, id))));
}

void TestDesignerPlacing::gridSteps_data()
{
    QTest::addColumn<double>("stepMm");
    QTest::addColumn<double>("twipsPerPixel");
    QTest::addColumn<double>("shownMm");
    // Dots at least five pixels apart; 1 mm is 3.78 pixels at 100 %.
    QTest::newRow("1 mm at 100%") << 1.0 << 15.0 << 2.0;
    QTest::newRow("1 mm at 200%") << 1.0 << 7.5 << 1.0;
    QTest::newRow("1 mm at 25%") << 1.0 << 60.0 << 10.0;
    QTest::newRow("2 mm at 25%") << 2.0 << 60.0 << 10.0;
    QTest::newRow("5 mm at 100%") << 5.0 << 15.0 << 5.0;
    QTest::newRow("10 mm at 25%") << 10.0 << 60.0 << 10.0;
}

void TestDesignerPlacing::gridSteps()
{
    QFETCH(double, stepMm);
    QFETCH(double, twipsPerPixel);
    QFETCH(double, shownMm);
    const double shown = GridSteps::shownStep(mm(stepMm), twipsPerPixel);
    QVERIFY2(std::abs(shown - mm(shownMm)) < 1e-6, qPrintable(QString::number(shown / mm(1))));
    QVERIFY(shown / twipsPerPixel >= GridSteps::MinDotPixels);
    QCOMPARE(GridSteps::snap(mm(20) + 20, mm(5)), std::round(mm(20)));
    QVERIFY(GridSteps::isChoice(stepMm));
}

// Dots show on the blank page and never over what an object paints.
void TestDesignerPlacing::gridDotsLieBeneathTheObjects()
{
    mFrm_Bill *bill = h->open();
    QImage red(8, 8, QImage::Format_RGB32);
    red.fill(Qt::red);
    addPicture(bill->record(), mm(10) - 100, mm(10) - 100, 1000, 1000, red);
    bill->setGridMm(5);
    const QImage page = bill->pageView().grab().toImage();
    const auto pixelOf = [&](double x, double y) {
        const QPointF p = bill->viewMapping().pageToPixels(QPointF(x, y));
        return page.pixelColor(int(std::lround(p.x())), int(std::lround(p.y())));
    };
    QCOMPARE(pixelOf(mm(5), mm(5)), QColor(0x9a, 0x9a, 0xa6));
    QCOMPARE(pixelOf(mm(30), mm(15)), QColor(0x9a, 0x9a, 0xa6));
    QCOMPARE(pixelOf(mm(10), mm(10)), QColor(Qt::red));
    QCOMPARE(pixelOf(mm(7.5), mm(5)), QColor(Qt::white));
    bill->setGridMm(0);
    QCOMPARE(bill->pageView().grab().toImage().pixelColor(
                 bill->viewMapping().pageToPixels(QRectF(mm(5), mm(5), 0, 0)).topLeft()),
             QColor(Qt::white));
}

// Squares kept while the page was shorter gain the dots below its old edge.
void TestDesignerPlacing::gridFollowsAGrowingPage()
{
    mFrm_Bill *bill = h->open();
    bill->PicPage().setHeight(mm(30) - 10);
    bill->setGridMm(5);
    bill->pageView().grab();
    bill->PicPage().setHeight(mm(60));
    const QImage kept = bill->pageView().grab().toImage();
    bill->pageView().clearCaches();
    QCOMPARE(kept, bill->pageView().grab().toImage());
    const QPoint dot = bill->viewMapping().pageToPixels(QRectF(mm(10), mm(30), 0, 0)).topLeft();
    QCOMPARE(kept.pixelColor(dot), QColor(0x9a, 0x9a, 0xa6));
}

void TestDesignerPlacing::readoutText_data()
{
    QTest::addColumn<std::optional<QPointF>>("pointer");
    QTest::addColumn<std::optional<QRectF>>("object");
    QTest::addColumn<QString>("text");
    const std::optional<QPointF> none;
    const std::optional<QRectF> noObject;
    QTest::newRow("nothing") << none << noObject << QString();
    QTest::newRow("pointer") << std::optional<QPointF>(QPointF(1440, 2880)) << noObject
                             << "X 25.4  Y 50.8";
    QTest::newRow("pointer at the corner") << std::optional<QPointF>(QPointF(0, 0)) << noObject
                                           << "X 0.0  Y 0.0";
    QTest::newRow("object at 20 x 30 mm")
        << none << std::optional<QRectF>(QRectF(mm(20), mm(30), 1440, 315))
        << QStringLiteral("左 20.0  上 30.0  宽 25.4  高 5.56");
    QTest::newRow("a tenth of a millimetre")
        << none << std::optional<QRectF>(QRectF(mm(20.1), mm(0.1), mm(0.3), mm(12.25)))
        << QStringLiteral("左 20.1  上 0.1  宽 0.3  高 12.25");
    QTest::newRow("both") << std::optional<QPointF>(QPointF(567, 5669.29))
                          << std::optional<QRectF>(QRectF(0, 0, 13663, 7937))
                          << QStringLiteral("X 10.0  Y 100.0    左 0.0  上 0.0  宽 241.0  高 140.0");
}

void TestDesignerPlacing::readoutText()
{
    QFETCH(std::optional<QPointF>, pointer);
    QFETCH(std::optional<QRectF>, object);
    QTEST(PositionReadout::text(pointer, object), "text");
}

// The readout shows the pointer over the page, and the one selected object
// as it changes, live during a drag.
void TestDesignerPlacing::readoutFollowsPointerAndObject()
{
    mFrm_Bill *bill = h->open();
    placeObjects(bill);
    QSignalSpy shown(bill, &mFrm_Bill::readoutChanged);
    h->move(h->at(bill, 1440, 720));
    QCOMPARE(bill->readoutText(), QStringLiteral("X 25.4  Y 12.7"));
    QVERIFY(!shown.isEmpty());
    QCOMPARE(shown.last().front().toString(), bill->readoutText());

    h->click(bill, 480, 300);
    QTRY_COMPARE(shown.last().front().toString(),
                 QStringLiteral("X 8.47  Y 5.29    左 3.18  上 3.18  宽 9.52  高 4.23"));
    // Half way through a drag the readout has the object where it is now.
    const QPoint from = h->at(bill, 480, 300);
    h->press(from);
    h->move(from + QPoint(30, 15));
    QTRY_VERIFY(shown.last().front().toString().contains(QStringLiteral("左 11.11  上 7.14")));
    h->release(from + QPoint(30, 15));
    // Off the page only the object is left.
    h->move(bill->pageArea().mapTo(&h->area, QPoint(bill->pageArea().width() - 2, 2)));
    QTRY_COMPARE(shown.last().front().toString(),
                 QStringLiteral("左 11.11  上 7.14  宽 9.52  高 4.23"));
    // Several selected: no object.
    bill->SelAll();
    QTRY_COMPARE(shown.last().front().toString(), QString());
}

// The same template, its window at 25 %, 100 % and 800 % with objects
// selected, prints the same drawing commands and the same PDF text.
void TestDesignerPlacing::printIsTheSameAtEveryZoom()
{
    mFrm_Bill *bill = h->open();
    BillTemplate &bill_ = bill->record();
    bill_.Caption = QStringLiteral("发货单");
    bill_.mID = 1;
    placeObjects(bill);
    addText(bill_, mm(20), mm(30), 1440, 315, QStringLiteral("发货单位第1页"));
    addField(bill_, mm(60), mm(30), 1000, 400, 1);
    addLine(bill_, mm(20), mm(50), mm(120), mm(50))->ObjCtl()->setBorderWidth(2);
    bill->SelAll();
    const auto record = [&] {
        Mod_Print::FillPageFromTemplate(bill_);
        Mod_Print::Run().Bill = &bill_;
        Mod_Print::Run().PageCount = 1;
        auto device = std::make_shared<RecordingPrintDevice>();
        Mod_Print::setPrintDeviceFactory([device] { return device; });
        Mod_Print::PrintPages();
        return device->completed.size() == 1 ? device->completed.front()
                                             : RecordingPrintDevice::Page();
    };
    const bool canReadPdf = !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
    const auto pdfWords = [&](double zoom) {
        const QString pdf = m_dir.filePath(QStringLiteral("zoom%1.pdf").arg(zoom * 100));
        Mod_Print::Run() = PrintRun();
        Mod_Print::setPrintDeviceFactory([pdf] { return std::make_shared<QtPrintDevice>(pdf); });
        Mod_Print::PrintBill(bill_, 1, 1, 15, 0, false, false);
        QStringList words;
        const QList<PdfPage> pages = readBack(pdf);
        for (const PdfPage &page : pages) {
            words << QStringLiteral("page %1x%2").arg(page.width).arg(page.height);
            for (const Word &w : page.words)
                words << QStringLiteral("%1 %2,%3").arg(w.text).arg(w.xMin).arg(w.yMin);
        }
        return words;
    };
    bill->setZoom(1);
    const RecordingPrintDevice::Page at100 = record();
    QVERIFY(!at100.shapes.isEmpty());
    QVERIFY(at100.texts.contains(QStringLiteral("发货单位第1页")));
    const QStringList words100 = canReadPdf ? pdfWords(1) : QStringList();
    for (double zoom : {0.25, 8.0}) {
        bill->setZoom(zoom);
        QCOMPARE(bill->zoom(), zoom);
        const RecordingPrintDevice::Page page = record();
        QCOMPARE(page.shapes, at100.shapes);
        QCOMPARE(page.texts, at100.texts);
        QCOMPARE(page.positions, at100.positions);
        if (canReadPdf) {
            const QStringList words = pdfWords(zoom);
            QVERIFY(words.size() > 2);
            QCOMPARE(words, words100);
        }
    }
}

QTEST_MAIN(TestDesignerPlacing)
#include "tst_designerplacing.moc"
