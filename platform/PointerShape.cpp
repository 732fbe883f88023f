#include "PointerShape.h"

namespace PointerShape {

Qt::CursorShape cursorFor(int pointer)
{
    switch (pointer) {
    case Cross:
        return Qt::CrossCursor;
    case IBeam:
        return Qt::IBeamCursor;
    case SizeAllArrows:
    case SizeAll:
        return Qt::SizeAllCursor;
    case SizeNESW:
        return Qt::SizeBDiagCursor;
    case SizeNS:
        return Qt::SizeVerCursor;
    case SizeNWSE:
        return Qt::SizeFDiagCursor;
    case SizeWE:
        return Qt::SizeHorCursor;
    case UpArrow:
        return Qt::UpArrowCursor;
    case Hourglass:
        return Qt::WaitCursor;
    case NoDrop:
        return Qt::ForbiddenCursor;
    case ArrowHourglass:
        return Qt::BusyCursor;
    case ArrowQuestion:
        return Qt::WhatsThisCursor;
    default:
        return Qt::ArrowCursor;
    }
}

} // namespace PointerShape
