#include "WindowArrange.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace WindowArrange {

QList<QRect> tile(const QRect &area, int count, Qt::Orientation stacking)
{
    QList<QRect> rects;
    if (count <= 0)
        return rects;
    const int total = stacking == Qt::Vertical ? area.height() : area.width();
    int offset = 0;
    for (int i = 0; i < count; ++i) {
        const int extent = total / count + (i < total % count ? 1 : 0);
        if (stacking == Qt::Vertical)
            rects.append(QRect(area.left(), area.top() + offset, area.width(), extent));
        else
            rects.append(QRect(area.left() + offset, area.top(), extent, area.height()));
        offset += extent;
    }
    return rects;
}

QList<QPoint> iconPositions(const QRect &area, const QList<QSize> &sizes)
{
    QList<QPoint> positions;
    int x = area.left();
    int bottom = area.bottom() + 1;
    int rowHeight = 0;
    for (const QSize &size : sizes) {
        if (x > area.left() && x + size.width() > area.right() + 1) {
            x = area.left();
            bottom -= rowHeight;
            rowHeight = 0;
        }
        positions.append(QPoint(x, bottom - size.height()));
        x += size.width();
        rowHeight = std::max(rowHeight, size.height());
    }
    return positions;
}

namespace {

void tileWindows(QMdiArea &workspace, Qt::Orientation stacking)
{
    QList<QMdiSubWindow *> windows;
    for (QMdiSubWindow *w : workspace.subWindowList(QMdiArea::CreationOrder)) {
        if (w->isVisible() && !w->isMinimized())
            windows.append(w);
    }
    const QList<QRect> rects = tile(workspace.viewport()->rect(), int(windows.size()), stacking);
    for (qsizetype i = 0; i < windows.size(); ++i) {
        if (windows[i]->isMaximized())
            windows[i]->showNormal();
        windows[i]->setGeometry(rects[i]);
    }
}

void arrangeIcons(QMdiArea &workspace)
{
    QList<QMdiSubWindow *> icons;
    QList<QSize> sizes;
    for (QMdiSubWindow *w : workspace.subWindowList(QMdiArea::CreationOrder)) {
        if (w->isVisible() && w->isMinimized()) {
            icons.append(w);
            sizes.append(w->size());
        }
    }
    const QList<QPoint> places = iconPositions(workspace.viewport()->rect(), sizes);
    for (qsizetype i = 0; i < icons.size(); ++i)
        icons[i]->move(places[i]);
}

} // namespace

void Arrange(QMdiArea &workspace, int code)
{
    switch (code) {
    case Cascade:
        workspace.cascadeSubWindows();
        break;
    case TileHorizontal:
        tileWindows(workspace, Qt::Vertical);
        break;
    case TileVertical:
        tileWindows(workspace, Qt::Horizontal);
        break;
    case ArrangeIcons:
        arrangeIcons(workspace);
        break;
    default:
        break;
    }
}

} // namespace WindowArrange
