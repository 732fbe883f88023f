#include "PictureCodec.h"

#include "RuntimeError.h"

#include <QBuffer>
#include <QCoreApplication>
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

namespace {

// A picture whose file records no resolution takes the one Qt assumes for
// new images, which is the screen's. Held to 96 dpi while it decodes, so
// such a picture has the same natural size on every machine.
class DecodedAt96Dpi
{
public:
    DecodedAt96Dpi() : m_was(QCoreApplication::testAttribute(Qt::AA_Use96Dpi))
    {
        QCoreApplication::setAttribute(Qt::AA_Use96Dpi, true);
    }
    ~DecodedAt96Dpi() { QCoreApplication::setAttribute(Qt::AA_Use96Dpi, m_was); }
    DecodedAt96Dpi(const DecodedAt96Dpi &) = delete;
    DecodedAt96Dpi &operator=(const DecodedAt96Dpi &) = delete;

private:
    bool m_was;
};

} // namespace

QImage decode(const QByteArray &bytes, const QString &fileName)
{
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, QFileInfo(fileName).suffix().toLower().toLatin1());
    reader.setAutoDetectImageFormat(true);
    const DecodedAt96Dpi resolution;
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
