#pragma once

#include <QSizeF>

class QImage;

// Sizes on paper that no screen changes, so a template prints the same from
// every machine: a line-width pixel is 1/96 inch, and a picture's natural
// size comes from its own resolution.
namespace PrintedSize {

// A pixel at 96 dpi: a line-width pixel, and a dot of a picture whose
// file records no resolution.
constexpr double TwipsPerPixel = 1440.0 / 96.0;

// The picture's size in twips at the resolution it records (pictures from
// files that record none are decoded at 96 dpi, PictureCodec).
QSizeF naturalSize(const QImage &picture);

} // namespace PrintedSize
