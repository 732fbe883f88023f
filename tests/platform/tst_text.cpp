#include "platform/AppSetup.h"
#include "platform/Element.h"
#include "platform/ElementPainter.h"
#include "platform/PageSurface.h"
#include "platform/TextLayout.h"

#include <QAbstractButton>
#include <QApplication>
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
    void pictureNaturalSizeUsesEachAxisFactor_data();
    void pictureNaturalSizeUsesEachAxisFactor();
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

void TestText::pictureNaturalSizeUsesEachAxisFactor_data()
{
    QTest::addColumn<bool>("handle");
    QTest::newRow("image") << false;
    QTest::newRow("handle") << true;
}

void TestText::pictureNaturalSizeUsesEachAxisFactor()
{
    QFETCH(bool, handle);
    PageSurface page;
    Element &element = handle ? page.PicHD().Load(1) : page.ObjImg().Load(2001);
    QImage picture(4, 6, QImage::Format_RGB32);
    picture.fill(QColor(0, 0, 128));
    element.setPicture(picture);
    element.setStretch(false);
    element.setBorderStyle(Element::NoBorder);
    element.Move(150, 300, 1500, 3000);
    element.setVisible(true);
    // Pixels twice as tall as wide: the picture keeps its 4 x 6 pixels.
    QImage image(100, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.scale(1.0 / 15, 1.0 / 30);
        ElementPainter::Options options;
        options.twipsPerPixelY = 30;
        ElementPainter::paint(painter, element, options);
    }
    QCOMPARE(QColor(image.pixel(12, 15)), QColor(0, 0, 128));
    QCOMPARE(QColor(image.pixel(12, 17)), QColor(Qt::white));
    QCOMPARE(QColor(image.pixel(15, 12)), QColor(Qt::white));
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
