#include "HandlePictures.h"

#include "ObjHd.h"

#include <QColor>

namespace {

QImage solidSquare(const QColor &color)
{
    QImage image(7, 7, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

} // namespace

const QImage &HandlePictures::ImgAct()
{
    static const QImage image = solidSquare(QColor(0, 0, 128));
    return image;
}

const QImage &HandlePictures::ImgCur()
{
    static const QImage image = solidSquare(QColor(0, 0, 255));
    return image;
}

const QImage &HandlePictures::ImgLock()
{
    static const QImage image = solidSquare(QColor(255, 0, 0));
    return image;
}

const QImage &HandlePictures::ImgCurLock()
{
    static const QImage image = solidSquare(QColor(64, 0, 0));
    return image;
}

const QImage &HandlePictures::forState(int nState)
{
    switch (nState) {
    case ObjHd::LockedCurrent:
        return ImgCurLock();
    case ObjHd::LockedSelected:
        return ImgLock();
    case ObjHd::Current:
        return ImgCur();

    default:
        return ImgAct();
    }
}
