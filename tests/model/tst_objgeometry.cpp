#include "ModelFixtures.h"

#include "model/HandlePosition.h"
#include "model/ObjGeometry.h"

#include <QTest>

using namespace ObjGeometry;

class TestObjGeometry : public QObject
{
    Q_OBJECT

private slots:
    void sizeRect_data();
    void sizeRect();
    void hitLine_data();
    void hitLine();
    void intersectRect_data();
    void intersectRect();
    void lineRangeRect_data();
    void lineRangeRect();
    void alignSpan_data();
    void alignSpan();
    void resizeSpan_data();
    void resizeSpan();
    void handleTopLeft_data();
    void handleTopLeft();
    void halfPixelRoundsHalvesToEven();
    void rectToScreen();
};

void TestObjGeometry::sizeRect_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<TwipRect>("expected");

    // The box is (1000, 1000)-(2000, 1500) in every row; the id is the
    // handle's HdID. An edge dragged past the opposite one stops there.
    using namespace HandlePosition;
    QTest::newRow("topLeft") << hdIdOf(TopLeft) << 500.0 << 600.0 << TwipRect{500, 600, 2000, 1500};
    QTest::newRow("topMiddleIgnoresX") << hdIdOf(TopMiddle)
                                       << 9999.0 << 800.0 << TwipRect{1000, 800, 2000, 1500};
    QTest::newRow("topRight") << hdIdOf(TopRight)
                              << 2500.0 << 900.0 << TwipRect{1000, 900, 2500, 1500};
    QTest::newRow("rightMiddle") << hdIdOf(RightMiddle)
                                 << 2200.0 << 0.0 << TwipRect{1000, 1000, 2200, 1500};
    QTest::newRow("bottomRight") << hdIdOf(BottomRight)
                                 << 2100.0 << 1700.0 << TwipRect{1000, 1000, 2100, 1700};
    QTest::newRow("bottomMiddle") << hdIdOf(BottomMiddle)
                                  << 0.0 << 1800.0 << TwipRect{1000, 1000, 2000, 1800};
    QTest::newRow("bottomLeft") << hdIdOf(BottomLeft)
                                << 900.0 << 1600.0 << TwipRect{900, 1000, 2000, 1600};
    QTest::newRow("leftMiddle") << hdIdOf(LeftMiddle)
                                << 800.0 << 0.0 << TwipRect{800, 1000, 2000, 1500};
    QTest::newRow("rightLeftOfLeft") << hdIdOf(RightMiddle)
                                     << 400.0 << 0.0 << TwipRect{1000, 1000, 1000, 1500};
    QTest::newRow("bottomAboveTop") << hdIdOf(BottomMiddle)
                                    << 0.0 << 200.0 << TwipRect{1000, 1000, 2000, 1000};
    QTest::newRow("leftRightOfRight") << hdIdOf(LeftMiddle)
                                      << 3000.0 << 0.0 << TwipRect{2000, 1000, 2000, 1500};
    QTest::newRow("topLeftPastBottomRight") << hdIdOf(TopLeft)
                                            << 2500.0 << 2000.0 << TwipRect{2000, 1500, 2000, 1500};
    QTest::newRow("topRightPastBottomLeft") << hdIdOf(TopRight)
                                            << 500.0 << 2000.0 << TwipRect{1000, 1500, 1000, 1500};
    // The pointer is taken in whole twips, halves to even.
    QTest::newRow("halfRoundsDown") << hdIdOf(RightMiddle)
                                    << 2200.5 << 0.0 << TwipRect{1000, 1000, 2200, 1500};
    QTest::newRow("halfRoundsUp") << hdIdOf(RightMiddle)
                                  << 2201.5 << 0.0 << TwipRect{1000, 1000, 2202, 1500};
}

void TestObjGeometry::sizeRect()
{
    QFETCH(int, id);
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(TwipRect, expected);
    TwipRect r{1000, 1000, 2000, 1500};
    SizeRect(id, r, x, y);
    QCOMPARE(r, expected);
}

