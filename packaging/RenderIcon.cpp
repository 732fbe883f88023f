// Draws an SVG picture into PNG files of the icon theme's fixed sizes:
//   tavrel_render_icon <picture.svg> <folder> <size>...
// writes <folder>/<size>x<size>/<picture>.png for each size.
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s picture.svg folder size...\n", argv[0]);
        return 1;
    }
    const QString svg = QString::fromLocal8Bit(argv[1]);
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) {
        std::fprintf(stderr, "%s: not a picture\n", argv[1]);
        return 1;
    }
    for (int i = 3; i < argc; ++i) {
        const int size = QByteArray(argv[i]).toInt();
        if (size <= 0) {
            std::fprintf(stderr, "%s: not a size\n", argv[i]);
            return 1;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        renderer.render(&painter);
        painter.end();
        const QDir folder(QString::fromLocal8Bit(argv[2]) + QStringLiteral("/%1x%1").arg(size));
        const QString png = folder.filePath(QFileInfo(svg).completeBaseName() + QStringLiteral(".png"));
        if (!folder.mkpath(QStringLiteral(".")) || !image.save(png, "PNG")) {
            std::fprintf(stderr, "%s: cannot be written\n", qPrintable(png));
            return 1;
        }
    }
    return 0;
}
