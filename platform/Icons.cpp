#include "Icons.h"

#include "platform/RuntimeError.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

// Q_INIT_RESOURCE may not be used inside a namespace.
static void initIconsResource()
{
    Q_INIT_RESOURCE(icons);
}

namespace {

const QString Folder = QStringLiteral(":/icons");
const QString Suffix = QStringLiteral(".svg");

// The resource lives in a static library: a program that links it may drop
// its registration, so every way in registers it first, once.
void ensureResource()
{
    [[maybe_unused]] static const bool registered = (initIconsResource(), true);
}

QString fileOf(const QString &name)
{
    ensureResource();
    const QString file = Folder + QLatin1Char('/') + name + Suffix;
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || !QFile::exists(file))
        throw RuntimeError(RuntimeError::SubscriptOutOfRange);
    return file;
}

void requireValid(const QSvgRenderer &svg)
{
    if (!svg.isValid())
        throw RuntimeError(RuntimeError::CannotLoadPicture);
}

QImage render(QSvgRenderer &svg, const QSize &size)
{
    if (size.isEmpty())
        throw RuntimeError(RuntimeError::InvalidArgument);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    svg.render(&painter);
    return image;
}

} // namespace

namespace Icons {

QStringList names()
{
    ensureResource();
    QStringList result;
    for (const QString &file : QDir(Folder).entryList({QLatin1Char('*') + Suffix}, QDir::Files,
                                                      QDir::Name))
        result.append(file.chopped(Suffix.size()));
    return result;
}

QSize designSize(const QString &name)
{
    QSvgRenderer svg(fileOf(name));
    requireValid(svg);
    return svg.defaultSize();
}

QIcon icon(const QString &name)
{
    QSvgRenderer svg(fileOf(name));
    requireValid(svg);
    const QSize size = svg.defaultSize();
    QIcon result;
    result.addPixmap(QPixmap::fromImage(render(svg, size)));
    result.addPixmap(QPixmap::fromImage(render(svg, size * 2)));
    return result;
}

QImage image(const QString &name, const QSize &size)
{
    QSvgRenderer svg(fileOf(name));
    requireValid(svg);
    return render(svg, size);
}

} // namespace Icons
