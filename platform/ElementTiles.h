#pragma once

#include <QImage>
#include <QRect>
#include <QRectF>
#include <QTransform>

#include <functional>
#include <unordered_map>

class Element;
class PageIndex;
class QPainter;

// Elements kept as the pixels they paint on a blank page, for the screen:
// one painted again unchanged, with nothing of the page below it, is copied
// instead of drawn. The copy lands on the pixels drawing would: it was
// drawn the same way under the painter's own scale, moved by the whole
// pixels the painter's translation moves, in the painter's pixel format,
// over the same white.
class ElementTiles
{
public:
    // What an element's pixels follow from, besides the painter: equal
    // looks paint alike.
    struct Look
    {
        quint64 content = 0; // a caption's layout serial, a picture's key
        QRectF box;          // all it paints lies inside
        int flags = 0;       // alignment, stretch, border, as the kind has them
        QRgb color = 0;
        QSizeF twipsPerPixel;
        bool operator==(const Look &other) const;
    };
    using Paint = std::function<void(QPainter &)>;

    // All kept elements together, so a page of large ones stays small.
    static constexpr qint64 DefaultMaxBytes = qint64(48) << 20;

    // objects: the index of the page painted, to find what lies below.
    explicit ElementTiles(const PageIndex &objects, qint64 maxBytes = DefaultMaxBytes);

    // Copies the element's pixels when it can; false when the caller must
    // paint it. An element is kept from its second paint on, so one that
    // changes at every paint (a dragged one) costs nothing more. paint
    // draws the look onto a painter like the one given.
    template <typename PaintLook>
    bool draw(QPainter &painter, const Element &element, const Look &look,
              const PaintLook &paint)
    {
        Tile *tile = tileFor(painter, element, look);
        if (!tile)
            return false;
        // Only an element kept now costs a function.
        if (!tile->painted)
            keep(*tile, Paint(paint));
        return copy(painter, *tile);
    }
    // A pass paints what is due of the view once, in as many parts as it
    // is cut into. An element is kept when painted again in a later pass:
    // one cut by two parts and moved again at the next frame, as thousands
    // are at a nudge, is drawn and never kept.
    void startPass() { ++m_pass; }
    void clear();
    // Elements kept as pixels, and their bytes.
    std::size_t size() const;
    bool keeps(const Element &element) const;
    qint64 bytes() const { return m_bytes; }

private:
    struct Key
    {
        Look look;
        QTransform transform;
        int hints = 0;
        QImage::Format format = QImage::Format_Invalid;
        bool operator==(const Key &other) const;
    };
    struct Tile
    {
        Key key;
        bool painted = false;
        quint64 firstPass = 0;
        // The pixels that are not blank, and where they go on the device.
        QImage pixels;
        QPoint corner;
        // Whether anything lay below, as of the index's generation.
        quint64 checkedAt = 0;
        bool overOthers = false;
    };

    bool drawsOn(const QPainter &painter) const;
    static bool movesExactly(const QPainter &painter, const QRectF &box);
    // The element's tile when it may be copied now, kept or not.
    Tile *tileFor(const QPainter &painter, const Element &element, const Look &look);
    bool overOthers(Tile &tile, const Element &element) const;
    void keep(Tile &tile, const Paint &paint);
    bool roomFor(qint64 bytes);
    bool copy(QPainter &painter, const Tile &tile) const;
    void forget(Tile &tile);

    const PageIndex &m_objects;
    const qint64 m_maxBytes;
    std::unordered_map<const Element *, Tile> m_tiles;
    qint64 m_bytes = 0;
    quint64 m_pass = 0;
    // What was kept, and the index's generation, when hidden elements last
    // gave theirs up.
    qint64 m_bytesAtSweep = -1;
    quint64 m_generationAtSweep = 0;
};
