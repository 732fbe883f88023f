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
    // The picture of an ObjHd::State (ImgAct for anything else).

    static const QImage &forState(int nState);
};
