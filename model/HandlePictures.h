#pragma once

#include <QImage>

// The four 7 x 7 pictures a handle shows by state: selected (navy),
// current (blue), selected and locked (red), current and locked (dark red).
class HandlePictures
{
public:
    static const QImage &ImgAct();
    static const QImage &ImgCur();
    static const QImage &ImgLock();
    static const QImage &ImgCurLock();
    // -2 ImgCurLock, -1 ImgLock, 1 ImgCur, anything else ImgAct.
    static const QImage &forState(int nState);
};
