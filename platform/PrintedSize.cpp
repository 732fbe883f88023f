#include "PrintedSize.h"

#include "Screen.h"

#include <QImage>

namespace PrintedSize {

QSizeF naturalSize(const QImage &picture)
{
    return QSizeF(picture.width() * Screen::TwipsPerPixelX(),
                  picture.height() * Screen::TwipsPerPixelY());
}

} // namespace PrintedSize
