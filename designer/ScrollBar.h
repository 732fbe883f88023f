#pragma once

#include <QRectF>
#include <QScrollBar>

class ViewMapping;

// A scroll bar of the designer window placed in window twips, with 16-bit
// Min, Max and Value (page twips) as the layout code expects (a maximum that
// does not fit throws).
class ScrollBar : public QScrollBar
{
public:
    // Thickness of a bar in screen pixels.
    static constexpr int Thickness = 17;

    ScrollBar(Qt::Orientation orientation, const ViewMapping &mapping, QWidget *parent);

    double Left() const { return m_box.left(); }
    double Top() const { return m_box.top(); }
    double Width() const { return m_box.width(); }
    double Height() const { return m_box.height(); }
    // Throws RuntimeError when the size is negative.
    void Move(double left, double top, double width, double height);

    int Min() const { return minimum(); }
    int Max() const { return maximum(); }
    int Value() const { return value(); }
    // Throw RuntimeError (overflow) outside 16 bits.
    void setMin(double v);
    void setMax(double v);
    void setValue(double v);

    bool Visible() const { return !isHidden(); }
    void ZOrder() { raise(); }

    // Arrow and page steps in twips at 100 %; at other zooms they move the
    // page as far on screen.
    static constexpr int SmallChange = 100;
    static constexpr int LargeChange = 1000;
    void followZoom();

private:
    const ViewMapping &m_mapping;
    QRectF m_box;
};
