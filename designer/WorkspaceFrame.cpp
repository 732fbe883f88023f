#include "WorkspaceFrame.h"

#include <QMdiSubWindow>
#include <QStyle>
#include <QStyleOptionTitleBar>

namespace WorkspaceFrame {

// A caption with a border is drawn 4 pixels taller than the style's
// caption height.
QSize normalAllowance(const QMdiSubWindow &frame)
{
    if (frame.windowFlags() & Qt::FramelessWindowHint)
        return QSize(0, 0);
    const QStyle *style = frame.style();
    QStyleOptionTitleBar caption;
    caption.initFrom(&frame);
    caption.titleBarFlags = frame.windowFlags();
    caption.titleBarState = Qt::WindowNoState;
    const int border = style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, &frame);
    int captionHeight = style->pixelMetric(QStyle::PM_TitleBarHeight, &caption, &frame);
    if (!style->styleHint(QStyle::SH_TitleBar_NoBorder, &caption, &frame))
        captionHeight += 4;
    return QSize(2 * border, captionHeight + border);
}

} // namespace WorkspaceFrame
