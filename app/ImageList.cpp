#include "ImageList.h"

#include "platform/RuntimeError.h"

namespace {
const QString source = QStringLiteral("ImgLst1");
}

ImageList::ImageList(QSize imageSize, QColor maskColor)
    : m_size(imageSize)
    , m_mask(maskColor)
{
}

void ImageList::add(const QString &key, const QImage &image)
{
    if (m_keys.contains(key))
        throw RuntimeError(RuntimeError::DuplicateKey,
                           QStringLiteral("图像键 %1 已存在").arg(key), source);
    if (image.size() != m_size)
        throw RuntimeError(RuntimeError::InvalidArgument,
                           QStringLiteral("图像 %1 的尺寸不符").arg(key), source);
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
        throw RuntimeError(RuntimeError::SubscriptOutOfRange,
                           QStringLiteral("没有图像键 %1").arg(key), source);
    return m_images.at(i);
}
