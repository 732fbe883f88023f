#pragma once

#include <QIcon>
#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

// The program's pictures: SVG files in the /icons resource, each drawn on the
// pixel grid of its design size, so an icon is changed by editing its file.
// Unknown names throw RuntimeError(SubscriptOutOfRange).
namespace Icons {

// Every picture's name, sorted.
QStringList names();
// The size the picture is drawn for: 16 x 16, or 32 x 32 for the page pictures.
QSize designSize(const QString &name);
// Pixmaps rendered at 1x and 2x of the design size, crisp at 100 % and 200 %.
QIcon icon(const QString &name);
// The picture rendered at any size onto a transparent image; throws
// RuntimeError(InvalidArgument) for an empty size.
QImage image(const QString &name, const QSize &size);

} // namespace Icons
