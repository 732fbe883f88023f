#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Pictures as the bytes of their file: what a picture object keeps and the
// template store holds, so a template needs no picture file to open.
namespace PictureCodec {

// The bytes of a picture file; throws RuntimeError (481) when it cannot be read.
QByteArray readFile(const QString &fileName);
// Decodes by content, taking the file name's suffix as a hint; a null
// image when the bytes are no picture. A file that records no resolution
// gives a picture of 96 dpi.
QImage decode(const QByteArray &bytes, const QString &fileName = QString());
// Lossless bytes for a picture that came without any.
QByteArray encode(const QImage &image);

} // namespace PictureCodec
