#include "UnderlayFile.h"

#include "RuntimeError.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QPdfDocument>

#include <algorithm>
#include <cmath>

namespace {

constexpr double MetresPerInch = 0.0254;
constexpr double TwipsPerPoint = 20.0;
// Marks an image whose file set no resolution: no real file records one
// dot per metre.
constexpr int NoResolution = 1;

[[noreturn]] void refuse(const QString &reason)
{
    throw RuntimeError(RuntimeError::CannotLoadPicture, reason, QStringLiteral("底图"));
}

bool looksLikePdf(const QByteArray &bytes)
{
    // Readers accept the signature anywhere in the first kilobyte.
    return bytes.left(1024).contains("%PDF-");
}

// Decodes into an image made beforehand with the resolution marked unset:
// Qt's readers reuse an image of the right size and format and set the
// resolution only when the file records it. format: the one the reader
// ends up with (it may differ from the one it announces).
QImage readMarked(const QByteArray &bytes, const QString &suffix, QImage::Format format,
                  QImage::Format *produced)
{
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, suffix.toLatin1());
    reader.setAutoDetectImageFormat(true);
    QImage image(reader.size(), format == QImage::Format_Invalid ? reader.imageFormat() : format);
    image.setDotsPerMeterX(NoResolution);
    image.setDotsPerMeterY(NoResolution);
    const uchar *allocated = image.constBits();
    if (!reader.read(&image) || image.isNull())
        return QImage();
    *produced = image.format();
    // A reader that made its own image gave it the default resolution; the
    // caller reads again into one of the format it chose.
    if (image.constBits() != allocated)
        return QImage();
    return image;
}

double twipsPerDot(int dotsPerMetre)
{
    return 1440.0 / (dotsPerMetre * MetresPerInch);
}

// What stays of an image drawn on white: opaque, and grey where the scan
// is, at a quarter of the memory.
QImage onWhite(const QImage &image)
{
    if (image.format() == QImage::Format_Grayscale8)
        return image;
    QImage opaque;
    if (image.hasAlphaChannel()) {
        opaque = QImage(image.size(), QImage::Format_RGB32);
        opaque.fill(Qt::white);
        QPainter painter(&opaque);
        painter.drawImage(0, 0, image);
        painter.end();
        opaque.setDotsPerMeterX(image.dotsPerMeterX());
        opaque.setDotsPerMeterY(image.dotsPerMeterY());
    } else {
        opaque = image.convertToFormat(QImage::Format_RGB32);
    }
    if (opaque.allGray())
        return opaque.convertToFormat(QImage::Format_Grayscale8);
    return opaque;
}

} // namespace

class UnderlayFile::Private
{
public:
    QString name;
    QByteArray bytes;
    QBuffer buffer;
    std::unique_ptr<QPdfDocument> pdf;
    QImage picture;
    bool recordsResolution = false;

    void openPicture();
    void openPdf();
    void requirePage(int page) const;
    QImage renderPage(int page) const;
};

void UnderlayFile::Private::openPicture()
{
    QByteArray data = bytes;
    QBuffer probe(&data);
    probe.open(QIODevice::ReadOnly);
    QImageReader reader(&probe, QFileInfo(name).suffix().toLower().toLatin1());
    reader.setAutoDetectImageFormat(true);
    if (!reader.canRead())
        refuse(QStringLiteral("“%1”不是能用作底图的图片或 PDF 文件。").arg(name));
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > MaxPixels)
        refuse(QStringLiteral("图片“%1”太大（%2 × %3 像素）：底图最多 %4 万像素，请用 300 DPI 扫描。")
                   .arg(name)
                   .arg(size.width())
                   .arg(size.height())
                   .arg(MaxPixels / 10000));
    const QString suffix = QFileInfo(name).suffix().toLower();
    QImage::Format produced = QImage::Format_Invalid;
    QImage image = readMarked(bytes, suffix, QImage::Format_Invalid, &produced);
    if (image.isNull() && produced != QImage::Format_Invalid)
        image = readMarked(bytes, suffix, produced, &produced);
    if (image.isNull())
        refuse(QStringLiteral("图片“%1”已损坏或不完整，读不出来。").arg(name));
    recordsResolution = image.dotsPerMeterX() > NoResolution
                        && image.dotsPerMeterY() > NoResolution;
    if (!recordsResolution) {
        // The marks must not pass for a resolution anywhere else.
        image.setDotsPerMeterX(int(std::lround(96 / MetresPerInch)));
        image.setDotsPerMeterY(int(std::lround(96 / MetresPerInch)));
    }
    picture = onWhite(image);
}

