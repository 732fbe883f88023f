#include "UnderlayFiles.h"

#include "platform/FakeDialogs.h"
#include "platform/MemorySettingsStore.h"
#include "platform/Platform.h"
#include "platform/PrinterCalibration.h"
#include "platform/RuntimeError.h"
#include "platform/SettingsStore.h"
#include "platform/UnderlayFile.h"
#include "platform/UnderlayRaster.h"
#include "platform/Units.h"

#include <QTest>

#include <optional>

using namespace UnderlayFiles;

Q_DECLARE_METATYPE(std::optional<QSizeF>)

namespace {

// The reason a file is refused, or empty when it is taken.
QString refusal(const QByteArray &bytes, const QString &name)
{
    try {
        UnderlayFile file(bytes, name);
        file.image(1);
    } catch (const RuntimeError &e) {
        return e.Description();
    }
    return QString();
}

QSizeF mmToTwips(double w, double h)
{
    return QSizeF(Units::mmToTwips(w), Units::mmToTwips(h));
}

} // namespace

class TestUnderlay : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void placedAtTheSizeTheFileRecords_data();
    void placedAtTheSizeTheFileRecords();
    void pdfPagesAreRenderedAt300Dpi();
    void badFilesAreRefusedWithTheirReason_data();
    void badFilesAreRefusedWithTheirReason();
    void rasterIsScaledAndFadedOnce();
    void calibrationIsKeptPerPrinterInTenths_data();
    void calibrationIsKeptPerPrinterInTenths();
    void calibrationBeyondTheLimitIsRefused();
    void offsetFromMeasuredDistances_data();
    void offsetFromMeasuredDistances();
};

void TestUnderlay::init()
{
    Platform::installFakes();
}

void TestUnderlay::placedAtTheSizeTheFileRecords_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("isPdf");
    QTest::addColumn<std::optional<QSizeF>>("paper");
    // A 300-dpi scan of a form 241 mm wide is 241 mm wide: 2846 dots.
    QTest::newRow("300-dpi PNG") << pictureAt(QSize(2846, 1654), 300, "PNG") << "单据.png" << 1
                                 << false
                                 << std::optional<QSizeF>(QSizeF(2846 * 4.8, 1654 * 4.8));
    QTest::newRow("200-dpi TIFF") << pictureAt(QSize(400, 300), 200, "TIFF") << "scan.tif" << 1
                                  << false << std::optional<QSizeF>(QSizeF(400 * 7.2, 300 * 7.2));
    QTest::newRow("150-dpi JPEG") << pictureAt(QSize(300, 150), 150, "JPEG") << "photo.jpg" << 1
                                  << false << std::optional<QSizeF>(QSizeF(2880, 1440));
    // Without a recorded resolution the picture is stretched to the page.
    QTest::newRow("JPEG without resolution") << jpegWithoutResolution(QSize(640, 480))
                                             << "photo.jpg" << 1 << false
                                             << std::optional<QSizeF>();
    QTest::newRow("no suffix") << pictureAt(QSize(300, 150), 300, "PNG") << "scan" << 1 << false
                               << std::optional<QSizeF>(QSizeF(1440, 720));
    QTest::newRow("PDF page 1") << pdfPages({QSizeF(241, 140), QSizeF(148, 210)}) << "form.pdf"
                                << 1 << true << std::optional<QSizeF>(mmToTwips(241, 140));
    QTest::newRow("PDF page 2") << pdfPages({QSizeF(241, 140), QSizeF(148, 210)}) << "form.pdf"
                                << 2 << true << std::optional<QSizeF>(mmToTwips(148, 210));
}

void TestUnderlay::placedAtTheSizeTheFileRecords()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, name);
    QFETCH(int, page);
    QFETCH(bool, isPdf);
    QFETCH(std::optional<QSizeF>, paper);
    const UnderlayFile file(bytes, name);
    QCOMPARE(file.isPdf(), isPdf);
    QCOMPARE(file.pageCount(), isPdf ? 2 : 1);
    const std::optional<QSizeF> size = file.paperSize(page);
    QCOMPARE(size.has_value(), paper.has_value());
    if (paper) {
        // PDF page sizes are whole points; dots per metre are whole too.
        QVERIFY2(std::abs(size->width() - paper->width()) < 10,
                 qPrintable(QString::number(size->width())));
        QVERIFY2(std::abs(size->height() - paper->height()) < 10,
                 qPrintable(QString::number(size->height())));
    }
    const QImage image = file.image(page);
    QVERIFY(!image.isNull());
    QVERIFY(!image.hasAlphaChannel());
}

