#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QList>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QSizeF>
#include <QTemporaryDir>

#include <cmath>

// Files a clerk may choose as the form beneath a page, made in memory: a
// scanned form (a grey page with black boxes), in the formats scanners
// write, with and without a recorded resolution, as PDF pages, and broken.
namespace UnderlayFiles {

inline int dotsPerMetre(double dpi)
{
    return int(std::lround(dpi / 0.0254));
}

// A blank form: light grey paper, black ruled boxes.
inline QImage scannedForm(const QSize &pixels)
{
    QImage image(pixels, QImage::Format_RGB32);
    image.fill(QColor(235, 235, 235));
    QPainter painter(&image);
    painter.setPen(QPen(Qt::black, std::max(1, pixels.width() / 200)));
    painter.drawRect(QRect(QPoint(0, 0), pixels).adjusted(pixels.width() / 10, pixels.height() / 10,
                                                           -pixels.width() / 10,
                                                           -pixels.height() / 10));
    painter.drawLine(pixels.width() / 10, pixels.height() / 2, pixels.width() * 9 / 10,
                     pixels.height() / 2);
    return image;
}

inline QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

inline QByteArray pictureAt(const QSize &pixels, double dpi, const char *format)
{
    QImage image = scannedForm(pixels);
    image.setDotsPerMeterX(dotsPerMetre(dpi));
    image.setDotsPerMeterY(dotsPerMetre(dpi));
    return encoded(image, format);
}

// A JPEG whose JFIF header gives an aspect ratio only, as phone cameras
// and some scanners write it.
inline QByteArray jpegWithoutResolution(const QSize &pixels)
{
    QByteArray bytes = encoded(scannedForm(pixels), "JPEG");
    const int jfif = bytes.indexOf("JFIF");
    // "JFIF\0", version (2), units, X density (2), Y density (2).
    bytes[jfif + 7] = 0;
    bytes[jfif + 8] = 0;
    bytes[jfif + 9] = 1;
    bytes[jfif + 10] = 0;
    bytes[jfif + 11] = 1;
    return bytes;
}

// A PDF with one page of each size (millimetres), each with a box drawn.
inline QByteArray pdfPages(const QList<QSizeF> &sizesMm)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(300);
    QPainter painter;
    for (int i = 0; i < sizesMm.size(); ++i) {
        const QPageLayout layout(QPageSize(sizesMm[i], QPageSize::Millimeter),
                                 QPageLayout::Portrait, QMarginsF());
        writer.setPageLayout(layout);
        if (i == 0)
            painter.begin(&writer);
        else
            writer.newPage();
        const QSize page(writer.width(), writer.height());
        painter.setPen(QPen(Qt::black, 6));
        painter.drawRect(QRect(QPoint(0, 0), page).adjusted(page.width() / 10, page.height() / 10,
                                                           -page.width() / 10,
                                                           -page.height() / 10));
    }
    painter.end();
    return bytes;
}

// What qpdf makes of a PDF: qpdf arguments, "IN" and "OUT" standing for
// the files. Empty when qpdf fails.
inline QByteArray qpdf(const QByteArray &in, QStringList arguments)
{
    QTemporaryDir dir;
    const QString inPath = dir.filePath(QStringLiteral("in.pdf"));
    const QString outPath = dir.filePath(QStringLiteral("out.pdf"));
    QFile file(inPath);
    if (!file.open(QIODevice::WriteOnly) || file.write(in) != in.size())
        return {};
    file.close();
    for (QString &a : arguments)
        a = a == QLatin1String("IN") ? inPath : a == QLatin1String("OUT") ? outPath : a;
    QProcess process;
    process.start(QStringLiteral("qpdf"), arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    QFile out(outPath);
    return out.open(QIODevice::ReadOnly) ? out.readAll() : QByteArray();
}

inline QByteArray pdfWithoutPages()
{
    return qpdf({}, {QStringLiteral("--empty"), QStringLiteral("OUT")});
}

inline QByteArray passwordProtectedPdf()
{
    return qpdf(pdfPages({QSizeF(210, 297)}),
                {QStringLiteral("--encrypt"), QStringLiteral("geheim"), QStringLiteral("owner"),
                 QStringLiteral("256"), QStringLiteral("--"), QStringLiteral("IN"),
                 QStringLiteral("OUT")});
}

// The first half of a PNG of many different pixels: its picture data ends
// early.
inline QByteArray truncatedPng()
{
    QImage noise(400, 300, QImage::Format_RGB32);
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x)
            noise.setPixel(x, y, qRgb((x * 7) % 256, (y * 13) % 256, (x * y) % 256));
    const QByteArray whole = encoded(noise, "PNG");
    return whole.left(whole.size() / 2);
}

// A real 20000 x 20000 picture (one bit a pixel, so it is quick to make).
inline QByteArray hugePicture()
{
    QImage image(20000, 20000, QImage::Format_Mono);
    image.fill(1);
    return encoded(image, "PNG");
}

} // namespace UnderlayFiles