void TestObjGeometry::hitLine_data()
{
    QTest::addColumn<QLineF>("line");
    QTest::addColumn<QPointF>("point");
    QTest::addColumn<bool>("hit");

    const QLineF diagonal(0, 0, 1000, 1000);
    QTest::newRow("obliqueOn") << diagonal << QPointF(500, 500) << true;
    QTest::newRow("obliqueWithinTolerance") << diagonal << QPointF(500, 540) << true;
    QTest::newRow("obliqueOff") << diagonal << QPointF(500, 560) << false;
    QTest::newRow("obliqueReversed") << QLineF(1000, 1000, 0, 0) << QPointF(500, 560) << false;
    // Slope 0.9 against 1: the difference is just under 0.1 in double
    // precision but rounds to 0.1 in single precision, so it misses.
    QTest::newRow("obliqueSinglePrecision") << QLineF(0, 0, 100, 100) << QPointF(10, 9) << false;
    const QLineF vertical(100, 0, 100, 1000);
    QTest::newRow("verticalBeside") << vertical << QPointF(170, 500) << true;
    QTest::newRow("verticalUpperEndIncluded") << vertical << QPointF(100, 1000) << true;
    QTest::newRow("verticalLowerEndExcluded") << vertical << QPointF(100, 0) << false;
    QTest::newRow("verticalPastEnd") << vertical << QPointF(130, 1050) << false;
    const QLineF horizontal(0, 50, 1000, 50);
    QTest::newRow("horizontalBeside") << horizontal << QPointF(500, 110) << true;
    QTest::newRow("horizontalPastEnd") << horizontal << QPointF(1010, 50) << false;
    // On an end's x the vertical rule decides, and the span has no height.
    QTest::newRow("horizontalAtStartX") << horizontal << QPointF(0, 50) << false;
}

void TestObjGeometry::hitLine()
{
    QFETCH(QLineF, line);
    QFETCH(QPointF, point);
    QFETCH(bool, hit);
    QCOMPARE(HitLine(line.x1(), line.y1(), line.x2(), line.y2(), point.x(), point.y()), hit);
}

void TestObjGeometry::intersectRect_data()
{
    QTest::addColumn<TwipRect>("a");
    QTest::addColumn<TwipRect>("b");
    QTest::addColumn<bool>("intersects");

    const TwipRect box{0, 0, 100, 100};
    QTest::newRow("overlap") << box << TwipRect{50, 50, 150, 150} << true;
    QTest::newRow("contained") << box << TwipRect{10, 10, 20, 20} << true;
    QTest::newRow("touchRightEdge") << box << TwipRect{100, 0, 200, 100} << false;
    QTest::newRow("touchBottomEdge") << box << TwipRect{0, 100, 100, 200} << false;
    QTest::newRow("oneTwipOverlap") << box << TwipRect{99, 99, 200, 200} << true;
    QTest::newRow("zeroWidthBand") << box << TwipRect{50, 0, 50, 100} << false;
    QTest::newRow("zeroHeightBand") << box << TwipRect{0, 50, 100, 50} << false;
    QTest::newRow("disjoint") << box << TwipRect{300, 300, 400, 400} << false;
}

void TestObjGeometry::intersectRect()
{
    QFETCH(TwipRect, a);
    QFETCH(TwipRect, b);
    QFETCH(bool, intersects);
    QCOMPARE(IntersectRect(a, b), intersects);
    QCOMPARE(IntersectRect(b, a), intersects);
}

void TestObjGeometry::lineRangeRect_data()
{
    QTest::addColumn<QLineF>("line");
    QTest::addColumn<TwipRect>("expected");

    QTest::newRow("horizontal") << QLineF(1000, 500, 0, 500) << TwipRect{0, 480, 1000, 520};
    QTest::newRow("vertical") << QLineF(300, 900, 300, 100) << TwipRect{280, 100, 320, 900};
    QTest::newRow("oblique") << QLineF(800, 100, 200, 700) << TwipRect{200, 100, 800, 700};
    QTest::newRow("point") << QLineF(50, 50, 50, 50) << TwipRect{30, 30, 70, 70};
}