void TestUnderlay::pdfPagesAreRenderedAt300Dpi()
{
    const UnderlayFile file(pdfPages({QSizeF(210, 297)}), QStringLiteral("a4.pdf"));
    const QImage page = file.image(1);
    // A4 at 300 dpi is 2480 x 3508 dots; a page of whole points may differ by one.
    QVERIFY2(std::abs(page.width() - 2480) <= 1, qPrintable(QString::number(page.width())));
    QVERIFY2(std::abs(page.height() - 3508) <= 1, qPrintable(QString::number(page.height())));
    // White paper with a black box: drawn on white, held as grey.
    QCOMPARE(page.format(), QImage::Format_Grayscale8);
    QCOMPARE(qGray(page.pixel(10, 10)), 255);
    QCOMPARE(qGray(page.pixel(248, page.height() / 2)) < 64, true);
}

void TestUnderlay::badFilesAreRefusedWithTheirReason_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    QTest::newRow("truncated PNG") << truncatedPng() << "图片“bad.png”已损坏或不完整";
    QTest::newRow("PDF without pages") << pdfWithoutPages() << "PDF 文件“bad.png”里没有页面";
    QTest::newRow("password-protected PDF") << passwordProtectedPdf()
                                            << "PDF 文件“bad.png”有密码保护";
    QTest::newRow("20000 x 20000 picture") << hugePicture()
                                           << "图片“bad.png”太大（20000 × 20000 像素）";
    QTest::newRow("text") << QByteArray("这不是图片") << "“bad.png”不是能用作底图的图片或 PDF 文件";
    QTest::newRow("empty") << QByteArray() << "“bad.png”是空文件";
}

void TestUnderlay::badFilesAreRefusedWithTheirReason()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    // The fixtures themselves must be what they claim (qpdf ran).
    QVERIFY(!bytes.isEmpty() || reason.contains(QStringLiteral("空文件")));
    const QString said = refusal(bytes, QStringLiteral("/tmp/bad.png"));
    QVERIFY2(said.startsWith(reason), qPrintable(said));
}

void TestUnderlay::rasterIsScaledAndFadedOnce()
{
    QImage black(400, 200, QImage::Format_Grayscale8);
    black.fill(0);
    UnderlayRaster raster;
    QVERIFY(raster.isEmpty());
    QVERIFY(raster.faded(QSize(100, 50), 50).isNull());
    raster.setSource(black);
    const QImage &half = raster.faded(QSize(100, 50), 50);
    QCOMPARE(half.size(), QSize(100, 50));
    // Black at half opacity over white.
    QVERIFY(std::abs(qGray(half.pixel(50, 25)) - 128) <= 1);
    const qint64 key = half.cacheKey();
    QCOMPARE(raster.faded(QSize(100, 50), 50).cacheKey(), key);
    QVERIFY(raster.faded(QSize(100, 50), 20).cacheKey() != key);
    QVERIFY(std::abs(qGray(raster.faded(QSize(100, 50), 20).pixel(0, 0)) - 204) <= 1);
    QCOMPARE(raster.faded(QSize(200, 100), 20).size(), QSize(200, 100));
    QCOMPARE(raster.bytes(), qint64(400 * 200 + 200 * 100));
}

void TestUnderlay::calibrationIsKeptPerPrinterInTenths_data()
{
    QTest::addColumn<QString>("printer");
    QTest::addColumn<QPointF>("stored");
    QTest::addColumn<QPointF>("read");
    QTest::addColumn<QString>("shown");
    QTest::newRow("plain") << "Laser" << QPointF(1.5, -0.8) << QPointF(1.5, -0.8)
                           << "左 +1.5 毫米，上 -0.8 毫米";
    QTest::newRow("tenths") << "Laser" << QPointF(1.54, -0.86) << QPointF(1.5, -0.9)
                            << "左 +1.5 毫米，上 -0.9 毫米";
    QTest::newRow("the limits") << "Laser" << QPointF(-20, 20) << QPointF(-20, 20)
                                << "左 -20.0 毫米，上 +20.0 毫米";
    // Names a settings file would take for groups stay one key.
    QTest::newRow("network printer") << "\\\\server\\前台/2" << QPointF(0.3, 0.4)
                                     << QPointF(0.3, 0.4) << "左 +0.3 毫米，上 +0.4 毫米";
}

