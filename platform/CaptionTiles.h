#pragma once

#include <QImage>
#include <QRectF>
#include <QTransform>

#include <unordered_map>

class Element;
class LaidText;
class PageIndex;
class QPainter;

// Captions kept as the pixels they paint on a blank page, for the screen:
// a caption drawn again unchanged, with nothing of the page below its box,
// is copied instead of drawn glyph by glyph. The copy lands on the pixels
// drawing would: it was drawn for the same box under the painter's own
// transform less a whole number of pixels, in the painter's pixel format.
class CaptionTiles
{
public:
    // objects: the index of the page painted, to find what lies below.
    explicit CaptionTiles(const PageIndex &objects);

    // Copies the label's caption, cut at its box, when it can; false when
    // the caller must draw it. A caption is kept from its second paint on,
    // so one changing at every paint (a dragged one) costs nothing more.
    bool draw(QPainter &painter, const Element &label, const LaidText &laid);
    void clear();
    // Captions kept as pixels, and their bytes.
    std::size_t size() const;
    qint64 bytes() const { return m_bytes; }

private:
    // What a caption's pixels follow from; equal keys paint alike.
    struct Key
    {
        quint64 laid = 0; // the layout's serial
        QRectF box;
        QTransform transform;
        QRgb color = 0;
        int alignment = 0;
        int hints = 0;
        QImage::Format format = QImage::Format_Invalid;
        bool operator==(const Key &other) const;
    };
    struct Tile
    {
        Key key;
        QImage pixels;
    };

    bool drawsOn(const QPainter &painter) const;
    void paintTile(Tile &tile, const QRect &device, const Element &label,
                   const LaidText &laid);
    void forget(Tile &tile);

    const PageIndex &m_objects;
    std::unordered_map<const Element *, Tile> m_tiles;
    qint64 m_bytes = 0;
};
