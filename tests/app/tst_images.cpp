#include "app/ImageList.h"
#include "app/ToolImages.h"
#include "app/TwipsCoordinate.h"
#include "app/mFrm_Main.h"
#include "platform/Platform.h"
#include "platform/RuntimeError.h"

#include <QColor>
#include <QImage>
#include <QSet>
#include <QTest>

class tst_Images : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void imageListHoldsTwentyFivePictures();
    void picturesArePairwiseDifferent();
    void picturesAreNotBlank_data();
    void picturesAreNotBlank();
    void maskColourBecomesTransparent();
    void imageListRejectsBadInput();

    void twipsCoordinate_data();
    void twipsCoordinate();
};

void tst_Images::initTestCase()
{
    Platform::installFakes();
}

// The twenty-five pictures of the toolbar, then those of the view's buttons
// and the underlay's.
void tst_Images::imageListHoldsTwentyFivePictures()
{
    mFrm_Main w;
    const ImageList &list = w.ImgLst1();
    QCOMPARE(list.count(), 31);
    QCOMPARE(list.maskColor(), QColor(192, 192, 192));
    const QStringList expected{"New",    "Open",    "Save",    "SaveAs",    "SelAll",
                               "Delete", "Copy",    "Prop",    "Lock",      "ObjSel",
                               "ObjLine", "ObjText", "ObjImg", "Left",      "HCenter",
                               "Right",  "Top",     "VCenter", "Bottom",    "Width",
                               "Height", "SizeAll", "PageSetup", "PreView", "Exit",
                               "ZoomOut", "ZoomIn", "Grid",    "Underlay", "Undo",
                               "Redo"};
    QCOMPARE(list.keys(), expected);
    for (const QString &key : expected)
        QCOMPARE(list.image(key).size(), QSize(16, 16));
}

void tst_Images::picturesArePairwiseDifferent()
{
    mFrm_Main w;
    const ImageList &list = w.ImgLst1();
    const QStringList keys = list.keys();
    for (qsizetype i = 0; i < keys.size(); ++i) {
        const QImage a = list.image(keys[i]);
        for (qsizetype j = i + 1; j < keys.size(); ++j) {
            const QImage b = list.image(keys[j]);
            int differing = 0;
            for (int y = 0; y < 16; ++y) {
                for (int x = 0; x < 16; ++x)
                    differing += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
            }
            // More than a stray pixel apart: each picture is its own drawing.
            QVERIFY2(differing >= 16, qPrintable(keys[i] + " and " + keys[j] + " differ in "
                                                 + QString::number(differing) + " pixels"));
        }
    }
}

void tst_Images::picturesAreNotBlank_data()
{
    QTest::addColumn<QString>("key");
    for (const QString &key : ToolImages::keys())
        QTest::newRow(qPrintable(key)) << key;
}

void tst_Images::picturesAreNotBlank()
{
    QFETCH(QString, key);
    mFrm_Main w;
    const QImage image = w.ImgLst1().image(key);
    int opaque = 0;
    int transparent = 0;
    QSet<QRgb> colours;
    QRect drawn;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const QRgb p = image.pixel(x, y);
            if (qAlpha(p) == 0) {
                ++transparent;
                continue;
            }
            ++opaque;
            colours.insert(p);
            drawn |= QRect(x, y, 1, 1);
            QVERIFY2((p & RGB_MASK) != (qRgb(192, 192, 192) & RGB_MASK),
                     "the mask colour is left in the picture");
        }
    }
    QVERIFY2(opaque >= 40, qPrintable(QString::number(opaque) + " drawn pixels"));
    QVERIFY2(transparent >= 16, qPrintable(QString::number(transparent) + " background pixels"));
    // A shape, not a filled block of one colour.
    QVERIFY2(colours.size() >= 2 || opaque < drawn.width() * drawn.height(),
             "a plain block of one colour");
}

void tst_Images::maskColourBecomesTransparent()
{
    QImage source(16, 16, QImage::Format_RGB32);
    source.fill(QColor(192, 192, 192));
    source.setPixel(3, 4, qRgb(10, 20, 30));
    source.setPixel(5, 5, qRgb(192, 192, 193));
    ImageList list;
    list.add("dot", source);
    const QImage image = list.image("dot");
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    QCOMPARE(image.pixel(3, 4), qRgb(10, 20, 30));
    QCOMPARE(image.pixel(5, 5), qRgb(192, 192, 193));
}

void tst_Images::imageListRejectsBadInput()
{
    ImageList list;
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Qt::white);
    list.add("New", image);
    QVERIFY_THROWS_EXCEPTION(RuntimeError, list.add("New", image));
    QVERIFY_THROWS_EXCEPTION(RuntimeError, list.add("Big", QImage(32, 32, QImage::Format_RGB32)));
    QVERIFY_THROWS_EXCEPTION(RuntimeError, list.image("Open"));
    QVERIFY_THROWS_EXCEPTION(RuntimeError, ToolImages::draw("Nothing"));
    QCOMPARE(list.count(), 1);
}

void tst_Images::twipsCoordinate_data()
{
    QTest::addColumn<float>("twips");
    QTest::addColumn<double>("twipsPerPixel");
    QTest::addColumn<int>("pixels");
    QTest::addColumn<float>("afterMove");

    QTest::newRow("whole pixel") << 1500.0f << 15.0 << 100 << 1515.0f;
    QTest::newRow("rounds up") << 1000.0f << 15.0 << 67 << 1020.0f;
    QTest::newRow("rounds down") << 1006.0f << 15.0 << 67 << 1020.0f;
    QTest::newRow("negative") << -600.0f << 15.0 << -40 << -585.0f;
    QTest::newRow("120 dpi") << 1000.0f << 12.0 << 83 << 1008.0f;
}

void tst_Images::twipsCoordinate()
{
    QFETCH(float, twips);
    QFETCH(double, twipsPerPixel);
    QFETCH(int, pixels);
    QFETCH(float, afterMove);
    TwipsCoordinate c;
    QCOMPARE(c.twips(pixels, twipsPerPixel), float(pixels * twipsPerPixel));
    QCOMPARE(c.set(twips, twipsPerPixel), pixels);
    // Still on the pixel it was set to: the value set is reported back.
    QCOMPARE(c.twips(pixels, twipsPerPixel), twips);
    // Moved by the user: the window's own position counts.
    QCOMPARE(c.twips(pixels + 1, twipsPerPixel), afterMove);
}

QTEST_MAIN(tst_Images)
#include "tst_images.moc"