void TestUnderlay::calibrationIsKeptPerPrinterInTenths()
{
    QFETCH(QString, printer);
    QFETCH(QPointF, stored);
    QFETCH(QPointF, read);
    QFETCH(QString, shown);
    QCOMPARE(PrinterCalibration::offset(printer), QPointF());
    PrinterCalibration::setOffset(printer, stored);
    QCOMPARE(PrinterCalibration::offset(printer), read);
    QCOMPARE(PrinterCalibration::describe(PrinterCalibration::offset(printer)), shown);
    QCOMPARE(PrinterCalibration::offset(printer + QStringLiteral("2")), QPointF());
    PrinterCalibration::reset(printer);
    QCOMPARE(PrinterCalibration::offset(printer), QPointF());
    QCOMPARE(PrinterCalibration::describe(QPointF()), QStringLiteral("左 +0.0 毫米，上 +0.0 毫米"));
}

void TestUnderlay::calibrationBeyondTheLimitIsRefused()
{
    for (const QPointF &mm : {QPointF(20.1, 0), QPointF(0, -25)}) {
        bool refused = false;
        try {
            PrinterCalibration::setOffset(QStringLiteral("Laser"), mm);
        } catch (const RuntimeError &e) {
            refused = e.Number() == RuntimeError::InvalidArgument;
        }
        QVERIFY(refused);
    }
    // A value no dialog wrote reads as no offset, never as a shift off the paper.
    Platform::settings().SaveSetting(QStringLiteral("Kordane-格式报表Tavrel工具"),
                                     QStringLiteral("PrinterOffsets"), QStringLiteral("Laser"),
                                     QStringLiteral("300,1"));
    QCOMPARE(PrinterCalibration::offset(QStringLiteral("Laser")), QPointF());
}

void TestUnderlay::offsetFromMeasuredDistances_data()
{
    QTest::addColumn<QPointF>("printedWith");
    QTest::addColumn<QList<double>>("measured"); // left, top, right, bottom (-1: not measured)
    QTest::addColumn<QPointF>("offset");
    QTest::addColumn<QPointF>("disagreement");
    QTest::newRow("on the mark") << QPointF() << QList<double>{20, 20, -1, -1} << QPointF()
                                 << QPointF();
    // The cross landed 1.5 mm right and 0.8 mm high: pages go 1.5 mm left, 0.8 mm down.
    QTest::newRow("one cross") << QPointF() << QList<double>{21.5, 19.2, -1, -1}
                               << QPointF(-1.5, 0.8) << QPointF();
    QTest::newRow("printed with an offset") << QPointF(1.0, -0.5)
                                            << QList<double>{20.4, 19.9, -1, -1}
                                            << QPointF(0.6, -0.4) << QPointF();
    QTest::newRow("both crosses agree") << QPointF() << QList<double>{21.0, 19.0, 19.0, 21.0}
                                        << QPointF(-1.0, 1.0) << QPointF();
    // 21.0 from the left says 1.0 right, 19.4 from the right says 0.6 right.
    QTest::newRow("both crosses averaged") << QPointF() << QList<double>{21.0, 20, 19.4, 20}
                                           << QPointF(-0.8, 0) << QPointF(0.4, 0);
    QTest::newRow("paper of another size") << QPointF() << QList<double>{20, 20, 25, 20}
                                           << QPointF(2.5, 0) << QPointF(5, 0);
}

void TestUnderlay::offsetFromMeasuredDistances()
{
    QFETCH(QPointF, printedWith);
    QFETCH(QList<double>, measured);
    QFETCH(QPointF, offset);
    QFETCH(QPointF, disagreement);
    PrinterCalibration::Measured m;
    m.left = measured[0];
    m.top = measured[1];
    if (measured[2] >= 0)
        m.right = measured[2];
    if (measured[3] >= 0)
        m.bottom = measured[3];
    const PrinterCalibration::Computed computed
        = PrinterCalibration::fromMeasured(printedWith, m, 20.0);
    QCOMPARE(computed.offset, offset);
    QVERIFY(std::abs(computed.disagreement.x() - disagreement.x()) < 1e-9);
    QVERIFY(std::abs(computed.disagreement.y() - disagreement.y()) < 1e-9);
}

QTEST_MAIN(TestUnderlay)
#include "tst_underlay.moc"
