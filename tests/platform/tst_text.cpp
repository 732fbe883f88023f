#include "tests/platform/NewImageResolution.h"

#include "platform/AppSetup.h"
#include "platform/Element.h"
#include "platform/ElementPainter.h"
#include "platform/PageSurface.h"
#include "platform/PictureCodec.h"
#include "platform/PrintedSize.h"
#include "platform/RecordingPrintDevice.h"
#include "platform/TextLayout.h"

#include <QAbstractButton>
#include <QApplication>
#include <QBuffer>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QMessageBox>
#include <QPainter>
#include <QTest>

class TestText : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void songtiIsDrawnWithAChineseFont_data();
    void songtiIsDrawnWithAChineseFont();
    void fontSizeIsInPageUnits();
    void naturalSizeCountsExplicitLines();
    void autoSizeFitsTheBox();
    void labelPaintsInsideItsBox();
    void clipCutsTextAtTheBox();
    void handlePictureIsPaintedWhole();
    void naturalSizeOnATallPixelScreen_data();
    void naturalSizeOnATallPixelScreen();
    void linesAndPicturesKeepTheirSizeOnEveryScreen_data();
    void linesAndPicturesKeepTheirSizeOnEveryScreen();
    void naturalSizeComesFromThePicture_data();
    void naturalSizeComesFromThePicture();
    void standardButtonsReadChinese_data();
    void standardButtonsReadChinese();
};

void TestText::initTestCase()
{
    AppSetup::installFontSubstitutions();
    AppSetup::installChineseTranslations(*qApp);
}

void TestText::songtiIsDrawnWithAChineseFont_data()
{
    QTest::addColumn<QString>("family");
    QTest::newRow("宋体") << QStringLiteral("宋体");
    QTest::newRow("SimSun") << QStringLiteral("SimSun");
}

void TestText::songtiIsDrawnWithAChineseFont()
{
    QFETCH(QString, family);
    ElementFont font;
    font.Name = family;
    const QFontMetrics metrics(TextLayout::pageFont(font));
    for (const QChar c : QStringLiteral("第页共文字打印预览单据号"))
        QVERIFY2(metrics.inFont(c), qPrintable(QString(c)));
    QCOMPARE(QFontInfo(TextLayout::pageFont(font)).family(),
             QString::fromLatin1(AppSetup::chineseFamily()));
}

void TestText::fontSizeIsInPageUnits()
{
    ElementFont font;
    font.Size = 12;
    QCOMPARE(TextLayout::pageFont(font).pixelSize(), 240);
    font.Size = 10.5;
    QCOMPARE(TextLayout::pageFont(font).pixelSize(), 210);
}

void TestText::naturalSizeCountsExplicitLines()
{
    ElementFont font;
    const QSizeF one = TextLayout::naturalSize(QStringLiteral("合计金额"), font);
    const QSizeF two = TextLayout::naturalSize(QStringLiteral("合计金额\r\n大写"), font);
    QVERIFY(one.width() > 0);
    QCOMPARE(two.width(), one.width());
    QCOMPARE(two.height(), 2 * one.height());
}

void TestText::autoSizeFitsTheBox()
{
    PageSurface page;
    Element &label = page.ObjText().Load(1001);
    label.setAutoSize(true);
    label.setCaption(QStringLiteral("很长的一段文字"));
    const QSizeF natural = TextLayout::naturalSize(label.Caption(), label.Font());
    QVERIFY(label.Width() >= natural.width());
    QVERIFY(label.Width() < natural.width() + 1);
}

namespace {

QImage render(const Element &element, bool clip, QSize pixels = QSize(200, 100))
{
    QImage image(pixels, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(1.0 / 15.0, 1.0 / 15.0);
    ElementPainter::Options options;
    options.clipText = clip;
    ElementPainter::paint(painter, element, options);
    return image;
}

bool inkOutside(const QImage &image, const QRect &box)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (!box.contains(x, y) && image.pixel(x, y) != qRgb(255, 255, 255))
                return true;
    return false;
}

} // namespace

