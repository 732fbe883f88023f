#include "ImageList.h"

#include "platform/RuntimeError.h"

namespace {

// Errors name the image list and the key they arose for.
QString sourceOf(const QString &key)
{
    return QStringLiteral("ImgLst1(%1)").arg(key);
}

} // namespace

ImageList::ImageList(QSize imageSize, QColor maskColor)
    : m_size(imageSize)
    , m_mask(maskColor)
{
}

void ImageList::add(const QString &key, const QImage &image)
{
    if (m_keys.contains(key))
        throw RuntimeError(RuntimeError::DuplicateKey, sourceOf(key));
    if (image.size() != m_size)
        throw RuntimeError(RuntimeError::InvalidArgument, sourceOf(key));
    QImage masked = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb mask = m_mask.rgb();
    for (int y = 0; y < masked.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(masked.scanLine(y));
        for (int x = 0; x < masked.width(); ++x) {
            if ((line[x] & RGB_MASK) == (mask & RGB_MASK))
                line[x] = qRgba(0, 0, 0, 0);
        }
    }
    m_keys.append(key);
    m_images.append(masked);
}

QImage ImageList::image(const QString &key) const
{
    const qsizetype i = m_keys.indexOf(key);
    if (i < 0)
        throw RuntimeError(RuntimeError::SubscriptOutOfRange, sourceOf(key));
    return m_images.at(i);
}
