#pragma once

#include "BarcodeLook.h"
#include "ElementFont.h"
#include "ElementKind.h"
#include "PointerShape.h"

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QRectF>
#include <QSize>
#include <QString>

#include <algorithm>

class ElementArray;
class PageSurface;

// One visual element of the designer page (label, line, image or handle),
// held as a plain record. Every change notifies the page so that only the
// changed area is repainted. Geometry is in page twips.
class Element
{
public:
    // BorderStyle of a label or an image.
    enum Border { NoBorder = 0, FixedSingle = 1 };
    // BorderStyle of a line.
    enum LineStyle {
        Transparent = 0,
        Solid = 1,
        Dash = 2,
        Dot = 3,
        DashDot = 4,
        DashDotDot = 5,
        InsideSolid = 6,
    };
    // Alignment of a label's caption.
    enum TextAlignment { LeftJustify = 0, RightJustify = 1, Center = 2 };

    Element(ElementKind kind, int index, ElementArray *owner);

    ElementKind kind() const { return m_kind; }
    int Index() const { return m_index; }
    // The page the element lives on, if any.
    const PageSurface *page() const;
    bool isLine() const { return m_kind == ElementKind::Line; }

    double Left() const { return m_left; }
    double Top() const { return m_top; }
    double Width() const { return m_width; }
    double Height() const { return m_height; }
    void setLeft(double v);
    void setTop(double v);
    void setWidth(double v);
    void setHeight(double v);
    // Size unchanged.
    void Move(double left, double top);
    void Move(double left, double top, double width, double height);

    double x1() const { return m_x1; }
    double y1() const { return m_y1; }
    double x2() const { return m_x2; }
    double y2() const { return m_y2; }
    void setX1(double v);
    void setY1(double v);
    void setX2(double v);
    void setY2(double v);
    void setLine(double x1, double y1, double x2, double y2);

    bool Visible() const { return m_visible; }
    void setVisible(bool v);

    const QString &Caption() const { return m_caption; }
    void setCaption(const QString &v);
    const QString &Tag() const { return m_tag; }
    void setTag(const QString &v) { m_tag = v; }
    const QString &ToolTipText() const { return m_toolTip; }
    void setToolTipText(const QString &v) { m_toolTip = v; }

    const ElementFont &Font() const { return m_font; }
    void setFont(const ElementFont &v);
    QColor ForeColor() const { return m_foreColor; }
    void setForeColor(const QColor &v);
    // A Border for labels and images, a LineStyle for lines.
    int BorderStyle() const { return m_borderStyle; }
    void setBorderStyle(int v);
    // Lines: width in screen pixels.
    int BorderWidth() const { return m_borderWidth; }
    void setBorderWidth(int v);
    QColor BorderColor() const { return m_borderColor; }
    void setBorderColor(const QColor &v);
    bool AutoSize() const { return m_autoSize; }
    void setAutoSize(bool v);
    // A TextAlignment.
    int Alignment() const { return m_alignment; }
    void setAlignment(int v);

    const QImage &Picture() const { return m_picture; }
    // A picture without the bytes it came from (handles, clearing).
    void setPicture(const QImage &v);
    // The encoded bytes travel with the picture, so a template saves whole
    // even when the file it was chosen from has gone.
    void setPicture(const QImage &v, const QByteArray &data);
    const QByteArray &PictureData() const { return m_pictureData; }
    bool Stretch() const { return m_stretch; }
    void setStretch(bool v);

    // Labels: the code the caption is shown as (a copy of its object's
    // choice); sample: the caption names a bound value, so the designer
    // shows a sample code of the type. A code keeps the box it is given.
    const BarcodeLook &Barcode() const { return m_barcode; }
    bool BarcodeSample() const { return m_barcodeSample; }
    void setBarcode(const BarcodeLook &look, bool sample);

    // A PointerShape code.
    int MousePointer() const { return m_mousePointer; }
    void setMousePointer(int v) { m_mousePointer = v; }

    // Brings the element to the top of the page's stacking order.
    void ZOrder();
    quint64 zOrder() const { return m_z; }

    // The area the element paints on its page's view as it is now, in page
    // twips (line width, border and handle pictures included); empty while
    // hidden.
    QRectF paintBounds() const;
    // The same, shown or not.
    QRectF shownBounds() const;
    // The area it paints while shown at any scale of the view, whether shown
    // now or not: the page files it there, so showing or hiding it, or a
    // zoom, moves nothing in the index.
    QRectF reachBounds() const;
    // The element's own rectangle: the box, or a line's normalised span.
    QRectF rect() const
    {
        if (m_kind == ElementKind::Line)
            return QRectF(QPointF(std::min(m_x1, m_x2), std::min(m_y1, m_y2)),
                          QPointF(std::max(m_x1, m_x2), std::max(m_y1, m_y2)));
        return QRectF(m_left, m_top, m_width, m_height);
    }

    // Set by the page while a change of the element waits to be filed.
    bool filingDue() const { return m_filingDue; }
    void setFilingDue(bool v) { m_filingDue = v; }

    // Takes the look and size of another element (the design-time one).
    void copyLookFrom(const Element &other);

    // What handles with these boxes and a picture of this size may paint
    // on a view with these pixels.
    static QRectF handleReach(const QRectF &boxes, QSize picture, double twipsPerPixel);

private:
    QRectF reachAt(double twipsPerPixel) const;
    void changed(const QRectF &before);
    void fitToCaption();

    // What painting, filing and hit testing read come first, together, so a
    // pass over thousands of handles touches as little memory as it can.
    ElementKind m_kind;
    int m_index;
    ElementArray *m_owner;
    double m_left = 0, m_top = 0, m_width = 0, m_height = 0;
    double m_x1 = 0, m_y1 = 0, m_x2 = 0, m_y2 = 0;
    quint64 m_z = 0;
    // Where the index that files the element keeps its bounds, valid while
    // m_filedIn names that index: a move is filed without a lookup.
    friend class PageIndex;
    mutable quint64 m_filedIn = 0;
    mutable QRectF *m_filedBounds = nullptr;
    bool m_visible = false;
    bool m_stretch = false;
    bool m_filingDue = false;
    int m_borderStyle = NoBorder;
    int m_borderWidth = 1;
    QSize m_pictureSize; // kept apart: every change of a handle asks for it
    QImage m_picture;
    QString m_caption;
    QString m_tag;
    QString m_toolTip;
    ElementFont m_font;
    QColor m_foreColor = Qt::black;
    QColor m_borderColor = Qt::black;
    bool m_autoSize = false;
    int m_alignment = LeftJustify;
    QByteArray m_pictureData;
    int m_mousePointer = PointerShape::Default;
    BarcodeLook m_barcode;
    bool m_barcodeSample = false;
};
