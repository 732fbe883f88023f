#pragma once

#include <ZXing/ReadBarcode.h>

#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QProcess>
#include <QRectF>
#include <QString>

// What a scanner reads from a printed page: the PDF rasterised by
// pdftoppm at a printer's resolution, one region decoded by ZXing-C++.
namespace BarcodeReadBack {

// Page `page` (from 1) of the PDF in grey at dpi; a null image when
// pdftoppm fails.
inline QImage render(const QString &pdf, int page, int dpi, const QString &workDir)
{
    const QString base = QDir(workDir).filePath(
        QStringLiteral("page-%1-%2").arg(page).arg(dpi));
    QProcess process;
    process.start(QStringLiteral("pdftoppm"),
                  {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-gray"),
                   QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                   QString::number(page), QStringLiteral("-singlefile"), pdf, base});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QImage();
    // An A4 page at 600 DPI is past the reader's default limit.
    QImageReader::setAllocationLimit(512);
    return QImageReader(base + QStringLiteral(".pgm")).read().convertToFormat(
        QImage::Format_Grayscale8);
}

// The part of the page under a box given in twips, on a white margin as
// wide as a scanner's view around a label.
inline QImage region(const QImage &page, const QRectF &twips, int dpi)
{
    const double scale = dpi / 1440.0;
    const QRect pixels = QRectF(twips.topLeft() * scale, twips.size() * scale).toAlignedRect();
    const int margin = dpi / 10;
    QImage framed(pixels.size() + QSize(2 * margin, 2 * margin), QImage::Format_Grayscale8);
    framed.fill(Qt::white);
    QPainter painter(&framed);
    painter.drawImage(QPoint(margin, margin), page.copy(pixels));
    painter.end();
    return framed;
}

// The text of the one code of `format` in the image, or "(none)" when
// there is none, or "(error ...)" when it reads wrong.
inline QString decode(const QImage &image, ZXing::BarcodeFormat format)
{
    const ZXing::ImageView view(image.constBits(), image.width(), image.height(),
                                ZXing::ImageFormat::Lum, int(image.bytesPerLine()));
    ZXing::DecodeHints hints;
    hints.setFormats(format);
    hints.setTryRotate(false);
    const ZXing::Result result = ZXing::ReadBarcode(view, hints);
    if (!result.isValid())
        return result.format() == ZXing::BarcodeFormat::None
                   ? QStringLiteral("(none)")
                   : QStringLiteral("(error %1)")
                         .arg(QString::fromStdString(ZXing::ToString(result.error())));
    return QString::fromStdString(result.text());
}

// The box holds nothing darker than paper.
inline bool blank(const QImage &page, const QRectF &twips, int dpi)
{
    const QImage part = region(page, twips, dpi);
    for (int y = 0; y < part.height(); ++y) {
        const uchar *line = part.constScanLine(y);
        for (int x = 0; x < part.width(); ++x) {
            if (line[x] < 250)
                return false;
        }
    }
    return true;
}

} // namespace BarcodeReadBack
