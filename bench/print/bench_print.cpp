// Page composition and printing speed: one page of 1000 texts and 1000
// lines composed into the preview's page picture against raw QPainter
// calls drawing the same (as the preview draws: text antialiased, lines
// not, as on the designer page), a page of 100 Code 128 and 20 QR codes
// against the same objects as texts, and a 100-page run written to PDF.
#include "bench/BenchFigure.h"
#include "model/BillTemplate.h"
#include "print/Mod_Print.h"
#include "print/PageComposer.h"

#include "platform/AppSetup.h"
#include "platform/Element.h"
#include "platform/ElementArray.h"
#include "platform/FakeDialogs.h"
#include "platform/Platform.h"
#include "platform/QtPrintDevice.h"
#include "platform/TextLayout.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextOption>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr double PageWidth = 11906;
constexpr double PageHeight = 16838;
constexpr double TwipsPerPixel = 15;

struct TextItem
{
    QRectF box;
    QString text;
};

std::vector<TextItem> texts(int count)
{
    std::vector<TextItem> items;
    for (int i = 0; i < count; ++i) {
        const double left = (i % 7) * 1650 + 60;
        const double top = (i / 7) * 116.0 + 60;
        items.push_back({QRectF(left, top, 1500, 400),
                         QStringLiteral("发货单位%1 合计金额").arg(i)});
    }
    return items;
}

std::vector<QLineF> lines(int count)
{
    std::vector<QLineF> items;
    for (int i = 0; i < count; ++i) {
        const double y = 40 + i * 16.7;
        items.emplace_back(60, y, PageWidth - 60 - (i % 13) * 300, y + (i % 3) * 50);
    }
    return items;
}

void fillTemplate(BillTemplate &bill, const std::vector<TextItem> &textSpecs,
                  const std::vector<QLineF> &lineSpecs)
{
    bill.Caption = QStringLiteral("性能测试");
    bill.mObjs.page().setWidth(PageWidth);
    bill.mObjs.page().setHeight(PageHeight);
    ElementArray &textArray = bill.mObjs.page().ObjText();
    for (const TextItem &item : textSpecs) {
        Element &e = textArray.Load(textArray.UBound() + 1);
        e.Move(item.box.left(), item.box.top(), item.box.width(), item.box.height());
        e.setCaption(item.text);
        e.setVisible(true);
        bill.mObjs.LinkCtl(e.Index(), ObjDraw::Text, &e, ObjDraw::Created);
    }
    ElementArray &lineArray = bill.mObjs.page().ObjLine();
    for (const QLineF &line : lineSpecs) {
        Element &e = lineArray.Load(lineArray.UBound() + 1);
        e.setLine(line.x1(), line.y1(), line.x2(), line.y2());
        e.setBorderStyle(Element::Solid);
        e.setVisible(true);
        bill.mObjs.LinkCtl(e.Index(), ObjDraw::Line, &e, ObjDraw::Created);
    }
}

QImage pagePicture()
{
    QImage image(int(PageWidth / TwipsPerPixel), int(PageHeight / TwipsPerPixel),
                 QImage::Format_ARGB32_Premultiplied);
    return image;
}

