#include "PictureCodec.h"

#include "RuntimeError.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace PictureCodec {

QByteArray readFile(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw RuntimeError(RuntimeError::CannotLoadPicture, fileName);
    return file.readAll();
}

QImage decode(const QByteArray &bytes, const QString &fileName)
{
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, QFileInfo(fileName).suffix().toLower().toLatin1());
    reader.setAutoDetectImageFormat(true);
    return reader.read();
}

QByteArray encode(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace PictureCodec
