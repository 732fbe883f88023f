#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

class QMdiArea;

// Arranging the designer windows inside the workspace.
namespace WindowArrange {

enum Code { Cascade = 0, TileHorizontal = 1, TileVertical = 2, ArrangeIcons = 3 };

// count rectangles that fill area without gaps: Qt::Vertical stacks them
// one above the other at full width, Qt::Horizontal puts them side by side
// at full height.
QList<QRect> tile(const QRect &area, int count, Qt::Orientation stacking);
// Places of minimised windows of the given sizes: left to right along the
// bottom of area, starting a new row above when a row is full.
QList<QPoint> iconPositions(const QRect &area, const QList<QSize> &sizes);

void Arrange(QMdiArea &workspace, int code);

} // namespace WindowArrange