void TestText::labelPaintsInsideItsBox()
{
    PageSurface page;
    Element &label = page.ObjText().Load(1001);
    label.Move(150, 150, 1500, 600);
    label.setCaption(QStringLiteral("单据号"));
    label.setVisible(true);
    const QImage image = render(label, true);
    QVERIFY(!inkOutside(image, QRect(10, 10, 100, 40)));
    QVERIFY(inkOutside(image, QRect(0, 0, 0, 0)));
}

void TestText::clipCutsTextAtTheBox()
{
    PageSurface page;
    Element &label = page.ObjText().Load(1001);
    label.Move(150, 150, 300, 200);
    label.setCaption(QStringLiteral("WWWWWWWWWWWWWWWWWWWW"));
    label.setVisible(true);
    label.setBorderStyle(Element::NoBorder);
    QVERIFY(!inkOutside(render(label, true), QRect(10, 10, 20, 14)));
}

void TestText::handlePictureIsPaintedWhole()
{
    PageSurface page;
    Element &handle = page.PicHD().Load(1);
    QImage picture(7, 7, QImage::Format_RGB32);
    picture.fill(QColor(0, 0, 128));
    handle.setPicture(picture);
    handle.Move(150, 150);
    handle.setVisible(true);
    const QImage image = render(handle, true);
    QCOMPARE(QColor(image.pixel(10, 10)), QColor(0, 0, 128));
    QCOMPARE(QColor(image.pixel(16, 16)), QColor(0, 0, 128));
    QCOMPARE(QColor(image.pixel(17, 17)), QColor(Qt::white));
}

void TestText::naturalSizeOnATallPixelScreen_data()
{
    QTest::addColumn<bool>("handle");
    QTest::addColumn<QSize>("pixels");
    // A 4 x 6 picture at 96 dpi is 60 x 90 twips, whatever the screen.
    QTest::newRow("image") << false << QSize(4, 3);
    // A handle is drawn in screen pixels: it keeps its 4 x 6.
    QTest::newRow("handle") << true << QSize(4, 6);
}

// Pixels twice as tall as wide.
void TestText::naturalSizeOnATallPixelScreen()
{
    QFETCH(bool, handle);
    QFETCH(QSize, pixels);
    PageSurface page;
    Element &element = handle ? page.PicHD().Load(1) : page.ObjImg().Load(2001);
    QImage picture(4, 6, QImage::Format_RGB32);
    picture.fill(QColor(0, 0, 128));
    picture.setDotsPerMeterX(3780);
    picture.setDotsPerMeterY(3780);
    element.setPicture(picture);
    element.setStretch(false);
    element.setBorderStyle(Element::NoBorder);
    element.Move(150, 300, 1500, 3000);
    element.setVisible(true);
    QImage image(100, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.scale(1.0 / 15, 1.0 / 30);
        ElementPainter::Options options;
        options.twipsPerPixelY = 30;
        ElementPainter::paint(painter, element, options);
    }
    const int right = 10 + pixels.width();
    const int bottom = 10 + pixels.height();
    QCOMPARE(QColor(image.pixel(right - 2, bottom - 1)), QColor(0, 0, 128));
    QCOMPARE(QColor(image.pixel(right - 2, bottom + 1)), QColor(Qt::white));
    QCOMPARE(QColor(image.pixel(right + 1, bottom - 2)), QColor(Qt::white));
}

void TestText::linesAndPicturesKeepTheirSizeOnEveryScreen_data()
{
    QTest::addColumn<QSizeF>("screen"); // twips per pixel across and down
    QTest::newRow("96 dpi") << QSizeF(15, 15);
    QTest::newRow("144 dpi") << QSizeF(10, 10);
    QTest::newRow("pixels twice as tall as wide") << QSizeF(15, 30);
}