void startPainter(QPainter &painter, QImage &image)
{
    image.fill(Qt::white);
    painter.begin(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(image.width() / PageWidth, image.height() / PageHeight);
}

double composeOnce(const BillTemplate &bill, QImage &image)
{
    PageContext context;
    QElapsedTimer timer;
    timer.start();
    QPainter painter;
    startPainter(painter, image);
    PageComposer::Compose(painter, bill, context);
    painter.end();
    return timer.nsecsElapsed() / 1e6;
}

// The same strings in the same boxes with the same wrapping and clipping,
// and the same lines, by plain QPainter calls.
double rawOnce(const std::vector<TextItem> &textSpecs, const std::vector<QLineF> &lineSpecs,
               QImage &image)
{
    const QFont font = TextLayout::pageFont(ElementFont());
    // Wrapping as composition wraps: at word boundaries, or anywhere in a
    // run of Chinese text or a word too long for the box.
    QTextOption option(Qt::AlignLeft | Qt::AlignTop);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    QElapsedTimer timer;
    timer.start();
    QPainter painter;
    startPainter(painter, image);
    for (const TextItem &item : textSpecs) {
        painter.save();
        painter.setClipRect(item.box, Qt::IntersectClip);
        painter.setPen(Qt::black);
        painter.setFont(font);
        painter.drawText(item.box, item.text, option);
        painter.restore();
    }
    for (const QLineF &line : lineSpecs) {
        painter.setPen(QPen(Qt::black, TwipsPerPixel, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(line);
    }
    painter.end();
    return timer.nsecsElapsed() / 1e6;
}

void benchComposePage()
{
    const auto textSpecs = texts(1000);
    const auto lineSpecs = lines(1000);
    BillTemplate bill;
    fillTemplate(bill, textSpecs, lineSpecs);
    QImage image = pagePicture();
    // Warm the font and glyph caches for both.
    composeOnce(bill, image);
    rawOnce(textSpecs, lineSpecs, image);
    std::vector<double> composed, raw;
    for (int round = 0; round < 15; ++round) {
        composed.push_back(composeOnce(bill, image));
        raw.push_back(rawOnce(textSpecs, lineSpecs, image));
    }
    BenchFigure::print("compose-page", BenchFigure::percentile(composed, 0.5),
                       BenchFigure::percentile(raw, 0.5));
}

// 100 Code 128 in three columns, then 20 QR codes, with data of a round.
void codePage(BillTemplate &bill)
{
    bill.Caption = QStringLiteral("条码页");
    bill.mObjs.page().setWidth(PageWidth);
    bill.mObjs.page().setHeight(PageHeight);
    ElementArray &textArray = bill.mObjs.page().ObjText();
    for (int i = 0; i < 120; ++i) {
        const bool qr = i >= 100;
        const QRectF box = qr ? QRectF((i - 100) % 7 * 1650 + 60, 13000 + (i - 100) / 7 * 1250,
                                       1200, 1200)
                              : QRectF(i % 3 * 3950 + 60, i / 3 * 380 + 60, 3800, 360);
        Element &e = textArray.Load(textArray.UBound() + 1);
        e.Move(box.left(), box.top(), box.width(), box.height());
        e.setVisible(true);
        auto obj = bill.mObjs.LinkCtl(e.Index(), ObjDraw::Text, &e, ObjDraw::Created);
        BarcodeLook look;
        look.type = qr ? BarcodeLook::QrCode : BarcodeLook::Code128;
        look.moduleWidth = 0.25;
        obj->setBarcode(look);
    }
}

void setRound(BillTemplate &bill, int round)
{
    int i = 0;
    for (const auto &obj : bill.mObjs) {
        const QString data
            = obj->Barcode().type == BarcodeLook::QrCode
                  ? QStringLiteral("https://example.com/d?n=%1&r=%2").arg(i).arg(round)
                  : QStringLiteral("DN%1-%2").arg(round).arg(i, 3, 10, QLatin1Char('0'));
        obj->ObjCtl()->setCaption(data);
        ++i;
    }
}

void showAsText(BillTemplate &bill)
{
    for (const auto &obj : bill.mObjs)
        obj->setBarcode(BarcodeLook());
}

// Every round prints new data, as every document of a batch does: the
// codes are encoded and drawn. The same page again finds them encoded, as
// a run's pages do after the check before the run, and the preview's.
void benchBarcodePage()
{
    BillTemplate codes;
    BillTemplate texts;
    codePage(codes);
    codePage(texts);
    showAsText(texts);
    QImage image = pagePicture();
    setRound(codes, 0);
    setRound(texts, 0);
    composeOnce(codes, image);
    composeOnce(texts, image);
    std::vector<double> fresh, again, plain;
    for (int round = 1; round <= 15; ++round) {
        setRound(codes, round);
        setRound(texts, round);
        fresh.push_back(composeOnce(codes, image));
        again.push_back(composeOnce(codes, image));
        plain.push_back(composeOnce(texts, image));
    }
    const double reference = BenchFigure::percentile(plain, 0.5);
    BenchFigure::print("barcode-page", BenchFigure::percentile(fresh, 0.5), reference);
    BenchFigure::print("barcode-page-encoded", BenchFigure::percentile(again, 0.5), reference);
}

int countImages(const QString &pdf)
{
    QFile file(pdf);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QString text = QString::fromLatin1(file.readAll());
    static const QRegularExpression image(QStringLiteral("/Subtype\\s*/Image"));
    return int(text.count(image));
}

void benchPdf100Pages()
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("run.pdf"));
    BillTemplate bill;
    fillTemplate(bill, texts(60), lines(60));
    QImage logo(240, 120, QImage::Format_RGB32);
    for (int y = 0; y < logo.height(); ++y)
        for (int x = 0; x < logo.width(); ++x)
            logo.setPixel(x, y, qRgb(x, y * 2, (x * y) % 256));
    ElementArray &images = bill.mObjs.page().ObjImg();
    Element &picture = images.Load(images.UBound() + 1);
    picture.Move(8000, 14000, 3000, 1500);
    picture.setPicture(logo);
    picture.setStretch(true);
    picture.setVisible(true);
    bill.mObjs.LinkCtl(picture.Index(), ObjDraw::Picture, &picture, ObjDraw::Created);

    Mod_Print::setPrintDeviceFactory([pdf] { return std::make_shared<QtPrintDevice>(pdf); });
    Mod_Print::Run().Bill = &bill;
    Mod_Print::FillPageFromTemplate(bill);
    Mod_Print::Run().PageCount = 100;
    QElapsedTimer timer;
    timer.start();
    Mod_Print::PrintPages();
    const double ms = timer.nsecsElapsed() / 1e6;
    Mod_Print::setPrintDeviceFactory({});
    Mod_Print::Run().Bill = nullptr;
    BenchFigure::print("pdf-100-pages", ms, 5000.0);
    const int embedded = countImages(pdf);
    std::printf("pdf-100-pages-pictures: %d embedded (reference 1, ratio %.2f)\n", embedded,
                embedded / 1.0);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    AppSetup::installFontSubstitutions();
    Platform::installFakes();
    benchComposePage();
    benchBarcodePage();
    benchPdf100Pages();
    return 0;
}