void TestObjGeometry::lineRangeRect()
{
    QFETCH(QLineF, line);
    QFETCH(TwipRect, expected);
    QCOMPARE(ObjGeometry::lineRangeRect(line.x1(), line.y1(), line.x2(), line.y2()), expected);
}

void TestObjGeometry::alignSpan_data()
{
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("target");
    QTest::addColumn<bool>("lowEnd");
    QTest::addColumn<double>("expectedA");
    QTest::addColumn<double>("expectedB");

    QTest::newRow("highEndForward") << 100.0 << 400.0 << 1500.0 << false << 1200.0 << 1500.0;
    QTest::newRow("highEndReversed") << 400.0 << 100.0 << 1500.0 << false << 1500.0 << 1200.0;
    QTest::newRow("lowEndForward") << 100.0 << 400.0 << 0.0 << true << 0.0 << 300.0;
    QTest::newRow("lowEndReversed") << 400.0 << 100.0 << 0.0 << true << 300.0 << 0.0;
    QTest::newRow("equalEndsLow") << 300.0 << 300.0 << 1000.0 << true << 1000.0 << 1000.0;
}

void TestObjGeometry::alignSpan()
{
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(double, target);
    QFETCH(bool, lowEnd);
    ObjGeometry::alignSpan(a, b, target, lowEnd);
    QTEST(a, "expectedA");
    QTEST(b, "expectedB");
}

void TestObjGeometry::resizeSpan_data()
{
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("expectedA");
    QTest::addColumn<double>("expectedB");

    QTest::newRow("reversedMovesFirst") << 800.0 << 200.0 << 300.0 << 200.0;
    QTest::newRow("forwardMovesSecond") << 200.0 << 800.0 << 200.0 << 300.0;
}

void TestObjGeometry::resizeSpan()
{
    QFETCH(double, a);
    QFETCH(double, b);
    ObjGeometry::resizeSpan(a, b, 100);
    QTEST(a, "expectedA");
    QTEST(b, "expectedB");
}

void TestObjGeometry::handleTopLeft_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QPointF>("expected");

    // Box (1000, 1000) 2000 x 1000, handles 75 twips (half 37), half pixel 8.
    using namespace HandlePosition;
    QTest::newRow("1 topLeft") << int(TopLeft) << QPointF(971, 971);
    QTest::newRow("2 topMiddle") << int(TopMiddle) << QPointF(1963, 971);
    QTest::newRow("3 topRight") << int(TopRight) << QPointF(2955, 971);
    QTest::newRow("4 rightMiddle") << int(RightMiddle) << QPointF(2955, 1463);
    QTest::newRow("5 bottomRight") << int(BottomRight) << QPointF(2955, 1955);
    QTest::newRow("6 bottomMiddle") << int(BottomMiddle) << QPointF(1963, 1955);
    QTest::newRow("7 bottomLeft") << int(BottomLeft) << QPointF(971, 1955);
    QTest::newRow("8 leftMiddle") << int(LeftMiddle) << QPointF(971, 1463);
}

void TestObjGeometry::handleTopLeft()
{
    QFETCH(int, position);
    QFETCH(QPointF, expected);
    QCOMPARE(ObjGeometry::handleTopLeft(position, QRectF(1000, 1000, 2000, 1000), 37, 37, 8, 8),
             expected);
}

void TestObjGeometry::halfPixelRoundsHalvesToEven()
{
    QCOMPARE(halfPixel(15), 8);
    QCOMPARE(halfPixel(13), 6);
    QCOMPARE(halfPixel(12), 6);
}

void TestObjGeometry::rectToScreen()
{
    // Both axes use the horizontal factor; halves go to even; inverted bands
    // come out normalised.
    QCOMPARE(RectToScreen(TwipRect{150, 450, 22, 38}, 15), QRect(1, 3, 9, 27));
    QCOMPARE(RectToScreen(TwipRect{25, 35, 105, 115}, 10), QRect(2, 4, 8, 8));
}

QTEST_GUILESS_MAIN(TestObjGeometry)
#include "tst_objgeometry.moc"