// The page view paints a line-width pixel as 1/96 inch and a picture at
// its own resolution, so the designer shows what prints.
void TestText::linesAndPicturesKeepTheirSizeOnEveryScreen()
{
    QFETCH(QSizeF, screen);
    PageSurface page;
    Element &line = page.ObjLine().Load(1);
    line.setLine(0, 300, 3000, 300);
    line.setBorderWidth(2);
    line.setVisible(true);
    Element &image = page.ObjImg().Load(2001);
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(Qt::green);
    picture.setDotsPerMeterX(11811); // 300 dpi
    picture.setDotsPerMeterY(11811);
    image.setPicture(picture);
    image.setStretch(false);
    image.setBorderStyle(Element::NoBorder);
    image.Move(150, 600, 1500, 3000);
    image.setVisible(true);
    RecordingPrintDevice device;
    PrintDevice::Job job;
    job.pageWidth = 11906;
    job.pageHeight = 16838;
    job.pageCount = 1;
    device.StartDoc(job);
    ElementPainter::Options options;
    options.twipsPerPixel = screen.width();
    options.twipsPerPixelY = screen.height();
    ElementPainter::paint(device.painter(), line, options);
    ElementPainter::paint(device.painter(), image, options);
    device.EndPage();
    QCOMPARE(device.completed.front().shapes,
             QStringList({"line 0.0,300.0 3000.0,300.0 w=30.0", "image 150.0,600.0 192.0x96.0"}));
}

namespace {

QByteArray fileBytes(int dotsPerMeter, const char *format)
{
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(Qt::red);
    picture.setDotsPerMeterX(dotsPerMeter > 0 ? dotsPerMeter : 3780);
    picture.setDotsPerMeterY(dotsPerMeter > 0 ? dotsPerMeter : 3780);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, format);
    if (dotsPerMeter == 0 && QByteArray(format) == "BMP") {
        // A bitmap whose header records no resolution.
        for (int i = 38; i < 46; ++i)
            bytes[i] = 0;
    }
    return bytes;
}

} // namespace

void TestText::naturalSizeComesFromThePicture_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QSize>("twips"); // of a 40 x 20 picture
    QTest::newRow("portable pixmap records none") << fileBytes(0, "PPM") << QSize(600, 300);
    QTest::newRow("bitmap recording none") << fileBytes(0, "BMP") << QSize(600, 300);
    QTest::newRow("bitmap at 72 dpi") << fileBytes(2835, "BMP") << QSize(800, 400);
    QTest::newRow("PNG at 300 dpi") << fileBytes(11811, "PNG") << QSize(192, 96);
    QTest::newRow("JPEG at 200 dpi") << fileBytes(7874, "JPEG") << QSize(288, 144);
}

// The natural size a picture prints and shows at: its own resolution, 96
// dpi when its file records none, on every screen.
void TestText::naturalSizeComesFromThePicture()
{
    QFETCH(QByteArray, file);
    QFETCH(QSize, twips);
    const auto asInTheProgram = screenResolutionForNewImages();
    const int screenDefault = QImage(1, 1, QImage::Format_RGB32).dotsPerMeterX();
    const QImage picture = PictureCodec::decode(file);
    QCOMPARE(picture.size(), QSize(40, 20));
    const QSizeF natural = PrintedSize::naturalSize(picture);
    QCOMPARE(QSize(qRound(natural.width()), qRound(natural.height())), twips);
    // Decoding leaves the screen's own default to every other picture.
    QCOMPARE(QImage(1, 1, QImage::Format_RGB32).dotsPerMeterX(), screenDefault);
}

void TestText::standardButtonsReadChinese_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("text");
    QTest::newRow("Yes") << int(QMessageBox::Yes) << QStringLiteral("是(&Y)");
    QTest::newRow("No") << int(QMessageBox::No) << QStringLiteral("否(&N)");
    QTest::newRow("OK") << int(QMessageBox::Ok) << QStringLiteral("确定");
    QTest::newRow("Cancel") << int(QMessageBox::Cancel) << QStringLiteral("取消");
}

void TestText::standardButtonsReadChinese()
{
    QFETCH(int, button);
    QFETCH(QString, text);
    QMessageBox box(QMessageBox::Warning, QStringLiteral("t"), QStringLiteral("x"),
                    QMessageBox::StandardButton(button));
    QCOMPARE(box.button(QMessageBox::StandardButton(button))->text(), text);
}

QTEST_MAIN(TestText)
#include "tst_text.moc"
