#pragma once

#include <QImage>
#include <QStringList>

// The toolbar's pictures as the image list holds them: the 16 x 16 rendering
// of each picture in Icons on the image list's mask colour RGB(192, 192, 192).
namespace ToolImages {

// Keys of every picture, in the order the image list holds them.
QStringList keys();
// Throws RuntimeError for an unknown key.
QImage draw(const QString &key);

} // namespace ToolImages