void UnderlayFile::Private::openPdf()
{
    buffer.setBuffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    pdf = std::make_unique<QPdfDocument>();
    pdf->load(&buffer);
    if (pdf->error() == QPdfDocument::Error::IncorrectPassword)
        refuse(QStringLiteral("PDF 文件“%1”有密码保护，不能用作底图。请先去掉密码再选。").arg(name));
    if (pdf->error() != QPdfDocument::Error::None && pdf->pageCount() == 0)
        refuse(QStringLiteral("PDF 文件“%1”已损坏，读不出来。").arg(name));
    if (pdf->pageCount() == 0)
        refuse(QStringLiteral("PDF 文件“%1”里没有页面。").arg(name));
}

void UnderlayFile::Private::requirePage(int page) const
{
    const int count = pdf ? pdf->pageCount() : 1;
    if (page < 1 || page > count)
        refuse(QStringLiteral("“%1”没有第 %2 页（共 %3 页）。").arg(name).arg(page).arg(count));
}

// At PdfDpi, or less for a page so large that it would pass MaxPixels.
QImage UnderlayFile::Private::renderPage(int page) const
{
    const QSizeF points = pdf->pagePointSize(page - 1);
    if (points.isEmpty())
        refuse(QStringLiteral("PDF 文件“%1”的第 %2 页读不出来。").arg(name).arg(page));
    const double inches = (points.width() / 72.0) * (points.height() / 72.0);
    const double dpi = std::min<double>(PdfDpi, std::sqrt(double(MaxPixels) / inches));
    const QSize pixels(std::max(1, int(std::lround(points.width() / 72.0 * dpi))),
                       std::max(1, int(std::lround(points.height() / 72.0 * dpi))));
    QImage rendered = pdf->render(page - 1, pixels);
    if (rendered.isNull())
        refuse(QStringLiteral("PDF 文件“%1”的第 %2 页读不出来。").arg(name).arg(page));
    const int dotsPerMetre = int(std::lround(pixels.width() / (points.width() / 72.0 * MetresPerInch)));
    rendered.setDotsPerMeterX(dotsPerMetre);
    rendered.setDotsPerMeterY(dotsPerMetre);
    return onWhite(rendered);
}

UnderlayFile::UnderlayFile(const QByteArray &bytes, const QString &fileName)
    : d(std::make_unique<Private>())
{
    d->name = QFileInfo(fileName).fileName();
    d->bytes = bytes;
    if (bytes.isEmpty())
        refuse(QStringLiteral("“%1”是空文件。").arg(d->name));
    if (looksLikePdf(bytes))
        d->openPdf();
    else
        d->openPicture();
}

UnderlayFile::~UnderlayFile() = default;

bool UnderlayFile::isPdf() const
{
    return d->pdf != nullptr;
}

int UnderlayFile::pageCount() const
{
    return d->pdf ? d->pdf->pageCount() : 1;
}

std::optional<QSizeF> UnderlayFile::paperSize(int page) const
{
    d->requirePage(page);
    if (d->pdf)
        return d->pdf->pagePointSize(page - 1) * TwipsPerPoint;
    if (!d->recordsResolution)
        return std::nullopt;
    return QSizeF(d->picture.width() * twipsPerDot(d->picture.dotsPerMeterX()),
                  d->picture.height() * twipsPerDot(d->picture.dotsPerMeterY()));
}

QImage UnderlayFile::image(int page) const
{
    d->requirePage(page);
    return d->pdf ? d->renderPage(page) : d->picture;
}

QString UnderlayFile::filter()
{
    return QStringLiteral("图片和 PDF 文件|*.Bmp;*.Jpg;*.Jpeg;*.Gif;*.Ico;*.Png;*.Tif;*.Tiff;*.Pdf"
                          "|所有文件(*.*)|*.*");
}
